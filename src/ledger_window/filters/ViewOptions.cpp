// The view options of the tools menu (sort order, balanced or unbalanced
// intermediary forms, reviewed or unreviewed rows), the refresh and the
// per-document switch.

#include "ledger_window/frmAccountDetails.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/comAccountPicker.h"
#include "session/Session.h"
#include "ledger_window/startup_layout/WindowLayout.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QSignalBlocker>

#include <initializer_list>
#include <utility>

namespace {

// The grid gives its lower 350 twips to the balances up to today while the
// due-date order shows them.
constexpr int UpToTodayBandTwips = 350;

// The rows of forms that are (not) balanced on the account, through the
// account's document summary view.
QString formBalanceCondition(const char *inOrNotIn, qint32 accountId)
{
    return QStringLiteral(" and FormID ") + QLatin1String(inOrNotIn)
           + QStringLiteral(" (Select FormID From vwAccountDocumentInfo where AccountID= ") + QString::number(accountId)
           + QStringLiteral(" And SumDebit<>SumCredit)");
}

} // namespace

void frmAccountDetails::setMenuChecks(std::initializer_list<std::pair<const char *, bool>> marks)
{
    for (const auto &[name, checked] : marks)
        menuItem(QLatin1String(name))->setChecked(checked);
}

bool frmAccountDetails::mayReread()
{
    // Without an account nothing is re-read, so nothing needs asking.
    return sltAccount->IsEmpty() || ConfirmLeaveEditing();
}

void frmAccountDetails::rereadLedger(bool withoutPeriod)
{
    if (sltAccount->IsEmpty())
        return;
    // The period limit is lifted for this one read and comes back even when
    // the read fails, so later reads keep their period.
    const QString periodCondition = Session.PeriodCondition;
    if (withoutPeriod)
        Session.PeriodCondition.clear();
    Session.RequeryFlag = 1;
    try {
        ReturnAccounts(sltAccount->AccountID());
    } catch (...) {
        Session.PeriodCondition = periodCondition;
        throw;
    }
    Session.PeriodCondition = periodCondition;
}

void frmAccountDetails::switchSortOrder(bool byDueDate)
{
    QAction *chosen = menuItem(byDueDate ? QStringLiteral("mnuSortTransactionDate") : QStringLiteral("mnuSortDocumentDate"));
    if (chosen->isChecked())
        return;
    setMenuChecks({{"mnuSortDocumentDate", !byDueDate}, {"mnuSortTransactionDate", byDueDate}});
    frmRemainedtoday->setVisible(byDueDate);
    const int change = TwipsToPixels(UpToTodayBandTwips);
    flxAccount->resize(flxAccount->width(), flxAccount->height() + (byDueDate ? -change : change));
    Session.RequeryFlag = 1;
    sltAccount_Change();
}

void frmAccountDetails::mnuSortDocumentDate_Click()
{
    switchSortOrder(false);
}

void frmAccountDetails::mnuSortTransactionDate_Click()
{
    switchSortOrder(true);
}

void frmAccountDetails::chooseViewOption(std::initializer_list<std::pair<const char *, bool>> marks,
                                         const QString &rowCondition, bool withoutPeriod)
{
    if (!mayReread())
        return;
    setMenuChecks(marks);
    Session.RowCondition = rowCondition;
    rereadLedger(withoutPeriod);
}

// Form balance. Without an account the picker reads 0, which keeps the
// condition valid SQL for whatever reads it next.
void frmAccountDetails::mnuwithOutQuery_Click()
{
    chooseViewOption({{"mnuwithOutQuery", true}, {"mnuWithNotFormBalance", false}, {"mnuWithFormBalance", false}},
                     QString(), false);
}

void frmAccountDetails::mnuWithNotFormBalance_Click()
{
    chooseViewOption({{"mnuwithOutQuery", false}, {"mnuWithNotFormBalance", true}, {"mnuWithFormBalance", false}},
                     formBalanceCondition("In", sltAccount->AccountID()), true);
}

void frmAccountDetails::mnuWithFormBalance_Click()
{
    chooseViewOption({{"mnuwithOutQuery", false}, {"mnuWithNotFormBalance", false}, {"mnuWithFormBalance", true}},
                     formBalanceCondition("Not In", sltAccount->AccountID()), true);
}

// Review state: all rows keep the period limit, reviewed or unreviewed rows
// are listed from every period.
void frmAccountDetails::mnuAllCheck_Click()
{
    chooseViewOption({{"mnuAllCheck", true}, {"mnuUnChecked", false}, {"mnuChecke", false}}, QString(), false);
}

void frmAccountDetails::mnuChecke_Click()
{
    chooseViewOption({{"mnuAllCheck", false}, {"mnuUnChecked", false}, {"mnuChecke", true}},
                     QStringLiteral(" and IsChecked = 1 "), true);
}

void frmAccountDetails::mnuUnChecked_Click()
{
    chooseViewOption({{"mnuAllCheck", false}, {"mnuUnChecked", true}, {"mnuChecke", false}},
                     QStringLiteral(" and IsChecked = 0"), true);
}

void frmAccountDetails::mnuRefresh_Click()
{
    if (!mayReread())
        return;
    rereadLedger(false);
}

void frmAccountDetails::chkMix_Click()
{
    if (chkMix->isChecked()) {
        ShowDocumentSummary();
        return;
    }
    // Back to one line per row: the rebuild reads the ledger again. When the
    // user keeps an open edit instead, the folded grid stays, and so does the tick.
    cmdReset_Click();
    if (IsEditing()) {
        const QSignalBlocker blocker(chkMix);
        chkMix->setChecked(true);
    }
}
