#include "session/DtEn.h"

#include "session/Currency.h"
#include "session/DatabaseError.h"
#include "session/SqlTrace.h"
#include "session/ValueText.h"

#include <algorithm>
#include <atomic>

namespace {

struct SqlCommand
{
    const char *name;
    const char *text;
};

// The SQL commands as designed. Their recordsets are reused by name as
// general-purpose recordsets on texts of their own.
const SqlCommand kSqlCommands[] = {
    {"sqlAccounts", "select * from tblAccount"},
    {"sqlAccContract", "Select * From tblAccountContractProject"},
    {"sqlvwTransDetail", "Select * From vwAccountDocumentDetail"},
    {"sqlAccDocumentTypeL", "Select * from tblAccountDocumentType"},
    {"Test", "Select * From vwAccountDocumentDetail"},
    {"sqlvwSearchTrans", "Select * From vwAccountDocumentDetail"},
    {"sqlRemained", "Select Sum(Debit) As SumDebit,Sum(Credit) As SumCredit from tblAccountDocumentDetail"},
    {"sqlVelkoTemplate", "select * from tblPraskreportTemplates"},
    {"sqlVelkoBasePath", "select * from tblVelkoBasePath"},
    {"sqlAccPeriodSpec", "select * from tblAccountPeriod"},
    {"sqlVelkoSP", "\"dbo\".\"tblVelkoSystemParameters\""},
};

ProcedureParameter in(const char *name, QMetaType::Type type = QMetaType::Int, int size = 0)
{
    return {QString::fromLatin1(name), ProcedureParameter::In, type, size};
}

QList<ProcedureCommand> makeProcedureCommands()
{
    return {
        {QStringLiteral("spAccountIsLeafAccount"), QStringLiteral("{? = CALL spAccountIsLeafAccount( ?) }"),
         {in("@ID")}},
        {QStringLiteral("spAccountUpdateDocumentDetail"),
         QStringLiteral("{? = CALL spAccountUpdateDocumentDetail( ?, ?, ?, ?, ?, ?, ?, ?) }"),
         {in("@ID"), in("@RowNumber"), in("@DocumentTypeID"), in("@AdditionalFormSpec", QMetaType::QString, 20),
          in("@TransactionDate", QMetaType::QDateTime), in("@FarsiTransactionDate", QMetaType::QString, 10),
          in("@ContractID"), in("@Description", QMetaType::QString, 255)}},
        {QStringLiteral("spVelkoHasPermission"), QStringLiteral("{? = CALL spVelkoHasPermission( ?, ?) }"),
         {in("@UserID"), in("@FormPermissionID")}},
        {QStringLiteral("spAccountGetCode_Title"), QStringLiteral("{? = CALL spAccountGetCode_Title( ?, ?) }"),
         {in("@AccountID"),
          {QStringLiteral("@PositionAccount"), ProcedureParameter::InOut, QMetaType::QString, 500}}},
        {QStringLiteral("spAccountGetCurrentUserPeriod"),
         QStringLiteral("{? = CALL spAccountGetCurrentUserPeriod( ?) }"), {in("@UserID")}},
    };
}

} // namespace

// --- Recordset -------------------------------------------------------------

Recordset::Recordset(DtEn &environment, const QString &commandName)
    : m_environment(environment)
    , m_command(commandName)
{}

void Recordset::requireClosed(const QString &sql) const
{
    if (m_open)
        throw DatabaseError(QStringLiteral("رکوردست %1 هنوز باز است و پيش از باز کردن دوباره بايد بسته شود.").arg(Name()), sql);
}

void Recordset::openOnSnapshot(QStringList columns, QList<QVariant> values)
{
    m_columns = std::move(columns);
    m_values = std::move(values);
    m_rowCount = m_columns.isEmpty() ? 0 : int(m_values.size() / m_columns.size());
    m_position = 0;
    m_open = true;
}

void Recordset::openOnStream(qint64 rowsHandedOn)
{
    m_columns.clear();
    m_values.clear();
    m_rowCount = int(rowsHandedOn);
    m_position = 0;
    m_open = true;
}

void Recordset::Open(const QString &sql)
{
    requireClosed(sql);
    TraceStatement({sql, Name(), {}});
    QStringList columns;
    QList<QVariant> values;
    m_environment.backend().snapshot(sql, columns, values);
    openOnSnapshot(std::move(columns), std::move(values));
}

