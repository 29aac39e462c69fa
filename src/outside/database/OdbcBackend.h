#pragma once
// The host's SQL Server, reached through Qt's ODBC driver and FreeTDS. The
// statements are sent as the component writes them (they are T-SQL already).

#include "outside/database/Backend.h"

// The ODBC connection string for an OLE DB one: Data Source, Initial Catalog,
// User ID, Password (or Integrated Security) become
// "DRIVER={FreeTDS};SERVER=...;DATABASE=...;UID=...;PWD=...;TDS_Version=7.4;ClientCharset=UTF-8;".
// A "host,port" data source is split into SERVER and Port; absent keys are
// left out; values holding ";" or "}" are wrapped in {} with "}" doubled.
QString OdbcConnectionString(const QString &oleDbConnectionString);

// The T-SQL text as SQL Server must receive it: one statement only (a second
// one is refused with a DatabaseError), and every literal holding a character
// beyond ASCII written as Unicode text (N'...'), so that Persian texts in the
// statement survive a server whose collation has no Arabic code page. A
// literal that has its N already keeps it; nothing else changes.
QString SqlServerText(const QString &tsql);

class OdbcBackend final : public Backend
{
public:
    OdbcBackend(const QString &connectionString, const QString &connectionName);
    ~OdbcBackend() override;

    QSqlDatabase database() override;
    QString toDatabaseText(const QString &tsql) const override { return SqlServerText(tsql); }
    QString dateText(const QDate &date) const override; // "YYYYMMDD", read the same under every language setting
    QVariant callProcedure(const ProcedureCommand &command, QVariantList &args) override;

private:
    QString m_connectionString;
    QString m_connectionName;
};
