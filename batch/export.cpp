#include "export.h"

#include "utf8.h"

#include <array>
#include <fstream>
#include <stdexcept>

namespace tarvelo::batch {
namespace {

enum Column : size_t {
    Line, Input, Value, Quantity, Code, Name, Mfn, General, Consumption, Vat, Unit, Supervision,
    Duty, ConsumptionTax, VatTax, Total, Check, Alternatives, Note, ColumnCount
};
constexpr std::array<std::string_view, ColumnCount> headings = {
    "行号", "输入内容", "完税价格", "数量", "税则号列", "货品名称", "最惠国税率", "普通税率", "消费税率", "增值税率",
    "计量单位", "监管条件", "关税", "消费税", "增值税", "税费合计", "需核对", "备选税号", "说明"};

// A step's amount as a cell: the money figure, or what stopped it.
std::string amountCell(const duty::Outcome& taxes, std::string_view id)
{
    for (const duty::Step& step : taxes.steps) {
        if (step.id != id)
            continue;
        if (step.amount == duty::missingRate)
            return "缺税率";
        if (step.amount == duty::missingQuantity)
            return "缺数量";
        return step.amount;
    }
    return {};
}

std::string quoted(std::string_view cell, std::string_view separators)
{
    if (cell.find_first_of(separators) == std::string_view::npos && cell.find('"') == std::string_view::npos)
        return std::string(cell);
    std::string out = "\"";
    for (const char c : cell)
        out += c == '"' ? "\"\"" : std::string(1, c);
    return out + '"';
}

std::string joined(const ExportTable& table, char separator, std::string_view lineEnd)
{
    const std::string special = std::string(1, separator) + "\r\n";
    std::string text;
    const auto row = [&](const std::vector<std::string>& cells) {
        for (size_t i = 0; i < cells.size(); ++i)
            text += (i ? std::string(1, separator) : "") + quoted(cells[i], special);
        text += lineEnd;
    };
    row(table.header);
    for (const auto& r : table.rows)
        row(r);
    return text;
}

} // namespace

bool isMoneyColumn(size_t column)
{
    return column >= Duty && column <= Total;
}

std::vector<std::string> exportRow(const Item& item, const LineResult& result)
{
    std::vector<std::string> row(ColumnCount);
    row[Line] = std::to_string(item.line);
    row[Input] = item.input;
    row[Value] = item.value;
    row[Quantity] = item.quantity;
    if (const auto& best = result.match.best) {
        for (auto [column, text] : {std::pair{Code, &best->code}, {Name, &best->name}, {Mfn, &best->mfn},
                                    {General, &best->general}, {Consumption, &best->consumption}, {Vat, &best->vat},
                                    {Unit, &best->unit}, {Supervision, &best->supervision}})
            row[column] = *text;
    }
    if (result.taxes) {
        row[Duty] = amountCell(*result.taxes, duty::stepId::duty);
        row[ConsumptionTax] = amountCell(*result.taxes, duty::stepId::consumption);
        row[VatTax] = amountCell(*result.taxes, duty::stepId::vat);
        row[Total] = amountCell(*result.taxes, duty::stepId::total);
    }
    row[Check] = result.match.uncertain ? "是" : "";
    for (const TariffHit& alternative : result.match.alternatives)
        row[Alternatives] += (row[Alternatives].empty() ? "" : "；") + alternative.code + " " + alternative.name;
    row[Note] = result.note;
    return row;
}

ExportTable exportTable(const std::vector<Item>& items, const std::vector<LineResult>& results)
{
    ExportTable table;
    table.header.assign(headings.begin(), headings.end());
    std::array<Fraction, 4> sums{};
    for (size_t i = 0; i < items.size(); ++i) {
        std::vector<std::string> row = exportRow(items[i], results[i]);
        // The totals add the figures shown, as a spreadsheet's sum of the column would.
        for (size_t s = 0; s < sums.size(); ++s)
            sums[s] = sums[s] + duty::parseDecimal(row[Duty + s]).value_or(Fraction());
        table.rows.push_back(std::move(row));
    }
    std::vector<std::string> totals(ColumnCount);
    totals[Input] = "合计";
    for (size_t s = 0; s < sums.size(); ++s)
        totals[Duty + s] = sums[s].fixed(2);
    table.rows.push_back(std::move(totals));
    return table;
}

std::string csvText(const ExportTable& table)
{
    return "\xEF\xBB\xBF" + joined(table, ',', "\r\n");
}

void writeCsv(const ExportTable& table, const std::string& path)
{
    std::ofstream out(pathFromUtf8(path), std::ios::binary | std::ios::trunc);
    out << csvText(table);
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::string tabText(const ExportTable& table)
{
    return joined(table, '\t', "\n");
}

} // namespace tarvelo::batch
