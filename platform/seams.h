#pragma once
#include "answerkeeper.h"
#include "clock.h"
#include "hubcontrol.h"
#include "messagebox.h"
#include "processexit.h"
#include "programfolder.h"

#include <chrono>
#include <string>

namespace tarvelo::platform {

// Time limits of one service exchange. The program uses the defaults; tests
// shorten them.
struct ExchangeTimeouts {
    std::chrono::milliseconds connect{60'000};
    // Longest stretch without a received byte before the exchange is given up.
    std::chrono::milliseconds stall{30'000};
    // Longest a whole exchange may take: an answer that keeps trickling in (a
    // byte now and then never counts as a stall) is given up after this.
    std::chrono::milliseconds total{180'000};
};

// Everything the core reaches outside itself. The program wires the Qt
// implementations; tests wire the fakes. The referenced objects outlive every
// user of the bundle.
struct Seams {
    MessageBox& messageBox;
    ProcessExit& processExit;
    Clock& clock;
    ProgramFolder& programFolder;
    HubControl& hub;
    ExchangeTimeouts timeouts{};
    // Connection prompts on screen right now; the hub skips timer ticks while
    // one is open so that prompts never stack up.
    int openConnectionPrompts = 0;
    // Endpoint used instead of the build's default when not empty; tests point
    // it at a local server.
    std::string endpointOverride{};
    // Certificate authorities an https service is checked against instead of
    // the system's when not empty (a PEM file); tests trust their own.
    std::string caFileOverride{};
    // Where answers are kept for an outage; nullptr keeps nothing.
    AnswerKeeper* answers = nullptr;
};

} // namespace tarvelo::platform
