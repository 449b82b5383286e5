#pragma once
// The items of a goods list: what to look up, with its customs value and
// quantity, read from the rows of its source.
#include "table.h"

#include <string>
#include <vector>

namespace tarvelo::batch {

struct Item {
    int line = 0;          // where the source holds it
    std::string input;     // the row as given, cells joined by tabs
    std::string goods;     // a code in any notation, or a description
    std::string value;     // the customs value in yuan, empty when not given
    std::string quantity;  // in the unit of the line's specific rate, empty when not given
    std::string problem;   // not empty: the row is kept but not looked up, and why
};

struct GoodsList {
    std::vector<Item> items;
    bool header = false; // the first row named the columns and was left out
};

// Columns: goods, value, quantity, in this order, unless a first row names
// them (in Chinese or English, in any order, a code column and a name column
// both if wanted; other named columns are left alone). Throws ListError when
// such a row names no goods column.
GoodsList goodsList(const Table& table);

} // namespace tarvelo::batch
