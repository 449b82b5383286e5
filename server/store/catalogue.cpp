#include "catalogue.h"

#include "provenance.h"
#include "rows.h"

namespace tarvelo::server {
namespace {

std::string select(std::string_view columns, std::string_view rest)
{
    return "SELECT " + std::string(columns) + " " + std::string(rest);
}

} // namespace

Catalogue::Catalogue(const std::filesystem::path& database)
    : db_(database, Connection::Mode::ReadOnly),
      articleById_(db_.prepare(select(articleColumns, "FROM article WHERE id = ?1"))),
      tariffUnder_(db_.prepare(std::string(tariffInForce) + " WHERE t.code >= ?2 AND t.code < ?2 || ':' ORDER BY t.code")),
      tariffHistory_(db_.prepare("SELECT code, effective, mfn, general, consumption, vat, unit, supervision "
                                 "FROM tariff_schedule WHERE code >= ?1 AND code < ?1 || ':' ORDER BY code, effective")),
      rebatesUnder_(db_.prepare(select(rebateColumns, "FROM rebate WHERE code >= ?1 AND code < ?1 || ':' ORDER BY code"))),
      hsEntry_(db_.prepare("SELECT hs.section, hs.description, hs_name.name FROM hs"
                           " LEFT JOIN hs_name ON hs_name.code = hs.code WHERE hs.code = ?1")),
      section_(db_.prepare("SELECT sections.name, section_name.name FROM sections"
                           " LEFT JOIN section_name ON section_name.section = sections.section"
                           " WHERE sections.section = ?1")),
      news_(db_.prepare("SELECT title, link, date FROM news WHERE list = ?1 ORDER BY position"))
{
}

std::vector<TariffLine> Catalogue::tariffUnder(std::string_view prefix, std::string_view today)
{
    const ReadTransaction read(db_);
    std::vector<TariffLine> lines;
    tariffUnder_.reset().bind(1, today).bind(2, prefix);
    while (tariffUnder_.step())
        lines.push_back(tariffRow(tariffUnder_));
    return lines;
}

std::vector<TariffRate> Catalogue::tariffHistory(std::string_view prefix)
{
    const ReadTransaction read(db_);
    std::vector<TariffRate> rates;
    tariffHistory_.reset().bind(1, prefix);
    while (tariffHistory_.step()) {
        TariffRate r;
        for (auto [column, field] : {std::pair{0, &r.code}, {1, &r.effective}, {2, &r.mfn}, {3, &r.general},
                                     {4, &r.consumption}, {5, &r.vat}, {6, &r.unit}, {7, &r.supervision}})
            *field = tariffHistory_.text(column);
        rates.push_back(std::move(r));
    }
    return rates;
}

std::vector<RebateLine> Catalogue::rebatesUnder(std::string_view prefix)
{
    const ReadTransaction read(db_);
    std::vector<RebateLine> lines;
    rebatesUnder_.reset().bind(1, prefix);
    while (rebatesUnder_.step())
        lines.push_back(rebateRow(rebatesUnder_));
    return lines;
}

std::optional<Article> Catalogue::article(std::int64_t id)
{
    articleById_.reset().bind(1, id);
    if (!articleById_.step())
        return std::nullopt;
    return articleRow(articleById_);
}

std::vector<HsEntry> Catalogue::hsPath(std::string_view code)
{
    const ReadTransaction read(db_);
    std::vector<HsEntry> path;
    for (const size_t length : {2u, 4u, 6u}) {
        if (code.size() < length)
            break;
        hsEntry_.reset().bind(1, code.substr(0, length));
        if (!hsEntry_.step())
            break;
        if (path.empty()) {
            const std::string section(hsEntry_.text(0));
            section_.reset().bind(1, section);
            HsEntry entry{section, {}, {}};
            if (section_.step()) {
                entry.description = section_.text(0);
                entry.name = section_.text(1);
            }
            path.push_back(std::move(entry));
        }
        path.push_back({std::string(code.substr(0, length)), std::string(hsEntry_.text(1)), std::string(hsEntry_.text(2))});
    }
    return path;
}

std::vector<NewsItem> Catalogue::news(std::string_view list)
{
    std::vector<NewsItem> items;
    news_.reset().bind(1, list);
    while (news_.step())
        items.push_back({std::string(news_.text(0)), std::string(news_.text(1)), std::string(news_.text(2))});
    return items;
}

std::string Catalogue::notice()
{
    Statement s = db_.prepare("SELECT value FROM meta WHERE key = 'notice'");
    return s.step() ? std::string(s.text(0)) : std::string();
}

std::string Catalogue::sampleNotice(std::string_view table)
{
    const ReadTransaction read(db_);
    return holdsSample(db_, table) ? notice() : std::string();
}

} // namespace tarvelo::server
