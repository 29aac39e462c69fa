#pragma once
// Shared by the grid tests: raw ledger rows as the ledger query binds them,
// streamed into a grid or a part fill the way the reader streams them, and a
// sink that records the summary fields a fill writes.

#include "ledger_window/ledger/CellText.h"
#include "ledger_window/ledger/GridFill.h"
#include "ledger_window/ledger/LedgerColumns.h"
#include "outside/controls/FlexGrid.h"

#include <QMap>
#include <QStringList>

#include <array>
#include <string_view>

// One raw ledger row: the fields the fill reads.
struct Line
{
    QString debit = QStringLiteral("0");
    QString credit = QStringLiteral("0");
    QString due = QStringLiteral("2024-01-01");
    QString checked = QStringLiteral("0");
    QString assignedDebit; // a row without links reads its assigned values as ""
    QString assignedCredit;
    bool excluded = false;

    Line &dueOn(const QString &date) { due = date; return *this; }
    Line &reviewed() { checked = QStringLiteral("1"); return *this; }
    Line &excludedFromAssignment() { excluded = true; return *this; }
    Line &assigned(const QString &d, const QString &c) { assignedDebit = d; assignedCredit = c; return *this; }
};
using Lines = QList<Line>;
Q_DECLARE_METATYPE(Line)

inline Line dc(const QString &debit, const QString &credit, const QString &due = QStringLiteral("2024-01-01"))
{
    Line line;
    line.debit = debit;
    line.credit = credit;
    line.due = due;
    return line;
}

// The 32 column texts of each line, with codes, document IDs and descriptions.
inline QList<QStringList> ledgerRows(const Lines &lines)
{
    QList<QStringList> rows;
    for (int i = 0; i < lines.size(); ++i) {
        const Line &line = lines[i];
        QStringList row(ColumnCount);
        row[AccTransCode] = QString::number(100 + i);
        row[DocumentID] = QString::number(5000 + i);
        row[Description] = QStringLiteral("شرح رديف %1").arg(i);
        row[Debit] = row[DebitBalance] = line.debit;
        row[Credit] = row[CreditBalance] = line.credit;
        row[TransactionDate] = line.due;
        row[IsChecked] = line.checked;
        row[AssignedDebit] = line.assignedDebit;
        row[AssignedCredit] = line.assignedCredit;
        row[AssignmentState] = line.excluded ? QString::fromUtf8(LedgerGridTexts::ExcludedMark) : QString();
        rows << row;
    }
    return rows;
}

// Streams rows [from, to) into the sink as UTF-8 cells of all 32 columns,
// the way the query's reader hands them over; missing texts are empty.
inline void stream(RowSink &sink, const QList<QStringList> &rows, qsizetype from = 0, qsizetype to = -1)
{
    sink.beginRows(ColumnCount);
    for (qsizetype r = from; r < (to < 0 ? rows.size() : to); ++r) {
        std::array<QByteArray, ColumnCount> utf8;
        std::array<std::string_view, ColumnCount> cells;
        for (int c = 0; c < ColumnCount; ++c) {
            utf8[c] = rows[r].value(c).toUtf8();
            cells[c] = std::string_view(utf8[c].constData(), std::size_t(utf8[c].size()));
        }
        sink.appendRow(cells.data(), ColumnCount);
    }
    sink.endRows();
}

// The grid loaded, laid out and painted as the window does after the query.
inline void loadLines(FlexGrid &grid, const Lines &lines)
{
    SetupLedgerGridAtStartup(grid, 1);
    stream(grid, ledgerRows(lines));
    ApplyLedgerLayoutAfterQuery(grid, 1, true, true);
    PaintAlternatingRowBackgrounds(grid);
}

class MapFields : public SummaryFieldSink
{
public:
    void setFieldText(const QString &field, const QString &text) override { texts[field] = text; }
    void setFieldForeColor(const QString &field, quint32 ole) override { colors[field] = ole; }
    QMap<QString, QString> texts;
    QMap<QString, quint32> colors;
};
