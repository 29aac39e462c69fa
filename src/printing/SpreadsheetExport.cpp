#include "printing/SpreadsheetExport.h"

#include "ledger_window/ledger/LedgerColumns.h"
#include "outside/controls/FlexGrid.h"
#include "session/Clock.h"

#include <QCalendar>
#include <QDir>
#include <QFile>
#include <QTime>

#include <xlsxwriter.h>

#include <array>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace Texts {
// The name of a new workbook and of its one sheet.
const QString WorkbookName = QStringLiteral("گردش حساب");
const QString CannotCreate = QStringLiteral("فايل Excel ساخته نشد: %1");
const QString TooManyRows = QStringLiteral("جدول %1 سطر دارد و يك برگ Excel بيش از %2 سطر نمي گيرد.");
const QString CellNotWritten = QStringLiteral("خانه سطر %1 ستون %2 نوشته نشد: %3");
} // namespace Texts

QString failure(const QString &path, const QString &reason)
{
    return Texts::CannotCreate.arg(QDir::toNativeSeparators(path)) + QLatin1Char('\n') + reason;
}

QString libraryError(lxw_error error)
{
    return QString::fromUtf8(lxw_strerror(error));
}

bool isAmountColumn(int c)
{
    return (c >= LedgerCol::Debit && c <= LedgerCol::CreditBalance)
        || (c >= LedgerCol::AssignedDebit && c <= LedgerCol::RemNotAssignedCredit);
}

// The most significant digits a sheet keeps of a number; an amount with more
// would show other digits than the grid, so it stays text.
constexpr int SheetDigits = 15;
constexpr int MaxDecimals = 4;

struct SheetAmount
{
    bool isNumber = false; // false: the text is written as text
    double value = 0;
    int decimals = 0;      // digits after the point, as the text has them
    bool grouped = true;   // shown with "," every three digits
};

// An amount column's text becomes a number only when a number format shows
// it again exactly: an optional "-", a whole part with "," every three digits
// or none at all, an optional "." and one to four decimals. "007", ".5",
// "-0", "1,23", " 12" or "1e+15" stay text, as does an amount of more digits
// than the sheet keeps. digits collects the text without separators, which
// from_chars turns into the double nearest to that exact decimal.
SheetAmount readAmount(std::string_view text, std::string &digits)
{
    SheetAmount amount;
    digits.clear();
    std::size_t i = 0;
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) {
        digits.push_back('-');
        ++i;
    }
    int wholeDigits = 0;
    int groupDigits = 0;
    bool separators = false;
    for (; i < text.size() && text[i] != '.'; ++i) {
        const char ch = text[i];
        if (ch == ',') {
            // The first group has one to three digits, every later one three.
            if (groupDigits == 0 || groupDigits > 3 || (separators && groupDigits != 3))
                return amount;
            separators = true;
            groupDigits = 0;
        } else if (ch >= '0' && ch <= '9') {
            digits.push_back(ch);
            ++wholeDigits;
            ++groupDigits;
        } else {
            return amount;
        }
    }
    if (wholeDigits == 0 || (separators && groupDigits != 3))
        return amount;
    const bool zeroWhole = digits[negative ? 1 : 0] == '0';
    if (zeroWhole && wholeDigits > 1)
        return amount;
    int decimals = 0;
    if (i < text.size()) {
        digits.push_back('.');
        for (++i; i < text.size(); ++i) {
            if (text[i] < '0' || text[i] > '9')
                return amount;
            digits.push_back(text[i]);
            ++decimals;
        }
        if (decimals == 0 || decimals > MaxDecimals)
            return amount;
    }
    if ((zeroWhole ? 0 : wholeDigits) + decimals > SheetDigits)
        return amount;
    double value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (negative && value == 0)
        return amount; // "-0" would show as "0"
    amount.isNumber = true;
    amount.value = value;
    amount.decimals = decimals;
    amount.grouped = separators || wholeDigits <= 3;
    return amount;
}

