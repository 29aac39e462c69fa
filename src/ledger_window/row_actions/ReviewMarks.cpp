// Review marks and assignment exclusion: the grid's popup menu on a right
// press, its four items that flag the selected rows in the database and show
// the new mark at once, and the hover text of the grid.

#include "ledger_window/row_actions/ReviewMarks.h"

#include "ledger_window/frmAccountDetails.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/OleColor.h"
#include "session/Messages.h"
#include "session/Session.h"
#include "session/modMain.h"

#include <QAction>
#include <QMenu>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <vector>

using namespace LedgerCol;

namespace {

constexpr int LastColumn = ColumnCount - 1;

// The four actions as the users know them: statement, mark and colour.
const RowMarkAction RowMarkActions[] = {
    {"mnuIsChecked", "Update tblAccountDocumentDetail Set IsChecked = 1 Where DocumentID = ", IsChecked,
     "بررسي شد", IsChecked, OleColors::Red, false},
    {"mnuIsNotChecked", "Update tblAccountDocumentDetail Set IsChecked = 0 Where DocumentID = ", IsChecked, "",
     IsChecked, OleColors::SystemWindowText, false},
    // An exclusion concerns the whole row, so the whole row takes its colour.
    {"mnuIsAssignmentExcluded", "Update tblAccountDocumentDetail Set IsAssignmentExcluded = 1 Where DocumentID = ",
     AssignmentState, LedgerGridTexts::ExcludedMark, LastColumn, OleColors::Red, true},
    {"mnuIsNotAssignmentExcluded", "Update tblAccountDocumentDetail Set IsAssignmentExcluded = 0 Where DocumentID = ",
     AssignmentState, "", LastColumn, OleColors::SystemWindowText, true},
};

} // namespace

const RowMarkAction &RowMarkActionOf(RowMark mark)
{
    return RowMarkActions[static_cast<int>(mark)];
}

QString RowMarkStatement(RowMark mark, qint32 documentId, qint32 rowNumber)
{
    return QString::fromUtf8(RowMarkActionOf(mark).statementHead) + QString::number(documentId)
           + QStringLiteral(" And RowNumber = ") + QString::number(rowNumber);
}

qint32 RowKeyValue(QStringView text)
{
    // Nearest integer, halves to even, as the host's conversion rounds.
    const double value = std::nearbyint(LeadingNumber(text));
    if (!(value >= double(INT32_MIN) && value <= double(INT32_MAX)))
        throw std::out_of_range(QStringLiteral("شماره رديف %1 خارج از محدوده عدد صحيح 32 بيتي است.")
                                    .arg(text.toString())
                                    .toStdString());
    return qint32(value);
}

RowSpan SelectedDataRows(int row, int rowSel, int rows)
{
    RowSpan span;
    span.first = std::max(1, std::min(row, rowSel));
    span.last = std::min(rows - 1, std::max(row, rowSel));
    return span;
}

// ---- the window's handlers ---------------------------------------------------

void frmAccountDetails::flxAccount_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, const QPoint &position)
{
    if (button != Qt::RightButton)
        return;
    // Only over a row of the ledger: the header, the space below the last
    // row and the empty row of a grid without a ledger offer nothing to mark.
    const int row = flxAccount->MouseRow();
    if (row < 1 || row >= flxAccount->Rows() || flxAccount->TextMatrix(row, DocumentID).isEmpty())
        return;
    if (!HasPermission(ReviewMarkPermission))
        return;
    menuItem(QStringLiteral("mnuIsAssignmentExcluded"))->setEnabled(IsAssignmentAccount);
    menuItem(QStringLiteral("mnuIsNotAssignmentExcluded"))->setEnabled(IsAssignmentAccount);
    mnuChecked->popup(flxAccount->mapToGlobal(position));
}

void frmAccountDetails::flxAccount_MouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, const QPoint &)
{
    // Row 1 never gets its own hover text; over it and the header the
    // earlier text stays.
    const int row = flxAccount->MouseRow();
    if (row > 1 && row < flxAccount->Rows())
        flxAccount->setToolTipText(flxAccount->TextMatrix(row, AccTransDescription));
}

namespace {

// The one loop of the four items.
void ApplyRowMark(frmAccountDetails &window, RowMark mark)
{
    const RowMarkAction &action = RowMarkActionOf(mark);
    if (action.needsExclusionPermission && !HasPermission(AssignmentExclusionPermission)) {
        ShowMessage(RowActionErrorTitle, NotPermittedMessage);
        return;
    }
    FlexGrid &grid = *window.flxAccount;
    // Top to bottom whichever way the block was selected; rows without a
    // stored ledger row behind them (the empty row of an empty grid) are left
    // alone.
    const RowSpan span = SelectedDataRows(grid.Row(), grid.RowSel(), grid.Rows());
    QStringList statements;
    std::vector<int> marked;
    statements.reserve(span.count());
    marked.reserve(std::size_t(span.count()));
    for (int r = span.first; r <= span.last; ++r) {
        const QString documentId = grid.TextMatrix(r, DocumentID);
        if (documentId.isEmpty())
            continue;
        statements << RowMarkStatement(mark, RowKeyValue(documentId), RowKeyValue(grid.TextMatrix(r, RowNumber)));
        marked.push_back(r);
    }

    if (!marked.empty()) {
        // All rows or none: a failing statement rolls back the ones before it
        // and reaches the window's boundary as "خطا"; the grid changes only
        // after the commit, so it never shows a mark that was not stored.
        Session.DataEnvironment().ExecuteTexts(statements);

        // Painting off: one repaint and no selection signal per row.
        const bool redraw = grid.Redraw();
        grid.setRedraw(false);
        for (int r : marked)
            grid.setCellUtf8(r, action.column, action.text);
        grid.setRow(marked.front());
        grid.setRowSel(marked.back());
        grid.setCol(AccTransCode);
        grid.setColSel(action.lastColouredColumn);
        grid.setCellForeColor(action.colour);
        grid.setRedraw(redraw);
        // The selection ends on the last row marked, over the marked columns.
        grid.setRow(marked.back());
    }
    grid.setFocus();
}

} // namespace

void frmAccountDetails::mnuIsChecked_Click() { ApplyRowMark(*this, RowMark::Reviewed); }
void frmAccountDetails::mnuIsNotChecked_Click() { ApplyRowMark(*this, RowMark::NotReviewed); }
void frmAccountDetails::mnuIsAssignmentExcluded_Click() { ApplyRowMark(*this, RowMark::Excluded); }
void frmAccountDetails::mnuIsNotAssignmentExcluded_Click() { ApplyRowMark(*this, RowMark::Included); }
