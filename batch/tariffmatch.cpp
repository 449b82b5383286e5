#include "tariffmatch.h"

#include "pages/records.h"

#include <algorithm>
#include <array>

namespace tarvelo::batch {
namespace {

// The digits of a code written with dots, spaces or dashes; empty when the
// text is anything else or has fewer than four digits.
std::string codeDigits(std::string_view goods)
{
    std::string digits;
    for (const char c : goods) {
        if (c >= '0' && c <= '9')
            digits += c;
        else if (c != '.' && c != ' ' && c != '-' && c != '\t')
            return {};
    }
    return digits.size() >= 4 ? digits : std::string();
}

std::string_view heading(const TariffHit& hit)
{
    return std::string_view(hit.code).substr(0, 4);
}

} // namespace

std::vector<TariffHit> tariffHits(std::string_view answer)
{
    static constexpr std::array<std::string_view, 8> names = {"HS_code", "Product_name", "MFN", "Gen",
                                                              "GST",     "VAT",          "Unit", "SC"};
    const pages::RecordSet records(answer, names);
    std::vector<TariffHit> hits(records.count(0));
    for (size_t i = 0; i < hits.size(); ++i) {
        TariffHit& h = hits[i];
        for (auto [field, out] : {std::pair{0, &h.code}, {1, &h.name}, {2, &h.mfn}, {3, &h.general},
                                  {4, &h.consumption}, {5, &h.vat}, {6, &h.unit}, {7, &h.supervision}})
            records.appendValue(field, i, *out);
    }
    return hits;
}

std::string searchKeyword(std::string_view goods)
{
    std::string digits = codeDigits(goods);
    if (digits.empty())
        return std::string(goods);
    // Codes have an even number of digits. An odd number is a code of
    // chapters 01 to 09 that a spreadsheet kept as a number, without its 0.
    if (digits.size() % 2 == 1 && goods.find_first_not_of("0123456789") == std::string_view::npos)
        digits.insert(0, 1, '0');
    return digits.size() == 10 ? digits.substr(0, 8) : digits;
}

Match judge(std::string_view goods, const std::vector<TariffHit>& hits)
{
    Match match;
    if (hits.empty()) {
        match.note = "未找到";
        return match;
    }
    match.best = hits.front();
    const std::string code = searchKeyword(goods);
    if (!codeDigits(goods).empty()) {
        const auto exact = std::find_if(hits.begin(), hits.end(), [&](const TariffHit& h) { return h.code == code; });
        if (exact != hits.end()) {
            match.best = *exact;
            return match;
        }
        if (hits.size() == 1)
            return match;
        match.uncertain = true;
        match.note = "编码 " + code + " 下有 " + std::to_string(hits.size()) + " 个税号，请核对";
    } else {
        const size_t considered = std::min<size_t>(hits.size(), 3);
        const bool oneHeading = std::all_of(hits.begin(), hits.begin() + considered,
                                            [&](const TariffHit& h) { return heading(h) == heading(hits.front()); });
        // The goods named word for word by the best line need no second look.
        const bool named = hits.front().name.find(code) != std::string::npos;
        if (oneHeading || named)
            return match;
        match.uncertain = true;
        match.note = "最接近的答案分属不同品目，请核对";
    }
    for (auto h = hits.begin() + 1; h != hits.end() && match.alternatives.size() < 2; ++h)
        match.alternatives.push_back(*h);
    return match;
}

} // namespace tarvelo::batch
