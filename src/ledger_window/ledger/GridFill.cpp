#include "ledger_window/ledger/GridFill.h"

#include "ledger_window/ledger/CellText.h"
#include "ledger_window/ledger/FillSteps.h"
#include "ledger_window/ledger/LedgerColumns.h"
#include "ledger_window/ledger/ProgressPacer.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/OleColor.h"
#include "session/Clock.h"
#include "session/DatabaseError.h"
#include "session/modMain.h"

#include <QProgressBar>

#include <charconv>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr char SixBlanks[] = "      ";

// Which rows are due by today and so count in the up-to-today balance. A row
// without a due date (a NULL in the host's database) is shown but counts
// nowhere. Read before the walk, so that a due date that is not a date stops
// the fill before any cell has changed.
std::vector<bool> rowsDueByToday(const FlexGrid &grid, const QDate &today)
{
    const int todayNumber = FillSteps::dateNumber(today);
    std::vector<bool> due(std::size_t(grid.Rows()), false);
    for (int r = 1; r < grid.Rows(); ++r) {
        const std::string_view text = grid.cellUtf8(r, TransactionDate);
        if (TrimBlanks(text).empty())
            continue;
        const int date = FillSteps::dateNumber(text);
        if (date == 0)
            throw FillSteps::dueDateError(text, r);
        due[std::size_t(r)] = date <= todayNumber;
    }
    return due;
}

// A data row of the grid as the fill steps see it: every cell read and
// written through the grid, colours through its selection block.
class GridRow
{
public:
    GridRow(FlexGrid &grid, int row) : m_grid(grid), m_row(row) {}
    std::string_view text(int col) const { return m_grid.cellUtf8(m_row, col); }
    void setText(int col, std::string_view utf8) { m_grid.setCellUtf8(m_row, col, utf8); }
    void paint(int col0, int col1, quint32 oleColor)
    {
        m_grid.setRow(m_row);
        m_grid.setCol(col0);
        m_grid.setColSel(col1);
        m_grid.setCellForeColor(oleColor);
    }
    int cols() const { return m_grid.Cols(); }

private:
    FlexGrid &m_grid;
    const int m_row;
};

QString format(Currency amount)
{
    return FormatAmount(amount);
}

void setText(SummaryFieldSink &fields, const char *field, const QString &text)
{
    fields.setFieldText(QString::fromLatin1(field), text);
}

// Positive amounts in the debit field, zero and negative ones (as their
// absolute value) in the credit field; the other field gets six blanks.
void splitBalance(SummaryFieldSink &fields, Currency balance, const char *debitField, const char *creditField)
{
    if (balance > Currency()) {
        setText(fields, debitField, format(balance));
        setText(fields, creditField, QString::fromLatin1(SixBlanks));
    } else {
        setText(fields, debitField, QString::fromLatin1(SixBlanks));
        setText(fields, creditField, format(balance.abs()));
    }
}

// The account's limit and the part of it the balance leaves, by its nature.
void limitFields(SummaryFieldSink &fields, const LedgerFillInput &input, Currency balance)
{
    const bool debitNature = input.AccountNatureID == 0;
    if (!debitNature && input.AccountNatureID != 1)
        return;
    const Currency limit = debitNature ? input.MaxDebit : input.MaxCredit;
    setText(fields, SummaryFieldNames::MaxDebitCredit, format(limit));
    const bool balanceUsesLimit = debitNature ? balance > Currency() : balance < Currency();
    if (!balanceUsesLimit) {
        setText(fields, SummaryFieldNames::RemMaxDebitCredit, format(limit));
        return;
    }
    const Currency remainder = limit - balance.abs();
    setText(fields, SummaryFieldNames::RemMaxDebitCredit, format(remainder));
    fields.setFieldForeColor(QString::fromLatin1(SummaryFieldNames::RemMaxDebitCredit),
                             remainder < Currency() ? OleColors::Red : OleColors::SystemWindowText);
}

