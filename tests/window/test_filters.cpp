// The ledger window's filters over the small stand-in book: what start-up
// reads from the user and the system parameters, the account and class
// changes, the assignment-account test, the rebuild, a period without its
// row, and the up-to-today totals in due-date order.

#include "LedgerFixture.h"
#include "outside/controls/VelkoDate.h"
#include "outside/controls/VelkoSelector.h"
#include "outside/controls/comAccountPicker.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>

namespace {

const QStringList AllCodesOf1403 {"1", "2", "3", "4", "6"};
const QString Absent = QStringLiteral("absent");
const QString ClassLookup = QStringLiteral("Select * from tblAccountClass where ID=");

// Object 1 of class 7 (persons) together with its child persons.
const QString Object1OfClass7 =
    QStringLiteral(" and exists (select * from vwAccountNonPreDocumnetObjects Where vwAccountDocumentDetail.DocumentID=DocumentID "
                   "and vwAccountDocumentDetail.RowNumber=RowNumber and ClassID=7 and ObjectID in (Select 1 union "
                   "select x.ChildID from vwPersonMinor x where x.ID=1))");

QString assignmentAccountQuery(int account)
{
    return QStringLiteral("Select * from tblAccount Where ID=%1 and ID in (Select x.ID from dbo.fnVelkoStringToTable("
                          "(select a.Value from tblVelkoSystemParameters a where a.ID=4)) x)").arg(account);
}

// Each class's name and its views of objects, major and minor. The fixture
// has class 7 (persons); 8 lists persons too, the others list their objects
// from views of their own.
const QMap<int, QStringList> Classes {
    {7, {"اشخاص", "vwPersonMajor", "vwPersonMinor"}},
    {8, {"مشتريان ويژه", "vwPersonMajor", "vwPersonMinor"}},
    {9, {"مراكز هزينه", "vwPositionMajor", "vwPositionMinor"}},
    {10, {"پروژه ها", "vwAccountContractProjectMajor", "vwAccountContractProjectMinor"}},
    {11, {"گروه كالا", "vwGoodGroupMajor", "vwGoodGroupMinor"}},
    {12, {"شعب", "vwAccountBranchMajor", "vwAccountBranchMinor"}},
};
QString className(int classId) { return Classes.value(classId).value(0); }
QString classViewMajor(int classId) { return Classes.value(classId).value(1); }

} // namespace

class TestFilters : public QObject, private LedgerWindowTest
{
    Q_OBJECT


    // The classes beyond the fixture's class 7.
    void addClasses()
    {
        QStringList rows;
        for (auto c = Classes.cbegin(); c != Classes.cend(); ++c)
            if (c.key() != 7)
                rows << QStringLiteral("(%1, '%1', '%2')").arg(c.key()).arg(c.value().join("', '"));
        db->exec({"insert into tblAccountClass(ID, Code, Name, ViewMajor, ViewMinor) values " + rows.join(", ")});
    }

    // The account's related classes into the class filters, then object 1
    // chosen beside class 1 (persons).
    void chooseObject1()
    {
        window()->sltAccount_Change();
        QCOMPARE(window()->sltClass[1]->SelectedID(), 7);
        window()->sltObject[1]->setSelectedID(1);
        QCOMPARE(window()->sltObject[1]->SelectedID(), 1);
    }

private slots:
    void init() { setUpWindowTest(); }
    void cleanup() { tearDownWindowTest(); }

