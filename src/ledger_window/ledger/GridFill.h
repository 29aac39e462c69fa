#pragma once
// The ledger fill: after the ledger query has loaded its rows into the grid
// and painted their backgrounds (painting off), one walk over the rows turns
// the raw query values into the ledger a user reads: the running balance
// split into the debit-balance and credit-balance columns, the review mark as
// text, the assignment remainders, thousands separators and text colours;
// then the summary fields under the grid.
//
// Every cell is read and written through the grid. The fill needs no window:
// the window hands in its state (LedgerFillInput, LedgerBalances) and its
// text fields (SummaryFieldSink), and tests do the same with plain objects.

#include "session/Currency.h"

#include <QDate>
#include <QString>

#include <array>

class FlexGrid;
class QProgressBar;

// The summary text fields of the ledger window that the fill writes.
namespace SummaryFieldNames {
inline constexpr char SumAllDebit[] = "txtSumAllDebit";
inline constexpr char SumAllCredit[] = "txtSumAllCredit";
inline constexpr char UpToNowAllDebit[] = "txtUpToNowAllDebit";
inline constexpr char UpToNowAllCredit[] = "txtUpToNowAllCredit";
inline constexpr char MaxDebitCredit[] = "txtMaxDebit_Credit";
inline constexpr char RemMaxDebitCredit[] = "txtRemMaxDebit_Credit";
inline constexpr char SumChecked[] = "txtSumChecked";
inline constexpr char SumUnChecked[] = "txtSumUnChecked";
inline constexpr char SumAssignedDebit[] = "txtSumAssignedDebit";
inline constexpr char SumAssignedCredit[] = "txtSumAssignedCredit";
inline constexpr char SumNotAssignedDebit[] = "txtSumNotAssignedDebit";
inline constexpr char SumNotAssignedCredit[] = "txtSumNotAssignedCredit";
} // namespace SummaryFieldNames

// Designed texts around the summary fields: the hover text of each field and
// the caption shown beside it by another control (several fields share one
// caption). Empty texts are "none".
struct SummaryFieldText
{
    const char *field;
    const char *hoverText;      // UTF-8
    const char *captionControl;
    const char *captionText;    // UTF-8
};
const std::array<SummaryFieldText, 16> &SummaryFieldTexts();

// What the window shows in its summary fields; the window implements it over
// its text fields.
class SummaryFieldSink
{
public:
    virtual ~SummaryFieldSink() = default;
    virtual void setFieldText(const QString &field, const QString &text) = 0;
    virtual void setFieldForeColor(const QString &field, quint32 oleColor) = 0;
};

// Window state the fill updates and the printouts read afterwards. With no
// data row both keep their values.
struct LedgerBalances
{
    Currency RunningBalance;
    Currency UpToNowBalance;
};

struct LedgerFillInput
{
    Currency BalanceBroughtForward; // sum of debit minus credit before the from-date
    qint16 AccountNatureID = 0;     // 0 debit nature, 1 credit nature, other: none
    Currency MaxDebit;
    Currency MaxCredit;
    // The from-date of the ledger (invalid when none is set). The balance
    // brought forward belongs to the balance up to today when it lies before
    // today.
    QDate FromDate;
    QDate today; // invalid: the component's Today()
};

// Walks data rows 1 .. Rows() - 1 of the grid and writes the summary fields.
// Painting is off during the walk and, when the caller had it off already,
// stays off afterwards. The progress bar, when given, is shown during
// the walk and moved about a hundred times. A due date (column 12) that is
// not a date throws DatabaseError before anything is written.
void FillLedgerGrid(FlexGrid &grid, const LedgerFillInput &input, LedgerBalances &balances,
                    SummaryFieldSink &fields, QProgressBar *progress = nullptr);
