// The export as a workbook, written by libxlsxwriter: one sheet, the header
// bold and frozen, money as numbers with two decimals.
#include "export.h"

#include "dutyrules.h"

#include "utf8.h"

#include <xlsxwriter.h>

#include <atomic>
#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <unistd.h>

namespace tarvelo::batch {

namespace {

// libxlsxwriter opens its file by a plain char name, which Windows reads in
// its ANSI code page: the workbook is drafted under a name of our own in the
// temporary folder and moved to the user's only once it is whole, so that a
// failed export also leaves an earlier file of that name as it was.
class Draft {
public:
    Draft()
    {
        static std::atomic<unsigned> count{0};
        path_ = std::filesystem::temp_directory_path() /
                ("tarvelo-export-" + std::to_string(::getpid()) + "-" + std::to_string(count++) + ".xlsx");
    }
    ~Draft()
    {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    Draft(const Draft&) = delete;
    Draft& operator=(const Draft&) = delete;

    std::string name() const { return path_.string(); }

    void moveTo(const std::filesystem::path& target) const
    {
        std::error_code error;
        std::filesystem::rename(path_, target, error);
        if (error) // another drive or file system: copied instead
            std::filesystem::copy_file(path_, target, std::filesystem::copy_options::overwrite_existing);
    }

private:
    std::filesystem::path path_;
};

} // namespace

void writeXlsx(const ExportTable& table, const std::string& path)
{
    const Draft draft;
    lxw_workbook* workbook = workbook_new(draft.name().c_str());
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
    try {
        draft.moveTo(pathFromUtf8(path));
    } catch (const std::filesystem::filesystem_error& e) {
        throw std::runtime_error("cannot write " + path + ": " + e.code().message());
    }
}

} // namespace tarvelo::batch
