#pragma once
// A backend is the host's database as the component reaches it: a Qt SQL
// connection, the dialect for the T-SQL texts the component builds, and the
// way stored procedures are called. The provider of the connection string
// picks it.

#include "session/RowSink.h"

#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

class QSqlError;

struct ProcedureParameter
{
    enum Direction { In, InOut };
    QString name;             // "@ID"
    Direction direction = In;
    QMetaType::Type type = QMetaType::Int;
    int size = 0;             // length of text parameters
};

// A stored-procedure command of the data environment. The RETURN_VALUE
// parameter is implied and not listed.
struct ProcedureCommand
{
    QString name;     // "spAccountIsLeafAccount"
    QString callText; // "{? = CALL spAccountIsLeafAccount( ?) }"
    QList<ProcedureParameter> parameters;
};

// The rows each reader of Backend::streamSplit handed on.
struct SplitCounts
{
    qint64 first = 0;
    qint64 second = 0;
};

// A SELECT read ahead into a snapshot while the caller goes on.
class SnapshotAhead
{
public:
    virtual ~SnapshotAhead();
    // Waits for the read and hands over what Backend::snapshot would have
    // given, or throws what it would have thrown.
    virtual void take(QStringList &columns, QList<QVariant> &values) = 0;
};

class Backend
{
public:
    virtual ~Backend();

    // The open connection; opened on the first call. Throws DatabaseError.
    virtual QSqlDatabase database() = 0;
    // The statement as this database must receive it. A text holding more
    // than one statement is refused with a DatabaseError (a trailing ";" is
    // fine), so no caller ever runs a statement it did not mean to.
    virtual QString toDatabaseText(const QString &tsql) const = 0;
    // How a date is written inside SQL text (between single quotes); through
    // SqlDateText, so a date that cannot be written is refused.
    virtual QString dateText(const QDate &date) const = 0;
    // Runs a stored procedure; in/out parameters are written back into args.
    // Returns the procedure's return value (null when it has none).
    virtual QVariant callProcedure(const ProcedureCommand &command, QVariantList &args) = 0;
    // Rows the last callProcedure changed; -1 when the database does not say
    // (a procedure with NOCOUNT on, for example).
    qint64 lastProcedureRowsAffected() const { return m_procedureRowsAffected; }
    // Runs a SELECT and hands every row to the sink; returns the row count.
    virtual qint64 streamRows(const QString &tsql, RowSink &sink);
    // How many readers streamSplit reads with at the same time; 1 where it
    // reads alone.
    virtual int concurrentReaders() const { return 1; }
    // Streams `whole`, a SELECT whose last column marks with 1 the rows of a
    // second part that all come after the others (the column is not handed
    // on). Where the backend reads with two readers, once `first` has been
    // handed concurrentAfterRows rows (0: from the first row) a reader of its
    // own reads `secondPart` (the second part's rows alone, in order) into
    // `second` on another thread, and the reading of `whole` ends at the
    // second part's first row; otherwise every row goes to `first`. The rows
    // come from one state of the database. A failure of `whole` is thrown
    // first, then one of the second reader.
    virtual SplitCounts streamSplit(const QString &whole, const QString &secondPart, RowSink &first, RowSink &second,
                                    qint64 concurrentAfterRows);
    // Starts reading a SELECT into a snapshot on a connection of its own
    // while the caller goes on; nullptr where the backend reads nothing ahead.
    virtual std::unique_ptr<SnapshotAhead> snapshotAhead(const QString &tsql);
    // Runs a statement without a result; returns the affected row count.
    virtual qint64 execute(const QString &tsql);
    // Runs a SELECT into a static snapshot: column names and row-major values.
    virtual void snapshot(const QString &tsql, QStringList &columns, QList<QVariant> &values);

    // One transaction at a time on the connection, for writes of several
    // statements that must land together. begin and commit throw DatabaseError
    // with the database's message; rollback never throws, since it runs while
    // a failure is already on its way to the caller.
    virtual void beginTransaction();
    virtual void commitTransaction();
    virtual void rollbackTransaction() noexcept;

protected:
    qint64 m_procedureRowsAffected = -1;
    // Shared by the generic implementations above: prepares and runs the text,
    // throwing DatabaseError with the database's message and the statement.
    QSqlQuery run(const QString &tsql, bool forwardOnly);
};

// Creates the backend for a provider and connection string. connectionName
// keeps Qt SQL connections of different owners apart. Throws DatabaseError with
// a Persian message for an unknown provider or an unusable connection string;
// the connection itself opens on the first use.
std::unique_ptr<Backend> CreateBackend(const QString &provider, const QString &connectionString,
                                       const QString &connectionName);

// A date for SQL text, "YYYY-MM-DD" with separator "-" or "YYYYMMDD" with
// none, always with a four-digit year: the texts compare dates as text, so a
// five-digit year would sort after every real date. An invalid date or one
// outside the years 1 to 9999 is refused with a DatabaseError that shows it
// as the Jalali date the user entered.
QString SqlDateText(const QDate &date, QStringView separator);

// What a failed Qt SQL call says: the database's own message where it gave
// one, else Qt's.
QString SqlErrorText(const QSqlError &error);

// The value of one key of an OLE DB connection string ("Data Source=x;...");
// keys are compared without regard to case, an absent key gives "".
QString ConnectionStringValue(const QString &connectionString, const QString &key);