// A sheet reads "_x" + four hex digits + "_" in a text as an escaped
// character ("_x0041_" shows as "A"), so such a sequence written as it is
// would come back as another text. Its "_" is written as "_x005F_" instead.
bool hasEscapeLookalike(std::string_view text)
{
    for (std::size_t p = text.find("_x"); p != std::string_view::npos; p = text.find("_x", p + 1)) {
        if (p + 7 > text.size() || text[p + 6] != '_')
            continue;
        bool hex = true;
        for (std::size_t k = p + 2; k < p + 6; ++k)
            hex = hex && std::isxdigit(static_cast<unsigned char>(text[k]));
        if (hex)
            return true;
    }
    return false;
}

void appendSheetText(std::string_view text, std::string &out)
{
    out.clear();
    if (!hasEscapeLookalike(text)) {
        out.append(text);
        return;
    }
    for (std::size_t p = 0; p < text.size(); ++p) {
        if (text[p] == '_' && hasEscapeLookalike(text.substr(p, 7)))
            out.append("_x005F_");
        else
            out.push_back(text[p]);
    }
}

// Creates, empty, the first of nameOf(1) ... nameOf(tries) that does not
// exist yet and returns its path. NewOnly fails on an existing file, so no
// file already there is ever reused. "" when all are taken or the folder is
// missing or refuses new files; error then says why.
QString createFirstFree(const std::function<QString(int)> &nameOf, int tries, QString &error)
{
    for (int n = 1; n <= tries; ++n) {
        QFile file(nameOf(n));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return file.fileName();
        error = file.errorString();
        if (!file.exists())
            return {};
    }
    return {};
}

// The export's file while it is written: beside the target under a name of
// its own, removed unless it takes the target's place.
class PartFile
{
public:
    explicit PartFile(const QString &target)
    {
        m_path = createFirstFree(
            [&target](int n) { return target + (n == 1 ? QStringLiteral(".part") : QStringLiteral(".%1.part").arg(n)); },
            100, m_error);
    }
    ~PartFile()
    {
        if (!m_path.isEmpty())
            QFile::remove(m_path);
    }
    PartFile(const PartFile &) = delete;
    PartFile &operator=(const PartFile &) = delete;

    bool isOpen() const { return !m_path.isEmpty(); }
    const QString &path() const { return m_path; }
    const QString &error() const { return m_error; }

    // Moves the finished workbook over the target in one step.
    bool commit(const QString &target)
    {
        if (std::rename(QFile::encodeName(m_path).constData(), QFile::encodeName(target).constData()) != 0) {
            m_error = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
        m_path.clear();
        return true;
    }

private:
    QString m_path;
    QString m_error;
};

// The number formats of amounts, made when first needed: with or without
// separators, by the count of decimals the text shows.
class AmountFormats
{
public:
    explicit AmountFormats(lxw_workbook *workbook) : m_workbook(workbook) {}

    lxw_format *of(const SheetAmount &amount)
    {
        lxw_format *&format = m_formats[amount.grouped ? 1 : 0][std::size_t(amount.decimals)];
        if (!format) {
            std::string pattern = amount.grouped ? "#,##0" : "0";
            if (amount.decimals > 0)
                pattern += '.' + std::string(std::size_t(amount.decimals), '0');
            format = workbook_add_format(m_workbook);
            format_set_num_format(format, pattern.c_str());
        }
        return format;
    }

private:
    lxw_workbook *m_workbook;
    std::array<std::array<lxw_format *, MaxDecimals + 1>, 2> m_formats{};
};

// Writes the grid's cells row by row, as the constant-memory mode needs.
// Returns the first error with the sheet row and column (1-based) it hit.
QString writeCells(const FlexGrid &grid, lxw_workbook *workbook, lxw_worksheet *sheet)
{
    const int rows = grid.Rows();
    const int cols = grid.Cols();
    const auto cellError = [](int r, int c, lxw_error error) {
        return Texts::CellNotWritten.arg(r + 1).arg(c + 1).arg(libraryError(error));
    };

    lxw_format *bold = workbook_add_format(workbook);
    format_set_bold(bold);
    std::string text;
    for (int c = 0; c < cols; ++c) {
        const QByteArray header = grid.TextMatrix(0, c).toUtf8();
        appendSheetText(std::string_view(header.constData(), std::size_t(header.size())), text);
        if (const lxw_error error = worksheet_write_string(sheet, 0, lxw_col_t(c), text.c_str(), bold))
            return cellError(0, c, error);
    }

    std::vector<char> amountColumn(std::size_t(cols), 0);
    for (int c = 0; c < cols; ++c)
        amountColumn[std::size_t(c)] = isAmountColumn(c);
    AmountFormats formats(workbook);
    std::string digits;
    for (int r = 1; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const std::string_view cell = grid.cellUtf8(r, c);
            // An empty cell is left out: the sheet shows nothing there either.
            if (cell.empty())
                continue;
            lxw_error error = LXW_NO_ERROR;
            const SheetAmount amount = amountColumn[std::size_t(c)] ? readAmount(cell, digits) : SheetAmount();
            if (amount.isNumber) {
                error = worksheet_write_number(sheet, lxw_row_t(r), lxw_col_t(c), amount.value, formats.of(amount));
            } else {
                // The library takes texts ending in a zero byte; the store's do not.
                appendSheetText(cell, text);
                error = worksheet_write_string(sheet, lxw_row_t(r), lxw_col_t(c), text.c_str(), nullptr);
            }
            if (error)
                return cellError(r, c, error);
        }
    }
    return {};
}

} // namespace

