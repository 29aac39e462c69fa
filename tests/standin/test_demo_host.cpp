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
#include <QHash>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Finished
{
    int exitCode = -1;
    QString out;
    QString err;
};

// "name<TAB>value" lines of a state dump.
QHash<QString, QString> readState(const QString &path)
{
    QHash<QString, QString> state;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return state;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        state.insert(line.section(QLatin1Char('\t'), 0, 0), line.section(QLatin1Char('\t'), 1));
    return state;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The lines of a state dump that start with "name<TAB>", without that start.
QStringList linesNamed(const QByteArray &state, const QString &name)
{
    QStringList values;
    for (const QString &line : QString::fromUtf8(state).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        if (line.startsWith(name + QLatin1Char('\t')))
            values << line.mid(name.size() + 1);
    return values;
}

using Kind = DemoActions::Action::Kind;

} // namespace

class TestDemoHost : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void missingDatabaseIsAnError_data();
    void missingDatabaseIsAnError();
    void failedWriteIsAnError_data();
    void failedWriteIsAnError();
    void defaultAccountIsTheBusiestParent();
    void typedAccountCodeRunsTheAccountChange();
    void badStepIsAnError_data();
    void badStepIsAnError();
    void closingMenuItemClosesTheWindow();
    void resizeShowsInTheDumpedSize();
    void printingOptionsWriteFiles_data();
    void printingOptionsWriteFiles();

    // Steps and the dump on a window of this process.
    void parsesActions_data();
    void parsesActions();
    void refusesMalformedActions_data();
    void refusesMalformedActions();
    void cleanup();
    void menuStepChoosesLikeAClick_data();
    void menuStepChoosesLikeAClick();
    void keyStepGoesToTheControl_data();
    void keyStepGoesToTheControl();
    void mouseStepsReachTheCell_data();
    void mouseStepsReachTheCell();
    void cellsOutsideTheGridAreRefused_data();
    void cellsOutsideTheGridAreRefused();
    void dumpShowsTheSelectionAndMovesNothing();
    void dumpedRowColoursAreTheGrids();

private:
    Finished run(const QStringList &arguments, const QString &program = QStringLiteral(LEDGER_DEMO_PROGRAM));
    QStringList onDemo(const QStringList &arguments) const
    {
        return QStringList {QStringLiteral("--connection"), QStringLiteral("Provider=SQLite;Data Source=") + m_database}
               + arguments;
    }
    QString path(const QString &name) const { return m_dir.filePath(name); }

    // The busiest parent's ledger in this process, shown and active as --do steps find it.
    void openLedger();
    frmAccountDetails *window() const { return m_control ? m_control->LedgerWindow() : nullptr; }
    void perform(const QString &step) { DemoActions::Perform(window(), DemoActions::Parse(step)); }

    QTemporaryDir m_dir;
    QString m_database;
    QHash<QString, QString> m_summary; // what --make-db printed
    std::unique_ptr<comAccountDetail1> m_control; // the in-process window's control
};

Finished TestDemoHost::run(const QStringList &arguments, const QString &program)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        qWarning("ledger-demo did not finish: %s", qPrintable(arguments.join(QLatin1Char(' '))));
    }
    Finished finished;
    finished.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    finished.out = QString::fromUtf8(process.readAllStandardOutput());
    finished.err = QString::fromUtf8(process.readAllStandardError());
    return finished;
}

void TestDemoHost::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_database = path(QStringLiteral("demo.db"));
    const Finished made = run({QStringLiteral("--make-db"), m_database, QStringLiteral("--rows"), QStringLiteral("300")});
    QCOMPARE(made.exitCode, 0);
    for (const QString &line : made.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        m_summary.insert(line.section(QLatin1Char('\t'), 0, 0), line.section(QLatin1Char('\t'), 1));
    QVERIFY(m_summary.value(QStringLiteral("busiest_parent_account")).toInt() > 0);
}

void TestDemoHost::missingDatabaseIsAnError_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("defaultDatabase"); // run a copy of the program whose default database is missing
    const QString missing = path(QStringLiteral("missing.db"));
    const QString connection = QStringLiteral("Provider=SQLite;Data Source=") + missing;
    const QString grid = path(QStringLiteral("missing-grid.tsv"));
    QTest::newRow("named by --connection, window")
        << QStringList {QStringLiteral("--connection"), connection, QStringLiteral("--dump-grid"), grid} << false;
    QTest::newRow("named by --connection, query")
        << QStringList {QStringLiteral("--connection"), connection, QStringLiteral("--query"), QStringLiteral("select 1")}
        << false;
    QTest::newRow("default demo.db") << QStringList {QStringLiteral("--dump-grid"), grid} << true;
}

