#include "ledger_window/ledger/LedgerColumns.h"

#include "outside/controls/FlexGrid.h"

#include <charconv>

namespace {

const std::array<LedgerColumnLayout, ColumnCount> Columns = {{
    {AccTransCode, "AccTransCode", "شماره", 600, "شماره", -1},
    {DocumentID, "DocumentID", "شماره سيستمي", 0, "شماره سيستمي", -1},
    {FarsiDocumentDate, "FarsiDocumentDate", "تاريخ سند", 1000, "تاريخ سند", -1},
    {FarsiTransactionDate, "FarsiTransactionDate", "تاريخ سررسيد", 0, "تاريخ سررسيد", -1},
    {Description, "Description", "شرح", 1400, "شرح", 5000},
    {Debit, "Debit", "بدهكار", 1600, "بدهكار", -1},
    {Credit, "Credit", "بستانكار", 1600, "بستانكار", -1},
    {DebitBalance, "DebitBalance", "مانده بدهكار", 1600, "مانده بدهكار", -1},
    {CreditBalance, "CreditBalance", "مانده بستانكار", 1600, "مانده بستانكار", -1},
    {DocumentType, "DocumentType", "DocumentType", 0, nullptr, -1},
    {AdditionalFormSpec, "AdditionalFormSpec", "AdditionalFormSpec", 0, nullptr, -1},
    {DocumentDate, "DocumentDate", "dtpDocumentDate", 0, nullptr, -1},
    {TransactionDate, "TransactionDate", "dtpTrans", 0, nullptr, -1},
    {DocumentTypeID, "DocumentTypeID", "DocumentTypeID", 0, nullptr, -1},
    {ContractID, "ContractID", "ContractID", 0, nullptr, -1},
    {AccContract, "AccContract", "AccContractDescription", 0, nullptr, -1},
    {AccTransDescription, "AccTransDescription", "TransDescription", 0, nullptr, -1},
    {RowNumber, "RowNumber", "RowNumber", 0, nullptr, -1},
    {IsFinalized, "IsFinalized", "IsFinalized", 0, nullptr, -1},
    {IsChecked, "IsChecked", "IsChecked", 0, "بررسي", -1},
    {AccountCode, "AccountCode", "AccountCode", 0, nullptr, -1},
    {FormID, "FormID", "FormID", 0, nullptr, -1},
    {FormTypeID, "FormTypeID", "FormTypeID", 0, nullptr, -1},
    {FormType, "FormType", "FormType", 0, nullptr, -1},
    {FileName, "FileName", "FileName", 0, nullptr, -1},
    {AssignedDebit, "AssignedDebit", "تخصيص يافته بد", 1600, "تخصيص يافته بد", -1},
    {AssignedCredit, "AssignedCredit", "تخصيص يافته بس", 1600, "تخصيص يافته بس", 1600},
    {RemNotAssignedDebit, "RemNotAssignedDebit", "مانده تخصيص بد", 1600, "مانده تخصيص بد", 1600},
    {RemNotAssignedCredit, "RemNotAssignedCredit", "مانده تخصيص بس", 1600, "مانده تخصيص بس", 1600},
    {AssignmentCheck, "AssignmentCheck", "وارسي تخصيص", 1600, "وارسي تخصيص", 1600},
    {RowColor, "RowColor", "رنگ زمينه", 0, "رنگ زمينه", 0},
    {AssignmentState, "AssignmentState", "وضعيت عدم تخصيص", 0, "وضعيت تخصيص", 1000},
}};

constexpr int DateColumnWidth = 1000;
constexpr int ReviewColumnWidth = 1000;
constexpr int DescriptionWidthAfterQuery = 5000;
constexpr int DocumentNumberWidth = 600;

QString utf8(const char *text)
{
    return QString::fromUtf8(text);
}

void setQueryHeaders(FlexGrid &grid, std::initializer_list<std::pair<int, int>> ranges)
{
    for (const auto &[first, last] : ranges)
        for (int c = first; c <= last; ++c)
            grid.setTextMatrix(0, c, utf8(Columns[c].queryHeader));
}

void centreCellsOfFirstColumns(FlexGrid &grid)
{
    for (int c = AccTransCode; c <= Credit; ++c)
        grid.setColAlignment(c, FlexGrid::AlignCenterCenter);
}

void applyDocumentNumberMode(FlexGrid &grid, qint16 documentNumberMode)
{
    if (documentNumberMode != 2)
        return;
    grid.setTextMatrix(0, DocumentID, utf8(LedgerGridTexts::DocumentNumberHeader));
    grid.setColWidth(DocumentID, DocumentNumberWidth);
    grid.setColWidth(AccTransCode, 0);
}

// Shared by both queries: the review column and the one date column shown.
void applyQueryOptions(FlexGrid &grid, bool sortByDocumentDate, bool reviewColumnVisible)
{
    grid.setColWidth(IsChecked, reviewColumnVisible ? ReviewColumnWidth : 0);
    grid.setColWidth(FarsiDocumentDate, sortByDocumentDate ? DateColumnWidth : 0);
    grid.setColWidth(FarsiTransactionDate, sortByDocumentDate ? 0 : DateColumnWidth);
}

template<typename SetBack>
void paintAlternating(FlexGrid &grid, SetBack setBack)
{
    grid.setRedraw(false);
    grid.setRow(0);
    while (grid.Row() < grid.Rows() - 1) {
        grid.setRow(grid.Row() + 1);
        grid.setCol(0);
        grid.setColSel(grid.Cols() - 1);
        setBack(grid.Row(), grid.Row() % 2 == 1 ? LedgerGridColors::OddRowBack : LedgerGridColors::EvenRowBack);
    }
}

} // namespace

