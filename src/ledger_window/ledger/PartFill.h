#pragma once
// The ledger fill done while the rows are read. Instead of loading the raw
// query values into the grid and walking a million rows again to fill them,
// each row gets its background, its review mark, its colours, its remainders,
// separators and running balance as it arrives, and goes into a grid store
// once, in its final form. The rules are those of FillLedgerGrid (see
// FillSteps.h), so both give the same grid and the same summary fields.
//
// The rows may be read in parts, one after another in the ledger's order,
// each part by a reader of its own on a thread of its own. A part touches no
// widget and nothing outside itself. The first part runs its balances from
// the balance brought forward; a later part cannot know where its balances
// start, so it keeps each row's amounts and JoinLedgerParts writes its
// balance columns when the parts are put together in order.
//
// A row that cannot be filled (a due date that is not a date, an amount
// beyond the currency) stops the filling of its part but not its reading, and
// the join reports the failure the fill of the whole grid would have
// reported: the first such due date of all rows, else the first failure in
// row order of the walk or of the join's balances.

#include "ledger_window/ledger/FillSteps.h"
#include "outside/controls/FlexGridStore.h"
#include "session/RowSink.h"

#include <array>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct PartFillSetup
{
    LedgerFillInput input;   // with today set
    bool keepRowColours = true; // the posted ledger keeps each row's colour as text in column 30
    bool firstPart = true;
};

class LedgerPartFill final : public RowSink
{
public:
    explicit LedgerPartFill(const PartFillSetup &setup);
    ~LedgerPartFill() override;

    // Lets this part fill the memory of rows read before (see
    // FlexGridStore::clearRowsKeepingStorage) before it asks for new memory.
    void reuseStorage(FlexGridStore &previous, std::size_t blocks, std::size_t chunks);

    // Calls `call` once, on the reading thread, when the part reaches `rows`
    // rows: the load learns this way that its ledger is long.
    void whenRows(qint64 rows, std::function<void()> call);
    // Calls `call` on the reading thread with the due date (yyyymmdd) of
    // every `rows`-th row that has one: rows come in date order, so the date
    // tells how far the reading has come.
    void everyRows(qint64 rows, std::function<void(int dateNumber)> call);

    void beginRows(int columnCount) override;
    void appendRow(const std::string_view *cells, int count) override;
    void endRows() override;

    qint64 rowCount() const { return m_rows; }

private:
    friend struct LedgerJoin;
    class BufferedRow;

    // What a later part keeps of a row for the join.
    struct KeptRow
    {
        std::int64_t net;       // debit minus credit, for the running balance (raw currency)
        std::int64_t reviewNet; // the amount of the reviewed or unreviewed sum (raw currency)
        bool due;
        bool reviewed;
        bool excluded;
    };

    void fill(BufferedRow &row, qint64 index, bool due);
    std::uint16_t styleOf(quint32 fore, quint32 back);

    PartFillSetup m_setup;
    int m_todayNumber = 0;
    FlexGridStore m_store;
    std::unique_ptr<BufferedRow> m_row;
    std::unique_ptr<FillSteps::RowSteps<BufferedRow>> m_steps;
    std::vector<std::uint16_t> m_styles;
    struct StyleSlot
    {
        quint32 fore;
        quint32 back;
        std::uint16_t index;
    };
    std::vector<StyleSlot> m_styleSlots;
    std::string m_scratch;
    qint64 m_rows = 0;
    qint64 m_callAtRows = -1;
    std::function<void()> m_call;
    qint64 m_everyRows = 0;
    qint64 m_rowsToNextDate = 0;
    std::function<void(int)> m_dateCall;

    // The first part's sums; a later part's rows and assignment values.
    FillSteps::FillSums m_sums;
    std::vector<KeptRow> m_kept;
    std::vector<std::array<double, 4>> m_assignmentValues;

    qint64 m_badDueDateRow = -1;
    std::string m_badDueDateText;
    // The first row whose filling failed (every such failure is an amount
    // beyond the currency); the rows after it are only checked for due dates.
    std::exception_ptr m_failure;
};

// The parts put together in order: the rows in one store, ready for the grid,
// the sums for the summary fields, and the failure to report (null when
// none). With a failure the rows are left empty.
struct JoinedLedger
{
    FlexGridStore rows;
    FillSteps::FillSums sums;
    std::exception_ptr failure;
};
JoinedLedger JoinLedgerParts(const std::vector<LedgerPartFill *> &parts);

// How many readers a ledger load may use: 2 (the default) or 1, to compare
// the two ways in tests and benchmarks.
int LedgerLoadReaders();
void SetLedgerLoadReaders(int readers);
// The rows of a ledger's first part from which a load counts the ledger as
// long: it then starts its second reader and reads the period totals ahead
// on a connection of their own. Below, opening connections costs more than
// it saves. 0: every ledger is long (to check those ways on small ones).
qint64 LongLedgerRows();
void SetLongLedgerRows(qint64 rows);
