#include "ledger_window/ledger/PartFill.h"

#include "ledger_window/ledger/LedgerColumns.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <utility>

using namespace LedgerCol;

namespace {

std::atomic<int> loadReaders {2};
std::atomic<qint64> longLedgerRows {5000};

// The row colour as column 30 keeps it: the colour read back from the grid,
// as a signed 32-bit number.
std::string_view rowColourText(quint32 colour, char (&buffer)[16])
{
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, qint32(colour)).ptr;
    return std::string_view(buffer, std::size_t(end - buffer));
}

// Data rows 1, 3, 5 ... light grey, the others the window background.
quint32 rowBackColour(qint64 gridRow)
{
    return gridRow % 2 == 1 ? LedgerGridColors::OddRowBack : LedgerGridColors::EvenRowBack;
}

// A row of the joined store as the fill steps see it, for the balance columns
// of a later part.
class StoreRow
{
public:
    StoreRow(FlexGridStore &store, int row) : m_store(store), m_row(row) {}
    std::string_view text(int col) const { return m_store.text(m_row, col); }
    void setText(int col, std::string_view utf8) { m_store.setText(m_row, col, utf8); }
    void paint(int col0, int col1, quint32 oleColor) { m_store.setForeColor(m_row, m_row, col0, col1, oleColor); }
    int cols() const { return m_store.colCount(); }

private:
    FlexGridStore &m_store;
    const int m_row;
};

} // namespace

// One row on its way into the store: the cells as the reader handed them,
// the texts the steps wrote in buffers of the row's own (they keep their
// capacity from row to row), and the text colour of each cell.
class LedgerPartFill::BufferedRow
{
public:
    void reset(const std::string_view *cells, int count, int cols)
    {
        m_cols = cols;
        m_cells.resize(std::size_t(std::max(cols, int(ColumnCount))));
        m_owned.resize(m_cells.size());
        m_fore.assign(m_cells.size(), FlexGridStore::NoColor);
        const int n = std::min(count, cols);
        std::copy_n(cells, std::max(n, 0), m_cells.begin());
        std::fill(m_cells.begin() + std::max(n, 0), m_cells.end(), std::string_view());
    }
    std::string_view text(int col) const { return m_cells[std::size_t(col)]; }
    void setText(int col, std::string_view utf8)
    {
        if (utf8.empty()) {
            m_cells[std::size_t(col)] = std::string_view();
            return;
        }
        std::string &own = m_owned[std::size_t(col)];
        own.assign(utf8.data(), utf8.size());
        m_cells[std::size_t(col)] = own;
    }
    void paint(int col0, int col1, quint32 oleColor)
    {
        for (int c = std::max(col0, 0); c <= col1 && c < m_cols; ++c)
            m_fore[std::size_t(c)] = oleColor;
    }
    int cols() const { return m_cols; }

    const std::string_view *cells() const { return m_cells.data(); }
    quint32 fore(int col) const { return m_fore[std::size_t(col)]; }

private:
    int m_cols = 0;
    std::vector<std::string_view> m_cells;
    std::vector<std::string> m_owned;
    std::vector<quint32> m_fore;
};

LedgerPartFill::LedgerPartFill(const PartFillSetup &setup)
    : m_setup(setup)
    , m_todayNumber(FillSteps::dateNumber(setup.input.today))
    , m_row(std::make_unique<BufferedRow>())
    , m_steps(std::make_unique<FillSteps::RowSteps<BufferedRow>>(setup.input.AccountNatureID))
{}

LedgerPartFill::~LedgerPartFill() = default;

void LedgerPartFill::reuseStorage(FlexGridStore &previous, std::size_t blocks, std::size_t chunks)
{
    m_store.clearRows(previous.colCount());
    m_store.takeSpares(previous, blocks, chunks);
}

void LedgerPartFill::beginRows(int columnCount)
{
    m_store.clearRowsKeepingStorage(columnCount);
    // Every part asks for the colour pairs of the ledger in the same order,
    // so the parts' stores agree on their indexes and join without a remap.
    m_styleSlots.clear();
    for (const quint32 back : {LedgerGridColors::OddRowBack, LedgerGridColors::EvenRowBack})
        for (const quint32 fore : {FlexGridStore::NoColor, OleColors::Red, OleColors::SystemWindowText})
            styleOf(fore, back);
    m_styles.resize(std::size_t(std::max(columnCount, 0)));
    m_rows = 0;
    m_sums = FillSteps::FillSums();
    m_kept.clear();
    m_assignmentValues.clear();
    m_badDueDateRow = -1;
    m_badDueDateText.clear();
    m_failure = nullptr;
}

