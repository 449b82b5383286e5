#include "htmlcontrol.h"

#include "tablerow.h"

#include <cstdio>

namespace tarvelo::platform::win {
namespace {

std::string withCode(const char* text, HRESULT result)
{
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
    return std::string(text) + " (" + code + ")";
}

// Runs this thread's messages for up to a hundredth of a second: the control
// loads its pages through them. A quit request is left for the caller's loop.
bool runMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    return true;
}

} // namespace

std::unique_ptr<HtmlControl> HtmlControl::create(HWND parent, std::chrono::milliseconds wait, std::string& failure,
                                                 BrowserEventHandlers handlers)
{
    if (!IsWindow(parent)) {
        failure = "no window to hold the page";
        return nullptr;
    }
    std::unique_ptr<HtmlControl> control(new HtmlControl(parent));
    HRESULT result = CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                      reinterpret_cast<void**>(control->object_.GetAddressOf()));
    if (FAILED(result)) {
        failure = withCode("the system offers no WebBrowser control", result);
        return nullptr;
    }
    RECT area;
    GetClientRect(parent, &area);
    if (FAILED(result = control->object_->SetClientSite(&control->site_)) ||
        FAILED(result = control->object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &control->site_, 0, parent, &area)) ||
        FAILED(result = control->object_->QueryInterface(IID_IWebBrowser2,
                                                          reinterpret_cast<void**>(control->browser_.GetAddressOf())))) {
        failure = withCode("the WebBrowser control cannot be placed in the window", result);
        return nullptr;
    }
    if (handlers.rowMenu)
        control->site_.onContextMenu = [rowMenu = handlers.rowMenu](IDispatch* element, POINT screen) {
            if (const std::vector<std::wstring> cells = rowCellsOf(element); !cells.empty())
                rowMenu(cells, screen);
        };
    control->listen(std::move(handlers));
    if (!control->navigate(L"about:blank") || !control->loadsWithin(wait)) {
        failure = "the WebBrowser control shows no pages: the system has no HTML engine for it";
        return nullptr;
    }
    return control;
}

void HtmlControl::listen(BrowserEventHandlers handlers)
{
    Microsoft::WRL::ComPtr<IConnectionPointContainer> points;
    Microsoft::WRL::ComPtr<IDispatch> self;
    if (FAILED(browser_.As(&points)) || FAILED(browser_.As(&self)) ||
        FAILED(points->FindConnectionPoint(DIID_DWebBrowserEvents2, connection_.GetAddressOf())))
        return;
    events_ = std::make_unique<BrowserEvents>(self.Get(), std::move(handlers));
    if (FAILED(connection_->Advise(events_.get(), &cookie_)))
        connection_.Reset();
}

HtmlControl::~HtmlControl()
{
    if (connection_)
        connection_->Unadvise(cookie_);
    browser_.Reset();
    if (object_) {
        object_->Close(OLECLOSE_NOSAVE);
        object_->SetClientSite(nullptr);
    }
}

bool HtmlControl::navigate(const std::wstring& location)
{
    BSTR url = SysAllocStringLen(location.data(), static_cast<UINT>(location.size()));
    VARIANT none;
    VariantInit(&none);
    const HRESULT result = browser_->Navigate(url, &none, &none, &none, &none);
    SysFreeString(url);
    return SUCCEEDED(result);
}

void HtmlControl::fit()
{
    RECT area;
    GetClientRect(site_.window(), &area);
    Microsoft::WRL::ComPtr<IOleInPlaceObject> inPlace;
    if (SUCCEEDED(object_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(inPlace.GetAddressOf()))))
        inPlace->SetObjectRects(&area, &area);
}

bool HtmlControl::loadsWithin(std::chrono::milliseconds wait)
{
    const auto until = std::chrono::steady_clock::now() + wait;
    for (;;) {
        READYSTATE state = READYSTATE_UNINITIALIZED;
        if (SUCCEEDED(browser_->get_ReadyState(&state)) && state == READYSTATE_COMPLETE)
            return true;
        if (std::chrono::steady_clock::now() >= until || !runMessages())
            return false;
    }
}

} // namespace tarvelo::platform::win
