#pragma once
// The table row of a page element, as the texts of its cells.
#include <windows.h>

#include <oaidl.h>

#include <string>
#include <vector>

namespace tarvelo::platform::win {

// The texts of the cells of the table row that holds element (a cell, or
// anything inside one); none when it is in no row.
std::vector<std::wstring> rowCellsOf(IDispatch* element);

} // namespace tarvelo::platform::win
