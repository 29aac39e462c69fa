// Opening with analytic pairs: the draft-inclusive ledger, exact objects,
// no branch narrowing, and the permission asked after the window is ready.

#include "LedgerFixture.h"
#include "control/comAccountDetail1.h"
#include "ledger_window/frmAccountDetails.h"
#include "ledger_window/ledger/LedgerColumns.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/VelkoSelector.h"
#include "session/Messages.h"

using namespace LedgerCol;

class TestScratchOpening : public QObject, private LedgerWindowTest
{
    Q_OBJECT

private slots:
    void init() { setUpWindowTest(); }
    void cleanup() { tearDownWindowTest(); }

    void draftInclusiveLedger_data()
    {
        QTest::addColumn<int>("user");
        QTest::addColumn<QList<int>>("pairs"); // ClassID1, ObjectID1, ... ClassID3, ObjectID3
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<QString>("sumDebit");
        const QList<int> none {-1, -1, -1, -1, -1, -1};
        // The draft (code 5) is listed and counted; the ordinary ledger never lists it.
        QTest::newRow("no pairs") << 1 << none << QStringList {"1", "2", "3", "4", "5", "6"} << "2,149";
        QTest::newRow("class without object") << 1 << QList<int> {7, -1, -1, -1, -1, -1}
                                              << QStringList {"1", "2", "3", "4", "5", "6"} << "2,149";
        // Object 1 exactly: the row tagged with its child (document 102) stays out.
        QTest::newRow("exact object") << 1 << QList<int> {7, 1, -1, -1, -1, -1} << QStringList {"4"} << "250";
        QTest::newRow("unknown class and object") << 1 << QList<int> {99999, 2147483647, -1, -1, -1, -1}
                                                  << QStringList {"1", "2", "3", "4", "5", "6"} << "2,149";
        // A user whose branch is fixed still sees every branch here.
        QTest::newRow("branch not narrowed") << 4 << none << QStringList {"1", "2", "3", "4", "5", "6"} << "2,149";
    }
    void draftInclusiveLedger()
    {
        QFETCH(int, user);
        QFETCH(QList<int>, pairs);
        signIn(*control, user);
        StatementLog log;
        control->ViewByDetails(2, pairs[0], pairs[1], pairs[2], pairs[3], pairs[4], pairs[5]);
        QVERIFY2(ScriptedMessages::shown().isEmpty(), qPrintable(ScriptedMessages::shown().value(0).message));
        QTEST(column(AccTransCode), "codes");
        QTEST(field("txtSumDebit"), "sumDebit");
        const QStringList main = log.startingWith("Select AccTransCode");
        QCOMPARE(main.size(), 1);
        QVERIFY(main.first().contains(" from vwAccountDocumentDetailWithScratch Where AccountID = 2"));
        QVERIFY(!main.first().contains("BranchID"));
        QCOMPARE(main.first().contains("ClassID=7 and ObjectID=1)"), pairs[1] == 1);
        QVERIFY(log.startingWith("Select Sum(Debit-Credit)  As Remained from vwAccountDocumentDetailWithScratch Where AccountID = 2").size() == 1);
        QVERIFY(log.startingWith("Select Sum(Debit) As SumDebit,Sum(Credit) As SumCredit from vwAccountDocumentDetailWithScratch Where AccountID = 2").size() == 1);
        // No copy of the row colours is kept after this load.
        QCOMPARE(cell(1, RowColor), QString());
        // The pairs the host fixed show in the window; -1 leaves a pair empty.
        QCOMPARE(window()->sltClass[1]->IsEmpty(), pairs[0] == -1 || pairs[1] == -1 || pairs[0] == 99999);
    }

    void refusalComesAfterStartUp()
    {
        signIn(*control, 3);
        StatementLog log;
        control->ViewByDetails(2, 7, 1, -1, -1, -1, -1);
        QCOMPARE(ScriptedMessages::shown().size(), 1);
        QCOMPARE(ScriptedMessages::shown().first().message, NotPermittedMessage);
        // Start-up and the class of pair 1 were read; the ledger was not.
        QVERIFY(!log.startingWith("Select * From vwVelkoBasePath").isEmpty());
        QVERIFY(!log.startingWith("Select * from tblAccountClass where ID=7").isEmpty());
        QVERIFY(log.startingWith("Select AccTransCode").isEmpty());
        QVERIFY(!control->LedgerWindow());
    }
};

int RunScratchOpeningTests(int argc, char **argv)
{
    TestScratchOpening test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_scratch_opening.moc"
