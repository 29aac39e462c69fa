// Review marks and assignment exclusion on the small book: the grid's popup,
// the four items' statements, marks and colours, all-or-nothing writing, and
// the hover text.
//
// Account 2's ledger, row by row: 1 doc 101/1, 2 doc 102/1 (reviewed),
// 3 doc 103/2, 4 doc 104/1 (excluded from assignment), 5 doc 106/1.

#include "LedgerFixture.h"
#include "ledger_window/row_actions/ReviewMarks.h"
#include "outside/controls/OleColor.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>

namespace {

const QList<QPair<int, int>> LedgerKeys {{101, 1}, {102, 1}, {103, 2}, {104, 1}, {106, 1}};
const QStringList AllItems {"mnuIsChecked", "mnuIsNotChecked", "mnuIsAssignmentExcluded", "mnuIsNotAssignmentExcluded"};

QString keyCondition(int row)
{
    return QStringLiteral("DocumentID = %1 And RowNumber = %2").arg(LedgerKeys.at(row - 1).first).arg(LedgerKeys.at(row - 1).second);
}

} // namespace

class TestReviewMarks : public QObject, private LedgerWindowTest
{
    Q_OBJECT

    // Text and text colour of every cell of the ledger rows, row by row.
    QList<QStringList> picture() const
    {
        QList<QStringList> rows;
        for (int r = 1; r < grid()->Rows(); ++r) {
            QStringList cells;
            for (int c = 0; c < ColumnCount; ++c)
                cells << cell(r, c) + QStringLiteral(" @%1").arg(grid()->cellForeColorAt(r, c));
            rows << cells;
        }
        return rows;
    }
    int stored(const QString &flag, int row) const
    {
        return FixtureValue(*db, "select " + flag + " from tblAccountDocumentDetail where " + keyCondition(row)).toInt();
    }
    void select(int row, int rowSel) const
    {
        grid()->setRow(row);
        grid()->setRowSel(rowSel);
    }
    static QStringList updates(const StatementLog &log) { return log.startingWith("Update tblAccountDocumentDetail"); }

private slots:
    void init() { setUpWindowTest(); }
    void cleanup()
    {
        if (window())
            window()->mnuChecked->hide();
        tearDownWindowTest();
    }

