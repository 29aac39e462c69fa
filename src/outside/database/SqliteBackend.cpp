#include "outside/database/SqliteBackend.h"

#include "outside/database/DatabaseTexts.h"
#include "outside/database/SqliteFunctions.h"
#include "outside/database/SqliteProcedures.h"
#include "outside/database/SqliteRawStatement.h"
#include "outside/database/TsqlRewrite.h"
#include "session/Currency.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <atomic>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <functional>
#include <thread>
#include <vector>

namespace {

const QString DriverName = QStringLiteral("QSQLITE");

// Big ledgers are read in one pass: a larger page cache and in-memory
// temporary sorting help; journaling and synchronous writes stay as they are.
const char TuningPragmas[] =
    "PRAGMA cache_size = -65536;"     // 64 MB
    "PRAGMA temp_store = MEMORY;"
    "PRAGMA mmap_size = 268435456;";  // 256 MB

// Text of a REAL cell, rounded to four decimals as a Currency amount is;
// written into buffer (at least 32 bytes), returning its length.
size_t realText(double value, char *buffer)
{
    if (!(value > -9.0e14 && value < 9.0e14)) { // beyond fixed point (or not finite)
        const int n = std::snprintf(buffer, 32, "%.4f", value);
        size_t length = size_t(n < 0 ? 0 : n > 31 ? 31 : n);
        if (std::memchr(buffer, '.', length)) {
            while (buffer[length - 1] == '0')
                --length;
            if (buffer[length - 1] == '.')
                --length;
        }
        return length;
    }
    std::int64_t raw = Currency::fromDouble(value).raw();
    char *p = buffer;
    if (raw < 0) {
        *p++ = '-';
        raw = -raw;
    }
    p = std::to_chars(p, buffer + 32, raw / Currency::Scale).ptr;
    int fraction = int(raw % Currency::Scale);
    if (fraction) {
        *p++ = '.';
        for (int digit = Currency::Scale / 10; fraction; digit /= 10) {
            *p++ = char('0' + fraction / digit);
            fraction %= digit;
        }
    }
    return size_t(p - buffer);
}

// Turns the current row's cells into text views for a sink; numbers are
// written into `numbers` (32 bytes per column).
void bindRow(sqlite3_stmt *s, int columns, std::string_view *cells, char *numbers)
{
    for (int i = 0; i < columns; ++i) {
        char *buffer = numbers + size_t(i) * 32;
        // One look-up of the cell's value instead of one per read; the
        // connection is used by this thread alone while the rows stream.
        sqlite3_value *value = sqlite3_column_value(s, i);
        switch (sqlite3_value_type(value)) {
        case SQLITE_INTEGER:
            cells[i] = std::string_view(buffer, size_t(std::to_chars(buffer, buffer + 32, sqlite3_value_int64(value)).ptr - buffer));
            break;
        case SQLITE_FLOAT:
            cells[i] = std::string_view(buffer, realText(sqlite3_value_double(value), buffer));
            break;
        case SQLITE_NULL:
            cells[i] = std::string_view();
            break;
        default: { // TEXT (and BLOB as its bytes)
            const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(value));
            cells[i] = std::string_view(text ? text : "", size_t(sqlite3_value_bytes(value)));
        }
        }
    }
}

enum class PartEnd { Read, LockedAtStart };

