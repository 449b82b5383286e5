#pragma once
// What the service's tariff search answered for one item, and how sure the
// answer is.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo::batch {

struct TariffHit {
    std::string code, name, mfn, general, consumption, vat, unit, supervision;
};

// The lines of a Tariff answer, best first.
std::vector<TariffHit> tariffHits(std::string_view answer);

// The keyword sent for an item: a code in any notation ("8471.30.00",
// "8471 3000") as its digits, with the leading 0 a spreadsheet drops
// ("2071400" is 02071400), a ten-digit commodity code as the eight-digit
// tariff line it belongs to; a description as it is.
std::string searchKeyword(std::string_view goods);

struct Match {
    std::optional<TariffHit> best; // none: nothing found
    std::vector<TariffHit> alternatives; // at most two, when uncertain
    bool uncertain = false;
    std::string note; // why it is uncertain, or that nothing was found
};

// A code is sure when the answer holds the very line; a shorter code with
// several lines under it is not. A description is sure when the best line
// names it word for word, or when the first three answers share one heading
// (four digits): answers across headings mean the words fit more than one
// kind of goods. (bench/batch measures how well this points at wrong answers.)
Match judge(std::string_view goods, const std::vector<TariffHit>& hits);

} // namespace tarvelo::batch
