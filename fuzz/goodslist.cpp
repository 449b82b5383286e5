// A goods list read from any bytes, as text, CSV and XLSX: never crashes,
// every row becomes an item or the whole list a ListError, and an item keeps
// the line it came from.
#include "batch/goodslist.h"

#include <cstdint>
#include <cstdlib>

namespace {

void check(const tarvelo::batch::Table& table)
{
    try {
        const tarvelo::batch::GoodsList list = tarvelo::batch::goodsList(table);
        if (list.items.size() + (list.header ? 1 : 0) != table.size())
            std::abort(); // a row was lost
        for (size_t i = 0; i < list.items.size(); ++i)
            if (list.items[i].line != table[i + (list.header ? 1 : 0)].line)
                std::abort();
    } catch (const tarvelo::batch::ListError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    check(tarvelo::batch::readPastedText(input));
    for (const auto read : {tarvelo::batch::readCsv, tarvelo::batch::readXlsx}) {
        try {
            check(read(input));
        } catch (const tarvelo::batch::ListError&) {
        }
    }
    return 0;
}
