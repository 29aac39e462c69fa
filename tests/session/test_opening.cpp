// The control's opening methods over the ledger book of the window tests:
// what they refuse, what they leave in the session, and how windows opened
// one after the other share it.

#include "../window/LedgerFixture.h"
#include "control/comAccountDetail1.h"
#include "ledger_window/frmAccountDetails.h"
#include "ledger_window/ledger/LedgerColumns.h"
#include "outside/controls/FlexGrid.h"
#include "session/DatabaseError.h"
#include "session/Messages.h"
#include "session/modMain.h"

#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <stdexcept>

class TestOpening : public QObject, private LedgerWindowTest
{
    Q_OBJECT

    static QStringList codes(frmAccountDetails *window)
    {
        QStringList values;
        for (int r = 1; r < window->flxAccount->Rows(); ++r)
            values << window->flxAccount->TextMatrix(r, AccTransCode);
        return values;
    }

private slots:
    void init() { setUpWindowTest(); }
    void cleanup() { tearDownWindowTest(); }

    void closingOneWindowLeavesTheOthersWorking()
    {
        comAccountDetail1 other;
        signIn(*control, 1);
        signIn(other, 1);
        control->View(2);
        other.View(3);
        QPointer<frmAccountDetails> first = control->LedgerWindow();
        QPointer<frmAccountDetails> second = other.LedgerWindow();
        QVERIFY(first && second && first != second);

        first->close(); // the unload releases the shared data environment
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!first);
        QVERIFY(!Session.HasDataEnvironment());

