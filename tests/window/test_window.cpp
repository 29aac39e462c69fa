// The ledger window end to end over a small stand-in database: opening,
// the ledger load, filters, periods, the rebuild and the edit panel.

#include "LedgerFixture.h"
#include "ledger_window/startup_layout/Startup.h"
#include "outside/controls/VelkoDate.h"
#include "outside/controls/VelkoSelector.h"
#include "outside/controls/comAccountPicker.h"
#include "session/DatabaseError.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

class TestWindow : public QObject, private LedgerWindowTest
{
    Q_OBJECT

private slots:
    void init() { setUpWindowTest(); }
    void cleanup() { tearDownWindowTest(); }

    void viewShowsTheLedgerWithRunningBalances()
    {
        StatementLog log;
        open();
        QVERIFY(window()->isVisible());
        QCOMPARE(window()->windowTitle(), QStringLiteral("گردش حساب مربوط به  سال مالي 1403"));
        QCOMPARE(column(AccTransCode), (QStringList {"1", "2", "3", "4", "6"}));
        QCOMPARE(column(DebitBalance), (QStringList {"500", "800", "", "50", "150"}));
        QCOMPARE(column(CreditBalance), (QStringList {"", "", "200", "", ""}));
        QCOMPARE(cell(3, Credit), QStringLiteral("1,000"));
        QCOMPARE(column(IsChecked), (QStringList {"", "بررسي شد.", "", "", ""}));
        // The row after today stays out of the balance up to today (50); the
        // account's own limit is read with its record, and 1,000 - 150 remains.
        QCOMPARE((QStringList {field("txtSumDebit"), field("txtSumCredit"), field("txtSumAllDebit"), field("txtSumAllCredit"),
                              field("txtUpToNowAllDebit"), field("txtMaxDebit_Credit"), field("txtRemMaxDebit_Credit"),
                              field("txtSumChecked"), field("txtSumUnChecked")}),
                 (QStringList {"1,150", "1,000", "150", "      ", "50", "1,000", "850", "300", "(150)"}));
        QCOMPARE(cell(4, AssignmentState), QStringLiteral("خارج از تخصيص"));
        QCOMPARE(grid()->ColWidth(IsChecked), 1000);
        QCOMPARE(Session.RequeryFlag, qint16(-1));

        // The load statements; the start-up ones, shared with ClearShow, are
        // checked in order there.
        const QStringList main = log.startingWith("Select AccTransCode,DocumentID");
        QCOMPARE(main.size(), 1);
        QVERIFY(main.first().contains(" from vwAccountDocumentDetail Where AccountID = 2 And DocumentDate >= '2024-03-20'"
                                      " And DocumentDate <= '2025-03-20'  and ( DocumentDate >='2024-03-20' And "
                                      "DocumentDate <= '2025-03-20') and DocumentID <> -1  Order By DocumentDate,"));
        QCOMPARE(log.startingWith("{? = CALL spAccountIsLeafAccount( ?) }").size(), 3);
    }

    void clearShowSendsTheStartUpStatementsInOrder()
    {
        signIn(*control);
        StatementLog log;
        control->ClearShow();
        const QString permission = QStringLiteral("{? = CALL spVelkoHasPermission( ?, ?) }");
        QCOMPARE(log.windowTexts(), (QStringList {
                                  "Select * from tblUser Where ID = 1",
                                  "{? = CALL spAccountGetCurrentUserPeriod( ?) }",
                                  "Select * From tblAccountPeriod Where ID =2",
                                  permission, // 315: opening the ledger
                                  permission, // 315: the account picker while viewing
                                  "Select * From vwVelkoBasePath Order By ID ",
                                  "Select Value From tblVelkosystemParameters Where ID = 306",
                                  "Select * From tblVelkoSystemParameters Where ID = 311 and Value=1",
                                  "Select * from tblAccountDocumentType",
                                  "Select * From tblAccountPeriod  Order By BeginDate desc",
                                  permission, // 30001: the period menu
                              }));
        QCOMPARE(log.all().at(3).parameters, (QVariantList {1, 315}));
        QCOMPARE(log.all().last().parameters, (QVariantList {1, 30001}));
    }

