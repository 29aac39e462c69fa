#include "outside/components/report/ReportRows.h"

#include "outside/components/report/ReportError.h"
#include "outside/components/report/ReportSelection.h"
#include "outside/components/report/ReportTexts.h"
#include "outside/database/Backend.h"
#include "session/DatabaseError.h"
#include "session/ValueText.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

int ReportRows::columnIndex(const QString &column) const
{
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].compare(column, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void ReportRows::appendRow(const std::string_view *cells)
{
    for (int i = 0; i < m_columns.size(); ++i) {
        m_text.append(cells[i]);
        m_ends.push_back(m_text.size());
    }
    ++m_rowCount;
}

std::string_view ReportRows::cell(qint64 row, int column) const
{
    const size_t index = size_t(row) * size_t(m_columns.size()) + size_t(column);
    const size_t begin = index == 0 ? 0 : m_ends[index - 1];
    return std::string_view(m_text.data() + begin, m_ends[index] - begin);
}

ReportRows ReadReportRows(Backend &backend, const ReportQuery &query, const QStringList &columns)
{
    ReportRows rows(columns);
    try {
        const QString text = backend.toDatabaseText(query.sql); // refuses a second statement
        QSqlQuery q(backend.database());
        q.setForwardOnly(true);
        bool ran = false;
        if (query.callerSelect) {
            // The caller's own SELECT goes as it is: a "?" inside it is its
            // own text, not a placeholder.
            ran = q.exec(text);
        } else {
            ran = q.prepare(text);
            for (const QVariant &value : query.values)
                q.addBindValue(value);
            ran = ran && q.exec();
        }
        if (!ran)
            throw ReportError(ReportTexts::ReadFailed(SqlErrorText(q.lastError())));

        const QSqlRecord record = q.record();
        std::vector<int> source;
        for (const QString &column : columns) {
            const int index = record.indexOf(column); // not case-sensitive
            if (index < 0)
                throw ReportError(ReportTexts::ColumnNotInRows(column));
            source.push_back(index);
        }
        std::vector<QByteArray> texts(source.size());
        std::vector<std::string_view> cells(source.size());
        while (q.next()) {
            for (size_t i = 0; i < source.size(); ++i) {
                texts[i] = ValueText(q.value(source[i])).toUtf8();
                cells[i] = std::string_view(texts[i].constData(), size_t(texts[i].size()));
            }
            rows.appendRow(cells.data());
        }
        if (q.lastError().isValid())
            throw ReportError(ReportTexts::ReadFailed(SqlErrorText(q.lastError())));
    } catch (const DatabaseError &error) {
        throw ReportError(ReportTexts::ReadFailed(error.message()));
    }
    return rows;
}
