#include "ledger_window/ledger/GridFill.h"
#include "ledger_window/ledger/ProgressPacer.h"

#include "ledger_window/ledger/CellText.h"
#include "ledger_window/ledger/LedgerColumns.h"
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

// Decimal text of a double: up to 15 significant digits, no trailing zeros.
std::string_view doubleText(double value, char (&buffer)[32])
{
    if (value == 0)
        value = 0; // no "-0"
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15).ptr;
    return std::string_view(buffer, std::size_t(end - buffer));
}

// The stored review flag reads as 1 (a bit column may arrive as "True").
bool isReviewFlag(std::string_view text)
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

// A date value as the query writes it ("YYYY-MM-DD", optionally with a time)
// as the number YYYYMMDD; 0 when the text is not a date.
int dateNumber(std::string_view text)
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

// Which rows are due by today and so count in the up-to-today balance. A row
// without a due date (a NULL in the host's database) is shown but counts
// nowhere. Read before the walk, so that a due date that is not a date stops
// the fill before any cell has changed.
std::vector<bool> rowsDueByToday(const FlexGrid &grid, const QDate &today)
{
    const int todayNumber = today.year() * 10000 + today.month() * 100 + today.day();
    std::vector<bool> due(std::size_t(grid.Rows()), false);
    for (int r = 1; r < grid.Rows(); ++r) {
        const std::string_view text = grid.cellUtf8(r, TransactionDate);
        if (TrimBlanks(text).empty())
            continue;
        const int date = dateNumber(text);
        if (date == 0)
            throw DatabaseError(QStringLiteral("تاريخ سررسيد «%1» در رديف %2 گردش حساب تاريخ نيست.")
                                    .arg(QString::fromUtf8(text.data(), qsizetype(text.size())))
                                    .arg(r));
        due[std::size_t(r)] = date <= todayNumber;
    }
    return due;
}

void selectCells(FlexGrid &grid, int row, int firstCol, int lastCol)
{
    grid.setRow(row);
    grid.setCol(firstCol);
    grid.setColSel(lastCol);
}

// The row steps. Each reads the cells it needs afresh: a cell's text view is
// not kept across a write.
class RowWalk
{
public:
    RowWalk(FlexGrid &grid, qint16 nature) : m_grid(grid), m_nature(nature) {}

    Currency reviewedSum;
    Currency unreviewedSum;

    // E: the stored flag becomes the review mark.
    void reviewMark(int r)
    {
        const bool reviewed = isReviewFlag(m_grid.cellUtf8(r, IsChecked));
        m_grid.setCellUtf8(r, IsChecked, reviewed ? std::string_view(LedgerGridTexts::ReviewedMark) : std::string_view());
    }

    // F: review colour of columns 0 to 19 and the reviewed/unreviewed sums.
    void reviewColour(int r)
    {
        const Currency net = Currency::parsePrefix(m_grid.cellUtf8(r, Debit))
                             - Currency::parsePrefix(m_grid.cellUtf8(r, Credit));
        selectCells(m_grid, r, AccTransCode, IsChecked);
        if (m_grid.cellUtf8(r, IsChecked) == LedgerGridTexts::ReviewedMark) {
            m_grid.setCellForeColor(OleColors::Red);
            reviewedSum += net;
        } else {
            m_grid.setCellForeColor(OleColors::SystemWindowText);
            unreviewedSum += net;
        }
    }

    // D: remainders of a row under assignment, or the whole row red when it
    // is excluded from assignment.
    void assignment(int r)
    {
        if (!TrimBlanks(m_grid.cellUtf8(r, AssignmentState)).empty()) {
            selectCells(m_grid, r, 0, m_grid.Cols() - 1);
            m_grid.setCellForeColor(OleColors::Red);
            return;
        }
        const double debitRemainder = CellNumber(m_grid.cellUtf8(r, Debit)) - CellNumber(m_grid.cellUtf8(r, AssignedDebit));
        const double creditRemainder = CellNumber(m_grid.cellUtf8(r, Credit)) - CellNumber(m_grid.cellUtf8(r, AssignedCredit));
        m_grid.setCellUtf8(r, RemNotAssignedDebit, doubleText(debitRemainder, m_number));
        m_grid.setCellUtf8(r, RemNotAssignedCredit, doubleText(creditRemainder, m_number));
        if (debitRemainder < 0 || creditRemainder < 0) {
            selectCells(m_grid, r, RemNotAssignedDebit, RemNotAssignedCredit);
            m_grid.setCellForeColor(OleColors::Red);
        }
        for (int c = AssignedDebit; c <= RemNotAssignedCredit; ++c)
            separate(r, c, false);
    }

    // G: separators in the amount columns (read by D and F before).
    void amountSeparators(int r)
    {
        separate(r, Debit, true);
        separate(r, Credit, true);
    }

