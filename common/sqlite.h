#pragma once
// Thin RAII layer over the SQLite C API: a connection and its prepared
// statements. Every failing call throws SqliteError with SQLite's message.
#include <sqlite3.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tarvelo {

class SqliteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Statement;

class Connection {
public:
    enum class Mode { ReadOnly, ReadWriteCreate };
    // busy: how long a statement waits for another connection's lock.
    Connection(const std::filesystem::path& file, Mode mode,
               std::chrono::milliseconds busy = std::chrono::seconds(5));

    // Runs one or more statements without results.
    void exec(std::string_view sql);
    Statement prepare(std::string_view sql);
    sqlite3* handle() const { return db_.get(); }

private:
    struct Closer {
        void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
    };
    std::unique_ptr<sqlite3, Closer> db_;
};

// A prepared statement, reset before every new binding round.
class Statement {
public:
    Statement(sqlite3* db, std::string_view sql);

    Statement& reset();
    Statement& bind(int index, std::string_view text);
    Statement& bind(int index, std::int64_t value);
    Statement& bindBlob(int index, std::string_view bytes);
    // Steps once: true while a row is available.
    bool step();
    // Runs a statement that returns no rows.
    void run();

    std::string_view text(int column) const;
    std::int64_t integer(int column) const;
    std::string blob(int column) const;

private:
    struct Finalizer {
        void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
    };
    sqlite3* db_;
    std::unique_ptr<sqlite3_stmt, Finalizer> stmt_;
};

// One read transaction around the statements of a request: they see one
// state of the database, and the file is locked and checked once instead of
// once per statement.
class ReadTransaction {
public:
    explicit ReadTransaction(Connection& db);
    ~ReadTransaction();
    ReadTransaction(const ReadTransaction&) = delete;
    ReadTransaction& operator=(const ReadTransaction&) = delete;

private:
    Connection& db_;
};

// Commits on commit(), rolls back when left otherwise.
class Transaction {
public:
    explicit Transaction(Connection& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Connection& db_;
    bool done_ = false;
};

} // namespace tarvelo
