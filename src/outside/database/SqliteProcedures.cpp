#include "outside/database/SqliteProcedures.h"

#include "outside/database/Backend.h"
#include "outside/database/DatabaseTexts.h"
#include "outside/database/ProcedureArguments.h"
#include "outside/database/SqliteRawStatement.h"
#include "session/ValueText.h"

#include <optional>

namespace {

// One call: typed access to the arguments and statements that report the
// call text when they fail.
class Call
{
public:
    Call(sqlite3 *db, const ProcedureCommand &command, QVariantList &args)
        : db(db), command(command), args(args)
    {}

    std::optional<qint64> integer(int i) const
    {
        const QVariant &v = args[i];
        if (v.isNull() || (v.typeId() == QMetaType::QString && v.toString().trimmed().isEmpty()))
            return std::nullopt;
        bool ok = false;
        const qint64 value = v.toLongLong(&ok);
        if (!ok)
            throw DatabaseError(DatabaseTexts::NotANumber(parameterName(i)), command.callText);
        return value;
    }

    std::optional<QString> text(int i) const
    {
        if (args[i].isNull())
            return std::nullopt;
        return args[i].toString();
    }

    // Dates are stored as "YYYY-MM-DD"; a null or empty value stores NULL.
    std::optional<QString> date(int i) const
    {
        const QVariant &v = args[i];
        if (v.isNull() || (v.typeId() == QMetaType::QString && v.toString().trimmed().isEmpty()))
            return std::nullopt;
        const QDate d = ValueDate(v);
        if (!d.isValid())
            throw DatabaseError(DatabaseTexts::NotADate(parameterName(i)), command.callText);
        try {
            return SqlDateText(d, u"-");
        } catch (const DatabaseError &error) {
            throw DatabaseError(error.message(), command.callText);
        }
    }

    void bind(SqliteRawStatement &st, int index, const std::optional<qint64> &value) const
    {
        const int rc = value ? sqlite3_bind_int64(st.get(), index, *value) : sqlite3_bind_null(st.get(), index);
        if (rc != SQLITE_OK)
            st.fail();
    }

    void bind(SqliteRawStatement &st, int index, const std::optional<QString> &value) const
    {
        int rc;
        if (value) {
            const QByteArray utf8 = value->toUtf8();
            rc = sqlite3_bind_text(st.get(), index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        } else {
            rc = sqlite3_bind_null(st.get(), index);
        }
        if (rc != SQLITE_OK)
            st.fail();
    }

    QByteArray sql(const char *text) const { return QByteArray::fromRawData(text, qsizetype(qstrlen(text))); }

    sqlite3 *db;
    const ProcedureCommand &command;
    QVariantList &args;

private:
    QString parameterName(int i) const
    {
        return i < command.parameters.size() ? command.parameters[i].name
                                             : QStringLiteral("@") + QString::number(i + 1);
    }
};

QVariant columnValue(sqlite3_stmt *st, int column)
{
    switch (sqlite3_column_type(st, column)) {
    case SQLITE_NULL:
        return QVariant();
    case SQLITE_INTEGER: {
        const sqlite3_int64 v = sqlite3_column_int64(st, column);
        return v >= INT_MIN && v <= INT_MAX ? QVariant(int(v)) : QVariant(qint64(v));
    }
    case SQLITE_FLOAT:
        return sqlite3_column_double(st, column);
    default:
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, column)),
                                 sqlite3_column_bytes(st, column));
    }
}

// A savepoint works both inside and outside a transaction the caller holds;
// it is rolled back unless released.
class Savepoint
{
public:
    Savepoint(sqlite3 *db, const QString &shownText) : m_db(db), m_shownText(shownText)
    {
        exec("SAVEPOINT stored_procedure");
    }
    ~Savepoint()
    {
        if (!m_released) {
            sqlite3_exec(m_db, "ROLLBACK TO stored_procedure", nullptr, nullptr, nullptr);
            sqlite3_exec(m_db, "RELEASE stored_procedure", nullptr, nullptr, nullptr);
        }
    }
    void release()
    {
        exec("RELEASE stored_procedure");
        m_released = true;
    }

private:
    void exec(const char *sql)
    {
        if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(m_db)), m_shownText);
    }

    sqlite3 *m_db;
    QString m_shownText;
    bool m_released = false;
};