void TestDemoHost::missingDatabaseIsAnError()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, defaultDatabase);
    QString program = QStringLiteral(LEDGER_DEMO_PROGRAM);
    QString missing = path(QStringLiteral("missing.db"));
    if (defaultDatabase) {
        // The default database is demo.db beside the program's bin folder.
        QDir(m_dir.path()).mkpath(QStringLiteral("copy/bin"));
        program = path(QStringLiteral("copy/bin/ledger-demo"));
        QVERIFY(QFile::exists(program) || QFile::copy(QStringLiteral(LEDGER_DEMO_PROGRAM), program));
        missing = path(QStringLiteral("copy/demo.db"));
    }

    const Finished finished = run(arguments, program);
    QVERIFY2(finished.exitCode > 0, qPrintable(finished.err));
    QVERIFY2(finished.err.contains(QFileInfo(missing).fileName()), qPrintable(finished.err));
    QVERIFY2(finished.err.contains(QLatin1String("--make-db")), qPrintable(finished.err));
    QVERIFY2(!QFileInfo::exists(missing), "a database file was created");
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("missing-grid.tsv"))));
}

void TestDemoHost::failedWriteIsAnError_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("target");
    const QString missingFolder = path(QStringLiteral("no-such-folder"));
    QTest::newRow("grid onto a full disk") << QStringList {QStringLiteral("--dump-grid"), QStringLiteral("/dev/full")}
                                           << QStringLiteral("/dev/full");
    QTest::newRow("state onto a full disk") << QStringList {QStringLiteral("--dump-state"), QStringLiteral("/dev/full")}
                                            << QStringLiteral("/dev/full");
    QTest::newRow("grid into a missing folder")
        << QStringList {QStringLiteral("--dump-grid"), missingFolder + QStringLiteral("/grid.tsv")}
        << missingFolder + QStringLiteral("/grid.tsv");
    QTest::newRow("screenshot into a missing folder")
        << QStringList {QStringLiteral("--screenshot"), missingFolder + QStringLiteral("/ledger.png")}
        << missingFolder + QStringLiteral("/ledger.png");
}

void TestDemoHost::failedWriteIsAnError()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, target);
    if (target.startsWith(QLatin1String("/dev/")) && !QFileInfo::exists(target))
        QSKIP("this system has no /dev/full");

    const Finished finished = run(onDemo(arguments));
    QVERIFY2(finished.exitCode > 0, qPrintable(finished.err));
    QVERIFY2(finished.err.contains(target), qPrintable(finished.err));
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("no-such-folder"))));
}

void TestDemoHost::defaultAccountIsTheBusiestParent()
{
    // Without --view the host opens the parent of the account with the most rows.
    const QString state = path(QStringLiteral("default-state.txt"));
    const Finished finished = run(onDemo({QStringLiteral("--dump-state"), state}));
    QVERIFY2(finished.exitCode == 0, qPrintable(finished.err));
    QCOMPARE(readState(state).value(QStringLiteral("sltAccount.ID")), m_summary.value(QStringLiteral("busiest_parent_account")));
}