    // The user's own branch is shown and fixed; the ledger keeps to it.
    void branchOfTheUser_data()
    {
        QTest::addColumn<int>("user");
        QTest::addColumn<int>("branch"); // 0: the selector stays empty and free
        QTest::addColumn<QStringList>("codes");
        QTest::newRow("user of branch 2 sees it locked") << 4 << 2 << QStringList {"2"};
        QTest::newRow("user without a branch chooses freely") << 1 << 0 << AllCodesOf1403;
        QTest::newRow("branch the selector does not list stays free") << 5 << 0 << AllCodesOf1403;
    }
    void branchOfTheUser()
    {
        QFETCH(int, user);
        QFETCH(int, branch);
        db->exec({"insert into tblUser(ID, Name, BranchID, CurrentPeriodID) values (5, 'كاربر شعبه حذف شده', 99, 2)",
                  "insert into tblUserPermission(UserID, PermissionID) values (5, 315)"});
        open(user);
        VelkoSelector *selector = window()->sltBranch;
        QCOMPARE(selector->SelectedID(), branch);
        QCOMPARE(selector->IsEmpty(), branch == 0);
        QCOMPARE(selector->isEnabled(), branch == 0);
        if (branch == 2)
            QCOMPARE(selector->DisplayText(), QStringLiteral("02 - شعبه شمال"));
        QTEST(codes(), "codes");
    }

    // Parameter 306 picks the number column the grid shows; parameter 311
    // switches the analytic filters on only with the value 1.
    void startUpParameters_data()
    {
        QTest::addColumn<QString>("value306");
        QTest::addColumn<QString>("value311");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("objects");
        QTest::newRow("311 = 0 switches the filters off") << "1" << "0" << 1 << false;
        QTest::newRow("311 absent switches the filters off") << "1" << Absent << 1 << false;
        QTest::newRow("311 = 2 is not 1") << "1" << "2" << 1 << false;
        QTest::newRow("306 = 2 shows the system number") << "2" << "1" << 2 << true;
        QTest::newRow("306 absent gives mode 1") << Absent << "1" << 1 << true;
        QTest::newRow("306 = 3 shows the document code") << "3" << "1" << 3 << true;
    }
    void startUpParameters()
    {
        QFETCH(QString, value306);
        QFETCH(QString, value311);
        QFETCH(int, mode);
        QFETCH(bool, objects);
        QStringList statements {"delete from tblVelkoSystemParameters where ID in (306, 311)"};
        if (value306 != Absent)
            statements << QStringLiteral("insert into tblVelkoSystemParameters(ID, Value) values (306, '%1')").arg(value306);
        if (value311 != Absent)
            statements << QStringLiteral("insert into tblVelkoSystemParameters(ID, Value) values (311, '%1')").arg(value311);
        db->exec(statements);
        open();

        QCOMPARE(int(Session.DocumentNumberMode), mode);
        QCOMPARE(Session.ObjectsEnabled, objects);
        QCOMPARE(window()->gbObjects->isEnabled(), objects);
        // Mode 2 shows the system document number in place of the document code.
        const bool systemNumber = mode == 2;
        QCOMPARE(grid()->ColWidth(AccTransCode), systemNumber ? 0 : 600);
        QCOMPARE(grid()->ColWidth(DocumentID), systemNumber ? 600 : 0);
        QCOMPARE(grid()->TextMatrix(0, DocumentID), systemNumber ? QStringLiteral("شماره سند") : QStringLiteral("شماره سيستمي"));
        QCOMPARE(grid()->TextMatrix(1, DocumentID), QStringLiteral("101"));

        // With the filters off an object chosen by code narrows nothing.
        chooseObject1();
        StatementLog log;
        window()->cmdReset->click();
        QVERIFY(ScriptedMessages::shown().isEmpty());
        QCOMPARE(log.startingWith("Select AccTransCode").first().contains(Object1OfClass7), objects);
        QCOMPARE(codes(), objects ? QStringList({"2", "4"}) : AllCodesOf1403);
    }