QString WriteGridWorkbook(const FlexGrid &grid, const QString &path)
{
    // A sheet has a fixed number of rows; a cut-off ledger must not pass for a whole one.
    if (grid.Rows() > int(LXW_ROW_MAX) || grid.Cols() > int(LXW_COL_MAX))
        return failure(path, Texts::TooManyRows.arg(grid.Rows()).arg(LXW_ROW_MAX));

    // Opening the file first finds a missing or read-only folder before any
    // cell is written, and keeps a file already at path whole until the
    // workbook is complete.
    PartFile part(path);
    if (!part.isOpen())
        return failure(path, libraryError(LXW_ERROR_CREATING_XLSX_FILE) + QStringLiteral(" (") + part.error()
                                 + QLatin1Char(')'));

    // Constant memory: each row goes to a temporary file as soon as the next
    // one starts, so a ledger of any length needs little memory.
    const QByteArray tempFolder = QFile::encodeName(QDir::tempPath());
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = const_cast<char *>(tempFolder.constData());
    lxw_workbook *workbook = workbook_new_opt(QFile::encodeName(part.path()).constData(), &options);
    if (!workbook)
        return failure(path, libraryError(LXW_ERROR_MEMORY_MALLOC_FAILED));
    const QByteArray sheetName = Texts::WorkbookName.toUtf8();
    lxw_worksheet *sheet = workbook_add_worksheet(workbook, sheetName.constData());
    if (!sheet) {
        workbook_close(workbook);
        return failure(path, libraryError(LXW_ERROR_CREATING_TMPFILE));
    }
    worksheet_right_to_left(sheet);
    worksheet_freeze_panes(sheet, 1, 0);

    const QString cellFailure = writeCells(grid, workbook, sheet);
    // Closing writes the file and releases the workbook; after a cell error
    // the part file it writes is removed with the guard.
    const lxw_error closed = workbook_close(workbook);
    if (!cellFailure.isEmpty())
        return failure(path, cellFailure);
    if (closed)
        return failure(path, libraryError(closed));
    if (!part.commit(path))
        return failure(path, part.error());
    return {};
}

QString NewWorkbookPath()
{
    const QCalendar::YearMonthDay day = QCalendar(QCalendar::System::Jalali).partsFromDate(Today());
    const QString stamp = QStringLiteral("%1-%2-%3 %4")
                              .arg(day.year, 4, 10, QLatin1Char('0'))
                              .arg(day.month, 2, 10, QLatin1Char('0'))
                              .arg(day.day, 2, 10, QLatin1Char('0'))
                              .arg(QTime::currentTime().toString(QStringLiteral("HHmmss")));
    const QDir folder(QDir::tempPath());
    const QString base = Texts::WorkbookName + QLatin1Char(' ') + stamp;
    QString error;
    return createFirstFree(
        [&](int n) {
            return folder.filePath(base + (n == 1 ? QString() : QStringLiteral(" (%1)").arg(n)) + QStringLiteral(".xlsx"));
        },
        1000, error);
}
