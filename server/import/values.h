#pragma once
// The forms of the values the schedules carry, checked before they are stored.
#include <string_view>

namespace tarvelo::server {

// A duty, tax or rebate rate: ad valorem (13%, 6.5%), specific (7.5元/升,
// 220元/吨), compound (parts joined by +: 56%+0.003元/支), or empty where the
// schedule gives none.
bool isRate(std::string_view text);

} // namespace tarvelo::server
