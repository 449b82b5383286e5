#pragma once
// The part of the main window the hub works on, without the window: a real
// search box and a browser that records where it was sent.
#include "platform/fakes/fakes.h"
#include "shell/mainview.h"
#include "shell/searchbox.h"

namespace tarvelo::testkit {

class TestView : public MainView {
public:
    explicit TestView(HubApi& hub) : box(nullptr, hub) {}
    platform::Browser& WebBrowser1() override { return browser; }
    QString text1() const override { return box.text(); }
    void setText1(const QString& text) override { box.setText(text); }

    // The last location the browser was sent to, or empty.
    std::string shown() const { return browser.locations.empty() ? std::string() : browser.locations.back(); }

    platform::fakes::FakeBrowser browser;
    SearchBox box;
};

} // namespace tarvelo::testkit
