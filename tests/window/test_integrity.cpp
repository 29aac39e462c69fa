// What an accountant must be able to trust in the ledger window: an edit
// writes the row it was started on or nothing, a failed load leaves no
// figures behind, and no figure of another account stays on screen.

#include "LedgerFixture.h"
#include "outside/controls/VelkoDate.h"
#include "outside/controls/VelkoSelector.h"
#include "outside/controls/comAccountPicker.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

namespace {

// What the message dialog hands back for its buttons.
constexpr int DialogYes = 1;
constexpr int DialogNo = 0;
constexpr int DialogClosed = -1;

const QString UpdateCall = QStringLiteral("{? = CALL spAccountUpdateDocumentDetail( ?, ?, ?, ?, ?, ?, ?, ?) }");
// The question before an edit is dropped, as "title: message".
const QString DropEditQuestion = QStringLiteral("انصراف از ثبت تغييرات سند ") + ": " + QStringLiteral(" آيا از ثبت  تغييرات منصرف شده ايد ");
const QString Typed = QStringLiteral("شرح تايپ شده");

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
        startEditing();
        QCOMPARE(Session.EditState, qint16(2));
        window()->txtDescription->setText(Typed);
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

    // Every command that would drop an edit asks first: "no" or a closed
    // dialog keeps the edit and moves nothing, "yes" drops it and goes on.
    void droppingAnEditAsksFirst_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("answer");
        QTest::newRow("rebuild, keep editing") << "rebuild" << DialogNo;
        QTest::newRow("rebuild, drop the edit") << "rebuild" << DialogYes;
        QTest::newRow("period, keep editing") << "period" << DialogNo;
        QTest::newRow("period, drop the edit") << "period" << DialogYes;
        QTest::newRow("from-date, keep editing") << "from-date" << DialogNo;
        QTest::newRow("dialog closed counts as keep") << "rebuild" << DialogClosed;
        QTest::newRow("escape, keep editing") << "escape" << DialogNo;
        QTest::newRow("escape, drop the edit") << "escape" << DialogYes;
        QTest::newRow("escape, dialog closed") << "escape" << DialogClosed;
        QTest::newRow("closing, keep the window") << "close" << DialogNo;
        QTest::newRow("closing, drop the edit and close") << "close" << DialogYes;
    }
    void droppingAnEditAsksFirst()
    {
        QFETCH(QString, command);
        QFETCH(int, answer);
        startEditingRow2();
        QPointer<frmAccountDetails> w = window();
        ScriptedMessages::answers() << answer;
        StatementLog log;
        if (command == QLatin1String("rebuild"))
            w->cmdReset_Click();
        else if (command == QLatin1String("period"))
            w->mnuPeriodSpec_Click(1);
        else if (command == QLatin1String("from-date"))
            w->dtpFromDate_Change();
        else if (command == QLatin1String("escape"))
            w->cmdEsc_Click();
        else
            w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        QCOMPARE(shownMessages(), QStringList {DropEditQuestion});
        QCOMPARE(storedDescription(*db, 102, 1), QStringLiteral("واريز نقدي"));
        if (answer != DialogYes) {
            QVERIFY(w && w->isVisible());
            QCOMPARE(Session.EditState, qint16(2));
            QVERIFY(w->cmdSave->isEnabled());
            QCOMPARE(w->txtDescription->text(), Typed);
            QCOMPARE(grid()->Row(), 2);
            QVERIFY(log.texts().isEmpty()); // nothing re-read, nothing moved
        } else if (command == QLatin1String("close")) {
            QVERIFY(!w || !w->isVisible());
        } else {
            QCOMPARE(Session.EditState, qint16(3));
            QVERIFY(!w->cmdSave->isEnabled());
            if (command != QLatin1String("escape"))
                QVERIFY(!log.texts().isEmpty()); // the command went on
        }
    }

    // The save writes the row whose edit was started, even when the grid
    // moved to the finalized opening row meanwhile; that row stays current
    // and selected after the re-read.
    void savingAnEditedRow()
    {
        open();
        frmAccountDetails *w = window();
        startEditing();
        QCOMPARE(Session.EditState, qint16(2));
        QVERIFY(!grid()->isEnabled());
        QCOMPARE(w->lblMessage->text(), QStringLiteral("اصلاح جزئيات سند"));
        const QString edited = QStringLiteral("واريز نقدي - اصلاح شده (چك 'الف')");
        w->txtDescription->setText(edited);
        w->txtAdditionalFormSpec->setText(QStringLiteral("ع-12"));
        w->cmbDocumentType->setCurrentIndex(w->cmbDocumentType->findData(2));
        grid()->setRow(1);
        StatementLog log;
        w->cmdSave_Click();
        QCOMPARE(log.all().first().text, UpdateCall);
        const QVariantList p = log.all().first().parameters;
        QCOMPARE(p.size(), 8);
        // Document, row, type, the due date, and no contract.
        QCOMPARE((QStringList {p[0].toString(), p[1].toString(), p[2].toString(), p[5].toString(), p[6].toString()}),
                 (QStringList {"102", "1", "2", "1403/01/22", "0"}));
        QCOMPARE(Session.EditState, qint16(3));
        QCOMPARE((QList<int> {grid()->Row(), grid()->Col(), grid()->ColSel()}), (QList<int> {2, DocumentID, FormID}));
        QCOMPARE(cell(2, Description), edited);
        QCOMPARE(w->txtDescription->text(), edited);
        QCOMPARE(cell(2, AdditionalFormSpec), QStringLiteral("ع-12"));
        QCOMPARE(storedDescription(*db, 102, 1), edited);
        QCOMPARE(storedDescription(*db, 101, 1), QStringLiteral("افتتاحيه"));
        QCOMPARE(FixtureValue(*db, "select DocumentTypeID from tblAccountDocumentDetail where DocumentID=102 and RowNumber=1").toInt(), 2);
    }

    // A save that cannot go through reports no success, keeps the edit and
    // the typed values for another try, and leaves the stored row as it was.
    void refusedSaveKeepsEditing_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("title");
        QTest::newRow("no document type") << "type" << "خطا";
        QTest::newRow("empty due date") << "due date" << "اشكال";
        // The row went away behind the window: the update changes nothing.
        QTest::newRow("row deleted meanwhile") << "row" << "اشكال";
    }
    void refusedSaveKeepsEditing()
    {
        QFETCH(QString, fault);
        startEditingRow2();
        if (fault == QLatin1String("type"))
            window()->cmbDocumentType->setCurrentIndex(-1);
        else if (fault == QLatin1String("due date"))
            window()->dtpTrans->Clear();
        else
            db->exec({QStringLiteral("delete from tblAccountDocumentDetail where DocumentID=102 and RowNumber=1")});
        StatementLog log;
        window()->cmdSave_Click();
        QCOMPARE(ScriptedMessages::shown().size(), 1);
        QTEST(ScriptedMessages::shown().first().title, "title");
        QCOMPARE(Session.EditState, qint16(2));
        QVERIFY(window()->cmdSave->isEnabled());
        QCOMPARE(window()->txtDescription->text(), Typed);
        if (fault != QLatin1String("row")) {
            QVERIFY(log.startingWith(UpdateCall).isEmpty());
            QCOMPARE(FixtureValue(*db, "select Description || ' ' || TransactionDate from tblAccountDocumentDetail "
                                       "where DocumentID=102 and RowNumber=1").toString(),
                     QStringLiteral("واريز نقدي 2024-04-10"));
        }
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
        const int row = column(DocumentID).indexOf("104") + 1; // its one row, 104/1
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

    // Back on the shown account keeps the rows.
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