// Streams one statement on a raw connection into the sink, without its last
// `dropLast` columns. `endBefore`, when given, is asked before each row and
// ends the reading there when it says so. With lockedAtStart, a database
// locked for a new reader at the first step ends the part before the sink
// hears of it.
PartEnd streamStatement(sqlite3 *db, const QByteArray &text, const QString &shownText, RowSink &sink, qint64 &count,
                        const std::function<bool(sqlite3_stmt *)> &endBefore = {}, bool lockedAtStart = false,
                        int dropLast = 0)
{
    SqliteRawStatement st(db, text, shownText);
    count = 0;
    if (st.isEmpty()) {
        sink.beginRows(0);
        sink.endRows();
        return PartEnd::Read;
    }
    sqlite3_stmt *s = st.get();
    int rc = sqlite3_step(s);
    if (rc == SQLITE_BUSY && lockedAtStart)
        return PartEnd::LockedAtStart;
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        st.fail();
    const int columns = std::max(sqlite3_column_count(s) - dropLast, 0);
    std::vector<std::string_view> cells(static_cast<size_t>(columns));
    std::vector<char> numbers(static_cast<size_t>(columns) * 32);
    sink.beginRows(columns);
    for (; rc == SQLITE_ROW; rc = sqlite3_step(s)) {
        if (endBefore && endBefore(s)) {
            rc = SQLITE_DONE;
            break;
        }
        bindRow(s, columns, cells.data(), numbers.data());
        sink.appendRow(cells.data(), columns);
        ++count;
    }
    if (rc != SQLITE_DONE)
        st.fail();
    sink.endRows();
    return PartEnd::Read;
}

bool inWalMode(sqlite3 *db)
{
    static const char sql[] = "PRAGMA journal_mode";
    SqliteRawStatement st(db, QByteArray::fromRawData(sql, sizeof sql - 1), QString::fromLatin1(sql));
    if (!st.step())
        return false;
    const auto *mode = reinterpret_cast<const char *>(sqlite3_column_text(st.get(), 0));
    return mode && qstricmp(mode, "wal") == 0;
}

// The read of one snapshot on a thread of its own, through a Qt connection
// that the thread opens and closes, so the values are those of snapshot().
class SqliteSnapshotAhead final : public SnapshotAhead
{
public:
    SqliteSnapshotAhead(const QString &path, const QString &tsql) : m_thread([this, path, tsql] { read(path, tsql); })
    {}
    ~SqliteSnapshotAhead() override
    {
        if (m_thread.joinable())
            m_thread.join();
    }
    void take(QStringList &columns, QList<QVariant> &values) override
    {
        if (m_thread.joinable())
            m_thread.join();
        if (m_error)
            std::rethrow_exception(m_error);
        columns = std::move(m_columns);
        values = std::move(m_values);
    }

private:
    void read(const QString &path, const QString &tsql)
    {
        try {
            static std::atomic<int> serial {0};
            SqliteBackend backend(path, QStringLiteral("ReadAhead") + QString::number(++serial));
            backend.snapshot(tsql, m_columns, m_values);
        } catch (...) {
            m_error = std::current_exception();
        }
    }

    QStringList m_columns;
    QList<QVariant> m_values;
    std::exception_ptr m_error;
    std::thread m_thread; // last: it starts once the members it writes exist
};

// A read-only connection for a reader of its own, with the stand-in's
// functions; nullptr when it cannot be opened (the part is then read on the
// main connection). No busy wait: a reader that finds the database locked at
// its start leaves its part to the main connection, which holds its lock
// already (waiting could wait on a writer that waits on us).
sqlite3 *openReader(const QByteArray &path)
{
    sqlite3 *raw = nullptr;
    // One thread at a time uses it (handed over only through a thread's
    // start and end), so SQLite need not lock it on every call.
    if (sqlite3_open_v2(path.constData(), &raw, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
        sqlite3_close_v2(raw);
        return nullptr;
    }
    try {
        RegisterSqliteFunctions(raw);
    } catch (...) {
        sqlite3_close_v2(raw);
        return nullptr;
    }
    sqlite3_exec(raw, TuningPragmas, nullptr, nullptr, nullptr); // only a speed-up
    return raw;
}

} // namespace

SqliteBackend::SqliteBackend(const QString &path, const QString &connectionName)
    : m_path(path), m_connectionName(connectionName)
{}

SqliteBackend::~SqliteBackend()
{
    for (sqlite3 *reader : m_readers)
        if (reader)
            sqlite3_close_v2(reader);
    if (!QSqlDatabase::contains(m_connectionName))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        if (db.driverName() != DriverName)
            return; // not ours
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
}

