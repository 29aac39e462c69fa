#include "outside/controls/FlexGridStore.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <numeric>
#include <stdexcept>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// A text that reads as a number as a whole: blanks, an optional sign, digits
// with or without "," separators, an optional decimal part, blanks.
bool readWholeNumber(std::string_view text, double &value)
{
    char digits[64];
    int length = 0;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    if (i < n && (text[i] == '-' || text[i] == '+')) {
        if (text[i] == '-')
            digits[length++] = '-';
        ++i;
    }
    bool anyDigit = false;
    while (i < n && ((text[i] >= '0' && text[i] <= '9') || text[i] == ',')) {
        if (text[i] != ',') {
            if (length >= 60)
                return false;
            digits[length++] = text[i];
            anyDigit = true;
        }
        ++i;
    }
    if (i < n && text[i] == '.') {
        digits[length++] = '.';
        ++i;
        while (i < n && text[i] >= '0' && text[i] <= '9') {
            if (length >= 62)
                return false;
            digits[length++] = text[i++];
            anyDigit = true;
        }
    }
    while (i < n && isBlank(text[i]))
        ++i;
    if (i != n || !anyDigit)
        return false;
    return std::from_chars(digits, digits + length, value).ec == std::errc();
}

char foldAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

int compareText(std::string_view a, std::string_view b, bool ignoreCase)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(ignoreCase ? foldAscii(a[i]) : a[i]);
        unsigned char y = static_cast<unsigned char>(ignoreCase ? foldAscii(b[i]) : b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

} // namespace

FlexGridStore::FlexGridStore()
{
    m_styles.push_back({NoColor, NoColor});
    m_styleLookup.emplace(~quint64(0), 0);
}

FlexGridStore::~FlexGridStore() = default;
FlexGridStore::FlexGridStore(FlexGridStore &&) noexcept = default;
FlexGridStore &FlexGridStore::operator=(FlexGridStore &&) noexcept = default;

// A new storage row holds whatever its block held before: every caller
// writes all of its cells and styles. Blocks are not cleared when made, so a
// million-row load touches each page once.
quint32 FlexGridStore::newStorageRow()
{
    if (m_storageRows % BlockRows == 0) {
        if (!m_spareCellBlocks.empty()) {
            m_cellBlocks.push_back(std::move(m_spareCellBlocks.back()));
            m_styleBlocks.push_back(std::move(m_spareStyleBlocks.back()));
            m_spareCellBlocks.pop_back();
            m_spareStyleBlocks.pop_back();
        } else {
            const std::size_t slots = std::size_t(BlockRows) * std::size_t(m_cols);
            m_cellBlocks.push_back(std::make_unique_for_overwrite<Cell[]>(slots));
            m_styleBlocks.push_back(std::make_unique_for_overwrite<std::uint16_t[]>(slots));
        }
    }
    return m_storageRows++;
}

void FlexGridStore::resetRecentTexts()
{
    m_recent.assign(std::size_t(m_cols) * 2, RecentText());
    m_recentNext.assign(std::size_t(m_cols), 0);
}

void FlexGridStore::clearRows(int cols)
{
    m_cols = std::max(cols, 0);
    std::vector<quint32>().swap(m_order);
    dropRows();
    releaseSpares();
}

void FlexGridStore::dropRows()
{
    m_storageRows = 0;
    m_cellBlocks.clear();
    m_styleBlocks.clear();
    dropTexts();
}

void FlexGridStore::dropTexts()
{
    m_chunks.clear();
    m_chunkUsed = ChunkBytes;
    m_longTexts.clear();
    resetRecentTexts();
}

