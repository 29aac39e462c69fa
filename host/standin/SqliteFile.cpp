#include "SqliteFile.h"

#include "session/DatabaseError.h"

#include <QFile>
#include <sqlite3.h>

namespace {

QString sqliteMessage(sqlite3 *db)
{
    return QString::fromUtf8(db ? sqlite3_errmsg(db) : "out of memory");
}

} // namespace

// The connection is used by one thread only, so it skips SQLite's locking.
SqliteFile::SqliteFile(const QString &path)
    : m_path(path)
{
    const QByteArray name = QFile::encodeName(path);
    const int rc = sqlite3_open_v2(name.constData(), &m_db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                                   nullptr);
    if (rc != SQLITE_OK) {
        const QString message = sqliteMessage(m_db);
        sqlite3_close(m_db);
        m_db = nullptr;
        throw DatabaseError(message, path);
    }
}

SqliteFile::~SqliteFile()
{
    if (m_db)
        sqlite3_close(m_db);
}

void SqliteFile::exec(std::string_view sql)
{
    const std::string text(sql);
    char *error = nullptr;
    if (sqlite3_exec(m_db, text.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString message = QString::fromUtf8(error ? error : "unknown error");
        sqlite3_free(error);
        throw DatabaseError(message, QString::fromUtf8(text.data(), qsizetype(text.size())));
    }
}

void SqliteFile::close()
{
    if (!m_db)
        return;
    if (sqlite3_close(m_db) != SQLITE_OK)
        throw DatabaseError(sqliteMessage(m_db), m_path);
    m_db = nullptr;
}

SqliteStatement::SqliteStatement(SqliteFile &file, std::string_view sql)
    : m_file(file)
{
    if (sqlite3_prepare_v3(file.handle(), sql.data(), int(sql.size()), SQLITE_PREPARE_PERSISTENT,
                           &m_statement, nullptr) != SQLITE_OK)
        throw DatabaseError(sqliteMessage(file.handle()),
                            QString::fromUtf8(sql.data(), qsizetype(sql.size())));
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_statement);
}

SqliteStatement &SqliteStatement::put(std::int64_t value)
{
    const int rc = sqlite3_bind_int64(m_statement, m_next++, value);
    if (rc != SQLITE_OK)
        fail(rc);
    return *this;
}

SqliteStatement &SqliteStatement::put(std::string_view text)
{
    const int rc = sqlite3_bind_text(m_statement, m_next++, text.data(), int(text.size()),
                                     SQLITE_TRANSIENT);
    if (rc != SQLITE_OK)
        fail(rc);
    return *this;
}

SqliteStatement &SqliteStatement::putKept(std::string_view text)
{
    const int rc = sqlite3_bind_text(m_statement, m_next++, text.data(), int(text.size()), SQLITE_STATIC);
    if (rc != SQLITE_OK)
        fail(rc);
    return *this;
}

SqliteStatement &SqliteStatement::putNull()
{
    const int rc = sqlite3_bind_null(m_statement, m_next++);
    if (rc != SQLITE_OK)
        fail(rc);
    return *this;
}

SqliteStatement &SqliteStatement::putOptional(std::int64_t value, bool hasValue)
{
    return hasValue ? put(value) : putNull();
}

SqliteStatement &SqliteStatement::putKeptOrNull(std::string_view text)
{
    return text.empty() ? putNull() : putKept(text);
}

void SqliteStatement::run()
{
    const int rc = sqlite3_step(m_statement);
    m_next = 1;
    sqlite3_reset(m_statement);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW)
        fail(rc);
}

void SqliteStatement::fail(int code) const
{
    Q_UNUSED(code);
    throw DatabaseError(sqliteMessage(m_file.handle()), QString::fromUtf8(sqlite3_sql(m_statement)));
}

void RemoveDatabaseFile(const QString &path)
{
    for (const char *suffix : {"", "-journal", "-wal", "-shm"}) {
        const QString name = path + QLatin1String(suffix);
        if (QFile::exists(name) && !QFile::remove(name))
            throw DatabaseError(QStringLiteral("Cannot remove the existing database file"), name);
    }
}
