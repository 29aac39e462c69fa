// The ledger grid (storage, selection, colours, sort, layout), the ledger
// fill (balances, marks, remainders, totals) on grids loaded the way the
// ledger query loads them, and the routines that read and write cell texts.

#include "ledger_window/ledger/CellText.h"
#include "ledger_window/ledger/GridFill.h"
#include "ledger_window/ledger/LedgerColumns.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/OleColor.h"
#include "session/Clock.h"
#include "session/DatabaseError.h"
#include "session/modMain.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QHeaderView>
#include <QProgressBar>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <array>
#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr quint32 Red = 255;
constexpr quint32 WindowText = 0x80000008;
const QString Reviewed = QString::fromUtf8(LedgerGridTexts::ReviewedMark);
const QString SixBlanks = QStringLiteral("      ");

// One raw ledger row as the query binds it.
struct Line
{
    QString debit = QStringLiteral("0");
    QString credit = QStringLiteral("0");
    QString due = QStringLiteral("2024-01-01");
    QString checked = QStringLiteral("0");
    QString assignedDebit = QStringLiteral("0");
    QString assignedCredit = QStringLiteral("0");
    bool excluded = false;

    Line &dueOn(const QString &date) { due = date; return *this; }
    Line &reviewed() { checked = QStringLiteral("1"); return *this; }
    Line &excludedFromAssignment() { excluded = true; return *this; }
    Line &assigned(const QString &d, const QString &c) { assignedDebit = d; assignedCredit = c; return *this; }
};
using Lines = QList<Line>;

Line dc(const QString &debit, const QString &credit)
{
    Line line;
    line.debit = debit;
    line.credit = credit;
    return line;
}

// Streams rows of column texts into the grid through its RowSink face.
void load(FlexGrid &grid, const QList<std::array<QString, ColumnCount>> &rows)
{
    grid.beginRows(ColumnCount);
    for (const auto &row : rows) {
        std::array<QByteArray, ColumnCount> utf8;
        std::array<std::string_view, ColumnCount> cells;
        for (int c = 0; c < ColumnCount; ++c) {
            utf8[c] = row[c].toUtf8();
            cells[c] = std::string_view(utf8[c].constData(), std::size_t(utf8[c].size()));
        }
        grid.appendRow(cells.data(), ColumnCount);
    }
    grid.endRows();
}

// A shown grid of 500 empty rows in two columns, taller than its view.
void showFiveHundredRows(FlexGrid &grid)
{
    grid.resize(600, 200);
    grid.setCols(2);
    load(grid, QList<std::array<QString, ColumnCount>>(500));
    grid.show();
}

// A shown grid of four rows "a" to "d" in four visible columns, for the
// mouse and selection tests.
void showFourRows(FlexGrid &grid)
{
    grid.resize(900, 300);
    grid.setCols(4);
    for (int c = 0; c < 4; ++c)
        grid.setColWidth(c, 1200);
    load(grid, {{"a"}, {"b"}, {"c"}, {"d"}});
    grid.show();
}

void loadLines(FlexGrid &grid, const Lines &lines)
{
    SetupLedgerGridAtStartup(grid, 1);
    QList<std::array<QString, ColumnCount>> rows;
    for (int i = 0; i < lines.size(); ++i) {
        const Line &line = lines[i];
        std::array<QString, ColumnCount> row;
        row[AccTransCode] = QString::number(100 + i);
        row[DocumentID] = QString::number(5000 + i);
        row[Debit] = row[DebitBalance] = line.debit;
        row[Credit] = row[CreditBalance] = line.credit;
        row[TransactionDate] = line.due;
        row[IsChecked] = line.checked;
        row[AssignedDebit] = line.assignedDebit;
        row[AssignedCredit] = line.assignedCredit;
        row[AssignmentState] = line.excluded ? QString::fromUtf8(LedgerGridTexts::ExcludedMark) : QString();
        rows << row;
    }
    load(grid, rows);
    ApplyLedgerLayoutAfterQuery(grid, 1, true, true);
    PaintAlternatingRowBackgrounds(grid);
}

class MapFields : public SummaryFieldSink
{
public:
    void setFieldText(const QString &field, const QString &text) override { texts[field] = text; }
    void setFieldForeColor(const QString &field, quint32 ole) override { colors[field] = ole; }
    QHash<QString, QString> texts;
    QHash<QString, quint32> colors;
};

struct Filled
{
    LedgerBalances balances;
    MapFields fields;
};

LedgerFillInput input(qint64 broughtForward = 0, int nature = 0)
{
    LedgerFillInput in;
    in.BalanceBroughtForward = Currency::fromUnits(broughtForward);
    in.AccountNatureID = qint16(nature);
    in.today = QDate(2024, 1, 15);
    return in;
}

void fill(FlexGrid &grid, const LedgerFillInput &in, Filled &out)
{
    FillLedgerGrid(grid, in, out.balances, out.fields);
    grid.setRedraw(true);
}

quint32 foreAt(FlexGrid &grid, int row, int col)
{
    grid.setRow(row);
    grid.setCol(col);
    return grid.CellForeColor();
}

quint32 backAt(FlexGrid &grid, int row, int col)
{
    grid.setRow(row);
    grid.setCol(col);
    return grid.CellBackColor();
}

QStringList column(FlexGrid &grid, int col)
{
    QStringList texts;
    for (int r = 1; r < grid.Rows(); ++r)
        texts << grid.TextMatrix(r, col);
    return texts;
}

} // namespace

Q_DECLARE_METATYPE(Line)

