// ledger-bench fill: a generated ledger streamed into the grid the way the
// ledger query streams it, then the background paint, the fill and the first
// paint of the shown grid.

#include "Benchmarks.h"

#include "ledger_window/ledger/GridFill.h"
#include "ledger_window/ledger/LedgerColumns.h"
#include "outside/controls/FlexGrid.h"

#include <QCalendar>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QProgressBar>
#include <QTableView>

#include <array>
#include <cstdio>
#include <ctime>
#include <string>

namespace {

// Raw ledger rows with the texts the query binds: Jalali dates in columns 2
// and 3, ISO dates in 11 and 12, plain decimal amounts, the stored review flag
// 0/1, a few rows excluded from assignment, assigned values on some rows.
class LedgerRowGenerator
{
public:
    LedgerRowGenerator(int rows, QDate firstDay, int days) : m_rows(rows), m_days(days)
    {
        const QCalendar jalali(QCalendar::System::Jalali);
        char text[32];
        for (int d = 0; d < days + 90; ++d) {
            const QDate date = firstDay.addDays(d);
            const QCalendar::YearMonthDay parts = jalali.partsFromDate(date);
            std::snprintf(text, sizeof text, "%04d/%02d/%02d", parts.year, parts.month, parts.day);
            m_jalali.emplace_back(text);
            std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year(), date.month(), date.day());
            m_iso.emplace_back(text);
        }
    }

    // Fills cells with row i (0-based); the views stay valid until the next call.
    void row(int i, std::array<std::string_view, ColumnCount> &cells)
    {
        const auto set = [&](int column, std::string text) {
            m_text[std::size_t(column)] = std::move(text);
            cells[std::size_t(column)] = m_text[std::size_t(column)];
        };
        const quint32 r1 = next(), r2 = next(), r3 = next();
        const int document = i / 3 + 1;
        const int day = int(qint64(i) * m_days / std::max(m_rows, 1));
        const int dueDay = day + int(r1 % 60);
        const bool debitRow = (r2 & 1) != 0;
        const qint64 amount = qint64(1000 + r3 % 50000) * 1000;
        const bool excluded = r1 % 33 == 0;
        const qint64 assigned = r2 % 3 == 0 ? (r2 % 7 == 0 ? amount + 200000 : amount / 2) : 0;

        set(AccTransCode, std::to_string(document / 2 + 1000));
        set(DocumentID, std::to_string(document + 50000));
        cells[FarsiDocumentDate] = m_jalali[std::size_t(day)];
        cells[FarsiTransactionDate] = m_jalali[std::size_t(dueDay)];
        set(Description, "بابت فاكتور فروش شماره " + std::to_string(document * 7 + 11) + " مشتري "
                             + std::to_string(r3 % 900 + 100));
        set(Debit, debitRow ? std::to_string(amount) : std::string("0"));
        set(Credit, debitRow ? std::string("0") : std::to_string(amount));
        cells[DebitBalance] = cells[Debit];
        cells[CreditBalance] = cells[Credit];
        cells[DocumentType] = "عمومي";
        cells[AdditionalFormSpec] = r2 % 5 == 0 ? std::string_view("مشخصه") : std::string_view();
        cells[DocumentDate] = m_iso[std::size_t(day)];
        cells[TransactionDate] = m_iso[std::size_t(dueDay)];
        cells[DocumentTypeID] = "1";
        cells[ContractID] = r3 % 4 == 0 ? std::string_view("12") : std::string_view();
        cells[AccContract] = r3 % 4 == 0 ? std::string_view("قرارداد پخش") : std::string_view();
        set(AccTransDescription, "شرح رديف " + std::to_string(i % 97));
        set(RowNumber, std::to_string(i % 3 + 1));
        cells[IsFinalized] = r1 % 2 ? "1" : "0";
        cells[IsChecked] = r3 % 5 < 2 ? "1" : "0";
        cells[AccountCode] = "1103001";
        set(FormID, std::to_string(document + 7000));
        cells[FormTypeID] = "303";
        cells[FormType] = "فاكتور فروش";
        cells[FileName] = "SaleInvoice";
        set(AssignedDebit, debitRow ? std::to_string(assigned) : std::string("0"));
        set(AssignedCredit, debitRow ? std::string("0") : std::to_string(assigned));
        for (int c : {RemNotAssignedDebit, RemNotAssignedCredit, AssignmentCheck, RowColor})
            cells[c] = std::string_view();
        cells[AssignmentState] = excluded ? std::string_view("خارج از تخصيص") : std::string_view();
    }

private:
    quint32 next()
    {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return quint32(m_state >> 33);
    }