void FlexGridStore::clearRowsKeepingStorage(int cols)
{
    cols = std::max(cols, 0);
    if (cols != m_cols) {
        clearRows(cols);
        return;
    }
    for (std::size_t b = 0; b < m_cellBlocks.size(); ++b) {
        m_spareCellBlocks.push_back(std::move(m_cellBlocks[b]));
        m_spareStyleBlocks.push_back(std::move(m_styleBlocks[b]));
    }
    for (auto &chunk : m_chunks)
        if (chunk)
            m_spareChunks.push_back(std::move(chunk));
    m_order.clear();
    dropRows();
}

void FlexGridStore::takeSpares(FlexGridStore &from, std::size_t blocks, std::size_t chunks)
{
    if (from.m_cols != m_cols)
        return;
    for (; blocks > 0 && !from.m_spareCellBlocks.empty(); --blocks) {
        m_spareCellBlocks.push_back(std::move(from.m_spareCellBlocks.back()));
        m_spareStyleBlocks.push_back(std::move(from.m_spareStyleBlocks.back()));
        from.m_spareCellBlocks.pop_back();
        from.m_spareStyleBlocks.pop_back();
    }
    for (; chunks > 0 && !from.m_spareChunks.empty(); --chunks) {
        m_spareChunks.push_back(std::move(from.m_spareChunks.back()));
        from.m_spareChunks.pop_back();
    }
}

void FlexGridStore::releaseSpares()
{
    m_spareCellBlocks.clear();
    m_spareStyleBlocks.clear();
    m_spareChunks.clear();
}

void FlexGridStore::setColCount(int cols)
{
    cols = std::max(cols, 0);
    if (cols == m_cols)
        return;
    releaseSpares(); // sized for the old column count
    const int kept = std::min(cols, m_cols);
    for (std::size_t b = 0; b < m_cellBlocks.size(); ++b) {
        auto cells = std::make_unique<Cell[]>(std::size_t(BlockRows) * cols);
        auto styles = std::make_unique<std::uint16_t[]>(std::size_t(BlockRows) * cols);
        for (int r = 0; r < BlockRows; ++r) {
            std::copy_n(&m_cellBlocks[b][std::size_t(r) * m_cols], kept, &cells[std::size_t(r) * cols]);
            std::copy_n(&m_styleBlocks[b][std::size_t(r) * m_cols], kept, &styles[std::size_t(r) * cols]);
        }
        m_cellBlocks[b] = std::move(cells);
        m_styleBlocks[b] = std::move(styles);
    }
    m_cols = cols;
    resetRecentTexts();
}

void FlexGridStore::setRowCount(int rows)
{
    rows = std::max(rows, 0);
    if (rows == 0) {
        clearRows(m_cols);
        return;
    }
    if (rows < rowCount()) {
        m_order.resize(std::size_t(rows));
        return;
    }
    m_order.reserve(std::size_t(rows));
    while (rowCount() < rows) {
        const quint32 s = newStorageRow();
        std::fill_n(storageRow(s), m_cols, Cell {});
        std::fill_n(storageStyles(s), m_cols, std::uint16_t(0));
        m_order.push_back(s);
    }
}

void FlexGridStore::storeCells(Cell *row, const std::string_view *cells, int count)
{
    for (int c = 0; c < count; ++c) {
        if (cells[c].empty())
            row[c] = Cell {};
        else
            store(row[c], c, cells[c]);
    }
}

void FlexGridStore::appendRow(const std::string_view *cells, int count)
{
    const quint32 s = newStorageRow();
    m_order.push_back(s);
    Cell *row = storageRow(s);
    const int n = std::max(std::min(count, m_cols), 0);
    storeCells(row, cells, n);
    std::fill(row + n, row + m_cols, Cell {});
    std::fill_n(storageStyles(s), m_cols, std::uint16_t(0));
}

void FlexGridStore::appendRow(const std::string_view *cells, const std::uint16_t *styles)
{
    const quint32 s = newStorageRow();
    m_order.push_back(s);
    storeCells(storageRow(s), cells, m_cols);
    std::copy_n(styles, m_cols, storageStyles(s));
}

