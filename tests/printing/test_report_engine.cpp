// The report component: selection and connection texts, template checks,
// page planning, value formats, and whole runs on a stand-in database whose
// staged rows the test writes itself, read back from the PDF with pdftotext.

#include "TestSupport.h"

#include "outside/components/report/ReportConnection.h"
#include "outside/components/report/ReportDocument.h"
#include "outside/components/report/ReportSelection.h"
#include "outside/components/report/ReportTemplate.h"
#include "outside/components/report/ReportTexts.h"
#include "outside/components/report/ReportError.h"
#include "outside/database/Backend.h"
#include "outside/database/DatabaseTexts.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>

namespace {

const QString LedgerSelection =
    QStringLiteral("{vwAccountTempInfo.FormTypeID} = 315 And {vwAccountTempInfo.PrintFormatID} = 31501");
const QString ConflictSelection = QStringLiteral(
    "SELECT * From vwAccountTempInfo Where FormTypeID = 315 And PrintFormatID = 31501 order by NaturalCol0");

// A4 portrait, printable 190 x 277 mm. Every page: page header 10, column
// header 10, page footer 10; the first page also the report header 20. With
// detail lines of 5 mm the first page holds 45 lines, the others 49; the
// report footer needs 15 mm under the last line.
const char TestTemplate[] = R"({
  "page": {"size": "A4", "orientation": "portrait", "margins": {"top": 10, "right": 10, "bottom": 10, "left": 10}},
  "font": {"family": "Tahoma", "size": 9},
  "reportHeader": {"height": 20, "items": [{"field": "StringCol9", "width": 190, "align": "center", "bold": true}]},
  "pageHeader": {"height": 10, "items": [{"text": "HEADER-MARK", "width": 60}, {"field": "StringCol4", "width": 40}]},
  "columnHeader": {"height": 10, "items": [{"text": "COL-MARK", "width": 30}, {"text": "شرح", "width": 90},
                                          {"text": "بدهکار", "width": 40, "border": true}]},
  "detail": {"height": 5, "items": [{"field": "StringCol3", "width": 30}, {"field": "StringCol2", "width": 90},
                                    {"field": "CurrencyCol0", "format": "amount", "width": 40, "border": true}]},
  "reportFooter": {"height": 15, "items": [{"text": "TOTAL-MARK", "width": 120},
                                           {"aggregate": "sum", "field": "CurrencyCol0", "width": 40}]},
  "pageFooter": {"height": 10, "items": [{"text": "صفحه {page} از {pages}", "width": 190, "align": "center"}]}
})";

QString rowMark(int row)
{
    return QStringLiteral("row-%1").arg(row, 3, 10, QLatin1Char('0'));
}

// Staged rows as the ledger printout writes them, inserted in reverse so
// that only the report's own ordering (NaturalCol9) puts them right.
QStringList stagedRows(int count, int formTypeId = 315)
{
    QStringList statements;
    for (int i = count; i >= 1; --i)
        statements << QStringLiteral(
                          "INSERT INTO tblAccountTempInfo (FormTypeID, PrintFormatID, NaturalCol0, NaturalCol1, "
                          "NaturalCol9, StringCol0, StringCol1, StringCol2, StringCol3, StringCol4, StringCol5, "
                          "StringCol6, StringCol9, CurrencyCol0, CurrencyCol1, CurrencyCol2, CurrencyCol3, "
                          "CurrencyCol4, CurrencyCol5, CurrencyCol6, CurrencyCol7, CurrencyCol8) VALUES "
                          "(%1, 31501, %2, %3, %2, '1402/01/05', '1402/02/05', 'خريد كالا از فروشگاه %2', '%4', "
                          "'1402/01/01', '1402/12/29', '1402/06/01', 'گردش حساب صندوق', %5, 0, %5, 0, 1, 2, 3, 4, -2500)")
                          .arg(formTypeId)
                          .arg(i)
                          .arg(5000 + i)
                          .arg(rowMark(i))
                          .arg(i * 1000.1, 0, 'f', 1);
    return statements;
}

