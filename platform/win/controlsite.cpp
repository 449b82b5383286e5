#include "controlsite.h"

#include <mshtmdid.h>
#include <olectl.h>

namespace tarvelo::platform::win {
namespace {

// The page files are written in code page 936 and name no character set.
constexpr LONG pageCodePage = 936;

// Pictures only: the pages need no script, applet or ActiveX control, and the
// control raises no dialog of its own.
constexpr LONG pageDownloads =
    DLCTL_DLIMAGES | DLCTL_NO_SCRIPTS | DLCTL_NO_JAVA | DLCTL_NO_RUNACTIVEXCTLS | DLCTL_NO_DLACTIVEXCTLS |
    DLCTL_NO_BEHAVIORS | DLCTL_SILENT;

} // namespace

HRESULT ControlSite::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite)
        *out = static_cast<IOleClientSite*>(this);
    else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite)
        *out = static_cast<IOleInPlaceSite*>(this);
    else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame)
        *out = static_cast<IOleInPlaceFrame*>(this);
    else if (iid == IID_IDocHostUIHandler)
        *out = static_cast<IDocHostUIHandler*>(this);
    else if (iid == IID_IDispatch)
        *out = static_cast<IDispatch*>(this);
    else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

HRESULT ControlSite::GetContainer(IOleContainer** container)
{
    *container = nullptr;
    return E_NOINTERFACE;
}

HRESULT ControlSite::GetWindow(HWND* window)
{
    *window = window_;
    return S_OK;
}

HRESULT ControlSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                      LPRECT clip, LPOLEINPLACEFRAMEINFO info)
{
    AddRef();
    *frame = this;
    *document = nullptr;
    GetClientRect(window_, position);
    *clip = *position;
    info->fMDIApp = FALSE;
    info->hwndFrame = window_;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
}

HRESULT ControlSite::ShowContextMenu(DWORD, POINT* screen, IUnknown*, IDispatch* element)
{
    if (onContextMenu && screen)
        onContextMenu(element, *screen);
    return S_OK;
}

HRESULT ControlSite::GetHostInfo(DOCHOSTUIINFO* info)
{
    if (!info || info->cbSize < sizeof(DOCHOSTUIINFO))
        return E_INVALIDARG;
    info->dwFlags = DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_DISABLE_HELP_MENU;
    info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    info->pchHostCss = nullptr;
    info->pchHostNS = nullptr;
    return S_OK;
}

HRESULT ControlSite::GetOptionKeyPath(LPOLESTR* key, DWORD)
{
    *key = nullptr;
    return E_NOTIMPL;
}

HRESULT ControlSite::GetDropTarget(IDropTarget*, IDropTarget** target)
{
    *target = nullptr;
    return E_NOTIMPL;
}

HRESULT ControlSite::GetExternal(IDispatch** external)
{
    *external = nullptr;
    return E_NOTIMPL;
}

HRESULT ControlSite::TranslateUrl(DWORD, LPWSTR, LPWSTR* translated)
{
    *translated = nullptr;
    return S_FALSE;
}

HRESULT ControlSite::FilterDataObject(IDataObject*, IDataObject** filtered)
{
    *filtered = nullptr;
    return S_FALSE;
}

HRESULT ControlSite::GetTypeInfoCount(UINT* count)
{
    *count = 0;
    return S_OK;
}

HRESULT ControlSite::Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                            UINT*)
{
    if (!(flags & DISPATCH_PROPERTYGET) || !result)
        return DISP_E_MEMBERNOTFOUND;
    switch (member) {
    case DISPID_AMBIENT_CODEPAGE:
        result->vt = VT_I4;
        result->lVal = pageCodePage;
        return S_OK;
    case DISPID_AMBIENT_DLCONTROL:
        result->vt = VT_I4;
        result->lVal = pageDownloads;
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

} // namespace tarvelo::platform::win
