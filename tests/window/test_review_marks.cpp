// Review marks and assignment exclusion on the small book: the grid's popup,
// the four items' statements, marks and colours, all-or-nothing writing, and
// the hover text.
//
// Account 2's ledger, row by row: 1 doc 101/1, 2 doc 102/1 (reviewed),
// 3 doc 103/2, 4 doc 104/1 (excluded from assignment), 5 doc 106/1.

#include "LedgerFixture.h"
#include "control/comAccountDetail1.h"
#include "ledger_window/frmAccountDetails.h"
#include "ledger_window/ledger/LedgerColumns.h"
#include "ledger_window/row_actions/ReviewMarks.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/OleColor.h"
#include "session/Messages.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>

using namespace LedgerCol;

namespace {

const QString Reviewed = QStringLiteral("بررسي شد");
const QString Excluded = QStringLiteral("خارج از تخصيص");
const QString Head = QStringLiteral("Update tblAccountDocumentDetail Set ");
constexpr quint32 Red = OleColors::Red;
constexpr quint32 WindowText = OleColors::SystemWindowText;

// The stored rows behind account 2's ledger rows 1 to 5.
const QList<QPair<int, int>> LedgerKeys {{101, 1}, {102, 1}, {103, 2}, {104, 1}, {106, 1}};

QStringList statementsFor(const QString &setClause, const QList<int> &rows)
{
    QStringList texts;
    for (int row : rows)
        texts << QStringLiteral("Update tblAccountDocumentDetail Set %1 Where DocumentID = %2 And RowNumber = %3")
                     .arg(setClause)
                     .arg(LedgerKeys.at(row - 1).first)
                     .arg(LedgerKeys.at(row - 1).second);
    return texts;
}

// A pointer event sent where the grid watches for it.
void sendMouse(QWidget *target, QEvent::Type type, Qt::MouseButton button, const QPoint &position)
{
    QMouseEvent event(type, position, target->mapToGlobal(position), button,
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::MouseButtons(button), Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

} // namespace

class TestReviewMarks : public QObject, private LedgerWindowTest
{
    Q_OBJECT

    // Texts and text colours of every cell of the ledger rows.
    struct GridPicture
    {
        QList<QStringList> texts;
        QList<QList<quint32>> colours;
        bool operator==(const GridPicture &) const = default;
    };
    GridPicture picture() const
    {
        GridPicture p;
        for (int r = 1; r < grid()->Rows(); ++r) {
            QStringList texts;
            QList<quint32> colours;
            for (int c = 0; c < ColumnCount; ++c) {
                texts << cell(r, c);
                colours << grid()->cellForeColorAt(r, c);
            }
            p.texts << texts;
            p.colours << colours;
        }
        return p;
    }
    int storedFlag(const QString &flag, int row) const
    {
        return FixtureValue(*db, QStringLiteral("select %1 from tblAccountDocumentDetail where DocumentID = %2 "
                                                "and RowNumber = %3")
                                     .arg(flag)
                                     .arg(LedgerKeys.at(row - 1).first)
                                     .arg(LedgerKeys.at(row - 1).second))
            .toInt();
    }
    void select(int row, int rowSel) const
    {
        grid()->setRow(row);
        grid()->setRowSel(rowSel);
    }
    void showWindow() const
    {
        window()->show();
        window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window()));
    }
    QPoint rowPoint(int row) const
    {
        const QTableView *view = grid()->view();
        return view->visualRect(view->model()->index(row - 1, Description)).center();
    }
    QStringList updates(const StatementLog &log) const { return log.startingWith(Head); }

private slots:
    void init() { setUpWindowTest(); }
    void cleanup()
    {
        if (window())
            window()->mnuChecked->hide();
        tearDownWindowTest();
    }

