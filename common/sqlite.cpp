#include "sqlite.h"

namespace tarvelo {
namespace {

[[noreturn]] void fail(sqlite3* db, std::string_view what)
{
    throw SqliteError(std::string(what) + ": " + (db ? sqlite3_errmsg(db) : "out of memory"));
}

// Memory statistics cost a global mutex on every allocation; the service
// never reads them.
void configureOnce()
{
    static const bool configured = [] {
        sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
        return true;
    }();
    (void)configured;
}

} // namespace

Connection::Connection(const std::filesystem::path& file, Mode mode, std::chrono::milliseconds busy)
{
    configureOnce();
    const int flags = SQLITE_OPEN_NOMUTEX |
                      (mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    sqlite3* raw = nullptr;
    // SQLite takes names in UTF-8; on Windows paths are held in UTF-16.
    const std::u8string name = file.u8string();
    const int rc = sqlite3_open_v2(reinterpret_cast<const char*>(name.c_str()), &raw, flags, nullptr);
    db_.reset(raw);
    if (rc != SQLITE_OK)
        fail(raw, "cannot open " + file.string());
    sqlite3_busy_timeout(raw, static_cast<int>(busy.count()));
}

void Connection::exec(std::string_view sql)
{
    char* message = nullptr;
    if (sqlite3_exec(db_.get(), std::string(sql).c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        std::string text = message ? message : "unknown error";
        sqlite3_free(message);
        throw SqliteError(text);
    }
}

Statement Connection::prepare(std::string_view sql)
{
    return Statement(db_.get(), sql);
}

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db)
{
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v3(db, sql.data(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT, &raw, nullptr) !=
        SQLITE_OK)
        fail(db, "cannot prepare " + std::string(sql));
    stmt_.reset(raw);
}

Statement& Statement::reset()
{
    sqlite3_reset(stmt_.get());
    sqlite3_clear_bindings(stmt_.get());
    return *this;
}

Statement& Statement::bind(int index, std::string_view text)
{
    // An empty view may carry no pointer at all; SQLite would store NULL for it.
    const char* data = text.data() ? text.data() : "";
    if (sqlite3_bind_text(stmt_.get(), index, data, static_cast<int>(text.size()), SQLITE_TRANSIENT) !=
        SQLITE_OK)
        fail(db_, "cannot bind");
    return *this;
}

Statement& Statement::bind(int index, std::int64_t value)
{
    if (sqlite3_bind_int64(stmt_.get(), index, value) != SQLITE_OK)
        fail(db_, "cannot bind");
    return *this;
}

Statement& Statement::bindBlob(int index, std::string_view bytes)
{
    // As with text: an empty blob is not NULL.
    const char* data = bytes.data() ? bytes.data() : "";
    if (sqlite3_bind_blob(stmt_.get(), index, data, static_cast<int>(bytes.size()), SQLITE_TRANSIENT) != SQLITE_OK)
        fail(db_, "cannot bind");
    return *this;
}

bool Statement::step()
{
    const int rc = sqlite3_step(stmt_.get());
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    fail(db_, "query failed");
}

void Statement::run()
{
    while (step()) {
    }
}

std::string_view Statement::text(int column) const
{
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_.get(), column));
    return p ? std::string_view(p, static_cast<size_t>(sqlite3_column_bytes(stmt_.get(), column)))
             : std::string_view();
}

std::int64_t Statement::integer(int column) const
{
    return sqlite3_column_int64(stmt_.get(), column);
}

std::string Statement::blob(int column) const
{
    const void* data = sqlite3_column_blob(stmt_.get(), column);
    return data ? std::string(static_cast<const char*>(data), static_cast<size_t>(sqlite3_column_bytes(stmt_.get(), column)))
                : std::string();
}

ReadTransaction::ReadTransaction(Connection& db) : db_(db)
{
    db_.exec("BEGIN");
}

ReadTransaction::~ReadTransaction()
{
    // Statements left on a row still hold the read; finish them first.
    for (sqlite3_stmt* s = sqlite3_next_stmt(db_.handle(), nullptr); s; s = sqlite3_next_stmt(db_.handle(), s))
        sqlite3_reset(s);
    // Ending a read cannot lose data; should it fail, the next BEGIN reports it.
    sqlite3_exec(db_.handle(), "COMMIT", nullptr, nullptr, nullptr);
}

Transaction::Transaction(Connection& db) : db_(db)
{
    db_.exec("BEGIN IMMEDIATE");
}

Transaction::~Transaction()
{
    if (!done_) {
        try {
            db_.exec("ROLLBACK");
        } catch (const SqliteError&) {
            // Nothing more can be done while unwinding; SQLite rolls back on close anyway.
        }
    }
}

void Transaction::commit()
{
    db_.exec("COMMIT");
    done_ = true;
}

} // namespace tarvelo
