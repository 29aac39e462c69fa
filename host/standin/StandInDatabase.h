#pragma once
// The stand-in host database: an SQLite file holding the tables, views and
// settings the component reads. Tests build small fixtures on the empty
// schema; the demo and the benchmarks fill it with generated books.

#include <QDate>
#include <QString>

// Creates a new database file with the schema and no rows (an existing file
// is replaced). Throws DatabaseError on failure.
void CreateStandInSchema(const QString &path);

// The component's connection string for a stand-in database file.
QString StandInConnectionString(const QString &path);

struct DemoOptions
{
    int rows = 3000;      // ledger rows of the busiest leaf account
    quint32 seed = 1;     // same seed, same database
    QDate today;          // invalid = the component's Today()
};

struct DemoSummary
{
    int busiestLeafAccountId = 0;
    int busiestParentAccountId = 0; // parent of the busiest leaf
    qint64 documentCount = 0;
    qint64 detailRowCount = 0;
    int activePeriodId = 0;
};

// Creates (replacing) a demo database at path. Deterministic for a seed.
DemoSummary MakeDemoDatabase(const QString &path, const DemoOptions &options);
