#include "outside/components/report/ReportConnection.h"

#include "outside/components/report/ReportError.h"
#include "outside/components/report/ReportTexts.h"
#include "outside/database/Backend.h"

#include <QRegularExpression>

namespace {

// Whether the key occurs at all: in the report-connect form an empty value
// ("UID= ") means something different from a missing key.
bool hasKey(const QString &text, const QString &key)
{
    const QRegularExpression pattern(QStringLiteral("(^|;)\\s*") + QRegularExpression::escape(key) + QStringLiteral("\\s*="),
                                     QRegularExpression::CaseInsensitiveOption);
    return pattern.match(text).hasMatch();
}

// A value as ConnectionStringValue reads it back: quoted when it holds ";"
// or a quote, or starts or ends with a blank.
QString connectionValue(const QString &value)
{
    const bool plain = !value.contains(u';') && !value.contains(u'"') && !value.contains(u'\'')
        && value.trimmed() == value;
    if (plain)
        return value;
    QString quoted = value;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString withKey(const char *key, const QString &value)
{
    return QLatin1String(key) + u'=' + connectionValue(value);
}

} // namespace

bool ReportConnection::isSqlite() const
{
    return provider.trimmed().compare(QLatin1String("SQLite"), Qt::CaseInsensitive) == 0;
}

ReportConnection ParseReportConnection(const QString &text)
{
    if (text.trimmed().isEmpty())
        throw ReportError(ReportTexts::ConnectionEmpty());

    const QString provider = ConnectionStringValue(text, QStringLiteral("Provider"));
    if (!provider.isEmpty()) {
        if (ConnectionStringValue(text, QStringLiteral("Data Source")).isEmpty())
            throw ReportError(ReportTexts::ConnectionNoDataSource());
        return {provider, text};
    }

    if (!hasKey(text, QStringLiteral("DSN")))
        throw ReportError(ReportTexts::ConnectionUnrecognised());
    const QString server = ConnectionStringValue(text, QStringLiteral("DSN"));
    const QString user = ConnectionStringValue(text, QStringLiteral("UID"));
    const QString password = ConnectionStringValue(text, QStringLiteral("UserPassword"));
    const QString database = ConnectionStringValue(text, QStringLiteral("DSQ"));
    if (server.isEmpty())
        throw ReportError(ReportTexts::ConnectionNoDataSource());
    if (user.isEmpty() && database.isEmpty())
        return {QStringLiteral("SQLite"), QStringLiteral("Provider=SQLite;") + withKey("Data Source", server)};
    const QString sqlServer = QStringLiteral("SQLOLEDB.1");
    return {sqlServer, QStringLiteral("Provider=") + sqlServer + u';' + withKey("Data Source", server) + u';'
                           + withKey("Initial Catalog", database) + u';' + withKey("User ID", user) + u';'
                           + withKey("Password", password)};
}
