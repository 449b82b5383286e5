#include "keptanswers.h"

#include <cstdio>
#include <string>
#include <system_error>

namespace tarvelo {
namespace {

// used counts up with every keep and find: the smallest is the least recently used.
constexpr std::string_view schema =
    "CREATE TABLE IF NOT EXISTS answer(operation TEXT NOT NULL, keyword TEXT NOT NULL, body BLOB NOT NULL, "
    "saved INTEGER NOT NULL, used INTEGER NOT NULL, PRIMARY KEY(operation, keyword))";

void warn(const char* what, const std::exception& e)
{
    std::fprintf(stderr, "tarvelo: kept answers: %s: %s\n", what, e.what());
}

// The folder is made first: opening names the problem when that fails too.
const std::filesystem::path& withFolder(const std::filesystem::path& file)
{
    std::error_code ignored;
    std::filesystem::create_directories(file.parent_path(), ignored);
    return file;
}

} // namespace

KeptAnswers::KeptAnswers(const std::filesystem::path& file, std::int64_t maxBytes)
    : db_(withFolder(file), Connection::Mode::ReadWriteCreate, std::chrono::seconds(2)), maxBytes_(maxBytes)
{
    db_.exec(schema);
}

KeptAnswers::~KeptAnswers() = default;

void KeptAnswers::keep(std::string_view operation, std::string_view keyword, std::string_view answer,
                       std::chrono::system_clock::time_point saved)
{
    try {
        Transaction t(db_);
        db_.prepare("INSERT OR REPLACE INTO answer(operation, keyword, body, saved, used) "
                    "VALUES(?1, ?2, ?3, ?4, (SELECT coalesce(max(used), 0) + 1 FROM answer))")
            .bind(1, operation)
            .bind(2, keyword)
            .bindBlob(3, answer)
            .bind(4, std::int64_t{std::chrono::duration_cast<std::chrono::seconds>(saved.time_since_epoch()).count()})
            .run();
        Statement total = db_.prepare("SELECT coalesce(sum(length(body)), 0) FROM answer");
        total.step();
        std::int64_t bytes = total.integer(0);
        while (bytes > maxBytes_) {
            Statement oldest = db_.prepare("SELECT rowid, length(body) FROM answer ORDER BY used LIMIT 1");
            if (!oldest.step())
                break;
            db_.prepare("DELETE FROM answer WHERE rowid = ?1").bind(1, oldest.integer(0)).run();
            bytes -= oldest.integer(1);
        }
        t.commit();
    } catch (const std::exception& e) {
        warn("cannot keep an answer", e);
    }
}

std::optional<platform::AnswerKeeper::Kept> KeptAnswers::find(std::string_view operation, std::string_view keyword)
{
    try {
        Statement s = db_.prepare("SELECT body, saved FROM answer WHERE operation = ?1 AND keyword = ?2");
        s.bind(1, operation).bind(2, keyword);
        if (!s.step())
            return std::nullopt;
        Kept kept{s.blob(0), std::chrono::system_clock::time_point(std::chrono::seconds(s.integer(1)))};
        db_.prepare("UPDATE answer SET used = (SELECT max(used) + 1 FROM answer) WHERE operation = ?1 AND keyword = ?2")
            .bind(1, operation)
            .bind(2, keyword)
            .run();
        return kept;
    } catch (const std::exception& e) {
        warn("cannot read a kept answer", e);
        return std::nullopt;
    }
}

} // namespace tarvelo
