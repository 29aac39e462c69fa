// ledger-bench print --rows N: the ledger printout of an opened ledger of N
// rows through the menu item, as the accountant starts it: the grid staged
// in the report table, the ledger template rendered to a PDF file by the
// report engine, and the staged rows cleared.

#include "Benchmarks.h"

#include "control/comAccountDetail1.h"
#include "ledger_window/frmAccountDetails.h"
#include "outside/components/ComponentRegistry.h"
#include "outside/components/report/comCrystalRpt.h"
#include "outside/controls/FlexGrid.h"
#include "printing/frmReport.h"
#include "session/SqlTrace.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

namespace {

// The report engine with the moment its run starts and ends noted.
class TimedReport : public comCrystalRpt
{
    Q_OBJECT
    Q_PROPERTY(int Action READ Action WRITE setTimedAction)

public:
    static inline QElapsedTimer clock;
    static inline double runStartMs = 0;
    static inline double runEndMs = 0;
    static inline int pages = 0;

    void setTimedAction(int action)
    {
        runStartMs = double(clock.nsecsElapsed()) / 1e6;
        setAction(action);
        runEndMs = double(clock.nsecsElapsed()) / 1e6;
        pages = PageCount();
        if (!LastError().isEmpty())
            std::fprintf(stderr, "report failed: %s\n", qPrintable(LastError()));
    }
};

// Chooses the picker's first template (the ledger printout) and prints.
void answerPickerOnce()
{
    auto *poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll] {
        auto *picker = qobject_cast<frmReport *>(QApplication::activeModalWidget());
        if (!picker || picker->cmbReport->count() == 0)
            return;
        poll->stop();
        poll->deleteLater();
        picker->cmbReport->setCurrentIndex(0);
        picker->cmdPrint->click();
        if (picker->isVisible()) { // the template's file is under no base path
            std::fprintf(stderr, "print: the template file of \"%s\" was not found\n",
                         qPrintable(picker->cmbReport->currentText()));
            picker->reject();
        }
    });
    poll->start();
}

} // namespace

int RunPrintBenchmark(const QStringList &args)
{
    const BenchDatabase bench = PrepareBenchDatabase(args);
    const auto control = OpenBenchLedger(bench.connection, bench.account);
    frmAccountDetails &window = *control->LedgerWindow();

    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("ledger.pdf"));
    RegisterComponent(QStringLiteral("comCrystalReport.comCrystalRpt"), [pdf] {
        auto report = std::make_unique<TimedReport>();
        report->setOutputFile(pdf);
        return std::unique_ptr<QObject>(std::move(report));
    });
    // Staging starts with the first clearing statement.
    double stageStartMs = -1;
    SetSqlTraceHook([&](const TracedStatement &statement) {
        if (stageStartMs < 0 && statement.text.startsWith(QLatin1String("Delete tblAccountTempInfo")))
            stageStartMs = double(TimedReport::clock.nsecsElapsed()) / 1e6;
    });

    TimedReport::clock.start();
    answerPickerOnce();
    window.menuItem(QStringLiteral("mnuFunc5"))->trigger();
    const double totalMs = double(TimedReport::clock.nsecsElapsed()) / 1e6;
    SetSqlTraceHook({});

    if (TimedReport::pages == 0)
        return 1; // nothing was printed; the reason is on standard error
    PrintFigure("print_rows", window.flxAccount->Rows() - 1, "rows");
    PrintFigure("stage_ms", TimedReport::runStartMs - stageStartMs, "ms");
    PrintFigure("render_ms", TimedReport::runEndMs - TimedReport::runStartMs, "ms");
    PrintFigure("clear_ms", totalMs - TimedReport::runEndMs, "ms");
    PrintFigure("pages", TimedReport::pages, "pages");
    PrintFigure("pdf_mb", double(QFileInfo(pdf).size()) / (1024.0 * 1024.0), "MB");
    PrintFigure("peak_rss_mb", PeakResidentMegabytes(), "MB");
    return 0;
}

#include "PrintBenchmark.moc"