QString reviewTotal(Currency sum)
{
    const QString text = format(sum.abs());
    return sum < Currency() ? QLatin1Char('(') + text + QLatin1Char(')') : text;
}

// Sums of the assignment columns over the rows not excluded from
// assignment; empty when there is no such row.
void assignmentTotals(SummaryFieldSink &fields, const FillSteps::FillSums &sums)
{
    static const char *const Fields[4] = {SummaryFieldNames::SumAssignedDebit, SummaryFieldNames::SumAssignedCredit,
                                          SummaryFieldNames::SumNotAssignedDebit, SummaryFieldNames::SumNotAssignedCredit};
    for (int k = 0; k < 4; ++k) {
        QString text;
        if (sums.anyAssignmentRow) {
            char number[32];
            const std::string_view plain = FillSteps::doubleText(sums.assignment[k], number);
            text = FormatAmountText(QString::fromLatin1(plain.data(), qsizetype(plain.size())));
        }
        setText(fields, Fields[k], text);
    }
}

} // namespace

bool FillSteps::isReviewFlag(std::string_view text)
{
    const std::string_view trimmed = TrimBlanks(text);
    if (trimmed.size() == 4) {
        char lower[4];
        for (int k = 0; k < 4; ++k)
            lower[k] = char(trimmed[k] | 0x20);
        if (std::memcmp(lower, "true", 4) == 0)
            return true;
    }
    return Currency::parsePrefix(text) == Currency::fromUnits(1);
}

int FillSteps::dateNumber(std::string_view text)
{
    text = TrimBlanks(text);
    if (text.size() < 10 || (text.size() > 10 && text[10] != ' ' && text[10] != 'T'))
        return 0;
    const auto digitsAt = [&](std::size_t from, std::size_t count, int &value) {
        value = 0;
        for (std::size_t k = from; k < from + count; ++k) {
            if (text[k] < '0' || text[k] > '9')
                return false;
            value = value * 10 + (text[k] - '0');
        }
        return true;
    };
    int year = 0, month = 0, day = 0;
    const char separator = text[4];
    if ((separator != '-' && separator != '/') || text[7] != separator || !digitsAt(0, 4, year)
        || !digitsAt(5, 2, month) || !digitsAt(8, 2, day) || !QDate::isValid(year, month, day))
        return 0;
    return year * 10000 + month * 100 + day;
}

DatabaseError FillSteps::dueDateError(std::string_view text, qint64 row)
{
    return DatabaseError(QStringLiteral("تاريخ سررسيد «%1» در رديف %2 گردش حساب تاريخ نيست.")
                             .arg(QString::fromUtf8(text.data(), qsizetype(text.size())))
                             .arg(row));
}

std::string_view FillSteps::doubleText(double value, char (&buffer)[32])
{
    if (value == 0)
        value = 0; // no "-0"
    // A whole number below 10^15 prints as that number in the general format
    // with 15 digits; the integer conversion gives the same text faster.
    if (value > -1e15 && value < 1e15 && value == double(std::int64_t(value))) {
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::int64_t(value)).ptr;
        return std::string_view(buffer, std::size_t(end - buffer));
    }
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15).ptr;
    return std::string_view(buffer, std::size_t(end - buffer));
}

void FillSteps::writeSummaryFields(SummaryFieldSink &fields, const LedgerFillInput &input, const FillSums &sums)
{
    if (sums.anyRow) {
        splitBalance(fields, sums.runningBalance, SummaryFieldNames::SumAllDebit, SummaryFieldNames::SumAllCredit);
        splitBalance(fields, sums.upToNowBalance, SummaryFieldNames::UpToNowAllDebit, SummaryFieldNames::UpToNowAllCredit);
        limitFields(fields, input, sums.runningBalance);
    }
    setText(fields, SummaryFieldNames::SumChecked, reviewTotal(sums.reviewedSum));
    setText(fields, SummaryFieldNames::SumUnChecked, reviewTotal(sums.unreviewedSum));
    assignmentTotals(fields, sums);
}

