// The ledger grid (storage, selection, colours, sort, layout), the ledger
// fill (balances, marks, remainders, totals) on grids loaded the way the
// ledger query loads them, and the routines that read and write cell texts.

#include "LedgerLines.h"

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

#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr quint32 Red = 255;
constexpr quint32 WindowText = 0x80000008;
const QString Reviewed = QString::fromUtf8(LedgerGridTexts::ReviewedMark);
const QString SixBlanks = QStringLiteral("      ");

// A shown grid of 500 empty rows, taller than its view.
void showFiveHundredRows(FlexGrid &grid, int cols)
{
    grid.resize(600, 200);
    grid.setCols(cols);
    stream(grid, QList<QStringList>(500));
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
}

// A shown grid of four rows "a" to "d" in four visible columns, for the
// mouse and selection tests.
void showFourRows(FlexGrid &grid)
{
    grid.resize(900, 300);
    grid.setCols(4);
    for (int c = 0; c < 4; ++c)
        grid.setColWidth(c, 1200);
    stream(grid, {{"a"}, {"b"}, {"c"}, {"d"}});
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
}

struct Filled
{
    LedgerBalances balances;
    MapFields fields;
};

LedgerFillInput input(qint64 broughtForward = 0, int nature = 0)
{
    return {.BalanceBroughtForward = Currency::fromUnits(broughtForward), .AccountNatureID = qint16(nature),
            .MaxDebit = {}, .MaxCredit = {}, .FromDate = {}, .today = QDate(2024, 1, 15)};
}