std::uint16_t LedgerPartFill::styleOf(quint32 fore, quint32 back)
{
    for (const StyleSlot &slot : m_styleSlots)
        if (slot.fore == fore && slot.back == back)
            return slot.index;
    const std::uint16_t index = m_store.styleIndexOf(fore, back);
    m_styleSlots.push_back({fore, back, index});
    return index;
}

void LedgerPartFill::whenRows(qint64 rows, std::function<void()> call)
{
    m_callAtRows = rows;
    m_call = std::move(call);
}

void LedgerPartFill::everyRows(qint64 rows, std::function<void(int dateNumber)> call)
{
    m_everyRows = std::max<qint64>(rows, 1);
    m_rowsToNextDate = 1;
    m_dateCall = std::move(call);
}

void LedgerPartFill::appendRow(const std::string_view *cells, int count)
{
    const qint64 index = m_rows++;
    if (m_rows == m_callAtRows && m_call)
        std::exchange(m_call, nullptr)();
    const int cols = m_store.colCount();
    // The due date is checked on every row, even after a failure, since the
    // first due date that is not a date is what the fill reports.
    const std::string_view dueText = count > TransactionDate ? cells[TransactionDate] : std::string_view();
    bool due = false;
    if (!TrimBlanks(dueText).empty()) {
        const int date = FillSteps::dateNumber(dueText);
        if (date == 0) {
            if (m_badDueDateRow < 0) {
                m_badDueDateRow = index;
                m_badDueDateText.assign(dueText.data(), dueText.size());
            }
            return;
        }
        due = date <= m_todayNumber;
        if (m_dateCall && --m_rowsToNextDate <= 0) {
            m_rowsToNextDate = m_everyRows;
            m_dateCall(date);
        }
    }
    if (m_badDueDateRow >= 0 || m_failure)
        return;

    BufferedRow &row = *m_row;
    row.reset(cells, count, cols);
    fill(row, index, due);
    if (m_failure)
        return;

    // The row's background, assuming it is an odd data row when the part's
    // first row is; the join swaps the colours of a part that starts on an
    // even row.
    const quint32 back = rowBackColour(index + 1);
    char colourText[16];
    if (m_setup.keepRowColours && cols > RowColor)
        row.setText(RowColor, rowColourText(back, colourText));
    quint32 lastFore = 0;
    std::uint16_t lastStyle = 0;
    for (int c = 0; c < cols; ++c) {
        if (c == 0 || row.fore(c) != lastFore) {
            lastFore = row.fore(c);
            lastStyle = styleOf(lastFore, back);
        }
        m_styles[std::size_t(c)] = lastStyle;
    }
    m_store.appendRow(row.cells(), m_styles.data());
}

void LedgerPartFill::fill(BufferedRow &row, qint64 index, bool due)
{
    FillSteps::RowSteps<BufferedRow> &steps = *m_steps;
    try {
        // A: the running balance and the balance of the rows due by today.
        const Currency net = FillSteps::rowNet(row.text(Debit), row.text(Credit), m_scratch);
        if (m_setup.firstPart) {
            if (index == 0)
                FillSteps::startSums(m_sums, m_setup.input, m_setup.input.today, due);
            m_sums.runningBalance += net;
            if (due)
                m_sums.upToNowBalance += net;
            FillSteps::fillRow(steps, row, m_sums);
            return;
        }
        // A later part: E, F, D, G now; the sums and the balance columns B
        // and C in the join.
        KeptRow kept {net.raw(), 0, due, false, false};
        steps.reviewMark(row);
        kept.reviewNet = steps.reviewColour(row, kept.reviewed).raw();
        steps.assignment(row);
        steps.amountSeparators(row);
        row.setText(DebitBalance, std::string_view());
        row.setText(CreditBalance, std::string_view());
        kept.excluded = FillSteps::RowSteps<BufferedRow>::isExcluded(row);
        if (!kept.excluded) {
            double values[4];
            steps.assignmentValues(row, values);
            m_assignmentValues.push_back({values[0], values[1], values[2], values[3]});
        }
        m_kept.push_back(kept);
    } catch (...) {
        m_failure = std::current_exception();
    }
}

