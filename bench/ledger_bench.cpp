// ledger-bench <subcommand> [options]: timings and memory of the ledger
// component on generated data, run offscreen.

#include "Benchmarks.h"

#include <QApplication>
#include <QFile>

#include <cstdio>

namespace {

struct Subcommand
{
    const char *name;
    int (*run)(const QStringList &args);
    const char *usage;
};

const Subcommand Subcommands[] = {
    {"fill", RunFillBenchmark, "fill --rows N   load N generated ledger rows into the grid, fill it, paint it"},
    {"view", RunViewBenchmark, "view --rows N   open a generated ledger of N rows through View(AccountID)"},
    {"search", RunSearchBenchmark, "search --rows N   a search that finds nothing over every row, and find-next steps"},
    {"summary", RunSummaryBenchmark, "summary --rows N   fold the opened ledger into one row per document"},
    {"options", RunOptionsBenchmark, "options --rows N   choose the reviewed-rows option and back to all rows"},
    {"marks", RunMarksBenchmark, "marks --rows N   mark 10,000 selected rows reviewed and back"},
    {"check", RunCheckBenchmark, "check --rows N   the assignment check of a row with three links"},
    {"sort", RunSortBenchmark, "sort --rows N   a click on the credit column's header, and another"},
    {"xlsx", RunXlsxBenchmark, "xlsx --rows N   export the opened ledger's grid to a new .xlsx workbook"},
    {"print", RunPrintBenchmark, "print --rows N   stage the opened ledger, render the ledger printout to PDF, clear"},
};

int usage()
{
    std::fprintf(stderr, "usage: ledger-bench <subcommand> [options]\n");
    for (const Subcommand &command : Subcommands)
        std::fprintf(stderr, "  %s\n", command.usage);
    return 2;
}

} // namespace

double PeakResidentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

void PrintFigure(const char *name, double value, const char *unit)
{
    if (value == double(qint64(value)))
        std::printf("%s %lld %s\n", name, static_cast<long long>(value), unit);
    else
        std::printf("%s %.2f %s\n", name, value, unit);
    std::fflush(stdout);
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage();
    for (const Subcommand &command : Subcommands)
        if (args.first() == QLatin1String(command.name))
            return command.run(args.mid(1));
    return usage();
}
