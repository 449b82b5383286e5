#pragma once
// The duty and tax rules of an import: duty on the customs value (ad
// valorem, specific or both), consumption tax on its compound base, VAT on
// value + duty + consumption tax. Worked out exactly, shown as steps with
// their formulas and figures, and rounded to the fen only when shown. A rate
// a line lacks is said to be missing and left out of the later bases, never
// taken as zero. The tariff detail page's calculator and the batch lookup
// both compute with these rules.
#include "fraction.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo::duty {

// A rate as the schedule writes it: "10%", "7.5元/升", or both joined by "+".
struct Rate {
    struct Specific {
        Fraction amount; // yuan per unit
        std::string unit;
        std::string text; // "7.5 元/升"
    };
    std::string text; // as given, trimmed
    std::optional<Fraction> adValorem;
    std::string percent; // "10%"
    std::optional<Specific> specific;
    bool unreadable = false;

    bool present() const { return adValorem || specific; }
};
Rate parseRate(std::string_view text);

// "12.5" as 25/2; none for anything but digits with an optional decimal part.
std::optional<Fraction> parseDecimal(std::string_view text);

// The units a line's specific rates count in, in the order they are asked for.
std::vector<std::string> quantityUnits(std::string_view dutyRate, std::string_view consumptionRate);

struct Inputs {
    std::string dutyRate;    // the chosen duty rate's text
    std::string dutyName;    // "最惠国税率" or "普通税率"
    std::string consumptionRate;
    std::string vatRate;
    std::string value;                             // the customs value in yuan, as typed
    std::map<std::string, std::string> quantities; // as typed, by unit
};

// One line of the working. amount is the money figure ("1000.00"), the base
// as a figure, missingRate or missingQuantity, or empty for the prompt.
struct Step {
    std::string id; // one of stepId; the detail page shows each under its id
    std::string amount;
    std::string text;
};
namespace stepId {
inline constexpr std::string_view prompt = "calc-prompt"; // the value is missing or unreadable
inline constexpr std::string_view duty = "calc-duty-out";
inline constexpr std::string_view consumptionBase = "calc-consumption-base";
inline constexpr std::string_view consumption = "calc-consumption-out";
inline constexpr std::string_view vat = "calc-vat-out";
inline constexpr std::string_view total = "calc-total";
} // namespace stepId
inline constexpr std::string_view missingRate = "missing";
inline constexpr std::string_view missingQuantity = "needs-quantity";

struct Outcome {
    std::vector<Step> steps;
    // Each tax, none when it could not be worked out; total sums those that could.
    std::optional<Fraction> duty, consumption, vat;
    std::optional<Fraction> total; // none when the value itself is missing or unreadable
};

Outcome calculate(const Inputs& inputs);

// The names of the two duty rates.
inline constexpr std::string_view mfnName = "最惠国税率";
inline constexpr std::string_view generalName = "普通税率";

} // namespace tarvelo::duty