    // B: the running balance in the debit or the credit balance column; zero
    // counts as credit.
    void balanceColumns(int r, Currency balance)
    {
        const std::string_view text = GroupedAmountText(PlainAmountText(balance.abs(), m_number), m_scratch);
        m_grid.setCellUtf8(r, DebitBalance, balance > Currency() ? text : std::string_view());
        m_grid.setCellUtf8(r, CreditBalance, balance > Currency() ? std::string_view() : text);
    }

    // C: balance columns red when the balance runs against the account's nature.
    void natureColour(int r, Currency balance)
    {
        if ((m_nature == 0 && balance < Currency()) || (m_nature == 1 && balance > Currency())) {
            selectCells(m_grid, r, DebitBalance, CreditBalance);
            m_grid.setCellForeColor(OleColors::Red);
        }
    }

private:
    void separate(int r, int c, bool trim)
    {
        std::string_view text = m_grid.cellUtf8(r, c);
        if (trim)
            text = TrimBlanks(text);
        const std::string_view formatted = GroupedAmountText(text, m_scratch);
        if (formatted.data() != m_grid.cellUtf8(r, c).data() || formatted.size() != m_grid.cellUtf8(r, c).size())
            m_grid.setCellUtf8(r, c, formatted);
    }

    FlexGrid &m_grid;
    const qint16 m_nature;
    char m_number[32];
    std::string m_scratch;
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

// Sums of the assignment columns over the rows not excluded from assignment,
// in double precision as the remainders are.
void assignmentTotals(const FlexGrid &grid, SummaryFieldSink &fields)
{
    static const char *const Fields[4] = {SummaryFieldNames::SumAssignedDebit, SummaryFieldNames::SumAssignedCredit,
                                          SummaryFieldNames::SumNotAssignedDebit, SummaryFieldNames::SumNotAssignedCredit};
    double sums[4] = {0, 0, 0, 0};
    bool anyRow = false;
    std::string scratch;
    for (int r = 1; r < grid.Rows(); ++r) {
        if (!TrimBlanks(grid.cellUtf8(r, AssignmentState)).empty())
            continue;
        anyRow = true;
        for (int k = 0; k < 4; ++k)
            sums[k] += CellAmount(grid.cellUtf8(r, AssignedDebit + k), scratch).toDouble();
    }
    for (int k = 0; k < 4; ++k) {
        QString text;
        if (anyRow) {
            char number[32];
            const std::string_view plain = doubleText(sums[k], number);
            text = FormatAmountText(QString::fromLatin1(plain.data(), qsizetype(plain.size())));
        }
        setText(fields, Fields[k], text);
    }
}

} // namespace

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

    RowWalk walk(grid, input.AccountNatureID);
    const int rows = grid.Rows();
    if (rows > 1) {
        const QDate today = input.today.isValid() ? input.today : Today();
        const std::vector<bool> dueByToday = rowsDueByToday(grid, today);
        // The balance brought forward counts up to today when it lies before
        // today, and (as it always did) when the first row is due by today,
        // whatever the date of the first row.
        const bool broughtForwardUpToToday = !input.FromDate.isValid() || input.FromDate <= today || dueByToday[1];
        balances.RunningBalance = input.BalanceBroughtForward;
        balances.UpToNowBalance = broughtForwardUpToToday ? input.BalanceBroughtForward : Currency();

        ProgressPacer pacer(progress, rows);
        std::string scratch;
        for (int r = 1; r < rows; ++r) {
            // A: running balance, and the balance of the rows due by today.
            const Currency net =
                CellAmount(grid.cellUtf8(r, Debit), scratch) - CellAmount(grid.cellUtf8(r, Credit), scratch);
            balances.RunningBalance += net;
            if (dueByToday[std::size_t(r)])
                balances.UpToNowBalance += net;
            // Every row runs E, F, D, G, B, C, so an excluded row stays red
            // over the review colour on the first row as on the others.
            walk.reviewMark(r);
            walk.reviewColour(r);
            walk.assignment(r);
            walk.amountSeparators(r);
            walk.balanceColumns(r, balances.RunningBalance);
            walk.natureColour(r, balances.RunningBalance);
            pacer.rowDone(r);
        }
        splitBalance(fields, balances.RunningBalance, SummaryFieldNames::SumAllDebit, SummaryFieldNames::SumAllCredit);
        splitBalance(fields, balances.UpToNowBalance, SummaryFieldNames::UpToNowAllDebit, SummaryFieldNames::UpToNowAllCredit);
        limitFields(fields, input, balances.RunningBalance);
        pacer.finish();
    }
    setText(fields, SummaryFieldNames::SumChecked, reviewTotal(walk.reviewedSum));
    setText(fields, SummaryFieldNames::SumUnChecked, reviewTotal(walk.unreviewedSum));
    assignmentTotals(grid, fields);
}
