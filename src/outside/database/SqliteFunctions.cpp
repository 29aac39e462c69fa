#include "outside/database/SqliteFunctions.h"

#include "outside/database/SqliteRawStatement.h"
#include "session/Currency.h"

#include <cstring>
#include <string_view>
#include <algorithm>
#include <vector>

namespace {

constexpr int DocumentFormType = 303;

// ---- fnAccountDocumentDetailAssignedValue ---------------------------------
//
// The ledger query calls the function twice per row, on ledgers of a million
// rows. Instead of a query per call, all links of accounting-document rows are
// read once into two sorted tables, which stay valid until the database changes:
// a write on this connection moves sqlite3_total_changes, a commit from another
// connection moves the data version, and a rollback (which undoes changes
// without moving either) is caught by the rollback hook. A ROLLBACK TO inside
// an open transaction is not seen; the component never calls the function
// inside one.

struct RowKey
{
    sqlite3_int64 document;
    sqlite3_int64 row;
    auto operator<=>(const RowKey &) const = default;
};

// Sums of the links by ledger row, sorted by row. The ledger query asks for
// its rows in date order, and document numbers mostly grow with the date, so
// a look-up starts where the last one ended and moves forward a few places:
// on a million rows that walks the table once instead of reaching into a
// random place of it twice per row.
class LinkSums
{
public:
    struct Entry
    {
        RowKey key;
        std::int64_t sum; // raw Currency
    };

    void clear()
    {
        m_entries.clear();
        m_finger = 0;
    }
    void add(const RowKey &key, std::int64_t amount) { m_entries.push_back({key, amount}); }
    // Sorts the links and adds up those of one row. Link amounts add up in
    // the currency's raw units: a sum beyond them is an error of the
    // function, never a wrapped amount.
    void finish()
    {
        std::sort(m_entries.begin(), m_entries.end(), [](const Entry &a, const Entry &b) { return a.key < b.key; });
        std::size_t kept = 0;
        for (std::size_t i = 0; i < m_entries.size(); ++i) {
            if (kept > 0 && m_entries[kept - 1].key == m_entries[i].key) {
                if (__builtin_add_overflow(m_entries[kept - 1].sum, m_entries[i].sum, &m_entries[kept - 1].sum))
                    throw CurrencyOverflow();
            } else {
                m_entries[kept++] = m_entries[i];
            }
        }
        m_entries.resize(kept);
        m_finger = 0;
    }
    // nullptr when the row has no link.
    const std::int64_t *find(const RowKey &key) const
    {
        const std::size_t n = m_entries.size();
        if (n == 0)
            return nullptr;
        const auto before = [](const Entry &e, const RowKey &k) { return e.key < k; };
        std::size_t lo = 0;
        std::size_t hi = std::min(m_finger, n - 1);
        if (m_entries[hi].key < key) {
            // Forward from the last place in growing steps, then a binary
            // search in the last step.
            lo = hi + 1;
            std::size_t step = 1;
            hi = lo;
            while (hi < n && m_entries[hi].key < key) {
                lo = hi + 1;
                hi = lo + step;
                step *= 2;
            }
            hi = std::min(hi, n);
        }
        const auto found = std::lower_bound(m_entries.begin() + std::ptrdiff_t(lo), m_entries.begin() + std::ptrdiff_t(hi),
                                            key, before);
        const std::size_t at = std::size_t(found - m_entries.begin());
        m_finger = at;
        return at < n && m_entries[at].key == key ? &m_entries[at].sum : nullptr;
    }

private:
    std::vector<Entry> m_entries;
    mutable std::size_t m_finger = 0; // where the last look-up ended
};

class AssignedValueCache
{
public:
    explicit AssignedValueCache(sqlite3 *db) : m_db(db) {}

    static void rollbackHook(void *self) { static_cast<AssignedValueCache *>(self)->m_valid = false; }

    // The map of one side, reloaded when the database changed since the last load.
    const LinkSums &sums(int side)
    {
        const sqlite3_int64 changes = sqlite3_total_changes64(m_db);
        unsigned int version = 0;
        sqlite3_file_control(m_db, "main", SQLITE_FCNTL_DATA_VERSION, &version);
        if (!m_valid || changes != m_changes || version != m_version) {
            m_valid = false;
            load();
            m_changes = changes;
            m_version = version;
            m_valid = true;
        }
        return m_sides[side];
    }
    // The map as last checked, for later calls of the same statement run.
    const LinkSums &checkedSums(int side) const { return m_sides[side]; }

private:
    static std::int64_t rawAmount(sqlite3_stmt *st, int column)
    {
        switch (sqlite3_column_type(st, column)) {
        case SQLITE_INTEGER:
            return Currency::fromUnits(sqlite3_column_int64(st, column)).raw();
        case SQLITE_FLOAT:
            return Currency::fromDouble(sqlite3_column_double(st, column)).raw();
        case SQLITE_TEXT:
            return Currency::parsePrefix(std::string_view(
                reinterpret_cast<const char *>(sqlite3_column_text(st, column)),
                size_t(sqlite3_column_bytes(st, column)))).raw();
        default:
            return 0; // null counts 0, but the link still exists
        }
    }