QSqlDatabase SqliteBackend::database()
{
    if (m_handle) {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        if (db.isOpen())
            return db;
        m_handle = nullptr; // closed behind our back: open again
    }
    // QSQLITE would create a missing file; a wrong path must not end up as an
    // empty database that then reports "no such table".
    const QFileInfo file(m_path);
    if (m_path.isEmpty() || !file.exists() || !file.isFile())
        throw DatabaseError(DatabaseTexts::MissingDatabaseFile(m_path));
    if (!QSqlDatabase::isDriverAvailable(DriverName))
        throw DatabaseError(DatabaseTexts::MissingDriver(DriverName));

    QSqlDatabase db = QSqlDatabase::contains(m_connectionName)
        ? QSqlDatabase::database(m_connectionName, false)
        : QSqlDatabase::addDatabase(DriverName, m_connectionName);
    db.setDatabaseName(m_path);
    if (!db.open())
        throw DatabaseError(DatabaseTexts::ConnectionFailed(db.lastError().text()));

    const QVariant h = db.driver()->handle();
    sqlite3 *raw = (h.isValid() && qstrcmp(h.typeName(), "sqlite3*") == 0) ? *static_cast<sqlite3 *const *>(h.constData())
                                                                            : nullptr;
    if (!raw) {
        db.close();
        throw DatabaseError(DatabaseTexts::MissingDriver(DriverName));
    }
    try {
        RegisterSqliteFunctions(raw);
    } catch (...) {
        db.close();
        throw;
    }
    sqlite3_exec(raw, TuningPragmas, nullptr, nullptr, nullptr); // only a speed-up; failure is harmless
    m_handle = raw;
    return db;
}

sqlite3 *SqliteBackend::handle()
{
    database();
    return m_handle;
}

namespace {

// True when the rewrite and the one-statement rule have nothing to do: no
// ";", comment, quoted name or backtick, and none of the words the rewrite
// acts on (isnull, convert, delete, dbo, an N before a text), outside the
// '...' literals. Most statements are so (a printout sends one insert per
// grid row), and they go to SQLite without being cut into tokens.
bool plainForSqlite(QStringView text)
{
    static const QLatin1String RewrittenWords[] = {QLatin1String("isnull"), QLatin1String("convert"),
                                                   QLatin1String("delete"), QLatin1String("dbo"), QLatin1String("n")};
    const auto isWordChar = [](QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'@' || c == u'#' || c == u'$'; };
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\'') { // to the literal's end; a doubled quote stays inside
            for (++i; i < n && (text[i] != u'\'' || (i + 1 < n && text[i + 1] == u'\'' && ++i)); ++i) {
            }
            if (i >= n)
                return false; // left open: the tokenizer decides
            continue;
        }
        if (c == u';' || c == u'"' || c == u'`' || c == u'[')
            return false;
        if ((c == u'-' || c == u'/') && i + 1 < n && text[i + 1] == (c == u'-' ? u'-' : u'*'))
            return false;
        if (isWordChar(c)) {
            qsizetype end = i;
            while (end < n && isWordChar(text[end]))
                ++end;
            const QStringView word = text.mid(i, end - i);
            for (const QLatin1String &rewritten : RewrittenWords)
                if (word.compare(rewritten, Qt::CaseInsensitive) == 0)
                    return false;
            i = end - 1;
        }
    }
    return true;
}

} // namespace

QString SqliteBackend::toDatabaseText(const QString &tsql) const
{
    if (plainForSqlite(tsql))
        return tsql;
    // Only the statement goes on: Qt refuses a trailing comment after ";",
    // and SQLite's own interface would run the first statement and silently
    // drop the rest.
    const QList<SqlToken> tokens = TokenizeSql(tsql, SqlDialect::Sqlite);
    return RewriteTsqlForSqlite(tokens.first(SingleStatementLength(tokens, tsql)));
}

QString SqliteBackend::dateText(const QDate &date) const
{
    return SqlDateText(date, u"-");
}

QVariant SqliteBackend::callProcedure(const ProcedureCommand &command, QVariantList &args)
{
    sqlite3 *db = handle();
    const qint64 changesBefore = sqlite3_total_changes64(db);
    m_procedureRowsAffected = -1;
    QVariant result = CallSqliteProcedure(db, command, args);
    m_procedureRowsAffected = sqlite3_total_changes64(db) - changesBefore;
    return result;
}