    void accountChangeStatements()
    {
        open();
        StatementLog log;
        window()->sltAccount_Change();
        QCOMPARE(log.windowTexts(), (QStringList {
                                  "Select * From tblAccount Where ID=2",
                                  "Select ClassID from tblAccountRelatedClasses Where AccountID = 2 Order By Sequence",
                                  "Select * from tblAccountClass where ID=7",
                                  "{? = CALL spAccountGetCode_Title( ?, ?) }",
                              }));
        QCOMPARE(window()->sltObject[1]->ViewMajor(), QStringLiteral("vwPersonMajor"));
        QCOMPARE(window()->sltObject[1]->ViewMinor(), QStringLiteral("vwPersonMinor"));
        QCOMPARE(window()->AccountTitle, QStringLiteral("1101 - صندوق"));
    }

    void reviewColumnNeedsPermission()
    {
        open(2);
        QCOMPARE(grid()->ColWidth(IsChecked), 0);
        QCOMPARE(cell(2, IsChecked), QStringLiteral("بررسي شد.")); // still computed
        QVERIFY(!window()->mnuPeriod->isEnabled()); // user 2 lacks 30001
    }

    void refusals_data()
    {
        QTest::addColumn<bool>("clearShow");
        QTest::addColumn<QString>("message");
        QTest::newRow("View") << false << "شما مجاز به انجام اين عمليات نيستيد.";
        QTest::newRow("ClearShow") << true << "شما به انجام اين عمليات مجاز نيستيد.";
    }
    void refusals()
    {
        QFETCH(bool, clearShow);
        QFETCH(QString, message);
        signIn(*control, 3);
        if (clearShow)
            control->ClearShow();
        else
            control->View(2);
        QCOMPARE(shownMessages(), QStringList {"خطا: " + message});
        QVERIFY(!window());
    }

    void errorsBeforeTheShowReachTheHost()
    {
        control->setOLEConnectionString("Provider=SQLite");
        control->setUserID(1);
        QVERIFY_THROWS_EXCEPTION(DatabaseError, control->View(2));
        control->setOLEConnectionString(db->connectionString());
        QVERIFY_THROWS_EXCEPTION(DatabaseError, control->View(QStringLiteral("abc")));
    }

    void balanceBroughtForwardFromTheFromDate()
    {
        open();
        window()->dtpFromDate->setValue(QDate(2024, 4, 20)); // 1403/02/01
        QCOMPARE(window()->txtCodeFrom->text(), QStringLiteral("3"));
        window()->txtCodeFrom->clear();
        StatementLog log;
        window()->cmdReset_Click();
        QCOMPARE(Session.BalanceBroughtForward, Currency::fromUnits(800));
        QCOMPARE(column(AccTransCode), (QStringList {"3", "4", "6"}));
        QCOMPARE(column(DebitBalance), (QStringList {"", "50", "150"}));
        QCOMPARE(column(CreditBalance), (QStringList {"200", "", ""}));
        // The rebuild filled the missing number from the date; the code range
        // takes no part in the balance brought forward.
        const QStringList remained = log.startingWith("Select Sum(Debit-Credit)");
        QCOMPARE(remained.size(), 1);
        QVERIFY(!remained.first().contains("AccTransCode"));
        QVERIFY(remained.first().contains(" And DocumentDate < '2024-04-20' "));
    }

    void parentAccountListsChildRows()
    {
        open(1, 1);
        QCOMPARE(grid()->Rows() - 1, 7);
        QCOMPARE(column(AccountCode), (QStringList {"1101", "1101", "1102", "1102", "1101", "1101", "1101"}));
        QCOMPARE(field("txtSumAllDebit"), QStringLiteral("850")); // 500+300-300+1000-1000+250+100
    }

