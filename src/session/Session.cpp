#include "session/Session.h"

#include "session/DatabaseError.h"
#include "session/modMain.h"

#include <QCoreApplication>
#include <optional>
#include <stdexcept>

SessionRecord Session;

namespace {

// The provider of an OLE DB connection string: the value of its first
// segment, the text after the first "=" of the part before the first ";".
// None when the string has no ";".
std::optional<QString> connectionProvider(const QString &connection)
{
    const qsizetype firstSemicolon = connection.indexOf(QLatin1Char(';'));
    if (firstSemicolon < 0)
        return std::nullopt;
    const QString firstSegment = connection.left(firstSemicolon);
    return firstSegment.mid(firstSegment.indexOf(QLatin1Char('=')) + 1);
}

// Points a data environment's connection at the host's database.
void pointAtConnection(DtEn &environment, const QString &connection, const QString &provider)
{
    environment.SetProvider(provider);
    environment.SetConnectionString(connection);
}

} // namespace

DtEn &SessionRecord::DataEnvironment()
{
    if (!m_dataEnvironment) {
        m_dataEnvironment = std::make_unique<DtEn>();
        // A new instance (the first, or the one after a ledger window
        // unloaded) serves the windows still open: it takes the session's
        // connection at once instead of its designed one. A string without
        // ";" is left to StartSession, which reports it.
        if (const std::optional<QString> provider = connectionProvider(ConnectionText))
            pointAtConnection(*m_dataEnvironment, ConnectionText, *provider);
        // The connection must go before Qt SQL does at the application's end,
        // not with the process-wide record after it.
        static const bool releasedAtExit = [] {
            qAddPostRoutine([] { Session.ReleaseDataEnvironment(); });
            return true;
        }();
        Q_UNUSED(releasedAtExit);
    }
    return *m_dataEnvironment;
}

void SessionRecord::ReleaseDataEnvironment()
{
    m_dataEnvironment.reset();
}

void ResetSessionForTesting()
{
    Session = SessionRecord();
}

void StartSession()
{
    DtEn &environment = Session.DataEnvironment();

    const QString &text = Session.ConnectionText;
    const std::optional<QString> provider = connectionProvider(text);
    if (!provider)
        throw DatabaseError(QStringLiteral("رشته اتصال به بانك اطلاعاتي نامعتبر است (\";\" ندارد)."), text);
    pointAtConnection(environment, text, *provider);

    Session.BranchID = -1;
    Recordset &users = ReopenOnText(QStringLiteral("rssqlAccounts"),
                                    QStringLiteral("Select * from tblUser Where ID = ") + QString::number(Session.UserID));
    if (users.RecordCount() > 0) {
        const double branch = ParseDateNumber(users.FieldText(QStringLiteral("BranchID"))).toDouble();
        // A branch beyond 32 bits would wrap into another branch (or into
        // none, unlocking every branch): refuse it instead.
        if (!(branch >= -2147483648.0 && branch <= 2147483647.0)) {
            users.Close();
            throw DatabaseError(QStringLiteral("شعبه كاربر %1 در بانك اطلاعاتي نامعتبر است.").arg(Session.UserID));
        }
        Session.BranchID = qint32(branch);
    }
    users.Close();
}

QVariant ParseDateNumber(const QString &text)
{
    if (text.trimmed().isEmpty())
        return QVariant(-1);
    if (text == QLatin1String("True"))
        return QVariant(1);
    QString digits = text;
    digits.remove(QLatin1Char('/'));
    return QVariant(LeadingNumber(digits));
}

namespace {

// The value that follows key in a connection string, up to the next ";".
// Case-sensitive, first occurrence; an absent key gives a null text.
QString reportConnectValue(const QString &connection, const QString &key)
{
    const qsizetype at = connection.indexOf(key);
    if (at < 0)
        return QString();
    QString rest = connection.mid(at);
    rest = rest.mid(rest.indexOf(QLatin1Char('=')) + 1);
    const qsizetype end = rest.indexOf(QLatin1Char(';'));
    return end < 0 ? rest : rest.left(end);
}

} // namespace

QString BuildReportConnect(const QString &connectionString)
{
    const QString server = reportConnectValue(connectionString, QStringLiteral("Data Source"));
    const QString password = reportConnectValue(connectionString, QStringLiteral("Password"));
    const QString user = reportConnectValue(connectionString, QStringLiteral("User ID"));
    const QString database = reportConnectValue(connectionString, QStringLiteral("Initial Catalog"));
    // Without a server there is nothing to connect to. A connection without
    // a user or a catalog (the embedded database file is one) keeps them
    // empty, so the report engine still learns where the data is.
    if (server.isNull())
        return QString();
    return QStringLiteral("DSN= ") + server + QStringLiteral(" ;UID=") + user + QStringLiteral(" ; UserPassword=")
           + password + QStringLiteral(";") + QStringLiteral("DSQ=") + database;
}

QString SqlDate(const QDate &date)
{
    return Session.DataEnvironment().DateText(date);
}

QString BuildPeriodCondition(const QDate &begin, const QDate &end)
{
    // No period row was ever found (a deleted or unknown period in a fresh
    // session): there are no dates to bound the ledger by, so the period
    // sets no condition rather than making the window unopenable.
    if (!begin.isValid() || !end.isValid())
        return QString();
    return QStringLiteral(" and ( DocumentDate >='") + SqlDate(begin) + QStringLiteral("' And DocumentDate <= '")
           + SqlDate(end) + QStringLiteral("')");
}

Recordset &OpenOnText(const QString &recordsetName, const QString &sql)
{
    Recordset &recordset = Session.DataEnvironment().Rs(recordsetName);
    recordset.Open(sql);
    return recordset;
}

Recordset &ReopenOnText(const QString &recordsetName, const QString &sql)
{
    Recordset &recordset = Session.DataEnvironment().Rs(recordsetName);
    if (recordset.IsOpen())
        recordset.Close();
    recordset.Open(sql);
    return recordset;
}

qint64 ExecuteText(const QString &sql)
{
    return Session.DataEnvironment().ExecuteText(sql);
}

QVariant RunCommand(const QString &commandName, QVariantList &args)
{
    return Session.DataEnvironment().RunCommand(commandName, args);
}

qint32 RunCommandValue(const QString &commandName, const QVariantList &args)
{
    QVariantList values = args;
    const QVariant result = RunCommand(commandName, values);
    if (result.isNull())
        return 0;
    const qint64 value = result.toLongLong();
    // A value beyond 32 bits would wrap into another answer (a refusal, a
    // different period): refuse it instead.
    if (value < INT32_MIN || value > INT32_MAX)
        throw std::out_of_range(QStringLiteral("مقدار بازگشتي %1 از فرمان %2 خارج از محدوده عدد صحيح 32 بيتي است.")
                                    .arg(value)
                                    .arg(commandName)
                                    .toStdString());
    return qint32(value);
}
