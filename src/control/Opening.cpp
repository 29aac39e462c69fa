// Opening the ledger window from the host: the session is filled from the
// control's properties, the period worked out, permission 315 checked, and
// the window prepared and shown.

#include "control/comAccountDetail1.h"
#include "ledger_window/frmAccountDetails.h"
#include "session/DatabaseError.h"
#include "session/Messages.h"
#include "session/Session.h"
#include "session/ValueText.h"
#include "outside/controls/VelkoSelector.h"
#include "session/modMain.h"

#include <QEventLoop>
#include <QSignalBlocker>
#include <QLabel>
#include <QPushButton>
#include <stdexcept>

namespace {

const QString kViewRefusedMessage = QStringLiteral("شما مجاز به انجام اين عمليات نيستيد.");
constexpr int LedgerPermission = 315;

// Reads a period row into the session; the ID only when asked.
void readPeriod(qint16 periodId, bool takeId)
{
    Recordset &period = ReopenOnText(QStringLiteral("rssqlAccPeriodSpec"),
                                     QStringLiteral("Select * From tblAccountPeriod Where ID =") + QString::number(periodId));
    if (period.RecordCount() > 0) {
        if (takeId)
            Session.PeriodID = qint16(period.Field(QStringLiteral("ID")).toInt());
        Session.PeriodBeginDate = ValueDate(period.Field(QStringLiteral("BeginDate")));
        Session.PeriodEndDate = ValueDate(period.Field(QStringLiteral("EndDate")));
    }
    period.Close();
}

// The period number N of the user's current period. The procedure answers a
// 32-bit value; one outside 16 bits would wrap into another period, so it is
// an error to the caller instead.
qint16 currentUserPeriod()
{
    const qint32 period = RunCommandValue(QStringLiteral("spAccountGetCurrentUserPeriod"), {Session.UserID});
    if (period < -32768 || period > 32767)
        throw std::out_of_range(
            QStringLiteral("شماره دوره %1 كه spAccountGetCurrentUserPeriod برگرداند خارج از محدوده -32768 تا 32767 است.")
                .arg(period)
                .toStdString());
    return qint16(period);
}

} // namespace

frmAccountDetails *comAccountDetail1::LedgerWindow() const
{
    return frmAccountDet;
}

void comAccountDetail1::prepareWindow()
{
    // Only the current window speaks for the control: the one opened before
    // stays open, but its relationship events no longer reach the host.
    if (frmAccountDet)
        disconnect(frmAccountDet, nullptr, this, nullptr);
    frmAccountDet = new frmAccountDetails(this);
    connect(frmAccountDet, &frmAccountDetails::CreateNewRelationship, this, &comAccountDetail1::CreateNewRelationship);
    connect(frmAccountDet, &frmAccountDetails::ShowRelationships, this, &comAccountDetail1::ShowRelationships);

    Session.ConnectionText = m_oleConnectionString;
    Session.UserID = m_userID;
    Session.PositionID = m_positionID;
    Session.EmployeeID = m_employeeID;
    StartSession();

    if (m_accPeriodSpecID < 1) {
        readPeriod(currentUserPeriod(), true);
    } else {
        Session.PeriodID = m_accPeriodSpecID;
        readPeriod(Session.PeriodID, false);
    }
    Session.PeriodCondition = BuildPeriodCondition(Session.PeriodBeginDate, Session.PeriodEndDate);
}

void comAccountDetail1::releaseRefusedWindow()
{
    if (frmAccountDet)
        frmAccountDet->deleteLater();
    frmAccountDet = nullptr;
}

void comAccountDetail1::showWindow()
{
    frmAccountDetails *window = frmAccountDet;
    window->EnsureLoaded();
    if (m_hostAllowsModeless) {
        window->show();
        return;
    }
    // Modal: the opening returns only when the user closes the window.
    window->setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    connect(window, &frmAccountDetails::Unloaded, &loop, &QEventLoop::quit);
    window->show();
    loop.exec();
}

