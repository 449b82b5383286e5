#pragma once
// Creating the service database and replacing its tables from CSV files.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tarvelo::server {

// Creates the database file and fills it from the bundled data when it does
// not exist yet. The file appears complete or not at all.
void ensureDatabase(const std::filesystem::path& file);

// CSV files for `tarvelo-service import`; each one given replaces its table.
struct ImportFiles {
    std::optional<std::filesystem::path> tariff;
    std::optional<std::filesystem::path> rebates;
    std::optional<std::filesystem::path> articles;
    std::optional<std::filesystem::path> news;
    std::optional<std::filesystem::path> bubble;
    std::optional<std::filesystem::path> hs;       // needs sections as well
    std::optional<std::filesystem::path> sections;
    std::optional<std::filesystem::path> references; // the operator's own; the bundled ones stay
    // The day the tariff file takes effect (2026-01-01); empty: the file
    // replaces every earlier schedule.
    std::string effective;
    // Refuse codes the HS nomenclature lacks instead of warning about them.
    bool strict = false;
    // Accept files without data rows, which empty their tables.
    bool allowEmpty = false;
};

struct ImportReport {
    std::vector<std::string> loaded;   // one line per table loaded
    std::vector<std::string> warnings; // unknown codes, leftovers removed
};

// Loads the given files (UTF-8 or GB18030, see decodeCsvText) in one
// transaction into a copy of the database and renames the copy over it (see
// DatabaseSwap), recording each table's file and time (see provenance.h).
// beforeReplace, when given, is called with the finished copy just before
// the rename (to build what goes with the data). Throws CsvError,
// SqliteError or std::runtime_error and leaves the database as it was.
ImportReport importFiles(const std::filesystem::path& database, const ImportFiles& files,
                         const std::function<void(const std::filesystem::path& copy)>& beforeReplace = {});

} // namespace tarvelo::server
