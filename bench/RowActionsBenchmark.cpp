// ledger-bench marks --rows N: review marks on the opened ledger of the
// busiest demo account: 10,000 selected rows marked reviewed, then back, each
// one action (its statements in one transaction, the marks and colours shown).
// The rows' own review flags are put back afterwards, so the shared demo
// database stays as the other benchmarks expect it.

#include "Benchmarks.h"

#include "control/comAccountDetail1.h"
#include "ledger_window/frmAccountDetails.h"
#include "ledger_window/ledger/LedgerColumns.h"
#include "outside/controls/FlexGrid.h"
#include "session/Session.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

constexpr int MarkedRows = 10000;

double millisecondsOf(const std::function<void()> &work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    return double(clock.nsecsElapsed()) / 1e6;
}

} // namespace

int RunMarksBenchmark(const QStringList &args)
{
    const BenchDatabase bench = PrepareBenchDatabase(args);
    auto control = std::make_unique<comAccountDetail1>();
    control->setOLEConnectionString(bench.connection);
    control->setUserID(1);
    PrintFigure("view_ms", millisecondsOf([&] { control->View(bench.account); }), "ms");
    frmAccountDetails &window = *control->LedgerWindow();
    FlexGrid &grid = *window.flxAccount;
    const int last = std::min(MarkedRows, grid.Rows() - 1);
    PrintFigure("ledger_rows", grid.Rows() - 1, "rows");
    if (last < 1) {
        std::fprintf(stderr, "the ledger has no rows to mark\n");
        return 1;
    }

    // The rows reviewed before, to be reviewed again at the end.
    QStringList restore;
    for (int r = 1; r <= last; ++r)
        if (!grid.TextMatrix(r, LedgerCol::IsChecked).isEmpty())
            restore << QStringLiteral("Update tblAccountDocumentDetail Set IsChecked = 1 Where DocumentID = %1 And RowNumber = %2")
                           .arg(grid.TextMatrix(r, LedgerCol::DocumentID), grid.TextMatrix(r, LedgerCol::RowNumber));

    // Called directly rather than through the menu, so a failure ends the
    // benchmark instead of becoming a message.
    grid.setRow(1);
    grid.setRowSel(last);
    PrintFigure("mark_10k_ms", millisecondsOf([&] { window.mnuIsChecked_Click(); }), "ms");
    grid.setRow(last);
    grid.setRowSel(1);
    PrintFigure("unmark_10k_ms", millisecondsOf([&] { window.mnuIsNotChecked_Click(); }), "ms");
    PrintFigure("marked_rows", last, "rows");
    PrintFigure("peak_rss_mb", PeakResidentMegabytes(), "MB");

    if (!restore.isEmpty())
        Session.DataEnvironment().ExecuteTexts(restore);
    return 0;
}