    void assignmentAccount_data()
    {
        QTest::addColumn<bool>("listKept"); // false: parameter 4 is missing
        QTest::addColumn<int>("account");
        QTest::addColumn<int>("classId");
        QTest::addColumn<int>("objectId");
        QTest::addColumn<bool>("expected");
        QTest::newRow("listed account, class 7, an object") << true << 2 << 7 << 1 << true;
        QTest::newRow("last listed account") << true << 4 << 7 << 2 << true;
        QTest::newRow("another class") << true << 2 << 8 << 1 << false;
        QTest::newRow("no object") << true << 2 << 7 << 0 << false;
        QTest::newRow("negative object") << true << 2 << 7 << -1 << false;
        QTest::newRow("account not listed") << true << 3 << 7 << 1 << false;
        QTest::newRow("unknown account") << true << 999 << 7 << 1 << false;
        QTest::newRow("no list of assignment accounts") << false << 2 << 7 << 1 << false;
    }
    void assignmentAccount()
    {
        QFETCH(bool, listKept);
        QFETCH(int, account);
        QFETCH(int, classId);
        QFETCH(int, objectId);
        if (!listKept)
            db->exec({"delete from tblVelkoSystemParameters where ID=4"});
        open();
        StatementLog log;
        QTEST(window()->CheckAssignmentAccount(account, classId, objectId), "expected");
        QCOMPARE(log.windowTexts(), QStringList {assignmentAccountQuery(account)});
    }

    // A class listed from the same view keeps the chosen object; another
    // view, an emptied class or a class without its row clears it.
    void classChangeKeepsOrClearsTheObject_data()
    {
        QTest::addColumn<int>("pair");
        QTest::addColumn<int>("newClass"); // 0: the class is cleared
        QTest::addColumn<bool>("classRowRemoved");
        QTest::addColumn<bool>("objectKept");
        QTest::addColumn<bool>("objectEnabled");
        QTest::addColumn<QString>("viewMajor");
        QTest::newRow("same view keeps the object") << 1 << 8 << false << true << true << "vwPersonMajor";
        QTest::newRow("another view clears the object") << 1 << 9 << false << false << true << "vwPositionMajor";
        QTest::newRow("emptied class clears and disables") << 1 << 0 << false << false << false << "vwPersonMajor";
        QTest::newRow("class without its row clears and disables") << 1 << 8 << true << false << false << "vwPersonMajor";
        QTest::newRow("pair 2, same view") << 2 << 8 << false << true << true << "vwPersonMajor";
        QTest::newRow("pair 3, another view") << 3 << 10 << false << false << true << "vwAccountContractProjectMajor";
        QTest::newRow("pair 4, emptied class") << 4 << 0 << false << false << false << "vwPersonMajor";
    }
    void classChangeKeepsOrClearsTheObject()
    {
        QFETCH(int, pair);
        QFETCH(int, newClass);
        QFETCH(bool, classRowRemoved);
        QFETCH(bool, objectKept);
        QFETCH(bool, objectEnabled);
        QFETCH(QString, viewMajor);
        addClasses();
        open();
        frmAccountDetails *w = window();
        w->sltAccount_Change(); // class 1 is the account's class 7
        if (pair != 1)
            w->sltClass[pair]->setSelectedID(7);
        w->sltObject[pair]->setSelectedID(1);
        QCOMPARE(w->sltObject[pair]->SelectedID(), 1);
        if (classRowRemoved) // the selector still lists it
            db->exec({QStringLiteral("delete from tblAccountClass where ID=%1").arg(newClass)});

        StatementLog log;
        if (newClass == 0)
            w->sltClass[pair]->Clear();
        else
            w->sltClass[pair]->setSelectedID(newClass);

        QCOMPARE(w->sltClass[pair]->SelectedID(), newClass);
        QCOMPARE(w->sltObject[pair]->SelectedID(), objectKept ? 1 : 0);
        QCOMPARE(w->sltObject[pair]->IsEmpty(), !objectKept);
        QCOMPARE(w->sltObject[pair]->isEnabled(), objectEnabled);
        QCOMPARE(w->sltObject[pair]->ViewMajor(), viewMajor);
        if (objectEnabled)
            QCOMPARE(w->sltObject[pair]->Caption(), className(newClass));
        QVERIFY(ScriptedMessages::shown().isEmpty());
        QVERIFY(log.startingWith("Select AccTransCode").isEmpty()); // no re-read
    }