void FlexGridStore::appendRows(FlexGridStore &other)
{
    if (other.m_order.empty()) {
        other = FlexGridStore();
        return;
    }
    if (other.m_cols != m_cols)
        throw std::invalid_argument("appendRows: the stores have different column counts");
    // The other store's blocks go after the last whole block of this one:
    // its storage rows move by a whole number of blocks, so no cell moves.
    const quint32 blockOffset = quint32(m_cellBlocks.size());
    const quint32 rowOffset = blockOffset * quint32(BlockRows);
    // Its texts follow this store's arena chunks and long texts; its colour
    // pairs get this store's indexes (none change when both stores were
    // asked for their pairs in the same order).
    const quint64 arenaOffset = quint64(m_chunks.size()) * ChunkBytes;
    const quint64 longOffset = m_longTexts.size();
    std::vector<std::uint16_t> styleMap(other.m_styles.size());
    bool sameStyles = true;
    for (std::size_t k = 0; k < other.m_styles.size(); ++k) {
        styleMap[k] = styleFor(other.m_styles[k]);
        sameStyles = sameStyles && styleMap[k] == k;
    }
    const bool moveTexts = arenaOffset != 0 || (longOffset != 0 && !other.m_longTexts.empty());
    for (std::size_t b = 0; b < other.m_cellBlocks.size(); ++b) {
        const std::size_t used = std::min<std::size_t>(BlockRows, other.m_storageRows - b * BlockRows) * m_cols;
        if (moveTexts) {
            Cell *cells = other.m_cellBlocks[b].get();
            for (std::size_t k = 0; k < used; ++k) {
                Cell &c = cells[k];
                if (c.tag == ArenaTag)
                    c.setNumber(2, 5, c.number(2, 5) + arenaOffset);
                else if (c.tag == LongTag)
                    c.setNumber(0, 7, c.number(0, 7) + longOffset);
            }
        }
        if (!sameStyles) {
            std::uint16_t *styles = other.m_styleBlocks[b].get();
            for (std::size_t k = 0; k < used; ++k)
                styles[k] = styleMap[styles[k]];
        }
        m_cellBlocks.push_back(std::move(other.m_cellBlocks[b]));
        m_styleBlocks.push_back(std::move(other.m_styleBlocks[b]));
    }
    m_order.reserve(m_order.size() + other.m_order.size());
    for (const quint32 s : other.m_order)
        m_order.push_back(s + rowOffset);
    m_storageRows = rowOffset + other.m_storageRows;
    // New texts go into a fresh chunk: the last chunk of the other store
    // may be full.
    for (auto &chunk : other.m_chunks)
        m_chunks.push_back(std::move(chunk));
    m_chunkUsed = other.m_chunks.empty() ? m_chunkUsed : other.m_chunkUsed;
    for (std::string &text : other.m_longTexts)
        m_longTexts.push_back(std::move(text));
    resetRecentTexts();
    other = FlexGridStore();
}

void FlexGridStore::removeRow(int row)
{
    m_order.erase(m_order.begin() + row);
}

void FlexGridStore::removeRows(const std::vector<bool> &drop)
{
    std::size_t kept = 0;
    for (std::size_t row = 0; row < m_order.size(); ++row) {
        if (row >= drop.size() || !drop[row])
            m_order[kept++] = m_order[row];
    }
    m_order.resize(kept);
}

void FlexGridStore::clearContents()
{
    const std::size_t slots = std::size_t(BlockRows) * std::size_t(m_cols);
    for (auto &block : m_cellBlocks)
        std::fill_n(block.get(), slots, Cell {});
    for (auto &block : m_styleBlocks)
        std::fill_n(block.get(), slots, std::uint16_t(0));
    dropTexts();
}

