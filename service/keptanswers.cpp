#include "keptanswers.h"

#include <sqlite3.h>

#include <cstdio>
#include <stdexcept>
#include <string>

namespace tarvelo {
namespace {

// used counts up with every keep and find: the smallest is the least recently used.
constexpr const char* schema =
    "CREATE TABLE IF NOT EXISTS answer(operation TEXT NOT NULL, keyword TEXT NOT NULL, body BLOB NOT NULL, "
    "saved INTEGER NOT NULL, used INTEGER NOT NULL, PRIMARY KEY(operation, keyword))";

// One statement, finalised when it goes out of scope.
class Statement {
public:
    Statement(sqlite3* db, const char* sql)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &s_, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db));
    }
    ~Statement() { sqlite3_finalize(s_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // An empty view may have no data at all, which SQLite would take for NULL.
    Statement& text(int index, std::string_view value)
    {
        sqlite3_bind_text(s_, index, value.empty() ? "" : value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Statement& blob(int index, std::string_view value)
    {
        sqlite3_bind_blob(s_, index, value.empty() ? "" : value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Statement& integer(int index, std::int64_t value)
    {
        sqlite3_bind_int64(s_, index, value);
        return *this;
    }
    // True while there is a row.
    bool step()
    {
        const int rc = sqlite3_step(s_);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(sqlite3_db_handle(s_)));
        return rc == SQLITE_ROW;
    }
    std::int64_t integerAt(int column) const { return sqlite3_column_int64(s_, column); }
    std::string blobAt(int column) const
    {
        const void* data = sqlite3_column_blob(s_, column);
        return data ? std::string(static_cast<const char*>(data), static_cast<size_t>(sqlite3_column_bytes(s_, column)))
                    : std::string();
    }

private:
    sqlite3_stmt* s_ = nullptr;
};

void exec(sqlite3* db, const char* sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : "unknown error";
        sqlite3_free(error);
        throw std::runtime_error(message);
    }
}

void warn(const char* what, const std::exception& e)
{
    std::fprintf(stderr, "tarvelo: kept answers: %s: %s\n", what, e.what());
}

} // namespace

void KeptAnswers::Closer::operator()(sqlite3* db) const
{
    sqlite3_close(db);
}

KeptAnswers::KeptAnswers(const std::filesystem::path& file, std::int64_t maxBytes) : maxBytes_(maxBytes)
{
    std::error_code ignored; // opening names the problem
    std::filesystem::create_directories(file.parent_path(), ignored);
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    db_.reset(db);
    if (rc != SQLITE_OK)
        throw std::runtime_error("cannot open " + file.string() + ": " + (db ? sqlite3_errmsg(db) : "out of memory"));
    sqlite3_busy_timeout(db, 2000);
    exec(db, schema);
}

KeptAnswers::~KeptAnswers() = default;

void KeptAnswers::keep(std::string_view operation, std::string_view keyword, std::string_view answer,
                       std::chrono::system_clock::time_point saved)
{
    sqlite3* db = db_.get();
    try {
        exec(db, "BEGIN IMMEDIATE");
        try {
            Statement(db, "INSERT OR REPLACE INTO answer(operation, keyword, body, saved, used) "
                          "VALUES(?1, ?2, ?3, ?4, (SELECT coalesce(max(used), 0) + 1 FROM answer))")
                .text(1, operation)
                .text(2, keyword)
                .blob(3, answer)
                .integer(4, std::chrono::duration_cast<std::chrono::seconds>(saved.time_since_epoch()).count())
                .step();
            Statement total(db, "SELECT coalesce(sum(length(body)), 0) FROM answer");
            total.step();
            std::int64_t bytes = total.integerAt(0);
            while (bytes > maxBytes_) {
                Statement oldest(db, "SELECT rowid, length(body) FROM answer ORDER BY used LIMIT 1");
                if (!oldest.step())
                    break;
                Statement(db, "DELETE FROM answer WHERE rowid = ?1").integer(1, oldest.integerAt(0)).step();
                bytes -= oldest.integerAt(1);
            }
            exec(db, "COMMIT");
        } catch (...) {
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
            throw;
        }
    } catch (const std::exception& e) {
        warn("cannot keep an answer", e);
    }
}

std::optional<platform::AnswerKeeper::Kept> KeptAnswers::find(std::string_view operation, std::string_view keyword)
{
    sqlite3* db = db_.get();
    try {
        Statement s(db, "SELECT body, saved FROM answer WHERE operation = ?1 AND keyword = ?2");
        s.text(1, operation).text(2, keyword);
        if (!s.step())
            return std::nullopt;
        Kept kept{s.blobAt(0), std::chrono::system_clock::time_point(std::chrono::seconds(s.integerAt(1)))};
        Statement(db, "UPDATE answer SET used = (SELECT max(used) + 1 FROM answer) WHERE operation = ?1 AND keyword = ?2")
            .text(1, operation)
            .text(2, keyword)
            .step();
        return kept;
    } catch (const std::exception& e) {
        warn("cannot read a kept answer", e);
        return std::nullopt;
    }
}

} // namespace tarvelo