class TestGrid : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        SetTodayForTesting(QDate(2024, 1, 15));
    }
    void cleanupTestCase() { SetTodayForTesting(QDate()); }

    // ---- fill ---------------------------------------------------------

    void runningBalance_data()
    {
        QTest::addColumn<qint64>("broughtForward");
        QTest::addColumn<int>("nature");
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<QString>("lastDebitBalance");
        QTest::addColumn<QString>("lastCreditBalance");
        QTest::addColumn<bool>("lastBalanceRed");
        QTest::addColumn<QString>("sumAllDebit");
        QTest::addColumn<QString>("sumAllCredit");

        QTest::newRow("brought forward 100, credit 250: 150 credit, red for a debit nature")
            << qint64(100) << 0 << Lines {dc("0", "250")} << "" << "150" << true << SixBlanks << "150";
        QTest::newRow("exact zero shows 0 as credit and is not red")
            << qint64(0) << 0 << Lines {dc("500", "0"), dc("0", "500")} << "" << "0" << false << SixBlanks << "0";
        QTest::newRow("debit balance with separators")
            << qint64(0) << 0 << Lines {dc("1000000", "0"), dc("234567", "0")} << "1,234,567" << "" << false
            << "1,234,567" << SixBlanks;
        QTest::newRow("credit nature: a debit balance is red")
            << qint64(0) << 1 << Lines {dc("100", "0")} << "100" << "" << true << "100" << SixBlanks;
        QTest::newRow("credit nature: a credit balance is not red")
            << qint64(-50) << 1 << Lines {dc("0", "100")} << "" << "150" << false << SixBlanks << "150";
        QTest::newRow("no nature: never red")
            << qint64(0) << 2 << Lines {dc("0", "100")} << "" << "100" << false << SixBlanks << "100";
    }

    void runningBalance()
    {
        QFETCH(QString, lastDebitBalance);
        QFETCH(QString, lastCreditBalance);
        QFETCH(bool, lastBalanceRed);
        QFETCH(QString, sumAllDebit);
        QFETCH(QString, sumAllCredit);
        QFETCH(qint64, broughtForward);
        QFETCH(int, nature);
        QFETCH(Lines, lines);
        FlexGrid grid;
        loadLines(grid, lines);
        Filled out;
        fill(grid, input(broughtForward, nature), out);

        const int last = grid.Rows() - 1;
        QCOMPARE(grid.TextMatrix(last, DebitBalance), lastDebitBalance);
        QCOMPARE(grid.TextMatrix(last, CreditBalance), lastCreditBalance);
        const bool red = lastBalanceRed;
        QCOMPARE(foreAt(grid, last, DebitBalance) == Red, red);
        QCOMPARE(foreAt(grid, last, CreditBalance) == Red, red);
        QCOMPARE(out.fields.texts.value("txtSumAllDebit"), sumAllDebit);
        QCOMPARE(out.fields.texts.value("txtSumAllCredit"), sumAllCredit);
    }

    void amountColumnsGetSeparators()
    {
        FlexGrid grid;
        loadLines(grid, {dc(" 1500000 ", "0"), dc("0", "25000000")});
        Filled out;
        fill(grid, input(), out);
        QCOMPARE(column(grid, Debit), QStringList({"1,500,000", "0"}));
        QCOMPARE(column(grid, Credit), QStringList({"0", "25,000,000"}));
    }

    // Review colour covers columns 0 to 19; exclusion colours the whole row
    // and wins over the review colour, on row 1 as on later rows.
    void rowColours_data()
    {
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("mark");
        QTest::addColumn<quint32>("col0");
        QTest::addColumn<quint32>("col19");
        QTest::addColumn<quint32>("col20");
        QTest::addColumn<quint32>("col31");

        const Line plain = dc("100", "0");
        QTest::newRow("reviewed row: red up to column 19")
            << Lines {Line(plain).reviewed()} << 1 << Reviewed << Red << Red << WindowText << WindowText;
        QTest::newRow("unreviewed row: window text")
            << Lines {plain} << 1 << "" << WindowText << WindowText << WindowText << WindowText;
        QTest::newRow("excluded unreviewed first row stays red")
            << Lines {Line(plain).excludedFromAssignment()} << 1 << "" << Red << Red << Red << Red;
        QTest::newRow("excluded unreviewed later row is red")
            << Lines {plain, Line(plain).excludedFromAssignment()} << 2 << "" << Red << Red << Red << Red;
        QTest::newRow("excluded reviewed row is red")
            << Lines {plain, Line(plain).excludedFromAssignment().reviewed()} << 2 << Reviewed << Red << Red << Red << Red;
        Line boolFlag = plain;
        boolFlag.checked = QStringLiteral("True");
        QTest::newRow("a bit flag read as True counts as reviewed")
            << Lines {boolFlag} << 1 << Reviewed << Red << Red << WindowText << WindowText;
    }

    void rowColours()
    {
        QFETCH(QString, mark);
        QFETCH(quint32, col0);
        QFETCH(quint32, col19);
        QFETCH(quint32, col20);
        QFETCH(quint32, col31);
        QFETCH(Lines, lines);
        QFETCH(int, row);
        FlexGrid grid;
        loadLines(grid, lines);
        Filled out;
        fill(grid, input(), out);
        QCOMPARE(grid.TextMatrix(row, IsChecked), mark);
        QCOMPARE(foreAt(grid, row, AccTransCode), col0);
        QCOMPARE(foreAt(grid, row, IsChecked), col19);
        QCOMPARE(foreAt(grid, row, AccountCode), col20);
        QCOMPARE(foreAt(grid, row, AssignmentState), col31);
    }

    void assignmentRemainders_data()
    {
        QTest::addColumn<Line>("line");
        QTest::addColumn<QStringList>("columns25to28");
        QTest::addColumn<bool>("remaindersRed");

        QTest::newRow("over-assigned debit: -200, red")
            << Line(dc("500", "0")).assigned("700", "0") << QStringList({"700", "0", "-200", "0"}) << true;
        QTest::newRow("fully assigned")
            << Line(dc("1500000", "0")).assigned("1500000", "0") << QStringList({"1,500,000", "0", "0", "0"}) << false;
        QTest::newRow("part of a credit assigned")
            << Line(dc("0", "2500000")).assigned("0", "1000000") << QStringList({"0", "1,000,000", "0", "1,500,000"}) << false;
        QTest::newRow("negative thousand keeps a regular look")
            << Line(dc("0", "1000")).assigned("0", "2000") << QStringList({"0", "2,000", "0", "-1,000"}) << true;
        // The sign stays in front of the grouped digits, never "-,200,000".
        QTest::newRow("minus sign before two groups")
            << Line(dc("100000", "0")).assigned("300000", "0") << QStringList({"300,000", "0", "-200,000", "0"}) << true;
        QTest::newRow("excluded row keeps raw values and no remainders")
            << Line(dc("1500000", "0")).assigned("700000", "0").excludedFromAssignment()
            << QStringList({"700000", "0", "", ""}) << true;
    }

    void assignmentRemainders()
    {
        QFETCH(QStringList, columns25to28);
        QFETCH(bool, remaindersRed);
        QFETCH(Line, line);
        FlexGrid grid;
        loadLines(grid, {dc("1", "0"), line});
        Filled out;
        fill(grid, input(), out);
        QStringList texts;
        for (int c = AssignedDebit; c <= RemNotAssignedCredit; ++c)
            texts << grid.TextMatrix(2, c);
        QCOMPARE(texts, columns25to28);
        const bool red = remaindersRed;
        QCOMPARE(foreAt(grid, 2, RemNotAssignedDebit) == Red, red);
        QCOMPARE(foreAt(grid, 2, RemNotAssignedCredit) == Red, red);
    }

    void reviewTotals_data()
    {
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<QString>("sumChecked");
        QTest::addColumn<QString>("sumUnChecked");

        QTest::newRow("negative reviewed sum in parentheses")
            << Lines {Line(dc("0", "300")).reviewed(), dc("1000", "0")} << "(300)" << "1,000";
        QTest::newRow("both sides net out per group")
            << Lines {Line(dc("5000", "0")).reviewed(), Line(dc("0", "1500")).reviewed(), dc("0", "2000000")}
            << "3,500" << "(2,000,000)";
        QTest::newRow("zero sums show 0") << Lines {dc("100", "0"), dc("0", "100")} << "0" << "0";
        QTest::newRow("no rows: both 0") << Lines {} << "0" << "0";
    }

    void reviewTotals()
    {
        QFETCH(QString, sumChecked);
        QFETCH(QString, sumUnChecked);
        QFETCH(Lines, lines);
        FlexGrid grid;
        loadLines(grid, lines);
        Filled out;
        fill(grid, input(), out);
        QCOMPARE(out.fields.texts.value("txtSumChecked"), sumChecked);
        QCOMPARE(out.fields.texts.value("txtSumUnChecked"), sumUnChecked);
    }

    void assignmentTotals_data()
    {
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<QStringList>("totals"); // assigned debit, credit, not assigned debit, credit

        QTest::newRow("excluded rows add nothing")
            << Lines {Line(dc("1000", "0")).assigned("400", "0"),
                      Line(dc("500", "0")).assigned("700", "0").excludedFromAssignment(),
                      Line(dc("0", "2000")).assigned("0", "2500")}
            << QStringList({"400", "2,500", "600", "-500"});
        QTest::newRow("sums above a thousand get separators")
            << Lines {Line(dc("1500000", "0")).assigned("1000000", "0"), Line(dc("2500000", "0")).assigned("1000000", "0")}
            << QStringList({"2,000,000", "0", "2,000,000", "0"});
        QTest::newRow("only excluded rows leave the totals empty")
            << Lines {Line(dc("500", "0")).excludedFromAssignment()} << QStringList({"", "", "", ""});
        QTest::newRow("no rows leaves them empty") << Lines {} << QStringList({"", "", "", ""});
    }

    void assignmentTotals()
    {
        QFETCH(QStringList, totals);
        QFETCH(Lines, lines);
        FlexGrid grid;
        loadLines(grid, lines);
        Filled out;
        fill(grid, input(), out);
        const QStringList shown = {out.fields.texts.value("txtSumAssignedDebit"), out.fields.texts.value("txtSumAssignedCredit"),
                                   out.fields.texts.value("txtSumNotAssignedDebit"),
                                   out.fields.texts.value("txtSumNotAssignedCredit")};
        QCOMPARE(shown, totals);
    }

    void limits_data()
    {
        QTest::addColumn<int>("nature");
        QTest::addColumn<qint64>("balance");
        QTest::addColumn<QString>("limit");     // "-" = field not written
        QTest::addColumn<QString>("remainder"); // "-" = field not written
        QTest::addColumn<int>("remainderColour"); // -1 = colour not set

        // Limits: MaxDebit 5,000, MaxCredit 1,000.
        QTest::newRow("credit nature over its limit: -200 in red") << 1 << qint64(-1200) << "1,000" << "-200" << int(Red);
        QTest::newRow("credit nature within its limit") << 1 << qint64(-300) << "1,000" << "700" << int(WindowText);
        QTest::newRow("credit nature with a debit balance: the whole limit") << 1 << qint64(50) << "1,000" << "1,000" << -1;
        QTest::newRow("credit nature at zero: the whole limit") << 1 << qint64(0) << "1,000" << "1,000" << -1;
        QTest::newRow("debit nature within its limit") << 0 << qint64(1200) << "5,000" << "3,800" << int(WindowText);
        QTest::newRow("debit nature over its limit") << 0 << qint64(5500) << "5,000" << "-500" << int(Red);
        QTest::newRow("debit nature with a credit balance") << 0 << qint64(-10) << "5,000" << "5,000" << -1;
        QTest::newRow("no nature leaves both fields") << 2 << qint64(-1200) << "-" << "-" << -1;
    }

    void limits()
    {
        QFETCH(int, nature);
        QFETCH(qint64, balance);
        QFETCH(QString, limit);
        QFETCH(QString, remainder);
        QFETCH(int, remainderColour);
        FlexGrid grid;
        loadLines(grid, {dc("0", "0")});
        LedgerFillInput in = input(balance, nature);
        in.MaxDebit = Currency::fromUnits(5000);
        in.MaxCredit = Currency::fromUnits(1000);
        Filled out;
        fill(grid, in, out);
        QCOMPARE(out.fields.texts.value("txtMaxDebit_Credit", "-"), limit);
        QCOMPARE(out.fields.texts.value("txtRemMaxDebit_Credit", "-"), remainder);
        QCOMPARE(int(out.fields.colors.value("txtRemMaxDebit_Credit", quint32(-1))), remainderColour);
    }

    // Balance of the rows due by today (2024-01-15), with the balance brought
    // forward when it lies before today.
    void upToToday_data()
    {
        QTest::addColumn<qint64>("broughtForward");
        QTest::addColumn<QDate>("fromDate");
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<qint64>("upToNow");
        QTest::addColumn<QString>("upToNowDebit");
        QTest::addColumn<QString>("upToNowCredit");

        const QDate beforeToday(2024, 1, 1);
        QTest::newRow("all rows due by today")
            << qint64(100) << beforeToday << Lines {dc("50", "0").dueOn("2024-01-01"), dc("30", "0").dueOn("2024-01-15")}
            << qint64(180) << "180" << SixBlanks;
        QTest::newRow("rows due later are left out")
            << qint64(100) << beforeToday << Lines {dc("50", "0").dueOn("2024-01-01"), dc("30", "0").dueOn("2024-01-16")}
            << qint64(150) << "150" << SixBlanks;
        QTest::newRow("first row due later: the balance brought forward still counts")
            << qint64(100) << beforeToday << Lines {dc("50", "0").dueOn("2024-02-01"), dc("30", "0").dueOn("2024-01-05")}
            << qint64(130) << "130" << SixBlanks;
        QTest::newRow("from-date after today and first row later: brought forward left out")
            << qint64(100) << QDate(2024, 2, 1) << Lines {dc("50", "0").dueOn("2024-02-05")}
            << qint64(0) << SixBlanks << "0";
        QTest::newRow("credit balance up to today, due date with a time")
            << qint64(0) << QDate() << Lines {dc("0", "2500").dueOn("2024-01-15 00:00:00"), dc("9000", "0").dueOn("2025-01-01")}
            << qint64(-2500) << SixBlanks << "2,500";
    }

    void upToToday()
    {
        QFETCH(QDate, fromDate);
        QFETCH(qint64, upToNow);
        QFETCH(QString, upToNowDebit);
        QFETCH(QString, upToNowCredit);
        QFETCH(qint64, broughtForward);
        QFETCH(Lines, lines);
        FlexGrid grid;
        loadLines(grid, lines);
        LedgerFillInput in = input(broughtForward);
        in.FromDate = fromDate;
        Filled out;
        fill(grid, in, out);
        QCOMPARE(out.balances.UpToNowBalance, Currency::fromUnits(upToNow));
        QCOMPARE(out.fields.texts.value("txtUpToNowAllDebit"), upToNowDebit);
        QCOMPARE(out.fields.texts.value("txtUpToNowAllCredit"), upToNowCredit);
    }

    void emptyLedgerKeepsBalances()
    {
        FlexGrid grid;
        loadLines(grid, {});
        Filled out;
        out.balances.RunningBalance = Currency::fromUnits(77);
        fill(grid, input(500), out);
        QCOMPARE(grid.Rows(), 1);
        QCOMPARE(out.balances.RunningBalance, Currency::fromUnits(77));
        QVERIFY(!out.fields.texts.contains("txtSumAllDebit"));
        QVERIFY(!out.fields.texts.contains("txtMaxDebit_Credit"));
    }

    void badDueDateStopsBeforeWriting()
    {
        FlexGrid grid;
        loadLines(grid, {Line(dc("1500", "0")).reviewed(), dc("0", "10").dueOn("1402/13/40")});
        Filled out;
        QVERIFY_THROWS_EXCEPTION(DatabaseError, FillLedgerGrid(grid, input(), out.balances, out.fields));
        QCOMPARE(grid.TextMatrix(1, Debit), QStringLiteral("1500"));
        QCOMPARE(grid.TextMatrix(1, IsChecked), QStringLiteral("1"));
        QVERIFY(out.fields.texts.isEmpty());
    }

    // A caller that left painting on gets no selection signal per row, and
    // painting back on afterwards.
    void fillWithPaintingOn()
    {
        FlexGrid grid;
        loadLines(grid, {dc("1", "0"), dc("2", "0"), dc("3", "0")});
        grid.setRedraw(true);
        QSignalSpy selection(&grid, &FlexGrid::SelChange);
        QProgressBar bar;
        Filled out;
        FillLedgerGrid(grid, input(), out.balances, out.fields, &bar);
        QCOMPARE(selection.count(), 0);
        QVERIFY(grid.Redraw());
        QCOMPARE(bar.maximum(), 4);
        QVERIFY(bar.isHidden());
    }

    // ---- cell texts ---------------------------------------------------

    // The UTF-8 reading must give what ParseAmount gives for the same text;
    // the scratch text starts with leftovers, as it does between rows.
    void cellAmount_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("raw"); // ten-thousandths
        QTest::newRow("plain whole") << "1250000" << qint64(12500000000);
        QTest::newRow("as the fill shows it") << "1,250,000" << qint64(12500000000);
        QTest::newRow("negative with separators and decimals") << "-1,200.5" << qint64(-12005000);
        QTest::newRow("blanks and a plus sign") << "  +15" << qint64(150000);
        QTest::newRow("text after the number ends it") << "12ab" << qint64(120000);
        QTest::newRow("separator before the digits") << ",5" << qint64(50000);
        QTest::newRow("empty") << "" << qint64(0);
        QTest::newRow("no number") << "abc" << qint64(0);
        // Outside ASCII: Persian digits with the Arabic thousands separator
        // and decimal point read as their Latin forms.
        QTest::newRow("Persian digits, Arabic separator") << QString::fromUtf8("۱٬۲۵۰") << qint64(12500000);
        QTest::newRow("Arabic-Indic digits, decimal point") << QString::fromUtf8("١٢٫٥") << qint64(125000);
        QTest::newRow("Persian digits after Latin ones") << QString::fromUtf8("1,2۳") << qint64(1230000);
    }
    void cellAmount()
    {
        QFETCH(QString, text);
        QFETCH(qint64, raw);
        std::string scratch = "98765";
        const QByteArray utf8 = text.toUtf8();
        const Currency value = CellAmount(std::string_view(utf8.constData(), std::size_t(utf8.size())), scratch);
        QCOMPARE(value.raw(), raw);
        QCOMPARE(value, ParseAmount(text));
    }

    // Separators as FormatAmountText puts them, read back from the returned
    // view whether it is the cell itself or the scratch text.
    void groupedAmount_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("three digits need none") << "999" << "999";
        QTest::newRow("four digits") << "1000" << "1,000";
        QTest::newRow("seven digits") << "1234567" << "1,234,567";
        QTest::newRow("minus sign stays before the groups") << "-1200" << "-1,200";
        QTest::newRow("minus sign with six digits: no leading separator") << "-120000" << "-120,000";
        QTest::newRow("three digits after a sign") << "+999" << "+999";
        QTest::newRow("decimal part is not grouped") << "1234.56789" << "1,234.56789";
        QTest::newRow("short whole part with long decimals") << "12.345678" << "12.345678";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("Persian digits are grouped too") << QString::fromUtf8("۱۲۳۴۵") << QString::fromUtf8("۱۲,۳۴۵");
    }
    void groupedAmount()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        std::string scratch = "leftover text";
        const QByteArray utf8 = text.toUtf8();
        const std::string_view grouped = GroupedAmountText(std::string_view(utf8.constData(), std::size_t(utf8.size())), scratch);
        const QString result = QString::fromUtf8(grouped.data(), qsizetype(grouped.size()));
        QCOMPARE(result, expected);
        QCOMPARE(result, FormatAmountText(text));
    }

    // Val of a cell: whole numbers take a short way that must agree with the
    // general one.
    void cellNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("whole") << "1500" << 1500.0;
        QTest::newRow("blanks and a tab before a sign") << " \t-42" << -42.0;
        QTest::newRow("decimal part") << "12.75" << 12.75;
        QTest::newRow("text after the number") << "30 rows" << 30.0;
        QTest::newRow("a separator ends the number") << "1,500" << 1.0;
        QTest::newRow("no number") << "abc" << 0.0;
        QTest::newRow("sign alone") << "-" << 0.0;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("point alone") << "." << 0.0;
        QTest::newRow("point after the digits") << "7." << 7.0;
        QTest::newRow("eighteen digits") << "123456789012345678" << 123456789012345678.0;
        QTest::newRow("nineteen digits") << "1234567890123456789" << 1234567890123456789.0;
        QTest::newRow("nineteen digits, then a decimal part") << "-1234567890123456789.5" << -1234567890123456789.5;
    }
    void cellNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        const QByteArray utf8 = text.toUtf8();
        const double value = CellNumber(std::string_view(utf8.constData(), std::size_t(utf8.size())));
        QCOMPARE(value, expected);
    }

    // The plain text of an amount, compared with Currency::toString over the
    // edges of the range and of the four decimals.
    void plainAmount_data()
    {
        QTest::addColumn<qint64>("raw");
        QTest::newRow("zero") << qint64(0);
        QTest::newRow("one ten-thousandth") << qint64(1);
        QTest::newRow("minus one ten-thousandth") << qint64(-1);
        QTest::newRow("a half") << qint64(5000);
        QTest::newRow("decimals with an inner zero") << qint64(12340506);
        QTest::newRow("whole negative") << qint64(-2000000);
        QTest::newRow("largest") << std::numeric_limits<qint64>::max();
        QTest::newRow("smallest: no magnitude wraps") << std::numeric_limits<qint64>::min();
    }
    void plainAmount()
    {
        QFETCH(qint64, raw);
        const Currency amount = Currency::fromRaw(raw);
        char buffer[32];
        const std::string_view text = PlainAmountText(amount, buffer);
        QCOMPARE(QString::fromLatin1(text.data(), qsizetype(text.size())), amount.toString());
    }

    // ---- grid ---------------------------------------------------------

    void sort_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<int>("code");
        QTest::addColumn<QStringList>("sorted");

        QTest::newRow("generic ascending reads numbers as numbers")
            << QStringList({"10", "9", "100", "-5"}) << 1 << QStringList({"-5", "9", "10", "100"});
        QTest::newRow("generic descending reads separators")
            << QStringList({"200", "1,500", "-,300", "99"}) << 2 << QStringList({"1,500", "200", "99", "-,300"});
        QTest::newRow("generic ascending puts numbers before texts")
            << QStringList({"b", "10", "a", "2"}) << 1 << QStringList({"2", "10", "a", "b"});
        QTest::newRow("text ascending orders Jalali dates")
            << QStringList({"1402/10/01", "1402/02/15", "1401/12/29"}) << 5
            << QStringList({"1401/12/29", "1402/02/15", "1402/10/01"});
        QTest::newRow("text descending orders Jalali dates")
            << QStringList({"1402/02/15", "1401/12/29", "1402/10/01"}) << 6
            << QStringList({"1402/10/01", "1402/02/15", "1401/12/29"});
        QTest::newRow("text ignoring case keeps equal keys in order")
            << QStringList({"b", "A", "a", "B"}) << 5 << QStringList({"A", "a", "b", "B"});
        QTest::newRow("text compares digits as characters")
            << QStringList({"10", "9", "100"}) << 5 << QStringList({"10", "100", "9"});
    }

    void sort()
    {
        QFETCH(int, code);
        QFETCH(QStringList, sorted);
        QFETCH(QStringList, keys);
        FlexGrid grid;
        grid.setCols(2);
        QList<std::array<QString, ColumnCount>> rows;
        for (int i = 0; i < keys.size(); ++i) {
            std::array<QString, ColumnCount> row;
            row[0] = keys[i];
            row[1] = QString::number(i);
            rows << row;
        }
        load(grid, rows);
        grid.setRow(2);
        grid.setCellForeColor(Red); // the colour travels with its row
        grid.setCol(0);
        grid.Sort(code);
        QCOMPARE(column(grid, 0), sorted);
        for (int r = 1; r < grid.Rows(); ++r) {
            // Column 1 still names the row's original position.
            QCOMPARE(grid.TextMatrix(r, 0), keys[grid.TextMatrix(r, 1).toInt()]);
            QCOMPARE(foreAt(grid, r, 0) == Red, grid.TextMatrix(r, 1) == QStringLiteral("1"));
        }
    }

    void sortByTwoColumns()
    {
        FlexGrid grid;
        grid.setCols(3);
        load(grid, {{"1", "b", "x"}, {"1", "a", "y"}, {"0", "c", "z"}});
        grid.setCol(0);
        grid.setColSel(1);
        grid.Sort(FlexGrid::SortGenericAscending);
        QCOMPARE(column(grid, 2), QStringList({"z", "y", "x"}));
    }

    void hiddenColumnsStayHiddenAfterLoad_data()
    {
        QTest::addColumn<bool>("redrawOff");
        QTest::newRow("load with painting on") << false;
        QTest::newRow("load with painting off") << true;
    }

    void hiddenColumnsStayHiddenAfterLoad()
    {
        QFETCH(bool, redrawOff);
        FlexGrid grid;
        SetupLedgerGridAtStartup(grid, 1);
        if (redrawOff)
            grid.setRedraw(false);
        load(grid, {{"1", "5001"}, {"2", "5002"}});
        grid.setRedraw(true);
        for (int c : {int(DocumentID), int(DocumentType), int(RowColor), int(AssignmentState)}) {
            QCOMPARE(grid.ColWidth(c), 0);
            QVERIFY2(grid.view()->isColumnHidden(c), qPrintable(QString::number(c)));
        }
        QVERIFY(!grid.view()->isColumnHidden(Description));
        QCOMPARE(grid.view()->columnWidth(Description), qRound(1400.0 * grid.logicalDpiX() / 1440));
        QCOMPARE(grid.Rows(), 3);
        QCOMPARE(grid.TextMatrix(2, DocumentID), QStringLiteral("5002"));
    }

    void colourBlockAndSelection()
    {
        FlexGrid grid;
        grid.setCols(8);
        grid.setRows(6);
        grid.setRow(4);
        grid.setCol(6);
        grid.setRowSel(2); // a block selected upwards and leftwards
        grid.setColSel(3);
        grid.setCellBackColor(0x80FFFF);
        for (int r = 1; r < 6; ++r)
            for (int c = 0; c < 8; ++c)
                QCOMPARE(backAt(grid, r, c) == 0x80FFFF, r >= 2 && r <= 4 && c >= 3 && c <= 6);
        // Setting Row or Col collapses the selection to that cell.
        grid.setRow(1);
        grid.setCol(1);
        QCOMPARE(grid.RowSel(), 1);
        QCOMPARE(grid.ColSel(), 1);
        grid.setCellForeColor(Red);
        QCOMPARE(foreAt(grid, 1, 2), WindowText);
    }

    void removeItem()
    {
        FlexGrid grid;
        grid.setCols(2);
        load(grid, {{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}});
        grid.setRow(3);
        grid.setCellBackColor(0x80FFFF);
        grid.RemoveItem(2);
        QCOMPARE(grid.Rows(), 4);
        QCOMPARE(column(grid, 0), QStringList({"a", "c", "d"}));
        QCOMPARE(backAt(grid, 2, 0), quint32(0x80FFFF));
        grid.setRow(3);
        grid.RemoveItem(3);
        QCOMPARE(grid.Row(), 2); // the current row stays inside the grid
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, grid.RemoveItem(0));
    }

    void storedTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("seven bytes") << QStringLiteral("1234567");
        QTest::newRow("eight bytes") << QStringLiteral("12345678");
        QTest::newRow("Persian") << QString::fromUtf8(LedgerGridTexts::ExcludedMark);
        QTest::newRow("long description") << QString(300, QChar(0x0628));
        QTest::newRow("longer than the arena takes") << QString(70000, QLatin1Char('x'));
    }

    void storedTexts()
    {
        QFETCH(QString, text);
        FlexGrid grid;
        grid.setCols(3);
        grid.setRows(4);
        for (int r = 1; r < 4; ++r)
            grid.setTextMatrix(r, 1, text);
        // Rows that shared a repeated text keep it when one of them changes.
        grid.setTextMatrix(2, 1, QStringLiteral("changed text"));
        QCOMPARE(grid.TextMatrix(1, 1), text);
        QCOMPARE(grid.TextMatrix(2, 1), QStringLiteral("changed text"));
        QCOMPARE(grid.TextMatrix(3, 1), text);
        QCOMPARE(grid.TextMatrix(3, 0), QString());
    }

    void emptyTextsStored()
    {
        // Empty texts come in many forms: a view without any pointer, cells
        // a short row leaves out, an empty QString over a stored text.
        FlexGrid grid;
        grid.setCols(4);
        grid.beginRows(4);
        const std::string_view row[2] = {std::string_view(), "a"};
        grid.appendRow(row, 2);
        grid.appendRow(row, 0);
        grid.endRows();
        grid.setCellUtf8(1, 1, std::string_view());
        grid.setCellUtf8(2, 2, "a description longer than a cell slot");
        grid.setCellUtf8(2, 2, std::string_view());
        grid.setTextMatrix(2, 3, QStringLiteral("x"));
        grid.setTextMatrix(2, 3, QString());
        for (int r = 1; r <= 2; ++r)
            for (int c = 0; c < 4; ++c)
                QCOMPARE(grid.TextMatrix(r, c), QString());
        grid.setCellUtf8(1, 0, "kept");
        QCOMPARE(grid.TextMatrix(1, 0), QStringLiteral("kept"));
    }

    void longTextIsCutAtItsEnd_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hover"); // the grid's ToolTipText
        QTest::addColumn<QString>("tip");   // the cell's tool tip

        const QString longText = QStringLiteral("دريافت وجه از مشتري شركت بازرگاني آريا تجارت پارس طي رسيد شماره 5");
        QTest::newRow("fits: no tool tip") << QStringLiteral("شرح كوتاه") << "" << "";
        QTest::newRow("cut: the whole text") << longText << "" << longText;
        QTest::newRow("cut, with the row's hover text below it") << longText << QStringLiteral("شرح رديف")
                                                                  << longText + QStringLiteral("\nشرح رديف");
        QTest::newRow("fits, with the row's hover text") << QStringLiteral("شرح كوتاه") << QStringLiteral("شرح رديف")
                                                         << QStringLiteral("شرح رديف");
        // A date as wide as its column bar two pixels runs into the cell's
        // margins but is still drawn whole, as it always was.
        QTest::newRow("date reaching into the margins is whole") << QStringLiteral("1405/01/01") << "" << "";
    }
    void longTextIsCutAtItsEnd()
    {
        QFETCH(QString, text);
        QFETCH(QString, hover);
        QFETCH(QString, tip);
        FlexGrid grid;
        grid.setCols(3);
        grid.setRows(2);
        const int datePixels = grid.view()->fontMetrics().horizontalAdvance(QStringLiteral("1405/01/01")) + 2;
        grid.setColWidth(1, text.startsWith(QLatin1String("1405")) ? int(std::ceil(datePixels * 1440.0 / grid.logicalDpiX())) : 1400);
        grid.setColAlignment(1, FlexGrid::AlignCenterCenter);
        grid.setTextMatrix(1, 1, text);
        grid.setToolTipText(hover);
        QCOMPARE(grid.view()->textElideMode(), Qt::ElideRight); // the end of the text, its left side in Persian
        QCOMPARE(grid.view()->model()->index(0, 1).data(Qt::ToolTipRole).toString(), tip);
        // Widened until it fits, the text needs no tool tip of its own.
        grid.setColWidth(1, 12000);
        QCOMPARE(grid.view()->model()->index(0, 1).data(Qt::ToolTipRole).toString(), hover);
    }

    void columnsKeepTextsWhenCountChanges()
    {
        FlexGrid grid;
        grid.setCols(3);
        load(grid, {{"a", "b", "c"}});
        grid.setTextMatrix(0, 1, QStringLiteral("head"));
        grid.setCols(5);
        grid.setTextMatrix(1, 4, QStringLiteral("e"));
        grid.setCols(2);
        QCOMPARE(grid.TextMatrix(1, 0), QStringLiteral("a"));
        QCOMPARE(grid.TextMatrix(1, 1), QStringLiteral("b"));
        QCOMPARE(grid.TextMatrix(0, 1), QStringLiteral("head"));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, grid.TextMatrix(1, 2));
    }

    void redrawOffSendsNothing()
    {
        FlexGrid grid;
        grid.setCols(4);
        grid.setRows(5);
        QSignalSpy cells(grid.view()->model(), &QAbstractItemModel::dataChanged);
        QSignalSpy selection(&grid, &FlexGrid::SelChange);
        grid.setRedraw(false);
        grid.setRow(3);
        grid.setTextMatrix(3, 1, QStringLiteral("x"));
        grid.setCellForeColor(Red);
        grid.RemoveItem(1);
        QCOMPARE(cells.count(), 0);
        QCOMPARE(selection.count(), 0);
        grid.setRedraw(true);
        QCOMPARE(grid.view()->model()->rowCount(), 3);
        grid.setRow(1);
        QCOMPARE(selection.count(), 1);
        QCOMPARE(grid.view()->currentIndex().row(), 0);
    }

    void headers_data()
    {
        QTest::addColumn<int>("layout"); // 0 start-up, 1 after a query, 2 after the draft-inclusive query
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("sortByDocumentDate");
        QTest::addColumn<bool>("review");
        QTest::addColumn<QStringList>("headers"); // columns 0, 1, 19, 31
        QTest::addColumn<QList<int>>("widths");   // columns 0, 1, 2, 3, 4, 19, 30, 31

        const auto u = [](const char *text) { return QString::fromUtf8(text); };
        QTest::newRow("start-up") << 0 << 1 << true << true
            << QStringList({u("شماره"), u("شماره سيستمي"), "IsChecked", u("وضعيت عدم تخصيص")})
            << QList<int>({600, 0, 1000, 0, 1400, 0, 0, 0});
        QTest::newRow("start-up, document-number mode 2") << 0 << 2 << true << true
            << QStringList({u("شماره"), u("شماره سند"), "IsChecked", u("وضعيت عدم تخصيص")})
            << QList<int>({0, 600, 1000, 0, 1400, 0, 0, 0});
        QTest::newRow("after a query by document date, review shown") << 1 << 1 << true << true
            << QStringList({u("شماره"), u("شماره سيستمي"), u("بررسي"), u("وضعيت تخصيص")})
            << QList<int>({600, 0, 1000, 0, 5000, 1000, 0, 1000});
        QTest::newRow("after a query by due date, review hidden, mode 2") << 1 << 2 << false << false
            << QStringList({u("شماره"), u("شماره سند"), u("بررسي"), u("وضعيت تخصيص")})
            << QList<int>({0, 600, 0, 1000, 5000, 0, 0, 1000});
        QTest::newRow("after the draft-inclusive query") << 2 << 1 << false << true
            << QStringList({u("شماره"), u("شماره سيستمي"), u("بررسي"), u("وضعيت عدم تخصيص")})
            << QList<int>({600, 0, 0, 1000, 1400, 1000, 0, 0});
    }

    void headers()
    {
        QFETCH(QList<int>, widths);
        QFETCH(QStringList, headers);
        QFETCH(int, layout);
        QFETCH(int, mode);
        QFETCH(bool, sortByDocumentDate);
        QFETCH(bool, review);
        FlexGrid grid;
        SetupLedgerGridAtStartup(grid, qint16(mode));
        load(grid, {{"1"}});
        if (layout == 1)
            ApplyLedgerLayoutAfterQuery(grid, qint16(mode), sortByDocumentDate, review);
        else if (layout == 2)
            ApplyScratchLayoutAfterQuery(grid, qint16(mode), sortByDocumentDate, review);
        QCOMPARE(grid.Cols(), int(ColumnCount));
        QCOMPARE(QStringList({grid.TextMatrix(0, 0), grid.TextMatrix(0, 1), grid.TextMatrix(0, 19), grid.TextMatrix(0, 31)}),
                 headers);
        QList<int> shown;
        for (int c : {0, 1, 2, 3, 4, 19, 30, 31})
            shown << grid.ColWidth(c);
        QCOMPARE(shown, widths);
        QCOMPARE(grid.ColAlignment(Credit), int(FlexGrid::AlignCenterCenter));
        QCOMPARE(grid.ColAlignment(DebitBalance), int(FlexGrid::AlignGeneral));
    }

    void alternatingBackgrounds_data()
    {
        QTest::addColumn<bool>("scratch");
        QTest::addColumn<int>("rows");
        QTest::newRow("ordinary ledger keeps the colour in column 30") << false << 3;
        QTest::newRow("draft-inclusive ledger keeps no copy") << true << 3;
        QTest::newRow("header only: nothing to paint") << false << 0;
    }

    void alternatingBackgrounds()
    {
        QFETCH(bool, scratch);
        QFETCH(int, rows);
        FlexGrid grid;
        SetupLedgerGridAtStartup(grid, 1);
        load(grid, QList<std::array<QString, ColumnCount>>(rows));
        scratch ? PaintScratchRowBackgrounds(grid) : PaintAlternatingRowBackgrounds(grid);
        QVERIFY(!grid.Redraw());
        grid.setRedraw(true);
        QCOMPARE(grid.Rows(), rows + 1);
        const QStringList odd = {"14408673", "-2147483643", "14408673"};
        for (int r = 1; r <= rows; ++r) {
            const quint32 expected = r % 2 ? 14408673u : 0x80000005u;
            QCOMPARE(backAt(grid, r, 0), expected);
            QCOMPARE(backAt(grid, r, 31), expected);
            QCOMPARE(grid.TextMatrix(r, RowColor), scratch ? QString() : odd[r - 1]);
            if (!scratch)
                QCOMPARE(OleColorFromText(grid.TextMatrix(r, RowColor)), expected);
        }
    }

    void oleColours()
    {
        QCOMPARE(OleColorToQColor(255), QColor(255, 0, 0));
        QCOMPARE(OleColorToQColor(14408673), QColor(0xE1, 0xDB, 0xDB));
        QCOMPARE(OleColorToQColor(0x80FFFF), QColor(0xFF, 0xFF, 0x80));
        QCOMPARE(OleColorToQColor(0x80000005), QGuiApplication::palette().color(QPalette::Base));
        QCOMPARE(OleColorToQColor(0x80000008), QGuiApplication::palette().color(QPalette::Text));
        QCOMPARE(OleColorFromText(u"2147483653"), 0x80000005u);
        QCOMPARE(OleColorFromText(u"abc"), 0u);
    }

    void columnPositionsRightToLeft()
    {
        FlexGrid grid;
        grid.resize(900, 300);
        SetupLedgerGridAtStartup(grid, 1);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        // Column 0 stands at the right; column 2 follows to its left, column 1
        // (hidden) between them with no width.
        QVERIFY(grid.ColPos(0) > grid.ColPos(2));
        QVERIFY(qAbs(grid.ColPos(2) + grid.ColWidth(2) - grid.ColPos(0)) <= 15);
        QVERIFY(qAbs(grid.ColPos(1) - grid.ColPos(0)) <= 15);
        QVERIFY(qAbs(grid.ColPos(4) + grid.ColWidth(4) - grid.ColPos(2)) <= 15);
    }

    void scrollBarFollowsColumnsRightToLeft()
    {
        FlexGrid grid;
        grid.resize(700, 260);
        SetupLedgerGridAtStartup(grid, 1);
        load(grid, QList<std::array<QString, ColumnCount>>(20));
        ApplyLedgerLayoutAfterQuery(grid, 1, true, true);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QTableView *view = grid.view();
        QScrollBar *bar = view->horizontalScrollBar();
        QHeaderView *header = view->horizontalHeader();
        QVERIFY(bar->maximum() > 0); // the columns are wider than the grid
        QCOMPARE(bar->layoutDirection(), Qt::RightToLeft);
        QCOMPARE(header->layoutDirection(), Qt::RightToLeft);

        // Where the thumb is drawn, as the scroll bar's style places it.
        const auto thumb = [bar] {
            QStyleOptionSlider option;
            option.initFrom(bar);
            option.orientation = Qt::Horizontal;
            option.state |= QStyle::State_Horizontal;
            option.minimum = bar->minimum();
            option.maximum = bar->maximum();
            option.sliderPosition = option.sliderValue = bar->value();
            option.singleStep = bar->singleStep();
            option.pageStep = bar->pageStep();
            option.upsideDown = bar->invertedAppearance();
            return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
        };
        const int lastShown = int(AssignmentState);

        // At the start the first column stands at the right edge, and so does the thumb.
        QCOMPARE(bar->value(), bar->minimum());
        QCOMPARE(header->sectionViewportPosition(AccTransCode) + header->sectionSize(AccTransCode), header->viewport()->width());
        QVERIFY(thumb().center().x() > bar->width() / 2);
        // And it is drawn so that it reads as the thumb: darker than the
        // groove beside it (a light thumb beside a grey groove reads backwards).
        const QImage drawn = bar->grab().toImage();
        const QRect groove(bar->height(), 0, thumb().left() - bar->height(), bar->height());
        QVERIFY(groove.width() > 4);
        QVERIFY(qGray(drawn.pixel(thumb().center())) + 24 < qGray(drawn.pixel(groove.center())));
        // At the end the last columns are in sight at the left, and so is the thumb.
        bar->setValue(bar->maximum());
        QCOMPARE(header->sectionViewportPosition(lastShown), 0);
        QVERIFY(thumb().center().x() < bar->width() / 2);
        // A new load starts at the first column again.
        load(grid, QList<std::array<QString, ColumnCount>>(20));
        ApplyLedgerLayoutAfterQuery(grid, 1, true, true);
        QCOMPARE(bar->value(), bar->minimum());
        QCOMPARE(header->sectionViewportPosition(AccTransCode) + header->sectionSize(AccTransCode), header->viewport()->width());
    }

    void loadAndClickSelectWholeRows()
    {
        FlexGrid grid;
        showFourRows(grid);
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QTableView *view = grid.view();
        const auto selectedRows = [view] {
            QList<int> rows;
            for (const QModelIndex &index : view->selectionModel()->selectedRows())
                rows << index.row() + 1;
            std::sort(rows.begin(), rows.end());
            return rows;
        };
        // After a load: the first row, all of it.
        QCOMPARE(selectedRows(), QList<int>({1}));
        // A click on one cell: that row, all of it; the cell's column is Col and ColSel.
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(2, 2)).center());
        QCOMPARE(selectedRows(), QList<int>({3}));
        QCOMPARE(grid.Row(), 3);
        QCOMPARE(grid.Col(), 2);
        QCOMPARE(grid.ColSel(), 2);
        // A block set by code shows as its whole rows and keeps its columns for the colour setters.
        grid.setRow(2);
        grid.setCol(1);
        grid.setRowSel(4);
        grid.setColSel(2);
        QCOMPARE(selectedRows(), QList<int>({2, 3, 4}));
        QCOMPARE(grid.Col(), 1);
        QCOMPARE(grid.ColSel(), 2);
    }

    void showRow_data()
    {
        QTest::addColumn<int>("top");      // the top row before
        QTest::addColumn<int>("row");      // the row shown
        QTest::addColumn<int>("topAfter"); // -1: the row ends at the bottom of the view
        QTest::newRow("below the view: scrolled until it is the last in sight") << 1 << 300 << -1;
        QTest::newRow("above the view: becomes the top row") << 200 << 5 << 5;
        QTest::newRow("already in sight: nothing moves") << 100 << 103 << 100;
        QTest::newRow("the last row") << 1 << 500 << -1;
    }
    void showRow()
    {
        QFETCH(int, top);
        QFETCH(int, row);
        QFETCH(int, topAfter);
        FlexGrid grid;
        grid.resize(600, 200);
        grid.setCols(12);
        load(grid, QList<std::array<QString, ColumnCount>>(500));
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        grid.setTopRow(top);
        QScrollBar *across = grid.view()->horizontalScrollBar();
        across->setValue(across->maximum()); // sideways scrolling is the person's and stays
        QSignalSpy selection(&grid, &FlexGrid::SelChange);

        grid.ShowRow(row);
        QCOMPARE(grid.Row(), row);
        QCOMPARE(grid.RowSel(), row);
        QCOMPARE(selection.count(), 1);
        QVERIFY(grid.view()->selectionModel()->isRowSelected(row - 1, QModelIndex()));
        QCOMPARE(grid.view()->currentIndex().row(), row - 1);
        const QRect shown = grid.view()->visualRect(grid.view()->model()->index(row - 1, 0));
        QVERIFY(shown.top() >= 0 && shown.bottom() < grid.view()->viewport()->height());
        if (topAfter > 0)
            QCOMPARE(grid.TopRow(), topAfter);
        else
            QVERIFY(shown.bottom() + shown.height() >= grid.view()->viewport()->height());
        QCOMPARE(across->value(), across->maximum());
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, grid.ShowRow(0));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, grid.ShowRow(501));
    }

    void showRowWhilePaintingIsOff()
    {
        FlexGrid grid;
        showFiveHundredRows(grid);
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        grid.setRedraw(false);
        grid.ShowRow(450);
        grid.setRedraw(true);
        QCOMPARE(grid.Row(), 450);
        const QRect shown = grid.view()->visualRect(grid.view()->model()->index(449, 0));
        QVERIFY(shown.top() >= 0 && shown.bottom() < grid.view()->viewport()->height());
    }

    void mouseAndKeyboard()
    {
        FlexGrid grid;
        showFourRows(grid);
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QSignalSpy clicks(&grid, &FlexGrid::Click);
        QSignalSpy selection(&grid, &FlexGrid::SelChange);
        QTableView *view = grid.view();

        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(2, 1)).center());
        QCOMPARE(grid.Row(), 3);
        QCOMPARE(grid.Col(), 1);
        QCOMPARE(grid.MouseRow(), 3);
        QCOMPARE(grid.MouseCol(), 1);
        QCOMPARE(clicks.count(), 1);
        QVERIFY(selection.count() >= 1);

        // Shift+Down extends the block from the current cell.
        QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(grid.Row(), 3);
        QCOMPARE(grid.RowSel(), 4);
        // A right click keeps the block for the context menu.
        QTest::mouseClick(view->viewport(), Qt::RightButton, {}, view->visualRect(view->model()->index(0, 0)).center());
        QCOMPARE(grid.RowSel(), 4);
        QCOMPARE(grid.MouseRow(), 1);
        // Up moves the current cell (row 4) and collapses the block.
        QTest::keyClick(view, Qt::Key_Up);
        QCOMPARE(grid.Row(), 3);
        QCOMPARE(grid.RowSel(), 3);

        // A header click is a click on row 0 and leaves the selection alone.
        QHeaderView *header = view->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(2) + 5, header->height() / 2));
        QCOMPARE(grid.MouseRow(), 0);
        QCOMPARE(grid.MouseCol(), 2);
        QCOMPARE(clicks.count(), 2);
        QCOMPARE(grid.Row(), 3);

        // Dragging a column border is no click; the column keeps its new width.
        const QPoint onSection(header->sectionViewportPosition(2) + 5, header->height() / 2);
        QTest::mousePress(header->viewport(), Qt::LeftButton, {}, onSection);
        header->resizeSection(2, 150);
        QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, onSection);
        QCOMPARE(clicks.count(), 2);
        QCOMPARE(grid.ColWidth(2), qRound(150 * 1440.0 / grid.logicalDpiX()));
    }

    void topRow()
    {
        FlexGrid grid;
        showFiveHundredRows(grid);
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        grid.setTopRow(120);
        QCOMPARE(grid.TopRow(), 120);
        // Painting off and on again keeps the scroll position.
        grid.setRedraw(false);
        grid.setRow(400);
        grid.setRedraw(true);
        QCOMPARE(grid.TopRow(), 120);
    }
};

QTEST_MAIN(TestGrid)
#include "test_grid.moc"
