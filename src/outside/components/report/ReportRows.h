#pragma once
// The staged rows a report prints, reduced to the columns its template names
// and kept as UTF-8 in one buffer: a ledger of 100,000 rows costs a few
// dozen megabytes, not a QVariant per cell.

#include <QString>
#include <QStringList>
#include <string>
#include <string_view>
#include <vector>

class Backend;
struct ReportQuery;

class ReportRows
{
public:
    ReportRows() = default;
    explicit ReportRows(const QStringList &columns) : m_columns(columns) {}

    const QStringList &columns() const { return m_columns; }
    // The position of a column (any letter case) in the kept columns; -1 when absent.
    int columnIndex(const QString &column) const;
    qint64 rowCount() const { return m_rowCount; }

    // One row: one cell per kept column, in column order.
    void appendRow(const std::string_view *cells);
    std::string_view cell(qint64 row, int column) const;
    QString text(qint64 row, int column) const { return QString::fromUtf8(cell(row, column)); }

private:
    QStringList m_columns;
    std::string m_text;
    std::vector<std::size_t> m_ends; // end of every cell in m_text, row after row
    qint64 m_rowCount = 0;           // kept apart: a template may name no column at all
};

// Runs the query on the backend's connection, values bound, and keeps the
// given columns of every row. Throws ReportError when a column is not among
// the rows read, and when the database fails (its own message follows).
ReportRows ReadReportRows(Backend &backend, const ReportQuery &query, const QStringList &columns);
