// The demo host from outside: ledger-demo runs as its own process, as the
// scripts and a person at a terminal run it, and its exit code, messages and
// files are checked. Its steps and state dump are also driven in this process
// on a ledger window over the same demo database, where the grid can be
// watched while a step or a dump runs.

#include "DemoActions.h"
#include "TestSupport.h"

#include "control/comAccountDetail1.h"
#include "ledger_window/frmAccountDetails.h"
#include "ledger_window/ledger/LedgerColumns.h"
#include "ledger_window/startup_layout/WindowLayout.h"
#include "outside/controls/FlexGrid.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

struct Finished
{
    int exitCode = -1;
    QString out;
    QString err;
};

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The values of the "name<TAB>value" lines of a state dump or of the
// database summary, without the "name<TAB>".
QStringList linesNamed(const QByteArray &text, const QString &name)
{
    QStringList values;
    for (const QString &line : QString::fromUtf8(text).split(u'\n', Qt::SkipEmptyParts))
        if (line.startsWith(name + u'\t'))
            values << line.mid(name.size() + 1);
    return values;
}

// One value of a state dumped to a file.
QString dumped(const QString &path, const QString &name)
{
    return linesNamed(contents(path), name).value(0);
}

// A step that must be refused with a message holding the given text.
void expectRefusal(const std::function<void()> &step, const QString &message)
{
    try {
        step();
        QFAIL("the step was done");
    } catch (const std::runtime_error &error) {
        QVERIFY2(QString::fromStdString(error.what()).contains(message), error.what());
    }
}

using Kind = DemoActions::Action::Kind;

} // namespace