    int m_rows;
    int m_days;
    quint64 m_state = 42;
    std::vector<std::string> m_jalali;
    std::vector<std::string> m_iso;
    std::array<std::string, ColumnCount> m_text;
};

// CPU time of this thread: unlike the wall clock it does not grow when other
// processes share the machine.
double threadCpuMs()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

class CollectedFields : public SummaryFieldSink
{
public:
    void setFieldText(const QString &field, const QString &text) override { texts[field] = text; }
    void setFieldForeColor(const QString &field, quint32 ole) override { colors[field] = ole; }
    QHash<QString, QString> texts;
    QHash<QString, quint32> colors;
};

// Counts paint events of the grid's cell area.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

int RunFillBenchmark(const QStringList &args)
{
    int rows = 100000;
    const int at = int(args.indexOf(QStringLiteral("--rows")));
    if (at >= 0 && at + 1 < args.size())
        rows = args[at + 1].toInt();
    if (rows < 0) {
        std::fprintf(stderr, "--rows needs a count\n");
        return 2;
    }

    const QDate firstDay(2023, 3, 21); // 1402/01/01
    const int days = 365;
    LedgerRowGenerator generator(rows, firstDay, days);
    std::array<std::string_view, ColumnCount> cells;

    // Generation alone, so that the load figure can be read without it.
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < rows; ++i)
        generator.row(i, cells);
    const double generateMs = timer.nsecsElapsed() / 1e6;

    FlexGrid grid;
    grid.resize(1280, 720);
    SetupLedgerGridAtStartup(grid, 1);

    LedgerRowGenerator loadGenerator(rows, firstDay, days);
    timer.restart();
    double cpu = threadCpuMs();
    grid.beginRows(ColumnCount);
    for (int i = 0; i < rows; ++i) {
        loadGenerator.row(i, cells);
        grid.appendRow(cells.data(), ColumnCount);
    }
    grid.endRows();
    const double loadMs = timer.nsecsElapsed() / 1e6;
    const double loadCpuMs = threadCpuMs() - cpu;

    timer.restart();
    ApplyLedgerLayoutAfterQuery(grid, 1, true, true);
    grid.setRedraw(false);
    PaintAlternatingRowBackgrounds(grid);
    const double backgroundsMs = timer.nsecsElapsed() / 1e6;

    LedgerFillInput input;
    input.BalanceBroughtForward = Currency::fromUnits(1500000);
    input.AccountNatureID = 0;
    input.MaxDebit = Currency::fromUnits(900000000);
    input.FromDate = firstDay;
    input.today = firstDay.addDays(days / 2);
    LedgerBalances balances;
    CollectedFields fields;
    QProgressBar progress;
    timer.restart();
    cpu = threadCpuMs();
    FillLedgerGrid(grid, input, balances, fields, &progress);
    const double fillMs = timer.nsecsElapsed() / 1e6;
    const double fillCpuMs = threadCpuMs() - cpu;

    timer.restart();
    grid.setRedraw(true);
    if (grid.Rows() > 1) {
        grid.setCol(1);
        grid.setColSel(21);
        grid.setRow(1);
    }
    const double redrawMs = timer.nsecsElapsed() / 1e6;

    PaintCounter counter;
    grid.view()->viewport()->installEventFilter(&counter);
    timer.restart();
    grid.show();
    while (counter.paints == 0 && timer.elapsed() < 10000) {
        QCoreApplication::processEvents();
        if (counter.paints == 0)
            grid.view()->viewport()->repaint();
    }
    const double firstPaintMs = timer.nsecsElapsed() / 1e6;

    PrintFigure("rows", rows, "rows");
    PrintFigure("generate_ms", generateMs, "ms");
    PrintFigure("load_ms", loadMs, "ms");
    PrintFigure("load_cpu_ms", loadCpuMs, "ms");
    PrintFigure("backgrounds_ms", backgroundsMs, "ms");
    PrintFigure("fill_ms", fillMs, "ms");
    PrintFigure("fill_cpu_ms", fillCpuMs, "ms");
    PrintFigure("redraw_on_ms", redrawMs, "ms");
    PrintFigure("first_paint_ms", firstPaintMs, "ms");
    PrintFigure("peak_rss_mb", PeakResidentMegabytes(), "MB");
    PrintFigure("bytes_per_cell", rows > 0 ? double(grid.storeBytes()) / (double(rows) * int(ColumnCount)) : 0, "bytes");
    return 0;
}
