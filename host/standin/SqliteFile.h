#pragma once
// A thin RAII layer over the sqlite3 C API for building stand-in databases:
// the bulk load needs prepared statements bound by position and several
// statements per exec (the schema holds triggers), which Qt SQL does not give.

#include <QString>
#include <cstdint>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

class SqliteFile
{
public:
    // Opens (creating when missing) the file for reading and writing.
    // Throws DatabaseError.
    explicit SqliteFile(const QString &path);
    ~SqliteFile();
    SqliteFile(const SqliteFile &) = delete;
    SqliteFile &operator=(const SqliteFile &) = delete;

    // Runs every statement of the text. Throws DatabaseError.
    void exec(std::string_view sql);
    void close();

    sqlite3 *handle() const { return m_db; }
    QString path() const { return m_path; }

private:
    sqlite3 *m_db = nullptr;
    QString m_path;
};

// One prepared statement run many times: bind the values in parameter order
// with the put functions, then run().
class SqliteStatement
{
public:
    SqliteStatement(SqliteFile &file, std::string_view sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;

    SqliteStatement &put(std::int64_t value);
    SqliteStatement &put(int value) { return put(std::int64_t(value)); }
    SqliteStatement &put(std::string_view text);
    SqliteStatement &put(const char *text) { return put(std::string_view(text)); }
    // A text the caller keeps unchanged until run() returns: bound without a copy.
    SqliteStatement &putKept(std::string_view text);
    SqliteStatement &putNull();
    // A whole number, or null when hasValue is false.
    SqliteStatement &putOptional(std::int64_t value, bool hasValue);
    // A kept text (as putKept), or null when it is empty.
    SqliteStatement &putKeptOrNull(std::string_view text);

    // Steps the statement to its end and makes it ready for the next values.
    void run();

private:
    [[noreturn]] void fail(int code) const;

    SqliteFile &m_file;
    sqlite3_stmt *m_statement = nullptr;
    int m_next = 1;
};

// Removes a database file and its journal companions, so a new one starts empty.
// Throws DatabaseError when the file exists and cannot be removed.
void RemoveDatabaseFile(const QString &path);
