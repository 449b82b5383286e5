#include "browserevents.h"

#include <exdisp.h>
#include <exdispid.h>
#include <shobjidl.h>

namespace tarvelo::platform::win {
namespace {

// The value behind a by-reference argument, as the control passes most.
const VARIANT& value(const VARIANT& argument)
{
    return argument.vt == (VT_BYREF | VT_VARIANT) && argument.pvarVal ? *argument.pvarVal : argument;
}

std::wstring text(const VARIANT& argument)
{
    const VARIANT& v = value(argument);
    if (v.vt == VT_BSTR && v.bstrVal)
        return {v.bstrVal, SysStringLen(v.bstrVal)};
    if (v.vt == (VT_BYREF | VT_BSTR) && v.pbstrVal && *v.pbstrVal)
        return {*v.pbstrVal, SysStringLen(*v.pbstrVal)};
    return {};
}

void cancel(const VARIANT& argument)
{
    if (argument.vt == (VT_BYREF | VT_BOOL) && argument.pboolVal)
        *argument.pboolVal = VARIANT_TRUE;
}

// The same COM object, whichever of its interfaces each pointer is.
bool sameObject(IUnknown* a, IUnknown* b)
{
    if (!a || !b)
        return false;
    IUnknown* ia = nullptr;
    IUnknown* ib = nullptr;
    const bool same = SUCCEEDED(a->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&ia))) &&
                      SUCCEEDED(b->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&ib))) && ia == ib;
    if (ia)
        ia->Release();
    if (ib)
        ib->Release();
    return same;
}

} // namespace

BrowserEvents::BrowserEvents(IDispatch* browser, BrowserEventHandlers handlers)
    : browser_(browser), handlers_(std::move(handlers))
{
}

HRESULT BrowserEvents::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == DIID_DWebBrowserEvents2) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

HRESULT BrowserEvents::GetTypeInfoCount(UINT* count)
{
    *count = 0;
    return S_OK;
}

bool BrowserEvents::isPage(const VARIANT& sender) const
{
    const VARIANT& v = value(sender);
    return v.vt == VT_DISPATCH && sameObject(v.pdispVal, browser_);
}

// The arguments come last first: rgvarg[0] is the event's last parameter.
HRESULT BrowserEvents::Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*, EXCEPINFO*,
                              UINT*)
{
    if (!parameters)
        return S_OK;
    const VARIANT* a = parameters->rgvarg;
    const UINT n = parameters->cArgs;
    switch (member) {
    case DISPID_BEFORENAVIGATE2: // (pDisp, URL, Flags, TargetFrameName, PostData, Headers, Cancel)
        if (n == 7 && handlers_.navigating && !handlers_.navigating(text(a[5]), isPage(a[6])))
            cancel(a[0]);
        break;
    case DISPID_NEWWINDOW3: { // (ppDisp, Cancel, dwFlags, bstrUrlContext, bstrUrl)
        if (n != 5)
            break;
        cancel(a[3]);
        const VARIANT& flags = value(a[2]);
        const bool byUser = (flags.vt == VT_I4 || flags.vt == VT_UI4) && (flags.ulVal & NWMF_USERINITED);
        if (handlers_.newWindow)
            handlers_.newWindow(text(a[0]), byUser);
        break;
    }
    case DISPID_DOCUMENTCOMPLETE: // (pDisp, URL)
        if (n == 2 && isPage(a[1]) && handlers_.loaded)
            handlers_.loaded(true);
        break;
    case DISPID_NAVIGATEERROR: // (pDisp, URL, Frame, StatusCode, Cancel)
        if (n == 5 && isPage(a[4]) && handlers_.loaded)
            handlers_.loaded(false);
        break;
    default:
        break;
    }
    return S_OK;
}

} // namespace tarvelo::platform::win
