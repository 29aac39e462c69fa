// The grid click: the assignment check of a row against its links in
// tblVelkoRelatedForms, and the header sort.
//
// Account 2's ledger here, by document date (row: document/row, amount):
//   1: 101/1 debit 500      2: 102/1 debit 300 (form 301/55)
//   3: 103/2 credit 1,000   4: 104/1 debit 250, excluded from assignment
//   5: 107/1 credit 1,234,567.25 (form 501/77)   6: 106/1 debit 100
// The fixture's links are replaced by each test's own.

#include "LedgerFixture.h"
#include "ledger_window/row_actions/AssignmentCheck.h"
#include "session/Messages.h"

#include <QFrame>
#include <QHeaderView>

namespace {

const QStringList BookStatements {
    "delete from tblVelkoRelatedForms",
    "insert into tblVelkoFormType(ID, Code, Name) values (303, '303', 'سند حسابداري')",
    "insert into tblAccountDocument(ID, Code, DocumentDate, FarsiDocumentDate, BranchID, IsFinalized, IsScratch, "
    "DocumentTypeID) values (107, 7, '2024-06-10', '1403/03/21', 1, 0, 0, 1)",
    "insert into tblAccountDocumentDetail(DocumentID, RowNumber, AccountID, DebitValue, CreditValue, Description, "
    "TransactionDate, FarsiTransactionDate, DocumentTypeID, IsChecked, IsAssignmentExcluded, FormTypeID, FormID) values "
    "(107, 1, 2, 0, 1234567.25, 'تسويه فاكتور', '2024-06-10', '1403/03/21', 1, 0, 0, 501, 77), "
    "(107, 2, 3, 1234567.25, 0, 'تسويه فاكتور', '2024-06-10', '1403/03/21', 1, 0, 0, null, null)",
    "update tblAccountDocumentDetail set FormTypeID = 301, FormID = 55 where DocumentID = 102 and RowNumber = 1",
};

// Links as "reference type, id, row, related type, id, row, amount".
QStringList linkStatements(const QStringList &links)
{
    QStringList statements;
    for (const QString &link : links)
        statements << "insert into tblVelkoRelatedForms(ReferenceFormTypeID, ReferenceFormID, ReferenceFormRowNumber, "
                      "RelatedFormTypeID, RelatedFormID, RelatedFormRowNumber, AssignedValue) values (" + link + ")";
    return statements;
}

// The link queries among the statements sent (the edit panel follows the
// current row with statements of its own).
QStringList linkQueries(const StatementLog &log)
{
    return log.startingWith(QStringLiteral("Select ReferenceFormTypeID,"))
           + log.startingWith(QStringLiteral("Select RelatedFormTypeID,"));
}

} // namespace

class TestAssignmentCheck : public QObject, private LedgerWindowTest
{
    Q_OBJECT

    void openBook(const QStringList &links)
    {
        db->exec(BookStatements + linkStatements(links));
        open();
        window()->IsAssignmentAccount = true;
    }
    void clickRow(int row) const { QTest::mouseClick(grid()->view()->viewport(), Qt::LeftButton, {}, cellPoint(row)); }
    void clickHeader(int col) const
    {
        QHeaderView *header = grid()->view()->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(col) + 5, header->height() / 2));
    }
    // Rows painted as counterparts over their whole width.
    QList<int> litRows() const
    {
        QList<int> rows;
        for (int r = 1; r < grid()->Rows(); ++r)
            if (grid()->cellBackColorAt(r, 0) == CounterpartBackColor
                && grid()->cellBackColorAt(r, AssignmentState) == CounterpartBackColor)
                rows << r;
        return rows;
    }

