// What the WebBrowser control's host does with the control's events and
// questions, fed the way the control sends them (arguments last first).
#include "platform/win/browserevents.h"
#include "platform/win/controlsite.h"

#include <exdispid.h>
#include <mshtmdid.h>
#include <olectl.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tarvelo::platform::win;

namespace {

// A COM object standing in for the control's own IDispatch (the page) or a frame's.
class Dispatch final : public IDispatch {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (iid != IID_IUnknown && iid != IID_IDispatch)
            return *out = nullptr, E_NOINTERFACE;
        *out = this;
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }
};

// The arguments of one event, first parameter first; handed over reversed.
class Event {
public:
    Event() { inner_.reserve(4); } // pointers into it are handed on
    Event& dispatch(IDispatch* d) { return add([&](VARIANT& v) { v.vt = VT_DISPATCH, v.pdispVal = d; }); }
    Event& text(const wchar_t* t)
    {
        return add([&](VARIANT& v) { v.vt = VT_BSTR, v.bstrVal = SysAllocString(t); });
    }
    // A by-reference VARIANT holding a text, as BeforeNavigate2 passes its URL.
    Event& textByReference(const wchar_t* t)
    {
        inner_.push_back({});
        VariantInit(&inner_.back());
        inner_.back().vt = VT_BSTR;
        inner_.back().bstrVal = SysAllocString(t);
        return add([&](VARIANT& v) { v.vt = VT_BYREF | VT_VARIANT, v.pvarVal = &inner_.back(); });
    }
    Event& number(LONG n) { return add([&](VARIANT& v) { v.vt = VT_I4, v.lVal = n; }); }
    Event& cancel() { return add([&](VARIANT& v) { v.vt = VT_BYREF | VT_BOOL, v.pboolVal = &cancelled_; }); }
    Event& empty() { return add([](VARIANT&) {}); }

    void sendTo(IDispatch& sink, DISPID id)
    {
        std::vector<VARIANT> reversed(arguments_.rbegin(), arguments_.rend());
        DISPPARAMS parameters{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        sink.Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &parameters, nullptr, nullptr, nullptr);
    }
    bool cancelled() const { return cancelled_ == VARIANT_TRUE; }

private:
    template <class Fill>
    Event& add(Fill fill)
    {
        arguments_.push_back({});
        VariantInit(&arguments_.back());
        fill(arguments_.back());
        return *this;
    }
    std::vector<VARIANT> arguments_;
    std::vector<VARIANT> inner_;
    VARIANT_BOOL cancelled_ = VARIANT_FALSE;
};

} // namespace

TEST(BrowserEvents, NavigationsAreAskedAboutAndRefusedOnesCancelled)
{
    Dispatch page, frame;
    std::vector<std::pair<std::wstring, bool>> asked;
    BrowserEventHandlers handlers;
    handlers.navigating = [&](const std::wstring& url, bool topLevel) {
        asked.emplace_back(url, topLevel);
        return url.starts_with(L"file:");
    };
    BrowserEvents events(&page, handlers);

    Event ours;
    ours.dispatch(&page).textByReference(L"file:///C:/p/customscache/Tariff20110101.html").empty().empty().empty()
        .empty().cancel().sendTo(events, DISPID_BEFORENAVIGATE2);
    Event web;
    web.dispatch(&frame).textByReference(L"http://example.org/").empty().empty().empty().empty().cancel()
        .sendTo(events, DISPID_BEFORENAVIGATE2);

    EXPECT_FALSE(ours.cancelled());
    EXPECT_TRUE(web.cancelled());
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0], std::make_pair(std::wstring(L"file:///C:/p/customscache/Tariff20110101.html"), true));
    EXPECT_EQ(asked[1], std::make_pair(std::wstring(L"http://example.org/"), false)); // a frame's
}

TEST(BrowserEvents, NewWindowsAreNeverMadeAndSayWhetherTheUserAskedForThem)
{
    Dispatch page;
    std::vector<std::pair<std::wstring, bool>> windows;
    BrowserEventHandlers handlers;
    handlers.newWindow = [&](const std::wstring& url, bool byUser) { windows.emplace_back(url, byUser); };
    BrowserEvents events(&page, handlers);

    Event clicked;
    clicked.empty().cancel().number(NWMF_USERINITED).text(L"").text(L"https://example.org/a")
        .sendTo(events, DISPID_NEWWINDOW3);
    Event scripted;
    scripted.empty().cancel().number(0).text(L"").text(L"https://example.org/b").sendTo(events, DISPID_NEWWINDOW3);

    EXPECT_TRUE(clicked.cancelled());
    EXPECT_TRUE(scripted.cancelled());
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[0], std::make_pair(std::wstring(L"https://example.org/a"), true));
    EXPECT_EQ(windows[1], std::make_pair(std::wstring(L"https://example.org/b"), false));
}

TEST(BrowserEvents, OnlyThePageItselfReportsLoadingOrFailing)
{
    Dispatch page, frame;
    std::vector<bool> loaded;
    BrowserEventHandlers handlers;
    handlers.loaded = [&](bool ok) { loaded.push_back(ok); };
    BrowserEvents events(&page, handlers);

    Event().dispatch(&frame).text(L"about:blank").sendTo(events, DISPID_DOCUMENTCOMPLETE);
    Event().dispatch(&page).text(L"file:///C:/p.html").sendTo(events, DISPID_DOCUMENTCOMPLETE);
    Event().dispatch(&frame).text(L"x").empty().number(404).cancel().sendTo(events, DISPID_NAVIGATEERROR);
    Event().dispatch(&page).text(L"x").empty().number(404).cancel().sendTo(events, DISPID_NAVIGATEERROR);
    EXPECT_EQ(loaded, (std::vector<bool>{true, false}));
}

// The control asks its site for the pages' code page and what they may load,
// and for a menu on a right click.
TEST(ControlSite, PagesAreCodePage936WithoutScriptsAndShowNoMenuOfTheControl)
{
    ControlSite site(nullptr);
    const auto ambient = [&](DISPID id) {
        VARIANT v;
        VariantInit(&v);
        DISPPARAMS none{};
        const HRESULT result =
            site.Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &v, nullptr, nullptr);
        return std::make_pair(result, v);
    };
    EXPECT_EQ(ambient(DISPID_AMBIENT_CODEPAGE).second.lVal, 936);
    const LONG downloads = ambient(DISPID_AMBIENT_DLCONTROL).second.lVal;
    EXPECT_TRUE(downloads & DLCTL_NO_SCRIPTS);
    EXPECT_TRUE(downloads & DLCTL_NO_RUNACTIVEXCTLS);
    EXPECT_TRUE(downloads & DLCTL_DLIMAGES);
    EXPECT_EQ(ambient(DISPID_AMBIENT_USERMODE).first, DISP_E_MEMBERNOTFOUND);

    int menus = 0;
    POINT where{};
    site.onContextMenu = [&](IDispatch*, POINT at) { ++menus, where = at; };
    POINT clicked{120, 45};
    EXPECT_EQ(site.ShowContextMenu(0, &clicked, nullptr, nullptr), S_OK); // handled: no menu of the control's
    EXPECT_EQ(menus, 1);
    EXPECT_EQ(where.x, 120);
}