quint64 FlexGridStore::appendToArena(std::string_view utf8)
{
    if (m_chunkUsed + utf8.size() > ChunkBytes) {
        if (!m_spareChunks.empty()) {
            m_chunks.push_back(std::move(m_spareChunks.back()));
            m_spareChunks.pop_back();
        } else {
            m_chunks.push_back(std::make_unique_for_overwrite<char[]>(ChunkBytes));
        }
        m_chunkUsed = 0;
    }
    const quint64 position = quint64(m_chunks.size() - 1) * ChunkBytes + m_chunkUsed;
    std::memcpy(m_chunks.back().get() + m_chunkUsed, utf8.data(), utf8.size());
    m_chunkUsed += utf8.size();
    return position;
}

void FlexGridStore::store(Cell &target, int col, std::string_view utf8)
{
    Cell result {};
    if (utf8.size() <= sizeof(result.bytes)) {
        result.tag = std::uint8_t(utf8.size());
        // An empty view may carry no pointer at all, and memcpy must not be handed one.
        if (!utf8.empty())
            std::memcpy(result.bytes, utf8.data(), utf8.size());
    } else if (utf8.size() <= MaxArenaText) {
        const auto length = quint16(utf8.size());
        quint64 position = 0;
        bool shared = false;
        RecentText *recent = &m_recent[std::size_t(col) * 2];
        if (utf8.size() <= MaxSharedText) {
            for (int k = 0; k < 2 && !shared; ++k) {
                if (recent[k].length == length && arenaText(recent[k].position, length) == utf8) {
                    position = recent[k].position;
                    shared = true;
                }
            }
        }
        if (!shared) {
            position = appendToArena(utf8);
            if (utf8.size() <= MaxSharedText) {
                recent[m_recentNext[col]] = {position, length};
                m_recentNext[col] ^= 1;
            }
        }
        result.tag = ArenaTag;
        result.setNumber(0, 2, length);
        result.setNumber(2, 5, position);
    } else {
        const quint64 index = m_longTexts.size();
        m_longTexts.emplace_back(utf8);
        result.tag = LongTag;
        result.setNumber(0, 7, index);
    }
    target = result;
}

std::string_view FlexGridStore::longText(const Cell &c) const
{
    return m_longTexts[c.number(0, 7)];
}

quint32 FlexGridStore::foreColor(int row, int col) const
{
    return m_styles[styleIndex(row, col)].fore;
}

quint32 FlexGridStore::backColor(int row, int col) const
{
    return m_styles[styleIndex(row, col)].back;
}

std::uint16_t FlexGridStore::styleFor(Style style)
{
    const quint64 key = quint64(style.fore) << 32 | style.back;
    const auto found = m_styleLookup.find(key);
    if (found != m_styleLookup.end())
        return found->second;
    if (m_styles.size() > 0xFFFF)
        throw std::length_error("the grid holds too many distinct cell colours");
    const auto index = std::uint16_t(m_styles.size());
    m_styles.push_back(style);
    m_styleLookup.emplace(key, index);
    return index;
}

template<typename Change>
void FlexGridStore::restyle(int row0, int row1, int col0, int col1, Change change)
{
    // Neighbouring cells mostly share a style: remember the last translation.
    std::uint16_t lastFrom = 0xFFFF;
    std::uint16_t lastTo = 0;
    for (int r = row0; r <= row1; ++r) {
        for (int c = col0; c <= col1; ++c) {
            std::uint16_t &index = styleIndex(r, c);
            if (index != lastFrom) {
                lastFrom = index;
                lastTo = styleFor(change(m_styles[index]));
            }
            index = lastTo;
        }
    }
}

void FlexGridStore::setForeColor(int row0, int row1, int col0, int col1, quint32 color)
{
    restyle(row0, row1, col0, col1, [color](Style s) { s.fore = color; return s; });
}

void FlexGridStore::setBackColor(int row0, int row1, int col0, int col1, quint32 color)
{
    restyle(row0, row1, col0, col1, [color](Style s) { s.back = color; return s; });
}

