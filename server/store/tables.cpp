#include "tables.h"

namespace tarvelo::server {

void replaceHs(Connection& db, const std::vector<HsSection>& sections, const std::vector<HsRow>& rows)
{
    db.exec("DELETE FROM hs; DELETE FROM sections;");
    Statement addSection = db.prepare("INSERT INTO sections(section, name) VALUES(?1, ?2)");
    for (const HsSection& s : sections)
        addSection.reset().bind(1, s.section).bind(2, s.name).run();
    Statement add = db.prepare("INSERT INTO hs(code, section, level, description) VALUES(?1, ?2, ?3, ?4)");
    for (const HsRow& r : rows)
        add.reset()
            .bind(1, r.code)
            .bind(2, r.section)
            .bind(3, static_cast<std::int64_t>(r.code.size()))
            .bind(4, r.description)
            .run();
}

void replaceHsNames(Connection& db, const std::vector<HsName>& names, const std::vector<HsName>& sectionNames)
{
    db.exec("DELETE FROM hs_name; DELETE FROM section_name;");
    Statement add = db.prepare("INSERT OR REPLACE INTO hs_name(code, name, source) VALUES(?1, ?2, ?3)");
    for (const HsName& n : names)
        add.reset().bind(1, n.code).bind(2, n.name).bind(3, n.source).run();
    Statement addSection = db.prepare("INSERT OR REPLACE INTO section_name(section, name, source) VALUES(?1, ?2, ?3)");
    for (const HsName& n : sectionNames)
        addSection.reset().bind(1, n.code).bind(2, n.name).bind(3, n.source).run();
}

void replaceSchedules(Connection& db, std::string_view effective, const std::vector<ScheduleRow>& rows)
{
    if (effective.empty())
        db.exec("DELETE FROM tariff_schedule");
    else
        db.prepare("DELETE FROM tariff_schedule WHERE effective = ?1").bind(1, effective).run();
    Statement add = db.prepare(
        "INSERT OR REPLACE INTO tariff_schedule(code, effective, name, mfn, general, consumption, vat, unit, "
        "supervision, own_description) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)");
    for (const auto& [r, name, description] : rows)
        add.reset()
            .bind(1, r.code)
            .bind(2, r.effective)
            .bind(3, name)
            .bind(4, r.mfn)
            .bind(5, r.general)
            .bind(6, r.consumption)
            .bind(7, r.vat)
            .bind(8, r.unit)
            .bind(9, r.supervision)
            .bind(10, description)
            .run();
}

void replaceRebates(Connection& db, const std::vector<RebateLine>& lines)
{
    db.exec("DELETE FROM rebate");
    Statement add =
        db.prepare("INSERT INTO rebate(code, name, unit, rate, own_description) VALUES(?1, ?2, ?3, ?4, ?5)");
    for (const RebateLine& l : lines)
        add.reset().bind(1, l.code).bind(2, l.name).bind(3, l.unit).bind(4, l.rate).bind(5, l.description).run();
}

void replaceArticles(Connection& db, const std::vector<Article>& articles)
{
    db.exec("DELETE FROM article");
    Statement add = db.prepare("INSERT INTO article(id, title, updated, source, body) VALUES(?1, ?2, ?3, ?4, ?5)");
    for (const Article& a : articles)
        add.reset().bind(1, a.id).bind(2, a.title).bind(3, a.updated).bind(4, a.source).bind(5, a.body).run();
}

void replaceNews(Connection& db, std::string_view list, const std::vector<NewsItem>& items)
{
    db.prepare("DELETE FROM news WHERE list = ?1").bind(1, list).run();
    Statement add = db.prepare("INSERT INTO news(list, position, title, link, date) VALUES(?1, ?2, ?3, ?4, ?5)");
    std::int64_t position = 0;
    for (const NewsItem& item : items)
        add.reset().bind(1, list).bind(2, position++).bind(3, item.title).bind(4, item.link).bind(5, item.date).run();
}

void addReferences(Connection& db, const std::vector<ReferenceRow>& rows, bool own)
{
    Statement add = db.prepare("INSERT OR IGNORE INTO reference(term, code, own) VALUES(?1, ?2, ?3)");
    for (const ReferenceRow& r : rows)
        add.reset().bind(1, r.term).bind(2, r.code).bind(3, std::int64_t{own}).run();
}

void clearReferences(Connection& db, bool own)
{
    db.prepare("DELETE FROM reference WHERE own = ?1").bind(1, std::int64_t{own}).run();
}

void replaceGlosses(Connection& db, const std::vector<GlossRow>& rows)
{
    db.exec("DELETE FROM gloss");
    Statement add = db.prepare("INSERT INTO gloss(word, english) VALUES(?1, ?2)");
    for (const GlossRow& r : rows)
        add.reset().bind(1, r.word).bind(2, r.english).run();
}

std::vector<std::string> hsCodes(Connection& db)
{
    std::vector<std::string> codes;
    Statement s = db.prepare("SELECT code FROM hs ORDER BY code");
    while (s.step())
        codes.emplace_back(s.text(0));
    return codes;
}

void setNotice(Connection& db, std::string_view notice)
{
    db.prepare("INSERT OR REPLACE INTO meta(key, value) VALUES('notice', ?1)").bind(1, notice).run();
}

} // namespace tarvelo::server
