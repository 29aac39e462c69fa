#pragma once
// The database connection of a report, from the text the caller hands over:
// an OLE DB connection string as the host gives it ("Provider=SQLite;Data
// Source=<file>", "Provider=SQLOLEDB.1;Data Source=srv;Initial Catalog=db;
// User ID=u;Password=p"), or the report-connect form "DSN= srv ;UID=u ;
// UserPassword=p;DSQ=db". In the report-connect form an empty UID and DSQ
// mean that DSN names the embedded database's file.

#include <QString>

struct ReportConnection
{
    QString provider;         // as CreateBackend takes it
    QString connectionString; // always in the OLE DB form
    bool isSqlite() const;
};

// Throws ReportError with a Persian message for an empty text, a text of
// neither form, or one without a server or file. Whether the provider is one
// the backends know is left to CreateBackend, which names it in its message.
ReportConnection ParseReportConnection(const QString &text);
