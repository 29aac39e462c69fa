// The ledger grid's click: header sort, the search bar put away, and the
// assignment check of the current row against the related forms.

#include "ledger_window/row_actions/AssignmentCheck.h"

#include "ledger_window/frmAccountDetails.h"
#include "ledger_window/ledger/CellText.h"
#include "ledger_window/ledger/LedgerColumns.h"
#include "outside/controls/FlexGrid.h"
#include "session/DtEn.h"
#include "session/Messages.h"
#include "session/Session.h"
#include "session/modMain.h"

#include <QFrame>

#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

using namespace LedgerCol;

namespace {

// Painting off for one pass over the rows, and back on afterwards (also when
// the pass throws) unless it was off already.
class PaintingPaused
{
public:
    explicit PaintingPaused(FlexGrid &grid) : m_grid(grid), m_wasOn(grid.Redraw()) { m_grid.setRedraw(false); }
    ~PaintingPaused()
    {
        if (m_wasOn)
            m_grid.setRedraw(true);
    }
    PaintingPaused(const PaintingPaused &) = delete;
    PaintingPaused &operator=(const PaintingPaused &) = delete;

private:
    FlexGrid &m_grid;
    bool m_wasOn;
};

// A link amount rounded to whole units, halves to the even unit as the
// host's integer conversion does.
qint64 wholeUnits(Currency amount)
{
    const std::int64_t raw = amount.raw();
    std::int64_t units = raw / Currency::Scale;
    const std::int64_t rest = raw % Currency::Scale;
    const std::int64_t twice = (rest < 0 ? -rest : rest) * 2;
    if (twice > Currency::Scale || (twice == Currency::Scale && units % 2 != 0))
        units += raw < 0 ? -1 : 1;
    return units;
}

// ParseDateNumber of a cell as a whole number; values no 64-bit integer
// holds read 0 (no stored key comes near them).
qint64 keyNumber(const QString &text)
{
    const double value = std::nearbyint(ParseDateNumber(text).toDouble());
    return std::isfinite(value) && std::fabs(value) < 9.0e18 ? qint64(value) : 0;
}

// The colour kept in column 30 (a 32-bit number, written signed by the
// load). False when the cell holds none.
bool keptRowColour(std::string_view text, quint32 &colour)
{
    text = TrimBlanks(text);
    if (text.empty())
        return false;
    const double value = std::nearbyint(CellNumber(text));
    if (!(value >= -2147483648.0 && value <= 4294967295.0))
        return false;
    colour = quint32(qint64(value));
    return true;
}

bool isExcluded(const FlexGrid &grid, int row)
{
    return !TrimBlanks(grid.cellUtf8(row, AssignmentState)).empty();
}

bool isLedgerGrid(const FlexGrid &grid)
{
    return grid.Cols() >= ColumnCount;
}

} // namespace

AssignmentRowValues ReadAssignmentRow(const FlexGrid &grid, int row)
{
    AssignmentRowValues values;
    values.documentId = keyNumber(grid.TextMatrix(row, DocumentID));
    values.rowNumber = keyNumber(grid.TextMatrix(row, RowNumber));
    values.formTypeId = keyNumber(grid.TextMatrix(row, FormTypeID));
    values.formId = keyNumber(grid.TextMatrix(row, FormID));
    std::string scratch;
    values.debitRow = CellAmount(grid.cellUtf8(row, Debit), scratch) > Currency();
    values.gridTotal = CellAmount(grid.cellUtf8(row, AssignedDebit), scratch)
                       + CellAmount(grid.cellUtf8(row, AssignedCredit), scratch);
    return values;
}