qint64 SqliteBackend::execute(const QString &tsql)
{
    const QByteArray text = toDatabaseText(tsql).toUtf8();
    sqlite3 *db = handle();
    SqliteRawStatement statement(db, text, tsql);
    while (statement.step()) {
    }
    return statement.isEmpty() ? 0 : sqlite3_changes64(db);
}

qint64 SqliteBackend::streamRows(const QString &tsql, RowSink &sink)
{
    const QByteArray text = toDatabaseText(tsql).toUtf8();
    qint64 count = 0;
    streamStatement(handle(), text, tsql, sink, count);
    return count;
}

int SqliteBackend::concurrentReaders() const
{
    // A second reader only pays where a second core can run it.
    return std::thread::hardware_concurrency() >= 2 ? 2 : 1;
}

SplitCounts SqliteBackend::streamSplit(const QString &whole, const QString &secondPart, RowSink &first,
                                       RowSink &second, qint64 concurrentAfterRows)
{
    sqlite3 *db = handle();
    // Both texts are checked before anything is read.
    const QByteArray wholeText = toDatabaseText(whole).toUtf8();
    const QByteArray secondText = toDatabaseText(secondPart).toUtf8();

    // The second reader reads what this connection reads only outside a
    // transaction of this connection (its changes are not committed) and not
    // in WAL mode (it could see a later commit). While this connection's
    // statement runs it holds the shared lock that keeps writers from
    // committing, so a reader started meanwhile reads the same data.
    const bool mayShare = concurrentReaders() > 1 && sqlite3_get_autocommit(db) != 0 && !inWalMode(db);

    SplitCounts counts;
    bool readerStarted = false;
    bool endedAtSecondPart = false;
    std::atomic<bool> wholeFailed {false};
    std::atomic<bool> readerCannotStart {false};
    std::exception_ptr readerError;
    const QByteArray path = QFile::encodeName(m_path);
    if (m_readers.empty())
        m_readers.push_back(nullptr);
    {
        std::jthread reader; // joined on every way out
        const auto startReader = [&] {
            readerStarted = true;
            reader = std::jthread([&] {
                sqlite3 *&connection = m_readers.front();
                if (!connection)
                    connection = openReader(path);
                if (!connection) {
                    readerCannotStart = true;
                    return;
                }
                try {
                    // The whole statement failed before the second part:
                    // its rows cannot matter.
                    const auto stop = [&wholeFailed](sqlite3_stmt *) { return wholeFailed.load(std::memory_order_relaxed); };
                    if (streamStatement(connection, secondText, secondPart, second, counts.second, stop, true)
                        == PartEnd::LockedAtStart)
                        readerCannotStart = true;
                } catch (...) {
                    readerError = std::current_exception();
                }
            });
        };
        // The last column marks the second part's rows, which all come after
        // the others: with the reader at work the reading here ends at the
        // first of them; without it they are read here too.
        int flag = -1;
        const auto beforeRow = [&](sqlite3_stmt *s) {
            if (flag < 0)
                flag = sqlite3_column_count(s) - 1;
            const bool inSecondPart = sqlite3_column_int(s, flag) != 0;
            if (inSecondPart)
                return endedAtSecondPart = readerStarted && !readerCannotStart.load();
            if (!readerStarted && mayShare && counts.first >= concurrentAfterRows)
                startReader();
            return false;
        };
        try {
            streamStatement(db, wholeText, whole, first, counts.first, beforeRow, false, 1);
        } catch (...) {
            wholeFailed = true;
            throw;
        }
    }
    if (readerError)
        std::rethrow_exception(readerError);
    // A reader that could not start after this reading had ended leaves
    // its rows to this connection.
    if (endedAtSecondPart && readerCannotStart)
        streamStatement(db, secondText, secondPart, second, counts.second);
    return counts;
}

std::unique_ptr<SnapshotAhead> SqliteBackend::snapshotAhead(const QString &tsql)
{
    database(); // a missing file is reported here, as snapshot() would
    return std::make_unique<SqliteSnapshotAhead>(m_path, tsql);
}