QString pdfText(const QString &pdf, int page = 0)
{
    QStringList arguments {QStringLiteral("-layout")};
    if (page > 0)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    arguments << pdf << QStringLiteral("-");
    QProcess process;
    process.start(QStringLiteral("pdftotext"), arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QString();
    // pdftotext gives Persian letters in their contextual (presentation)
    // forms wrapped in direction marks; compatibility normalisation and
    // dropping the marks gives the logical text back.
    QString text = QString::fromUtf8(process.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
    text.removeIf([](QChar c) { return (c >= u'\u202A' && c <= u'\u202E') || c == u'\u200E' || c == u'\u200F'; });
    return text;
}

// The lowest line of a page as a reader sees it, read right to left: the
// words pdftotext places there (Persian letters one by one, numbers whole),
// ordered by their position on the page. Its own text order for mixed
// right-to-left lines moves the numbers about; their places on paper do not.
QString bottomLine(const QString &pdf, int page)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page),
                                                QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QString();
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression word(QStringLiteral(R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)"[^>]*>([^<]*)</word>)re"));
    QList<std::tuple<double, double, QString>> words; // yMin, xMin, text
    double lowest = 0;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        words.append({m.captured(2).toDouble(), m.captured(1).toDouble(), m.captured(3)});
        lowest = std::max(lowest, m.captured(2).toDouble());
    }
    QList<std::pair<double, QString>> line;
    for (const auto &[y, x, text] : words)
        if (lowest - y < 1)
            line.append({x, text});
    std::sort(line.begin(), line.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
    QString text;
    for (const auto &[x, part] : line)
        text += part;
    return text.normalized(QString::NormalizationForm_KC);
}

bool reportConnectionsLeft()
{
    for (const QString &name : QSqlDatabase::connectionNames())
        if (name.startsWith(QLatin1String("comCrystalRpt")))
            return true;
    return false;
}

} // namespace

class ReportEngineTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    TestDatabase m_db;

    QString writeFile(const QString &name, const QByteArray &content)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return QString();
        file.write(content);
        return path;
    }

    // A component as the window gets it, set up to write a PDF.
    std::unique_ptr<QObject> component(const QString &reportFile, const QString &output,
                                       const QString &selection = LedgerSelection, QString connection = QString())
    {
        std::unique_ptr<QObject> report = CreateComponent(QStringLiteral("comCrystalReport.comCrystalRpt"));
        if (!report)
            return report;
        if (connection.isNull())
            connection = m_db.connectionString();
        report->setProperty("ReportFile", reportFile);
        report->setProperty("Destination", 0);
        report->setProperty("Connection", connection);
        report->setProperty("Selection", selection);
        report->setProperty("OutputFile", output);
        return report;
    }

    static QString lastError(const QObject &report) { return report.property("LastError").toString(); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_db.exec(stagedRows(120));
        // Rows of another form in the shared table, which no report of ours may print.
        m_db.exec({QStringLiteral("INSERT INTO tblAccountTempInfo (FormTypeID, PrintFormatID, NaturalCol9, StringCol3) "
                                  "VALUES (316, 31501, 1, 'FOREIGN-MARK')")});
    }

    void translateAccepted_data()
    {
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QVariantList>("values");
        const QString head = QStringLiteral("SELECT * FROM vwAccountTempInfo WHERE ");
        const QString order = QStringLiteral(" ORDER BY NaturalCol9, ID");

        QTest::newRow("the ledger printout's formula")
            << LedgerSelection << head + "FormTypeID = ? AND PrintFormatID = ?" + order
            << QVariantList {qlonglong(315), qlonglong(31501)};
        QTest::newRow("names and And in any letter case, no blanks")
            << "{VWACCOUNTTEMPINFO.formtypeid}>=315 aND{vwAccountTempInfo.printformatid}<>1"
            << head + "FormTypeID >= ? AND PrintFormatID <> ?" + order << QVariantList {qlonglong(315), qlonglong(1)};
        // The value goes to the database bound; nothing of it enters the text.
        QTest::newRow("quoted text with a doubled quote and SQL inside")
            << "{vwAccountTempInfo.StringCol2} = 'O''Brien''; drop table tblUser --'"
            << head + "StringCol2 = ?" + order << QVariantList {QStringLiteral("O'Brien'; drop table tblUser --")};
        QTest::newRow("double quotes and a negative decimal")
            << "{vwAccountTempInfo.StringCol3} <= \"a\"\"b\" And {vwAccountTempInfo.CurrencyCol0} < -12.5"
            << head + "StringCol3 <= ? AND CurrencyCol0 < ?" + order << QVariantList {QStringLiteral("a\"b"), -12.5};
        QTest::newRow("the conflict report's SELECT, sent as it is") << ConflictSelection << ConflictSelection
                                                                     << QVariantList {};
        QTest::newRow("a SELECT with a trailing semicolon") << "select ID from vwAccountTempInfo ;"
                                                            << "select ID from vwAccountTempInfo ;" << QVariantList {};
    }

    void translateAccepted()
    {
        QFETCH(QString, selection);
        QFETCH(QString, sql);
        QFETCH(QVariantList, values);
        const ReportQuery query = TranslateSelection(selection);
        QCOMPARE(query.sql, sql);
        QCOMPARE(query.values, values);
    }

    void translateRefused_data()
    {
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("message");
        const auto untranslatable = [](const QString &s) { return ReportTexts::SelectionUntranslatable(s); };

        QTest::newRow("empty") << "  " << ReportTexts::SelectionEmpty();
        QTest::newRow("Or") << "{vwAccountTempInfo.ID} = 1 Or {vwAccountTempInfo.ID} = 2"
                            << untranslatable("{vwAccountTempInfo.ID} = 1 Or {vwAccountTempInfo.ID} = 2");
        QTest::newRow("a column the view does not have")
            << "{vwAccountTempInfo.Password} = 'x'" << ReportTexts::SelectionUnknownColumn("vwAccountTempInfo", "Password");
        QTest::newRow("another view") << "{tblUser.ID} = 1" << ReportTexts::SelectionUnknownView("tblUser");
        QTest::newRow("a second statement after the value")
            << "{vwAccountTempInfo.ID} = 1; delete from tblUser"
            << untranslatable("{vwAccountTempInfo.ID} = 1; delete from tblUser");
        QTest::newRow("a condition pasted in place of a value")
            << "{vwAccountTempInfo.ID} = 1 or 1=1" << untranslatable("{vwAccountTempInfo.ID} = 1 or 1=1");
        QTest::newRow("a function") << "{vwAccountTempInfo.ID} = abs(1)" << untranslatable("{vwAccountTempInfo.ID} = abs(1)");
        QTest::newRow("brace left open") << "{vwAccountTempInfo.ID = 1" << untranslatable("{vwAccountTempInfo.ID = 1");
        QTest::newRow("quote left open") << "{vwAccountTempInfo.StringCol2} = 'abc"
                                         << untranslatable("{vwAccountTempInfo.StringCol2} = 'abc");
        QTest::newRow("letters glued to a number") << "{vwAccountTempInfo.ID} = 315abc"
                                                   << untranslatable("{vwAccountTempInfo.ID} = 315abc");
        QTest::newRow("a number no 64-bit integer holds")
            << "{vwAccountTempInfo.ID} = 99999999999999999999" << ReportTexts::SelectionNumberTooLarge("99999999999999999999");
        QTest::newRow("a SELECT followed by a DELETE")
            << "SELECT * FROM vwAccountTempInfo; DELETE FROM tblAccountTempInfo" << ReportTexts::SelectionNotSingleSelect();
        QTest::newRow("SELECT INTO, which creates a table")
            << "SELECT * INTO tblCopy FROM vwAccountTempInfo" << ReportTexts::SelectionNotSingleSelect();
        QTest::newRow("not a SELECT") << "DELETE FROM tblAccountTempInfo" << untranslatable("DELETE FROM tblAccountTempInfo");
    }

    void translateRefused()
    {
        QFETCH(QString, selection);
        QFETCH(QString, message);
        try {
            const ReportQuery query = TranslateSelection(selection);
            QFAIL(qPrintable("translated into " + query.sql));
        } catch (const ReportError &error) {
            QCOMPARE(error.message(), message);
        }
    }

    void connectionForms_data()
    {
        QTest::addColumn<QString>("connection");
        QTest::addColumn<QString>("provider");   // empty: refused
        QTest::addColumn<QStringList>("values"); // Data Source, Initial Catalog, User ID, Password
        QTest::addColumn<QString>("message");

        QTest::newRow("OLE DB, embedded database") << "Provider=SQLite;Data Source=/data/demo.db" << "SQLite"
                                                   << QStringList {"/data/demo.db", "", "", ""} << QString();
        QTest::newRow("OLE DB, SQL Server") << "Provider=SQLOLEDB.1;Data Source=srv;Initial Catalog=acc;User ID=u;Password=p"
                                            << "SQLOLEDB.1" << QStringList {"srv", "acc", "u", "p"} << QString();
        QTest::newRow("report-connect form, blanks trimmed") << "DSN= srv ;UID=u ; UserPassword=p;DSQ=acc" << "SQLOLEDB.1"
                                                             << QStringList {"srv", "acc", "u", "p"} << QString();
        QTest::newRow("report-connect form without user and catalog: the file")
            << "DSN= /data/demo.db ;UID= ; UserPassword=;DSQ=" << "SQLite"
            << QStringList {"/data/demo.db", "", "", ""} << QString();
        QTest::newRow("report-connect form with a user but no catalog: still the server")
            << "DSN= srv ;UID=sa ; UserPassword=p;DSQ=" << "SQLOLEDB.1" << QStringList {"srv", "", "sa", "p"} << QString();
        // A quote in the password must not end the value it is carried in.
        QTest::newRow("password holding a quote") << "DSN= srv ;UID=u ; UserPassword=a\"b;DSQ=acc" << "SQLOLEDB.1"
                                                  << QStringList {"srv", "acc", "u", "a\"b"} << QString();
        QTest::newRow("empty") << "" << "" << QStringList() << ReportTexts::ConnectionEmpty();
        QTest::newRow("neither provider nor DSN") << "Data Source=/data/demo.db" << "" << QStringList()
                                                  << ReportTexts::ConnectionUnrecognised();
        QTest::newRow("provider without data source") << "Provider=SQLite;" << "" << QStringList()
                                                      << ReportTexts::ConnectionNoDataSource();
        QTest::newRow("DSN left empty") << "DSN= ;UID=u ; UserPassword=p;DSQ=acc" << "" << QStringList()
                                        << ReportTexts::ConnectionNoDataSource();
    }

    void connectionForms()
    {
        QFETCH(QString, connection);
        QFETCH(QString, provider);
        QFETCH(QStringList, values);
        QFETCH(QString, message);
        try {
            const ReportConnection parsed = ParseReportConnection(connection);
            QCOMPARE(parsed.provider, provider);
            const QStringList keys {"Data Source", "Initial Catalog", "User ID", "Password"};
            for (int i = 0; i < keys.size(); ++i)
                QCOMPARE(ConnectionStringValue(parsed.connectionString, keys[i]), values[i]);
        } catch (const ReportError &error) {
            QVERIFY2(provider.isEmpty(), qPrintable(error.message()));
            QCOMPARE(error.message(), message);
        }
    }

    void pagePlan_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QList<int>>("linesPerPage");
        QTest::addColumn<int>("footerPage"); // 1-based
        QTest::newRow("no rows: one page with headers and footers") << 0 << QList<int> {0} << 1;
        QTest::newRow("footer fits under the last line") << 42 << QList<int> {42} << 1;
        QTest::newRow("footer 1 mm too high for the first page") << 44 << QList<int> {44, 0} << 2;
        QTest::newRow("first page full") << 45 << QList<int> {45, 0} << 2;
        QTest::newRow("rows go on to the next page") << 46 << QList<int> {45, 1} << 2;
        QTest::newRow("120 rows") << 120 << QList<int> {45, 49, 26} << 3;
    }

    void pagePlan()
    {
        QFETCH(int, rows);
        QFETCH(QList<int>, linesPerPage);
        QFETCH(int, footerPage);
        const std::vector<ReportPage> pages = PlanPages(ParseReportTemplate(TestTemplate, "test"), rows);
        QList<int> lines;
        qint64 next = 0;
        for (size_t i = 0; i < pages.size(); ++i) {
            lines << int(pages[i].rowCount);
            QCOMPARE(pages[i].firstRow, next);
            QCOMPARE(pages[i].reportHeader, i == 0);
            QCOMPARE(pages[i].reportFooter, int(i) + 1 == footerPage);
            next += pages[i].rowCount;
        }
        QCOMPARE(lines, linesPerPage);
    }

    void valueFormats_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        const int amount = int(ReportItem::Format::Amount);
        const int integer = int(ReportItem::Format::Integer);
        QTest::newRow("amount with separators and decimals") << amount << "1234567.8901" << "1,234,567.8901";
        QTest::newRow("negative amount keeps its sign in front") << amount << "-1200" << "-1,200";
        QTest::newRow("empty amount prints empty, not 0") << amount << "" << "";
        QTest::newRow("amount beyond the currency range as stored") << amount << "99999999999999999999"
                                                                   << "99999999999999999999";
        QTest::newRow("text in an amount column as it is") << amount << "n/a" << "n/a";
        QTest::newRow("integer rounds half away from zero") << integer << "-12.5" << "-13";
        QTest::newRow("integer has no separators") << integer << "123456" << "123456";
    }

    void valueFormats()
    {
        QFETCH(int, format);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(FormatReportValue(ReportItem::Format(format), text), shown);
    }

    // Each broken template gives its own message and writes nothing.
    void templateRefused_data()
    {
        QTest::addColumn<QByteArray>("content"); // null: no file
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("messageStart");
        const QByteArray valid(TestTemplate);

        QTest::newRow("missing file") << QByteArray() << LedgerSelection << ReportTexts::TemplateFileMissing("");
        QTest::newRow("empty file") << QByteArray("  \n") << LedgerSelection << ReportTexts::TemplateFileEmpty("");
        QTest::newRow("malformed JSON") << QByteArray("{\n\"detail\": {\"height\": 5,}\n}") << LedgerSelection
                                        << ReportTexts::TemplateMalformed("", "", 2).section(u':', 0, 0);
        QTest::newRow("misspelt key") << QByteArray(valid).replace("\"detail\": {\"height\"", "\"detail\": {\"heigth\"")
                                      << LedgerSelection << ReportTexts::UnknownKey("heigth", "detail");
        QTest::newRow("column that is no staging column")
            << QByteArray(valid).replace("StringCol2", "StringCol25") << LedgerSelection
            << ReportTexts::UnknownTemplateColumn("StringCol25", "detail.items[1]");
        QTest::newRow("columns wider than the page") << QByteArray(valid).replace("\"width\": 90", "\"width\": 150")
                                                     << LedgerSelection
                                                     << ReportTexts::ItemTooWide("columnHeader.items[2]", 220, 190);
        QTest::newRow("bands higher than the page") << QByteArray(valid).replace("\"height\": 20", "\"height\": 260")
                                                    << LedgerSelection << ReportTexts::BandsTooHigh(295, 277);
        QTest::newRow("a column the caller's SELECT does not read")
            << valid << "SELECT ID, StringCol2, StringCol3, StringCol4, StringCol9 FROM vwAccountTempInfo"
            << ReportTexts::ColumnNotInRows("CurrencyCol0");
        QTest::newRow("a SELECT the database refuses") << valid << "SELECT * FROM vwNoSuchView"
                                                        << ReportTexts::ReadFailed("");
    }

    void templateRefused()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, selection);
        QFETCH(QString, messageStart);
        const QString name = QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'_');
        const QString path = content.isNull() ? m_dir.filePath(name + ".json") : writeFile(name + ".json", content);
        const QString output = m_dir.filePath(name + ".pdf");
        const std::unique_ptr<QObject> report = component(path, output, selection);
        QVERIFY(report);
        QVERIFY(QMetaObject::invokeMethod(report.get(), "RunReport"));
        // Messages about the file name it; the part before the file name is compared.
        QVERIFY2(lastError(*report).startsWith(messageStart), qPrintable(lastError(*report)));
        QCOMPARE(report->property("PageCount").toInt(), 0);
        QVERIFY(!QFile::exists(output));
        QVERIFY(!reportConnectionsLeft());
    }

    void connectionRefusedByRun_data()
    {
        QTest::addColumn<QString>("connection");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown provider") << "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=x.mdb"
                                          << DatabaseTexts::UnknownProvider("Microsoft.Jet.OLEDB.4.0");
        QTest::newRow("database file that is not there")
            << "DSN= /nonexistent/demo.db ;UID= ; UserPassword=;DSQ="
            << ReportTexts::ReadFailed(DatabaseTexts::MissingDatabaseFile("/nonexistent/demo.db"));
    }

    void connectionRefusedByRun()
    {
        QFETCH(QString, connection);
        QFETCH(QString, message);
        const QString output = m_dir.filePath("refused.pdf");
        const std::unique_ptr<QObject> report =
            component(writeFile("valid.json", TestTemplate), output, LedgerSelection, connection);
        QVERIFY(QMetaObject::invokeMethod(report.get(), "RunReport"));
        QCOMPARE(lastError(*report), message);
        QVERIFY(!QFile::exists(output));
        QVERIFY(!reportConnectionsLeft());
    }

    // 120 rows over three pages, run as the ledger printout runs it (Action 1).
    void rendersPagesHeadersAndTotals()
    {
        const QString output = m_dir.filePath("ledger.pdf");
        const std::unique_ptr<QObject> report = component(writeFile("ledger.json", TestTemplate), output);
        report->setProperty("Action", 1);
        QCOMPARE(lastError(*report), QString());
        QCOMPARE(report->property("Action").toInt(), 1);
        QCOMPARE(report->property("PageCount").toInt(), 3);
        QVERIFY(!reportConnectionsLeft());

        const QString all = pdfText(output);
        QVERIFY2(!all.isEmpty(), "pdftotext read nothing");
        QVERIFY(!all.contains(QLatin1String("FOREIGN-MARK")));
        const int firstOnPage[] = {1, 46, 95};
        const int lastOnPage[] = {45, 94, 120};
        for (int page = 1; page <= 3; ++page) {
            const QString text = pdfText(output, page);
            QVERIFY2(text.contains(QLatin1String("HEADER-MARK")), qPrintable(QString::number(page)));
            QVERIFY(text.contains(QLatin1String("COL-MARK")));
            QCOMPARE(bottomLine(output, page), QStringLiteral("صفحه%1از3").arg(page));
            // The rows in the order they were staged, each on its planned page.
            QVERIFY(text.contains(rowMark(firstOnPage[page - 1])));
            QVERIFY(text.contains(rowMark(lastOnPage[page - 1])));
            QVERIFY(!text.contains(rowMark(lastOnPage[page - 1] + 1)));
            if (page > 1)
                QVERIFY(!text.contains(rowMark(firstOnPage[page - 1] - 1)));
            QCOMPARE(text.contains(QStringLiteral("گردش حساب صندوق")), page == 1); // report header
            QCOMPARE(text.contains(QLatin1String("TOTAL-MARK")), page == 3);       // report footer
        }
        // The sum of all 120 rows (1000.1 + 2000.2 + ... + 120012), not of a page.
        const QString last = pdfText(output, 3);
        QVERIFY2(last.contains(QLatin1String("7,260,726")), qPrintable(last));
        QVERIFY(last.contains(QLatin1String("120,012")));
        QVERIFY(all.contains(QStringLiteral("خريد كالا از فروشگاه 7")));
    }

    void emptySelectionGivesOnePageWithHeaders()
    {
        const QString output = m_dir.filePath("empty.pdf");
        const std::unique_ptr<QObject> report =
            component(writeFile("empty.json", TestTemplate), output,
                      QStringLiteral("{vwAccountTempInfo.FormTypeID} = 999 And {vwAccountTempInfo.PrintFormatID} = 31501"));
        QVERIFY(QMetaObject::invokeMethod(report.get(), "RunReport"));
        QCOMPARE(lastError(*report), QString());
        QCOMPARE(report->property("PageCount").toInt(), 1);
        const QString text = pdfText(output);
        QVERIFY(text.contains(QLatin1String("HEADER-MARK")));
        QVERIFY(text.contains(QLatin1String("COL-MARK")));
        QVERIFY(text.contains(QLatin1String("TOTAL-MARK")));
        QCOMPARE(bottomLine(output, 1), QStringLiteral("صفحه1از1"));
        QVERIFY(!text.contains(QLatin1String("row-")));
    }

    // The shipped templates load, name only staged columns and print the
    // staged rows through both forms of connection the window hands over.
    void shippedTemplates_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("selection");
        QTest::addColumn<bool>("reportConnect");
        QTest::addColumn<QString>("caption");
        QTest::newRow("ledger printout") << "AccountDetail.json" << LedgerSelection << false << QStringLiteral("کد حساب");
        QTest::newRow("ledger printout with invoice items") << "AccountDetailGoods.json" << LedgerSelection << false
                                                            << QStringLiteral("مانده بستانکار");
        QTest::newRow("conflict report") << "AccountConflict.json" << ConflictSelection << true
                                         << QStringLiteral("مانده بدهکار");
    }

    void shippedTemplates()
    {
        QFETCH(QString, file);
        QFETCH(QString, selection);
        QFETCH(bool, reportConnect);
        QFETCH(QString, caption);
        const QString path = QFINDTESTDATA("../../reports/" + file);
        QVERIFY2(!path.isEmpty(), qPrintable(file));
        // The report-connect form of the embedded database: no user, no catalog.
        const QString connection = reportConnect ? "DSN= " + m_db.path() + " ;UID= ; UserPassword=;DSQ="
                                                 : m_db.connectionString();
        const QString output = m_dir.filePath(file + ".pdf");
        const std::unique_ptr<QObject> report = component(path, output, selection, connection);
        QVERIFY(QMetaObject::invokeMethod(report.get(), "RunReport"));
        QCOMPARE(lastError(*report), QString());
        QVERIFY(report->property("PageCount").toInt() >= 3);
        const QString text = pdfText(output);
        QVERIFY(text.contains(caption));
        QVERIFY(text.contains(QLatin1String("-2,500"))); // the balance brought forward, sign in front
    }
};

int RunReportEngineTests(int argc, char **argv)
{
    ReportEngineTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_report_engine.moc"
