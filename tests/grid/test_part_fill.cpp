// The ledger filled while it is read, in parts joined in order, against the
// fill of the whole loaded grid: the same texts, colours, summary fields and
// balances, or the same failure, wherever the parts are cut. And the grid
// store's join of a store filled apart.

#include "LedgerLines.h"

#include "ledger_window/ledger/FillSteps.h"
#include "ledger_window/ledger/PartFill.h"
#include "outside/controls/FlexGridStore.h"
#include "session/DatabaseError.h"

#include <QApplication>
#include <QTest>

#include <string>

namespace {

// All a fill leaves behind: every cell's text and colours, the summary
// fields, the balances; or only the message of its failure.
struct Picture
{
    QStringList cells;
    QList<quint32> colours;
    MapFields fields;
    QList<qint64> balances; // running, up to now
    QString failure;
};

void takeGrid(Picture &picture, const FlexGrid &grid)
{
    for (int r = 1; r < grid.Rows(); ++r) {
        for (int c = 0; c < grid.Cols(); ++c) {
            picture.cells << QStringLiteral("%1,%2 %3").arg(r).arg(c).arg(grid.TextMatrix(r, c));
            picture.colours << grid.cellForeColorAt(r, c) << grid.cellBackColorAt(r, c);
        }
    }
}

// The whole grid loaded, painted and filled, as the window did it.
Picture wholeGridFill(const Lines &lines, const LedgerFillInput &input)
{
    FlexGrid grid;
    loadLines(grid, lines);
    Picture picture;
    LedgerBalances balances;
    try {
        FillLedgerGrid(grid, input, balances, picture.fields);
    } catch (const DatabaseError &error) {
        return Picture {{}, {}, {}, {}, error.message()};
    }
    takeGrid(picture, grid);
    picture.balances = {balances.RunningBalance.raw(), balances.UpToNowBalance.raw()};
    return picture;
}

// The rows filled as they are read, in parts that begin at the given rows.
Picture partsFill(const Lines &lines, const LedgerFillInput &input, const QList<int> &cuts)
{
    const QList<QStringList> rows = ledgerRows(lines);
    const QList<int> bounds = QList<int> {0} + cuts + QList<int> {int(rows.size())};
    std::vector<std::unique_ptr<LedgerPartFill>> parts;
    std::vector<LedgerPartFill *> order;
    for (int k = 0; k + 1 < bounds.size(); ++k) {
        parts.push_back(std::make_unique<LedgerPartFill>(PartFillSetup {.input = input, .firstPart = k == 0}));
        stream(*parts.back(), rows, bounds[k], bounds[k + 1]);
        order.push_back(parts.back().get());
    }
    JoinedLedger joined = JoinLedgerParts(order);

    Picture picture;
    try {
        if (joined.failure)
            std::rethrow_exception(joined.failure);
        FillSteps::writeSummaryFields(picture.fields, input, joined.sums);
    } catch (const DatabaseError &error) {
        return Picture {{}, {}, {}, {}, error.message()};
    }
    FlexGrid grid;
    SetupLedgerGridAtStartup(grid, 1);
    grid.swapRows(joined.rows);
    takeGrid(picture, grid);
    picture.balances = {joined.sums.anyRow ? joined.sums.runningBalance.raw() : 0,
                        joined.sums.anyRow ? joined.sums.upToNowBalance.raw() : 0};
    return picture;
}

} // namespace

