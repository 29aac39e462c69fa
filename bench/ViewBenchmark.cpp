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

int argument(const QStringList &args, const QString &name, int fallback)
{
    const int at = args.indexOf(name);
    return at >= 0 && at + 1 < args.size() ? args.at(at + 1).toInt() : fallback;
}

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

// The account with the most ledger rows of an existing database.
int BusiestLeafAccount(const QString &path)
{
    const std::unique_ptr<Backend> backend =
        CreateBackend(QStringLiteral("SQLite"), StandInConnectionString(path), QStringLiteral("bench-busiest"));
    QSqlQuery query(backend->database());
    query.exec(QStringLiteral("select AccountID from tblAccountDocumentDetail group by AccountID order by count(*) desc limit 1"));
    return query.next() ? query.value(0).toInt() : 0;
}

} // namespace

int RunViewBenchmark(const QStringList &args)
{
    const int rows = argument(args, QStringLiteral("--rows"), 100000);
    const int seed = argument(args, QStringLiteral("--seed"), 1);
    const QString path = QDir::temp().filePath(QStringLiteral("ledger-bench-%1-%2.db").arg(rows).arg(seed));

    QElapsedTimer clock;
    clock.start();
    // A database of the same size and seed is reused: building one is not
    // what this benchmark measures.
    DemoSummary demo;
    if (QFileInfo::exists(path)) {
        demo.busiestLeafAccountId = BusiestLeafAccount(path);
    } else {
        DemoOptions options;
        options.rows = rows;
        options.seed = quint32(seed);
        demo = MakeDemoDatabase(path, options);
        PrintFigure("make_db_ms", double(clock.elapsed()), "ms");
    }
    // The demo spreads the busiest account over three fiscal years; the active
    // period is widened to all of them so that View lists every row.
    {
        const std::unique_ptr<Backend> backend =
            CreateBackend(QStringLiteral("SQLite"), StandInConnectionString(path), QStringLiteral("bench-setup"));
        QSqlQuery widen(backend->database());
        widen.exec(QStringLiteral("update tblAccountPeriod set BeginDate = (select min(BeginDate) from tblAccountPeriod), "
                                  "EndDate = (select max(EndDate) from tblAccountPeriod) where IsActive = 1"));
    }
    PrintFigure("db_size_mb", QFileInfo(path).size() / 1048576.0, "MB");

    QList<Sent> sent;
    QElapsedTimer sinceView;
    SetSqlTraceHook([&](const TracedStatement &s) { sent << Sent {sinceView.elapsed(), s.text}; });

    comAccountDetail1 control;
    control.setOLEConnectionString(StandInConnectionString(path));
    control.setUserID(1);

    // A first opening warms the file cache and tells the exact main query.
    sinceView.start();
    control.View(demo.busiestLeafAccountId);
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
    control.View(demo.busiestLeafAccountId);
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
