#pragma once
// The benchmarks of ledger-bench. Each subcommand is one function taking the
// arguments after its name and returning the process exit code; main()
// dispatches on the first argument. Results are printed one per line as
// "name value unit".

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class comAccountDetail1;

int RunFillBenchmark(const QStringList &args);
int RunViewBenchmark(const QStringList &args);
int RunSearchBenchmark(const QStringList &args);
int RunSummaryBenchmark(const QStringList &args);
int RunOptionsBenchmark(const QStringList &args);
int RunMarksBenchmark(const QStringList &args);
int RunCheckBenchmark(const QStringList &args);
int RunSortBenchmark(const QStringList &args);
int RunXlsxBenchmark(const QStringList &args);
int RunPrintBenchmark(const QStringList &args);

// Shared helpers.
double PeakResidentMegabytes(); // VmHWM of this process
void PrintFigure(const char *name, double value, const char *unit);

// The value after an option ("--rows N"), or the fallback.
int IntArgument(const QStringList &args, const QString &name, int fallback);

// A generated demo database for --rows N (default 100000) and --seed S,
// reused when one of that size and seed exists, with the active period
// widened over every year so that the ledger lists all rows of its busiest
// account.
struct BenchDatabase
{
    QString path;
    QString connection;
    int account = 0; // the account with the most ledger rows
};
BenchDatabase PrepareBenchDatabase(const QStringList &args);

// A control signed in as user 1 with the account's ledger open; prints
// view_ms and ledger_rows.
std::unique_ptr<comAccountDetail1> OpenBenchLedger(const QString &connection, int account);

// How long the work took, in milliseconds with fractions.
double MillisecondsOf(const std::function<void()> &work);