class TestPartFill : public QObject
{
    Q_OBJECT

private slots:
    void partsFillAsTheWholeGrid_data()
    {
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<QList<int>>("cuts"); // the first row of each later part
        QTest::addColumn<int>("nature");
        QTest::addColumn<QDate>("fromDate");
        QTest::addColumn<QString>("failure"); // part of the expected message; empty: none

        // Ten rows that touch every step: reviewed, excluded, assigned beyond
        // the amount, decimals, due after today, no due date, a balance that
        // changes sign.
        const Lines mixed {dc("500", "0"),
                           dc("0", "1200", "2024-01-10").reviewed(),
                           dc("250", "0", "2024-03-01").excludedFromAssignment(),
                           dc("0", "300").assigned("0", "450"),
                           dc("1234567.5", "0", ""),
                           dc("0", "40", "2024-02-01 10:30:00").excludedFromAssignment().reviewed(),
                           dc("75", "0").assigned("75", "0"),
                           dc("0", "1234567.5"),
                           dc("10", "0", "2024-01-15"),
                           dc("0", "2000")};
        QTest::newRow("one part") << mixed << QList<int> {} << 0 << QDate() << "";
        // The second part's rows start on an even data row: their colours swap.
        QTest::newRow("cut after an odd row") << mixed << QList<int> {3} << 0 << QDate() << "";
        QTest::newRow("cut after an even row") << mixed << QList<int> {4} << 0 << QDate() << "";
        QTest::newRow("credit nature, three parts") << mixed << QList<int> {1, 6} << 1 << QDate() << "";
        QTest::newRow("empty first part") << mixed << QList<int> {0} << 0 << QDate() << "";
        QTest::newRow("empty second part") << mixed << QList<int> {10} << 0 << QDate() << "";
        QTest::newRow("empty ledger") << Lines {} << QList<int> {0} << 0 << QDate() << "";
        // With the from-date after today the first row of the whole ledger
        // decides whether the balance brought forward counts up to today.
        QTest::newRow("empty first part, from-date after today, first row due")
            << Lines {dc("5", "0", "2024-01-02"), dc("0", "7", "2024-09-01")} << QList<int> {0} << 0
            << QDate(2024, 6, 1) << "";
        QTest::newRow("first row not due, from-date after today")
            << Lines {dc("5", "0", "2024-08-02"), dc("0", "7", "2024-01-01")} << QList<int> {1} << 0
            << QDate(2024, 6, 1) << "";

        Lines badDue = mixed;
        badDue[7].due = QStringLiteral("not a date");
        // The row number counts the rows of the whole ledger.
        QTest::newRow("due date that is not a date in the second part")
            << badDue << QList<int> {5} << 0 << QDate() << QString::fromUtf8("در رديف 8 ");
        badDue[2].due = QStringLiteral("2024/13/40");
        QTest::newRow("the first part's bad due date comes first")
            << badDue << QList<int> {5} << 0 << QDate() << QString::fromUtf8("در رديف 3 ");
        // The second part's running balance leaves the currency only when the
        // first part's balance is added to it.
        const Lines huge {dc("900000000000000", "0"), dc("10", "0"), dc("22337203685477", "0"), dc("1", "0")};
        QTest::newRow("balance beyond the currency in the second part")
            << huge << QList<int> {1} << 0 << QDate() << CurrencyOverflow::Message;
        Lines badAmount = mixed;
        badAmount[8].debit = QStringLiteral("99999999999999999999");
        QTest::newRow("amount beyond the currency in the second part")
            << badAmount << QList<int> {5} << 0 << QDate() << CurrencyOverflow::Message;
    }
    void partsFillAsTheWholeGrid()
    {
        QFETCH(Lines, lines);
        QFETCH(QList<int>, cuts);
        QFETCH(int, nature);
        QFETCH(QDate, fromDate);
        QFETCH(QString, failure);
        const LedgerFillInput input {.BalanceBroughtForward = Currency::fromUnits(100),
                                     .AccountNatureID = qint16(nature),
                                     .MaxDebit = Currency::fromUnits(5000),
                                     .MaxCredit = Currency::fromUnits(5000),
                                     .FromDate = fromDate,
                                     .today = QDate(2024, 1, 15)};
        const Picture whole = wholeGridFill(lines, input);
        const Picture parts = partsFill(lines, input, cuts);
        QVERIFY2(failure.isEmpty() ? whole.failure.isEmpty() : whole.failure.contains(failure), qPrintable(whole.failure));
        QCOMPARE(parts.failure, whole.failure);
        QCOMPARE(parts.cells, whole.cells);
        QCOMPARE(parts.colours, whole.colours);
        QCOMPARE(parts.fields.texts, whole.fields.texts);
        QCOMPARE(parts.fields.colors, whole.fields.colors);
        QCOMPARE(parts.balances, whole.balances);
    }

    // A store filled apart joins after rows that end inside a block: texts
    // kept in the row, in the shared text chunks and alone, and colours.
    void storeJoinKeepsTextsAndColours_data()
    {
        QTest::addColumn<int>("firstRows");
        QTest::newRow("first store ends inside a block") << 3;
        QTest::newRow("first store empty") << 0;
    }
    void storeJoinKeepsTextsAndColours()
    {
        QFETCH(int, firstRows);
        const std::string shortText = "1234";
        const std::string arenaText = "تاريخ سند و شرح";
        const std::string longText(70000, 'x'); // beyond what the chunks take
        const auto fillStore = [&](FlexGridStore &store, int rows, const std::string &tag) {
            store.clearRows(3);
            const std::uint16_t red = store.styleIndexOf(255, 0x80000005);
            const std::uint16_t plain = store.styleIndexOf(FlexGridStore::NoColor, 14408673);
            for (int r = 0; r < rows; ++r) {
                const std::string arena = arenaText + tag + std::to_string(r);
                const std::string_view cells[3] = {shortText, arena, r == 1 ? std::string_view(longText) : ""};
                const std::uint16_t styles[3] = {plain, red, plain};
                store.appendRow(cells, styles);
            }
        };
        FlexGridStore first, second;
        fillStore(first, firstRows, "a");
        // The second store knows its colour pairs the other way round.
        second.styleIndexOf(FlexGridStore::NoColor, 14408673);
        fillStore(second, 2, "b");
        first.appendRows(second);
        QCOMPARE(first.rowCount(), firstRows + 2);
        QCOMPARE(second.rowCount(), 0);
        for (int r = 0; r < first.rowCount(); ++r) {
            const bool fromSecond = r >= firstRows;
            const int own = fromSecond ? r - firstRows : r;
            QCOMPARE(first.text(r, 0), std::string_view(shortText));
            QCOMPARE(std::string(first.text(r, 1)), arenaText + (fromSecond ? "b" : "a") + std::to_string(own));
            QCOMPARE(first.text(r, 2).size(), own == 1 ? longText.size() : std::size_t(0));
            QCOMPARE(first.foreColor(r, 1), 255u);
            QCOMPARE(first.backColor(r, 0), 14408673u);
        }
        // New texts after the join go into a chunk of their own.
        first.setText(0 + firstRows, 1, "متن تازه پس از پيوند");
        QCOMPARE(std::string(first.text(firstRows, 1)), std::string("متن تازه پس از پيوند"));
        QCOMPARE(std::string(first.text(firstRows + 1, 1)), arenaText + "b1");
        first.swapBackColors(firstRows, firstRows + 1, 14408673, 0x80000005);
        QCOMPARE(first.backColor(firstRows, 0), 0x80000005u);
        QCOMPARE(first.backColor(firstRows, 1), 14408673u);
        QCOMPARE(first.foreColor(firstRows, 1), 255u);
    }
};

QTEST_MAIN(TestPartFill)
#include "test_part_fill.moc"