QString AssignmentLinksQuery(const AssignmentRowValues &row)
{
    const auto number = [](qint64 value) { return QString::number(value); };
    if (row.debitRow)
        return QStringLiteral("Select ReferenceFormTypeID,ReferenceFormID,AssignedValue, isnull((Select x.Name from "
                              "vwVelkoFormTypeMajor x where x.ID=ReferenceFormTypeID),convert(varchar,"
                              "ReferenceFormTypeID)) as ReferenceFormType from tblVelkoRelatedForms f")
               + QStringLiteral(" where (f.RelatedFormTypeID=303 and f.RelatedFormID=") + number(row.documentId)
               + QStringLiteral(" and f.RelatedFormRowNumber=") + number(row.rowNumber) + QStringLiteral(")")
               + QStringLiteral(" or (f.RelatedFormTypeID=") + number(row.formTypeId)
               + QStringLiteral(" and f.RelatedFormID=") + number(row.formId) + QStringLiteral(")");
    return QStringLiteral("Select RelatedFormTypeID,RelatedFormID,AssignedValue,isnull((Select x.Name from "
                          "vwVelkoFormTypeMajor x where x.ID=RelatedFormTypeID),convert(varchar,RelatedFormTypeID)) "
                          "as RelatedFormType from tblVelkoRelatedForms f")
           + QStringLiteral(" where (f.ReferenceFormTypeID=303 and f.ReferenceFormID=") + number(row.documentId)
           + QStringLiteral(")") + QStringLiteral(" or (f.ReferenceFormTypeID=") + number(row.formTypeId)
           + QStringLiteral(" and f.ReferenceFormID=") + number(row.formId) + QStringLiteral(")");
}

QString MissingCounterpartMessage(const QString &formTypeName, const QString &formId, const QString &amount)
{
    using namespace AssignmentCheckTexts;
    return MissingHead + formTypeName + MissingAfterType + formId + MissingAfterId + amount + MissingTail;
}

void ResetAssignmentMarks(FlexGrid &grid)
{
    if (!isLedgerGrid(grid))
        return;
    PaintingPaused paused(grid);
    const int rows = grid.Rows();
    for (int r = 1; r < rows; ++r) {
        quint32 colour = 0;
        bool paint = keptRowColour(grid.cellUtf8(r, RowColor), colour);
        if (!paint && grid.cellBackColorAt(r, 0) == CounterpartBackColor) {
            colour = r % 2 ? LedgerGridColors::OddRowBack : LedgerGridColors::EvenRowBack;
            paint = true;
        }
        if (paint)
            PaintRow(grid, r, colour);
        if (!grid.cellUtf8(r, AssignmentCheck).empty())
            grid.setCellUtf8(r, AssignmentCheck, std::string_view());
    }
}

bool MarkCounterparts(FlexGrid &grid, qint64 formTypeId, qint64 formId, qint64 amount, bool amongDebitRows)
{
    if (!isLedgerGrid(grid))
        return false;
    char number[32];
    const auto end = std::to_chars(number, number + sizeof number, amount).ptr;
    std::string grouped;
    const std::string_view mark = GroupedAmountText(std::string_view(number, std::size_t(end - number)), grouped);
    const double type = double(formTypeId);
    const double id = double(formId);
    const bool documentLink = formTypeId == AccountingDocumentFormType;

    PaintingPaused paused(grid);
    std::string scratch;
    bool any = false;
    const int rows = grid.Rows();
    for (int r = 1; r < rows; ++r) {
        // The cheap key comparison first; most rows fail it.
        const bool matches = (documentLink && CellNumber(grid.cellUtf8(r, DocumentID)) == id)
                             || (CellNumber(grid.cellUtf8(r, FormID)) == id
                                 && CellNumber(grid.cellUtf8(r, FormTypeID)) == type);
        if (!matches)
            continue;
        if ((CellAmount(grid.cellUtf8(r, Debit), scratch) > Currency()) != amongDebitRows || isExcluded(grid, r))
            continue;
        PaintRow(grid, r, CounterpartBackColor);
        grid.setCellUtf8(r, AssignmentCheck, mark);
        any = true;
    }
    return any;
}

