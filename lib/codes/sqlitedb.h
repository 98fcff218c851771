// A small hold on SQLite's C interface for the code library's index: a connection and its
// prepared statements closed with their owners, a transaction rolled back unless committed, and
// every failure an exception that says what SQLite said and whether the file is damaged or held.
#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace codes::sqlite {

class Failure : public std::runtime_error {
public:
    Failure(int code, const std::string& what) : std::runtime_error(what), code_(code) {}
    // Contents of the database that its reader finds damaged, as SQLite's own damage is told.
    static Failure damage(const std::string& what);
    int code() const { return code_; } // SQLite's primary result code
    // Not a database, or one whose pages do not hold together.
    bool damaged() const;
    // Held by another connection for longer than the wait allows.
    bool busy() const;

private:
    int code_;
};

class Statement {
public:
    Statement() = default;
    Statement(sqlite3* db, std::string_view sql);
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement();

    bool isPrepared() const { return statement_ != nullptr; }

    // Parameters count from 1, as SQLite's do.
    Statement& bind(int index, std::int64_t value);
    Statement& bind(int index, std::string_view text);
    Statement& bindBlob(int index, std::string_view bytes);
    Statement& bindNull(int index);

    // True while it gives a row, false once it is done.
    bool step();
    // Steps to the end, for a statement that gives no row.
    void run();
    // Ready to run again, with new parameters.
    void reset();

    // Columns count from 0.
    std::int64_t integer(int column) const;
    std::string text(int column) const;
    // The text as the statement holds it, valid until it steps again.
    std::string_view textView(int column) const;
    std::string_view blob(int column) const;
    bool isNull(int column) const;

private:
    void check(int result) const;
    sqlite3* db_ = nullptr;
    sqlite3_stmt* statement_ = nullptr;
};

class Database {
public:
    Database() = default;
    // Opens (making it when there is none) the database in `file`, whose name SQLite takes as
    // UTF-8 on every system; an empty path opens one in memory only.
    explicit Database(const std::filesystem::path& file);
    Database(Database&& other) noexcept;
    Database& operator=(Database&& other) noexcept;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;
    ~Database();

    bool isOpen() const { return db_ != nullptr; }
    void close();

    // Runs statements that give no rows.
    void execute(std::string_view sql) const;
    Statement prepare(std::string_view sql) const { return Statement(db_, sql); }
    // The one value of a query that gives one, as a whole number.
    std::int64_t integer(std::string_view sql) const;
    std::int64_t lastInsertId() const;
    // Undoes the transaction open, if any.
    void rollback() const noexcept;
    // How long a statement waits for another connection's lock before it fails as busy.
    void waitWhenHeld(int milliseconds);

private:
    sqlite3* db_ = nullptr;
};

// A transaction that is rolled back unless committed; `immediate` takes the write lock at once,
// so that what is read in it stays as read until it is committed. Queries in one transaction
// take the file's lock once, where each on its own would take it and ask whether the file
// changed.
class Transaction {
public:
    Transaction(const Database& db, bool immediate);
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    ~Transaction();
    void commit();

private:
    const Database& db_;
    bool open_ = true;
};

} // namespace codes::sqlite