        // The rebuild in the window left open reaches the database again.
        second->cmdReset->click();
        QVERIFY2(ScriptedMessages::shown().isEmpty(), qPrintable(ScriptedMessages::shown().value(0).message));
        QCOMPARE(codes(second), (QStringList {"2", "3"}));
        QCOMPARE(Session.RequeryFlag, qint16(-1));
        QCOMPARE(Session.DataEnvironment().Provider(), QStringLiteral("SQLite"));
    }

    void onlyTheCurrentWindowSpeaksForTheControl()
    {
        signIn(*control, 1);
        control->View(2);
        QPointer<frmAccountDetails> earlier = control->LedgerWindow();
        control->View(3);
        frmAccountDetails *current = control->LedgerWindow();
        QVERIFY(earlier && earlier->isVisible() && earlier != current);

        QSignalSpy created(control.get(), &comAccountDetail1::CreateNewRelationship);
        QSignalSpy shown(control.get(), &comAccountDetail1::ShowRelationships);
        emit earlier->CreateNewRelationship(901, 5000);
        emit earlier->ShowRelationships(901, 5000);
        emit current->CreateNewRelationship(303, 102);
        emit current->ShowRelationships(201, 6000);
        QCOMPARE(QList<QVariantList>(created), (QList<QVariantList> {{303, 102}}));
        QCOMPARE(QList<QVariantList>(shown), (QList<QVariantList> {{201, 6000}}));
    }

    void accountIdConvertedAfterThePermission_data()
    {
        QTest::addColumn<int>("user");
        QTest::addColumn<bool>("refused");
        QTest::newRow("refused user sees the refusal") << 3 << true;
        QTest::newRow("permitted user gets the error") << 1 << false;
    }
    void accountIdConvertedAfterThePermission()
    {
        QFETCH(int, user);
        QFETCH(bool, refused);
        signIn(*control, user);
        if (refused) {
            QVERIFY_THROWS_NO_EXCEPTION(control->View(QStringLiteral("abc")));
            QCOMPARE(ScriptedMessages::shown().size(), 1);
            QCOMPARE(ScriptedMessages::shown().first().message, QStringLiteral("شما مجاز به انجام اين عمليات نيستيد."));
        } else {
            QVERIFY_THROWS_EXCEPTION(DatabaseError, control->View(QStringLiteral("abc")));
            QVERIFY(ScriptedMessages::shown().isEmpty());
        }
        QVERIFY(!control->LedgerWindow());
        // The opening steps ran before the account was looked at.
        QCOMPARE(Session.UserID, user);
        QCOMPARE(Session.PeriodID, qint16(2));
        QCOMPARE(Session.PeriodBeginDate, QDate(2024, 3, 20));
        QCOMPARE(Session.PeriodCondition,
                 QStringLiteral(" and ( DocumentDate >='2024-03-20' And DocumentDate <= '2025-03-20')"));
    }

    // A condition from the host that would end the ledger query's own
    // conditions is refused before anything is sent; markers in a quoted text are not.
    void sqlStringChecked_data()
    {
        QTest::addColumn<QString>("sqlString");
        QTest::addColumn<bool>("sent");
        QTest::newRow("comment hiding the date conditions") << "1=1 --" << false;
        QTest::newRow("second statement") << "1=1; Delete tblAccountDocumentDetail" << false;
        QTest::newRow("open literal") << "Description = 'x" << false;
        QTest::newRow("quoted markers") << "Description <> 'a--b;'" << true;
    }
    void sqlStringChecked()
    {
        QFETCH(QString, sqlString);
        QFETCH(bool, sent);
        signIn(*control, 1);
        control->setSqlString(sqlString);
        Session.RowCondition = QStringLiteral(" And IsChecked = 0");
        StatementLog log;
        if (sent) {
            QVERIFY_THROWS_NO_EXCEPTION(control->View(2));
            QVERIFY(log.startingWith("Select AccTransCode").first().contains("AccountID = 2 And " + sqlString + " And"));
            QCOMPARE(codes(control->LedgerWindow()), (QStringList {"1", "2", "3", "4", "6"}));
            return;
        }
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, control->View(2));
        QVERIFY(log.texts().isEmpty());
        QVERIFY(!control->LedgerWindow());
        QCOMPARE(Session.RowCondition, QStringLiteral(" And IsChecked = 0"));
    }

    void clearShowUsesNeitherSqlStringNorCaption()
    {
        signIn(*control, 1);
        control->setSqlString("IsChecked = 1");
        control->setCaption(QStringLiteral("صورتحساب صندوق"));
        control->View(2);
        QPointer<frmAccountDetails> viewed = control->LedgerWindow();
        QCOMPARE(Session.RowCondition, QStringLiteral(" And IsChecked = 1"));
        control->ClearShow();
        QCOMPARE(Session.RowCondition, QString());
        QCOMPARE(control->LedgerWindow()->windowTitle(), QStringLiteral("گردش حساب مربوط به  سال مالي 1403"));
        QCOMPARE(viewed->windowTitle(), QStringLiteral("صورتحساب صندوق"));
    }

    void periodWithoutRow_data()
    {
        QTest::addColumn<int>("periodSpec");
        QTest::addColumn<int>("currentPeriod");
        QTest::addColumn<int>("periodId");
        QTest::addColumn<QDate>("begin");
        QTest::addColumn<QDate>("end");
        QTest::addColumn<QString>("query");
        const QDate earlierBegin(2023, 3, 21), earlierEnd(2024, 3, 19);
        QTest::newRow("host period with a row") << 3 << 2 << 3 << QDate(2025, 3, 21) << QDate(2026, 3, 20)
                                                << "Select * From tblAccountPeriod Where ID =3";
        QTest::newRow("host period without a row keeps the dates")
            << 9 << 2 << 9 << earlierBegin << earlierEnd << "Select * From tblAccountPeriod Where ID =9";
        QTest::newRow("current period without a row keeps all three")
            << 0 << 8 << 1 << earlierBegin << earlierEnd << "Select * From tblAccountPeriod Where ID =8";
    }
    void periodWithoutRow()
    {
        QFETCH(int, periodSpec);
        QFETCH(int, currentPeriod);
        QFETCH(QDate, begin);
        QFETCH(QDate, end);
        db->exec({QStringLiteral("update tblUser set CurrentPeriodID = %1 where ID = 3").arg(currentPeriod)});
        // An earlier opening left period 1402 in the session.
        Session.PeriodID = 1;
        Session.PeriodBeginDate = QDate(2023, 3, 21);
        Session.PeriodEndDate = QDate(2024, 3, 19);
        signIn(*control, 3); // refused: the window's start-up never runs
        control->setAccPeriodSpecID(periodSpec);
        StatementLog log;
        QVERIFY_THROWS_NO_EXCEPTION(control->ClearShow());
        QTEST(int(Session.PeriodID), "periodId");
        QCOMPARE(Session.PeriodBeginDate, begin);
        QCOMPARE(Session.PeriodEndDate, end);
        QCOMPARE(Session.PeriodCondition, BuildPeriodCondition(begin, end));
        QTEST(log.startingWith("Select * From tblAccountPeriod").value(0), "query");
    }

    void currentPeriodBeyondSixteenBits_data()
    {
        QTest::addColumn<qint64>("returned");
        QTest::newRow("65538 is not period 2") << qint64(65538);
        QTest::newRow("-32769") << qint64(-32769);
        QTest::newRow("beyond 32 bits") << qint64(4294967298);
    }
    void currentPeriodBeyondSixteenBits()
    {
        QFETCH(qint64, returned);
        db->exec({QStringLiteral("update tblUser set CurrentPeriodID = %1 where ID = 1").arg(returned)});
        signIn(*control, 1);
        StatementLog log;
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, control->View(2));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, control->ClearShow());
        QVERIFY(log.startingWith("Select * From tblAccountPeriod").isEmpty());
        QCOMPARE(Session.PeriodID, qint16(0));
    }

    void creditsBeyondTheCurrencyRangeStopTheLoad()
    {
        // Two credits of 500,000,000,000,000 to the bank account: its running
        // balance leaves the range and must not wrap into a debit balance.
        db->exec({"update tblAccountDocumentDetail set DebitValue = 0, CreditValue = 500000000000000 where AccountID = 3"});
        signIn(*control, 1);
        try {
            control->View(3);
            QFAIL("the load went through");
        } catch (const DatabaseError &error) {
            QVERIFY2(error.message().contains(QStringLiteral("مبلغ از حد مجاز بيشتر است.")), qPrintable(error.message()));
        }
        QCOMPARE(codes(control->LedgerWindow()), QStringList {QString()}); // no figures left behind
        QVERIFY(!control->LedgerWindow()->isVisible());
    }
};

int RunOpeningTests(int argc, char **argv)
{
    TestOpening test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_opening.moc"
