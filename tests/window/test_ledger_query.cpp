// The SQL texts of the ledger load, built from filters without a window.

#include "ledger_window/ledger/LedgerQuery.h"

#include <QTest>

namespace {

const QString kSelect = QStringLiteral(
    "Select AccTransCode,DocumentID,FarsiDocumentDate,FarsiTransactionDate,Description,Debit,Credit,Debit,Credit,"
    "AccDocumentType,AdditionalFormSpec,DocumentDate,TransactionDate,DocumentTypeID,ContractID,AccContract,"
    "AccTransDescription,RowNumber,IsFinalized,IsChecked,AccountCode,FormID,FormTypeID,FormType,FileName "
    ", dbo.fnAccountDocumentDetailAssignedValue(DocumentID,RowNumber,0) as AssignedDebitValue "
    ", dbo.fnAccountDocumentDetailAssignedValue(DocumentID,RowNumber,1) as AssignedCreditValue, null as "
    "RemNotAssignedDebitValue, null as RemNotAssignedCreditValue, null, null, CASE WHEN IsAssignmentExcluded=1 "
    "THEN 'خارج از تخصيص' ELSE '' END ");
const QString kPeriod = QStringLiteral(" and ( DocumentDate >='2024-03-20' And DocumentDate <= '2025-03-20')");

LedgerFilter baseFilter(qint32 account)
{
    LedgerFilter filter;
    filter.accountId = account;
    filter.periodCondition = kPeriod;
    filter.today = QStringLiteral("2024-07-01");
    return filter;
}

} // namespace

class TestLedgerQuery : public QObject
{
    Q_OBJECT

private slots:
    void mainQueryOfLeafAccountWithDates()
    {
        LedgerFilter filter = baseFilter(2);
        filter.fromDate = QStringLiteral("2024-03-20");
        filter.toDate = QStringLiteral("2025-03-20");
        const LedgerConditions c = BuildLedgerConditions(filter);
        QCOMPARE(MainLedgerQuery(filter, c, true),
                 kSelect + " from vwAccountDocumentDetail Where AccountID = 2"
                           " And DocumentDate >= '2024-03-20' And DocumentDate <= '2025-03-20' " + kPeriod
                     + " and DocumentID <> -1  Order By DocumentDate,AccTransCode,DocumentID,rownumber");
        QCOMPARE(BalanceBroughtForwardQuery(filter, c, true),
                 "Select Sum(Debit-Credit)  As Remained from vwAccountDocumentDetail Where AccountID = 2"
                 " And DocumentDate < '2024-03-20' " + kPeriod + " and DocumentID <> -1 ");
        QCOMPARE(PeriodTotalsQuery(filter, c, true),
                 "Select Sum(Debit) As SumDebit,Sum(Credit) As SumCredit from vwAccountDocumentDetail Where AccountID = 2"
                 " And DocumentDate >= '2024-03-20' And DocumentDate <= '2025-03-20' " + kPeriod + " and DocumentID <> -1 ");
    }

    void queriesOfParentAccount()
    {
        LedgerFilter filter = baseFilter(1);
        filter.sortByDocumentDate = false;
        filter.rowCondition = QStringLiteral(" And IsChecked = 0");
        filter.excludeOpeningDocument = true;
        const LedgerConditions c = BuildLedgerConditions(filter);
        QCOMPARE(MainLedgerQuery(filter, c, false),
                 kSelect + " from vwAccountDocumentDetail Where AccountID in (Select ChildID from tblAccountParent Where ID=1) "
                           " And IsChecked = 0" + kPeriod + " And DocumentTypeID <>100 and DocumentID <> -1 "
                           " Order By TransactionDate,AccTransCode,DocumentID,rownumber");
        QCOMPARE(BalanceBroughtForwardQuery(filter, c, false),
                 "Select Sum(Debit-Credit) As Remained from vwAccountDocumentDetail Where AccountID in "
                 "(Select ChildID from tblAccountParent Where ID=1)  And IsChecked = 0" + kPeriod
                     + " And DocumentTypeID <>100 and DocumentID <> -1 ");
        // Up to today takes the account itself and none of the other conditions.
        QCOMPARE(UpToTodayTotalsQuery(filter, c),
                 QStringLiteral("Select Sum(DebitValue) As SumDebit,Sum(CreditValue) As SumCredit from "
                                "vwAccountNonPreDocumentDetail Where AccountID = 1 And TransactionDate <= '2024-07-01'"
                                " and DocumentID <> -1 "));
    }

