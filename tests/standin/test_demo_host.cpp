// The demo host from outside: ledger-demo runs as its own process, as the
// scripts and a person at a terminal run it, and its exit code, messages and
// files are checked.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
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

private:
    Finished run(const QStringList &arguments, const QString &program = QStringLiteral(LEDGER_DEMO_PROGRAM));
    QStringList onDemo(const QStringList &arguments) const
    {
        return QStringList {QStringLiteral("--connection"), QStringLiteral("Provider=SQLite;Data Source=") + m_database}
               + arguments;
    }
    QString path(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    QString m_database;
    QHash<QString, QString> m_summary; // what --make-db printed
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
    QTest::newRow("resize without a size") << "resize wide" << "resize WIDTHxHEIGHT";
    QTest::newRow("click on no control") << "click cmdNothing" << "no control or menu item named cmdNothing";
    QTest::newRow("typed value into a button") << "set cmdReset 1" << "cmdReset takes no typed value";
    QTest::newRow("click on a disabled button") << "click cmdSave" << "cmdSave is disabled";
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

QTEST_GUILESS_MAIN(TestDemoHost)
#include "test_demo_host.moc"
