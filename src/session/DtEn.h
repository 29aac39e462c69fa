#pragma once
// The data environment: the connection RetailConnection, the named SQL
// commands with their recordsets and the stored-procedure commands.

#include "outside/database/Backend.h"
#include "session/RowSink.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <map>
#include <memory>

class DtEn;

// A static snapshot of a result set, reused by name across the component.
// Opening one that is still open fails; callers close it first.
class Recordset
{
public:
    Recordset(DtEn &environment, const QString &commandName);

    QString Name() const { return QStringLiteral("rs") + m_command; }
    bool IsOpen() const { return m_open; }

    void Open(const QString &sql);
    // Streams the rows into the sink instead of keeping them; RecordCount is
    // then the number of rows handed over and no fields can be read.
    qint64 OpenInto(const QString &sql, RowSink &sink);
    // The same, with the rows of sql read as Backend::streamSplit reads
    // `whole` and `secondPart` (the caller builds them from sql). Only sql is
    // traced and named in a failure: the texts are a way of reading it.
    SplitCounts OpenInto(const QString &sql, const QString &whole, const QString &secondPart, RowSink &first,
                         RowSink &second, qint64 concurrentAfterRows);
    // Opens on a snapshot read ahead (DtEn::ReadAhead) of this same text;
    // sql is traced now, where Open would trace it. When the read ahead
    // failed, its failure is thrown and nothing is traced or opened.
    void Open(const QString &sql, SnapshotAhead &ahead);
    void Close();

    int RecordCount() const;
    bool Eof() const;
    void MoveFirst();
    void MoveNext();
    int AbsolutePosition() const; // 1 for the first row
    QVariant Field(const QString &name) const; // throws for an unknown field
    QString FieldText(const QString &name) const; // null reads as ""
    bool IsNull(const QString &name) const;
    QStringList FieldNames() const { return m_columns; }

private:
    void requireClosed(const QString &sql) const;
    // Opened on a snapshot's columns and values, or on rows streamed away.
    void openOnSnapshot(QStringList columns, QList<QVariant> values);
    void openOnStream(qint64 rowsHandedOn);
    void requireRow(const QString &name) const;
    int columnIndex(const QString &name) const;

    DtEn &m_environment;
    QString m_command;
    bool m_open = false;
    QStringList m_columns;
    QList<QVariant> m_values; // row-major
    int m_rowCount = 0;
    int m_position = 0; // 0-based current row
};

class DtEn
{
public:
    DtEn();
    ~DtEn();
    DtEn(const DtEn &) = delete;
    DtEn &operator=(const DtEn &) = delete;

    static const QString ConnectionName; // "RetailConnection"
    static const QString DesignedConnectionString;

    // RetailConnection: provider and connection string as StartSession sets them.
    void SetProvider(const QString &provider);
    QString Provider() const { return m_provider; }
    void SetConnectionString(const QString &connectionString);
    QString ConnectionString() const { return m_connectionString; }
    bool IsConnectionOpen() const { return m_backend != nullptr; }
    void CloseConnection();

    // The backend of the connection, created and opened on first need.
    Backend &backend();

    // The recordset of an SQL command: "sqlAccounts" or "rssqlAccounts".
    Recordset &Rs(const QString &name);
    QString CommandText(const QString &commandName) const;
    static QStringList SqlCommandNames();
    static const QList<ProcedureCommand> &ProcedureCommands();

    // Starts reading sql into a snapshot on another connection while the
    // caller goes on, for Recordset::Open(sql, ahead) later; nullptr where
    // the backend reads nothing ahead. Nothing is traced until then.
    std::unique_ptr<SnapshotAhead> ReadAhead(const QString &sql);

    qint64 ExecuteText(const QString &sql);
    // Runs the statements in order as one unit: either every one is written,
    // or, when one fails, none is and the failure is thrown after the
    // rollback. Returns the rows changed (as far as the database says).
    qint64 ExecuteTexts(const QStringList &texts);
    // Transactions of RetailConnection, one at a time; DtEnTransaction pairs
    // them safely. RollbackTrans never throws.
    void BeginTrans();
    void CommitTrans();
    void RollbackTrans() noexcept;
    bool InTransaction() const { return m_inTransaction; }
    QVariant RunCommand(const QString &commandName, QVariantList &args);
    // Rows the last RunCommand changed; -1 when the database does not say.
    qint64 LastCommandRowsAffected();
    QString DateText(const QDate &date);

private:
    QString m_provider;
    QString m_connectionString;
    std::unique_ptr<Backend> m_backend;
    std::map<QString, std::unique_ptr<Recordset>> m_recordsets;
    bool m_inTransaction = false;
};

// One unit of writing on RetailConnection: begun when made, rolled back when
// it goes out of scope without Commit(), so a statement that fails half-way
// leaves nothing of the unit in the database.
class DtEnTransaction
{
public:
    explicit DtEnTransaction(DtEn &environment);
    ~DtEnTransaction();
    DtEnTransaction(const DtEnTransaction &) = delete;
    DtEnTransaction &operator=(const DtEnTransaction &) = delete;
    void Commit();

private:
    DtEn &m_environment;
    bool m_done = false;
};
