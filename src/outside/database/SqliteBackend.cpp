#include "outside/database/SqliteBackend.h"

#include "outside/database/DatabaseTexts.h"
#include "outside/database/SqliteFunctions.h"
#include "outside/database/SqliteProcedures.h"
#include "outside/database/SqliteRawStatement.h"
#include "outside/database/TsqlRewrite.h"
#include "session/Currency.h"

#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <charconv>
#include <cstdio>
#include <cstring>
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

} // namespace

SqliteBackend::SqliteBackend(const QString &path, const QString &connectionName)
    : m_path(path), m_connectionName(connectionName)
{}

SqliteBackend::~SqliteBackend()
{
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
    SqliteRawStatement st(handle(), text, tsql);
    const int columns = st.isEmpty() ? 0 : sqlite3_column_count(st.get());
    std::vector<std::string_view> cells(static_cast<size_t>(columns));
    std::vector<char> numbers(static_cast<size_t>(columns) * 32);
    sink.beginRows(columns);
    qint64 count = 0;
    while (st.step()) {
        sqlite3_stmt *s = st.get();
        for (int i = 0; i < columns; ++i) {
            char *buffer = numbers.data() + size_t(i) * 32;
            // One look-up of the cell's value instead of one per read; this
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
        sink.appendRow(cells.data(), columns);
        ++count;
    }
    sink.endRows();
    return count;
}
