#pragma once
// Review marks and assignment exclusion: the four items of the grid's popup
// menu set a flag of the stored ledger rows behind the selected grid rows and
// show the new mark at once, without re-reading the ledger. What needs no
// widget is here: the table of the four actions, their statements and the
// rows a selection stands for.

#include "ledger_window/ledger/LedgerColumns.h"

#include <QString>
#include <QStringView>

enum class RowMark : int {
    Reviewed,    // mnuIsChecked
    NotReviewed, // mnuIsNotChecked
    Excluded,    // mnuIsAssignmentExcluded
    Included,    // mnuIsNotAssignmentExcluded
};

struct RowMarkAction
{
    const char *menuItem;
    const char *statementHead; // joined with DocumentID, " And RowNumber = ", RowNumber
    LedgerColumn column;       // the column that shows the mark
    const char *text;          // UTF-8; what that column shows afterwards
    int lastColouredColumn;    // the text colour is set on columns 0 to this one
    quint32 colour;            // OLE colour
    bool needsExclusionPermission;
};

// Permission of the grid's popup (and so of the two review items).
inline constexpr int ReviewMarkPermission = 31505;
// Permission of the two exclusion items, asked again when one is chosen.
inline constexpr int AssignmentExclusionPermission = 31507;

const RowMarkAction &RowMarkActionOf(RowMark mark);

// The statement that sets the action's flag of one stored ledger row.
QString RowMarkStatement(RowMark mark, qint32 documentId, qint32 rowNumber);

// A grid key cell (DocumentID, RowNumber) as the 32-bit key it stands for:
// its leading number rounded to the nearest integer. A number beyond 32 bits
// throws std::out_of_range rather than naming another row.
qint32 RowKeyValue(QStringView text);

// The data rows between the two ends of a selection, top to bottom, whichever
// end is the current row; cut to the data rows 1 .. rows - 1 of the grid.
// Empty (first > last) when no data row is covered.
struct RowSpan
{
    int first = 1;
    int last = 0;
    bool isEmpty() const { return first > last; }
    int count() const { return isEmpty() ? 0 : last - first + 1; }
};
RowSpan SelectedDataRows(int row, int rowSel, int rows);
