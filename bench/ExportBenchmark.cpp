// ledger-bench xlsx --rows N [--keep]: the opened ledger's grid, every cell
// of it, written to a new .xlsx workbook; --keep leaves the workbook in the
// temporary folder and prints its path.

#include "Benchmarks.h"

#include "control/comAccountDetail1.h"
#include "ledger_window/frmAccountDetails.h"
#include "outside/controls/FlexGrid.h"
#include "printing/SpreadsheetExport.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <ctime>

int RunXlsxBenchmark(const QStringList &args)
{
    const BenchDatabase bench = PrepareBenchDatabase(args);
    const auto control = OpenBenchLedger(bench.connection, bench.account);
    const FlexGrid &grid = *control->LedgerWindow()->flxAccount;

    const QString path = NewWorkbookPath();
    if (path.isEmpty()) {
        std::fprintf(stderr, "no new workbook path in the temporary folder\n");
        return 1;
    }
    // The ledger's own memory, to tell apart from what the export adds.
    PrintFigure("peak_rss_before_xlsx_mb", PeakResidentMegabytes(), "MB");
    QString message;
    // Processor time beside the wall clock: the machine is shared, and most
    // of the export is the library compressing the sheet.
    const std::clock_t cpuBefore = std::clock();
    const double ms = MillisecondsOf([&] { message = WriteGridWorkbook(grid, path); });
    const double cpuMs = double(std::clock() - cpuBefore) * 1000.0 / CLOCKS_PER_SEC;
    if (!message.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
        QFile::remove(path);
        return 1;
    }
    PrintFigure("xlsx_ms", ms, "ms");
    PrintFigure("xlsx_cpu_ms", cpuMs, "ms");
    PrintFigure("xlsx_mb", double(QFileInfo(path).size()) / (1024.0 * 1024.0), "MB");
    PrintFigure("xlsx_rows", grid.Rows(), "rows");
    PrintFigure("peak_rss_mb", PeakResidentMegabytes(), "MB");
    if (args.contains(QStringLiteral("--keep")))
        std::printf("xlsx_path %s\n", qPrintable(path));
    else
        QFile::remove(path);
    return 0;
}
