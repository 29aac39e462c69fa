#include "outside/database/OdbcBackend.h"

#include "outside/database/DatabaseTexts.h"
#include "outside/database/ProcedureArguments.h"
#include "outside/database/SqlTokens.h"
#include "session/DatabaseError.h"

#include <QSqlError>
#include <QStringList>

namespace {

const QString DriverName = QStringLiteral("QODBC");

QString odbcValue(const QString &value)
{
    if (!value.contains(u';') && !value.contains(u'}') && !value.startsWith(u'{'))
        return value;
    QString escaped = value;
    escaped.replace(QStringLiteral("}"), QStringLiteral("}}"));
    return u'{' + escaped + u'}';
}

bool isTrue(const QString &value)
{
    for (const char *word : {"sspi", "true", "yes"})
        if (value.compare(QLatin1String(word), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool needsUnicodeLiteral(QStringView literal)
{
    for (QChar c : literal)
        if (c.unicode() > 0x7f)
            return true;
    return false;
}

// The literal at i is N'...' already.
bool hasUnicodePrefix(const QList<SqlToken> &tokens, qsizetype i)
{
    return i > 0 && tokens[i - 1].kind == SqlToken::Word && tokens[i - 1].text.compare(u"N", Qt::CaseInsensitive) == 0;
}

bool isNameCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'@' || c == u'#' || c == u'$';
}

} // namespace

QString OdbcConnectionString(const QString &oleDb)
{
    QString server = ConnectionStringValue(oleDb, QStringLiteral("Data Source"));
    QString port;
    const qsizetype comma = server.lastIndexOf(u',');
    if (comma >= 0) {
        port = server.mid(comma + 1).trimmed();
        server = server.left(comma).trimmed();
    }
    const QString database = ConnectionStringValue(oleDb, QStringLiteral("Initial Catalog"));
    const QString user = ConnectionStringValue(oleDb, QStringLiteral("User ID"));
    const QString password = ConnectionStringValue(oleDb, QStringLiteral("Password"));
    const bool integrated = isTrue(ConnectionStringValue(oleDb, QStringLiteral("Integrated Security")));

    QString odbc = QStringLiteral("DRIVER={FreeTDS};");
    auto add = [&odbc](const char *key, const QString &value) {
        if (!value.isEmpty())
            odbc += QLatin1String(key) + u'=' + odbcValue(value) + u';';
    };
    add("SERVER", server);
    add("Port", port);
    add("DATABASE", database);
    if (integrated) {
        odbc += QLatin1String("Trusted_Connection=Yes;"); // Kerberos sign-in of the current user
    } else {
        add("UID", user);
        add("PWD", password);
    }
    // Persian texts travel as UTF-8 between the driver and the component.
    odbc += QLatin1String("TDS_Version=7.4;ClientCharset=UTF-8;");
    return odbc;
}

QString SqlServerText(const QString &tsql)
{
    const QList<SqlToken> tokens = TokenizeSql(tsql, SqlDialect::SqlServer);
    SingleStatementLength(tokens, tsql);
    QString text;
    text.reserve(tsql.size() + 16);
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const SqlToken &token = tokens[i];
        if (token.kind == SqlToken::Literal && needsUnicodeLiteral(token.text) && !hasUnicodePrefix(tokens, i)) {
            // Written after a name or number without a blank, N would join it.
            if (!text.isEmpty() && isNameCharacter(text.back()))
                text += u' ';
            text += u'N';
        }
        text += token.text;
    }
    return text;
}

OdbcBackend::OdbcBackend(const QString &connectionString, const QString &connectionName)
    : m_connectionString(connectionString), m_connectionName(connectionName)
{}

OdbcBackend::~OdbcBackend()
{
    if (!QSqlDatabase::contains(m_connectionName))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        if (db.driverName() != DriverName)
            return;
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
}

QSqlDatabase OdbcBackend::database()
{
    if (QSqlDatabase::contains(m_connectionName)) {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        if (db.isOpen())
            return db;
    }
    if (!QSqlDatabase::isDriverAvailable(DriverName))
        throw DatabaseError(DatabaseTexts::MissingDriver(DriverName));
    QSqlDatabase db = QSqlDatabase::contains(m_connectionName)
        ? QSqlDatabase::database(m_connectionName, false)
        : QSqlDatabase::addDatabase(DriverName, m_connectionName);
    db.setDatabaseName(OdbcConnectionString(m_connectionString));
    db.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=15"));
    if (!db.open())
        throw DatabaseError(DatabaseTexts::ConnectionFailed(SqlErrorText(db.lastError())));
    return db;
}

QString OdbcBackend::dateText(const QDate &date) const
{
    return SqlDateText(date, u"");
}

QVariant OdbcBackend::callProcedure(const ProcedureCommand &command, QVariantList &args)
{
    CheckProcedureArguments(command, args);
    QSqlQuery query(database());
    if (!query.prepare(command.callText))
        throw DatabaseError(SqlErrorText(query.lastError()), command.callText);

    query.bindValue(0, QVariant(QMetaType(QMetaType::Int)), QSql::Out);
    for (qsizetype i = 0; i < command.parameters.size(); ++i) {
        const ProcedureParameter &p = command.parameters[i];
        QVariant value = args[i];
        if (p.direction == ProcedureParameter::InOut && p.type == QMetaType::QString && p.size > 0) {
            // The driver sizes an in/out text's buffer by the value passed in;
            // padding it to the declared size leaves room for the whole result.
            value = value.toString().leftJustified(p.size, u' ');
        }
        if (value.isNull())
            value = QVariant(QMetaType(p.type));
        query.bindValue(int(i) + 1, value, p.direction == ProcedureParameter::InOut ? QSql::InOut : QSql::In);
    }
    m_procedureRowsAffected = -1;
    if (!query.exec())
        throw DatabaseError(SqlErrorText(query.lastError()), command.callText);
    m_procedureRowsAffected = query.numRowsAffected();

    for (qsizetype i = 0; i < command.parameters.size(); ++i) {
        const ProcedureParameter &p = command.parameters[i];
        if (p.direction != ProcedureParameter::InOut)
            continue;
        QVariant result = query.boundValue(int(i) + 1);
        if (p.type == QMetaType::QString && !result.isNull()) {
            QString text = result.toString();
            while (text.endsWith(u' '))
                text.chop(1); // undo the padding
            result = text;
        }
        args[i] = result;
    }
    return query.boundValue(0);
}
