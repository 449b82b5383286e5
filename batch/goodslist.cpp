#include "goodslist.h"

#include "dutyrules.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>

namespace tarvelo::batch {
namespace {

enum class Column { code, name, value, quantity };

struct Heading {
    std::string_view name;
    Column column;
};
constexpr std::array<Heading, 24> headings{{
    {"商品", Column::name},      {"商品名称", Column::name},     {"品名", Column::name},
    {"货品名称", Column::name},  {"货物", Column::name},         {"商品编码", Column::code},
    {"税则号列", Column::code},  {"税号", Column::code},         {"编码", Column::code},
    {"goods", Column::name},     {"description", Column::name}, {"code", Column::code},
    {"hs code", Column::code},   {"item", Column::name},        {"完税价格", Column::value},
    {"价格", Column::value},      {"金额", Column::value},         {"货值", Column::value},
    {"value", Column::value},     {"customs value", Column::value}, {"cif", Column::value},
    {"数量", Column::quantity},   {"quantity", Column::quantity},  {"qty", Column::quantity},
}};

std::string trimmed(std::string_view text)
{
    const size_t from = text.find_first_not_of(" \t\r\n");
    if (from == std::string_view::npos)
        return {};
    return std::string(text.substr(from, text.find_last_not_of(" \t\r\n") - from + 1));
}

// A heading cell as compared: trimmed, lower case, without a trailing
// "(元)" or "（元）".
std::string headingKey(std::string_view cell)
{
    std::string key = trimmed(cell);
    for (std::string_view open : {std::string_view("("), std::string_view("（")})
        if (const size_t at = key.find(open); at != std::string::npos && at > 0)
            key = trimmed(key.substr(0, at));
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::tolower(c); });
    return key;
}

std::optional<Column> headingOf(std::string_view cell)
{
    const std::string key = headingKey(cell);
    for (const Heading& h : headings)
        if (key == h.name)
            return h.column;
    return std::nullopt;
}

// The column of each role when the row names them; none when it is data.
std::optional<std::array<int, 4>> headerColumns(const SourceRow& row)
{
    std::array<int, 4> at{-1, -1, -1, -1};
    bool named = false;
    for (size_t i = 0; i < row.cells.size(); ++i) {
        if (const auto column = headingOf(row.cells[i]); column) {
            int& slot = at[static_cast<size_t>(*column)];
            if (slot < 0)
                slot = static_cast<int>(i);
            named = true;
        } else if (duty::parseDecimal(row.cells[i])) {
            return std::nullopt; // a figure: the row is data
        }
    }
    if (!named)
        return std::nullopt;
    return at;
}

std::string cell(const SourceRow& row, int column)
{
    return column >= 0 && static_cast<size_t>(column) < row.cells.size() ? trimmed(row.cells[column]) : std::string();
}

Item item(const SourceRow& row, const std::array<int, 4>& at, bool named)
{
    Item item;
    item.line = row.line;
    size_t used = row.cells.size();
    while (used > 0 && trimmed(row.cells[used - 1]).empty())
        --used;
    for (size_t i = 0; i < used; ++i)
        item.input += (i ? "\t" : "") + row.cells[i];
    // With a code column and a name column, the code is looked up where it is given.
    item.goods = cell(row, at[0]);
    if (item.goods.empty())
        item.goods = cell(row, at[1]);
    item.value = cell(row, at[2]);
    item.quantity = cell(row, at[3]);
    if (!named) {
        for (size_t i = 3; i < row.cells.size(); ++i)
            if (!trimmed(row.cells[i]).empty())
                item.problem = "多出的一列：“" + trimmed(row.cells[i]) + "”（每行只认商品、完税价格、数量三列）";
    }
    if (item.goods.empty())
        item.problem = "缺少商品编码或名称";
    else if (!item.value.empty() && !duty::parseDecimal(item.value))
        item.problem = "完税价格“" + item.value + "”不是数字";
    else if (!item.quantity.empty() && !duty::parseDecimal(item.quantity))
        item.problem = "数量“" + item.quantity + "”不是数字";
    return item;
}

} // namespace

GoodsList goodsList(const Table& table)
{
    GoodsList list;
    std::array<int, 4> at{0, -1, 1, 2}; // code or name, value, quantity
    auto row = table.begin();
    if (row != table.end()) {
        if (const auto named = headerColumns(*row); named) {
            if ((*named)[0] < 0 && (*named)[1] < 0)
                throw ListError("the header row (line " + std::to_string(row->line) +
                                ") names no goods column: call one 商品名称, 商品编码, goods or code");
            at = *named;
            list.header = true;
            ++row;
        }
    }
    for (; row != table.end(); ++row)
        list.items.push_back(item(*row, at, list.header));
    return list;
}

} // namespace tarvelo::batch
