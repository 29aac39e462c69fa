// What an accountant must be able to trust in the ledger window: an edit
// writes the row it was started on or nothing, a failed load leaves no
// figures behind, and no figure of another account stays on screen.

#include "LedgerFixture.h"
#include "control/comAccountDetail1.h"
#include "ledger_window/frmAccountDetails.h"
#include "ledger_window/ledger/LedgerColumns.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/VelkoDate.h"
#include "outside/controls/VelkoSelector.h"
#include "outside/controls/comAccountPicker.h"
#include "session/Messages.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

using namespace LedgerCol;

namespace {

// What the message dialog hands back for its buttons.
constexpr int DialogYes = 1;
constexpr int DialogNo = 0;
constexpr int DialogClosed = -1;

const QString UpdateCall = QStringLiteral("{? = CALL spAccountUpdateDocumentDetail( ?, ?, ?, ?, ?, ?, ?, ?) }");

QString storedDescription(const TestDatabase &db, int documentId, int rowNumber)
{
    return FixtureValue(db, QStringLiteral("select Description from tblAccountDocumentDetail where DocumentID=%1 "
                                           "and RowNumber=%2").arg(documentId).arg(rowNumber)).toString();
}

} // namespace

class TestIntegrity : public QObject, private LedgerWindowTest
{
    Q_OBJECT


    // Opens account 2, starts editing the open row of document 102 and types
    // a new description.
    void startEditingRow2()
    {
        open();
        grid()->setRow(2);
        window()->flxAccount_SelChange();
        window()->cmdEdit_Click();
        QCOMPARE(Session.EditState, qint16(2));
        window()->txtDescription->setText(QStringLiteral("شرح تايپ شده"));
    }

    bool allSummaryFieldsEmpty() const
    {
        for (QLineEdit *text : std::as_const(window()->SummaryFields))
            if (!text->text().trimmed().isEmpty())
                return false;
        return true;
    }

private slots:
    void init() { setUpWindowTest(); }
    void cleanup() { tearDownWindowTest(); }