void TestDemoHost::typedAccountCodeRunsTheAccountChange()
{
    // The busiest leaf account, typed into the picker of its parent's ledger
    // and rebuilt, shows what opening the leaf itself shows.
    const QString leaf = m_summary.value(QStringLiteral("busiest_account"));
    const QString parent = m_summary.value(QStringLiteral("busiest_parent_account"));
    QString leafCode;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("codes"));
        db.setDatabaseName(m_database);
        QVERIFY(db.open());
        QSqlQuery query(QStringLiteral("select Code from tblAccount where ID = ") + leaf, db);
        QVERIFY(query.next());
        leafCode = query.value(0).toString().trimmed();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("codes"));

    const QString typedGrid = path(QStringLiteral("typed.tsv"));
    const QString typedState = path(QStringLiteral("typed-state.txt"));
    Finished finished = run(onDemo({QStringLiteral("--view"), parent, QStringLiteral("--do"),
                                    QStringLiteral("set sltAccount ") + leafCode, QStringLiteral("--do"),
                                    QStringLiteral("click cmdReset"), QStringLiteral("--dump-grid"), typedGrid,
                                    QStringLiteral("--dump-state"), typedState}));
    QVERIFY2(finished.exitCode == 0, qPrintable(finished.err));
    const QString openedGrid = path(QStringLiteral("opened.tsv"));
    const QString openedState = path(QStringLiteral("opened-state.txt"));
    finished = run(onDemo({QStringLiteral("--view"), leaf, QStringLiteral("--dump-grid"), openedGrid,
                           QStringLiteral("--dump-state"), openedState}));
    QVERIFY2(finished.exitCode == 0, qPrintable(finished.err));
    const QString parentState = path(QStringLiteral("parent-state.txt"));
    finished = run(onDemo({QStringLiteral("--view"), parent, QStringLiteral("--dump-state"), parentState}));
    QVERIFY2(finished.exitCode == 0, qPrintable(finished.err));

    const QHash<QString, QString> typed = readState(typedState);
    const QHash<QString, QString> opened = readState(openedState);
    QCOMPARE(typed.value(QStringLiteral("sltAccount.ID")), leaf);
    QCOMPARE(typed.value(QStringLiteral("sltAccount.Code")), leafCode);
    QCOMPARE(typed.value(QStringLiteral("flxAccount.Rows")), opened.value(QStringLiteral("flxAccount.Rows")));
    QVERIFY(typed.value(QStringLiteral("flxAccount.Rows")) != readState(parentState).value(QStringLiteral("flxAccount.Rows")));
    QCOMPARE(contents(typedGrid), contents(openedGrid));
}

void TestDemoHost::badStepIsAnError_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown action") << "press cmdReset" << "unknown --do action";
    QTest::newRow("key that does not exist") << "key Hyper+Q" << "key SEQUENCE";
    QTest::newRow("resize without a size") << "resize wide" << "resize WIDTH HEIGHT";
    QTest::newRow("click on no control") << "click cmdNothing" << "no control or menu item named cmdNothing";
    QTest::newRow("typed value into a button") << "set cmdReset 1" << "cmdReset takes no typed value";
    QTest::newRow("click on a disabled button") << "click cmdSave" << "cmdSave is disabled";
    QTest::newRow("menu separator") << "menu p1" << "p1 is a separator";
    QTest::newRow("submenu") << "menu mnuFunc4" << "mnuFunc4 is a submenu";
}

void TestDemoHost::badStepIsAnError()
{
    QFETCH(QString, step);
    QFETCH(QString, message);
    const QString state = path(QStringLiteral("bad-step-state.txt"));
    const Finished finished = run(onDemo({QStringLiteral("--do"), step, QStringLiteral("--dump-state"), state}));
    QVERIFY2(finished.exitCode > 0, qPrintable(finished.err));
    QVERIFY2(finished.err.contains(message), qPrintable(finished.err));
    QVERIFY2(!QFileInfo::exists(state), "a state was written after a failed step");
}

void TestDemoHost::closingMenuItemClosesTheWindow()
{
    // The exit item of the hidden operations menu closes the window, so no state is left to dump.
    const QString state = path(QStringLiteral("closed-state.txt"));
    const Finished finished = run(onDemo({QStringLiteral("--do"), QStringLiteral("menu mnuFunc6"),
                                          QStringLiteral("--dump-state"), state}));
    QVERIFY2(finished.exitCode > 0, qPrintable(finished.err));
    QVERIFY2(finished.err.contains(QLatin1String("closed before the dumps")), qPrintable(finished.err));
    QVERIFY(!QFileInfo::exists(state));
}

void TestDemoHost::resizeShowsInTheDumpedSize()
{
    const QString state = path(QStringLiteral("resized-state.txt"));
    const Finished finished = run(onDemo({QStringLiteral("--do"), QStringLiteral("resize 1300 900"),
                                          QStringLiteral("--dump-state"), state}));
    QVERIFY2(finished.exitCode == 0, qPrintable(finished.err));
    const QHash<QString, QString> dumped = readState(state);
    QCOMPARE(dumped.value(QStringLiteral("size")), QStringLiteral("1300x900"));
    QCOMPARE(dumped.value(QStringLiteral("width")), QString::number(PixelsToTwips(1300)));
    QCOMPARE(dumped.value(QStringLiteral("height")), QString::number(PixelsToTwips(900)));
}

