// The tools menu's view options, the refresh and hot keys, the search bar,
// the edit-button timer and the per-document summary, on the small book.

#include "LedgerFixture.h"
#include "ledger_window/filters/LedgerSearch.h"
#include "ledger_window/ledger/DocumentSummary.h"
#include "outside/controls/comAccountPicker.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QPushButton>

namespace {

const QStringList ViewGroups {"mnuwithOutQuery", "mnuWithNotFormBalance", "mnuWithFormBalance",
                              "mnuAllCheck", "mnuChecke", "mnuUnChecked"};

// Forms on account 2: form 8 balances (500 + 300 against 800), form 9 does not.
const QStringList FormStatements {
    "update tblAccountDocumentDetail set CreditValue = 800 where DocumentID = 103 and RowNumber = 2",
    "update tblAccountDocumentDetail set FormTypeID = 303, FormID = 8 where AccountID = 2 and DocumentID in (101, 102, 103)",
    "update tblAccountDocumentDetail set FormTypeID = 303, FormID = 9 where AccountID = 2 and DocumentID = 104",
};

// A grid of the ledger's width holding rows of (code, document ID, debit, credit, description, review mark).
void fillGrid(FlexGrid &grid, const QList<QStringList> &rows)
{
    grid.setCols(ColumnCount);
    grid.setRows(int(rows.size()) + 1);
    for (int r = 0; r < rows.size(); ++r) {
        const QStringList &row = rows.at(r);
        const int cols[] = {AccTransCode, DocumentID, Debit, Credit, Description, IsChecked};
        for (int k = 0; k < 6; ++k)
            grid.setTextMatrix(r + 1, cols[k], row.value(k));
        grid.setTextMatrix(r + 1, DebitBalance, QStringLiteral("db%1").arg(r + 1));
        grid.setTextMatrix(r + 1, CreditBalance, QStringLiteral("cb%1").arg(r + 1));
        grid.setTextMatrix(r + 1, FarsiDocumentDate, QStringLiteral("1403/01/%1").arg(r + 10));
    }
}

QList<QStringList> gridRows(const FlexGrid &grid)
{
    QList<QStringList> rows;
    for (int r = 1; r < grid.Rows(); ++r) {
        QStringList row;
        for (int col : {int(AccTransCode), int(DocumentID), int(Debit), int(Credit), int(Description), int(IsChecked),
                        int(DebitBalance), int(CreditBalance)})
            row << grid.TextMatrix(r, col);
        rows << row;
    }
    return rows;
}

} // namespace

class TestViewOptions : public QObject, private LedgerWindowTest
{
    Q_OBJECT

    QStringList checkedItems() const
    {
        QStringList checked;
        for (const QString &name : ViewGroups)
            if (window()->menuItem(name)->isChecked())
                checked << name;
        return checked;
    }
    void choose(const QString &item) const { window()->menuItem(item)->trigger(); }

private slots:
    void init() { setUpWindowTest(); }
    void cleanup() { tearDownWindowTest(); }