const std::array<LedgerColumnLayout, ColumnCount> &LedgerColumnTable()
{
    return Columns;
}

void SetupLedgerGridAtStartup(FlexGrid &grid, qint16 documentNumberMode)
{
    grid.setCols(ColumnCount);
    grid.setRows(2);
    grid.setFixedRows(1);
    for (const LedgerColumnLayout &layout : Columns) {
        grid.setTextMatrix(0, layout.column, utf8(layout.startupHeader));
        grid.setColWidth(layout.column, layout.startupWidth);
    }
    centreCellsOfFirstColumns(grid);
    grid.setColAlignmentFixed(AccTransCode, FlexGrid::AlignCenterCenter);
    for (int c = FarsiDocumentDate; c <= CreditBalance; ++c)
        grid.setColAlignmentFixed(c, FlexGrid::AlignCenterCenter);
    applyDocumentNumberMode(grid, documentNumberMode);
}

void ApplyLedgerLayoutAfterQuery(FlexGrid &grid, qint16 documentNumberMode, bool sortByDocumentDate,
                                 bool reviewColumnVisible)
{
    grid.setCols(ColumnCount);
    centreCellsOfFirstColumns(grid);
    setQueryHeaders(grid, {{AccTransCode, CreditBalance}, {IsChecked, IsChecked}, {AssignedDebit, AssignmentState}});
    for (int c = AssignedCredit; c <= AssignmentState; ++c)
        grid.setColWidth(c, Columns[c].queryWidth);
    applyDocumentNumberMode(grid, documentNumberMode);
    applyQueryOptions(grid, sortByDocumentDate, reviewColumnVisible);
    grid.setColWidth(Description, DescriptionWidthAfterQuery);
}

void ApplyScratchLayoutAfterQuery(FlexGrid &grid, qint16 documentNumberMode, bool sortByDocumentDate,
                                  bool reviewColumnVisible)
{
    centreCellsOfFirstColumns(grid);
    setQueryHeaders(grid, {{AccTransCode, CreditBalance}, {IsChecked, IsChecked}, {AssignedDebit, RemNotAssignedCredit}});
    applyDocumentNumberMode(grid, documentNumberMode);
    applyQueryOptions(grid, sortByDocumentDate, reviewColumnVisible);
}

void PaintRow(FlexGrid &grid, int row, quint32 colour)
{
    grid.setRow(row);
    grid.setCol(0);
    grid.setColSel(grid.Cols() - 1);
    grid.setCellBackColor(colour);
}

void PaintAlternatingRowBackgrounds(FlexGrid &grid)
{
    paintAlternating(grid, [&grid](int row, quint32 colour) {
        PaintRow(grid, row, colour);
        // The colour as read back from the grid, as a signed 32-bit number.
        char text[16];
        const auto end = std::to_chars(text, text + sizeof text, qint32(grid.CellBackColor())).ptr;
        grid.setCellUtf8(row, RowColor, std::string_view(text, std::size_t(end - text)));
    });
}

void PaintScratchRowBackgrounds(FlexGrid &grid)
{
    paintAlternating(grid, [&grid](int, quint32 colour) { grid.setCellBackColor(colour); });
}
