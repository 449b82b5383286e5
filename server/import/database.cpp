#include "database.h"

#include "bundled.h"
#include "csv.h"
#include "databaseswap.h"
#include "loaders.h"
#include "schema.h"
#include "sqlite.h"
#include "tables.h"

#include <fstream>
#include <sstream>
#include <system_error>
#include <unistd.h>

namespace tarvelo::server {
namespace {

constexpr std::string_view sampleNotice =
    "示例数据：税率、退税率、监管条件和法规文章均为 Tarvelo 项目编写的演示数据，不是法定税率，不得用于报关。"
    " Sample data written for demonstration, not legal rates.";

CsvTable readTable(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + file.string());
    std::ostringstream text;
    text << in.rdbuf();
    return CsvTable(text.str(), file.string());
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

std::vector<std::string> importFiles(const std::filesystem::path& database, const ImportFiles& files)
{
    if (files.hs.has_value() != files.sections.has_value())
        throw std::runtime_error("--hs and --sections go together");
    ensureDatabase(database);
    DatabaseSwap swap(database);
    Connection db(swap.draft(), Connection::Mode::ReadWriteCreate);
    std::vector<std::string> report;
    Transaction t(db);
    if (files.hs) {
        const CsvTable hs = readTable(*files.hs);
        const CsvTable sections = readTable(*files.sections);
        loadHs(db, hs, sections);
        report.push_back(counted(hs, "HS rows") + ", " + counted(sections, "sections"));
    }
    if (files.references) {
        const CsvTable table = readTable(*files.references);
        clearReferences(db, true);
        loadReferences(db, table, true);
        report.push_back(counted(table, "search references"));
    }
    if (files.tariff) {
        const CsvTable table = readTable(*files.tariff);
        loadTariff(db, table, files.effective);
        report.push_back(counted(table, "tariff lines") +
                         (files.effective.empty() ? std::string() : ", in force from " + files.effective));
    }
    if (files.rebates) {
        const CsvTable table = readTable(*files.rebates);
        loadRebates(db, table);
        report.push_back(counted(table, "rebate lines"));
    }
    if (files.articles) {
        const CsvTable table = readTable(*files.articles);
        loadArticles(db, table);
        report.push_back(counted(table, "articles"));
    }
    if (files.news) {
        const CsvTable table = readTable(*files.news);
        loadNews(db, "news", table);
        report.push_back(counted(table, "home news items"));
    }
    if (files.bubble) {
        const CsvTable table = readTable(*files.bubble);
        loadNews(db, "bubble", table);
        report.push_back(counted(table, "bubble news items"));
    }
    // Imported schedules are the deployer's own; the sample note no longer applies.
    if (files.tariff || files.rebates || files.articles)
        setNotice(db, "");
    rebuildSearch(db);
    t.commit();
    swap.replace();
    return report;
}

} // namespace tarvelo::server