    void viewOptionStatements_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("rowCondition");
        QTest::addColumn<bool>("periodKept");
        QTest::addColumn<QStringList>("codes");
        const QString unbalancedForms = QStringLiteral(
            " (Select FormID From vwAccountDocumentInfo where AccountID= 2 And SumDebit<>SumCredit)");
        QTest::newRow("unbalanced forms, all periods") << "mnuWithNotFormBalance" << " and FormID In" + unbalancedForms
                                                       << false << QStringList {"4"};
        QTest::newRow("balanced forms, all periods") << "mnuWithFormBalance" << " and FormID Not In" + unbalancedForms
                                                     << false << QStringList {"1", "2", "3"};
        QTest::newRow("no form condition keeps the period") << "mnuwithOutQuery" << "" << true
                                                            << QStringList {"1", "2", "3", "4", "6"};
        // The reviewed text ends in a blank, the unreviewed one does not.
        QTest::newRow("reviewed rows of all periods") << "mnuChecke" << " and IsChecked = 1 " << false << QStringList {"2"};
        QTest::newRow("unreviewed rows of all periods") << "mnuUnChecked" << " and IsChecked = 0" << false
                                                        << QStringList {"1", "3", "4", "6"};
        QTest::newRow("all rows keep the period") << "mnuAllCheck" << "" << true << QStringList {"1", "2", "3", "4", "6"};
    }
    void viewOptionStatements()
    {
        QFETCH(QString, item);
        QFETCH(QString, rowCondition);
        QFETCH(bool, periodKept);
        db->exec(FormStatements);
        open();
        StatementLog log;
        choose(item);
        QVERIFY2(ScriptedMessages::shown().isEmpty(), qPrintable(ScriptedMessages::shown().value(0).message));
        QCOMPARE(Session.RowCondition, rowCondition);
        const QStringList ledger = log.startingWith("Select AccTransCode");
        QCOMPARE(ledger.size(), 1);
        if (!rowCondition.isEmpty())
            QVERIFY2(ledger.first().contains("Where AccountID = 2" + rowCondition + " And DocumentDate >= '2024-03-20'"),
                     qPrintable(ledger.first()));
        QCOMPARE(ledger.first().contains(PeriodOf1403), periodKept);
        // The period comes back for the reads that follow.
        QVERIFY(Session.PeriodCondition.contains("2024-03-20"));
        QTEST(codes(), "codes");
    }

    void groupsShareTheCondition()
    {
        db->exec(FormStatements);
        open();
        choose("mnuChecke");
        choose("mnuWithFormBalance");
        // The form choice replaced the review condition; the review mark stays.
        QCOMPARE(checkedItems(), (QStringList {"mnuWithFormBalance", "mnuChecke"}));
        QCOMPARE(codes(), (QStringList {"1", "2", "3"}));
        choose("mnuUnChecked");
        QCOMPARE(checkedItems(), (QStringList {"mnuWithFormBalance", "mnuUnChecked"}));
        QCOMPARE(Session.RowCondition, QStringLiteral(" and IsChecked = 0"));
        // Another account puts the form group back and empties the condition.
        window()->sltAccount->setAccountID(3);
        QCOMPARE(checkedItems(), (QStringList {"mnuwithOutQuery", "mnuUnChecked"}));
        QCOMPARE(Session.RowCondition, QString());
    }

    void optionsWithoutAccountOnlyChangeMarks()
    {
        signIn(*control);
        control->ClearShow();
        StatementLog log;
        choose("mnuWithNotFormBalance");
        choose("mnuChecke");
        choose("mnuRefresh");
        QCOMPARE(log.windowTexts(), QStringList());
        QCOMPARE(checkedItems(), (QStringList {"mnuWithNotFormBalance", "mnuChecke"}));
        choose("mnuWithFormBalance");
        // The picker reads 0 without an account, so the text stays valid SQL.
        QVERIFY(Session.RowCondition.contains("AccountID= 0 And"));
        window()->sltAccount->setAccountID(2);
        window()->cmdReset->click();
        QVERIFY(ScriptedMessages::shown().isEmpty());
        QCOMPARE(codes(), (QStringList {"1", "2", "3", "4", "6"}));
    }

    void sortSwitches_data()
    {
        QTest::addColumn<QStringList>("choices");
        QTest::addColumn<int>("heightChange"); // twips
        QTest::addColumn<bool>("upToTodayShown");
        QTest::addColumn<int>("reads");
        QTest::newRow("document date again changes nothing") << QStringList {"mnuSortDocumentDate"} << 0 << false << 0;
        QTest::newRow("due date") << QStringList {"mnuSortTransactionDate"} << -350 << true << 1;
        QTest::newRow("due date twice reads once")
            << QStringList {"mnuSortTransactionDate", "mnuSortTransactionDate"} << -350 << true << 1;
        QTest::newRow("there and back") << QStringList {"mnuSortTransactionDate", "mnuSortDocumentDate"} << 0 << false << 2;
    }
    void sortSwitches()
    {
        QFETCH(QStringList, choices);
        QFETCH(int, heightChange);
        open();
        const int height = grid()->height();
        StatementLog log;
        for (const QString &item : choices)
            choose(item);
        QCOMPARE(grid()->height() - height, qRound(heightChange * 96 / 1440.0));
        QTEST(window()->frmRemainedtoday->isVisible(), "upToTodayShown");
        QTEST(int(log.startingWith("Select AccTransCode").size()), "reads");
        const bool byDueDate = window()->frmRemainedtoday->isVisible();
        QCOMPARE(window()->menuItem("mnuSortTransactionDate")->isChecked(), byDueDate);
        QCOMPARE(window()->menuItem("mnuSortDocumentDate")->isChecked(), !byDueDate);
    }

    void hotKeysFromAnyField_data()
    {
        QTest::addColumn<QString>("field");
        QTest::newRow("grid") << "flxAccount";
        QTest::newRow("document number") << "txtCodeFrom";
        QTest::newRow("edit panel type list") << "cmbDocumentType";
        QTest::newRow("description") << "txtDescription";
    }
    void hotKeysFromAnyField()
    {
        QFETCH(QString, field);
        open();
        QWidget *target = window()->Controls.value(field);
        while (target->focusProxy())
            target = target->focusProxy();
        if (auto *flex = qobject_cast<FlexGrid *>(target))
            target = flex->view();
        StatementLog log;
        QTest::keyClick(target, Qt::Key_F5);
        QCOMPARE(log.startingWith("Select AccTransCode").size(), 1);
        QTest::keyClick(target, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(window()->FrameSearchDetail->isVisible());
        QCOMPARE(window()->SearchStartRow, 1);
    }

    void editingBlocksRefreshNotSearch()
    {
        open();
        grid()->setRow(2);
        window()->cmdEdit->click();
        QVERIFY(window()->IsEditing());
        StatementLog log;
        QTest::keyClick(window()->txtDescription, Qt::Key_F5);
        QCOMPARE(log.windowTexts(), QStringList());
        QTest::keyClick(window()->txtDescription, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(window()->FrameSearchDetail->isVisible());
        QVERIFY(window()->IsEditing());
        // A view option asks first; "no" keeps the edit and sends nothing.
        ScriptedMessages::answers() << 0;
        choose("mnuChecke");
        QVERIFY(window()->IsEditing());
        QCOMPARE(log.windowTexts(), QStringList());
        QCOMPARE(checkedItems(), (QStringList {"mnuwithOutQuery"}));
    }

    void timerFollowsTheEditRule_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("editing");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("finalized opening row") << 1 << false << false;
        QTest::newRow("ordinary row") << 2 << false << true;
        QTest::newRow("while editing") << 2 << true << false;
    }
    void timerFollowsTheEditRule()
    {
        QFETCH(int, row);
        QFETCH(bool, editing);
        open();
        grid()->setRow(row);
        if (editing)
            window()->cmdEdit->click();
        window()->cmdEdit->setEnabled(!window()->cmdEdit->isEnabled());
        window()->Timer2_Timer();
        QTEST(window()->cmdEdit->isEnabled(), "enabled");
        // The timer itself runs every half second.
        window()->cmdEdit->setEnabled(!window()->cmdEdit->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(window()->cmdEdit->isEnabled(), QTest::currentDataTag() == QByteArray("ordinary row"), 2000);
    }

    void searchSteps()
    {
        open();
        activate();
        QTest::keyClick(grid()->view(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(window()->FrameSearchDetail->isVisible());
        QCOMPARE(QApplication::focusWidget(), window()->txtAccDescSearch);
        // All fields empty: each press steps one row down and wraps.
        QList<int> found;
        for (int n = 0; n < 6; ++n) {
            window()->cmdOkey->click();
            found << grid()->Row();
        }
        QCOMPARE(found, (QList<int> {1, 2, 3, 4, 5, 1}));
        QCOMPARE(grid()->ColSel(), grid()->Cols() - 1);
        // An amount typed the way the grid shows it; Enter finds.
        window()->txtPriceSearch->setText(QStringLiteral(" 1,000 "));
        QTest::keyClick(window()->txtPriceSearch, Qt::Key_Return);
        QTRY_COMPARE(grid()->Row(), 3);
        QCOMPARE(window()->SearchStartRow, 4);
        // A re-read with fewer rows keeps the start row; the wrap-around finds it again.
        window()->mnuChecke_Click();
        QCOMPARE(grid()->Rows(), 2);
        window()->txtPriceSearch->clear();
        window()->cmdOkey->click();
        QCOMPARE(grid()->Row(), 1);
        // Nothing found: silent, nothing moves.
        window()->txtAccDescSearch->setText(QStringLiteral("'%ي"));
        window()->cmdOkey->click();
        QCOMPARE(grid()->Row(), 1);
        QVERIFY(ScriptedMessages::shown().isEmpty());
        // Escape closes the bar.
        QTest::keyClick(window()->txtAccDescSearch, Qt::Key_Escape);
        QVERIFY(!window()->FrameSearchDetail->isVisible());
        QCOMPARE(window()->SearchStartRow, 1);
    }

    void mixFoldsAndUnfolds()
    {
        open(1, 1); // the parent: documents 102 to 104 have rows on both children
        const int rows = grid()->Rows();
        window()->chkMix->click();
        QCOMPARE(codes(), (QStringList {"1", "2", "3", "4", "6"}));
        QCOMPARE(cell(2, Debit), QStringLiteral("0"));
        QVERIFY(cell(2, Description).startsWith(QStringLiteral("سرجمع حساب ")));
        QVERIFY(cell(2, Description).endsWith(QStringLiteral(" در سند به شماره 2")));
        // A re-read folds again while the box is ticked.
        window()->mnuRefresh_Click();
        QCOMPARE(grid()->Rows(), 6);
        window()->chkMix->click();
        QCOMPARE(grid()->Rows(), rows);
    }
};

// The fold and the row match on grids and texts alone.
class TestSummaryAndSearch : public QObject
{
    Q_OBJECT

private slots:
    void fold_data()
    {
        QTest::addColumn<QList<QStringList>>("rows");
        QTest::addColumn<QList<QStringList>>("expected");
        const QString header = QStringLiteral("سرجمع حساب صندوق در سند به شماره ");
        QTest::newRow("debit nets against credit")
            << QList<QStringList> {{"7", "70", "1,000", "0", "a", "1"}, {"7", "70", "0", "400", "b", ""}}
            << QList<QStringList> {{"7", "70", "600", "0", header + "7", "", "db2", "cb2"}};
        QTest::newRow("cancelling document")
            << QList<QStringList> {{"7", "70", "250", "0", "a", ""}, {"7", "70", "0", "250", "b", ""}}
            << QList<QStringList> {{"7", "70", "0", "0", header + "7", "", "db2", "cb2"}};
        QTest::newRow("three rows, credit wins, sorted by code first")
            << QList<QStringList> {{"9", "90", "5", "0", "x", ""}, {"10", "11", "1,234,567.5", "0", "a", ""},
                                   {"10", "11", "0", "2,000,000", "b", ""}, {"10", "11", "100", "0", "c", "1"}}
            << QList<QStringList> {{"9", "90", "5", "0", "x", "", "db1", "cb1"},
                                   {"10", "11", "0", "765,332.5", header + "10", "", "db4", "cb4"}};
        QTest::newRow("single rows keep everything")
            << QList<QStringList> {{"1", "10", "5", "3", "a", "1"}, {"2", "20", "0", "7", "b", ""}}
            << QList<QStringList> {{"1", "10", "5", "3", "a", "1", "db1", "cb1"}, {"2", "20", "0", "7", "b", "", "db2", "cb2"}};
        QTest::newRow("same code, other document IDs")
            << QList<QStringList> {{"3", "30", "5", "0", "a", ""}, {"3", "31", "0", "5", "b", ""}}
            << QList<QStringList> {{"3", "30", "5", "0", "a", "", "db1", "cb1"}, {"3", "31", "0", "5", "b", "", "db2", "cb2"}};
        QTest::newRow("one data row") << QList<QStringList> {{"1", "10", "5", "0", "a", "1"}}
                                      << QList<QStringList> {{"1", "10", "5", "0", "a", "1", "db1", "cb1"}};
        QTest::newRow("no data rows") << QList<QStringList> {} << QList<QStringList> {};
    }
    void fold()
    {
        QFETCH(QList<QStringList>, rows);
        FlexGrid grid;
        fillGrid(grid, rows);
        grid.setCol(AccTransCode);
        grid.Sort(FlexGrid::SortGenericAscending);
        FoldDocumentRows(grid, QStringLiteral("صندوق"));
        QTEST(gridRows(grid), "expected");
        // Running it again finds nothing more to fold.
        const QList<QStringList> once = gridRows(grid);
        QCOMPARE(FoldDocumentRows(grid, QStringLiteral("صندوق")), 0);
        QCOMPARE(gridRows(grid), once);
    }

    void foldedRowsLoseTheReviewColour()
    {
        constexpr quint32 reviewRed = 0x000000FF;
        FlexGrid grid;
        fillGrid(grid, {{"1", "10", "5", "0", "a", "1"}, {"2", "20", "5", "0", "a", "1"}, {"2", "20", "0", "1", "b", ""}});
        grid.setRow(1);
        grid.setRowSel(3);
        grid.setCol(0);
        grid.setColSel(ColumnCount - 1);
        grid.setCellForeColor(reviewRed);
        FoldDocumentRows(grid, QStringLiteral("صندوق"));
        const auto foreColor = [&](int row, int col) {
            grid.setRow(row);
            grid.setCol(col);
            return grid.CellForeColor();
        };
        QCOMPARE(foreColor(1, IsChecked), reviewRed);         // single row: untouched
        QCOMPARE(foreColor(2, IsChecked), 0x80000008u);       // folded: ordinary text
        QCOMPARE(foreColor(2, IsChecked + 1), reviewRed);     // beyond column 19: as before
    }

    void rowMatch_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<bool>("matches");
        // The row: 1403/02/11, "Pay ABCD to كريم", debit 1,250,000, credit 0.
        QTest::newRow("all empty") << "" << "" << "" << true;
        QTest::newRow("blanks only") << "" << "   " << "  " << true;
        QTest::newRow("date") << "1403/02/11" << "" << "" << true;
        QTest::newRow("other date") << "1403/02/12" << "" << "" << false;
        QTest::newRow("description ignores case") << "" << "abc" << "" << true;
        QTest::newRow("description blanks kept") << "" << " to " << "" << true;
        QTest::newRow("description blanks kept, no match") << "" << "abcd  " << "" << false;
        QTest::newRow("Persian letter forms") << "" << "کریم" << "" << true;
        QTest::newRow("quote and percent") << "" << "'%" << "" << false;
        QTest::newRow("amount as shown") << "" << "" << "1,250,000" << true;
        QTest::newRow("amount plain with blanks") << "" << "" << " 1250000 " << true;
        QTest::newRow("amount with decimals") << "" << "" << "1250000.00" << true;
        QTest::newRow("amount in Persian digits") << "" << "" << "۱۲۵۰۰۰۰" << true;
        QTest::newRow("credit zero") << "" << "" << "0" << true;
        QTest::newRow("other amount") << "" << "" << "125,000" << false;
        QTest::newRow("not an amount") << "" << "" << "12ab" << false;
        QTest::newRow("everything at once") << "1403/02/11" << "to" << "1250000" << true;
        QTest::newRow("one criterion fails") << "1403/02/11" << "xyz" << "1250000" << false;
    }
    void rowMatch()
    {
        QFETCH(QString, date);
        QFETCH(QString, description);
        QFETCH(QString, amount);
        const LedgerRowMatcher matcher(date, description, amount);
        QTEST(matcher.matches("1403/02/11", "Pay xABCD to كريم", "1,250,000", "0"), "matches");
    }

    // The cell side of the amount search: the grid's ASCII cells are read
    // without building a text, and that reading must answer as
    // ReadSearchAmount does, strictly: only a whole amount matches.
    void cellAmount_data()
    {
        QTest::addColumn<QString>("debitCell");
        QTest::addColumn<bool>("matches");
        // The search: 1250000.
        QTest::newRow("as the fill shows it") << "1,250,000" << true;
        QTest::newRow("blanks around") << "  1250000 " << true;
        QTest::newRow("decimal zeros") << "1250000.0000" << true;
        QTest::newRow("plus sign") << "+1250000" << true;
        QTest::newRow("Persian digits") << QString::fromUtf8("۱۲۵۰۰۰۰") << true;
        QTest::newRow("Persian digits, Arabic separators") << QString::fromUtf8("۱٬۲۵۰٬۰۰۰") << true;
        // A tab or a line end around the amount is trimmed as a blank is.
        QTest::newRow("tab after the amount") << "1250000\t" << true;
        QTest::newRow("line end after the amount") << "1,250,000\r\n" << true;
        // Longer than the short reading holds: still an amount.
        QTest::newRow("padded with seventy zeros") << QString(70, QLatin1Char('0')) + "1250000" << true;
        QTest::newRow("a number followed by text") << "1250000abc" << false;
        QTest::newRow("point without decimals") << "1250000." << false;
        QTest::newRow("two points") << "1250000.0.0" << false;
        QTest::newRow("blank inside") << "1250 000" << false;
        QTest::newRow("tab inside") << "1250\t000" << false;
        QTest::newRow("sign after the digits") << "1250000-" << false;
        QTest::newRow("another amount") << "125000" << false;
        QTest::newRow("empty") << "" << false;
    }
    void cellAmount()
    {
        QFETCH(QString, debitCell);
        const LedgerRowMatcher matcher(QString(), QString(), QStringLiteral("1250000"));
        const QByteArray debit = debitCell.toUtf8();
        QTEST(matcher.matches("1403/02/11", "x", std::string_view(debit.constData(), std::size_t(debit.size())), "0"),
              "matches");
    }

    void findOrder_data()
    {
        QTest::addColumn<QStringList>("descriptions");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("found");
        const QStringList rows {"x", "hit", "x", "hit", "x"};
        QTest::newRow("from the start row on") << rows << 3 << 4;
        QTest::newRow("start row itself") << rows << 2 << 2;
        QTest::newRow("wraps to the first above") << rows << 5 << 2;
        QTest::newRow("start beyond a shrunken grid") << rows << 40 << 2;
        QTest::newRow("none") << QStringList {"x", "x"} << 1 << 0;
        QTest::newRow("empty grid") << QStringList {} << 1 << 0;
    }
    void findOrder()
    {
        QFETCH(QStringList, descriptions);
        QFETCH(int, start);
        FlexGrid grid;
        QList<QStringList> rows;
        for (const QString &text : descriptions)
            rows << QStringList {"1", "1", "0", "0", text};
        fillGrid(grid, rows);
        QTEST(FindMatchingRow(grid, LedgerRowMatcher(QString(), QStringLiteral("hit"), QString()), start), "found");
    }
};

int RunViewOptionTests(int argc, char **argv)
{
    TestViewOptions options;
    TestSummaryAndSearch summary;
    return QTest::qExec(&options, argc, argv) + QTest::qExec(&summary, argc, argv);
}

#include "test_view_options.moc"
