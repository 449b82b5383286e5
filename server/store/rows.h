#pragma once
// Records from the rows of statements that select their columns in the order
// named here.
#include "records.h"
#include "sqlite.h"

#include <string_view>

namespace tarvelo::server {

// The lines with the rates in force on the day bound to ?1 (2026-01-01), in the
// column order tariffRow reads; a line whose every schedule starts later is left out.
inline constexpr std::string_view tariffInForce =
    "SELECT t.id, t.code, s.name, s.mfn, s.general, s.consumption, s.vat, s.unit, s.supervision, t.description "
    "FROM tariff t JOIN tariff_schedule s ON s.code = t.code AND s.effective = "
    "(SELECT max(effective) FROM tariff_schedule WHERE code = t.code AND effective <= ?1)";
inline constexpr std::string_view rebateColumns = "id, code, name, unit, rate, description";
inline constexpr std::string_view articleColumns = "id, title, updated, source, body";

TariffLine tariffRow(const Statement& s);
RebateLine rebateRow(const Statement& s);
Article articleRow(const Statement& s);

} // namespace tarvelo::server