// The picker answered from the command line, the report and the workbook
// written where asked; without a template the picker closes and nothing is written.
void TestDemoHost::printingOptionsWriteFiles_data()
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

void TestDemoHost::printingOptionsWriteFiles()
{
    QFETCH(QString, item);
    QFETCH(QString, templateTitle);
    QFETCH(QString, option);
    QFETCH(QByteArray, fileStart);
    const QString file = path(QStringLiteral("printed-") + QString::number(QTest::currentDataTag()[0]));
    QFile::remove(file);
    QStringList arguments {QStringLiteral("--do"), QStringLiteral("menu ") + item, option, file};
    if (!templateTitle.isEmpty())
        arguments << QStringLiteral("--template") << templateTitle;
    const Finished finished = run(onDemo(arguments));
    QVERIFY2(finished.exitCode == 0, qPrintable(finished.err));
    QCOMPARE(contents(file).left(fileStart.size()), fileStart);
    QCOMPARE(QFileInfo::exists(file), !fileStart.isEmpty());
}

void TestDemoHost::parsesActions_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("value"); // Set: the typed value; Key: the keys as portable text
    QTest::addColumn<QList<int>>("numbers"); // row, col, lastRow, width, height
    const QList<int> none {0, 0, 0, 0, 0};
    QTest::newRow("menu item") << "menu mnuChecke" << int(Kind::Menu) << "mnuChecke" << "" << none;
    QTest::newRow("key into the grid") << "key F5" << int(Kind::Key) << "" << "F5" << none;
    QTest::newRow("key into a control") << "key Ctrl+F txtCodeFrom" << int(Kind::Key) << "txtCodeFrom" << "Ctrl+F"
                                        << none;
    // The last word is a key, so no control is named.
    QTest::newRow("two keys") << "key Ctrl+F, Tab" << int(Kind::Key) << "" << "Ctrl+F, Tab" << none;
    QTest::newRow("two keys into a control") << "key Ctrl+F, Tab flxAccount" << int(Kind::Key) << "flxAccount"
                                             << "Ctrl+F, Tab" << none;
    QTest::newRow("amount with commas") << "set txtPriceSearch 1,250,000" << int(Kind::Set) << "txtPriceSearch"
                                        << "1,250,000" << none;
    QTest::newRow("description with spaces") << "set txtAccDescSearch فروش  نقدي كالا" << int(Kind::Set)
                                             << "txtAccDescSearch" << "فروش  نقدي كالا" << none;
    QTest::newRow("select") << "select 2 4" << int(Kind::Select) << "" << "" << QList<int> {2, 0, 4, 0, 0};
    QTest::newRow("grid click on the header") << "grid-click 0 5" << int(Kind::GridClick) << "" << ""
                                              << QList<int> {0, 5, 0, 0, 0};
    QTest::newRow("grid double click") << "grid-double-click 3 1" << int(Kind::GridDoubleClick) << "" << ""
                                       << QList<int> {3, 1, 0, 0, 0};
    QTest::newRow("grid right click") << "grid-right-click 12 31" << int(Kind::GridRightClick) << "" << ""
                                      << QList<int> {12, 31, 0, 0, 0};
    QTest::newRow("hover") << "hover 7 4" << int(Kind::Hover) << "" << "" << QList<int> {7, 4, 0, 0, 0};
    QTest::newRow("resize") << "resize 800 600" << int(Kind::Resize) << "" << "" << QList<int> {0, 0, 0, 800, 600};
    QTest::newRow("resize WIDTHxHEIGHT") << "resize 800x600" << int(Kind::Resize) << "" << ""
                                         << QList<int> {0, 0, 0, 800, 600};
}

void TestDemoHost::parsesActions()
{
    QFETCH(QString, step);
    QFETCH(int, kind);
    QFETCH(QString, target);
    QFETCH(QString, value);
    QFETCH(QList<int>, numbers);
    const DemoActions::Action action = DemoActions::Parse(step);
    QCOMPARE(int(action.kind), kind);
    QCOMPARE(action.target, target);
    QCOMPARE(action.kind == Kind::Key ? action.keys.toString(QKeySequence::PortableText) : action.value, value);
    QCOMPARE((QList<int> {action.row, action.col, action.lastRow, action.width, action.height}), numbers);
}

void TestDemoHost::refusesMalformedActions_data()
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