qint64 Recordset::OpenInto(const QString &sql, RowSink &sink)
{
    requireClosed(sql);
    TraceStatement({sql, Name(), {}});
    const qint64 count = m_environment.backend().streamRows(sql, sink);
    openOnStream(count);
    return count;
}

SplitCounts Recordset::OpenInto(const QString &sql, const QString &whole, const QString &secondPart, RowSink &first,
                                RowSink &second, qint64 concurrentAfterRows)
{
    requireClosed(sql);
    TraceStatement({sql, Name(), {}});
    SplitCounts counts;
    try {
        counts = m_environment.backend().streamSplit(whole, secondPart, first, second, concurrentAfterRows);
    } catch (const CurrencyOverflow &) {
        throw;
    } catch (const DatabaseError &error) {
        throw DatabaseError(error.message(), error.statement().isEmpty() ? QString() : sql);
    }
    openOnStream(counts.first + counts.second);
    return counts;
}

void Recordset::Open(const QString &sql, SnapshotAhead &ahead)
{
    requireClosed(sql);
    QStringList columns;
    QList<QVariant> values;
    ahead.take(columns, values);
    TraceStatement({sql, Name(), {}});
    openOnSnapshot(std::move(columns), std::move(values));
}

void Recordset::Close()
{
    m_open = false;
    m_columns.clear();
    m_values.clear();
    m_rowCount = 0;
    m_position = 0;
}

int Recordset::RecordCount() const
{
    return m_open ? m_rowCount : -1;
}

bool Recordset::Eof() const
{
    return !m_open || m_position >= m_rowCount;
}

void Recordset::MoveFirst()
{
    m_position = 0;
}

void Recordset::MoveNext()
{
    if (m_position < m_rowCount)
        ++m_position;
}

int Recordset::AbsolutePosition() const
{
    return m_position + 1;
}

int Recordset::columnIndex(const QString &name) const
{
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_columns.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    throw DatabaseError(QStringLiteral("ستون %1 در رکوردست %2 وجود ندارد.").arg(name, Name()));
}

void Recordset::requireRow(const QString &name) const
{
    if (Eof())
        throw DatabaseError(QStringLiteral("رکوردست %1 روي هيچ سطري نيست (خواندن %2).").arg(Name(), name));
}

QVariant Recordset::Field(const QString &name) const
{
    const int column = columnIndex(name);
    requireRow(name);
    return m_values.at(qsizetype(m_position) * m_columns.size() + column);
}

QString Recordset::FieldText(const QString &name) const
{
    return ValueText(Field(name));
}

bool Recordset::IsNull(const QString &name) const
{
    return Field(name).isNull();
}

// --- DtEn -------------------------------------------------------------------

const QString DtEn::ConnectionName = QStringLiteral("RetailConnection");
const QString DtEn::DesignedConnectionString = QStringLiteral("Provider=MSDAOSP.1;Persist Security Info=False;");

DtEn::DtEn()
    : m_provider(QStringLiteral("MSDAOSP.1"))
    , m_connectionString(DesignedConnectionString)
{
    for (const SqlCommand &command : kSqlCommands) {
        const QString name = QString::fromLatin1(command.name);
        m_recordsets.emplace(name.toLower(), std::make_unique<Recordset>(*this, name));
    }
}

DtEn::~DtEn() = default;

void DtEn::SetProvider(const QString &provider)
{
    CloseConnection();
    m_provider = provider;
}

void DtEn::SetConnectionString(const QString &connectionString)
{
    CloseConnection();
    m_connectionString = connectionString;
}

void DtEn::CloseConnection()
{
    for (auto &entry : m_recordsets)
        entry.second->Close();
    // Closing the connection undoes an open transaction.
    m_inTransaction = false;
    m_backend.reset();
}

Backend &DtEn::backend()
{
    if (!m_backend) {
        // Every data environment gets its own Qt SQL connection name, so a
        // released instance never shares a connection with its successor.
        static std::atomic<int> instanceCounter {0};
        const QString name = ConnectionName + QString::number(++instanceCounter);
        m_backend = CreateBackend(m_provider, m_connectionString, name);
    }
    return *m_backend;
}

std::unique_ptr<SnapshotAhead> DtEn::ReadAhead(const QString &sql)
{
    return backend().snapshotAhead(sql);
}