QVariant hasPermission(Call &c)
{
    SqliteRawStatement st(c.db, c.sql("select 1 from tblUserPermission where UserID = ?1 and PermissionID = ?2"),
                       c.command.callText);
    c.bind(st, 1, c.integer(0));
    c.bind(st, 2, c.integer(1));
    return st.step() ? 1 : 0;
}

QVariant currentUserPeriod(Call &c)
{
    {
        SqliteRawStatement st(c.db, c.sql("select CurrentPeriodID from tblUser where ID = ?1 and CurrentPeriodID is not null"),
                           c.command.callText);
        c.bind(st, 1, c.integer(0));
        if (st.step())
            return columnValue(st.get(), 0);
    }
    SqliteRawStatement st(c.db, c.sql("select ID from tblAccountPeriod where IsActive = 1 order by BeginDate desc, ID desc limit 1"),
                       c.command.callText);
    return st.step() ? columnValue(st.get(), 0) : QVariant();
}

QVariant isLeafAccount(Call &c)
{
    SqliteRawStatement st(c.db, c.sql("select 1 from tblAccount where ParentID = ?1 limit 1"), c.command.callText);
    c.bind(st, 1, c.integer(0));
    return st.step() ? 0 : 1;
}

QVariant codeTitle(Call &c)
{
    SqliteRawStatement st(c.db, c.sql("select ifnull(Code, '') || ' - ' || ifnull(Title, '') from tblAccount where ID = ?1"),
                       c.command.callText);
    c.bind(st, 1, c.integer(0));
    c.args[1] = st.step() ? columnValue(st.get(), 0).toString() : QStringLiteral("");
    return 0;
}

QVariant updateDocumentDetail(Call &c)
{
    // Every argument is converted before anything is written.
    const auto id = c.integer(0);
    const auto rowNumber = c.integer(1);
    const auto documentTypeId = c.integer(2);
    const auto additionalFormSpec = c.text(3);
    const auto transactionDate = c.date(4);
    const auto farsiTransactionDate = c.text(5);
    const auto contractId = c.integer(6).value_or(0); // 0 means "no contract" and stores NULL
    const auto description = c.text(7);

    Savepoint savepoint(c.db, c.command.callText);
    SqliteRawStatement st(c.db,
                       c.sql("update tblAccountDocumentDetail set DocumentTypeID = ?3, AdditionalFormSpec = ?4,"
                             " TransactionDate = ?5, FarsiTransactionDate = ?6, ContractID = ?7, Description = ?8"
                             " where DocumentID = ?1 and RowNumber = ?2"),
                       c.command.callText);
    c.bind(st, 1, id);
    c.bind(st, 2, rowNumber);
    c.bind(st, 3, documentTypeId);
    c.bind(st, 4, additionalFormSpec);
    c.bind(st, 5, transactionDate);
    c.bind(st, 6, farsiTransactionDate);
    c.bind(st, 7, contractId ? std::optional<qint64>(contractId) : std::nullopt);
    c.bind(st, 8, description);
    st.step();
    const int changed = sqlite3_changes(c.db);
    savepoint.release();
    return changed;
}

struct Procedure
{
    const char *name;
    int argumentCount;
    QVariant (*run)(Call &);
};

const Procedure Procedures[] = {
    {"spVelkoHasPermission", 2, hasPermission},
    {"spAccountGetCurrentUserPeriod", 1, currentUserPeriod},
    {"spAccountIsLeafAccount", 1, isLeafAccount},
    {"spAccountGetCode_Title", 2, codeTitle},
    {"spAccountUpdateDocumentDetail", 8, updateDocumentDetail},
};

} // namespace

QVariant CallSqliteProcedure(sqlite3 *db, const ProcedureCommand &command, QVariantList &args)
{
    for (const Procedure &p : Procedures) {
        if (command.name.compare(QLatin1String(p.name), Qt::CaseInsensitive) != 0)
            continue;
        CheckProcedureArguments(command, args);
        if (args.size() < p.argumentCount)
            throw DatabaseError(DatabaseTexts::TooFewArguments(command.name), command.callText);
        Call call(db, command, args);
        return p.run(call);
    }
    throw DatabaseError(DatabaseTexts::UnknownProcedure(command.name), command.callText);
}
