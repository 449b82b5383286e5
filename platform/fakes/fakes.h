#pragma once
// Scriptable stand-ins for the platform seams, for tests.
#include "../browser.h"
#include "../seams.h"

#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tarvelo::platform::fakes {

struct ShownMessage {
    std::string text;
    std::string caption;
    Buttons buttons;
};

// Records every box and answers from a script; OK once the script runs out.
class FakeMessageBox : public MessageBox {
public:
    Choice show(std::string_view text, std::string_view caption, Buttons buttons) override;
    void answerNext(Choice c) { answers.push_back(c); }
    std::vector<ShownMessage> shown;
    std::deque<Choice> answers;
    // What the user does elsewhere while a box is open (its own event loop runs).
    std::function<void()> whileShown;
};

class FakeProcessExit : public ProcessExit {
public:
    void exitNow(int code) override;
    int calls = 0;
    int lastCode = -1;
};

class FakeClock : public Clock {
public:
    std::chrono::system_clock::time_point now() const override { return current; }
    std::chrono::system_clock::time_point current = std::chrono::system_clock::now();
};

class FakeProgramFolder : public ProgramFolder {
public:
    explicit FakeProgramFolder(std::filesystem::path p) : folder(std::move(p)) {}
    std::filesystem::path path() const override { return folder; }
    std::filesystem::path folder;
};

class FakeHub : public HubControl {
public:
    void deltubiao() override { ++trayRemovals; }
    void setTimerEnabled(bool enabled) override { timerEnabled = enabled; ++timerSwitches; }
    int trayRemovals = 0;
    int timerSwitches = 0;
    bool timerEnabled = true;
};

class FakeBrowser : public Browser {
public:
    void Navigate(const std::string& location) override { locations.push_back(location); }
    std::vector<std::string> locations;
};

// One complete set of fakes, wired into a Seams bundle.
struct FakePlatform {
    explicit FakePlatform(std::filesystem::path folder) : programFolder(std::move(folder)) {}
    FakeMessageBox messageBox;
    FakeProcessExit processExit;
    FakeClock clock;
    FakeProgramFolder programFolder;
    FakeHub hub;
    Seams seams{messageBox, processExit, clock, programFolder, hub};
};

} // namespace tarvelo::platform::fakes
