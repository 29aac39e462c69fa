// ledger-demo: the demo host of the account-turnover control, the demo
// database builder and a one-statement query tool for administrators.

#include "DemoHost.h"
#include "DemoPrinting.h"
#include "StandInDatabase.h"
#include "outside/database/Backend.h"
#include "session/DatabaseError.h"
#include "session/Session.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTextStream>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

QString defaultDatabasePath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../demo.db");
}

// The file a SQLite connection string names, when that file is missing ("" otherwise).
QString missingDatabaseFile(const QString &connectionText)
{
    if (ConnectionStringValue(connectionText, QStringLiteral("Provider")).compare(QLatin1String("SQLite"), Qt::CaseInsensitive) != 0)
        return QString();
    const QString path = ConnectionStringValue(connectionText, QStringLiteral("Data Source"));
    return path.isEmpty() || QFileInfo(path).isFile() ? QString() : path;
}

int makeDatabase(const QString &path, int rows, quint32 seed)
{
    QTextStream out(stdout);
    QElapsedTimer timer;
    timer.start();
    DemoOptions options;
    options.rows = rows;
    options.seed = seed;
    const DemoSummary summary = MakeDemoDatabase(path, options);
    out << "database\t" << QFileInfo(path).absoluteFilePath() << "\n"
        << "documents\t" << summary.documentCount << "\n"
        << "ledger_rows\t" << summary.detailRowCount << "\n"
        << "busiest_account\t" << summary.busiestLeafAccountId << "\n"
        << "busiest_parent_account\t" << summary.busiestParentAccountId << "\n"
        << "seconds\t" << QString::number(timer.elapsed() / 1000.0, 'f', 1) << "\n"
        << "size_mb\t" << QString::number(QFileInfo(path).size() / 1048576.0, 'f', 1) << "\n";
    return 0;
}

// Prints a SELECT's rows tab-separated under a header line; other statements
// print the number of rows they changed.
int runQuery(const QString &connection, const QString &sql)
{
    QTextStream out(stdout);
    Session.ConnectionText = connection;
    StartSession();
    const QString head = sql.trimmed().left(6).toLower();
    if (head != QLatin1String("select") && !head.startsWith(QLatin1String("with"))) {
        out << ExecuteText(sql) << " rows affected\n";
        return 0;
    }
    Recordset &rows = ReopenOnText(QStringLiteral("rssqlAccounts"), sql);
    const QStringList columns = rows.FieldNames();
    out << columns.join(QLatin1Char('\t')) << "\n";
    for (; !rows.Eof(); rows.MoveNext()) {
        QStringList cells;
        for (const QString &column : columns)
            cells << rows.FieldText(column);
        out << cells.join(QLatin1Char('\t')) << "\n";
    }
    rows.Close();
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    // Without a display (a server, CI) the tool still builds databases, runs
    // queries and writes screenshots offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ledger-demo"));
    QApplication::setLayoutDirection(Qt::RightToLeft);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Account turnover (گردش حساب) demo host"));
    parser.addHelpOption();
    const QCommandLineOption makeDb(QStringLiteral("make-db"), QStringLiteral("Create a demo database at PATH and exit."), QStringLiteral("PATH"));
    const QCommandLineOption rows(QStringLiteral("rows"), QStringLiteral("Ledger rows of the busiest account (with --make-db)."), QStringLiteral("N"), QStringLiteral("3000"));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Seed of the generated data (with --make-db)."), QStringLiteral("S"), QStringLiteral("1"));
    const QCommandLineOption query(QStringLiteral("query"), QStringLiteral("Run one SQL text and print the result."), QStringLiteral("TEXT"));
    const QCommandLineOption connection(QStringLiteral("connection"), QStringLiteral("Connection string (default: the demo database)."), QStringLiteral("CS"));
    parser.addOptions({makeDb, rows, seed, query, connection});
    DemoHost::addOptions(parser);
    DemoPrinting::addOptions(parser);
    // "--class N ID" and "--object N ID" take two numbers; the parser takes one
    // value, so the pair travels as "N:ID".
    QStringList arguments = QCoreApplication::arguments();
    for (int i = 0; i + 2 < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--class") || arguments[i] == QLatin1String("--object")) {
            arguments[i + 1] += QLatin1Char(':') + arguments[i + 2];
            arguments.removeAt(i + 2);
        }
    }
    parser.process(arguments);

    const QString connectionText = parser.isSet(connection)
                                       ? parser.value(connection)
                                       : StandInConnectionString(defaultDatabasePath());
    int result = 1;
    try {
        if (parser.isSet(makeDb)) {
            result = makeDatabase(parser.value(makeDb), parser.value(rows).toInt(), parser.value(seed).toUInt());
        } else if (const QString missing = missingDatabaseFile(connectionText); !missing.isEmpty()) {
            // Only --make-db (and scripts/demo through it) creates a database:
            // a mistyped path must not turn into a new file of invented rows.
            QTextStream(stderr) << "ledger-demo: there is no database file at " << missing << "\n"
                                << "Create the demo database with scripts/demo or: ledger-demo --make-db " << missing
                                << "\n";
            return 1;
        } else if (parser.isSet(query)) {
            result = runQuery(connectionText, parser.value(query));
        } else {
            result = DemoHost::run(parser, connectionText);
        }
    } catch (const DatabaseError &error) {
        QTextStream(stderr) << error.message() << "\n" << error.statement() << "\n";
        return 1;
    } catch (const std::exception &error) {
        QTextStream(stderr) << "ledger-demo: " << QString::fromStdString(error.what()) << "\n";
        return 1;
    }
    // What went to standard output (query rows, the database summary) counts
    // only when it was all written.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        QTextStream(stderr) << "ledger-demo: cannot write the standard output: " << QString::fromLocal8Bit(std::strerror(errno))
                            << "\n";
        return 1;
    }
    return result;
}
