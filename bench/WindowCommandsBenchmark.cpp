// ledger-bench search|summary|options --rows N: commands on an opened
// ledger of the busiest demo account. search: a find that matches no row
// (by description, and by amount) and the find-next step; summary: the
// per-document fold; options: the reviewed-rows option and back to all rows,
// each a re-read.

#include "Benchmarks.h"

#include "control/comAccountDetail1.h"
#include "ledger_window/frmAccountDetails.h"
#include "outside/controls/FlexGrid.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLineEdit>

#include <functional>
#include <memory>

namespace {

std::unique_ptr<comAccountDetail1> openBusiestLedger(const QStringList &args)
{
    const BenchDatabase bench = PrepareBenchDatabase(args);
    return OpenBenchLedger(bench.connection, bench.account);
}

} // namespace

int RunSearchBenchmark(const QStringList &args)
{
    const auto control = openBusiestLedger(args);
    frmAccountDetails &window = *control->LedgerWindow();
    window.mnuAccountDetailSearch_Click();
    const int rowBefore = window.flxAccount->Row();

    window.txtAccDescSearch->setText(QStringLiteral("هيچ سندي zz"));
    PrintFigure("search_miss_ms", MillisecondsOf([&] { window.cmdOkey_Click(); }), "ms");
    window.txtAccDescSearch->clear();
    window.txtPriceSearch->setText(QStringLiteral("1,234,567,891"));
    PrintFigure("search_amount_miss_ms", MillisecondsOf([&] { window.cmdOkey_Click(); }), "ms");
    PrintFigure("search_miss_moved", window.flxAccount->Row() != rowBefore ? 1 : 0, "bool");

    // Every row matches empty fields: each press selects the next row.
    window.txtPriceSearch->clear();
    constexpr int steps = 200;
    const double stepsMs = MillisecondsOf([&] {
        for (int n = 0; n < steps; ++n)
            window.cmdOkey_Click();
    });
    PrintFigure("search_next_ms", stepsMs / steps, "ms");
    PrintFigure("peak_rss_mb", PeakResidentMegabytes(), "MB");
    return 0;
}

int RunSummaryBenchmark(const QStringList &args)
{
    const auto control = openBusiestLedger(args);
    frmAccountDetails &window = *control->LedgerWindow();
    const int rowsIn = window.flxAccount->Rows() - 1;
    PrintFigure("summary_ms", MillisecondsOf([&] { window.ShowDocumentSummary(); }), "ms");
    PrintFigure("summary_rows_in", rowsIn, "rows");
    PrintFigure("summary_rows_out", window.flxAccount->Rows() - 1, "rows");
    PrintFigure("summary_again_ms", MillisecondsOf([&] { window.ShowDocumentSummary(); }), "ms");
    PrintFigure("peak_rss_mb", PeakResidentMegabytes(), "MB");
    return 0;
}

int RunOptionsBenchmark(const QStringList &args)
{
    const auto control = openBusiestLedger(args);
    frmAccountDetails &window = *control->LedgerWindow();
    PrintFigure("option_checked_reread_ms",
                MillisecondsOf([&] { window.menuItem(QStringLiteral("mnuChecke"))->trigger(); }), "ms");
    PrintFigure("option_checked_rows", window.flxAccount->Rows() - 1, "rows");
    PrintFigure("option_reread_ms", MillisecondsOf([&] { window.menuItem(QStringLiteral("mnuAllCheck"))->trigger(); }), "ms");
    PrintFigure("option_all_rows", window.flxAccount->Rows() - 1, "rows");
    PrintFigure("peak_rss_mb", PeakResidentMegabytes(), "MB");
    return 0;
}
