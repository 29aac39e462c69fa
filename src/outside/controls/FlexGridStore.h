#pragma once
// Cell storage of the flex grid, kept apart from the widget so that a ledger
// of a million rows by 32 columns stays small: one 8-byte slot per cell that
// holds a short UTF-8 text itself or points into an append-only text arena,
// one 2-byte style index per cell for its text and background colours, and a
// row order so that sorting and removing rows move 4-byte indexes, not cells.
// Rows here are data rows counted from 0; the grid adds its header row.

#include <QtGlobal>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class FlexGridStore
{
public:
    // Colour value of a cell that has none of its own (the grid's default).
    static constexpr quint32 NoColor = 0xFFFFFFFFu;

    FlexGridStore();
    ~FlexGridStore();
    FlexGridStore(const FlexGridStore &) = delete;
    FlexGridStore &operator=(const FlexGridStore &) = delete;
    // A store may be filled apart (on another thread, say) and then handed
    // to a grid whole.
    FlexGridStore(FlexGridStore &&) noexcept;
    FlexGridStore &operator=(FlexGridStore &&) noexcept;

    int rowCount() const { return int(m_order.size()); }
    int colCount() const { return m_cols; }

    // Drops every row and every stored text, then takes the new column count.
    void clearRows(int cols);
    // The same, but with the same column count the memory of the rows and
    // texts is kept as spares, which new rows and texts fill before any new
    // memory is asked for: a reload of a large grid then touches no fresh
    // page. releaseSpares lets go of what a load did not use.
    void clearRowsKeepingStorage(int cols);
    // Moves up to `blocks` blocks of rows and `chunks` chunks of text from
    // the spares of `from` (same column count) to the spares of this store.
    void takeSpares(FlexGridStore &from, std::size_t blocks, std::size_t chunks);
    std::size_t spareBlocks() const { return m_spareCellBlocks.size(); }
    std::size_t spareChunks() const { return m_spareChunks.size(); }
    void releaseSpares();
    // Keeps the texts and colours of the columns that remain.
    void setColCount(int cols);
    // Appends empty rows or drops rows from the end.
    void setRowCount(int rows);
    // Cells beyond count stay empty; cells beyond the column count are ignored.
    void appendRow(const std::string_view *cells, int count);
    // A whole row at once: colCount() texts and their style indexes (from
    // styleIndex below), as a load that colours while it reads writes them.
    void appendRow(const std::string_view *cells, const std::uint16_t *styles);
    // Moves every row of `other` (same column count, unless it has no rows)
    // after the rows of this store, texts and colours as they were; `other`
    // is left empty.
    void appendRows(FlexGridStore &other);
    void removeRow(int row);
    // Removes every row whose flag is set, in one pass (flags by row).
    void removeRows(const std::vector<bool> &drop);
    // Empties every text and colour; the rows stay.
    void clearContents();

    // Valid until this cell is written again or the rows are cleared.
    std::string_view text(int row, int col) const;
    void setText(int row, int col, std::string_view utf8) { store(cell(row, col), col, utf8); }

    quint32 foreColor(int row, int col) const;
    quint32 backColor(int row, int col) const;
    // Colours the block of rows row0..row1 and columns col0..col1 (inclusive).
    void setForeColor(int row0, int row1, int col0, int col1, quint32 color);
    void setBackColor(int row0, int row1, int col0, int col1, quint32 color);
    // Every cell of rows row0..row1 with background a gets b and the other
    // way round; the text colours stay.
    void swapBackColors(int row0, int row1, quint32 a, quint32 b);
    // The index that stands for a pair of colours in this store, for
    // appendRow with styles. Indexes are given out in the order pairs are
    // first asked for, so stores asked in the same order agree on them.
    std::uint16_t styleIndexOf(quint32 foreColor, quint32 backColor) { return styleFor({foreColor, backColor}); }

    // MSHFlexGrid sort codes: 1/2 generic (numbers as numbers, other texts as
    // texts), 3/4 numeric, 5/6 text ignoring case, 7/8 text with case;
    // odd ascending, even descending. Sorts every row by the columns
    // col0..col1, leftmost first; rows that compare equal keep their order.
    void sort(int col0, int col1, int code);

    // Memory held by the cells, colours, row order and text arena.
    quint64 bytesUsed() const;

private:
    struct Cell
    {
        std::uint8_t tag;   // 0..7: inline length; ArenaTag, LongTag below
        char bytes[7];

        // The whole number kept little-endian in bytes[from .. from + count).
        quint64 number(int from, int count) const
        {
            quint64 value = 0;
            for (int k = 0; k < count; ++k)
                value |= quint64(static_cast<unsigned char>(bytes[from + k])) << (8 * k);
            return value;
        }
        void setNumber(int from, int count, quint64 value)
        {
            for (int k = 0; k < count; ++k)
                bytes[from + k] = char((value >> (8 * k)) & 0xFF);
        }
    };
    static_assert(sizeof(Cell) == 8);
    static constexpr std::uint8_t ArenaTag = 0x80; // bytes: length (2), arena position (5)
    static constexpr std::uint8_t LongTag = 0x81;  // bytes: index into m_longTexts
    static constexpr int BlockRows = 4096;
    static constexpr std::size_t ChunkBytes = std::size_t(1) << 22;
    static constexpr std::size_t MaxArenaText = 0xFFFF;
    static constexpr std::size_t MaxSharedText = 64;

    struct Style
    {
        quint32 fore;
        quint32 back;
    };
    // The last two long texts written per column: consecutive rows often
    // repeat a date or a name, and such a text is stored once.
    struct RecentText
    {
        quint64 position = 0;
        quint16 length = 0;
    };

    // Slot of a cell: its storage row through the row order, then its block.
    Cell &cell(int row, int col)
    {
        const quint32 s = m_order[std::size_t(row)];
        return m_cellBlocks[s / BlockRows][std::size_t(s % BlockRows) * std::size_t(m_cols) + std::size_t(col)];
    }
    const Cell &cell(int row, int col) const { return const_cast<FlexGridStore *>(this)->cell(row, col); }
    std::uint16_t &styleIndex(int row, int col)
    {
        const quint32 s = m_order[std::size_t(row)];
        return m_styleBlocks[s / BlockRows][std::size_t(s % BlockRows) * std::size_t(m_cols) + std::size_t(col)];
    }
    std::uint16_t styleIndex(int row, int col) const { return const_cast<FlexGridStore *>(this)->styleIndex(row, col); }
    std::string_view longText(const Cell &c) const;
    quint32 newStorageRow();
    Cell *storageRow(quint32 s) { return &m_cellBlocks[s / BlockRows][std::size_t(s % BlockRows) * std::size_t(m_cols)]; }
    std::uint16_t *storageStyles(quint32 s)
    {
        return &m_styleBlocks[s / BlockRows][std::size_t(s % BlockRows) * std::size_t(m_cols)];
    }
    void resetRecentTexts();
    // Forgets the rows, the blocks and the texts (not the row order or the spares).
    void dropRows();
    // Forgets the texts the cells point to (the arena and the long texts).
    void dropTexts();
    void store(Cell &target, int col, std::string_view utf8);
    // Cells 0 .. count - 1 of a storage row; an empty text clears its cell.
    void storeCells(Cell *row, const std::string_view *cells, int count);
    quint64 appendToArena(std::string_view utf8);
    std::string_view arenaText(quint64 position, quint16 length) const
    {
        return std::string_view(m_chunks[position / ChunkBytes].get() + position % ChunkBytes, length);
    }
    std::uint16_t styleFor(Style style);
    template<typename Change>
    void restyle(int row0, int row1, int col0, int col1, Change change);

    int m_cols = 0;
    quint32 m_storageRows = 0;
    std::vector<quint32> m_order; // visual row -> storage row
    std::vector<std::unique_ptr<Cell[]>> m_cellBlocks;
    std::vector<std::unique_ptr<std::uint16_t[]>> m_styleBlocks;

    std::vector<std::unique_ptr<Cell[]>> m_spareCellBlocks;
    std::vector<std::unique_ptr<std::uint16_t[]>> m_spareStyleBlocks;
    std::vector<std::unique_ptr<char[]>> m_spareChunks;

    std::vector<std::unique_ptr<char[]>> m_chunks;
    std::size_t m_chunkUsed = ChunkBytes;
    std::vector<std::string> m_longTexts;
    std::vector<RecentText> m_recent; // two per column
    std::vector<std::uint8_t> m_recentNext;

    std::vector<Style> m_styles;
    std::unordered_map<quint64, std::uint16_t> m_styleLookup;
};

inline std::string_view FlexGridStore::text(int row, int col) const
{
    const Cell &c = cell(row, col);
    if (c.tag <= sizeof(c.bytes))
        return std::string_view(c.bytes, c.tag);
    if (c.tag != ArenaTag)
        return longText(c);
    return arenaText(c.number(2, 5), quint16(c.number(0, 2)));
}
