#pragma once
// The 32 columns of the ledger grid flxAccount, in the order of the ledger
// query's select list (column c always shows field c), their header texts
// and widths, and the painting of whole rows. Some columns are shown; the
// others are zero-width carriers of data that the row actions, the fill and
// the summary view read back by column.

#include <QtGlobal>

#include <array>

class FlexGrid;

enum LedgerColumn : int {
    AccTransCode = 0,
    DocumentID,
    FarsiDocumentDate,
    FarsiTransactionDate,
    Description,
    Debit,
    Credit,
    DebitBalance,
    CreditBalance,
    DocumentType,
    AdditionalFormSpec,
    DocumentDate,
    TransactionDate,
    DocumentTypeID,
    ContractID,
    AccContract,
    AccTransDescription,
    RowNumber,
    IsFinalized,
    IsChecked,
    AccountCode,
    FormID,
    FormTypeID,
    FormType,
    FileName,
    AssignedDebit,
    AssignedCredit,
    RemNotAssignedDebit,
    RemNotAssignedCredit,
    AssignmentCheck,
    RowColor,
    AssignmentState,
    ColumnCount
};
static_assert(AssignmentState == 31 && ColumnCount == 32);

// The same names under a qualifier, for code that prefers LedgerCol::Debit
// or a using-directive.
namespace LedgerCol {
using enum ::LedgerColumn;
}

struct LedgerColumnLayout
{
    LedgerColumn column;
    const char *name;
    const char *startupHeader; // UTF-8
    int startupWidth;          // twips; 0 hides the column
    const char *queryHeader;   // nullptr: an ordinary query leaves the header as it is
    int queryWidth;            // -1: left as it is, or chosen by the query's options
};

// Header texts and widths at window start-up and after an ordinary query.
const std::array<LedgerColumnLayout, ColumnCount> &LedgerColumnTable();

// Texts and colours the grid's rows carry.
namespace LedgerGridTexts {
// Column 1's header when the system document number replaces the document code.
inline constexpr char DocumentNumberHeader[] = "شماره سند";
// Column 19 of a reviewed row.
inline constexpr char ReviewedMark[] = "بررسي شد.";
// Column 31 of a row excluded from assignment (written by the ledger query).
inline constexpr char ExcludedMark[] = "خارج از تخصيص";
} // namespace LedgerGridTexts

namespace LedgerGridColors {
inline constexpr quint32 OddRowBack = 14408673;    // 0xDBDBE1, light grey
inline constexpr quint32 EvenRowBack = 0x80000005; // system window background
} // namespace LedgerGridColors

// Start-up shape of the grid: 32 columns, one header row, one empty data row,
// start-up headers and widths, centred cells of columns 0 to 6 and centred
// header cells of columns 0 and 2 to 8. With document-number mode 2 the system
// document number (column 1) replaces the hidden document code (column 0).
void SetupLedgerGridAtStartup(FlexGrid &grid, qint16 documentNumberMode);

// Layout after an ordinary ledger query: headers and widths as the column
// table says, the review column shown only to users allowed to see it, and
// exactly one of the two date columns shown, by the chosen sort order.
void ApplyLedgerLayoutAfterQuery(FlexGrid &grid, qint16 documentNumberMode, bool sortByDocumentDate,
                                 bool reviewColumnVisible);

// Layout after the draft-inclusive query: the same, except that the column
// count, the description width and columns 29 to 31 are left as they are.
void ApplyScratchLayoutAfterQuery(FlexGrid &grid, qint16 documentNumberMode, bool sortByDocumentDate,
                                  bool reviewColumnVisible);

// Selects the whole row and gives every cell of it the background colour.
// Leaves the row selected.
void PaintRow(FlexGrid &grid, int row, quint32 colour);

// Switches painting off and colours the data rows alternately (odd rows
// light grey, even rows the window background), keeping each row's colour as
// decimal text in column 30 so that a temporary highlight can be undone.
// Painting stays off; the caller switches it on after the fill.
void PaintAlternatingRowBackgrounds(FlexGrid &grid);

// The draft-inclusive ledger paints the same colours but keeps no copy in
// column 30.
void PaintScratchRowBackgrounds(FlexGrid &grid);
