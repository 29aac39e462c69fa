#pragma once
// The rules of the ledger fill for one row, shared by the fill over a loaded
// grid (GridFill.cpp) and the fill while the rows are read (PartFill.cpp), so
// both give the same texts and colours. The steps work on a Row that offers:
//
//   std::string_view text(int col);            valid until that cell is written
//   void setText(int col, std::string_view);   the view may be the Row's own scratch
//   void paint(int col0, int col1, quint32);   text colour of a block of the row
//   int cols();
//
// A step reads the cells it needs afresh, as each may have been rewritten.

#include "ledger_window/ledger/CellText.h"
#include "ledger_window/ledger/GridFill.h"
#include "ledger_window/ledger/LedgerColumns.h"
#include "outside/controls/OleColor.h"
#include "session/Currency.h"

#include <QDate>
#include <QString>

#include <string>
#include <string_view>

namespace FillSteps {

// The stored review flag reads as 1 (a bit column may arrive as "True").
bool isReviewFlag(std::string_view text);

// A date value as the query writes it ("YYYY-MM-DD", optionally with a time)
// as the number YYYYMMDD; 0 when the text is not a date.
int dateNumber(std::string_view text);

inline int dateNumber(const QDate &date)
{
    return date.year() * 10000 + date.month() * 100 + date.day();
}

// The error of a due date (column 12) that is not a date, in data row `row`.
DatabaseError dueDateError(std::string_view text, qint64 row);

// Decimal text of a double: up to 15 significant digits, no trailing zeros.
std::string_view doubleText(double value, char (&buffer)[32]);

// The running balance step's amount of a row: debit minus credit, the
// separators of shown amounts ignored.
inline Currency rowNet(std::string_view debit, std::string_view credit, std::string &scratch)
{
    return CellAmount(debit, scratch) - CellAmount(credit, scratch);
}

// What the summary fields show, gathered over the rows in order.
struct FillSums
{
    bool anyRow = false;
    Currency runningBalance;
    Currency upToNowBalance;
    Currency reviewedSum;
    Currency unreviewedSum;
    // The assignment columns of the rows not excluded from assignment, in
    // double precision as the remainders are; summed row by row in order.
    bool anyAssignmentRow = false;
    double assignment[4] = {0, 0, 0, 0};

    void addAssignment(const double (&values)[4])
    {
        anyAssignmentRow = true;
        for (int k = 0; k < 4; ++k)
            assignment[k] += values[k];
    }
};

// The start of the sums before the first row: the balance brought forward
// counts up to today when it lies before today, and (as it always did) when
// the first row is due by today, whatever the date of the first row.
inline void startSums(FillSums &sums, const LedgerFillInput &input, const QDate &today, bool firstRowDue)
{
    const bool broughtForwardUpToToday = !input.FromDate.isValid() || input.FromDate <= today || firstRowDue;
    sums.anyRow = true;
    sums.runningBalance = input.BalanceBroughtForward;
    sums.upToNowBalance = broughtForwardUpToToday ? input.BalanceBroughtForward : Currency();
}

// Writes the summary fields from the sums, as the fill always did: the
// balance, up-to-today and limit fields only when there is a data row.
void writeSummaryFields(SummaryFieldSink &fields, const LedgerFillInput &input, const FillSums &sums);

template<typename Row>
class RowSteps
{
public:
    explicit RowSteps(qint16 nature) : m_nature(nature) {}

    // E: the stored flag becomes the review mark.
    void reviewMark(Row &row)
    {
        const bool reviewed = isReviewFlag(row.text(LedgerCol::IsChecked));
        row.setText(LedgerCol::IsChecked,
                    reviewed ? std::string_view(LedgerGridTexts::ReviewedMark) : std::string_view());
    }

    // F: review colour of columns 0 to 19. Returns the row's amount for the
    // reviewed or unreviewed sum, and whether it is reviewed.
    Currency reviewColour(Row &row, bool &reviewed)
    {
        const Currency net = Currency::parsePrefix(row.text(LedgerCol::Debit))
                             - Currency::parsePrefix(row.text(LedgerCol::Credit));
        reviewed = row.text(LedgerCol::IsChecked) == LedgerGridTexts::ReviewedMark;
        row.paint(LedgerCol::AccTransCode, LedgerCol::IsChecked,
                  reviewed ? OleColors::Red : OleColors::SystemWindowText);
        return net;
    }