    // The account's related classes fill the four class filters in Sequence
    // order; a fifth and later class are left out, and filters the account
    // has no class for are emptied.
    void relatedClassesFillTheFourFilters_data()
    {
        QTest::addColumn<QString>("related"); // rows of tblAccountRelatedClasses for account 3
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("exactly four fill all four")
            << "(3, 9, 1), (3, 11, 2), (3, 7, 3), (3, 10, 4)" << QList<int> {9, 11, 7, 10};
        QTest::newRow("six: the first four by Sequence")
            << "(3, 12, 60), (3, 9, 20), (3, 11, 10), (3, 7, 50), (3, 10, 40), (3, 8, 30)" << QList<int> {11, 9, 8, 10};
        QTest::newRow("five: the fifth is left out")
            << "(3, 7, 5), (3, 8, 4), (3, 9, 3), (3, 10, 2), (3, 11, 1)" << QList<int> {11, 10, 9, 8};
        QTest::newRow("two empty filters 3 and 4") << "(3, 9, 2), (3, 11, 1)" << QList<int> {11, 9, 0, 0};
        QTest::newRow("none empties all four") << "" << QList<int> {0, 0, 0, 0};
    }
    void relatedClassesFillTheFourFilters()
    {
        QFETCH(QString, related);
        QFETCH(QList<int>, expected);
        addClasses();
        if (!related.isEmpty())
            db->exec({"insert into tblAccountRelatedClasses(AccountID, ClassID, Sequence) values " + related});
        open();
        frmAccountDetails *w = window();
        for (int n = 1; n <= 4; ++n) // chosen by hand before the account changes
            w->sltClass[n]->setSelectedID(12);

        StatementLog log;
        w->sltAccount->setAccountID(3);

        int filled = 0;
        for (int n = 1; n <= 4; ++n) {
            const int classId = expected.at(n - 1);
            QCOMPARE(w->sltClass[n]->SelectedID(), classId);
            QCOMPARE(w->sltClass[n]->IsEmpty(), classId == 0);
            if (classId == 0)
                continue;
            ++filled;
            QCOMPARE(w->sltObject[n]->ViewMajor(), classViewMajor(classId));
            QCOMPARE(w->sltObject[n]->Caption(), className(classId));
            QVERIFY(w->sltObject[n]->isEnabled());
        }
        // Only the classes that fill a filter are looked up.
        QCOMPARE(log.startingWith(ClassLookup).size(), filled);
        QVERIFY(ScriptedMessages::shown().isEmpty());
    }

