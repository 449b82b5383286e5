#include "tablerow.h"

#include <mshtml.h>
#include <wrl/client.h>

namespace tarvelo::platform::win {
namespace {

using Microsoft::WRL::ComPtr;

std::wstring innerText(IHTMLElement* element)
{
    BSTR text = nullptr;
    if (FAILED(element->get_innerText(&text)) || !text)
        return {};
    std::wstring out(text, SysStringLen(text));
    SysFreeString(text);
    // Trimmed as the page shows it.
    const auto first = out.find_first_not_of(L" \t\r\n\u00a0");
    const auto last = out.find_last_not_of(L" \t\r\n\u00a0");
    return first == std::wstring::npos ? std::wstring{} : out.substr(first, last - first + 1);
}

} // namespace

std::vector<std::wstring> rowCellsOf(IDispatch* element)
{
    std::vector<std::wstring> cells;
    ComPtr<IHTMLElement> at;
    if (!element || FAILED(element->QueryInterface(IID_IHTMLElement, reinterpret_cast<void**>(at.GetAddressOf()))))
        return cells;
    ComPtr<IHTMLTableRow> row;
    while (at && FAILED(at.As(&row))) {
        ComPtr<IHTMLElement> parent;
        if (FAILED(at->get_parentElement(parent.GetAddressOf())))
            break;
        at = parent;
    }
    ComPtr<IHTMLElementCollection> all;
    LONG count = 0;
    if (!row || FAILED(row->get_cells(all.GetAddressOf())) || !all || FAILED(all->get_length(&count)))
        return cells;
    for (LONG i = 0; i < count; ++i) {
        VARIANT index;
        VariantInit(&index);
        index.vt = VT_I4;
        index.lVal = i;
        ComPtr<IDispatch> item;
        ComPtr<IHTMLElement> cell;
        if (SUCCEEDED(all->item(index, index, item.GetAddressOf())) && item && SUCCEEDED(item.As(&cell)))
            cells.push_back(innerText(cell.Get()));
    }
    return cells;
}

} // namespace tarvelo::platform::win