// The lines loaded as the query loads them, then filled.
Filled loadAndFill(FlexGrid &grid, const Lines &lines, const LedgerFillInput &in = input())
{
    loadLines(grid, lines);
    Filled out;
    FillLedgerGrid(grid, in, out.balances, out.fields);
    grid.setRedraw(true);
    return out;
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

// Row, Col, RowSel and ColSel.
QList<int> cursor(const FlexGrid &grid)
{
    return {grid.Row(), grid.Col(), grid.RowSel(), grid.ColSel()};
}

} // namespace

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
        QFETCH(qint64, broughtForward);
        QFETCH(int, nature);
        QFETCH(Lines, lines);
        QFETCH(bool, lastBalanceRed);
        FlexGrid grid;
        const Filled out = loadAndFill(grid, lines, input(broughtForward, nature));
        const int last = grid.Rows() - 1;
        QTEST(grid.TextMatrix(last, DebitBalance), "lastDebitBalance");
        QTEST(grid.TextMatrix(last, CreditBalance), "lastCreditBalance");
        QTEST(out.fields.texts.value("txtSumAllDebit"), "sumAllDebit");
        QTEST(out.fields.texts.value("txtSumAllCredit"), "sumAllCredit");
        QCOMPARE(foreAt(grid, last, DebitBalance) == Red, lastBalanceRed);
        QCOMPARE(foreAt(grid, last, CreditBalance) == Red, lastBalanceRed);
    }

    void amountColumnsGetSeparators()
    {
        FlexGrid grid;
        loadAndFill(grid, {dc(" 1500000 ", "0"), dc("0", "25000000")});
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
        QTest::addColumn<QList<quint32>>("colours"); // columns 0, 19, 20, 31

        const Line plain = dc("100", "0");
        const QList<quint32> red {Red, Red, Red, Red};
        const QList<quint32> reviewedColours {Red, Red, WindowText, WindowText};
        QTest::newRow("reviewed row: red up to column 19") << Lines {Line(plain).reviewed()} << 1 << Reviewed << reviewedColours;
        QTest::newRow("unreviewed row: window text")
            << Lines {plain} << 1 << "" << QList<quint32> {WindowText, WindowText, WindowText, WindowText};
        QTest::newRow("excluded unreviewed first row stays red") << Lines {Line(plain).excludedFromAssignment()} << 1 << "" << red;
        QTest::newRow("excluded unreviewed later row is red")
            << Lines {plain, Line(plain).excludedFromAssignment()} << 2 << "" << red;
        QTest::newRow("excluded reviewed row is red")
            << Lines {plain, Line(plain).excludedFromAssignment().reviewed()} << 2 << Reviewed << red;
        Line boolFlag = plain;
        boolFlag.checked = QStringLiteral("True");
        QTest::newRow("a bit flag read as True counts as reviewed") << Lines {boolFlag} << 1 << Reviewed << reviewedColours;
    }

    void rowColours()
    {
        QFETCH(Lines, lines);
        QFETCH(int, row);
        FlexGrid grid;
        loadAndFill(grid, lines);
        QTEST(grid.TextMatrix(row, IsChecked), "mark");
        QList<quint32> shown;
        for (int c : {AccTransCode, IsChecked, AccountCode, AssignmentState})
            shown << foreAt(grid, row, c);
        QTEST(shown, "colours");
    }

    void assignmentRemainders_data()
    {
        QTest::addColumn<Line>("line");
        QTest::addColumn<QStringList>("columns25to28");
        QTest::addColumn<bool>("remaindersRed");

        QTest::newRow("over-assigned debit: -200, red")
            << dc("500", "0").assigned("700", "0") << QStringList({"700", "0", "-200", "0"}) << true;
        QTest::newRow("fully assigned")
            << dc("1500000", "0").assigned("1500000", "0") << QStringList({"1,500,000", "0", "0", "0"}) << false;
        QTest::newRow("part of a credit assigned")
            << dc("0", "2500000").assigned("0", "1000000") << QStringList({"0", "1,000,000", "0", "1,500,000"}) << false;
        QTest::newRow("negative thousand keeps a regular look")
            << dc("0", "1000").assigned("0", "2000") << QStringList({"0", "2,000", "0", "-1,000"}) << true;
        // The sign stays in front of the grouped digits, never "-,200,000".
        QTest::newRow("minus sign before two groups")
            << dc("100000", "0").assigned("300000", "0") << QStringList({"300,000", "0", "-200,000", "0"}) << true;
        QTest::newRow("excluded row keeps raw values and no remainders")
            << dc("1500000", "0").assigned("700000", "0").excludedFromAssignment()
            << QStringList({"700000", "0", "", ""}) << true;
    }

    void assignmentRemainders()
    {
        QFETCH(Line, line);
        QFETCH(bool, remaindersRed);
        FlexGrid grid;
        loadAndFill(grid, {dc("1", "0"), line});
        QStringList texts;
        for (int c = AssignedDebit; c <= RemNotAssignedCredit; ++c)
            texts << grid.TextMatrix(2, c);
        QTEST(texts, "columns25to28");
        QCOMPARE(foreAt(grid, 2, RemNotAssignedDebit) == Red, remaindersRed);
        QCOMPARE(foreAt(grid, 2, RemNotAssignedCredit) == Red, remaindersRed);
    }

    // The summary fields under the grid, and the balance up to today the
    // printouts read afterwards. Each row names what it checks as
    // "field=text"; "-" stands for a field or colour the fill leaves alone.
    // The limits are MaxDebit 5,000 and MaxCredit 1,000; today is 2024-01-15.
    void summaryFields_data()
    {
        QTest::addColumn<qint64>("broughtForward");
        QTest::addColumn<int>("nature");
        QTest::addColumn<QDate>("fromDate");
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<QStringList>("fields");

        const auto row = [](const char *name, const Lines &lines, const QStringList &fields, qint64 broughtForward = 0,
                            int nature = 0, QDate fromDate = QDate()) {
            QTest::newRow(name) << broughtForward << nature << fromDate << lines << fields;
        };
        // Reviewed and unreviewed sums, negative ones in parentheses.
        row("negative reviewed sum in parentheses", {dc("0", "300").reviewed(), dc("1000", "0")},
            {"txtSumChecked=(300)", "txtSumUnChecked=1,000"});
        row("both sides net out per group", {dc("5000", "0").reviewed(), dc("0", "1500").reviewed(), dc("0", "2000000")},
            {"txtSumChecked=3,500", "txtSumUnChecked=(2,000,000)"});
        row("zero review sums show 0", {dc("100", "0"), dc("0", "100")}, {"txtSumChecked=0", "txtSumUnChecked=0"});
        row("no rows: both review sums 0", {}, {"txtSumChecked=0", "txtSumUnChecked=0"});

        // Assigned and not assigned totals.
        const auto assignment = [](const char *d, const char *c, const char *notD, const char *notC) {
            return QStringList {QStringLiteral("txtSumAssignedDebit=") + d, QStringLiteral("txtSumAssignedCredit=") + c,
                                QStringLiteral("txtSumNotAssignedDebit=") + notD,
                                QStringLiteral("txtSumNotAssignedCredit=") + notC};
        };
        row("excluded rows add nothing to the assignment totals",
            {dc("1000", "0").assigned("400", "0"), dc("500", "0").assigned("700", "0").excludedFromAssignment(),
             dc("0", "2000").assigned("0", "2500")},
            assignment("400", "2,500", "600", "-500"));
        row("assignment sums above a thousand get separators",
            {dc("1500000", "0").assigned("1000000", "0"), dc("2500000", "0").assigned("1000000", "0")},
            assignment("2,000,000", "0", "2,000,000", "0"));
        row("only excluded rows leave the assignment totals empty", {dc("500", "0").excludedFromAssignment()},
            assignment("", "", "", ""));
        row("no rows leave the assignment totals empty", {}, assignment("", "", "", ""));

        // The limit of the account's nature and what is left of it.
        const auto limit = [](const char *shown, const char *left, const char *colour) {
            return QStringList {QStringLiteral("txtMaxDebit_Credit=") + shown, QStringLiteral("txtRemMaxDebit_Credit=") + left,
                                QStringLiteral("txtRemMaxDebit_Credit colour=") + colour};
        };
        const Lines zero {dc("0", "0")};
        row("credit nature over its limit: -200 in red", zero, limit("1,000", "-200", "red"), -1200, 1);
        row("credit nature within its limit", zero, limit("1,000", "700", "window text"), -300, 1);
        row("credit nature with a debit balance: the whole limit", zero, limit("1,000", "1,000", "-"), 50, 1);
        row("credit nature at zero: the whole limit", zero, limit("1,000", "1,000", "-"), 0, 1);
        row("debit nature within its limit", zero, limit("5,000", "3,800", "window text"), 1200, 0);
        row("debit nature over its limit", zero, limit("5,000", "-500", "red"), 5500, 0);
        row("debit nature with a credit balance", zero, limit("5,000", "5,000", "-"), -10, 0);
        row("no nature leaves both limit fields", zero, limit("-", "-", "-"), -1200, 2);

        // Balance of the rows due by today, with the balance brought forward
        // when it lies before today.
        const auto upToNow = [](const char *balance, const QString &debit, const QString &credit) {
            return QStringList {QStringLiteral("UpToNowBalance=") + balance, "txtUpToNowAllDebit=" + debit,
                                "txtUpToNowAllCredit=" + credit};
        };
        const QDate beforeToday(2024, 1, 1);
        row("all rows due by today", {dc("50", "0", "2024-01-01"), dc("30", "0", "2024-01-15")},
            upToNow("180", "180", SixBlanks), 100, 0, beforeToday);
        row("rows due later are left out", {dc("50", "0", "2024-01-01"), dc("30", "0", "2024-01-16")},
            upToNow("150", "150", SixBlanks), 100, 0, beforeToday);
        row("first row due later: the balance brought forward still counts",
            {dc("50", "0", "2024-02-01"), dc("30", "0", "2024-01-05")}, upToNow("130", "130", SixBlanks), 100, 0,
            beforeToday);
        row("from-date after today and first row later: brought forward left out", {dc("50", "0", "2024-02-05")},
            upToNow("0", SixBlanks, "0"), 100, 0, QDate(2024, 2, 1));
        row("credit balance up to today, due date with a time",
            {dc("0", "2500", "2024-01-15 00:00:00"), dc("9000", "0", "2025-01-01")}, upToNow("-2500", SixBlanks, "2,500"));
    }

    void summaryFields()
    {
        QFETCH(qint64, broughtForward);
        QFETCH(int, nature);
        QFETCH(QDate, fromDate);
        QFETCH(Lines, lines);
        QFETCH(QStringList, fields);
        LedgerFillInput in = input(broughtForward, nature);
        in.MaxDebit = Currency::fromUnits(5000);
        in.MaxCredit = Currency::fromUnits(1000);
        in.FromDate = fromDate;
        FlexGrid grid;
        const Filled out = loadAndFill(grid, lines, in);
        QMap<QString, QString> written = out.fields.texts;
        written["UpToNowBalance"] = out.balances.UpToNowBalance.toString();
        for (auto it = out.fields.colors.cbegin(); it != out.fields.colors.cend(); ++it)
            written[it.key() + " colour"] = it.value() == Red ? "red" : it.value() == WindowText ? "window text" : "other";
        QStringList shown;
        for (const QString &field : fields)
            shown << field.section(u'=', 0, 0) + u'=' + written.value(field.section(u'=', 0, 0), QStringLiteral("-"));
        QCOMPARE(shown, fields);
    }

    void emptyLedgerKeepsBalances()
    {
        FlexGrid grid;
        loadLines(grid, {});
        Filled out;
        out.balances.RunningBalance = Currency::fromUnits(77);
        FillLedgerGrid(grid, input(500), out.balances, out.fields);
        QCOMPARE(grid.Rows(), 1);
        QCOMPARE(out.balances.RunningBalance, Currency::fromUnits(77));
        QVERIFY(!out.fields.texts.contains("txtSumAllDebit"));
        QVERIFY(!out.fields.texts.contains("txtMaxDebit_Credit"));
    }

    void badDueDateStopsBeforeWriting()
    {
        FlexGrid grid;
        loadLines(grid, {dc("1500", "0").reviewed(), dc("0", "10", "1402/13/40")});
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
        std::string scratch = "98765";
        const QByteArray utf8 = text.toUtf8();
        const Currency value = CellAmount(std::string_view(utf8.constData(), std::size_t(utf8.size())), scratch);
        QTEST(qint64(value.raw()), "raw");
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
        std::string scratch = "leftover text";
        const QByteArray utf8 = text.toUtf8();
        const std::string_view grouped = GroupedAmountText(std::string_view(utf8.constData(), std::size_t(utf8.size())), scratch);
        const QString result = QString::fromUtf8(grouped.data(), qsizetype(grouped.size()));
        QTEST(result, "expected");
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
        const QByteArray utf8 = text.toUtf8();
        QTEST(CellNumber(std::string_view(utf8.constData(), std::size_t(utf8.size()))), "expected");
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
        QFETCH(QStringList, keys);
        FlexGrid grid;
        grid.setCols(2);
        QList<QStringList> rows;
        for (int i = 0; i < keys.size(); ++i)
            rows << QStringList {keys[i], QString::number(i)};
        stream(grid, rows);
        grid.setRow(2);
        grid.setCellForeColor(Red); // the colour travels with its row
        grid.setCol(0);
        grid.Sort(code);
        QTEST(column(grid, 0), "sorted");
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
        stream(grid, {{"1", "b", "x"}, {"1", "a", "y"}, {"0", "c", "z"}});
        grid.setCol(0);
        grid.setColSel(1);
        grid.Sort(FlexGrid::SortGenericAscending);
        QCOMPARE(column(grid, 2), QStringList({"z", "y", "x"}));
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
        QCOMPARE(cursor(grid), QList<int>({1, 1, 1, 1}));
        grid.setCellForeColor(Red);
        QCOMPARE(foreAt(grid, 1, 2), WindowText);
    }

    void removeItem()
    {
        FlexGrid grid;
        grid.setCols(2);
        stream(grid, {{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}});
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
        QCOMPARE(QStringList({grid.TextMatrix(1, 1), grid.TextMatrix(2, 1), grid.TextMatrix(3, 1), grid.TextMatrix(3, 0)}),
                 QStringList({text, "changed text", text, ""}));
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
        FlexGrid grid;
        grid.setCols(3);
        grid.setRows(2);
        const int datePixels = grid.view()->fontMetrics().horizontalAdvance(QStringLiteral("1405/01/01")) + 2;
        grid.setColWidth(1, text.startsWith(QLatin1String("1405")) ? int(std::ceil(datePixels * 1440.0 / grid.logicalDpiX())) : 1400);
        grid.setColAlignment(1, FlexGrid::AlignCenterCenter);
        grid.setTextMatrix(1, 1, text);
        grid.setToolTipText(hover);
        QCOMPARE(grid.view()->textElideMode(), Qt::ElideRight); // the end of the text, its left side in Persian
        QTEST(grid.view()->model()->index(0, 1).data(Qt::ToolTipRole).toString(), "tip");
        // Widened until it fits, the text needs no tool tip of its own.
        grid.setColWidth(1, 12000);
        QCOMPARE(grid.view()->model()->index(0, 1).data(Qt::ToolTipRole).toString(), hover);
    }

    void columnsKeepTextsWhenCountChanges()
    {
        FlexGrid grid;
        grid.setCols(3);
        stream(grid, {{"a", "b", "c"}});
        grid.setTextMatrix(0, 1, QStringLiteral("head"));
        grid.setCols(5);
        grid.setTextMatrix(1, 4, QStringLiteral("e"));
        grid.setCols(2);
        QCOMPARE(QStringList({grid.TextMatrix(1, 0), grid.TextMatrix(1, 1), grid.TextMatrix(0, 1)}),
                 QStringList({"a", "b", "head"}));
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
        // 0 start-up, 1 after a query, 2 after the draft-inclusive query, 3 start-up loaded while painting is off
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("sortByDocumentDate");
        QTest::addColumn<bool>("review");
        QTest::addColumn<QStringList>("headers"); // columns 0, 1, 19, 31
        QTest::addColumn<QList<int>>("widths");   // columns 0, 1, 2, 3, 4, 19, 30, 31

        const auto u = [](const char *text) { return QString::fromUtf8(text); };
        QTest::newRow("start-up") << 0 << 1 << true << true
            << QStringList({u("شماره"), u("شماره سيستمي"), "IsChecked", u("وضعيت عدم تخصيص")})
            << QList<int>({600, 0, 1000, 0, 1400, 0, 0, 0});
        QTest::newRow("start-up, loaded while painting is off") << 3 << 1 << true << true
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
        QFETCH(int, layout);
        QFETCH(int, mode);
        QFETCH(bool, sortByDocumentDate);
        QFETCH(bool, review);
        FlexGrid grid;
        SetupLedgerGridAtStartup(grid, qint16(mode));
        if (layout == 3)
            grid.setRedraw(false);
        stream(grid, {{"1", "5001"}, {"2", "5002"}});
        if (layout == 3)
            grid.setRedraw(true);
        if (layout == 1)
            ApplyLedgerLayoutAfterQuery(grid, qint16(mode), sortByDocumentDate, review);
        else if (layout == 2)
            ApplyScratchLayoutAfterQuery(grid, qint16(mode), sortByDocumentDate, review);
        QCOMPARE(grid.Cols(), int(ColumnCount));
        QTEST(QStringList({grid.TextMatrix(0, 0), grid.TextMatrix(0, 1), grid.TextMatrix(0, 19), grid.TextMatrix(0, 31)}),
              "headers");
        QList<int> shown;
        for (int c : {0, 1, 2, 3, 4, 19, 30, 31})
            shown << grid.ColWidth(c);
        QTEST(shown, "widths");
        // Columns of no width are hidden in the view; the others show their width in pixels.
        for (int c = 0; c < ColumnCount; ++c)
            QVERIFY2(grid.view()->isColumnHidden(c) == (grid.ColWidth(c) == 0), qPrintable(QString::number(c)));
        QCOMPARE(grid.view()->columnWidth(Description), qRound(grid.ColWidth(Description) * grid.logicalDpiX() / 1440.0));
        QCOMPARE(grid.Rows(), 3);
        QCOMPARE(grid.TextMatrix(2, DocumentID), QStringLiteral("5002"));
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
        stream(grid, QList<QStringList>(rows));
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

    void scrollBarFollowsColumnsRightToLeft()
    {
        FlexGrid grid;
        grid.resize(700, 260);
        SetupLedgerGridAtStartup(grid, 1);
        stream(grid, QList<QStringList>(20));
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
        // Column 2 follows column 0 to its left, column 1 (hidden) between
        // them with no width; column 4 follows column 2 past hidden column 3.
        QVERIFY(grid.ColPos(0) > grid.ColPos(2));
        QVERIFY(qAbs(grid.ColPos(2) + grid.ColWidth(2) - grid.ColPos(0)) <= 15);
        QVERIFY(qAbs(grid.ColPos(1) - grid.ColPos(0)) <= 15);
        QVERIFY(qAbs(grid.ColPos(4) + grid.ColWidth(4) - grid.ColPos(2)) <= 15);
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
        stream(grid, QList<QStringList>(20));
        ApplyLedgerLayoutAfterQuery(grid, 1, true, true);
        QCOMPARE(bar->value(), bar->minimum());
        QCOMPARE(header->sectionViewportPosition(AccTransCode) + header->sectionSize(AccTransCode), header->viewport()->width());
    }


    void mouseAndKeyboard()
    {
        FlexGrid grid;
        showFourRows(grid);
        QSignalSpy clicks(&grid, &FlexGrid::Click);
        QSignalSpy selection(&grid, &FlexGrid::SelChange);
        QTableView *view = grid.view();
        const auto selectedRows = [view] {
            QList<int> rows;
            for (const QModelIndex &index : view->selectionModel()->selectedRows())
                rows << index.row() + 1;
            std::sort(rows.begin(), rows.end());
            return rows;
        };
        const auto click = [view](Qt::MouseButton button, int row, int col) {
            QTest::mouseClick(view->viewport(), button, {}, view->visualRect(view->model()->index(row - 1, col)).center());
        };
        // After a load: the first row, all of it.
        QCOMPARE(selectedRows(), QList<int>({1}));
        // A click on one cell: that row, all of it; the cell's column is Col and ColSel.
        click(Qt::LeftButton, 3, 2);
        QCOMPARE(selectedRows(), QList<int>({3}));
        QCOMPARE(cursor(grid), QList<int>({3, 2, 3, 2}));
        QCOMPARE(QList<int>({grid.MouseRow(), grid.MouseCol()}), QList<int>({3, 2}));
        QCOMPARE(clicks.count(), 1);
        QVERIFY(selection.count() >= 1);

        // Shift+Down extends the block from the current cell.
        QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(cursor(grid), QList<int>({3, 2, 4, 2}));
        // A right click keeps the block for the context menu.
        click(Qt::RightButton, 1, 0);
        QCOMPARE(grid.RowSel(), 4);
        QCOMPARE(grid.MouseRow(), 1);
        // Up moves the current cell (row 4) and collapses the block.
        QTest::keyClick(view, Qt::Key_Up);
        QCOMPARE(cursor(grid), QList<int>({3, 2, 3, 2}));

        // A header click is a click on row 0 and leaves the selection alone.
        QHeaderView *header = view->horizontalHeader();
        const QPoint onSection(header->sectionViewportPosition(2) + 5, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, onSection);
        QCOMPARE(QList<int>({grid.MouseRow(), grid.MouseCol()}), QList<int>({0, 2}));
        QCOMPARE(clicks.count(), 2);
        QCOMPARE(grid.Row(), 3);

        // Dragging a column border is no click; the column keeps its new width.
        QTest::mousePress(header->viewport(), Qt::LeftButton, {}, onSection);
        header->resizeSection(2, 150);
        QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, onSection);
        QCOMPARE(clicks.count(), 2);
        QCOMPARE(grid.ColWidth(2), qRound(150 * 1440.0 / grid.logicalDpiX()));

        // A block set by code shows as its whole rows and keeps its columns for the colour setters.
        grid.setRow(2);
        grid.setCol(1);
        grid.setRowSel(4);
        grid.setColSel(2);
        QCOMPARE(selectedRows(), QList<int>({2, 3, 4}));
        QCOMPARE(cursor(grid), QList<int>({2, 1, 4, 2}));
    }

    void showRow_data()
    {
        QTest::addColumn<int>("top");         // the top row before
        QTest::addColumn<int>("row");         // the row shown
        QTest::addColumn<int>("topAfter");    // -1: the row ends at the bottom of the view
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
        showFiveHundredRows(grid, 12);
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
        showFiveHundredRows(grid, 12);
        QScrollBar *across = grid.view()->horizontalScrollBar();
        across->setValue(across->maximum());
        grid.setRedraw(false);
        grid.ShowRow(450);
        grid.setRedraw(true);
        QCOMPARE(grid.Row(), 450);
        const QRect shown = grid.view()->visualRect(grid.view()->model()->index(449, 0));
        QVERIFY(shown.top() >= 0 && shown.bottom() < grid.view()->viewport()->height());
        // Turning painting on again leaves the columns where the person scrolled them.
        QCOMPARE(across->value(), across->maximum());
    }

    void topRow()
    {
        FlexGrid grid;
        showFiveHundredRows(grid, 2);
        grid.setTopRow(120);
        QCOMPARE(grid.TopRow(), 120);
        // Painting off and on again keeps the scroll position.
        grid.setRedraw(false);
        grid.setRow(400);
        grid.setRedraw(true);
        QCOMPARE(grid.TopRow(), 120);
        // Turning painting on while it is on keeps where the person scrolled since.
        grid.view()->verticalScrollBar()->setValue(grid.view()->verticalScrollBar()->value() + 80);
        const int scrolled = grid.TopRow();
        QVERIFY(scrolled > 120);
        grid.setRedraw(true);
        QCOMPARE(grid.TopRow(), scrolled);
    }
};

QTEST_MAIN(TestGrid)
#include "test_grid.moc"