    // An account without its tblAccount row: the view options go back to
    // "without condition", the class filters and the limits stay, the ledger
    // is still read for that ID and its title is still asked for.
    void accountWithoutRecord_data()
    {
        QTest::addColumn<int>("account");
        QTest::addColumn<QStringList>("codes");
        QTest::newRow("nothing chosen in the picker") << 0 << QStringList {};
        QTest::newRow("account gone from the chart") << 3 << QStringList {"2", "3"};
    }
    void accountWithoutRecord()
    {
        QFETCH(int, account);
        addClasses();
        // Were its record there, account 3 would fill class 1 with class 8.
        db->exec({"insert into tblAccountRelatedClasses(AccountID, ClassID, Sequence) values (3, 8, 1)"});
        open();
        frmAccountDetails *w = window();
        w->sltAccount_Change(); // class 1 is account 2's class 7
        if (account == 0) {
            w->sltAccount->Clear();
        } else {
            db->exec({"delete from tblAccount where ID=3"}); // the picker still lists it
            w->sltAccount->setAccountID(3);
        }
        QCOMPARE(w->sltAccount->AccountID(), account);
        w->menuItem(QStringLiteral("mnuwithOutQuery"))->setChecked(false);
        w->menuItem(QStringLiteral("mnuWithFormBalance"))->setChecked(true);
        Session.RowCondition = QStringLiteral(" And IsChecked = 1");

        StatementLog log;
        w->cmdReset->click(); // class 1 is chosen, so the rebuild goes on
        QVERIFY(ScriptedMessages::shown().isEmpty());
        QVERIFY(w->menuItem(QStringLiteral("mnuwithOutQuery"))->isChecked());
        QVERIFY(!w->menuItem(QStringLiteral("mnuWithFormBalance"))->isChecked());
        QCOMPARE(Session.RowCondition, QString());
        QVERIFY(log.windowTexts().contains(QStringLiteral("Select * From tblAccount Where ID=%1").arg(account)));
        QVERIFY(log.startingWith("Select ClassID from tblAccountRelatedClasses").isEmpty());
        QCOMPARE(w->sltClass[1]->SelectedID(), 7);
        QVERIFY(w->sltClass[2]->IsEmpty());
        QCOMPARE(w->MaxDebit, Currency::fromUnits(1000)); // account 2's limit stays
        const QStringList ledger = log.startingWith("Select AccTransCode");
        QCOMPARE(ledger.size(), 1);
        QVERIFY(ledger.first().contains(QStringLiteral(" Where AccountID = %1 ").arg(account)));
        QVERIFY(!ledger.first().contains("IsChecked = 1"));
        QTEST(codes(), "codes");
        QCOMPARE(log.startingWith("{? = CALL spAccountGetCode_Title").size(), 1);
        for (const TracedStatement &s : log.all())
            if (s.text.startsWith("{? = CALL spAccountGetCode_Title"))
                QCOMPARE(s.parameters.value(0).toInt(), account);
        QCOMPARE(w->AccountTitle, QString());
    }

