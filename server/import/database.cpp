#include "database.h"

#include "bundled.h"
#include "csv.h"
#include "databaseswap.h"
#include "encoding.h"
#include "loaders.h"
#include "provenance.h"
#include "schema.h"
#include "sqlite.h"
#include "tables.h"
#include "today.h"
#include "unknowncodes.h"

#include <fstream>
#include <sstream>
#include <system_error>
#include <unistd.h>

namespace tarvelo::server {
namespace {

constexpr std::string_view sampleNotice =
    "示例数据：税率、退税率、监管条件和法规文章均为 Tarvelo 项目编写的演示数据，不是法定税率，不得用于报关。"
    " Sample data written for demonstration, not legal rates.";

// A data file as UTF-8; without data rows it is refused unless allowEmpty,
// since an empty export far more often means a failed one than an empty table.
CsvTable readTable(const std::filesystem::path& file, bool allowEmpty)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + file.string());
    std::ostringstream bytes;
    bytes << in.rdbuf();
    CsvTable table(decodeCsvText(std::move(bytes).str(), file.string()), file.string());
    if (table.size() == 0 && !allowEmpty)
        throw CsvError(file.string() + ": no data rows below the header; --allow-empty empties the table");
    return table;
}

void fillFromBundle(Connection& db)
{
    Transaction t(db);
    createSchema(db);
    loadHs(db, CsvTable(bundled::hsNomenclature(), "bundled hs/harmonized-system.csv"),
           CsvTable(bundled::hsSections(), "bundled hs/sections.csv"));
    loadHsNames(db, CsvTable(bundled::hsNames(), "bundled hs/names-zh.csv"),
                CsvTable(bundled::hsSectionNames(), "bundled hs/sections-zh.csv"));
    for (const bundled::File& file : bundled::references())
        loadReferences(db, CsvTable(file.text, "bundled " + std::string(file.name)), false);
    loadGlosses(db, CsvTable(bundled::glosses(), "bundled cedict/zh-en.csv"));
    loadTariff(db, CsvTable(bundled::tariff(), "bundled tariff.csv"), "2025-01-01");
    loadTariff(db, CsvTable(bundled::tariffChanges(), "bundled tariff-changes.csv"), "2026-07-01");
    loadRebates(db, CsvTable(bundled::rebates(), "bundled rebates.csv"));
    loadArticles(db, CsvTable(bundled::articles(), "bundled articles.csv"));
    loadNews(db, "news", CsvTable(bundled::news(), "bundled news.csv"));
    loadNews(db, "bubble", CsvTable(bundled::bubble(), "bundled bubble.csv"));
    setNotice(db, sampleNotice);
    for (const auto table : {dataset::tariff, dataset::rebates, dataset::articles, dataset::references, dataset::hs,
                             dataset::news, dataset::bubble})
        recordSample(db, table);
    rebuildSearch(db);
    t.commit();
}

std::string counted(const CsvTable& table, std::string_view what)
{
    return std::to_string(table.size()) + " " + std::string(what) + " from " + table.source();
}

} // namespace

void ensureDatabase(const std::filesystem::path& file)
{
    if (std::filesystem::exists(file)) {
        Connection db(file, Connection::Mode::ReadWriteCreate);
        upgradeSchema(db);
        return;
    }
    std::filesystem::path draft = file;
    draft += ".new-" + std::to_string(::getpid());
    try {
        {
            Connection db(draft, Connection::Mode::ReadWriteCreate);
            fillFromBundle(db);
        }
        std::filesystem::rename(draft, file);
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove(draft, ignored);
        throw;
    }
}

ImportReport importFiles(const std::filesystem::path& database, const ImportFiles& files,
                         const std::function<void(const std::filesystem::path& copy)>& beforeReplace)
{
    if (files.hs.has_value() != files.sections.has_value())
        throw std::runtime_error("--hs and --sections go together");
    ensureDatabase(database);
    DatabaseSwap swap(database);
    ImportReport report;
    for (const auto& leftover : swap.leftovers())
        report.warnings.push_back("removed " + leftover.string() + ", left by an import that did not finish");
    Connection db(swap.draft(), Connection::Mode::ReadWriteCreate);
    Transaction t(db);
    const std::string now = localTimeText("%Y-%m-%dT%H:%M:%S%z");
    const auto read = [&](const std::filesystem::path& file) { return readTable(file, files.allowEmpty); };
    const auto record = [&](const std::filesystem::path& file, std::string_view table) {
        recordImport(db, table, file.string(), now);
    };
    if (files.hs) {
        const CsvTable hs = read(*files.hs);
        const CsvTable sections = read(*files.sections);
        loadHs(db, hs, sections);
        record(*files.hs, dataset::hs);
        report.loaded.push_back(counted(hs, "HS rows") + ", " + counted(sections, "sections"));
    }
    // Checked against the nomenclature just loaded, if any.
    UnknownCodes unknown(hsCodes(db), files.strict);
    if (files.references) {
        const CsvTable table = read(*files.references);
        clearReferences(db, true);
        loadReferences(db, table, true, &unknown);
        record(*files.references, dataset::references);
        report.loaded.push_back(counted(table, "search references"));
    }
    if (files.tariff) {
        // A dated schedule over the sample leaves the sample's other lines in force: still a sample.
        const bool sampleStays = !files.effective.empty() && holdsSample(db, dataset::tariff);
        const CsvTable table = read(*files.tariff);
        loadTariff(db, table, files.effective, &unknown);
        if (!sampleStays)
            record(*files.tariff, dataset::tariff);
        report.loaded.push_back(counted(table, "tariff lines") +
                                (files.effective.empty() ? std::string() : ", in force from " + files.effective));
    }
    if (files.rebates) {
        const CsvTable table = read(*files.rebates);
        loadRebates(db, table, &unknown);
        record(*files.rebates, dataset::rebates);
        report.loaded.push_back(counted(table, "rebate lines"));
    }
    if (files.articles) {
        const CsvTable table = read(*files.articles);
        loadArticles(db, table);
        record(*files.articles, dataset::articles);
        report.loaded.push_back(counted(table, "articles"));
    }
    if (files.news) {
        const CsvTable table = read(*files.news);
        loadNews(db, "news", table);
        record(*files.news, dataset::news);
        report.loaded.push_back(counted(table, "home news items"));
    }
    if (files.bubble) {
        const CsvTable table = read(*files.bubble);
        loadNews(db, "bubble", table);
        record(*files.bubble, dataset::bubble);
        report.loaded.push_back(counted(table, "bubble news items"));
    }
    report.warnings.insert(report.warnings.end(), unknown.warnings().begin(), unknown.warnings().end());
    rebuildSearch(db);
    t.commit();
    if (beforeReplace)
        beforeReplace(swap.draft());
    swap.replace();
    return report;
}

} // namespace tarvelo::server
