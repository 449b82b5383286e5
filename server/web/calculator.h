#pragma once
// The duty and tax calculator on a tariff detail page: a form and an inline
// script that work without the network in any current browser.
#include "records.h"

#include <string>
#include <vector>

namespace tarvelo::server {

// Appends the calculator for the lines shown (a choice when more than one).
void appendCalculator(std::string& html, const std::vector<TariffLine>& lines);

} // namespace tarvelo::server