    // The rebuild always refreshes the related forms; it goes on to the
    // ledger only when an account, class 1 or object 1 is chosen.
    void rebuildGoesOnOnlyWithAChoice_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<bool>("goesOn");
        QTest::newRow("nothing chosen") << "nothing" << false;
        QTest::newRow("an account") << "account" << true;
        QTest::newRow("class 1 alone") << "class" << true;
    }
    void rebuildGoesOnOnlyWithAChoice()
    {
        QFETCH(QString, chosen);
        QFETCH(bool, goesOn);
        signIn(*control);
        control->ClearShow();
        frmAccountDetails *w = window();
        if (chosen == QLatin1String("account"))
            w->sltAccount->setAccountID(3);
        else if (chosen == QLatin1String("class"))
            w->sltClass[1]->setSelectedID(7);
        w->summaryField(QStringLiteral("txtSumDebit"))->setText(QStringLiteral("123"));
        w->IsAssignmentAccount = true;
        const qint16 flagBefore = Session.RequeryFlag;

        StatementLog log;
        w->cmdReset->click();
        const QStringList texts = log.windowTexts();
        QVERIFY(texts.first().startsWith("Update tblVelkoRelatedForms Set AssignedValue = CASE"));
        QCOMPARE(FixtureValue(*db, "select AssignedValue from tblVelkoRelatedForms where ID=1").toInt(), 300);
        QVERIFY(ScriptedMessages::shown().isEmpty());
        if (!goesOn) {
            QCOMPARE(texts.size(), 1);
            QCOMPARE(field("txtSumDebit"), QStringLiteral("123"));
            QVERIFY(w->IsAssignmentAccount);
            QCOMPARE(Session.RequeryFlag, flagBefore);
            return;
        }
        const int account = chosen == QLatin1String("account") ? 3 : 0;
        QCOMPARE(texts.at(1), assignmentAccountQuery(account));
        QVERIFY(!w->IsAssignmentAccount);
        QCOMPARE(log.startingWith("Select AccTransCode").size(), 1);
        QCOMPARE(Session.RequeryFlag, qint16(-1));
        QCOMPARE(codes(), account == 3 ? QStringList({"2", "3"}) : QStringList());
    }

    // Account 2 with class 7 and object 1: an assignment account, and every
    // ledger statement carries the object with its children. The object
    // survives the account change the rebuild runs.
    void rebuildWithAccountAndObject()
    {
        open();
        chooseObject1();
        StatementLog log;
        window()->cmdReset->click();
        QVERIFY(ScriptedMessages::shown().isEmpty());
        QVERIFY(log.windowTexts().contains(assignmentAccountQuery(2)));
        QVERIFY(window()->IsAssignmentAccount);
        QCOMPARE(window()->sltObject[1]->SelectedID(), 1);
        for (const char *prefix : {"Select Sum(Debit-Credit)", "Select AccTransCode", "Select Sum(Debit) As SumDebit"}) {
            const QStringList sent = log.startingWith(QLatin1String(prefix));
            QCOMPARE(sent.size(), 1);
            QVERIFY2(sent.first().contains(" and DocumentID <> -1 " + Object1OfClass7), prefix);
        }
        // Doc 102 names person 2, a child of person 1; doc 104 names person 1.
        QCOMPARE(codes(), (QStringList {"2", "4"}));
        QCOMPARE(field("txtSumDebit"), QStringLiteral("550"));
    }

    // A period ID without its row leaves the period's dates as they were;
    // the condition is rebuilt from them and the ledger still opens.
    void periodWithoutRow_data()
    {
        QTest::addColumn<QString>("route");
        QTest::addColumn<QString>("lookup"); // the period statement that finds nothing
        QTest::addColumn<int>("lookups");    // how often it is sent
        QTest::newRow("deleted period chosen from the menu")
            << "menu" << "Select * From tblAccountPeriod Where ID =3" << 1;
        // Clearing the switch looks the period up again.
        QTest::newRow("multi-period switch ticked and cleared")
            << "switch" << "Select * From tblAccountPeriod Where ID =3" << 2;
        QTest::newRow("rebuild with an emptied condition")
            << "rebuild" << "Select * From tblAccountPeriod Where IsActive=1 and ID =9" << 1;
    }
    void periodWithoutRow()
    {
        QFETCH(QString, route);
        QFETCH(QString, lookup);
        QFETCH(int, lookups);
        open();
        frmAccountDetails *w = window();
        StatementLog log;
        if (route == QLatin1String("rebuild")) {
            // As after the switch was cleared while an edit was kept open.
            Session.PeriodID = 9;
            Session.PeriodCondition.clear();
        } else {
            db->exec({"delete from tblAccountPeriod where ID=3"});
            w->mnuPeriodSpec[0]->trigger(); // 1404, built before its row went
            QCOMPARE(Session.PeriodID, qint16(3));
            QCOMPARE(w->dtpFromDate->Value(), QDate(2024, 3, 20));
            QCOMPARE(w->dtpToDate->Value(), QDate(2025, 3, 20));
            if (route == QLatin1String("switch")) {
                w->chkCombinPeriod->click();
                QCOMPARE(Session.PeriodCondition, QString());
                w->chkCombinPeriod->click();
            }
        }
        w->cmdReset->click();
        QCOMPARE(log.windowTexts().count(lookup), lookups);
        QCOMPARE(Session.PeriodBeginDate, QDate(2024, 3, 20));
        QCOMPARE(Session.PeriodEndDate, QDate(2025, 3, 20));
        QCOMPARE(Session.PeriodCondition, PeriodOf1403);
        QVERIFY(ScriptedMessages::shown().isEmpty());
        QCOMPARE(codes(), AllCodesOf1403);
    }

    // In due-date order the window reads the up-to-today totals of the
    // account itself (not of its children) up to today, without separators;
    // the grid's own up-to-today balance covers every listed row.
    void upToTodayTotals_data()
    {
        QTest::addColumn<int>("account");
        QTest::addColumn<bool>("object1");
        QTest::addColumn<bool>("byDueDate");
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<QString>("upToNowDebit");
        QTest::addColumn<QString>("upToNowCredit");
        QTest::addColumn<QString>("upToNowAllDebit");
        QTest::addColumn<QString>("statement"); // "" when none is sent
        // Account 1's own rows: 4000 due by today, 1500 due after it.
        QTest::newRow("parent account by due date")
            << 1 << false << true << QStringList {"1", "2", "2", "3", "3", "4", "7", "7", "6", "7"} << "4000" << "0"
            << "2,250"
            << "Select Sum(DebitValue) As SumDebit,Sum(CreditValue) As SumCredit from vwAccountNonPreDocumentDetail "
               "Where AccountID = 1 And TransactionDate <= '2024-07-01' and DocumentID <> -1 ";
        QTest::newRow("parent account by document date")
            << 1 << false << false << QStringList {"1", "2", "2", "3", "3", "4", "7", "7", "7", "6"} << "" << ""
            << "2,250" << "";
        // Object 1 with its child 2: 300 (doc 102) and 250 (doc 104).
        QTest::newRow("account with object 1 by due date")
            << 2 << true << true << QStringList {"2", "4"} << "550" << "0" << "550"
            << "Select Sum(DebitValue) As SumDebit,Sum(CreditValue) As SumCredit from vwAccountNonPreDocumentDetail "
               "Where AccountID = 2 And TransactionDate <= '2024-07-01' and DocumentID <> -1 "
               + QString(Object1OfClass7).replace("vwAccountDocumentDetail.", "vwAccountNonPreDocumentDetail.");
    }
    void upToTodayTotals()
    {
        QFETCH(int, account);
        QFETCH(bool, object1);
        QFETCH(bool, byDueDate);
        QFETCH(QString, statement);
        // Doc 107 (1403/03/21) posts to the parent account itself.
        db->exec({"insert into tblAccountDocument(ID, Code, DocumentDate, FarsiDocumentDate, BranchID, IsFinalized, "
                  "IsScratch, DocumentTypeID) values (107, 7, '2024-06-10', '1403/03/21', 1, 0, 0, 1)",
                  "insert into tblAccountDocumentDetail(DocumentID, RowNumber, AccountID, DebitValue, CreditValue, "
                  "Description, TransactionDate, FarsiTransactionDate, DocumentTypeID, IsChecked, IsAssignmentExcluded) "
                  "values (107, 1, 1, 4000, 0, 'سرفصل', '2024-06-10', '1403/03/21', 1, 0, 0), "
                  "(107, 2, 1, 0, 1500, 'سرفصل', '2024-09-01', '1403/06/11', 1, 0, 0), "
                  "(107, 3, 3, 0, 2500, 'سرفصل', '2024-06-10', '1403/03/21', 1, 0, 0)"});
        open(1, account);
        if (object1)
            chooseObject1();
        if (byDueDate) {
            window()->menuItem(QStringLiteral("mnuSortDocumentDate"))->setChecked(false);
            window()->menuItem(QStringLiteral("mnuSortTransactionDate"))->setChecked(true);
        }
        StatementLog log;
        window()->cmdReset->click();

        QVERIFY(ScriptedMessages::shown().isEmpty());
        QTEST(codes(), "codes");
        QCOMPARE(grid()->ColWidth(FarsiTransactionDate) > 0, byDueDate);
        QTEST(field("txtUpToNowDebit"), "upToNowDebit");
        QTEST(field("txtUpToNowCredit"), "upToNowCredit");
        QTEST(field("txtUpToNowAllDebit"), "upToNowAllDebit");
        QCOMPARE(field("txtUpToNowAllCredit"), QStringLiteral("      "));
        const QStringList sent = log.startingWith("Select Sum(DebitValue)");
        QCOMPARE(sent, statement.isEmpty() ? QStringList() : QStringList(statement));
    }
};

int RunFilterTests(int argc, char **argv)
{
    TestFilters test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_filters.moc"
