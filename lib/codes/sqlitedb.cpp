#include "sqlitedb.h"

#include "model/portablefiles.h"

#include <sqlite3.h>

#include <utility>

namespace codes::sqlite {

namespace {

[[noreturn]] void fail(sqlite3* db, int result, std::string_view doing) {
    const std::string said = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(result);
    throw Failure(result & 0xFF, std::string(doing) + ": " + said);
}

} // namespace

Failure Failure::damage(const std::string& what) { return Failure(SQLITE_CORRUPT, what); }

bool Failure::damaged() const { return code_ == SQLITE_CORRUPT || code_ == SQLITE_NOTADB; }

bool Failure::busy() const { return code_ == SQLITE_BUSY || code_ == SQLITE_LOCKED; }

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db) {
    const int result = sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &statement_, nullptr);
    if (result != SQLITE_OK)
        fail(db, result, "preparing a query of the index");
}

Statement::Statement(Statement&& other) noexcept
    : db_(std::exchange(other.db_, nullptr)), statement_(std::exchange(other.statement_, nullptr)) {}

Statement& Statement::operator=(Statement&& other) noexcept {
    if (this != &other) {
        sqlite3_finalize(statement_);
        db_ = std::exchange(other.db_, nullptr);
        statement_ = std::exchange(other.statement_, nullptr);
    }
    return *this;
}

Statement::~Statement() { sqlite3_finalize(statement_); }

void Statement::check(int result) const {
    if (result != SQLITE_OK)
        fail(db_, result, "binding a value");
}

Statement& Statement::bind(int index, std::int64_t value) {
    check(sqlite3_bind_int64(statement_, index, value));
    return *this;
}

Statement& Statement::bind(int index, std::string_view text) {
    check(sqlite3_bind_text64(statement_, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8));
    return *this;
}

Statement& Statement::bindBlob(int index, std::string_view bytes) {
    // A zero-length blob is still a blob, not NULL.
    check(sqlite3_bind_blob64(statement_, index, bytes.empty() ? "" : bytes.data(), bytes.size(),
                              SQLITE_TRANSIENT));
    return *this;
}

Statement& Statement::bindNull(int index) {
    check(sqlite3_bind_null(statement_, index));
    return *this;
}

bool Statement::step() {
    const int result = sqlite3_step(statement_);
    if (result == SQLITE_ROW)
        return true;
    if (result == SQLITE_DONE)
        return false;
    // The statement is left ready to run again; the failure is the step's.
    sqlite3_reset(statement_);
    fail(db_, result, "reading or writing the index");
}

void Statement::run() {
    while (step()) {
    }
}

void Statement::reset() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

std::int64_t Statement::integer(int column) const { return sqlite3_column_int64(statement_, column); }

std::string Statement::text(int column) const { return std::string(textView(column)); }

std::string_view Statement::textView(int column) const {
    const auto* text = sqlite3_column_text(statement_, column);
    return text == nullptr
               ? std::string_view()
               : std::string_view(reinterpret_cast<const char*>(text),
                                  static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)));
}

std::string_view Statement::blob(int column) const {
    const void* bytes = sqlite3_column_blob(statement_, column);
    const int size = sqlite3_column_bytes(statement_, column);
    return bytes == nullptr
               ? std::string_view()
               : std::string_view(static_cast<const char*>(bytes), static_cast<std::size_t>(size));
}

bool Statement::isNull(int column) const { return sqlite3_column_type(statement_, column) == SQLITE_NULL; }

Database::Database(const std::filesystem::path& file) {
    // SQLite counts every allocation under a lock of its own unless told not to, before it is
    // first used; the index wants no such count.
    static const bool uncounted = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0) == SQLITE_OK;
    static_cast<void>(uncounted);
    const std::string name = file.empty() ? ":memory:" : model::pathText(file);
    const int result =
        sqlite3_open_v2(name.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (result != SQLITE_OK) {
        const std::string said = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(result);
        close();
        throw Failure(result & 0xFF, "opening " + name + ": " + said);
    }
    // A damaged file is refused as damaged rather than read as whatever its bytes say.
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    execute("PRAGMA cell_size_check = ON");
}

Database::Database(Database&& other) noexcept : db_(std::exchange(other.db_, nullptr)) {}

Database& Database::operator=(Database&& other) noexcept {
    if (this != &other) {
        close();
        db_ = std::exchange(other.db_, nullptr);
    }
    return *this;
}

Database::~Database() { close(); }

void Database::close() {
    // Statements still held are closed with it as they are finalised.
    sqlite3_close_v2(db_);
    db_ = nullptr;
}

void Database::execute(std::string_view sql) const {
    const std::string whole(sql);
    char* message = nullptr;
    const int result = sqlite3_exec(db_, whole.c_str(), nullptr, nullptr, &message);
    if (result != SQLITE_OK) {
        const std::string said = message != nullptr ? message : sqlite3_errstr(result);
        sqlite3_free(message);
        throw Failure(result & 0xFF, "changing the index: " + said);
    }
}

std::int64_t Database::integer(std::string_view sql) const {
    Statement query = prepare(sql);
    return query.step() ? query.integer(0) : 0;
}

std::int64_t Database::lastInsertId() const { return sqlite3_last_insert_rowid(db_); }

void Database::rollback() const noexcept {
    // After some failures SQLite has already ended the transaction; the rollback then has nothing
    // to undo and its own failure says nothing more.
    if (db_ != nullptr)
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

void Database::waitWhenHeld(int milliseconds) { sqlite3_busy_timeout(db_, milliseconds); }

Transaction::Transaction(const Database& db, bool immediate) : db_(db) {
    db_.execute(immediate ? "BEGIN IMMEDIATE" : "BEGIN");
}

Transaction::~Transaction() {
    if (open_)
        db_.rollback();
}

void Transaction::commit() {
    db_.execute("COMMIT");
    open_ = false;
}

} // namespace codes::sqlite
