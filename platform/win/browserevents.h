#pragma once
// The WebBrowser control's events (DWebBrowserEvents2) that its host acts on,
// handed to plain functions.
#include <windows.h>

#include <oaidl.h>

#include <functional>
#include <string>
#include <vector>

namespace tarvelo::platform::win {

struct BrowserEventHandlers {
    // A navigation is about to start (topLevel: the page itself, not one of its
    // frames); false cancels it.
    std::function<bool(const std::wstring& url, bool topLevel)> navigating;
    // The page asked for a window of its own (a _blank link). None is ever made.
    std::function<void(const std::wstring& url, bool userInitiated)> newWindow;
    // The page finished loading (ok) or could not be loaded.
    std::function<void(bool ok)> loaded;
    // A right click on a table row of the page: its cells' texts, and the
    // point on the screen.
    std::function<void(const std::vector<std::wstring>& cells, POINT screen)> rowMenu;
};

class BrowserEvents final : public IDispatch {
public:
    // browser: the control's own IDispatch, which tells its page from its frames.
    BrowserEvents(IDispatch* browser, BrowserEventHandlers handlers);
    BrowserEvents(const BrowserEvents&) = delete;
    BrowserEvents& operator=(const BrowserEvents&) = delete;

    // IUnknown. Like the control site, the owner outlives every reference.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*,
                                     EXCEPINFO*, UINT*) override;

private:
    bool isPage(const VARIANT& sender) const;

    IDispatch* browser_;
    BrowserEventHandlers handlers_;
    ULONG references_ = 1;
};

} // namespace tarvelo::platform::win