QVariant comAccountDetail1::View(const QVariant &AccountID)
{
    // The host's condition goes into every ledger statement: refuse one that
    // could end the statement or comment out the conditions after it.
    RequireSingleSqlCondition(m_sqlString);
    prepareWindow();
    if (!m_caption.isEmpty()) {
        // Setting the title is the first access: start-up runs, then the
        // host's caption replaces the period title.
        frmAccountDet->EnsureLoaded();
        frmAccountDet->setWindowTitle(m_caption);
    }
    Session.RowCondition = m_sqlString.isEmpty() ? QString() : QStringLiteral(" And ") + m_sqlString;
    if (!HasPermission(LedgerPermission)) {
        ShowMessage(ErrorTitle, kViewRefusedMessage);
        releaseRefusedWindow();
        return QVariant();
    }
    // Converted only now, so that a refused user sees the refusal whatever
    // the account, and the session is filled either way.
    bool numeric = false;
    const qint32 accountId = AccountID.toInt(&numeric);
    if (!numeric) {
        releaseRefusedWindow();
        throw DatabaseError(QStringLiteral("شماره حساب \"%1\" عدد نيست.").arg(AccountID.toString()));
    }
    Session.EditState = 3;
    frmAccountDet->EnsureLoaded();
    frmAccountDet->SetLockedProperty();
    frmAccountDet->cmdEdit->setEnabled(true);
    frmAccountDet->cmdSave->setEnabled(false);
    frmAccountDet->lblMessage->setText(QString());
    Session.RequeryFlag = 1;
    frmAccountDet->ReturnAccounts(accountId);
    showWindow();
    return QVariant();
}

QVariant comAccountDetail1::ViewByDetails(qint32 AccountID, qint32 ClassID1, qint32 ObjectID1, qint32 ClassID2,
                                          qint32 ObjectID2, qint32 ClassID3, qint32 ObjectID3)
{
    RequireSingleSqlCondition(m_sqlString);
    prepareWindow();
    frmAccountDetails *window = frmAccountDet;
    window->EnsureLoaded();
    if (!m_caption.isEmpty())
        window->setWindowTitle(m_caption);
    Session.RowCondition = m_sqlString.isEmpty() ? QString() : QStringLiteral(" And ") + m_sqlString;
    Session.EditState = 3;
    window->SetLockedProperty();
    window->cmdEdit->setEnabled(true);
    window->cmdSave->setEnabled(false);
    window->lblMessage->setText(QString());
    Session.RequeryFlag = 1;

    // Up to three analytic pairs; -1 for the class or the object sets none.
    const std::pair<qint32, qint32> pairs[] = {{ClassID1, ObjectID1}, {ClassID2, ObjectID2}, {ClassID3, ObjectID3}};
    for (int n = 1; n <= 3; ++n) {
        const auto [classId, objectId] = pairs[n - 1];
        if (classId != -1 && objectId != -1) {
            {
                // The class change runs once, here, rather than also from the signal.
                const QSignalBlocker blocker(window->sltClass[n]);
                window->sltClass[n]->setSelectedID(classId);
            }
            window->sltClass_Change(n);
            window->sltObject[n]->setSelectedID(objectId);
        } else {
            window->sltClass[n]->Clear();
            window->sltObject[n]->Clear();
        }
    }

    // Asked only now: a refused user's window has run its start-up, and is
    // released rather than left hidden where nobody can reach it.
    if (!HasPermission(LedgerPermission)) {
        ShowMessage(ErrorTitle, NotPermittedMessage);
        releaseRefusedWindow();
        return QVariant();
    }
    window->ReturnAccountsWithScratch(AccountID);
    showWindow();
    return QVariant();
}

QVariant comAccountDetail1::ClearShow()
{
    prepareWindow();
    Session.RowCondition.clear();
    if (!HasPermission(LedgerPermission)) {
        ShowMessage(ErrorTitle, NotPermittedMessage);
        releaseRefusedWindow();
        return QVariant();
    }
    showWindow();
    return QVariant();
}
