#pragma once
// Saving a new accounting document typed in the demo's document window.
// Kept apart from the window so that it can be checked without one.

#include <QDate>
#include <QList>
#include <QString>

struct DemoDocumentRow
{
    QString accountCode;
    QString description;
    QString debit;  // whole rials as typed; blank is zero
    QString credit;
};

struct DemoDocumentSaved
{
    int id = 0;    // the new document's ID, 0 when refused
    QString error; // why it was refused, in Persian
};

// Writes the document and its rows in one transaction into the demo database
// of an OLE DB style connection string ("Provider=SQLite;Data Source=<file>").
// The date is Jalali ("1405/02/10"). Blank rows are passed over. A document
// without rows, out of balance, with a row that is not a posting account of
// the chart, with an amount that is no whole non-negative number, or dated
// outside every period is refused and nothing is written.
DemoDocumentSaved SaveDemoDocument(const QString &connection, const QString &jalaliDate,
                                   const QString &description, const QList<DemoDocumentRow> &rows,
                                   int userId = 0);

// The database file of an OLE DB style connection string; empty if none.
QString DemoDatabaseFile(const QString &connection);

// A date as the demo database writes it in Jalali: "1405/02/10".
QString DemoJalaliText(const QDate &date);
