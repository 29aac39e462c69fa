#pragma once
// The embedded default database: an SQLite file ("Provider=SQLite;Data
// Source=<file>") holding the stand-in of the host's database. Besides the Qt
// connection it gives the functions and stored procedures that SQL Server
// would hold, rewrites the few T-SQL constructs SQLite lacks, and streams
// large results straight from SQLite without a QVariant per cell.

#include "outside/database/Backend.h"

struct sqlite3;

class SqliteBackend final : public Backend
{
public:
    SqliteBackend(const QString &path, const QString &connectionName);
    ~SqliteBackend() override;

    // Opens the file on first use; a missing file is an error, never a new
    // empty database.
    QSqlDatabase database() override;
    QString toDatabaseText(const QString &tsql) const override;
    QString dateText(const QDate &date) const override; // "YYYY-MM-DD"
    QVariant callProcedure(const ProcedureCommand &command, QVariantList &args) override;
    // INTEGER as decimal text, REAL with up to four decimals and no trailing
    // zeros, TEXT as stored, NULL as an empty view.
    qint64 streamRows(const QString &tsql, RowSink &sink) override;
    // Straight on the raw handle: a printout sends one insert per grid row,
    // and Qt SQL's result set per statement would cost more than SQLite's work.
    qint64 execute(const QString &tsql) override;
    // The second part on a read-only connection of its own (kept open, with
    // the functions' caches, for the next load) and a thread of its own;
    // where a second core can run it.
    int concurrentReaders() const override;
    SplitCounts streamSplit(const QString &whole, const QString &secondPart, RowSink &first, RowSink &second,
                            qint64 concurrentAfterRows) override;
    // On a Qt connection of its own, opened and closed on the reading thread.
    std::unique_ptr<SnapshotAhead> snapshotAhead(const QString &tsql) override;

    QString path() const { return m_path; }

private:
    sqlite3 *handle(); // the open connection's raw handle

    QString m_path;
    QString m_connectionName;
    sqlite3 *m_handle = nullptr;
    std::vector<sqlite3 *> m_readers; // the second reader's; null until first needed
};