private slots:
    void init() { setUpWindowTest(); }
    void cleanup() { tearDownWindowTest(); }

    void linkQuery_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("query");
        QTest::newRow("debit row reads who refers to it, by row number") << 2 << QStringLiteral(
            "Select ReferenceFormTypeID,ReferenceFormID,AssignedValue, isnull((Select x.Name from vwVelkoFormTypeMajor x "
            "where x.ID=ReferenceFormTypeID),convert(varchar,ReferenceFormTypeID)) as ReferenceFormType from "
            "tblVelkoRelatedForms f where (f.RelatedFormTypeID=303 and f.RelatedFormID=102 and "
            "f.RelatedFormRowNumber=1) or (f.RelatedFormTypeID=301 and f.RelatedFormID=55)");
        // No form: ParseDateNumber reads the empty cells as -1.
        QTest::newRow("credit row reads what its whole document refers to") << 3 << QStringLiteral(
            "Select RelatedFormTypeID,RelatedFormID,AssignedValue,isnull((Select x.Name from vwVelkoFormTypeMajor x "
            "where x.ID=RelatedFormTypeID),convert(varchar,RelatedFormTypeID)) as RelatedFormType from "
            "tblVelkoRelatedForms f where (f.ReferenceFormTypeID=303 and f.ReferenceFormID=103) or "
            "(f.ReferenceFormTypeID=-1 and f.ReferenceFormID=-1)");
    }
    void linkQuery()
    {
        QFETCH(int, row);
        openBook({});
        StatementLog log;
        clickRow(row);
        QFETCH(QString, query);
        QCOMPARE(linkQueries(log), QStringList {query});
    }

    void counterparts_data()
    {
        QTest::addColumn<QStringList>("links");
        QTest::addColumn<int>("row");
        QTest::addColumn<QList<int>>("lit");
        QTest::addColumn<QStringList>("marks"); // column 29 of rows 1 to 6
        QTest::addColumn<QStringList>("shown");
        const QString error = RowActionErrorTitle + ": ";
        QTest::newRow("debit row: credit rows by document and by form")
            << QStringList {"303, 103, 2, 303, 102, 1, 1000", "501, 77, null, 303, 102, 1, 2500"} << 2
            << QList<int> {3, 5} << QStringList {"", "", "1,000", "", "2,500", ""} << QStringList();
        QTest::newRow("credit row: debit rows of the document, a zero link lit too")
            << QStringList {"303, 103, 2, 303, 102, 1, 1000", "303, 103, 2, 303, 101, 1, 0"} << 3
            << QList<int> {1, 2} << QStringList {"0", "1,000", "", "", "", ""} << QStringList();
        QTest::newRow("debit row: a zero link is not searched")
            << QStringList {"303, 103, 2, 303, 102, 1, 0"} << 2 << QList<int>() << QStringList(6, QString())
            << QStringList();
        QTest::newRow("an excluded counterpart is not found")
            << QStringList {"303, 103, 2, 303, 104, 1, 250"} << 3 << QList<int>() << QStringList(6, QString())
            << QStringList {error + "تخصيص مربوط به فرم ”سند حسابداري“ و ش.ر. ”104“ با مبلغ تخصيص ”250“ يافت نشد."};
        QTest::newRow("a form type without a name shows its number")
            << QStringList {"901, 5000, null, 303, 102, 1, 1200.5", "303, 103, 2, 303, 102, 1, 10"} << 2
            << QList<int> {3} << QStringList {"", "", "10", "", "", ""}
            << QStringList {error + "تخصيص مربوط به فرم ”901“ و ش.ر. ”5000“ با مبلغ تخصيص ”1200.5“ يافت نشد."};
    }
    void counterparts()
    {
        QFETCH(QStringList, links);
        QFETCH(int, row);
        openBook(links);
        window()->mnuAccountDetailSearch_Click();
        window()->SearchStartRow = 4;
        clickRow(row);
        QTEST(litRows(), "lit");
        QTEST(column(AssignmentCheck), "marks");
        QTEST(shownMessages(), "shown");
        QCOMPARE(grid()->Row(), row);
        QVERIFY(!window()->FrameSearchDetail->isVisible());
        QCOMPARE(window()->SearchStartRow, 4);
    }

    // The link total against columns 25 + 26 of the clicked debit row, to the
    // ten-thousandth; every positive link finds row 3.
    void mismatch_data()
    {
        QTest::addColumn<QStringList>("amounts");
        QTest::addColumn<QString>("assignedDebit");
        QTest::addColumn<QString>("assignedCredit");
        QTest::addColumn<bool>("reported");
        QTest::newRow("no links, nothing assigned") << QStringList() << "" << "" << false;
        QTest::newRow("no links, an assigned debit") << QStringList() << "1,000" << "" << true;
        QTest::newRow("tenths add up exactly") << QStringList {"0.1", "0.2"} << "0.3" << "" << false;
        QTest::newRow("four decimals and a null") << QStringList {"1234.5678", "null"} << "1,234.5678" << "" << false;
        QTest::newRow("one ten-thousandth apart") << QStringList {"1234.5678"} << "1,234.5677" << "" << true;
        QTest::newRow("negative and zero links count") << QStringList {"-200", "0", "500"} << "" << "300" << false;
        QTest::newRow("debit and credit assigned add up") << QStringList {"3500"} << "1,000" << "2,500" << false;
    }
    void mismatch()
    {
        QFETCH(QStringList, amounts);
        QFETCH(bool, reported);
        QStringList links;
        for (const QString &amount : amounts)
            links << "303, 103, 2, 303, 102, 1, " + amount;
        openBook(links);
        QFETCH(QString, assignedDebit);
        QFETCH(QString, assignedCredit);
        grid()->setTextMatrix(2, AssignedDebit, assignedDebit);
        grid()->setTextMatrix(2, AssignedCredit, assignedCredit);
        clickRow(2);
        const QString mismatch = RowActionErrorTitle + ": مبالغ تخصيص يافته با مبلغ مندرج در رديف جاري مغايرت دارد.";
        QCOMPARE(shownMessages(), reported ? QStringList {mismatch} : QStringList());
    }

    // A first check lights rows 3 and 5; then the next click.
    void nextClick_data()
    {
        QTest::addColumn<QString>("next");
        QTest::addColumn<bool>("cleared");
        QTest::newRow("another row clears the marks") << "row 1" << true;
        QTest::newRow("an excluded row keeps them") << "row 4" << false;
        QTest::newRow("outside assignment control keeps them") << "not an assignment account" << false;
        QTest::newRow("a row beyond the grid keeps them") << "row 7" << false;
        QTest::newRow("the header row keeps them") << "row 0" << false;
        QTest::newRow("an emptied grid is left alone") << "empty grid" << false;
    }
    void nextClick()
    {
        QFETCH(QString, next);
        QFETCH(bool, cleared);
        openBook({"303, 103, 2, 303, 102, 1, 1000", "501, 77, null, 303, 102, 1, 2500"});
        clickRow(2);
        QCOMPARE(litRows(), (QList<int> {3, 5}));
        StatementLog log;
        if (next == QLatin1String("not an assignment account")) {
            window()->IsAssignmentAccount = false;
            clickRow(1);
        } else if (next == QLatin1String("empty grid")) {
            grid()->setRows(1);
            window()->flxAccount_Click();
            window()->CheckRowAssignment(1);
            QCOMPARE(linkQueries(log), QStringList());
            QCOMPARE(grid()->Rows(), 1);
            return;
        } else {
            window()->CheckRowAssignment(next.mid(4).toInt());
        }
        QCOMPARE(linkQueries(log).size(), cleared ? 1 : 0);
        QCOMPARE(litRows(), cleared ? QList<int>() : (QList<int> {3, 5}));
        QCOMPARE(column(AssignmentCheck).join(QString()), cleared ? QString() : QStringLiteral("1,0002,500"));
        if (cleared) {
            for (int r = 1; r < grid()->Rows(); ++r)
                QCOMPARE(grid()->cellBackColorAt(r, Debit),
                         r % 2 ? LedgerGridColors::OddRowBack : LedgerGridColors::EvenRowBack);
        }
    }

    // The draft-inclusive ledger keeps no colour in column 30: the reset keeps
    // each row's background and gives a lit row the colour of its position.
    void resetWithoutKeptColours()
    {
        openBook({"303, 103, 2, 303, 102, 1, 1000", "501, 77, null, 303, 102, 1, 2500"});
        for (int r = 1; r < grid()->Rows(); ++r)
            grid()->setTextMatrix(r, RowColor, QString());
        PaintScratchRowBackgrounds(*grid());
        grid()->setRedraw(true);
        PaintRow(*grid(), 6, 0x00FF00);
        clickRow(2);
        QCOMPARE(litRows(), (QList<int> {3, 5}));
        clickRow(1);
        QVERIFY(ScriptedMessages::shown().isEmpty());
        using namespace LedgerGridColors;
        const QList<quint32> expected {OddRowBack, EvenRowBack, OddRowBack, EvenRowBack, OddRowBack, 0x00FF00};
        for (int r = 1; r < grid()->Rows(); ++r)
            QCOMPARE(grid()->cellBackColorAt(r, AssignmentState), expected.at(r - 1));
    }

    void headerSort_data()
    {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<int>("shownColumn");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("codes");
        const QStringList dates {"1403/05/25", "1403/03/21", "1403/03/12", "1403/02/16", "1403/01/22", "1403/01/01"};
        QTest::newRow("date, first click descending")
            << QList<int> {FarsiDocumentDate} << int(FarsiDocumentDate) << dates
            << QStringList {"6", "7", "4", "3", "2", "1"};
        QTest::newRow("credit descending, separators kept")
            << QList<int> {Credit} << int(Credit) << QStringList {"1,234,567.25", "1,000", "0", "0", "0", "0"}
            << QStringList {"7", "3", "1", "2", "4", "6"};
        QTest::newRow("credit twice, ascending")
            << QList<int> {Credit, Credit} << int(Credit) << QStringList {"0", "0", "0", "0", "1,000", "1,234,567.25"}
            << QStringList {"1", "2", "4", "6", "3", "7"};
        // The flag is shared: the second column's first click sorts ascending.
        QTest::newRow("date, then debit ascending")
            << QList<int> {FarsiDocumentDate, Debit} << int(Debit) << QStringList {"0", "0", "100", "250", "300", "500"}
            << QStringList {"7", "3", "6", "4", "2", "1"};
        // An empty balance cell is rewritten as 0 for the sort.
        QTest::newRow("debit balance descending") << QList<int> {DebitBalance} << int(DebitBalance)
                                                  << QStringList {"800", "500", "50", "0", "0", "0"}
                                                  << QStringList {"2", "1", "4", "3", "7", "6"};
        QTest::newRow("description, text order") << QList<int> {Description, Description} << int(AccTransCode)
                                                 << QStringList {"1", "3", "7", "6", "4", "2"}
                                                 << QStringList {"1", "3", "7", "6", "4", "2"};
    }
    void headerSort()
    {
        QFETCH(QList<int>, clicks);
        QFETCH(int, shownColumn);
        openBook({});
        window()->IsAssignmentAccount = false;
        for (int col : clicks)
            clickHeader(col);
        QTEST(column(shownColumn), "shown");
        QTEST(column(AccTransCode), "codes");
        QVERIFY(ScriptedMessages::shown().isEmpty());
    }
};

int RunAssignmentCheckTests(int argc, char **argv)
{
    TestAssignmentCheck tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "test_assignment_check.moc"