class TestDemoHost : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_database;
    QByteArray m_summary;                         // what --make-db printed
    std::unique_ptr<comAccountDetail1> m_control; // the in-process window's control

    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString summary(const char *name) const { return linesNamed(m_summary, name).value(0); }
    QStringList onDemo(const QStringList &arguments) const
    {
        return QStringList {"--connection", "Provider=SQLite;Data Source=" + m_database} + arguments;
    }

    Finished run(const QStringList &arguments, const QString &program = LEDGER_DEMO_PROGRAM)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        if (!process.waitForFinished(120000)) {
            process.kill();
            process.waitForFinished();
            qWarning("ledger-demo did not finish: %s", qPrintable(arguments.join(u' ')));
        }
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
    }

    // The busiest parent's ledger in this process, shown and active as --do
    // steps find it; its grid, or null when it is too short to need scrolling.
    FlexGrid *openLedger()
    {
        ResetSessionForTesting();
        ResetComponentsForTesting();
        ScriptedMessages::install();
        m_control = std::make_unique<comAccountDetail1>();
        m_control->setOLEConnectionString("Provider=SQLite;Data Source=" + m_database);
        m_control->setUserID(1);
        m_control->View(summary("busiest_parent_account").toInt());
        if (!window())
            return nullptr;
        DemoActions::Activate(window());
        return window()->flxAccount->Rows() > 60 ? window()->flxAccount : nullptr;
    }
    frmAccountDetails *window() const { return m_control ? m_control->LedgerWindow() : nullptr; }
    void perform(const QString &step) { DemoActions::Perform(window(), DemoActions::Parse(step)); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_database = path("demo.db");
        const Finished made = run({"--make-db", m_database, "--rows", "300"});
        QCOMPARE(made.exitCode, 0);
        m_summary = made.out.toUtf8();
        QVERIFY(summary("busiest_parent_account").toInt() > 0);
    }

    void cleanup()
    {
        m_control.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ResetSessionForTesting();
    }

    // A run that cannot do what it was asked exits with an error that names
    // the cause, and leaves no file behind: a missing database is never
    // created, a failed write or step leaves no dump.
    void failedRunIsAnError_data()
    {
        QTest::addColumn<bool>("copied"); // run a copy of the program whose default database is missing
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("named");  // in the error output
        QTest::addColumn<QStringList>("absent"); // files that must not be there afterwards
        const QString missing = path("missing.db"), grid = path("missing-grid.tsv"), state = path("failed-state.txt");
        const QString connection = "Provider=SQLite;Data Source=" + missing, folder = path("no-such-folder");
        const QStringList missingNamed {"missing.db", "--make-db"};
        QTest::newRow("database named by --connection, window")
            << false << QStringList {"--connection", connection, "--dump-grid", grid} << missingNamed
            << QStringList {missing, grid};
        QTest::newRow("database named by --connection, query")
            << false << QStringList {"--connection", connection, "--query", "select 1"} << missingNamed << QStringList {missing};
        // The default database is demo.db beside the program's bin folder.
        QTest::newRow("default demo.db") << true << QStringList {"--dump-grid", grid} << QStringList {"demo.db", "--make-db"}
                                         << QStringList {path("copy/demo.db"), grid};
        for (const auto &[name, option, target] :
             {std::tuple {"grid onto a full disk", "--dump-grid", QString("/dev/full")},
              std::tuple {"state onto a full disk", "--dump-state", QString("/dev/full")},
              std::tuple {"grid into a missing folder", "--dump-grid", folder + "/grid.tsv"},
              std::tuple {"screenshot into a missing folder", "--screenshot", folder + "/ledger.png"}})
            QTest::newRow(name) << false << onDemo({option, target}) << QStringList {target} << QStringList {folder};
        for (const auto &[name, step, message] : {
                 std::tuple {"unknown action", "press cmdReset", "unknown --do action"},
                 std::tuple {"key that does not exist", "key Hyper+Q", "key SEQUENCE"},
                 std::tuple {"resize without a size", "resize wide", "resize WIDTH HEIGHT"},
                 std::tuple {"click on no control", "click cmdNothing", "no control or menu item named cmdNothing"},
                 std::tuple {"typed value into a button", "set cmdReset 1", "cmdReset takes no typed value"},
                 std::tuple {"click on a disabled button", "click cmdSave", "cmdSave is disabled"},
                 std::tuple {"menu separator", "menu p1", "p1 is a separator"},
                 std::tuple {"submenu", "menu mnuFunc4", "mnuFunc4 is a submenu"},
                 // The exit item of the hidden operations menu closes the window: no state is left to dump.
                 std::tuple {"closing menu item", "menu mnuFunc6", "closed before the dumps"}})
            QTest::newRow(name) << false << onDemo({"--do", step, "--dump-state", state}) << QStringList {message}
                                << QStringList {state};
    }
    void failedRunIsAnError()
    {
        QFETCH(bool, copied);
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, named);
        QFETCH(QStringList, absent);
        if (arguments.contains("/dev/full") && !QFileInfo::exists("/dev/full"))
            QSKIP("this system has no /dev/full");
        const QString program = copied ? path("copy/bin/ledger-demo") : QStringLiteral(LEDGER_DEMO_PROGRAM);
        QVERIFY(!copied || QDir(m_dir.path()).mkpath("copy/bin"));
        QVERIFY(QFile::exists(program) || QFile::copy(LEDGER_DEMO_PROGRAM, program));
        const Finished finished = run(arguments, program);
        QVERIFY2(finished.exitCode > 0, qPrintable(finished.err));
        for (const QString &part : named)
            QVERIFY2(finished.err.contains(part), qPrintable(finished.err));
        for (const QString &file : absent)
            QVERIFY2(!QFileInfo::exists(file), qPrintable(file + " was written"));
    }

    // The busiest leaf account, typed into the picker of its parent's ledger
    // and rebuilt, shows what opening the leaf itself shows. Without --view the
    // host opens that parent, the account with the most rows, here resized.
    void typedAccountCodeRunsTheAccountChange()
    {
        const QString leaf = summary("busiest_account");
        QString leafCode;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "codes");
            db.setDatabaseName(m_database);
            QVERIFY(db.open());
            QSqlQuery query("select Code from tblAccount where ID = " + leaf, db);
            QVERIFY(query.next());
            leafCode = query.value(0).toString().trimmed();
        }
        QSqlDatabase::removeDatabase("codes");

        const QString typedGrid = path("typed.tsv"), typedState = path("typed-state.txt");
        const QString openedGrid = path("opened.tsv"), openedState = path("opened-state.txt");
        const QString defaultState = path("default-state.txt");
        for (const QStringList &arguments :
             {QStringList {"--view", summary("busiest_parent_account"), "--do", "set sltAccount " + leafCode, "--do",
                           "click cmdReset", "--dump-grid", typedGrid, "--dump-state", typedState},
              QStringList {"--view", leaf, "--dump-grid", openedGrid, "--dump-state", openedState},
              QStringList {"--do", "resize 1300 900", "--dump-state", defaultState}}) {
            const Finished finished = run(onDemo(arguments));
            QVERIFY2(finished.exitCode == 0, qPrintable(finished.err));
        }
        QCOMPARE(dumped(typedState, "sltAccount.ID"), leaf);
        QCOMPARE(dumped(typedState, "sltAccount.Code"), leafCode);
        QCOMPARE(dumped(typedState, "flxAccount.Rows"), dumped(openedState, "flxAccount.Rows"));
        QCOMPARE(contents(typedGrid), contents(openedGrid));

        QCOMPARE(dumped(defaultState, "sltAccount.ID"), summary("busiest_parent_account"));
        QVERIFY(dumped(typedState, "flxAccount.Rows") != dumped(defaultState, "flxAccount.Rows"));
        QCOMPARE(dumped(defaultState, "size"), QStringLiteral("1300x900"));
        QCOMPARE(dumped(defaultState, "width"), QString::number(PixelsToTwips(1300)));
        QCOMPARE(dumped(defaultState, "height"), QString::number(PixelsToTwips(900)));
    }

    // The picker answered from the command line, the report and the workbook
    // written where asked; without a template the picker closes and nothing is written.
    void printingOptionsWriteFiles_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("templateTitle");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QByteArray>("fileStart"); // empty: no file may be written
        QTest::newRow("ledger printout") << "mnuFunc3" << "گردش حساب" << "--report-pdf" << QByteArray("%PDF");
        QTest::newRow("conflict report") << "mnuConfilictPrint" << "مغايرت - رديف هاي بررسي نشده" << "--report-pdf"
                                         << QByteArray("%PDF");
        QTest::newRow("picker closed") << "mnuFunc5" << "" << "--report-pdf" << QByteArray();
        QTest::newRow("workbook") << "mnuExcel" << "" << "--xlsx" << QByteArray("PK");
    }
    void printingOptionsWriteFiles()
    {
        QFETCH(QString, item);
        QFETCH(QString, templateTitle);
        QFETCH(QString, option);
        QFETCH(QByteArray, fileStart);
        const QString file = path("printed-" + QString::number(QTest::currentDataTag()[0]));
        QFile::remove(file);
        QStringList arguments {"--do", "menu " + item, option, file};
        if (!templateTitle.isEmpty())
            arguments << "--template" << templateTitle;
        const Finished finished = run(onDemo(arguments));
        QVERIFY2(finished.exitCode == 0, qPrintable(finished.err));
        QCOMPARE(contents(file).left(fileStart.size()), fileStart);
        QCOMPARE(QFileInfo::exists(file), !fileStart.isEmpty());
    }

    // Steps and the dump on a window of this process.
    void parsesActions_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("value");      // Set: the typed value; Key: the keys as portable text
        QTest::addColumn<QList<int>>("numbers"); // row, col, lastRow, width, height
        const auto row = [](const char *name, const char *step, Kind kind, const char *target = "",
                            const char *value = "", const QList<int> &numbers = {0, 0, 0, 0, 0}) {
            QTest::newRow(name) << QString(step) << int(kind) << QString(target) << QString(value) << numbers;
        };
        row("menu item", "menu mnuChecke", Kind::Menu, "mnuChecke");
        row("key into the grid", "key F5", Kind::Key, "", "F5");
        row("key into a control", "key Ctrl+F txtCodeFrom", Kind::Key, "txtCodeFrom", "Ctrl+F");
        // The last word is a key, so no control is named.
        row("two keys", "key Ctrl+F, Tab", Kind::Key, "", "Ctrl+F, Tab");
        row("two keys into a control", "key Ctrl+F, Tab flxAccount", Kind::Key, "flxAccount", "Ctrl+F, Tab");
        row("amount with commas", "set txtPriceSearch 1,250,000", Kind::Set, "txtPriceSearch", "1,250,000");
        row("description with spaces", "set txtAccDescSearch فروش  نقدي كالا", Kind::Set, "txtAccDescSearch",
            "فروش  نقدي كالا");
        row("select", "select 2 4", Kind::Select, "", "", {2, 0, 4, 0, 0});
        row("grid click on the header", "grid-click 0 5", Kind::GridClick, "", "", {0, 5, 0, 0, 0});
        row("grid double click", "grid-double-click 3 1", Kind::GridDoubleClick, "", "", {3, 1, 0, 0, 0});
        row("grid right click", "grid-right-click 12 31", Kind::GridRightClick, "", "", {12, 31, 0, 0, 0});
        row("hover", "hover 7 4", Kind::Hover, "", "", {7, 4, 0, 0, 0});
        row("resize", "resize 800 600", Kind::Resize, "", "", {0, 0, 0, 800, 600});
        row("resize WIDTHxHEIGHT", "resize 800x600", Kind::Resize, "", "", {0, 0, 0, 800, 600});
    }
    void parsesActions()
    {
        QFETCH(QString, step);
        QFETCH(QString, value);
        const DemoActions::Action action = DemoActions::Parse(step);
        QTEST(int(action.kind), "kind");
        QTEST(action.target, "target");
        QCOMPARE(action.kind == Kind::Key ? action.keys.toString(QKeySequence::PortableText) : action.value, value);
        QTEST((QList<int> {action.row, action.col, action.lastRow, action.width, action.height}), "numbers");
    }

    void refusesMalformedActions_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("message");
        QTest::newRow("menu without a name") << "menu" << "menu NAME";
        QTest::newRow("menu with two names") << "menu mnuRefresh mnuChecke" << "menu NAME";
        QTest::newRow("key naming only a control") << "key txtCodeFrom" << "key SEQUENCE [NAME]";
        QTest::newRow("select one row") << "select 2" << "select FIRST LAST";
        QTest::newRow("grid click with three numbers") << "grid-click 1 2 3" << "grid-click ROW COL";
        QTest::newRow("grid double click without a column") << "grid-double-click 4" << "grid-double-click ROW COL";
        QTest::newRow("grid right click on a negative column") << "grid-right-click 4 -2" << "grid-right-click ROW COL";
        QTest::newRow("hover on words") << "hover row col" << "hover ROW COL";
        QTest::newRow("resize to no width") << "resize 0 600" << "resize WIDTH HEIGHT";
        QTest::newRow("resize with one number") << "resize 800" << "resize WIDTH HEIGHT";
        QTest::newRow("wait a negative time") << "wait -5" << "wait MILLISECONDS";
        QTest::newRow("unknown grid action") << "grid-drag 1 2" << "unknown --do action";
    }
    void refusesMalformedActions()
    {
        QFETCH(QString, step);
        QFETCH(QString, message);
        expectRefusal([&] { (void)DemoActions::Parse(step); }, message);
    }

    void menuStepChoosesLikeAClick_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("step");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("fired");
        QTest::newRow("item of a hidden menu") << "" << "menu mnuRefresh" << true << 1;
        // As a click on it: nothing happens, and the run goes on.
        QTest::newRow("disabled item") << "" << "menu mnuRefresh" << false << 0;
        QTest::newRow("item named to click") << "" << "click mnuRefresh" << true << 1;
        QTest::newRow("disabled item named to click") << "" << "click mnuRefresh" << false << 0;
        QTest::newRow("item of the dropped-down menu") << "click cmdFunc" << "menu mnuRefresh" << true << 1;
    }
    void menuStepChoosesLikeAClick()
    {
        QFETCH(QString, before);
        QFETCH(QString, step);
        QFETCH(bool, enabled);
        QVERIFY2(openLedger(), "no ledger long enough to scroll");
        QAction *item = window()->menuItem("mnuRefresh");
        item->setEnabled(enabled);
        if (!before.isEmpty())
            perform(before);
        QSignalSpy triggered(item, &QAction::triggered);
        perform(step);
        QTEST(int(triggered.count()), "fired");
        // Choosing an item closes the menus, as a click does.
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
    }

    void keyStepGoesToTheControl_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("control"); // that holds the focus afterwards
        QTest::addColumn<bool>("toLastRow");  // Ctrl+End moved the grid to its last row
        QTest::newRow("the grid by default") << "key Ctrl+End" << "flxAccount" << true;
        QTest::newRow("a field named") << "key Ctrl+End txtCodeFrom" << "txtCodeFrom" << false;
        QTest::newRow("the grid named") << "key Home, Ctrl+End flxAccount" << "flxAccount" << true;
    }
    void keyStepGoesToTheControl()
    {
        QFETCH(QString, step);
        QFETCH(QString, control);
        QFETCH(bool, toLastRow);
        FlexGrid *grid = openLedger();
        QVERIFY2(grid, "no ledger long enough to scroll");
        window()->txtCodeTo->setFocus(); // neither of the two
        const int loadedRow = grid->Row();
        perform(step);
        QWidget *expected = window()->Controls.value(control);
        QCOMPARE(QApplication::focusWidget(), expected == grid ? static_cast<QWidget *>(grid->view()) : expected);
        QCOMPARE(grid->Row(), toLastRow ? grid->Rows() - 1 : loadedRow);
    }

    void mouseStepsReachTheCell_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<int>("row"); // the cell pointed at
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("currentRow");    // Row afterwards; 0 = where the load left it, -1 = not checked
        QTest::addColumn<QList<int>>("events"); // MouseDown, Click, DblClick, MouseMove
        QTest::newRow("click in sight") << "grid-click 3 4" << 3 << 4 << 3 << QList<int> {1, 1, 0, 0};
        // Far below the rows in sight: scrolled to first.
        QTest::newRow("click far down") << "grid-click 75 5" << 75 << 5 << 75 << QList<int> {1, 1, 0, 0};
        QTest::newRow("double click") << "grid-double-click 6 4" << 6 << 4 << 6 << QList<int> {2, 2, 1, 0};
        // A right press keeps the user's selection for the context menu.
        QTest::newRow("right click") << "grid-right-click 7 4" << 7 << 4 << 0 << QList<int> {1, 0, 0, 0};
        QTest::newRow("hover") << "hover 5 2" << 5 << 2 << 0 << QList<int> {0, 0, 0, 1};
        QTest::newRow("click on the header") << "grid-click 0 4" << 0 << 4 << -1 << QList<int> {1, 1, 0, 0};
    }
    void mouseStepsReachTheCell()
    {
        QFETCH(QString, step);
        QFETCH(int, currentRow);
        FlexGrid *grid = openLedger();
        QVERIFY2(grid, "no ledger long enough to scroll");
        const int loadedRow = grid->Row();
        QSignalSpy downs(grid, &FlexGrid::MouseDown), clicks(grid, &FlexGrid::Click);
        QSignalSpy doubleClicks(grid, &FlexGrid::DblClick), moves(grid, &FlexGrid::MouseMove);
        perform(step);
        QTEST((QList<int> {int(downs.count()), int(clicks.count()), int(doubleClicks.count()), int(moves.count())}),
              "events");
        // The grid found the pointer on the cell aimed at.
        QTEST(grid->MouseRow(), "row");
        QTEST(grid->MouseCol(), "col");
        if (currentRow >= 0)
            QCOMPARE(grid->Row(), currentRow == 0 ? loadedRow : currentRow);
    }

    void cellsOutsideTheGridAreRefused_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("message");
        QTest::newRow("column beyond the last") << "grid-click 1 32" << "the grid has no cell (1, 32)";
        QTest::newRow("row beyond the last") << "hover 100000 2" << "the grid has no cell (100000, 2)";
        QTest::newRow("hidden column") << "grid-double-click 2 30" << "column 30 of the grid is hidden";
        QTest::newRow("selection from the header") << "select 0 3" << "no data row 0";
        QTest::newRow("selection beyond the last row") << "select 2 100000" << "no data row 100000";
    }
    void cellsOutsideTheGridAreRefused()
    {
        QFETCH(QString, step);
        QFETCH(QString, message);
        FlexGrid *grid = openLedger();
        QVERIFY2(grid, "no ledger long enough to scroll");
        QSignalSpy changes(grid, &FlexGrid::SelChange);
        expectRefusal([&] { perform(step); }, message);
        QCOMPARE(changes.count(), 0);
    }

    void dumpShowsTheGridAndMovesNothing()
    {
        FlexGrid *grid = openLedger();
        QVERIFY2(grid, "no ledger long enough to scroll");
        perform("grid-click 40 4"); // scrolled, so TopRow is not 1
        perform("select 2 4");
        const QList<int> selection {grid->Row(), grid->RowSel(), grid->Col(), grid->ColSel(), grid->TopRow()};
        QCOMPARE(selection.mid(0, 4), (QList<int> {2, 4, 0, grid->Cols() - 1}));

        QSignalSpy changes(grid, &FlexGrid::SelChange);
        const QByteArray state = DemoActions::StateText(window());
        QCOMPARE(changes.count(), 0);
        QCOMPARE((QList<int> {grid->Row(), grid->RowSel(), grid->Col(), grid->ColSel(), grid->TopRow()}), selection);
        QCOMPARE(DemoActions::StateText(window()), state);

        QStringList expected, dumpedValues;
        for (int value : selection + QList<int> {grid->Rows()})
            expected << QString::number(value);
        for (const char *name : {"Row", "RowSel", "Col", "ColSel", "TopRow", "Rows"})
            dumpedValues << linesNamed(state, name).value(0);
        QCOMPARE(dumpedValues, expected);

        // One geometry line per control, four whole numbers of twips.
        static const QRegularExpression place("^-?\\d+ -?\\d+ \\d+ \\d+$");
        for (auto it = window()->Controls.cbegin(); it != window()->Controls.cend(); ++it) {
            const QStringList lines = linesNamed(state, "geometry." + it.key());
            QCOMPARE(lines.size(), 1);
            QVERIFY2(place.match(lines[0]).hasMatch(), qPrintable(it.key() + u' ' + lines[0]));
        }
        QCOMPARE(linesNamed(state, "geometry.flxAccount").value(0).section(u' ', 2, 2),
                 QString::number(PixelsToTwips(grid->width())));

        // One line per row: its number, then its colours as the grid holds them.
        const QStringList rows = linesNamed(state, "row");
        QCOMPARE(rows.size(), grid->Rows() - 1);
        static const QRegularExpression line("^(\\d+)\\t(-?\\d+)\\t(-?\\d+)\\t(-?\\d+)\\t(-?\\d+)$");
        const QString systemText = QString::number(qint32(0x80000008u));
        int reviewed = 0;
        for (int r = 1; r < grid->Rows(); ++r) {
            const QRegularExpressionMatch match = line.match(rows[r - 1]);
            QVERIFY2(match.hasMatch(), qPrintable(rows[r - 1]));
            QCOMPARE(match.captured(1).toInt(), r);
            // The load wrote each row's background into its RowColor column.
            QCOMPARE(match.captured(2), grid->TextMatrix(r, RowColor));
            // Outside assignment exclusion, the review mark alone colours the text up to column 19.
            if (grid->TextMatrix(r, AssignmentState).isEmpty()) {
                const bool isReviewed = grid->TextMatrix(r, IsChecked) == QString::fromUtf8(LedgerGridTexts::ReviewedMark);
                reviewed += isReviewed;
                QCOMPARE(match.captured(4), isReviewed ? QStringLiteral("255") : systemText);
            }
        }
        QVERIFY2(reviewed > 0 && reviewed < grid->Rows() - 1, "the demo ledger should hold reviewed and unreviewed rows");
    }
};

QTEST_MAIN(TestDemoHost)
#include "test_demo_host.moc"
