// ledger-bench view --rows N: the end-to-end load of a large ledger. Times
// (a) the bare main ledger query read row by row through Qt SQL with every
// value fetched, and (b) View(AccountID) until the window is filled, broken
// into phases by the times at which its statements were sent.

#include "Benchmarks.h"

#include "StandInDatabase.h"
#include "control/comAccountDetail1.h"
#include "ledger_window/frmAccountDetails.h"
#include "outside/controls/FlexGrid.h"
#include "outside/database/Backend.h"
#include "session/Session.h"
#include "session/SqlTrace.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

struct Sent
{
    qint64 atMs;
    QString text;
};

// Time from the first statement starting with `from` to the first later
// statement starting with `until` (or to `end`).
double phaseMs(const QList<Sent> &sent, const QString &from, const QString &until, qint64 end)
{
    qint64 start = -1;
    for (const Sent &s : sent) {
        if (start < 0 && s.text.startsWith(from))
            start = s.atMs;
        else if (start >= 0 && s.text.startsWith(until))
            return double(s.atMs - start);
    }
    return start < 0 ? 0 : double(end - start);
}

} // namespace

int RunViewBenchmark(const QStringList &args)
{
    const BenchDatabase bench = PrepareBenchDatabase(args);
    const QString &path = bench.path;
    const int busiestAccount = bench.account;
    QElapsedTimer clock;

    QList<Sent> sent;
    QElapsedTimer sinceView;
    SetSqlTraceHook([&](const TracedStatement &s) { sent << Sent {sinceView.elapsed(), s.text}; });

    comAccountDetail1 control;
    control.setOLEConnectionString(StandInConnectionString(path));
    control.setUserID(1);

    // A first opening warms the file cache and tells the exact main query.
    sinceView.start();
    control.View(busiestAccount);
    QString mainQuery;
    for (const Sent &s : sent)
        if (s.text.startsWith(QLatin1String("Select AccTransCode")))
            mainQuery = s.text;
    control.LedgerWindow()->close();

    // (a) The bare query, every value fetched.
    qint64 bareRows = 0;
    double bareMs = 0;
    {
        const std::unique_ptr<Backend> backend =
            CreateBackend(QStringLiteral("SQLite"), StandInConnectionString(path), QStringLiteral("bench-bare"));
        QSqlQuery query(backend->database());
        query.setForwardOnly(true);
        clock.restart();
        query.exec(backend->toDatabaseText(mainQuery));
        const int columns = query.record().count();
        while (query.next()) {
            for (int c = 0; c < columns; ++c)
                (void)query.value(c);
            ++bareRows;
        }
        bareMs = double(clock.elapsed());
    }

    // (b) View until the window is filled.
    sent.clear();
    sinceView.restart();
    control.View(busiestAccount);
    const qint64 viewMs = sinceView.elapsed();
    const int gridRows = control.LedgerWindow()->flxAccount->Rows() - 1;
    SetSqlTraceHook({});

    PrintFigure("ledger_rows", double(gridRows), "rows");
    PrintFigure("bare_query_rows", double(bareRows), "rows");
    PrintFigure("bare_query_ms", bareMs, "ms");
    PrintFigure("view_ms", double(viewMs), "ms");
    PrintFigure("view_over_bare", bareMs > 0 ? double(viewMs) / bareMs : 0, "ratio");
    PrintFigure("phase_start_up_ms", phaseMs(sent, QStringLiteral("Select * from tblUser"), QStringLiteral("Select Sum(Debit-Credit)"), viewMs), "ms");
    PrintFigure("phase_balance_brought_forward_ms",
                phaseMs(sent, QStringLiteral("Select Sum(Debit-Credit)"), QStringLiteral("{? = CALL spAccountIsLeafAccount"), viewMs), "ms");
    PrintFigure("phase_main_query_and_binding_ms",
                phaseMs(sent, QStringLiteral("Select AccTransCode"), QStringLiteral("{? = CALL spAccountIsLeafAccount"), viewMs), "ms");
    PrintFigure("phase_totals_ms",
                phaseMs(sent, QStringLiteral("Select Sum(Debit) As SumDebit"), QStringLiteral("{? = CALL spVelkoHasPermission"), viewMs), "ms");
    // After the last statement (the review-column permission) come the grid
    // layout, the row colours and the fill.
    const qint64 lastStatementAt = sent.isEmpty() ? 0 : sent.last().atMs;
    PrintFigure("phase_layout_and_fill_ms", double(viewMs - lastStatementAt), "ms");
    PrintFigure("peak_rss_mb", PeakResidentMegabytes(), "MB");
    return 0;
}
