#pragma once
// A prepared statement on the raw SQLite handle, finalized on every way out.
// Used where Qt SQL would cost too much (streaming a million rows, the
// functions called once per row) or is not reachable (inside a function).

#include "session/DatabaseError.h"

#include <QByteArray>
#include <QString>
#include <sqlite3.h>

class SqliteRawStatement
{
public:
    // Prepares the first statement of the UTF-8 text; throws DatabaseError
    // with SQLite's message and `shownText` (the statement as built).
    SqliteRawStatement(sqlite3 *db, const QByteArray &sql, const QString &shownText)
        : m_db(db), m_shownText(shownText)
    {
        if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &m_statement, nullptr) != SQLITE_OK)
            fail();
    }
    ~SqliteRawStatement() { sqlite3_finalize(m_statement); }
    SqliteRawStatement(const SqliteRawStatement &) = delete;
    SqliteRawStatement &operator=(const SqliteRawStatement &) = delete;

    sqlite3_stmt *get() const { return m_statement; }
    bool isEmpty() const { return m_statement == nullptr; } // the text held no statement

    // Steps once: true for a row, false when done; throws on an error.
    bool step()
    {
        if (!m_statement)
            return false;
        const int rc = sqlite3_step(m_statement);
        if (rc == SQLITE_ROW)
            return true;
        if (rc == SQLITE_DONE)
            return false;
        fail();
    }

    [[noreturn]] void fail() const
    {
        throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(m_db)), m_shownText);
    }

private:
    sqlite3 *m_db;
    sqlite3_stmt *m_statement = nullptr;
    QString m_shownText;
};
