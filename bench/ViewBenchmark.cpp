// ledger-bench view --rows N [--repeat K]: the end-to-end load of a large
// ledger. Times (a) the bare main ledger query read row by row through Qt SQL
// with every value fetched, (b) the read floor: the same query stepped on one
// raw SQLite connection with every column read as text and nothing kept, and
// (c) View(AccountID) until the window is filled, broken into phases by the
// times at which its statements were sent. With --repeat K each is run K
// times in turn and every figure printed is the median of its K values.

#include "Benchmarks.h"

#include "StandInDatabase.h"
#include "control/comAccountDetail1.h"
#include "ledger_window/frmAccountDetails.h"
#include "ledger_window/ledger/PartFill.h"
#include "outside/controls/FlexGrid.h"
#include "outside/database/Backend.h"
#include "session/Session.h"
#include "session/SqlTrace.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <ctime>
#include <map>
#include <sqlite3.h>
#include <vector>

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

// Lets VmHWM start again from the present size (Linux 4.0 and later), so
// the peak after a step is the peak of that step.
void resetPeakResident()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// Closes the window as a person would; a host's event loop then deletes it
// with its grid, which here is done at once, so that the next View starts as
// it would in a host and not beside every ledger read before.
void closeLedgerWindow(comAccountDetail1 &control)
{
    control.LedgerWindow()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// CPU time of every thread of the process so far.
double processCpuMs()
{
    timespec t {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// When the permission check after the totals statement was sent (the end of
// the view when there was none).
qint64 permissionAfterTotalsAt(const QList<Sent> &sent, qint64 end)
{
    bool totalsSent = false;
    for (const Sent &s : sent) {
        if (s.text.startsWith(QLatin1String("Select Sum(Debit) As SumDebit")))
            totalsSent = true;
        else if (totalsSent && s.text.startsWith(QLatin1String("{? = CALL spVelkoHasPermission")))
            return s.atMs;
    }
    return end;
}

// The figures of the K runs, printed as medians in the order first recorded.
class Figures
{
public:
    void add(const char *name, double value, const char *unit)
    {
        auto found = std::find_if(m_figures.begin(), m_figures.end(), [&](const Figure &f) { return f.name == name; });
        if (found == m_figures.end()) {
            m_figures.push_back({name, unit, {}});
            found = m_figures.end() - 1;
        }
        found->values.push_back(value);
    }
    void print() const
    {
        for (const Figure &figure : m_figures) {
            std::vector<double> values = figure.values;
            std::sort(values.begin(), values.end());
            const std::size_t n = values.size();
            const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
            PrintFigure(figure.name, median, figure.unit);
        }
    }

private:
    struct Figure
    {
        const char *name;
        const char *unit;
        std::vector<double> values;
    };
    std::vector<Figure> m_figures;
};

// (a) The bare query through Qt SQL, every value fetched.
double bareQueryMs(const QString &path, const QString &mainQuery, qint64 &rows)
{
    const std::unique_ptr<Backend> backend =
        CreateBackend(QStringLiteral("SQLite"), StandInConnectionString(path), QStringLiteral("bench-bare"));
    QSqlQuery query(backend->database());
    query.setForwardOnly(true);
    QElapsedTimer clock;
    clock.start();
    query.exec(backend->toDatabaseText(mainQuery));
    const int columns = query.record().count();
    rows = 0;
    while (query.next()) {
        for (int c = 0; c < columns; ++c)
            (void)query.value(c);
        ++rows;
    }
    return double(clock.nsecsElapsed()) / 1e6;
}

// (b) The read floor: the statement stepped on the raw connection (with the
// stand-in's functions registered), every column read as text, nothing kept.
double readFloorMs(const QString &path, const QString &mainQuery, qint64 &rows)
{
    const std::unique_ptr<Backend> backend =
        CreateBackend(QStringLiteral("SQLite"), StandInConnectionString(path), QStringLiteral("bench-floor"));
    const QSqlDatabase db = backend->database();
    const QVariant handle = db.driver()->handle();
    sqlite3 *raw = *static_cast<sqlite3 *const *>(handle.constData());
    const QByteArray text = backend->toDatabaseText(mainQuery).toUtf8();
    QElapsedTimer clock;
    clock.start();
    sqlite3_stmt *statement = nullptr;
    rows = 0;
    if (sqlite3_prepare_v2(raw, text.constData(), int(text.size()), &statement, nullptr) != SQLITE_OK)
        return -1;
    const int columns = sqlite3_column_count(statement);
    std::size_t bytes = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            (void)sqlite3_column_text(statement, c);
            bytes += std::size_t(sqlite3_column_bytes(statement, c));
        }
        ++rows;
    }
    sqlite3_finalize(statement);
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    return bytes > 0 || rows == 0 ? ms : -1;
}

} // namespace