void FlexGridStore::swapBackColors(int row0, int row1, quint32 a, quint32 b)
{
    // Each colour pair maps to its swapped pair once; then one look-up per cell.
    std::vector<std::uint16_t> swapped(m_styles.size());
    for (std::size_t k = 0; k < swapped.size(); ++k) {
        Style style = m_styles[k];
        if (style.back == a)
            style.back = b;
        else if (style.back == b)
            style.back = a;
        swapped[k] = styleFor(style);
    }
    for (int r = row0; r <= row1; ++r) {
        std::uint16_t *styles = storageStyles(m_order[std::size_t(r)]);
        for (int c = 0; c < m_cols; ++c)
            styles[c] = swapped[styles[c]];
    }
}

void FlexGridStore::sort(int col0, int col1, int code)
{
    if (code < 1 || code > 8 || rowCount() < 2 || m_cols == 0)
        return;
    if (col0 > col1)
        std::swap(col0, col1);
    col0 = std::clamp(col0, 0, m_cols - 1);
    col1 = std::clamp(col1, 0, m_cols - 1);
    enum Kind { Generic, Numeric, TextNoCase, TextCase };
    const Kind kind = Kind((code - 1) / 2);
    const bool descending = code % 2 == 0;

    struct Key
    {
        double number;
        std::string_view text;
        bool isNumber;
    };
    const int keyCols = col1 - col0 + 1;
    const std::size_t rows = m_order.size();
    std::vector<Key> keys(rows * std::size_t(keyCols));
    for (std::size_t r = 0; r < rows; ++r) {
        for (int k = 0; k < keyCols; ++k) {
            Key &key = keys[r * keyCols + k];
            key.text = text(int(r), col0 + k);
            key.number = 0;
            key.isNumber = (kind == Generic || kind == Numeric) && readWholeNumber(key.text, key.number);
        }
    }
    const auto compare = [&](const Key &a, const Key &b) {
        switch (kind) {
        case Generic:
            if (a.isNumber && b.isNumber)
                return a.number < b.number ? -1 : (a.number > b.number ? 1 : 0);
            if (a.isNumber != b.isNumber)
                return a.isNumber ? -1 : 1; // numbers before texts
            return compareText(a.text, b.text, true);
        case Numeric:
            return a.number < b.number ? -1 : (a.number > b.number ? 1 : 0);
        case TextNoCase:
            return compareText(a.text, b.text, true);
        case TextCase:
            return compareText(a.text, b.text, false);
        }
        return 0;
    };
    std::vector<quint32> positions(rows);
    std::iota(positions.begin(), positions.end(), 0u);
    std::stable_sort(positions.begin(), positions.end(), [&](quint32 a, quint32 b) {
        for (int k = 0; k < keyCols; ++k) {
            const int result = compare(keys[a * keyCols + k], keys[b * keyCols + k]);
            if (result != 0)
                return descending ? result > 0 : result < 0;
        }
        return false;
    });
    std::vector<quint32> order(rows);
    for (std::size_t i = 0; i < rows; ++i)
        order[i] = m_order[positions[i]];
    m_order.swap(order);
}

quint64 FlexGridStore::bytesUsed() const
{
    const quint64 blocks = m_cellBlocks.size() + m_spareCellBlocks.size();
    quint64 bytes = blocks * BlockRows * quint64(m_cols) * (sizeof(Cell) + sizeof(std::uint16_t));
    bytes += quint64(std::count_if(m_chunks.begin(), m_chunks.end(), [](const auto &chunk) { return chunk != nullptr; })
                     + m_spareChunks.size())
             * ChunkBytes;
    for (const std::string &text : m_longTexts)
        bytes += text.capacity() + sizeof(std::string);
    bytes += quint64(m_order.capacity()) * sizeof(quint32);
    bytes += quint64(m_styles.capacity()) * sizeof(Style);
    return bytes;
}