    void filtersNarrowTheRows_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("codes");
        QTest::newRow("code range from text with letters") << "codes" << QStringList {"2", "3"};
        QTest::newRow("branch 2 and its children") << "branch" << QStringList {"2"};
        QTest::newRow("object 2 alone") << "object2" << QStringList {"2"};
        QTest::newRow("opening document left out") << "opening" << QStringList {"2", "3", "4", "6"};
    }
    void filtersNarrowTheRows()
    {
        QFETCH(QString, filter);
        open();
        frmAccountDetails *w = window();
        if (filter == "codes") {
            w->txtCodeFrom->setText("2abc");
            w->txtCodeTo->setText("3");
        } else if (filter == "branch") {
            w->sltBranch->setSelectedID(2);
        } else if (filter.startsWith("object")) {
            w->sltAccount_Change(); // the account's related classes fill the class filters
            QCOMPARE(w->sltClass[1]->SelectedID(), 7);
            w->sltObject[1]->setSelectedID(filter.right(1).toInt());
        } else if (filter == "opening") {
            w->chkiOpening->setChecked(true);
        }
        w->cmdReset_Click();
        QTEST(column(AccTransCode), "codes");
    }

    void requeryFlagIsOneShot()
    {
        open();
        StatementLog log;
        window()->ReturnAccounts(2);
        QVERIFY(log.texts().isEmpty());
        QCOMPARE(grid()->Rows() - 1, 5);
        Session.RequeryFlag = 1;
        window()->ReturnAccounts(2);
        QCOMPARE(log.startingWith("Select AccTransCode").size(), 1);
        QCOMPARE(Session.RequeryFlag, qint16(-1));
    }

    // The host's condition narrows the ledger statement; its caption
    // replaces the period title.
    void hostConditionAndCaption()
    {
        control->setSqlString("IsChecked = 1");
        control->setCaption(QStringLiteral("صورتحساب صندوق"));
        StatementLog log;
        open();
        QCOMPARE(Session.RowCondition, QStringLiteral(" And IsChecked = 1"));
        QCOMPARE(column(AccTransCode), QStringList {"2"});
        QVERIFY(log.startingWith("Select AccTransCode").first().contains("AccountID = 2 And IsChecked = 1 And DocumentDate"));
        QCOMPARE(window()->windowTitle(), QStringLiteral("صورتحساب صندوق"));
    }

    void accountWithoutRecordStillQueries()
    {
        open(1, 999);
        QCOMPARE(grid()->Rows(), 1);
        QVERIFY(!window()->cmdEdit->isEnabled());
        QCOMPARE(field("txtSumDebit"), QString());
    }

    void periodMenuNewestFirst()
    {
        open();
        QStringList items; // the checked one marked with a star
        for (const QAction *item : std::as_const(window()->mnuPeriodSpec))
            items << item->text() + (item->isChecked() ? "*" : "");
        QCOMPARE(items, (QStringList {"سال مالي 1404", "سال مالي 1403*", "سال مالي 1402"}));
        QCOMPARE(window()->dtpFromDate->Value(), QDate(2024, 3, 20));
        QCOMPARE(window()->dtpToDate->Value(), QDate(2025, 3, 20));
    }

    void choosingAnotherPeriod()
    {
        open();
        window()->mnuPeriodSpec[2]->trigger(); // 1402
        QCOMPARE(Session.PeriodID, qint16(1));
        QCOMPARE(window()->windowTitle(), QStringLiteral("گردش حساب مربوط به سال مالي 1402"));
        QCOMPARE(window()->dtpFromDate->Value(), QDate(2023, 3, 21));
        QVERIFY(!window()->mnuPeriodSpec[1]->isChecked());
        QCOMPARE(Session.PeriodCondition,
                 QStringLiteral(" and ( DocumentDate >='2023-03-21' And DocumentDate <= '2024-03-19')"));
        // Choosing the checked period again keeps the dates as typed.
        window()->dtpFromDate->setValue(QDate(2023, 6, 1));
        window()->mnuPeriodSpec[2]->trigger();
        QCOMPARE(window()->dtpFromDate->Value(), QDate(2023, 6, 1));
        Session.RequeryFlag = 1;
        window()->sltAccount_Change();
        QCOMPARE(column(AccTransCode), QStringList {"50"});
    }

    void datesAndNumbersFollowEachOther()
    {
        open();
        frmAccountDetails *w = window();
        w->dtpToDate->setValue(QDate(2024, 6, 9));
        QCOMPARE(w->txtCodeTo->text(), QStringLiteral("4"));
        w->txtCodeFrom->setText("2");
        w->txtCodeFrom_LostFocus();
        QCOMPARE(w->dtpFromDate->Value(), QDate(2024, 4, 10));
        w->txtCodeTo->setText("3");
        w->txtCodeTo_LostFocus();
        QCOMPARE(w->dtpToDate->Value(), QDate(2024, 5, 5));
        // An empty last number looks for numbers up to 0: nothing, the date goes.
        w->txtCodeTo->clear();
        w->txtCodeTo_LostFocus();
        QVERIFY(w->dtpToDate->IsEmpty());
        QVERIFY(!w->chkCombinPeriod->isChecked());
    }

    void leavingTheNumberFieldLooksUpItsDate()
    {
        open();
        activate();
        frmAccountDetails *w = window();
        w->txtCodeFrom->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(w->txtCodeFrom, QStringLiteral("3"));
        w->txtCodeFrom->clearFocus(); // leaving by Tab or click
        QCOMPARE(w->dtpFromDate->Value(), QDate(2024, 5, 5));
    }

    void datesInTwoJalaliYearsCombinePeriods()
    {
        open();
        frmAccountDetails *w = window();
        w->dtpToDate->setValue(QDate(2024, 3, 29));   // 1403/01/10
        w->dtpFromDate->setValue(QDate(2024, 3, 15)); // 1402/12/25
        QVERIFY(w->chkCombinPeriod->isChecked());
        QCOMPARE(Session.PeriodCondition, QString());
        QCOMPARE(w->txtCodeFrom->text(), QStringLiteral("1")); // looked up across periods
    }

    void rebuildRefreshesRelatedForms()
    {
        open();
        StatementLog log;
        window()->cmdReset_Click();
        QVERIFY(log.texts().first().startsWith("Update tblVelkoRelatedForms Set AssignedValue = CASE WHEN RelatedFormTypeID=901 THEN "
                                               "                    (Select sum(isnull(dd.DebitValue,0))"));
        QVERIFY(log.texts().first().endsWith(" Where AssignedValue Is Null  and ReferenceFormTypeID=303 and RelatedFormTypeID in (901,201)"));
        QCOMPARE(FixtureValue(*db, "select AssignedValue from tblVelkoRelatedForms where ID=1").toInt(), 300);
        QCOMPARE(FixtureValue(*db, "select AssignedValue from tblVelkoRelatedForms where ID=2").toInt(), 10);
    }

    void clearShowOpensEmptyUntilRebuild()
    {
        signIn(*control);
        control->ClearShow();
        QVERIFY(window()->isVisible());
        QVERIFY(!window()->cmdEdit->isEnabled()); // nothing to edit
        QCOMPARE(grid()->Rows(), 2);
        QVERIFY(grid()->TextMatrix(1, AccTransCode).isEmpty());
        window()->sltAccount->setAccountID(2); // the person picks the account: settings, no rows
        QCOMPARE(window()->MaxDebit, Currency::fromUnits(1000));
        QVERIFY(grid()->TextMatrix(1, AccTransCode).isEmpty());
        window()->cmdReset_Click();
        QCOMPARE(grid()->Rows() - 1, 5);
        QCOMPARE(field("txtMaxDebit_Credit"), QStringLiteral("1,000"));
        QCOMPARE(field("txtRemMaxDebit_Credit"), QStringLiteral("850"));
        QVERIFY(window()->AccountTitle.contains(QStringLiteral("صندوق")));
    }

    void editPanelFollowsTheRow_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("editable");
        QTest::newRow("finalized opening row") << 1 << false;
        QTest::newRow("open row") << 2 << true;
    }
    void editPanelFollowsTheRow()
    {
        QFETCH(int, row);
        QFETCH(bool, editable);
        open();
        grid()->setRow(row);
        window()->flxAccount_SelChange();
        QCOMPARE(window()->txtDescription->text(), cell(row, Description));
        QCOMPARE(window()->cmdEdit->isEnabled(), editable);
        QCOMPARE(window()->CurrentRowIsEditable(), editable);
    }

    void editRefusedWithoutPermission()
    {
        open(2);
        startEditing();
        QCOMPARE(ScriptedMessages::shown().last().message, QStringLiteral("شما به انجام اين عمليات مجاز نيستيد. نقش 30302"));
        QCOMPARE(Session.EditState, qint16(3));
    }

    void escapeWhileViewingClosesAndReleases()
    {
        open();
        QVERIFY(Session.HasDataEnvironment());
        window()->cmdEsc_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window());
        QVERIFY(ScriptedMessages::shown().isEmpty());
        QVERIFY(!Session.HasDataEnvironment());
    }

    void closingWithAFocusedFieldLooksNothingUp_data()
    {
        QTest::addColumn<QString>("field");
        QTest::newRow("document number") << "txtCodeFrom";
        QTest::newRow("account picker") << "sltAccount";
    }
    void closingWithAFocusedFieldLooksNothingUp()
    {
        QFETCH(QString, field);
        open();
        activate();
        frmAccountDetails *w = window();
        w->Controls.value(field)->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("7"));
        StatementLog log;
        delete w;
        QVERIFY(log.texts().isEmpty());
        QVERIFY(!window());
    }

    void databaseErrorInAHandlerShowsKhata()
    {
        open();
        db->exec({"drop view vwAccountNonPreDocument"});
        window()->dtpFromDate->setValue(QDate(2024, 5, 1)); // its handler reads that view
        QCOMPARE(ScriptedMessages::shown().size(), 1);
        QCOMPARE(ScriptedMessages::shown().first().title, QStringLiteral("خطا"));
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QVERIFY(window()->isEnabled());
    }

    void accountMinusOneListsEveryAccount()
    {
        StatementLog log;
        open(1, -1);
        QVERIFY(log.startingWith("Select AccTransCode").first().contains(" Where AccountID<>-1  And DocumentDate >= "));
        // Both sides of every posted document of the period, drafts left out.
        QCOMPARE(grid()->Rows() - 1, 10);
    }

    void periodGivenByTheHost()
    {
        control->setAccPeriodSpecID(1); // although 2 is the user's current period
        open();
        QCOMPARE(column(AccTransCode), QStringList {"50"});
        QCOMPARE(window()->windowTitle(), QStringLiteral("گردش حساب مربوط به  سال مالي 1402"));
    }

    void modalWhenTheHostRefusesModeless()
    {
        control->setHostAllowsModeless(false);
        bool wasModal = false;
        QTimer::singleShot(0, this, [&] {
            wasModal = window() && window()->isModal() && window()->isVisible();
            window()->close();
        });
        open(); // returns only when the window closed
        QVERIFY(wasModal);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window());
    }

    void keyboardLayoutCode_data()
    {
        QTest::addColumn<int>("major");
        QTest::addColumn<QString>("code");
        QTest::newRow("version 4") << 4 << "00000401";
        QTest::newRow("version 6") << 6 << "00000429";
        QTest::newRow("version 3 keeps the old code") << 3 << "old";
    }
    void keyboardLayoutCode()
    {
        QFETCH(int, major);
        QTEST(KeyboardLayoutCodeFor(major, "old"), "code");
    }
};

int RunWindowTests(int argc, char **argv)
{
    TestWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_window.moc"
