#include "outside/database/Backend.h"

#include "outside/database/DatabaseTexts.h"
#include "outside/database/OdbcBackend.h"
#include "outside/database/SqliteBackend.h"
#include "session/DatabaseError.h"
#include "session/ValueText.h"

#include <QCalendar>
#include <QSqlError>
#include <QSqlRecord>
#include <vector>

namespace {

// The OLE DB providers of SQL Server that a host may name.
const char *const SqlServerProviders[] = {"SQLOLEDB.1", "SQLOLEDB", "MSOLEDBSQL", "MSOLEDBSQL.1", "SQLNCLI11"};

} // namespace

QString SqlErrorText(const QSqlError &error)
{
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

Backend::~Backend() = default;

QSqlQuery Backend::run(const QString &tsql, bool forwardOnly)
{
    const QString text = toDatabaseText(tsql); // refuses a second statement before anything opens
    QSqlQuery query(database());
    query.setForwardOnly(forwardOnly);
    if (!query.exec(text))
        throw DatabaseError(SqlErrorText(query.lastError()), tsql);
    return query;
}

qint64 Backend::streamRows(const QString &tsql, RowSink &sink)
{
    QSqlQuery query = run(tsql, true);
    const int columns = query.record().count();
    std::vector<QByteArray> texts(static_cast<size_t>(columns));
    std::vector<std::string_view> cells(static_cast<size_t>(columns));
    sink.beginRows(columns);
    qint64 count = 0;
    while (query.next()) {
        for (int i = 0; i < columns; ++i) {
            texts[i] = ValueText(query.value(i)).toUtf8();
            cells[i] = std::string_view(texts[i].constData(), size_t(texts[i].size()));
        }
        sink.appendRow(cells.data(), columns);
        ++count;
    }
    if (query.lastError().isValid())
        throw DatabaseError(SqlErrorText(query.lastError()), tsql);
    sink.endRows();
    return count;
}

SplitCounts Backend::streamSplit(const QString &whole, const QString &, RowSink &first, RowSink &, qint64)
{
    // Every row to the first sink, without the marking column.
    class WithoutLastColumn final : public RowSink
    {
    public:
        explicit WithoutLastColumn(RowSink &sink) : m_sink(sink) {}
        void beginRows(int columnCount) override { m_sink.beginRows(std::max(columnCount - 1, 0)); }
        void appendRow(const std::string_view *cells, int count) override { m_sink.appendRow(cells, std::max(count - 1, 0)); }
        void endRows() override { m_sink.endRows(); }

    private:
        RowSink &m_sink;
    } sink(first);
    SplitCounts counts;
    counts.first = streamRows(whole, sink);
    return counts;
}

std::unique_ptr<SnapshotAhead> Backend::snapshotAhead(const QString &)
{
    return nullptr;
}

SnapshotAhead::~SnapshotAhead() = default;

qint64 Backend::execute(const QString &tsql)
{
    return run(tsql, true).numRowsAffected();
}

void Backend::snapshot(const QString &tsql, QStringList &columns, QList<QVariant> &values)
{
    QSqlQuery query = run(tsql, true);
    const QSqlRecord record = query.record();
    columns.clear();
    values.clear();
    for (int i = 0; i < record.count(); ++i)
        columns << record.fieldName(i);
    while (query.next())
        for (int i = 0; i < columns.size(); ++i)
            values << query.value(i);
    if (query.lastError().isValid())
        throw DatabaseError(SqlErrorText(query.lastError()), tsql);
}

void Backend::beginTransaction()
{
    QSqlDatabase db = database();
    if (!db.transaction())
        throw DatabaseError(SqlErrorText(db.lastError()), QStringLiteral("BEGIN TRANSACTION"));
}

void Backend::commitTransaction()
{
    QSqlDatabase db = database();
    if (!db.commit())
        throw DatabaseError(SqlErrorText(db.lastError()), QStringLiteral("COMMIT"));
}

void Backend::rollbackTransaction() noexcept
{
    try {
        QSqlDatabase db = database();
        // A database that already undid the transaction itself (a trigger's
        // RAISE(ROLLBACK), a lost connection) refuses this; nothing is left
        // to undo then.
        db.rollback();
    } catch (...) {
    }
}

std::unique_ptr<Backend> CreateBackend(const QString &provider, const QString &connectionString,
                                       const QString &connectionName)
{
    const QString name = provider.trimmed();
    if (name.isEmpty())
        throw DatabaseError(DatabaseTexts::MissingProvider());
    if (name.compare(QLatin1String("SQLite"), Qt::CaseInsensitive) == 0) {
        const QString path = ConnectionStringValue(connectionString, QStringLiteral("Data Source"));
        if (path.isEmpty())
            throw DatabaseError(DatabaseTexts::MissingDataSource());
        return std::make_unique<SqliteBackend>(path, connectionName);
    }
    for (const char *sqlServer : SqlServerProviders)
        if (name.compare(QLatin1String(sqlServer), Qt::CaseInsensitive) == 0)
            return std::make_unique<OdbcBackend>(connectionString, connectionName);
    throw DatabaseError(DatabaseTexts::UnknownProvider(name));
}

QString SqlDateText(const QDate &date, QStringView separator)
{
    if (!date.isValid())
        throw DatabaseError(DatabaseTexts::InvalidDate());
    if (date.year() < 1 || date.year() > 9999)
        throw DatabaseError(DatabaseTexts::DateOutOfRange(
            date.toString(QStringLiteral("yyyy/MM/dd"), QCalendar(QCalendar::System::Jalali))));
    const auto digits = [](int value, int width) { return QString::number(value).rightJustified(width, u'0'); };
    QString text = digits(date.year(), 4);
    text.append(separator).append(digits(date.month(), 2)).append(separator).append(digits(date.day(), 2));
    return text;
}

QString ConnectionStringValue(const QString &connectionString, const QString &key)
{
    const QString &s = connectionString;
    qsizetype i = 0;
    while (i < s.size()) {
        const qsizetype equals = s.indexOf(u'=', i);
        const qsizetype semicolon = s.indexOf(u';', i);
        if (equals < 0)
            break;
        if (semicolon >= 0 && semicolon < equals) { // a part without "=": skip it
            i = semicolon + 1;
            continue;
        }
        const QString name = s.mid(i, equals - i).trimmed();
        qsizetype j = equals + 1;
        while (j < s.size() && s[j].isSpace())
            ++j;
        QString value;
        if (j < s.size() && (s[j] == u'"' || s[j] == u'\'')) {
            // A quoted value may hold ";"; a doubled quote stands for itself.
            const QChar quote = s[j++];
            while (j < s.size()) {
                if (s[j] == quote) {
                    if (j + 1 < s.size() && s[j + 1] == quote) {
                        value += quote;
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                value += s[j++];
            }
            const qsizetype end = s.indexOf(u';', j);
            i = end < 0 ? s.size() : end + 1;
        } else {
            const qsizetype end = s.indexOf(u';', j);
            value = s.mid(j, (end < 0 ? s.size() : end) - j).trimmed();
            i = end < 0 ? s.size() : end + 1;
        }
        if (name.compare(key, Qt::CaseInsensitive) == 0)
            return value;
    }
    return QString();
}
