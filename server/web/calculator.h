#pragma once
// The duty and tax calculator on a tariff detail page: a form whose script
// sends what is typed to the service and shows the steps it answers, worked
// out by the rules in common/dutyrules.h.
#include "dutyrules.h"
#include "records.h"

#include <string>
#include <string_view>
#include <vector>

namespace tarvelo::server {

// Appends the calculator for the lines shown (a choice when more than one);
// endpoint is the absolute address of the calculation, so that a saved copy
// of the page still calculates.
void appendCalculator(std::string& html, const std::vector<TariffLine>& lines, std::string_view endpoint);

// GET calculationPath answers the steps for its parameters (the names below,
// as calculator.js sends them), as JSON: {"steps":[{"id","amount","text"}]}.
inline constexpr std::string_view calculationPath = "/calculate";
namespace calculationParameter {
inline constexpr std::string_view dutyChoice = "choice"; // mfn or general: the duty rate's name
inline constexpr std::string_view duty = "duty";
inline constexpr std::string_view consumption = "consumption";
inline constexpr std::string_view vat = "vat";
inline constexpr std::string_view value = "value";
// Repeated in pairs: the quantity typed for each unit.
inline constexpr std::string_view unit = "unit";
inline constexpr std::string_view quantity = "quantity";
} // namespace calculationParameter

inline constexpr std::string_view jsonContentType = "application/json";
std::string calculationAnswer(const duty::Inputs& inputs);

} // namespace tarvelo::server