Recordset &DtEn::Rs(const QString &name)
{
    QString key = name.toLower();
    if (key.startsWith(QLatin1String("rs")))
        key = key.mid(2);
    const auto found = m_recordsets.find(key);
    if (found == m_recordsets.end())
        throw DatabaseError(QStringLiteral("فرمان %1 در محيط داده تعريف نشده است.").arg(name));
    return *found->second;
}

QString DtEn::CommandText(const QString &commandName) const
{
    for (const SqlCommand &command : kSqlCommands) {
        if (commandName.compare(QLatin1String(command.name), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(command.text);
    }
    for (const ProcedureCommand &command : ProcedureCommands()) {
        if (commandName.compare(command.name, Qt::CaseInsensitive) == 0)
            return command.callText;
    }
    return QString();
}

QStringList DtEn::SqlCommandNames()
{
    QStringList names;
    for (const SqlCommand &command : kSqlCommands)
        names << QString::fromLatin1(command.name);
    return names;
}

const QList<ProcedureCommand> &DtEn::ProcedureCommands()
{
    static const QList<ProcedureCommand> commands = makeProcedureCommands();
    return commands;
}

qint64 DtEn::ExecuteText(const QString &sql)
{
    TraceStatement({sql, QString(), {}});
    return backend().execute(sql);
}

qint64 DtEn::ExecuteTexts(const QStringList &texts)
{
    DtEnTransaction unit(*this);
    qint64 changed = 0;
    for (const QString &text : texts)
        changed += std::max<qint64>(ExecuteText(text), 0);
    unit.Commit();
    return changed;
}

void DtEn::BeginTrans()
{
    if (m_inTransaction)
        throw DatabaseError(QStringLiteral("يك تراكنش روي اتصال %1 هنوز باز است.").arg(ConnectionName));
    backend().beginTransaction();
    m_inTransaction = true;
}

void DtEn::CommitTrans()
{
    if (!m_inTransaction)
        throw DatabaseError(QStringLiteral("هيچ تراكنشي روي اتصال %1 باز نيست.").arg(ConnectionName));
    backend().commitTransaction();
    m_inTransaction = false;
}

void DtEn::RollbackTrans() noexcept
{
    if (!m_inTransaction)
        return;
    m_inTransaction = false;
    if (m_backend)
        m_backend->rollbackTransaction();
}

DtEnTransaction::DtEnTransaction(DtEn &environment)
    : m_environment(environment)
{
    m_environment.BeginTrans();
}

DtEnTransaction::~DtEnTransaction()
{
    if (!m_done)
        m_environment.RollbackTrans();
}

void DtEnTransaction::Commit()
{
    m_environment.CommitTrans();
    m_done = true;
}

qint64 DtEn::LastCommandRowsAffected()
{
    return m_backend ? m_backend->lastProcedureRowsAffected() : -1;
}

QVariant DtEn::RunCommand(const QString &commandName, QVariantList &args)
{
    const ProcedureCommand *command = nullptr;
    for (const ProcedureCommand &candidate : ProcedureCommands()) {
        if (candidate.name.compare(commandName, Qt::CaseInsensitive) == 0)
            command = &candidate;
    }
    if (!command)
        throw DatabaseError(QStringLiteral("فرمان %1 در محيط داده تعريف نشده است.").arg(commandName));
    if (args.size() != command->parameters.size())
        throw DatabaseError(QStringLiteral("فرمان %1 به %2 پارامتر نياز دارد.")
                                .arg(command->name).arg(command->parameters.size()),
                            command->callText);
    // A text longer than its parameter would be cut short by the server;
    // refuse it instead so nothing is stored half.
    for (int i = 0; i < args.size(); ++i) {
        const ProcedureParameter &parameter = command->parameters.at(i);
        if (parameter.type == QMetaType::QString && parameter.direction == ProcedureParameter::In
            && parameter.size > 0 && args.at(i).toString().size() > parameter.size)
            throw DatabaseError(QStringLiteral("متن %1 بيش از %2 حرف است.").arg(parameter.name).arg(parameter.size),
                                command->callText);
    }
    TraceStatement({command->callText, command->name, args});
    return backend().callProcedure(*command, args);
}

QString DtEn::DateText(const QDate &date)
{
    return backend().dateText(date);
}
