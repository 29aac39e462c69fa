// ledger-bench check|sort --rows N: the grid click on the opened ledger of the
// busiest demo account.
//   check: the assignment check of one row with three links to other rows
//          of the same ledger (a reset of the marks and three counterpart
//          searches over every row). The links and the account's place under
//          assignment control (system parameter 4) go into a copy of the
//          benchmark database, so the other benchmarks' database stays as it is.
//   sort:  a click on the credit column's header, then another one (the
//          amounts rewritten, sorted descending, then ascending).

#include "Benchmarks.h"

#include "StandInDatabase.h"
#include "control/comAccountDetail1.h"
#include "ledger_window/frmAccountDetails.h"
#include "ledger_window/ledger/LedgerColumns.h"
#include "ledger_window/row_actions/AssignmentCheck.h"
#include "outside/components/ComponentRegistry.h"
#include "outside/controls/FlexGrid.h"
#include "outside/database/Backend.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QMouseEvent>
#include <QSqlQuery>
#include <QTableView>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

struct LedgerRowKey
{
    qint64 document = 0;
    qint64 row = 0;
};

// Three links of one row of the busiest account with three other rows of it,
// from their documents to it when it is a debit row, from its document to
// theirs otherwise (the demo's busiest account may hold only credit rows);
// the account joins system parameter 4.
LedgerRowKey addLinks(const QString &path, int account)
{
    const std::unique_ptr<Backend> backend =
        CreateBackend(QStringLiteral("SQLite"), StandInConnectionString(path), QStringLiteral("bench-links"));
    QSqlQuery query(backend->database());
    query.exec(QStringLiteral("select DocumentID, RowNumber, DebitValue > 0 from tblAccountDocumentDetail "
                              "where AccountID = %1 and IsScratch = 0 and IsAssignmentExcluded = 0 "
                              "order by DocumentID, RowNumber limit 4").arg(account));
    QList<LedgerRowKey> rows;
    bool debit = false;
    while (query.next()) {
        rows << LedgerRowKey {query.value(0).toLongLong(), query.value(1).toLongLong()};
        if (rows.size() == 1)
            debit = query.value(2).toBool();
    }
    if (rows.isEmpty())
        return {};
    const LedgerRowKey clicked = rows.takeFirst();
    const QString insert = QStringLiteral("insert into tblVelkoRelatedForms(ReferenceFormTypeID, ReferenceFormID, "
                                          "ReferenceFormRowNumber, RelatedFormTypeID, RelatedFormID, "
                                          "RelatedFormRowNumber, AssignedValue) values (303, %1, %2, 303, %3, %4, %5)");
    int amount = 0;
    for (const LedgerRowKey &other : rows) {
        const LedgerRowKey &reference = debit ? other : clicked;
        const LedgerRowKey &related = debit ? clicked : other;
        query.exec(insert.arg(reference.document).arg(reference.row).arg(related.document).arg(related.row)
                       .arg(amount += 1000));
    }
    query.exec(QStringLiteral("update tblVelkoSystemParameters set Value = Value || ',%1' where ID = 4").arg(account));
    if (query.numRowsAffected() < 1)
        query.exec(QStringLiteral("insert into tblVelkoSystemParameters(ID, Value) values (4, '%1')").arg(account));
    return clicked;
}

// A left click on the header of a column, as the mouse sends it.
void clickHeader(FlexGrid &grid, int col)
{
    QHeaderView *header = grid.view()->horizontalHeader();
    const QPointF at(header->sectionViewportPosition(col) + 5, header->height() / 2);
    const QPointF global = header->viewport()->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(header->viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(header->viewport(), &release);
}

} // namespace

int RunCheckBenchmark(const QStringList &args)
{
    const BenchDatabase bench = PrepareBenchDatabase(args);
    const QString copy = QDir::temp().filePath(QStringLiteral("ledger-bench-check.db"));
    QFile::remove(copy);
    if (!QFile::copy(bench.path, copy)) {
        std::fprintf(stderr, "cannot copy %s\n", qPrintable(bench.path));
        return 1;
    }
    const LedgerRowKey clicked = addLinks(copy, bench.account);
    const auto control = OpenBenchLedger(StandInConnectionString(copy), bench.account);
    frmAccountDetails &window = *control->LedgerWindow();
    FlexGrid &grid = *window.flxAccount;
    window.IsAssignmentAccount = window.CheckAssignmentAccount(bench.account, 7, 1);
    PrintFigure("assignment_account", window.IsAssignmentAccount ? 1 : 0, "bool");

    int row = 0;
    for (int r = 1; r < grid.Rows() && row == 0; ++r)
        if (grid.TextMatrix(r, DocumentID).toLongLong() == clicked.document
            && grid.TextMatrix(r, LedgerCol::RowNumber).toLongLong() == clicked.row)
            row = r;
    if (row == 0) {
        std::fprintf(stderr, "the linked row is not in the ledger\n");
        return 1;
    }
    grid.setRow(row);
    PrintFigure("check_ms", MillisecondsOf([&] { window.flxAccount_Click(); }), "ms");
    int lit = 0;
    for (int r = 1; r < grid.Rows(); ++r)
        lit += grid.cellBackColorAt(r, 0) == CounterpartBackColor;
    PrintFigure("check_lit_rows", lit, "rows");
    PrintFigure("check_again_ms", MillisecondsOf([&] { window.flxAccount_Click(); }), "ms");
    PrintFigure("peak_rss_mb", PeakResidentMegabytes(), "MB");
    control->LedgerWindow()->close();
    QFile::remove(copy);
    return 0;
}

int RunSortBenchmark(const QStringList &args)
{
    const BenchDatabase bench = PrepareBenchDatabase(args);
    const auto control = OpenBenchLedger(bench.connection, bench.account);
    FlexGrid &grid = *control->LedgerWindow()->flxAccount;
    PrintFigure("sort_amount_ms", MillisecondsOf([&] { clickHeader(grid, LedgerCol::Credit); }), "ms");
    if (grid.MouseRow() != 0 || grid.MouseCol() != LedgerCol::Credit) {
        std::fprintf(stderr, "the click did not reach the credit column's header\n");
        return 1;
    }
    const QString largest = grid.TextMatrix(1, LedgerCol::Credit);
    PrintFigure("sort_amount_again_ms", MillisecondsOf([&] { clickHeader(grid, LedgerCol::Credit); }), "ms");
    std::printf("sort_largest_credit %s\n", qPrintable(largest));
    std::printf("sort_last_credit %s\n", qPrintable(grid.TextMatrix(grid.Rows() - 1, LedgerCol::Credit)));
    PrintFigure("peak_rss_mb", PeakResidentMegabytes(), "MB");
    return 0;
}
