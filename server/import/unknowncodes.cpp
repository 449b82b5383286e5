#include "unknowncodes.h"

#include <algorithm>

namespace tarvelo::server {

UnknownCodes::UnknownCodes(std::vector<std::string> known, bool strict) : known_(std::move(known)), strict_(strict)
{
    std::sort(known_.begin(), known_.end());
}

void UnknownCodes::check(const CsvTable& table, size_t row, std::string_view code)
{
    const std::string_view hs = code.substr(0, 6);
    if (std::binary_search(known_.begin(), known_.end(), hs))
        return;
    const std::string problem = table.where(row) + ": the code " + std::string(code) + " is under " + std::string(hs) +
                                ", which the HS nomenclature in the database does not have";
    if (strict_)
        throw CsvError(problem);
    warnings_.push_back(problem);
}

} // namespace tarvelo::server
