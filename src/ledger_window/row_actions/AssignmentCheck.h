#pragma once
// A click on the ledger grid: a click on the header row sorts the rows by that
// column; on an account under assignment control, the current row's links in
// tblVelkoRelatedForms are then checked against the rows of the grid. The
// counterpart rows the links point to are lit light yellow with the linked
// amount in column 29, every link whose counterpart is not in the grid is
// reported, and so is a row whose links do not add up to the assigned amount
// the grid shows for it. The check only reads the database.
//
// The grid walks below are single passes over the rows on UTF-8 cell texts,
// with painting off, so that they stay quick on a ledger of a million rows.

#include "session/Currency.h"

#include <QString>
#include <QtGlobal>

class FlexGrid;

namespace AssignmentCheckTexts {
// A link whose counterpart row is not in the grid:
// head + form type name + afterType + form ID + afterId + amount + tail.
inline const QString MissingHead = QStringLiteral("تخصيص مربوط به فرم ”");
inline const QString MissingAfterType = QStringLiteral("“ و ش.ر. ”");
inline const QString MissingAfterId = QStringLiteral("“ با مبلغ تخصيص ”");
inline const QString MissingTail = QStringLiteral("“ يافت نشد.");
inline const QString Mismatch = QStringLiteral("مبالغ تخصيص يافته با مبلغ مندرج در رديف جاري مغايرت دارد.");
} // namespace AssignmentCheckTexts

// Background of a counterpart row (light yellow).
inline constexpr quint32 CounterpartBackColor = 0x80FFFF;
// Form type under which accounting documents take part in links.
inline constexpr qint32 AccountingDocumentFormType = 303;

// What the check reads from the clicked row.
struct AssignmentRowValues
{
    qint64 documentId = 0; // columns 1, 17, 22, 21 as ParseDateNumber reads them (-1 when empty)
    qint64 rowNumber = 0;
    qint64 formTypeId = 0;
    qint64 formId = 0;
    bool debitRow = false; // a positive debit; a zero debit counts as credit
    Currency gridTotal;    // assigned debit plus assigned credit (columns 25 and 26)
};
AssignmentRowValues ReadAssignmentRow(const FlexGrid &grid, int row);

// The links of the row. A debit row reads the forms that refer to it (it is
// the related end, by row number); any other row reads the forms it refers
// to, for every row of its document.
QString AssignmentLinksQuery(const AssignmentRowValues &row);

QString MissingCounterpartMessage(const QString &formTypeName, const QString &formId, const QString &amount);

// Gives every data row back its own background (the colour kept in column 30)
// and empties column 29. A row whose column 30 holds no colour (the
// draft-inclusive ledger keeps none) keeps its background, unless it still
// shows the counterpart colour: that row gets the alternating colour of its
// position, as the load paints it.
void ResetAssignmentMarks(FlexGrid &grid);

// Lights up every row, debit rows when amongDebitRows is set and the other
// rows otherwise, that belongs to the form (formTypeId, formId): a row of
// accounting document formId when the type is 303, or a row whose source form
// (columns 22 and 21) is that form. Rows excluded from assignment are left
// alone. Each lit row gets the amount, with separators, in column 29.
// Returns whether any row was lit.
bool MarkCounterparts(FlexGrid &grid, qint64 formTypeId, qint64 formId, qint64 amount, bool amongDebitRows);

// The whole check of data row `row` (nothing for any other row, or for a row
// excluded from assignment). The caller decides whether the account is under
// assignment control. A failing query throws; painting is on again by then.
void CheckAssignmentOfRow(FlexGrid &grid, int row);

// Sorts the data rows by column `col`: the Jalali document date as text, the
// four amount columns by value (their texts are rewritten as plain numbers
// for the sort and get their separators back after it), any other column by
// the grid's generic order.
void SortLedgerByColumn(FlexGrid &grid, int col, bool ascending);
