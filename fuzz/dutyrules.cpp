// The duty rules on any rates and figures: never crash or overflow
// unnoticed, and always end with a total or a prompt. The input is split at
// newlines into duty rate, consumption rate, VAT rate, value and quantity.
#include "dutyrules.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string parts[5];
    size_t part = 0;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == '\n' && part < 4)
            ++part;
        else
            parts[part] += static_cast<char>(data[i]);
    }
    tarvelo::duty::Inputs inputs{parts[0], "最惠国税率", parts[1], parts[2], parts[3], {}};
    for (const std::string& unit : tarvelo::duty::quantityUnits(parts[0], parts[1]))
        inputs.quantities.emplace(unit, parts[4]);
    const tarvelo::duty::Outcome outcome = tarvelo::duty::calculate(inputs);
    if (outcome.steps.empty())
        std::abort();
    const std::string& last = outcome.steps.back().id;
    if (last != tarvelo::duty::stepId::total && last != tarvelo::duty::stepId::prompt)
        std::abort();
    if ((last == tarvelo::duty::stepId::total) != outcome.total.has_value())
        std::abort();
    return 0;
}