    void load()
    {
        // One pass over the table: the "+" keeps SQLite from answering the
        // "or" through both type indexes, which looks up every link twice by
        // rowid and costs several times the plain scan.
        static const char sql[] =
            "select RelatedFormTypeID, RelatedFormID, RelatedFormRowNumber,"
            " ReferenceFormTypeID, ReferenceFormID, ReferenceFormRowNumber, AssignedValue"
            " from tblVelkoRelatedForms where +RelatedFormTypeID = 303 or +ReferenceFormTypeID = 303";
        m_sides[0].clear();
        m_sides[1].clear();
        SqliteRawStatement st(m_db, QByteArray::fromRawData(sql, sizeof sql - 1), QString::fromLatin1(sql));
        while (st.step()) {
            sqlite3_stmt *s = st.get();
            const std::int64_t amount = rawAmount(s, 6);
            // side 0 reads the related-form end of a link, side 1 the referring end
            for (int side = 0; side < 2; ++side) {
                const int c = side * 3;
                if (sqlite3_column_type(s, c + 2) == SQLITE_NULL
                    || sqlite3_column_int64(s, c) != DocumentFormType)
                    continue;
                m_sides[side].add(RowKey {sqlite3_column_int64(s, c + 1), sqlite3_column_int64(s, c + 2)}, amount);
            }
        }
        m_sides[0].finish();
        m_sides[1].finish();
    }

    sqlite3 *m_db;
    bool m_valid = false;
    sqlite3_int64 m_changes = -1;
    unsigned int m_version = 0;
    LinkSums m_sides[2];
};

void assignedValue(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(context);
            return;
        }
    }
    const sqlite3_int64 side = sqlite3_value_int64(argv[2]);
    if (side != 0 && side != 1) {
        sqlite3_result_null(context);
        return;
    }
    auto *cache = static_cast<AssignedValueCache *>(sqlite3_user_data(context));
    try {
        // The database cannot change while one statement runs, so the change
        // check is made once per run: its mark sits on the constant side
        // argument, which SQLite drops when the statement is reset.
        const bool checked = sqlite3_get_auxdata(context, 2) == cache;
        const LinkSums &sums = checked ? cache->checkedSums(int(side)) : cache->sums(int(side));
        if (!checked)
            sqlite3_set_auxdata(context, 2, cache, nullptr);
        const std::int64_t *found = sums.find(RowKey {sqlite3_value_int64(argv[0]), sqlite3_value_int64(argv[1])});
        if (!found) {
            sqlite3_result_null(context);
        } else if (*found % Currency::Scale == 0) {
            sqlite3_result_int64(context, *found / Currency::Scale);
        } else {
            sqlite3_result_double(context, Currency::fromRaw(*found).toDouble());
        }
    } catch (const DatabaseError &error) {
        const QByteArray message = error.message().toUtf8();
        sqlite3_result_error(context, message.constData(), int(message.size()));
    }
}

void destroyCache(void *cache)
{
    delete static_cast<AssignedValueCache *>(cache);
}

// ---- fnVelkoStringToTable ---------------------------------------------------
//
// An eponymous-only virtual table: "fnVelkoStringToTable(x)" in a FROM clause
// passes x to the hidden column "list"; the rows are its numbers.

struct StringTableCursor
{
    sqlite3_vtab_cursor base; // first member, as SQLite requires
    std::vector<sqlite3_int64> ids;
    size_t position = 0;
};

enum { ColumnID = 0, ColumnList = 1 };

std::vector<sqlite3_int64> splitNumbers(std::string_view text)
{
    std::vector<sqlite3_int64> ids;
    while (true) {
        const size_t comma = text.find(',');
        std::string_view piece = text.substr(0, comma);
        while (!piece.empty() && (piece.front() == ' ' || piece.front() == '\t'))
            piece.remove_prefix(1);
        while (!piece.empty() && (piece.back() == ' ' || piece.back() == '\t' || piece.back() == '\r'
                                  || piece.back() == '\n'))
            piece.remove_suffix(1);
        // Only whole numbers count; empty pieces (",,") and words are left out.
        const bool negative = !piece.empty() && piece[0] == '-';
        if (!piece.empty() && (piece[0] == '-' || piece[0] == '+'))
            piece.remove_prefix(1);
        bool number = !piece.empty() && piece.size() <= 18; // fits in 64 bits
        sqlite3_int64 value = 0;
        for (char ch : piece) {
            number = number && ch >= '0' && ch <= '9';
            value = value * 10 + (ch - '0');
        }
        if (number)
            ids.push_back(negative ? -value : value);
        if (comma == std::string_view::npos)
            return ids;
        text.remove_prefix(comma + 1);
    }
}