void TestDemoHost::refusesMalformedActions()
{
    QFETCH(QString, step);
    QFETCH(QString, message);
    try {
        DemoActions::Parse(step);
        QFAIL("the step was accepted");
    } catch (const std::runtime_error &error) {
        QVERIFY2(QString::fromStdString(error.what()).contains(message), error.what());
    }
}

void TestDemoHost::openLedger()
{
    ResetSessionForTesting();
    ResetComponentsForTesting();
    ScriptedMessages::install();
    m_control = std::make_unique<comAccountDetail1>();
    m_control->setOLEConnectionString(QStringLiteral("Provider=SQLite;Data Source=") + m_database);
    m_control->setUserID(1);
    m_control->View(m_summary.value(QStringLiteral("busiest_parent_account")).toInt());
    QVERIFY(window());
    DemoActions::Activate(window());
    QVERIFY2(window()->flxAccount->Rows() > 60, "the ledger is too short to need scrolling");
}

void TestDemoHost::cleanup()
{
    m_control.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ResetSessionForTesting();
}

void TestDemoHost::menuStepChoosesLikeAClick_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("step");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("fired");
    QTest::newRow("item of a hidden menu") << QStringList() << "menu mnuRefresh" << true << 1;
    // As a click on it: nothing happens, and the run goes on.
    QTest::newRow("disabled item") << QStringList() << "menu mnuRefresh" << false << 0;
    QTest::newRow("item named to click") << QStringList() << "click mnuRefresh" << true << 1;
    QTest::newRow("disabled item named to click") << QStringList() << "click mnuRefresh" << false << 0;
    QTest::newRow("item of the dropped-down menu") << QStringList {"click cmdFunc"} << "menu mnuRefresh" << true << 1;
}

void TestDemoHost::menuStepChoosesLikeAClick()
{
    QFETCH(QStringList, before);
    QFETCH(QString, step);
    QFETCH(bool, enabled);
    QFETCH(int, fired);
    openLedger();
    if (QTest::currentTestFailed())
        return;
    QAction *item = window()->menuItem(QStringLiteral("mnuRefresh"));
    item->setEnabled(enabled);
    for (const QString &earlier : before)
        perform(earlier);
    QSignalSpy triggered(item, &QAction::triggered);
    perform(step);
    QCOMPARE(triggered.count(), fired);
    // Choosing an item closes the menus, as a click does.
    QCOMPARE(QApplication::activePopupWidget(), nullptr);
}

void TestDemoHost::keyStepGoesToTheControl_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("control"); // that holds the focus afterwards
    QTest::addColumn<bool>("toLastRow");  // Ctrl+End moved the grid to its last row
    QTest::newRow("the grid by default") << "key Ctrl+End" << "flxAccount" << true;
    QTest::newRow("a field named") << "key Ctrl+End txtCodeFrom" << "txtCodeFrom" << false;
    QTest::newRow("the grid named") << "key Home, Ctrl+End flxAccount" << "flxAccount" << true;
}

void TestDemoHost::keyStepGoesToTheControl()
{
    QFETCH(QString, step);
    QFETCH(QString, control);
    QFETCH(bool, toLastRow);
    openLedger();
    if (QTest::currentTestFailed())
        return;
    FlexGrid *grid = window()->flxAccount;
    window()->txtCodeTo->setFocus(); // neither of the two
    const int loadedRow = grid->Row();
    perform(step);
    QWidget *expected = window()->Controls.value(control);
    QCOMPARE(QApplication::focusWidget(), expected == grid ? static_cast<QWidget *>(grid->view()) : expected);
    QCOMPARE(grid->Row(), toLastRow ? grid->Rows() - 1 : loadedRow);
}

void TestDemoHost::mouseStepsReachTheCell_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<int>("row"); // the cell pointed at
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("currentRow"); // Row afterwards; 0 = where the load left it, -1 = not checked
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

void TestDemoHost::mouseStepsReachTheCell()
{
    QFETCH(QString, step);
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(int, currentRow);
    QFETCH(QList<int>, events);
    openLedger();
    if (QTest::currentTestFailed())
        return;
    FlexGrid *grid = window()->flxAccount;
    const int loadedRow = grid->Row();
    QSignalSpy downs(grid, &FlexGrid::MouseDown);
    QSignalSpy clicks(grid, &FlexGrid::Click);
    QSignalSpy doubleClicks(grid, &FlexGrid::DblClick);
    QSignalSpy moves(grid, &FlexGrid::MouseMove);
    perform(step);
    QCOMPARE((QList<int> {int(downs.count()), int(clicks.count()), int(doubleClicks.count()), int(moves.count())}),
             events);
    // The grid found the pointer on the cell aimed at.
    QCOMPARE(grid->MouseRow(), row);
    QCOMPARE(grid->MouseCol(), col);
    if (currentRow >= 0)
        QCOMPARE(grid->Row(), currentRow == 0 ? loadedRow : currentRow);
}