    // Every command that re-reads the ledger asks before it drops an edit.
    void reReadWhileEditingAsksFirst_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("answer");
        QTest::newRow("rebuild, keep editing") << "rebuild" << DialogNo;
        QTest::newRow("rebuild, drop the edit") << "rebuild" << DialogYes;
        QTest::newRow("period, keep editing") << "period" << DialogNo;
        QTest::newRow("period, drop the edit") << "period" << DialogYes;
        QTest::newRow("from-date, keep editing") << "from-date" << DialogNo;
        QTest::newRow("dialog closed counts as keep") << "rebuild" << DialogClosed;
    }
    void reReadWhileEditingAsksFirst()
    {
        QFETCH(QString, command);
        QFETCH(int, answer);
        startEditingRow2();
        ScriptedMessages::answers() << answer;
        StatementLog log;
        if (command == QLatin1String("rebuild"))
            window()->cmdReset_Click();
        else if (command == QLatin1String("period"))
            window()->mnuPeriodSpec_Click(1);
        else
            window()->dtpFromDate_Change();

        QCOMPARE(ScriptedMessages::shown().size(), 1);
        QCOMPARE(ScriptedMessages::shown().first().title, QStringLiteral("انصراف از ثبت تغييرات سند "));
        if (answer == DialogYes) {
            QCOMPARE(Session.EditState, qint16(3));
            QVERIFY(!window()->cmdSave->isEnabled());
            QVERIFY(!log.texts().isEmpty()); // the command went on
        } else {
            QCOMPARE(Session.EditState, qint16(2));
            QVERIFY(window()->cmdSave->isEnabled());
            QCOMPARE(window()->txtDescription->text(), QStringLiteral("شرح تايپ شده"));
            QCOMPARE(grid()->Row(), 2);
            QVERIFY(log.texts().isEmpty()); // nothing re-read, nothing moved
        }
    }

    // The save writes the row whose edit was started, even when the grid
    // moved to the finalized opening row meanwhile.
    void saveWritesTheRowTheEditStartedOn()
    {
        startEditingRow2();
        grid()->setRow(1);
        StatementLog log;
        window()->cmdSave_Click();
        QCOMPARE(log.all().first().text, UpdateCall);
        QCOMPARE(log.all().first().parameters.at(0).toInt(), 102);
        QCOMPARE(log.all().first().parameters.at(1).toInt(), 1);
        QCOMPARE(storedDescription(*db, 102, 1), QStringLiteral("شرح تايپ شده"));
        QCOMPARE(storedDescription(*db, 101, 1), QStringLiteral("افتتاحيه"));
    }

    // The saved row stays current and selected after the re-read.
    void savedRowStaysCurrent()
    {
        startEditingRow2();
        window()->cmdSave_Click();
        QCOMPARE(Session.EditState, qint16(3));
        QCOMPARE(grid()->Row(), 2);
        QCOMPARE(grid()->TextMatrix(2, Description), QStringLiteral("شرح تايپ شده"));
        QCOMPARE(window()->txtDescription->text(), QStringLiteral("شرح تايپ شده"));
        QCOMPARE(grid()->Col(), int(DocumentID));
        QCOMPARE(grid()->ColSel(), int(FormID));
    }

    void closingWhileEditingAsks_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("stillOpen");
        QTest::newRow("no keeps the window and the edit") << DialogNo << true;
        QTest::newRow("yes drops the edit and closes") << DialogYes << false;
    }
    void closingWhileEditingAsks()
    {
        QFETCH(int, answer);
        QFETCH(bool, stillOpen);
        startEditingRow2();
        QPointer<frmAccountDetails> w = window();
        ScriptedMessages::answers() << answer;
        w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(ScriptedMessages::shown().size(), 1);
        QCOMPARE(ScriptedMessages::shown().first().message, QStringLiteral(" آيا از ثبت  تغييرات منصرف شده ايد "));
        QCOMPARE(!w.isNull() && w->isVisible(), stillOpen);
        if (stillOpen)
            QCOMPARE(w->txtDescription->text(), QStringLiteral("شرح تايپ شده"));
        QCOMPARE(storedDescription(*db, 102, 1), QStringLiteral("واريز نقدي"));
    }

    // The row went away behind the window: no success is reported and the
    // typed values stay for another try.
    void saveThatChangesNothingKeepsEditing()
    {
        startEditingRow2();
        db->exec({QStringLiteral("delete from tblAccountDocumentDetail where DocumentID=102 and RowNumber=1")});
        window()->cmdSave_Click();
        QCOMPARE(ScriptedMessages::shown().size(), 1);
        QCOMPARE(ScriptedMessages::shown().first().title, QStringLiteral("اشكال"));
        QCOMPARE(Session.EditState, qint16(2));
        QVERIFY(window()->cmdSave->isEnabled());
        QCOMPARE(window()->txtDescription->text(), QStringLiteral("شرح تايپ شده"));
    }

    void emptyDueDateIsRefusedAtSave()
    {
        startEditingRow2();
        window()->dtpTrans->Clear();
        StatementLog log;
        window()->cmdSave_Click();
        QVERIFY(log.startingWith(UpdateCall).isEmpty());
        QCOMPARE(ScriptedMessages::shown().size(), 1);
        QCOMPARE(Session.EditState, qint16(2));
        QVERIFY(!FixtureValue(*db, "select TransactionDate from tblAccountDocumentDetail where DocumentID=102 "
                                   "and RowNumber=1").isNull());
    }

    // A row stored without a due date still opens its ledger (and its
    // parent's); it shows no due date and stays out of the up-to-today figures.
    void rowWithoutDueDateStillOpens_data()
    {
        QTest::addColumn<int>("account");
        QTest::newRow("the account") << 2;
        QTest::newRow("its parent") << 1;
    }
    void rowWithoutDueDateStillOpens()
    {
        QFETCH(int, account);
        db->exec({QStringLiteral("update tblAccountDocumentDetail set TransactionDate=null, FarsiTransactionDate=null "
                                 "where DocumentID=104 and RowNumber=1")});
        open(1, account);
        QVERIFY(ScriptedMessages::shown().isEmpty());
        int row = 0;
        for (int r = 1; r < grid()->Rows(); ++r)
            if (grid()->TextMatrix(r, DocumentID) == QLatin1String("104") && grid()->TextMatrix(r, RowNumber) == QLatin1String("1"))
                row = r;
        QVERIFY(row > 0);
        QVERIFY(grid()->TextMatrix(row, FarsiTransactionDate).isEmpty());
        if (account == 2) {
            // 500 + 300 - 1000 due by today; the 250 of the undated row does not count.
            QCOMPARE(field("txtUpToNowAllCredit"), QStringLiteral("200"));
            QCOMPARE(field("txtSumAllDebit"), QStringLiteral("150"));
        }
    }

    // A load that fails half-way empties the grid and the totals, says why,
    // and leaves the re-read pending so the next rebuild tries again.
    void failedLoadLeavesNoFigures_data()
    {
        QTest::addColumn<QString>("breakage");
        QTest::addColumn<QString>("messagePart");
        QTest::newRow("due date that is not a date")
            << "update tblAccountDocumentDetail set TransactionDate='not a date' where DocumentID=103 and RowNumber=2"
            << "not a date";
        QTest::newRow("balance beyond the currency")
            << "update tblAccountDocumentDetail set CreditValue=900000000000000 where DocumentID in (103, 104) and AccountID=2"
            << "";
    }
    void failedLoadLeavesNoFigures()
    {
        QFETCH(QString, breakage);
        QFETCH(QString, messagePart);
        open();
        QVERIFY(!field("txtSumDebit").isEmpty());
        db->exec({breakage});
        window()->cmdReset->click();
        QCOMPARE(ScriptedMessages::shown().size(), 1);
        QCOMPARE(ScriptedMessages::shown().first().title, QStringLiteral("خطا"));
        QVERIFY(ScriptedMessages::shown().first().message.contains(messagePart));
        QCOMPARE(grid()->Rows(), 2);
        for (int c = 0; c < grid()->Cols(); ++c)
            QVERIFY2(grid()->TextMatrix(1, c).isEmpty(), qPrintable(QString::number(c)));
        QVERIFY(allSummaryFieldsEmpty());
        QCOMPARE(Session.RequeryFlag, qint16(1));
        QVERIFY(!window()->cmdEdit->isEnabled());
    }

    // Picking another account without a re-read shows no figure of the old one.
    void accountChangeEmptiesTheLedger_data()
    {
        QTest::addColumn<int>("account");
        QTest::newRow("another account") << 3;
        QTest::newRow("an unknown account") << 999;
    }
    void accountChangeEmptiesTheLedger()
    {
        QFETCH(int, account);
        open();
        QCOMPARE(grid()->Rows() - 1, 5);
        window()->sltAccount->setAccountID(account);
        QCOMPARE(grid()->Rows(), 2);
        QVERIFY(grid()->TextMatrix(1, DocumentID).isEmpty());
        QVERIFY(allSummaryFieldsEmpty());
        QVERIFY(!window()->cmdEdit->isEnabled());
        QVERIFY(window()->txtDescription->text().isEmpty());
        QVERIFY(window()->dtpTrans->IsEmpty());
    }

    // Back on the shown account, or a date change, keeps the rows.
    void sameAccountKeepsTheLedger()
    {
        open();
        window()->sltAccount_Change();
        QCOMPARE(grid()->Rows() - 1, 5);
        QVERIFY(!field("txtSumDebit").isEmpty());
    }

    // A period without a row, in a fresh session, leaves no dates to bound
    // the ledger by: the window still opens, unbounded, with no period checked.
    void unknownPeriodStillOpens()
    {
        control->setAccPeriodSpecID(9);
        open();
        QVERIFY(ScriptedMessages::shown().isEmpty());
        QVERIFY(window()->isVisible());
        QVERIFY(Session.PeriodCondition.isEmpty());
        QCOMPARE(window()->windowTitle(), QStringLiteral("گردش حساب"));
        for (const QAction *item : std::as_const(window()->mnuPeriodSpec))
            QVERIFY(!item->isChecked());
        QVERIFY(grid()->Rows() > 2);
    }

    void clearShowHasNothingToEdit()
    {
        control->setOLEConnectionString(db->connectionString());
        control->setUserID(1);
        control->ClearShow();
        QVERIFY(!window()->cmdEdit->isEnabled());
    }

    // What the edit panel's two modes lock and free, one control at a time.
    void lockedPropertyRows_data()
    {
        QTest::addColumn<int>("user");
        QTest::addColumn<bool>("editing");
        QTest::newRow("viewing, with 315") << 1 << false;
        QTest::newRow("editing") << 1 << true;
        QTest::newRow("viewing, without 315") << 3 << false;
    }
    void lockedPropertyRows()
    {
        QFETCH(int, user);
        QFETCH(bool, editing);
        open();
        frmAccountDetails *w = window();
        Session.UserID = user;
        w->cmdEdit->setEnabled(true);
        Session.EditState = editing ? 2 : 3;
        w->SetLockedProperty();
        QCOMPARE(w->flxAccount->isEnabled(), !editing);
        QCOMPARE(w->cmbDocumentType->isEnabled(), editing);
        QCOMPARE(w->txtAdditionalFormSpec->isReadOnly(), !editing);
        QCOMPARE(w->dtpTrans->Locked(), !editing);
        QCOMPARE(w->mptContract->isEnabled(), editing);
        QCOMPARE(w->txtDescription->isReadOnly(), !editing);
        QCOMPARE(w->sltAccount->isEnabled(), !editing && user == 1);
        QCOMPARE(w->mnuSort->isEnabled(), !editing);
        QCOMPARE(w->menuItem(QStringLiteral("mnuRefresh"))->isEnabled(), !editing);
        QCOMPARE(w->cmdEdit->isEnabled(), !editing); // viewing leaves it as it was
        QCOMPARE(w->cmdSave->isEnabled(), editing);
    }
};

int RunIntegrityTests(int argc, char **argv)
{
    TestIntegrity test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_integrity.moc"
