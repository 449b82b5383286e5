#include "provenance.h"

#include "schema.h"

namespace tarvelo::server {
namespace {

void record(Connection& db, std::string_view table, bool sample, std::string_view file, std::string_view time)
{
    db.prepare("INSERT OR REPLACE INTO provenance(dataset, sample, file, imported) VALUES(?1, ?2, ?3, ?4)")
        .bind(1, table)
        .bind(2, std::int64_t{sample})
        .bind(3, file)
        .bind(4, time)
        .run();
}

} // namespace

void recordSample(Connection& db, std::string_view table)
{
    record(db, table, true, "", "");
}

void recordImport(Connection& db, std::string_view table, std::string_view file, std::string_view time)
{
    record(db, table, false, file, time);
}

bool holdsSample(Connection& db, std::string_view table)
{
    // Read-only connections cannot add the table to an older file, so its absence is expected.
    if (hasTable(db, "provenance")) {
        Statement sample = db.prepare("SELECT sample FROM provenance WHERE dataset = ?1");
        if (sample.bind(1, table).step())
            return sample.integer(0) != 0;
    }
    Statement notice = db.prepare("SELECT value FROM meta WHERE key = 'notice'");
    return notice.step() && !notice.text(0).empty();
}

} // namespace tarvelo::server