int stConnect(sqlite3 *db, void *, int, const char *const *, sqlite3_vtab **table, char **)
{
    const int rc = sqlite3_declare_vtab(db, "CREATE TABLE x(ID INTEGER, list HIDDEN)");
    if (rc != SQLITE_OK)
        return rc;
    *table = static_cast<sqlite3_vtab *>(sqlite3_malloc(sizeof(sqlite3_vtab)));
    if (!*table)
        return SQLITE_NOMEM;
    std::memset(*table, 0, sizeof(sqlite3_vtab));
    sqlite3_vtab_config(db, SQLITE_VTAB_INNOCUOUS);
    return SQLITE_OK;
}

int stDisconnect(sqlite3_vtab *table)
{
    sqlite3_free(table);
    return SQLITE_OK;
}

int stBestIndex(sqlite3_vtab *, sqlite3_index_info *info)
{
    for (int i = 0; i < info->nConstraint; ++i) {
        const auto &c = info->aConstraint[i];
        if (c.iColumn != ColumnList || c.op != SQLITE_INDEX_CONSTRAINT_EQ)
            continue;
        if (!c.usable)
            return SQLITE_CONSTRAINT; // SQLite tries another join order
        info->aConstraintUsage[i].argvIndex = 1;
        info->aConstraintUsage[i].omit = 1;
        info->idxNum = 1;
        info->estimatedCost = 10;
        info->estimatedRows = 10;
        return SQLITE_OK;
    }
    info->idxNum = 0; // called without a text: no rows
    info->estimatedCost = 1e9;
    return SQLITE_OK;
}

int stOpen(sqlite3_vtab *, sqlite3_vtab_cursor **cursor)
{
    auto *c = new (std::nothrow) StringTableCursor;
    if (!c)
        return SQLITE_NOMEM;
    std::memset(&c->base, 0, sizeof c->base);
    *cursor = &c->base;
    return SQLITE_OK;
}

int stClose(sqlite3_vtab_cursor *cursor)
{
    delete reinterpret_cast<StringTableCursor *>(cursor);
    return SQLITE_OK;
}

int stFilter(sqlite3_vtab_cursor *cursor, int idxNum, const char *, int argc, sqlite3_value **argv)
{
    auto *c = reinterpret_cast<StringTableCursor *>(cursor);
    c->ids.clear();
    c->position = 0;
    if (idxNum == 1 && argc == 1 && sqlite3_value_type(argv[0]) != SQLITE_NULL) {
        const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
        c->ids = splitNumbers(std::string_view(text, size_t(sqlite3_value_bytes(argv[0]))));
    }
    return SQLITE_OK;
}

int stNext(sqlite3_vtab_cursor *cursor)
{
    ++reinterpret_cast<StringTableCursor *>(cursor)->position;
    return SQLITE_OK;
}

int stEof(sqlite3_vtab_cursor *cursor)
{
    auto *c = reinterpret_cast<StringTableCursor *>(cursor);
    return c->position >= c->ids.size();
}

int stColumn(sqlite3_vtab_cursor *cursor, sqlite3_context *context, int column)
{
    auto *c = reinterpret_cast<StringTableCursor *>(cursor);
    if (column == ColumnID)
        sqlite3_result_int64(context, c->ids[c->position]);
    else
        sqlite3_result_null(context);
    return SQLITE_OK;
}

int stRowid(sqlite3_vtab_cursor *cursor, sqlite3_int64 *rowid)
{
    *rowid = sqlite3_int64(reinterpret_cast<StringTableCursor *>(cursor)->position) + 1;
    return SQLITE_OK;
}

sqlite3_module makeStringToTableModule()
{
    sqlite3_module m {}; // no xCreate: the table is eponymous-only; no writes
    m.xConnect = stConnect;
    m.xBestIndex = stBestIndex;
    m.xDisconnect = stDisconnect;
    m.xOpen = stOpen;
    m.xClose = stClose;
    m.xFilter = stFilter;
    m.xNext = stNext;
    m.xEof = stEof;
    m.xColumn = stColumn;
    m.xRowid = stRowid;
    return m;
}

const sqlite3_module StringToTableModule = makeStringToTableModule();

[[noreturn]] void registrationFailed(sqlite3 *db, const char *what)
{
    throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(db)), QString::fromLatin1(what));
}

} // namespace

void RegisterSqliteFunctions(sqlite3 *db)
{
    auto *cache = new AssignedValueCache(db);
    // On failure SQLite calls destroyCache itself.
    if (sqlite3_create_function_v2(db, "fnAccountDocumentDetailAssignedValue", 3, SQLITE_UTF8, cache,
                                   assignedValue, nullptr, nullptr, destroyCache) != SQLITE_OK)
        registrationFailed(db, "fnAccountDocumentDetailAssignedValue");
    sqlite3_rollback_hook(db, &AssignedValueCache::rollbackHook, cache);

    if (sqlite3_create_module(db, "fnVelkoStringToTable", &StringToTableModule, nullptr) != SQLITE_OK)
        registrationFailed(db, "fnVelkoStringToTable");
}