    void conditions_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("codeFrom");
        QTest::addColumn<QString>("codeTo");
        QTest::addColumn<QString>("dateRange");
        QTest::addColumn<QString>("codeRange");
        QTest::addColumn<QString>("beforeFrom");
        QTest::newRow("nothing") << "" << "" << "" << "" << "" << "" << "";
        QTest::newRow("only start date")
            << "2024-04-20" << "" << "" << "" << " And DocumentDate >= '2024-04-20' " << "" << " And DocumentDate < '2024-04-20' ";
        QTest::newRow("only end date") << "" << "2024-06-09" << "" << "" << " And DocumentDate <= '2024-06-09' " << "" << "";
        QTest::newRow("both numbers, letters after digits")
            << "" << "" << "2abc" << " 3 " << "" << " And AccTransCode >= 2 And AccTransCode <= 3" << "";
        QTest::newRow("only end number") << "" << "" << "" << "9" << "" << " And AccTransCode <= 9" << "";
        QTest::newRow("Persian and Arabic-Indic digits read as digits")
            << "" << "" << "۱۲۰" << "١٥٠" << "" << " And AccTransCode >= 120 And AccTransCode <= 150" << "";
        QTest::newRow("text without digits counts 0") << "" << "" << "abc" << "" << "" << " And AccTransCode >= 0" << "";
        QTest::newRow("quote cannot reach the statement")
            << "" << "" << "1' or 1=1 --" << "" << "" << " And AccTransCode >= 1" << "";
        QTest::newRow("huge number stays a number")
            << "" << "" << "99999999999999999999" << "" << "" << " And AccTransCode >= 1e+20" << "";
    }
    void conditions()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, codeFrom);
        QFETCH(QString, codeTo);
        LedgerFilter filter = baseFilter(2);
        filter.fromDate = from;
        filter.toDate = to;
        filter.codeFromText = codeFrom;
        filter.codeToText = codeTo;
        const LedgerConditions c = BuildLedgerConditions(filter);
        QTEST(c.dateRange, "dateRange");
        QTEST(c.codeRange, "codeRange");
        QTEST(c.beforeFromDate, "beforeFrom");
    }

    void accountMinusOneListsEveryAccount()
    {
        const LedgerConditions c = BuildLedgerConditions(baseFilter(-1));
        QCOMPARE(c.accountTest, QStringLiteral("AccountID<>-1 "));
    }

    void extraCondition_data()
    {
        QTest::addColumn<bool>("objectsEnabled");
        QTest::addColumn<bool>("branch");
        QTest::addColumn<QString>("expected");
        const QString object = QStringLiteral(
            " and exists (select * from vwAccountNonPreDocumnetObjects Where vwAccountDocumentDetail.DocumentID=DocumentID"
            " and vwAccountDocumentDetail.RowNumber=RowNumber and ClassID=7 and ObjectID in (Select 1 union select x.ChildID"
            " from vwPersonMinor x where x.ID=1))");
        const QString branch = QStringLiteral(
            " and BranchID in (Select 2 union Select x.ChildID from tblAccountBranchParent x Where x.ID=2)");
        QTest::newRow("object and branch") << true << true << " and DocumentID <> -1 " + object + branch;
        // The branch applies whatever the analytic switch says.
        QTest::newRow("objects switched off") << false << true << " and DocumentID <> -1 " + branch;
        QTest::newRow("object only") << true << false << " and DocumentID <> -1 " + object;
    }
    void extraCondition()
    {
        QFETCH(bool, objectsEnabled);
        QFETCH(bool, branch);
        LedgerFilter filter = baseFilter(2);
        filter.objectsEnabled = objectsEnabled;
        filter.pairs[1] = {false, false, 7, 1, QStringLiteral("vwPersonMinor")};
        filter.pairs[2] = {false, true, 7, 0, QStringLiteral("vwPersonMinor")}; // no object: no condition
        filter.branchChosen = branch;
        filter.branchId = 2;
        QTEST(BuildLedgerConditions(filter).extra, "expected");
    }

    void upToTodayRenamesTheDetailView()
    {
        LedgerFilter filter = baseFilter(2);
        filter.objectsEnabled = true;
        filter.pairs[0] = {false, false, 7, 1, QStringLiteral("vwPersonMinor")};
        const QString text = UpToTodayTotalsQuery(filter, BuildLedgerConditions(filter));
        QVERIFY(!text.contains(QStringLiteral("vwAccountDocumentDetail.")));
        QVERIFY(text.contains(QStringLiteral("vwAccountNonPreDocumentDetail.DocumentID=DocumentID")));
    }
};

int RunLedgerQueryTests(int argc, char **argv)
{
    TestLedgerQuery test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ledger_query.moc"
