#pragma once
// The system's WebBrowser control (MSHTML) in a window of ours, hosted through
// COM with the interfaces MinGW-w64's headers declare.
#include "browserevents.h"
#include "controlsite.h"

#include <chrono>
#include <memory>
#include <string>

#include <exdisp.h>
#include <wrl/client.h>

namespace tarvelo::platform::win {

class HtmlControl {
public:
    // The control filling parent's client area with an empty page, or nothing
    // when the system cannot give one, with the reason in failure. A control
    // that has shown no page within wait counts as none: under Wine without its
    // HTML engine the control is created but never loads a page. The calling
    // thread must have initialised OLE (Qt does on its GUI thread). The
    // handlers hear the control's navigations from the start, its empty page's too.
    static std::unique_ptr<HtmlControl> create(HWND parent, std::chrono::milliseconds wait, std::string& failure,
                                               BrowserEventHandlers handlers = {});
    ~HtmlControl();
    HtmlControl(const HtmlControl&) = delete;
    HtmlControl& operator=(const HtmlControl&) = delete;

    // Starts loading location (a URL or a local file's path); false when the
    // control refuses it.
    bool navigate(const std::wstring& location);

    // Fits the control to the parent's client area again, after a resize.
    void fit();

private:
    explicit HtmlControl(HWND parent) : site_(parent) {}
    bool loadsWithin(std::chrono::milliseconds wait);
    void listen(BrowserEventHandlers handlers);

    // Declared first so that it outlives the control's references to it.
    ControlSite site_;
    Microsoft::WRL::ComPtr<IOleObject> object_;
    Microsoft::WRL::ComPtr<IWebBrowser2> browser_;
    std::unique_ptr<BrowserEvents> events_;
    Microsoft::WRL::ComPtr<IConnectionPoint> connection_;
    DWORD cookie_ = 0;
};

} // namespace tarvelo::platform::win