const std::array<SummaryFieldText, 16> &SummaryFieldTexts()
{
    // The credit-limit captions join their two words with a zero-width non-joiner.
    static const std::array<SummaryFieldText, 16> texts = {{
        {"txtSumDebit", "جمع بدهكار", "", ""},
        {"txtSumCredit", "جمع بستانكار", "", ""},
        {"txtSumAllDebit", "جمع مانده بدهكار", "txtSum", ":مانده"},
        {"txtSumAllCredit", "جمع مانده بستانكار", "txtSum", ":مانده"},
        {"txtUpToNowAllDebit", "", "txtSumToDay", "مانده تا امروز:"},
        {"txtUpToNowAllCredit", "", "txtSumToDay", "مانده تا امروز:"},
        {"txtUpToNowDebit", "", "txtSumToDay", "مانده تا امروز:"},
        {"txtUpToNowCredit", "", "txtSumToDay", "مانده تا امروز:"},
        {"txtSumChecked", "", "lblSumChecked", ":جمع بدهکاري بررسي شده ها"},
        {"txtSumUnChecked", "", "lblSumUnChecked", ":جمع بدهکاري بررسي نشده ها"},
        {"txtSumAssignedDebit", "جمع تخصيص بد", "lblSumAssignedValue", "مانده هاي تخصيص:"},
        {"txtSumAssignedCredit", "جمع تخصيص بس", "lblSumAssignedValue", "مانده هاي تخصيص:"},
        {"txtSumNotAssignedDebit", "جمع مانده تخصيص بد", "lblSumAssignedValue", "مانده هاي تخصيص:"},
        {"txtSumNotAssignedCredit", "جمع مانده تخصيص بس", "lblSumAssignedValue", "مانده هاي تخصيص:"},
        {"txtMaxDebit_Credit", "", "Label2", "سقف\u200cاعتبار:"},
        {"txtRemMaxDebit_Credit", "", "Label1", "مانده\u200cاعتبار:"},
    }};
    return texts;
}

void FillLedgerGrid(FlexGrid &grid, const LedgerFillInput &input, LedgerBalances &balances,
                    SummaryFieldSink &fields, QProgressBar *progress)
{
    // The walk moves the current cell on every row: with painting on, each
    // move would repaint and reach the window's selection handler.
    struct PaintingOff
    {
        FlexGrid &grid;
        const bool wasOn = grid.Redraw();
        explicit PaintingOff(FlexGrid &g) : grid(g) { grid.setRedraw(false); }
        ~PaintingOff() { grid.setRedraw(wasOn); }
    } paintingOff(grid);

    FillSteps::RowSteps<GridRow> steps(input.AccountNatureID);
    FillSteps::FillSums sums;
    const int rows = grid.Rows();
    if (rows > 1) {
        const QDate today = input.today.isValid() ? input.today : Today();
        const std::vector<bool> dueByToday = rowsDueByToday(grid, today);
        FillSteps::startSums(sums, input, today, dueByToday[1]);

        ProgressPacer pacer(progress, rows);
        std::string scratch;
        for (int r = 1; r < rows; ++r) {
            GridRow row(grid, r);
            // A: running balance, and the balance of the rows due by today.
            const Currency net = FillSteps::rowNet(row.text(Debit), row.text(Credit), scratch);
            sums.runningBalance += net;
            if (dueByToday[std::size_t(r)])
                sums.upToNowBalance += net;
            FillSteps::fillRow(steps, row, sums);
            pacer.rowDone(r);
        }
        balances.RunningBalance = sums.runningBalance;
        balances.UpToNowBalance = sums.upToNowBalance;
        pacer.finish();
    }
    FillSteps::writeSummaryFields(fields, input, sums);
}
