#pragma once
// Records from the rows of statements that select their columns in the order
// named here.
#include "records.h"
#include "sqlite.h"

#include <string_view>

namespace tarvelo::server {

inline constexpr std::string_view tariffColumns =
    "id, code, name, mfn, general, consumption, vat, unit, supervision, description";
inline constexpr std::string_view rebateColumns = "id, code, name, unit, rate, description";
inline constexpr std::string_view articleColumns = "id, title, updated, source, body";

TariffLine tariffRow(const Statement& s);
RebateLine rebateRow(const Statement& s);
Article articleRow(const Statement& s);

} // namespace tarvelo::server