    // D: remainders of a row under assignment, or the whole row red when it
    // is excluded from assignment.
    void assignment(Row &row)
    {
        if (isExcluded(row)) {
            row.paint(0, row.cols() - 1, OleColors::Red);
            return;
        }
        using namespace LedgerCol;
        const double debitRemainder = CellNumber(row.text(Debit)) - CellNumber(row.text(AssignedDebit));
        const double creditRemainder = CellNumber(row.text(Credit)) - CellNumber(row.text(AssignedCredit));
        row.setText(RemNotAssignedDebit, doubleText(debitRemainder, m_number));
        row.setText(RemNotAssignedCredit, doubleText(creditRemainder, m_number));
        if (debitRemainder < 0 || creditRemainder < 0)
            row.paint(RemNotAssignedDebit, RemNotAssignedCredit, OleColors::Red);
        for (int c = AssignedDebit; c <= RemNotAssignedCredit; ++c)
            separate(row, c, false);
    }

    // G: separators in the amount columns (read by D and F before).
    void amountSeparators(Row &row)
    {
        separate(row, LedgerCol::Debit, true);
        separate(row, LedgerCol::Credit, true);
    }

    // B: the running balance in the debit or the credit balance column; zero
    // counts as credit.
    void balanceColumns(Row &row, Currency balance)
    {
        const std::string_view text = GroupedAmountText(PlainAmountText(balance.abs(), m_number), m_scratch);
        row.setText(LedgerCol::DebitBalance, balance > Currency() ? text : std::string_view());
        row.setText(LedgerCol::CreditBalance, balance > Currency() ? std::string_view() : text);
    }

    // C: balance columns red when the balance runs against the account's nature.
    void natureColour(Row &row, Currency balance)
    {
        if ((m_nature == 0 && balance < Currency()) || (m_nature == 1 && balance > Currency()))
            row.paint(LedgerCol::DebitBalance, LedgerCol::CreditBalance, OleColors::Red);
    }

    static bool isExcluded(Row &row) { return !TrimBlanks(row.text(LedgerCol::AssignmentState)).empty(); }

    // The assignment columns as the totals add them (after D and G), for a
    // row not excluded from assignment.
    void assignmentValues(Row &row, double (&values)[4])
    {
        for (int k = 0; k < 4; ++k)
            values[k] = CellAmount(row.text(LedgerCol::AssignedDebit + k), m_scratch).toDouble();
    }

private:
    void separate(Row &row, int c, bool trim)
    {
        std::string_view text = row.text(c);
        if (trim)
            text = TrimBlanks(text);
        const std::string_view formatted = GroupedAmountText(text, m_scratch);
        const std::string_view stored = row.text(c);
        if (formatted.data() != stored.data() || formatted.size() != stored.size())
            row.setText(c, formatted);
    }

    const qint16 m_nature;
    char m_number[32];
    std::string m_scratch;
};

// The whole fill of one row in its order E, F, D, G, B, C, with the sums;
// the running balance (step A) is added before by the caller. Every row runs
// all steps, so an excluded row stays red over the review colour on the first
// row as on the others.
template<typename Row>
void fillRow(RowSteps<Row> &steps, Row &row, FillSums &sums)
{
    steps.reviewMark(row);
    bool reviewed = false;
    const Currency reviewNet = steps.reviewColour(row, reviewed);
    (reviewed ? sums.reviewedSum : sums.unreviewedSum) += reviewNet;
    steps.assignment(row);
    steps.amountSeparators(row);
    steps.balanceColumns(row, sums.runningBalance);
    steps.natureColour(row, sums.runningBalance);
    if (!RowSteps<Row>::isExcluded(row)) {
        double values[4];
        steps.assignmentValues(row, values);
        sums.addAssignment(values);
    }
}

} // namespace FillSteps
