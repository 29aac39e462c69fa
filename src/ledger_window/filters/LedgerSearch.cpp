#include "ledger_window/filters/LedgerSearch.h"

#include "ledger_window/ledger/CellText.h"
#include "ledger_window/ledger/LedgerColumns.h"
#include "outside/controls/FlexGrid.h"
#include "session/ValueText.h"

#include <QChar>
#include <QRegularExpression>

namespace {

// Letters compared without case, and the Arabic forms of yeh and kaf read as
// the Persian ones, so a description typed on either keyboard is found.
char32_t folded(char32_t c)
{
    if (c < 0x80)
        return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
    if (c >= 0x0600 && c <= 0x06FF) { // the Arabic block has no letter case
        if (c == 0x064A || c == 0x0649) // ARABIC LETTER YEH, ALEF MAKSURA
            return 0x06CC;
        return c == 0x0643 ? 0x06A9 : c; // ARABIC LETTER KAF
    }
    return c < 0x10000 ? char32_t(QChar(char16_t(c)).toCaseFolded().unicode()) : c;
}

// Decodes UTF-8 into folded code points; a malformed byte reads as U+FFFD.
void foldUtf8(std::string_view text, std::u32string &out)
{
    out.clear();
    const auto *bytes = reinterpret_cast<const unsigned char *>(text.data());
    const std::size_t size = text.size();
    for (std::size_t i = 0; i < size;) {
        const unsigned char lead = bytes[i];
        int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        char32_t c = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
        bool valid = length > 0 && i + std::size_t(length) <= size;
        for (int k = 1; valid && k < length; ++k) {
            valid = (bytes[i + std::size_t(k)] & 0xC0) == 0x80;
            c = (c << 6) | (bytes[i + std::size_t(k)] & 0x3F);
        }
        if (!valid) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        out.push_back(folded(c));
        i += std::size_t(length);
    }
}

// ReadSearchAmount for a grid cell: the grid writes amounts in ASCII, which
// is read here without building a text. It is as strict: a cell that is not
// a whole amount reads as none. What the ASCII reading does not cover (other
// digits and separators, blanks other than spaces, a very long text) takes
// the full way, so both ways give the same answer.
bool readCellAmount(std::string_view cell, Currency *amount)
{
    const auto fullWay = [&] {
        return ReadSearchAmount(QString::fromUtf8(cell.data(), qsizetype(cell.size())), amount);
    };
    char plain[64];
    std::size_t length = 0;
    bool digits = false, point = false, digitsAfterPoint = false;
    for (const char c : TrimBlanks(cell)) {
        if (c == ',')
            continue;
        if (static_cast<unsigned char>(c) >= 0x80)
            return fullWay();
        const bool sign = (c == '-' || c == '+') && length == 0;
        const bool digit = c >= '0' && c <= '9';
        if (!sign && !digit && !(c == '.' && digits && !point))
            return c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' ? fullWay() : false;
        point = point || c == '.';
        digits = digits || digit;
        digitsAfterPoint = digitsAfterPoint || (point && digit);
        if (length == sizeof plain)
            return fullWay();
        plain[length++] = c;
    }
    if (!digits || (point && !digitsAfterPoint))
        return false;
    try {
        *amount = Currency::parsePrefix(std::string_view(plain, length));
    } catch (const CurrencyOverflow &) {
        return false;
    }
    return true;
}

} // namespace

bool ReadSearchAmount(QStringView text, Currency *amount)
{
    static const QRegularExpression number(QStringLiteral("^[-+]?[0-9]+(\\.[0-9]+)?$"));
    QString plain = WithLatinDigits(text.trimmed().toString());
    plain.remove(QLatin1Char(',')).remove(QChar(0x066C)).replace(QChar(0x066B), QLatin1Char('.'));
    if (!number.match(plain).hasMatch())
        return false;
    try {
        *amount = Currency::parsePrefix(QStringView(plain));
    } catch (const CurrencyOverflow &) {
        return false; // more than any row can hold
    }
    return true;
}

LedgerRowMatcher::LedgerRowMatcher(const QString &jalaliDate, const QString &description, const QString &amount)
    : m_date(jalaliDate.toStdString())
{
    if (!description.trimmed().isEmpty())
        foldUtf8(description.toStdString(), m_needle);
    if (!amount.trimmed().isEmpty())
        m_amountRule = ReadSearchAmount(amount, &m_amount) ? AmountRule::Value : AmountRule::Nothing;
}

bool LedgerRowMatcher::descriptionMatches(std::string_view description) const
{
    if (m_needle.empty())
        return true;
    foldUtf8(description, m_folded);
    return m_folded.find(m_needle) != std::u32string::npos;
}

bool LedgerRowMatcher::amountMatches(std::string_view cell) const
{
    Currency value;
    return readCellAmount(cell, &value) && value == m_amount;
}

bool LedgerRowMatcher::matches(std::string_view date, std::string_view description, std::string_view debit,
                               std::string_view credit) const
{
    if (m_amountRule == AmountRule::Nothing)
        return false;
    if (!m_date.empty() && date != m_date)
        return false;
    if (m_amountRule == AmountRule::Value && !amountMatches(debit) && !amountMatches(credit))
        return false;
    return descriptionMatches(description);
}

bool LedgerRowMatcher::matchesRow(const FlexGrid &grid, int row) const
{
    using namespace LedgerCol;
    return matches(grid.cellUtf8(row, FarsiDocumentDate), grid.cellUtf8(row, Description), grid.cellUtf8(row, Debit),
                   grid.cellUtf8(row, Credit));
}

int FindMatchingRow(const FlexGrid &grid, const LedgerRowMatcher &matcher, int startRow)
{
    const int last = grid.Rows() - 1;
    // A grid narrower than the ledger (before the first load) holds no row to find.
    if (last < 1 || grid.Cols() <= LedgerCol::Credit)
        return 0;
    for (int row = std::max(startRow, 1); row <= last; ++row)
        if (matcher.matchesRow(grid, row))
            return row;
    for (int row = 1; row < startRow && row <= last; ++row)
        if (matcher.matchesRow(grid, row))
            return row;
    return 0;
}