    // Each item on the rows between the two ends of the selection, top to
    // bottom whichever end is current: its statements, its mark, its colour
    // over its block of columns; every other cell stays as it was.
    void itemsWriteAndShow_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("rowSel");
        QTest::addColumn<QString>("setClause");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("mark");
        QTest::addColumn<quint32>("colour"); // of the columns up to the mark's
        const QString reviewed = QStringLiteral("بررسي شد"), excluded = QStringLiteral("خارج از تخصيص");
        QTest::newRow("reviewed, rows 3 to 5 downwards")
            << "mnuIsChecked" << 3 << 5 << "IsChecked = 1" << 19 << reviewed << OleColors::Red;
        QTest::newRow("reviewed, rows 5 to 3 upwards")
            << "mnuIsChecked" << 5 << 3 << "IsChecked = 1" << 19 << reviewed << OleColors::Red;
        QTest::newRow("not reviewed, current row alone")
            << "mnuIsNotChecked" << 2 << 2 << "IsChecked = 0" << 19 << "" << OleColors::SystemWindowText;
        QTest::newRow("excluded, rows 1 to 3, whole rows")
            << "mnuIsAssignmentExcluded" << 1 << 3 << "IsAssignmentExcluded = 1" << 31 << excluded << OleColors::Red;
        QTest::newRow("included, rows 5 to 4 upwards")
            << "mnuIsNotAssignmentExcluded" << 5 << 4 << "IsAssignmentExcluded = 0" << 31 << "" << OleColors::SystemWindowText;
    }
    void itemsWriteAndShow()
    {
        QFETCH(QString, item);
        QFETCH(int, row);
        QFETCH(int, rowSel);
        QFETCH(QString, setClause);
        QFETCH(int, column);
        QFETCH(QString, mark);
        QFETCH(quint32, colour);
        open();
        activate();
        select(row, rowSel);
        window()->cmdEsc->setFocus();
        QList<QStringList> expected = picture();
        const QString flag = setClause.section(' ', 0, 0);
        QList<int> flags;
        for (int r = 1; r <= LedgerKeys.size(); ++r)
            flags << stored(flag, r);
        const int first = std::min(row, rowSel), last = std::max(row, rowSel);
        QStringList statements;
        for (int r = first; r <= last; ++r) {
            statements << "Update tblAccountDocumentDetail Set " + setClause + " Where " + keyCondition(r);
            flags[r - 1] = setClause.endsWith('1');
            for (int c = 0; c <= column; ++c) {
                const QString text = c == column ? mark : cell(r, c);
                expected[r - 1][c] = text + QStringLiteral(" @%1").arg(colour);
            }
        }
        StatementLog log;

        window()->menuItem(item)->trigger();

        QVERIFY2(ScriptedMessages::shown().isEmpty(), qPrintable(ScriptedMessages::shown().value(0).message));
        QCOMPARE(updates(log), statements);
        QCOMPARE(picture(), expected);
        for (int r = 1; r <= LedgerKeys.size(); ++r)
            QCOMPARE(stored(flag, r), flags[r - 1]);
        // The selection ends on the last row marked; the focus is back in the grid.
        QCOMPARE(grid()->Row(), last);
        QCOMPARE(grid()->RowSel(), last);
        QCOMPARE(QApplication::focusWidget(), grid()->view());
    }

    // One statement fails: nothing of the action is stored, the grid shows
    // no mark, the database's message is shown, and the transaction is over,
    // so the next action writes.
    void failureWritesNothing_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("failingDocument");
        QTest::newRow("review, last of three rows fails") << "mnuIsChecked" << 106;
        QTest::newRow("review, middle row fails") << "mnuIsChecked" << 104;
        QTest::newRow("exclusion, middle row fails") << "mnuIsAssignmentExcluded" << 104;
    }
    void failureWritesNothing()
    {
        QFETCH(QString, item);
        QFETCH(int, failingDocument);
        db->exec({QStringLiteral("create trigger trgLocked before update on tblAccountDocumentDetail when NEW.DocumentID = %1 "
                                 "begin select raise(abort, 'document %1 is locked'); end")
                      .arg(failingDocument)});
        open();
        select(3, 5);
        const QList<QStringList> before = picture();
        StatementLog log;

        window()->menuItem(item)->trigger();

        QCOMPARE(ScriptedMessages::shown().size(), 1);
        QCOMPARE(ScriptedMessages::shown().first().title, QStringLiteral("خطا"));
        QVERIFY(ScriptedMessages::shown().first().message.contains(QStringLiteral("document %1 is locked").arg(failingDocument)));
        QVERIFY(updates(log).size() >= 2); // the row before the failing one was sent
        QCOMPARE(stored("IsChecked", 3), 0);
        QCOMPARE(stored("IsAssignmentExcluded", 3), 0);
        QCOMPARE(picture(), before);

        ScriptedMessages::shown().clear();
        select(3, 3);
        window()->menuItem(item)->trigger();
        QVERIFY2(ScriptedMessages::shown().isEmpty(), qPrintable(ScriptedMessages::shown().value(0).message));
        QCOMPARE(stored(item == "mnuIsChecked" ? "IsChecked" : "IsAssignmentExcluded", 3), 1);
    }

    // The exclusion items ask for 31507 when chosen; the review items have no
    // permission of their own.
    void exclusionPermission_data()
    {
        QTest::addColumn<int>("user");
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("refused");
        QTest::newRow("31507 granted") << 1 << "mnuIsAssignmentExcluded" << false;
        QTest::newRow("exclude without 31507") << 2 << "mnuIsAssignmentExcluded" << true;
        QTest::newRow("include without 31507") << 2 << "mnuIsNotAssignmentExcluded" << true;
        QTest::newRow("review without 31507") << 2 << "mnuIsChecked" << false;
    }
    void exclusionPermission()
    {
        QFETCH(int, user);
        QFETCH(QString, item);
        QFETCH(bool, refused);
        open(user);
        select(2, 2);
        const QList<QStringList> before = picture();
        StatementLog log;
        window()->menuItem(item)->trigger();
        QCOMPARE(updates(log).size(), refused ? 0 : 1);
        QCOMPARE(shownMessages(), refused ? QStringList {"اشكال: شما به انجام اين عمليات مجاز نيستيد."} : QStringList());
        if (refused)
            QCOMPARE(picture(), before);
    }

    // The popup needs 31505 and a ledger row under the pointer; its two
    // exclusion items follow the window's assignment flag. With no ledger row
    // selected the items send nothing.
    void popupOnRightPress_data()
    {
        QTest::addColumn<int>("user");
        QTest::addColumn<QString>("where");
        QTest::addColumn<bool>("assignmentAccount");
        QTest::addColumn<bool>("shown");
        QTest::newRow("assignment account") << 1 << "row" << true << true;
        QTest::newRow("other account: exclusion items off") << 1 << "row" << false << true;
        QTest::newRow("without 31505") << 2 << "row" << true << false;
        QTest::newRow("header row") << 1 << "header" << true << false;
        QTest::newRow("below the last row") << 1 << "below" << true << false;
        QTest::newRow("empty grid") << 1 << "empty" << true << false;
    }
    void popupOnRightPress()
    {
        QFETCH(int, user);
        QFETCH(QString, where);
        QFETCH(bool, assignmentAccount);
        QFETCH(bool, shown);
        const bool empty = where == "empty";
        signIn(*control, user);
        if (empty)
            control->ClearShow();
        else
            control->View(2);
        activate();
        window()->IsAssignmentAccount = assignmentAccount;
        if (!empty)
            select(3, 4);
        QTableView *view = grid()->view();
        QWidget *target = where == "header" ? view->horizontalHeader()->viewport() : view->viewport();
        QPoint point = where == "header" ? QPoint(target->width() / 2, target->height() / 2) : cellPoint(empty ? 1 : 2);
        if (where == "below")
            point.setY(view->visualRect(view->model()->index(grid()->Rows() - 2, 0)).bottom() + 20);

        StatementLog log;
        sendMouse(target, QEvent::MouseButtonPress, Qt::RightButton, point);
        sendMouse(target, QEvent::MouseButtonRelease, Qt::RightButton, point);

        QVERIFY(ScriptedMessages::shown().isEmpty());
        QCOMPARE(window()->mnuChecked->isVisible(), shown);
        // The right press keeps the selection the items act on.
        QCOMPARE(grid()->Row(), empty ? 1 : 3);
        if (shown) {
            QCOMPARE(window()->menuItem("mnuIsAssignmentExcluded")->isEnabled(), assignmentAccount);
            QCOMPARE(window()->menuItem("mnuIsNotAssignmentExcluded")->isEnabled(), assignmentAccount);
        }
        if (empty) {
            for (const QString &item : AllItems)
                window()->menuItem(item)->trigger();
            QVERIFY(ScriptedMessages::shown().isEmpty());
            QCOMPARE(updates(log), QStringList());
        }
    }

    // Row 1 and the header leave the earlier hover text; from row 2 on it is
    // the row's transaction description.
    void hoverText_data()
    {
        QTest::addColumn<int>("row"); // 0: the header
        QTest::addColumn<QString>("tip");
        QTest::newRow("row 1 keeps the text") << 1 << "earlier";
        QTest::newRow("row 2") << 2 << "desc 102";
        QTest::newRow("last row") << 5 << "desc 106";
        QTest::newRow("header keeps the text") << 0 << "earlier";
    }
    void hoverText()
    {
        QFETCH(int, row);
        db->exec({"update tblAccountDocumentDetail set AccTransDescription = 'desc ' || DocumentID"});
        open();
        activate();
        grid()->setToolTipText(QStringLiteral("earlier"));
        QTableView *view = grid()->view();
        if (row == 0)
            sendMouse(view->horizontalHeader()->viewport(), QEvent::MouseMove, Qt::NoButton, QPoint(5, 5));
        else
            sendMouse(view->viewport(), QEvent::MouseMove, Qt::NoButton, cellPoint(row));
        QTEST(grid()->ToolTipText(), "tip");
    }

    // The span is cut to the grid's data rows, whatever the two ends say.
    void selectedDataRows_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("rowSel");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("count");
        QTest::newRow("from the header row") << 0 << 2 << 10 << 1 << 2;
        QTest::newRow("past the last row, upwards") << 40 << 8 << 10 << 8 << 2;
        QTest::newRow("header-only grid") << 0 << 1 << 1 << 1 << 0;
    }
    void selectedDataRows()
    {
        QFETCH(int, row);
        QFETCH(int, rowSel);
        QFETCH(int, rows);
        QFETCH(int, count);
        const RowSpan span = SelectedDataRows(row, rowSel, rows);
        QCOMPARE(span.count(), count);
        if (count > 0)
            QTEST(span.first, "first");
    }
};

int RunReviewMarkTests(int argc, char **argv)
{
    TestReviewMarks marks;
    return QTest::qExec(&marks, argc, argv);
}

#include "test_review_marks.moc"