void CheckAssignmentOfRow(FlexGrid &grid, int row)
{
    if (!isLedgerGrid(grid) || row < 1 || row > grid.Rows() - 1 || isExcluded(grid, row))
        return;
    const AssignmentRowValues values = ReadAssignmentRow(grid, row);
    ResetAssignmentMarks(grid);

    // A debit row reads the referring end of its links, any other row the related end.
    const QString side = values.debitRow ? QStringLiteral("Reference") : QStringLiteral("Related");
    const QString typeField = side + QStringLiteral("FormTypeID");
    const QString idField = side + QStringLiteral("FormID");
    const QString nameField = side + QStringLiteral("FormType");
    const QString amountField = QStringLiteral("AssignedValue");

    Currency linkTotal;
    Recordset &links = ReopenOnText(QStringLiteral("rssqlVelkoBasePath"), AssignmentLinksQuery(values));
    if (links.RecordCount() >= 1) {
        for (links.MoveFirst(); !links.Eof(); links.MoveNext()) {
            const QString amountText = links.FieldText(amountField);
            const Currency amount = Currency::parsePrefix(amountText);
            linkTotal += amount;
            // A debit row's links of no positive amount are only summed. A
            // link without the other form's type or ID points at no row.
            bool found = false;
            if ((!values.debitRow || amount > Currency()) && !links.IsNull(typeField) && !links.IsNull(idField))
                found = MarkCounterparts(grid, keyNumber(links.FieldText(typeField)),
                                         keyNumber(links.FieldText(idField)), wholeUnits(amount), !values.debitRow);
            if (!found && amount > Currency())
                ShowMessage(RowActionErrorTitle, MissingCounterpartMessage(links.FieldText(nameField),
                                                                           links.FieldText(idField), amountText));
        }
    }
    links.Close();

    grid.setRow(row);
    grid.setCol(1);
    grid.setColSel(grid.Cols() - 1);
    if (linkTotal != values.gridTotal)
        ShowMessage(RowActionErrorTitle, AssignmentCheckTexts::Mismatch);
}

void SortLedgerByColumn(FlexGrid &grid, int col, bool ascending)
{
    grid.setCol(col);
    PaintingPaused paused(grid);
    if (col == FarsiDocumentDate) {
        // Jalali dates "1403/01/22" order as texts.
        grid.Sort(ascending ? FlexGrid::SortStringNoCaseAscending : FlexGrid::SortStringNoCaseDescending);
        return;
    }
    // The generic order reads "1,500" as a text: amounts are sorted as plain
    // numbers and shown with their separators again afterwards.
    const bool amounts = col >= Debit && col <= CreditBalance;
    const int rows = grid.Rows();
    std::string scratch;
    char number[32];
    if (amounts) {
        for (int r = 1; r < rows; ++r) {
            const std::string_view cell = grid.cellUtf8(r, col);
            const std::string_view plain = PlainAmountText(CellAmount(cell, scratch), number);
            if (plain != cell)
                grid.setCellUtf8(r, col, plain);
        }
    }
    grid.Sort(ascending ? FlexGrid::SortGenericAscending : FlexGrid::SortGenericDescending);
    if (amounts) {
        for (int r = 1; r < rows; ++r) {
            const std::string_view cell = grid.cellUtf8(r, col);
            const std::string_view grouped = GroupedAmountText(cell, scratch);
            if (grouped.data() != cell.data())
                grid.setCellUtf8(r, col, grouped);
        }
    }
}

// ---- the window's handlers ---------------------------------------------------

void frmAccountDetails::flxAccount_Click()
{
    const int mouseCol = flxAccount->MouseCol();
    if (flxAccount->MouseRow() == 0 && mouseCol >= 0 && mouseCol < flxAccount->Cols()) {
        // One direction for all columns: the first click sorts descending.
        SortLedgerByColumn(*flxAccount, mouseCol, SortAscending);
        SortAscending = !SortAscending;
    }
    // The search bar goes away; where the next search starts stays.
    FrameSearchDetail->hide();
    CheckRowAssignment(flxAccount->Row());
}

void frmAccountDetails::CheckRowAssignment(int row)
{
    if (!IsAssignmentAccount)
        return;
    CheckAssignmentOfRow(*flxAccount, row);
}