int RunViewBenchmark(const QStringList &args)
{
    const BenchDatabase bench = PrepareBenchDatabase(args);
    const QString &path = bench.path;
    const int busiestAccount = bench.account;
    const int repeat = std::max(1, IntArgument(args, QStringLiteral("--repeat"), 1));
    // --readers 1 keeps the load on one reader, to compare with two.
    SetLedgerLoadReaders(IntArgument(args, QStringLiteral("--readers"), 2));

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
    closeLedgerWindow(control);

    Figures figures;
    for (int run = 0; run < repeat; ++run) {
        qint64 bareRows = 0;
        const double bareMs = bareQueryMs(path, mainQuery, bareRows);
        qint64 floorRows = 0;
        const double floorMs = readFloorMs(path, mainQuery, floorRows);

        // (c) View until the window is filled.
        sent.clear();
        resetPeakResident();
        const double cpuBefore = processCpuMs();
        sinceView.restart();
        control.View(busiestAccount);
        const qint64 viewMs = sinceView.elapsed();
        const double viewCpuMs = processCpuMs() - cpuBefore;
        const double viewPeakMb = PeakResidentMegabytes();
        const int gridRows = control.LedgerWindow()->flxAccount->Rows() - 1;
        const std::vector<qint64> partRows = control.LedgerWindow()->LedgerPartRows;
        closeLedgerWindow(control);

        figures.add("ledger_rows", double(gridRows), "rows");
        // How the rows fell to the readers (one part when one reader read them).
        figures.add("first_reader_rows", partRows.empty() ? 0 : double(partRows.front()), "rows");
        figures.add("second_reader_rows", partRows.size() < 2 ? 0 : double(partRows[1]), "rows");
        figures.add("bare_query_rows", double(bareRows), "rows");
        figures.add("bare_query_ms", bareMs, "ms");
        figures.add("read_floor_rows", double(floorRows), "rows");
        figures.add("read_floor_ms", floorMs, "ms");
        figures.add("view_ms", double(viewMs), "ms");
        figures.add("view_cpu_ms", viewCpuMs, "ms");
        figures.add("view_peak_rss_mb", viewPeakMb, "MB");
        figures.add("view_over_bare", bareMs > 0 ? double(viewMs) / bareMs : 0, "ratio");
        figures.add("view_over_read_floor", floorMs > 0 ? double(viewMs) / floorMs : 0, "ratio");
        figures.add("phase_start_up_ms",
                    phaseMs(sent, QStringLiteral("Select * from tblUser"), QStringLiteral("Select Sum(Debit-Credit)"), viewMs), "ms");
        figures.add("phase_balance_brought_forward_ms",
                    phaseMs(sent, QStringLiteral("Select Sum(Debit-Credit)"), QStringLiteral("{? = CALL spAccountIsLeafAccount"), viewMs),
                    "ms");
        figures.add("phase_main_query_and_binding_ms",
                    phaseMs(sent, QStringLiteral("Select AccTransCode"), QStringLiteral("{? = CALL spAccountIsLeafAccount"), viewMs),
                    "ms");
        figures.add("phase_totals_ms",
                    phaseMs(sent, QStringLiteral("Select Sum(Debit) As SumDebit"), QStringLiteral("{? = CALL spVelkoHasPermission"), viewMs),
                    "ms");
        // After the review-column permission that follows the totals come the
        // grid layout, the row colours, whatever of the fill is left and the
        // first row shown.
        figures.add("phase_layout_and_fill_ms", double(viewMs - permissionAfterTotalsAt(sent, viewMs)), "ms");
    }
    SetSqlTraceHook({});

    PrintFigure("repeat", double(repeat), "runs");
    figures.print();
    PrintFigure("peak_rss_mb", PeakResidentMegabytes(), "MB");
    return 0;
}
