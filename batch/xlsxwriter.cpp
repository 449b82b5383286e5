// The export as a workbook, written by libxlsxwriter: one sheet, the header
// bold and frozen, money as numbers with two decimals.
#include "export.h"

#include "dutyrules.h"

#include <xlsxwriter.h>

#include <stdexcept>

namespace tarvelo::batch {

void writeXlsx(const ExportTable& table, const std::string& path)
{
    lxw_workbook* workbook = workbook_new(path.c_str());
    if (!workbook)
        throw std::runtime_error("cannot create " + path);
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, "批量查询");
    lxw_format* bold = workbook_add_format(workbook);
    format_set_bold(bold);
    lxw_format* money = workbook_add_format(workbook);
    format_set_num_format(money, "0.00");

    for (size_t c = 0; c < table.header.size(); ++c)
        worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(c), table.header[c].c_str(), bold);
    worksheet_freeze_panes(sheet, 1, 0);
    for (size_t r = 0; r < table.rows.size(); ++r) {
        const auto row = static_cast<lxw_row_t>(r + 1);
        for (size_t c = 0; c < table.rows[r].size(); ++c) {
            const std::string& cell = table.rows[r][c];
            const auto column = static_cast<lxw_col_t>(c);
            if (cell.empty())
                continue;
            // From the exact figure: std::stod would follow the user's locale.
            if (const auto number = duty::parseDecimal(cell); number && isMoneyColumn(c))
                worksheet_write_number(sheet, row, column,
                                       static_cast<double>(number->numerator()) /
                                           static_cast<double>(number->denominator()),
                                       money);
            else
                worksheet_write_string(sheet, row, column, cell.c_str(), nullptr);
        }
    }
    worksheet_set_column(sheet, 1, 1, 28, nullptr);
    worksheet_set_column(sheet, 5, 5, 30, nullptr);
    worksheet_set_column(sheet, 17, 18, 36, nullptr);
    // Closing writes the file and frees the workbook, whatever the outcome.
    if (const lxw_error error = workbook_close(workbook); error != LXW_NO_ERROR)
        throw std::runtime_error("cannot write " + path + ": " + lxw_strerror(error));
}

} // namespace tarvelo::batch
