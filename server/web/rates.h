#pragma once
// The rates in force of chosen tariff lines and each one's next scheduled
// change, for the desktop program's watch list. A small XML document:
//   <rates today="2026-12-10">
//     <line code=".." name=".." mfn=".." general=".." consumption=".." vat=".." unit=".." supervision="..">
//       <next effective="2027-01-01" mfn=".." general=".." consumption=".." vat=".." unit=".." supervision=".."/>
//     </line>
//   </rates>
// Codes the schedule lacks (or not yet in force) have no line.
#include "records.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo::server {

inline constexpr std::string_view ratesPath = "/rates";
// Repeated, one per line asked: 8 or 10 digits.
inline constexpr std::string_view ratesParameter = "code";
inline constexpr std::size_t maxRatesCodes = 500;

struct LineRates {
    TariffLine line;
    std::optional<TariffRate> next;
};

// The earliest schedule of code starting after today, from the line's history.
std::optional<TariffRate> nextChange(const std::vector<TariffRate>& history, std::string_view code,
                                     std::string_view today);

std::string ratesAnswer(const std::vector<LineRates>& lines, std::string_view today);

} // namespace tarvelo::server