void TestDemoHost::cellsOutsideTheGridAreRefused_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("message");
    QTest::newRow("column beyond the last") << "grid-click 1 32" << "the grid has no cell (1, 32)";
    QTest::newRow("row beyond the last") << "hover 100000 2" << "the grid has no cell (100000, 2)";
    QTest::newRow("hidden column") << "grid-double-click 2 30" << "column 30 of the grid is hidden";
    QTest::newRow("selection from the header") << "select 0 3" << "no data row 0";
    QTest::newRow("selection beyond the last row") << "select 2 100000" << "no data row 100000";
}

void TestDemoHost::cellsOutsideTheGridAreRefused()
{
    QFETCH(QString, step);
    QFETCH(QString, message);
    openLedger();
    if (QTest::currentTestFailed())
        return;
    FlexGrid *grid = window()->flxAccount;
    QSignalSpy changes(grid, &FlexGrid::SelChange);
    try {
        perform(step);
        QFAIL("the step was done");
    } catch (const std::runtime_error &error) {
        QVERIFY2(QString::fromStdString(error.what()).contains(message), error.what());
    }
    QCOMPARE(changes.count(), 0);
}

void TestDemoHost::dumpShowsTheSelectionAndMovesNothing()
{
    openLedger();
    if (QTest::currentTestFailed())
        return;
    FlexGrid *grid = window()->flxAccount;
    perform(QStringLiteral("grid-click 40 4")); // scrolled, so TopRow is not 1
    perform(QStringLiteral("select 2 4"));
    const QList<int> selection {grid->Row(), grid->RowSel(), grid->Col(), grid->ColSel(), grid->TopRow()};
    QCOMPARE(selection.mid(0, 4), (QList<int> {2, 4, 0, grid->Cols() - 1}));

    QSignalSpy changes(grid, &FlexGrid::SelChange);
    const QByteArray state = DemoActions::StateText(window());
    QCOMPARE(changes.count(), 0);
    QCOMPARE((QList<int> {grid->Row(), grid->RowSel(), grid->Col(), grid->ColSel(), grid->TopRow()}), selection);
    QCOMPARE(DemoActions::StateText(window()), state);

    const QStringList expected {QString::number(selection[0]), QString::number(selection[1]),
                                QString::number(selection[2]), QString::number(selection[3]),
                                QString::number(selection[4]), QString::number(grid->Rows())};
    QStringList dumped;
    for (const char *name : {"Row", "RowSel", "Col", "ColSel", "TopRow", "Rows"})
        dumped << linesNamed(state, QLatin1String(name)).value(0);
    QCOMPARE(dumped, expected);

    // One geometry line per control, four whole numbers of twips.
    static const QRegularExpression place(QStringLiteral("^-?\\d+ -?\\d+ \\d+ \\d+$"));
    for (auto it = window()->Controls.cbegin(); it != window()->Controls.cend(); ++it) {
        const QStringList lines = linesNamed(state, QStringLiteral("geometry.") + it.key());
        QCOMPARE(lines.size(), 1);
        QVERIFY2(place.match(lines[0]).hasMatch(), qPrintable(it.key() + QLatin1Char(' ') + lines[0]));
    }
    QCOMPARE(linesNamed(state, QStringLiteral("geometry.flxAccount")).value(0).section(QLatin1Char(' '), 2, 2),
             QString::number(PixelsToTwips(grid->width())));
}

void TestDemoHost::dumpedRowColoursAreTheGrids()
{
    openLedger();
    if (QTest::currentTestFailed())
        return;
    FlexGrid *grid = window()->flxAccount;
    const QStringList rows = linesNamed(DemoActions::StateText(window()), QStringLiteral("row"));
    QCOMPARE(rows.size(), grid->Rows() - 1);
    static const QRegularExpression line(QStringLiteral("^(\\d+)\\t(-?\\d+)\\t(-?\\d+)\\t(-?\\d+)\\t(-?\\d+)$"));
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

QTEST_MAIN(TestDemoHost)
#include "test_demo_host.moc"