    // Each item: its statements in row order, its mark, and its colour over
    // its block of columns, on the rows between the two ends of the
    // selection whichever end is current; the other rows and columns keep
    // what they had.
    void itemsWriteAndShow_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("rowSel");
        QTest::addColumn<QString>("flag");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("mark");
        QTest::addColumn<int>("lastColoured");
        QTest::addColumn<quint32>("colour");
        QTest::newRow("reviewed, rows 3 to 5 downwards")
            << "mnuIsChecked" << 3 << 5 << "IsChecked" << 1 << int(IsChecked) << Reviewed << int(IsChecked) << Red;
        // Selected from the bottom up: the same rows, still top to bottom.
        QTest::newRow("reviewed, rows 5 to 3 upwards")
            << "mnuIsChecked" << 5 << 3 << "IsChecked" << 1 << int(IsChecked) << Reviewed << int(IsChecked) << Red;
        QTest::newRow("not reviewed, the current row alone")
            << "mnuIsNotChecked" << 2 << 2 << "IsChecked" << 0 << int(IsChecked) << "" << int(IsChecked) << WindowText;
        QTest::newRow("excluded, rows 1 to 3, whole rows red") << "mnuIsAssignmentExcluded" << 1 << 3
                                                              << "IsAssignmentExcluded" << 1 << int(AssignmentState)
                                                              << Excluded << int(AssignmentState) << Red;
        QTest::newRow("included, rows 5 to 4 upwards") << "mnuIsNotAssignmentExcluded" << 5 << 4
                                                       << "IsAssignmentExcluded" << 0 << int(AssignmentState) << ""
                                                       << int(AssignmentState) << WindowText;
    }
    void itemsWriteAndShow()
    {
        QFETCH(QString, item);
        QFETCH(int, row);
        QFETCH(int, rowSel);
        QFETCH(QString, flag);
        QFETCH(int, value);
        QFETCH(int, column);
        QFETCH(QString, mark);
        QFETCH(int, lastColoured);
        QFETCH(quint32, colour);
        open();
        showWindow();
        select(row, rowSel);
        window()->cmdEsc->setFocus();
        const GridPicture before = picture();
        QList<int> storedBefore;
        for (int r = 1; r < grid()->Rows(); ++r)
            storedBefore << storedFlag(flag, r);
        StatementLog log;

        window()->menuItem(item)->trigger();

        QVERIFY2(ScriptedMessages::shown().isEmpty(), qPrintable(ScriptedMessages::shown().value(0).message));
        const int first = std::min(row, rowSel), last = std::max(row, rowSel);
        QList<int> rows;
        for (int r = first; r <= last; ++r)
            rows << r;
        QCOMPARE(updates(log), statementsFor(QStringLiteral("%1 = %2").arg(flag).arg(value), rows));
        const GridPicture after = picture();
        for (int r = 1; r < grid()->Rows(); ++r) {
            const bool marked = rows.contains(r);
            QCOMPARE(storedFlag(flag, r), marked ? value : storedBefore[r - 1]);
            for (int c = 0; c < ColumnCount; ++c) {
                const QString text = marked && c == column ? mark : before.texts[r - 1][c];
                QCOMPARE(after.texts[r - 1][c], text);
                const quint32 expected = marked && c <= lastColoured ? colour : before.colours[r - 1][c];
                QVERIFY2(after.colours[r - 1][c] == expected, qPrintable(QStringLiteral("row %1 column %2").arg(r).arg(c)));
            }
        }
        // The selection ends on the last row marked; the focus is back in the grid.
        QCOMPARE(grid()->Row(), last);
        QCOMPARE(grid()->RowSel(), last);
        QCOMPARE(QApplication::focusWidget(), grid()->view());
    }

    // One statement fails: nothing of the action is stored, the grid shows
    // no mark, the database's message is shown, and the connection is free
    // for the next action.
    void failureWritesNothing_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("failingDocument");
        QTest::newRow("review, third of three rows fails") << "mnuIsChecked" << 106;
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
        const GridPicture before = picture();
        StatementLog log;

        window()->menuItem(item)->trigger();

        QCOMPARE(ScriptedMessages::shown().size(), 1);
        QCOMPARE(ScriptedMessages::shown().first().title, ErrorTitle);
        QVERIFY2(ScriptedMessages::shown().first().message.contains(QStringLiteral("document %1 is locked").arg(failingDocument)),
                 qPrintable(ScriptedMessages::shown().first().message));
        QVERIFY(updates(log).size() >= 2); // the rows before the failing one were sent
        QCOMPARE(storedFlag("IsChecked", 3), 0);
        QCOMPARE(storedFlag("IsAssignmentExcluded", 3), 0);
        QVERIFY(picture() == before);

        // Rolled back, not left open: the next action writes and shows.
        ScriptedMessages::shown().clear();
        select(3, 3);
        window()->menuItem(item)->trigger();
        QVERIFY2(ScriptedMessages::shown().isEmpty(), qPrintable(ScriptedMessages::shown().value(0).message));
        QCOMPARE(storedFlag(item == "mnuIsChecked" ? "IsChecked" : "IsAssignmentExcluded", 3), 1);
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
        const GridPicture before = picture();
        StatementLog log;
        window()->menuItem(item)->trigger();
        if (refused) {
            QCOMPARE(ScriptedMessages::shown().size(), 1);
            QCOMPARE(ScriptedMessages::shown().first().title, QStringLiteral("اشكال"));
            QCOMPARE(ScriptedMessages::shown().first().message, QStringLiteral("شما به انجام اين عمليات مجاز نيستيد."));
            QCOMPARE(updates(log), QStringList());
            QVERIFY(picture() == before);
        } else {
            QVERIFY(ScriptedMessages::shown().isEmpty());
            QCOMPARE(updates(log).size(), 1);
        }
    }

    // The popup needs 31505 and a ledger row under the pointer; its two
    // exclusion items follow the window's assignment flag.
    void popupOnRightPress_data()
    {
        QTest::addColumn<int>("user");
        QTest::addColumn<QString>("where");
        QTest::addColumn<bool>("assignmentAccount");
        QTest::addColumn<bool>("shown");
        QTest::newRow("assignment account") << 1 << "row 2" << true << true;
        QTest::newRow("other account: exclusion items off") << 1 << "row 2" << false << true;
        QTest::newRow("without 31505") << 2 << "row 2" << true << false;
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
        if (where == "empty") {
            signIn(*control, user);
            control->ClearShow();
        } else {
            open(user);
        }
        showWindow();
        window()->IsAssignmentAccount = assignmentAccount;
        if (where != "empty")
            select(3, 4);
        QTableView *view = grid()->view();
        QWidget *target = view->viewport();
        QPoint point = rowPoint(where == "empty" ? 1 : 2);
        if (where == "header") {
            target = view->horizontalHeader()->viewport();
            point = QPoint(target->width() / 2, target->height() / 2);
        } else if (where == "below") {
            point.setY(view->visualRect(view->model()->index(grid()->Rows() - 2, 0)).bottom() + 20);
            QCOMPARE(view->rowAt(point.y()), -1);
        }

        sendMouse(target, QEvent::MouseButtonPress, Qt::RightButton, point);
        sendMouse(target, QEvent::MouseButtonRelease, Qt::RightButton, point);

        QVERIFY(ScriptedMessages::shown().isEmpty());
        QCOMPARE(window()->mnuChecked->isVisible(), shown);
        // The right press keeps the selection the items act on.
        QCOMPARE(grid()->Row(), where == "empty" ? 1 : 3);
        if (shown) {
            QCOMPARE(window()->menuItem("mnuIsAssignmentExcluded")->isEnabled(), assignmentAccount);
            QCOMPARE(window()->menuItem("mnuIsNotAssignmentExcluded")->isEnabled(), assignmentAccount);
            QVERIFY(window()->menuItem("mnuIsChecked")->isEnabled());
        }
    }

    // With no ledger row selected the items send nothing and change nothing.
    void emptyGridMarksNothing()
    {
        signIn(*control);
        control->ClearShow();
        const GridPicture before = picture();
        StatementLog log;
        for (const char *item : {"mnuIsChecked", "mnuIsNotChecked", "mnuIsAssignmentExcluded", "mnuIsNotAssignmentExcluded"})
            window()->menuItem(item)->trigger();
        QVERIFY(ScriptedMessages::shown().isEmpty());
        QCOMPARE(updates(log), QStringList());
        QVERIFY(picture() == before);
    }

    // Row 1 and the header leave the earlier hover text; from row 2 on it is
    // the row's transaction description.
    void hoverText_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("tip");
        QTest::newRow("row 1 keeps the text") << "row 1" << "earlier";
        QTest::newRow("row 2") << "row 2" << "desc 102";
        QTest::newRow("last row") << "row 5" << "desc 106";
        QTest::newRow("header keeps the text") << "header" << "earlier";
    }
    void hoverText()
    {
        QFETCH(QString, where);
        db->exec({"update tblAccountDocumentDetail set AccTransDescription = 'desc ' || DocumentID"});
        open();
        showWindow();
        grid()->setToolTipText(QStringLiteral("earlier"));
        QTableView *view = grid()->view();
        if (where == "header")
            sendMouse(view->horizontalHeader()->viewport(), QEvent::MouseMove, Qt::NoButton, QPoint(5, 5));
        else
            sendMouse(view->viewport(), QEvent::MouseMove, Qt::NoButton, rowPoint(where.mid(4).toInt()));
        QTEST(grid()->ToolTipText(), "tip");
    }

    void selectedDataRows_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("rowSel");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("count");
        QTest::newRow("downwards") << 4 << 7 << 10 << 4 << 4;
        QTest::newRow("upwards") << 7 << 4 << 10 << 4 << 4;
        QTest::newRow("one row") << 5 << 5 << 10 << 5 << 1;
        QTest::newRow("from the header row") << 0 << 2 << 10 << 1 << 2;
        QTest::newRow("past the last row") << 8 << 40 << 10 << 8 << 2;
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
