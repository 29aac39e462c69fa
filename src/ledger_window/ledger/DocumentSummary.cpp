// The per-document summary view.

#include "ledger_window/ledger/DocumentSummary.h"

#include "ledger_window/frmAccountDetails.h"
#include "ledger_window/ledger/CellText.h"
#include "ledger_window/ledger/LedgerColumns.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/comAccountPicker.h"
#include "session/modMain.h"

#include <string>
#include <vector>

using namespace LedgerCol;

namespace {
constexpr quint32 WindowTextColor = 0x80000008;

Currency amountAt(const FlexGrid &grid, int row, int col, std::string &scratch)
{
    return CellAmount(grid.cellUtf8(row, col), scratch);
}
} // namespace

int FoldDocumentRows(FlexGrid &grid, const QString &accountText)
{
    const int rows = grid.Rows();
    std::vector<bool> drop(std::size_t(std::max(rows, 0)), false);
    const bool redraw = grid.Redraw();
    grid.setRedraw(false);
    int removed = 0;
    int lastFolded = 0; // the last folded row, numbered as after the removal
    std::string scratch;
    for (int first = 1; first < rows - 1;) {
        const std::string_view document = grid.cellUtf8(first, DocumentID);
        int last = first;
        while (last + 1 < rows && grid.cellUtf8(last + 1, DocumentID) == document)
            ++last;
        if (last == first) {
            ++first;
            continue;
        }
        // Row by row as a person would add them up: each step nets the
        // document's debit so far against its credit so far.
        Currency debit = amountAt(grid, first, Debit, scratch);
        Currency credit = amountAt(grid, first, Credit, scratch);
        for (int row = first + 1; row <= last; ++row) {
            const Currency sumDebit = debit + amountAt(grid, row, Debit, scratch);
            const Currency sumCredit = credit + amountAt(grid, row, Credit, scratch);
            const bool debitWins = sumCredit < sumDebit;
            debit = debitWins ? sumDebit - sumCredit : Currency();
            credit = debitWins ? Currency() : sumCredit - sumDebit;
            drop[std::size_t(row)] = true;
        }
        grid.setTextMatrix(first, Debit, FormatAmount(debit));
        grid.setTextMatrix(first, Credit, FormatAmount(credit));
        grid.setTextMatrix(first, DebitBalance, grid.TextMatrix(last, DebitBalance));
        grid.setTextMatrix(first, CreditBalance, grid.TextMatrix(last, CreditBalance));
        grid.setTextMatrix(first, IsChecked, QString());
        grid.setTextMatrix(first, Description,
                           QStringLiteral("سرجمع حساب ") + accountText + QStringLiteral(" در سند به شماره ")
                               + grid.TextMatrix(first, AccTransCode));
        grid.setRow(first);
        grid.setCol(AccTransCode);
        grid.setColSel(IsChecked);
        grid.setCellForeColor(WindowTextColor);
        lastFolded = first - removed;
        removed += last - first;
        first = last + 1;
    }
    if (removed > 0) {
        grid.RemoveRows(drop);
        // The folded row last worked on stays current, as it was coloured.
        grid.setRow(lastFolded);
        grid.setCol(AccTransCode);
        grid.setColSel(IsChecked);
    }
    grid.setRedraw(redraw);
    return removed;
}

void frmAccountDetails::ShowDocumentSummary()
{
    // Sorted by document code, a document's rows are adjacent.
    flxAccount->setCol(AccTransCode);
    flxAccount->Sort(FlexGrid::SortGenericAscending);
    // The panel follows the folded row that ends up current.
    if (FoldDocumentRows(*flxAccount, sltAccount->AccountTitleText()) > 0)
        flxAccount_SelChange();
}
