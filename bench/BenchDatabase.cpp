// The demo database the window benchmarks share.

#include "Benchmarks.h"

#include "StandInDatabase.h"
#include "control/comAccountDetail1.h"
#include "ledger_window/frmAccountDetails.h"
#include "outside/components/ComponentRegistry.h"
#include "outside/controls/FlexGrid.h"
#include "outside/database/Backend.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlQuery>

namespace {

int busiestLeafAccount(const QString &path)
{
    const std::unique_ptr<Backend> backend =
        CreateBackend(QStringLiteral("SQLite"), StandInConnectionString(path), QStringLiteral("bench-busiest"));
    QSqlQuery query(backend->database());
    query.exec(QStringLiteral("select AccountID from tblAccountDocumentDetail group by AccountID order by count(*) desc limit 1"));
    return query.next() ? query.value(0).toInt() : 0;
}

} // namespace

int IntArgument(const QStringList &args, const QString &name, int fallback)
{
    const qsizetype at = args.indexOf(name);
    return at >= 0 && at + 1 < args.size() ? args.at(at + 1).toInt() : fallback;
}

BenchDatabase PrepareBenchDatabase(const QStringList &args)
{
    const int rows = IntArgument(args, QStringLiteral("--rows"), 100000);
    const int seed = IntArgument(args, QStringLiteral("--seed"), 1);
    BenchDatabase bench;
    bench.path = QDir::temp().filePath(QStringLiteral("ledger-bench-%1-%2.db").arg(rows).arg(seed));
    bench.connection = StandInConnectionString(bench.path);
    // Building the database is not what the benchmarks measure.
    if (QFileInfo::exists(bench.path)) {
        bench.account = busiestLeafAccount(bench.path);
    } else {
        QElapsedTimer clock;
        clock.start();
        DemoOptions options;
        options.rows = rows;
        options.seed = quint32(seed);
        bench.account = MakeDemoDatabase(bench.path, options).busiestLeafAccountId;
        PrintFigure("make_db_ms", double(clock.elapsed()), "ms");
    }
    // The demo spreads the busiest account over three fiscal years.
    const std::unique_ptr<Backend> backend =
        CreateBackend(QStringLiteral("SQLite"), bench.connection, QStringLiteral("bench-setup"));
    QSqlQuery widen(backend->database());
    widen.exec(QStringLiteral("update tblAccountPeriod set BeginDate = (select min(BeginDate) from tblAccountPeriod), "
                              "EndDate = (select max(EndDate) from tblAccountPeriod) where IsActive = 1"));
    PrintFigure("db_size_mb", QFileInfo(bench.path).size() / 1048576.0, "MB");
    return bench;
}

std::unique_ptr<comAccountDetail1> OpenBenchLedger(const QString &connection, int account)
{
    // Messages are counted by the benchmarks' own checks, never shown.
    RemoveComponent(QStringLiteral("comMessage.comMSG"));
    auto control = std::make_unique<comAccountDetail1>();
    control->setOLEConnectionString(connection);
    control->setUserID(1);
    const double viewMs = MillisecondsOf([&] { control->View(account); });
    PrintFigure("view_ms", viewMs, "ms");
    PrintFigure("ledger_rows", double(control->LedgerWindow()->flxAccount->Rows() - 1), "rows");
    return control;
}

double MillisecondsOf(const std::function<void()> &work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    return double(clock.nsecsElapsed()) / 1e6;
}
