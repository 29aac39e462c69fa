// The per-document summary view: the grid's rows folded into one row per
// accounting document, without a new query.

#include "ledger_window/frmAccountDetails.h"
#include "ledger_window/ledger/LedgerColumns.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/comAccountPicker.h"
#include "session/modMain.h"

using namespace LedgerCol;

namespace {
constexpr quint32 WindowTextColor = 0x80000008;
constexpr int GenericAscending = 1;
}

void frmAccountDetails::ShowDocumentSummary()
{
    FlexGrid &grid = *flxAccount;
    grid.setCol(AccTransCode);
    grid.Sort(GenericAscending);

    const QString accountText = sltAccount->AccountTitleText();
    int i = 1;
    while (i < grid.Rows() - 1) {
        if (grid.TextMatrix(i, DocumentID) != grid.TextMatrix(i + 1, DocumentID)) {
            ++i;
            continue;
        }
        // Fold row i + 1 into row i: net the document's debit against its credit.
        const Currency debit = ParseAmount(grid.TextMatrix(i, Debit)) + ParseAmount(grid.TextMatrix(i + 1, Debit));
        const Currency credit = ParseAmount(grid.TextMatrix(i, Credit)) + ParseAmount(grid.TextMatrix(i + 1, Credit));
        const bool debitWins = credit < debit;
        const QString zero = QStringLiteral("0");
        grid.setTextMatrix(i, Debit, debitWins ? FormatAmount(debit - credit) : zero);
        grid.setTextMatrix(i, Credit, debitWins ? zero : FormatAmount(credit - debit));
        grid.setTextMatrix(i, DebitBalance, grid.TextMatrix(i + 1, DebitBalance));
        grid.setTextMatrix(i, CreditBalance, grid.TextMatrix(i + 1, CreditBalance));
        grid.setTextMatrix(i, IsChecked, QString());
        grid.setTextMatrix(i, Description,
                           QStringLiteral("سرجمع حساب ") + accountText + QStringLiteral(" در سند به شماره ")
                               + grid.TextMatrix(i, AccTransCode));
        grid.setRow(i);
        grid.setCol(AccTransCode);
        grid.setColSel(IsChecked);
        grid.setCellForeColor(WindowTextColor);
        grid.RemoveItem(i + 1);
    }
}
