// The search bar over the ledger grid: open, find the next matching row
// (wrapping around once), close.

#include "ledger_window/filters/LedgerSearch.h"
#include "ledger_window/frmAccountDetails.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/VelkoDate.h"

#include <QFrame>
#include <QLineEdit>
#include <QPushButton>

void frmAccountDetails::mnuAccountDetailSearch_Click()
{
    SearchStartRow = 1;
    alignSearchBar();
    FrameSearchDetail->show();
    FrameSearchDetail->raise();
    txtAccDescSearch->clear();
    txtPriceSearch->clear();
    DateSearch->Clear();
    // A disabled grid (while a row is edited) simply keeps the focus away.
    flxAccount->setFocus();
    txtAccDescSearch->setFocus(Qt::ShortcutFocusReason);
}

void frmAccountDetails::cmdOkey_Click()
{
    const LedgerRowMatcher matcher(DateSearch->IsEmpty() ? QString() : DateSearch->JalaliText(),
                                   txtAccDescSearch->text(), txtPriceSearch->text());
    const int row = FindMatchingRow(*flxAccount, matcher, SearchStartRow);
    if (row == 0)
        return; // nothing found: silent, and the next search starts where this one did
    flxAccount->setRow(row);
    SearchStartRow = row + 1 == flxAccount->Rows() ? 1 : row + 1;
    flxAccount->setTopRow(row);
    flxAccount->setCol(0);
    flxAccount->setColSel(flxAccount->Cols() - 1);
    // Enter on the button goes on to the next match.
    cmdOkey->setFocus(Qt::OtherFocusReason);
}

void frmAccountDetails::cmdCancel_Click()
{
    SearchStartRow = 1;
    FrameSearchDetail->hide();
    flxAccount->setFocus(Qt::OtherFocusReason);
}
