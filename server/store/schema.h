#pragma once
// The layout of the service database: its tables, what older databases lack,
// the tables derived from the loaded ones, and whole copies of the file.
#include "sqlite.h"

#include <filesystem>

namespace tarvelo::server {

void createSchema(Connection& db);
// Adds what later versions keep beside an older database's tables; the
// undated rates of such a database become its one schedule, and it has no
// provenance records (see holdsSample).
void upgradeSchema(Connection& db);
bool hasTable(Connection& db, std::string_view name);
// Refreshes the derived tables (the tariff lines from their newest schedule,
// the commodity list and the English descriptions); must follow every load,
// inside the same transaction.
void rebuildSearch(Connection& db);

// Writes a consistent copy of the live database to copy (which must not exist).
void copyDatabase(const std::filesystem::path& live, const std::filesystem::path& copy);

} // namespace tarvelo::server