void LedgerPartFill::endRows() {}

struct LedgerJoin
{
    static JoinedLedger join(const std::vector<LedgerPartFill *> &parts);

    // Adds a later part's rows to the sums and writes their balance columns
    // into the joined rows, row by row in order as the fill of the whole grid
    // would; then throws the part's failure, if it had one.
    static void addLaterPart(LedgerPartFill &part, FlexGridStore &rows, int firstRow,
                             FillSteps::RowSteps<StoreRow> &steps, FillSteps::FillSums &sums)
    {
        const PartFillSetup &setup = part.m_setup;
        const bool swapColours = firstRow % 2 == 1;
        const int stored = int(part.m_kept.size());
        std::size_t nextValues = 0;
        char colourText[16];
        for (int i = 0; i < stored; ++i) {
            const LedgerPartFill::KeptRow &kept = part.m_kept[std::size_t(i)];
            if (!sums.anyRow)
                FillSteps::startSums(sums, setup.input, setup.input.today, kept.due);
            const Currency net = Currency::fromRaw(kept.net);
            sums.runningBalance += net;
            if (kept.due)
                sums.upToNowBalance += net;
            (kept.reviewed ? sums.reviewedSum : sums.unreviewedSum) += Currency::fromRaw(kept.reviewNet);

            const int r = firstRow + i;
            StoreRow row(rows, r);
            steps.balanceColumns(row, sums.runningBalance);
            steps.natureColour(row, sums.runningBalance);
            if (swapColours && setup.keepRowColours && rows.colCount() > RowColor)
                rows.setText(r, RowColor, rowColourText(rowBackColour(r + 1), colourText));
            if (!kept.excluded) {
                const std::array<double, 4> &values = part.m_assignmentValues[nextValues++];
                sums.addAssignment({values[0], values[1], values[2], values[3]});
            }
        }
        if (part.m_failure)
            std::rethrow_exception(part.m_failure);
        if (swapColours && stored > 0)
            rows.swapBackColors(firstRow, firstRow + stored - 1, LedgerGridColors::OddRowBack,
                                LedgerGridColors::EvenRowBack);
    }
};

JoinedLedger JoinLedgerParts(const std::vector<LedgerPartFill *> &parts)
{
    return LedgerJoin::join(parts);
}

JoinedLedger LedgerJoin::join(const std::vector<LedgerPartFill *> &parts)
{
    JoinedLedger joined;
    if (parts.empty())
        return joined;
    const int cols = parts.front()->m_store.colCount();
    try {
        // First the due dates of all rows, as the fill checks them before
        // it writes anything; then the walk of the first part.
        qint64 offset = 0;
        for (const LedgerPartFill *part : parts) {
            if (part->m_badDueDateRow >= 0)
                throw FillSteps::dueDateError(part->m_badDueDateText, offset + part->m_badDueDateRow + 1);
            offset += part->m_rows;
        }
        LedgerPartFill &first = *parts.front();
        if (first.m_failure)
            std::rethrow_exception(first.m_failure);
        joined.sums = first.m_sums;

        joined.rows = std::move(first.m_store);
        joined.rows.releaseSpares();
        FillSteps::RowSteps<StoreRow> steps(first.m_setup.input.AccountNatureID);
        for (std::size_t k = 1; k < parts.size(); ++k) {
            LedgerPartFill &part = *parts[k];
            const int firstRow = joined.rows.rowCount();
            joined.rows.appendRows(part.m_store);
            addLaterPart(part, joined.rows, firstRow, steps, joined.sums);
        }
    } catch (...) {
        joined.failure = std::current_exception();
        joined.rows = FlexGridStore();
        joined.rows.clearRows(cols);
    }
    return joined;
}

int LedgerLoadReaders()
{
    return loadReaders.load();
}

void SetLedgerLoadReaders(int readers)
{
    loadReaders.store(readers > 1 ? 2 : 1);
}

qint64 LongLedgerRows()
{
    return longLedgerRows.load();
}

void SetLongLedgerRows(qint64 rows)
{
    longLedgerRows.store(std::max<qint64>(rows, 0));
}
