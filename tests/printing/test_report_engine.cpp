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
QStringList stagedRows(int count)
{
    QStringList statements;
    for (int i = count; i >= 1; --i)
        statements << QStringLiteral(
                          "INSERT INTO tblAccountTempInfo (FormTypeID, PrintFormatID, NaturalCol0, NaturalCol1, "
                          "NaturalCol9, StringCol0, StringCol1, StringCol2, StringCol3, StringCol4, StringCol5, "
                          "StringCol6, StringCol9, CurrencyCol0, CurrencyCol1, CurrencyCol2, CurrencyCol3, "
                          "CurrencyCol4, CurrencyCol5, CurrencyCol6, CurrencyCol7, CurrencyCol8) VALUES "
                          "(315, 31501, %1, %2, %1, '1402/01/05', '1402/02/05', 'خريد كالا از فروشگاه %1', '%3', "
                          "'1402/01/01', '1402/12/29', '1402/06/01', 'گردش حساب صندوق', %4, 0, %4, 0, 1, 2, 3, 4, -2500)")
                          .arg(QString::number(i), QString::number(5000 + i), rowMark(i), QString::number(i * 1000.1, 'f', 1));
    return statements;
}

// What pdftotext prints for the PDF with the given options; "" when it fails.
QString pdftotext(QStringList arguments, const QString &pdf, int page)
{
    if (page > 0)
        arguments << "-f" << QString::number(page) << "-l" << QString::number(page);
    QProcess process;
    process.start(QStringLiteral("pdftotext"), arguments << pdf << "-");
    return process.waitForFinished(60000) && process.exitCode() == 0 ? QString::fromUtf8(process.readAllStandardOutput())
                                                                     : QString();
}

QString pdfText(const QString &pdf, int page = 0)
{
    // pdftotext gives Persian letters in their contextual (presentation)
    // forms wrapped in direction marks; compatibility normalisation and
    // dropping the marks gives the logical text back.
    QString text = pdftotext({"-layout"}, pdf, page).normalized(QString::NormalizationForm_KC);
    text.removeIf([](QChar c) { return (c >= u'\u202A' && c <= u'\u202E') || c == u'\u200E' || c == u'\u200F'; });
    return text;
}

// The lowest line of a page as a reader sees it, read right to left: the
// words pdftotext places there (Persian letters one by one, numbers whole),
// ordered by their position on the page. Its own text order for mixed
// right-to-left lines moves the numbers about; their places on paper do not.
QString bottomLine(const QString &pdf, int page)
{
    static const QRegularExpression word(QStringLiteral(R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)"[^>]*>([^<]*)</word>)re"));
    QList<std::tuple<double, double, QString>> words; // yMin, xMin, text
    for (auto it = word.globalMatch(pdftotext({"-bbox"}, pdf, page)); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        words.append({m.captured(2).toDouble(), m.captured(1).toDouble(), m.captured(3)});
    }
    const double lowest = words.isEmpty() ? 0 : std::get<0>(*std::max_element(words.begin(), words.end()));
    words.removeIf([lowest](const auto &w) { return lowest - std::get<0>(w) >= 1; });
    std::sort(words.begin(), words.end(), [](const auto &a, const auto &b) { return std::get<1>(a) > std::get<1>(b); });
    QString text;
    for (const auto &[y, x, part] : words)
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
        if (connection.isEmpty())
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
        QTest::addColumn<QString>("message"); // empty: the selection cannot be translated
        QTest::newRow("empty") << "  " << ReportTexts::SelectionEmpty();
        QTest::newRow("Or") << "{vwAccountTempInfo.ID} = 1 Or {vwAccountTempInfo.ID} = 2" << "";
        QTest::newRow("a column the view does not have")
            << "{vwAccountTempInfo.Password} = 'x'" << ReportTexts::SelectionUnknownColumn("vwAccountTempInfo", "Password");
        QTest::newRow("another view") << "{tblUser.ID} = 1" << ReportTexts::SelectionUnknownView("tblUser");
        QTest::newRow("a second statement after the value") << "{vwAccountTempInfo.ID} = 1; delete from tblUser" << "";
        QTest::newRow("a condition pasted in place of a value") << "{vwAccountTempInfo.ID} = 1 or 1=1" << "";
        QTest::newRow("a function") << "{vwAccountTempInfo.ID} = abs(1)" << "";
        QTest::newRow("brace left open") << "{vwAccountTempInfo.ID = 1" << "";
        QTest::newRow("quote left open") << "{vwAccountTempInfo.StringCol2} = 'abc" << "";
        QTest::newRow("letters glued to a number") << "{vwAccountTempInfo.ID} = 315abc" << "";
        QTest::newRow("a number no 64-bit integer holds")
            << "{vwAccountTempInfo.ID} = 99999999999999999999" << ReportTexts::SelectionNumberTooLarge("99999999999999999999");
        QTest::newRow("a SELECT followed by a DELETE")
            << "SELECT * FROM vwAccountTempInfo; DELETE FROM tblAccountTempInfo" << ReportTexts::SelectionNotSingleSelect();
        QTest::newRow("SELECT INTO, which creates a table")
            << "SELECT * INTO tblCopy FROM vwAccountTempInfo" << ReportTexts::SelectionNotSingleSelect();
        QTest::newRow("not a SELECT") << "DELETE FROM tblAccountTempInfo" << "";
    }

    void translateRefused()
    {
        QFETCH(QString, selection);
        QFETCH(QString, message);
        try {
            const ReportQuery query = TranslateSelection(selection);
            QFAIL(qPrintable("translated into " + query.sql));
        } catch (const ReportError &error) {
            QCOMPARE(error.message(), message.isEmpty() ? ReportTexts::SelectionUntranslatable(selection) : message);
        }
    }

    void connectionForms_data()
    {
        QTest::addColumn<QString>("connection");
        QTest::addColumn<QStringList>("values"); // Data Source, Initial Catalog, User ID, Password; empty: refused
        QTest::addColumn<QString>("outcome");    // the provider, or the message of the refusal
        const QStringList file {"/data/demo.db", "", "", ""}, server {"srv", "acc", "u", "p"};
        QTest::newRow("OLE DB, embedded database") << "Provider=SQLite;Data Source=/data/demo.db" << file << "SQLite";
        QTest::newRow("OLE DB, SQL Server") << "Provider=SQLOLEDB.1;Data Source=srv;Initial Catalog=acc;User ID=u;Password=p"
                                            << server << "SQLOLEDB.1";
        QTest::newRow("report-connect form, blanks trimmed") << "DSN= srv ;UID=u ; UserPassword=p;DSQ=acc" << server
                                                             << "SQLOLEDB.1";
        QTest::newRow("report-connect form without user and catalog: the file")
            << "DSN= /data/demo.db ;UID= ; UserPassword=;DSQ=" << file << "SQLite";
        QTest::newRow("report-connect form with a user but no catalog: still the server")
            << "DSN= srv ;UID=sa ; UserPassword=p;DSQ=" << QStringList {"srv", "", "sa", "p"} << "SQLOLEDB.1";
        // A quote in the password must not end the value it is carried in.
        QTest::newRow("password holding a quote") << "DSN= srv ;UID=u ; UserPassword=a\"b;DSQ=acc"
                                                  << QStringList {"srv", "acc", "u", "a\"b"} << "SQLOLEDB.1";
        QTest::newRow("empty") << "" << QStringList() << ReportTexts::ConnectionEmpty();
        QTest::newRow("neither provider nor DSN") << "Data Source=/data/demo.db" << QStringList()
                                                  << ReportTexts::ConnectionUnrecognised();
        QTest::newRow("provider without data source") << "Provider=SQLite;" << QStringList()
                                                      << ReportTexts::ConnectionNoDataSource();
        QTest::newRow("DSN left empty") << "DSN= ;UID=u ; UserPassword=p;DSQ=acc" << QStringList()
                                        << ReportTexts::ConnectionNoDataSource();
    }

    void connectionForms()
    {
        QFETCH(QString, connection);
        QFETCH(QStringList, values);
        QFETCH(QString, outcome);
        try {
            const ReportConnection parsed = ParseReportConnection(connection);
            QCOMPARE(parsed.provider, outcome);
            QStringList read;
            for (const char *key : {"Data Source", "Initial Catalog", "User ID", "Password"})
                read << ConnectionStringValue(parsed.connectionString, key);
            QCOMPARE(read, values);
        } catch (const ReportError &error) {
            QVERIFY2(values.isEmpty(), qPrintable(error.message()));
            QCOMPARE(error.message(), outcome);
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

    // Each broken template, refused selection or connection gives its own
    // message, writes nothing and leaves no connection open.
    void runRefused_data()
    {
        QTest::addColumn<QByteArray>("content"); // null: no file
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("connection"); // null: the test database
        QTest::addColumn<QString>("messageStart");
        const QByteArray valid(TestTemplate);
        const auto row = [](const char *name, const QByteArray &content, const QString &message,
                            const QString &selection = LedgerSelection, const QString &connection = QString()) {
            QTest::newRow(name) << content << selection << connection << message;
        };
        row("missing file", QByteArray(), ReportTexts::TemplateFileMissing(""));
        row("empty file", "  \n", ReportTexts::TemplateFileEmpty(""));
        row("malformed JSON", "{\n\"detail\": {\"height\": 5,}\n}",
            ReportTexts::TemplateMalformed("", "", 2).section(u':', 0, 0));
        row("misspelt key", QByteArray(valid).replace("\"detail\": {\"height\"", "\"detail\": {\"heigth\""),
            ReportTexts::UnknownKey("heigth", "detail"));
        row("column that is no staging column", QByteArray(valid).replace("StringCol2", "StringCol25"),
            ReportTexts::UnknownTemplateColumn("StringCol25", "detail.items[1]"));
        row("columns wider than the page", QByteArray(valid).replace("\"width\": 90", "\"width\": 150"),
            ReportTexts::ItemTooWide("columnHeader.items[2]", 220, 190));
        row("bands higher than the page", QByteArray(valid).replace("\"height\": 20", "\"height\": 260"),
            ReportTexts::BandsTooHigh(295, 277));
        row("a column the caller's SELECT does not read", valid, ReportTexts::ColumnNotInRows("CurrencyCol0"),
            "SELECT ID, StringCol2, StringCol3, StringCol4, StringCol9 FROM vwAccountTempInfo");
        row("a SELECT the database refuses", valid, ReportTexts::ReadFailed(""), "SELECT * FROM vwNoSuchView");
        row("unknown provider", valid, DatabaseTexts::UnknownProvider("Microsoft.Jet.OLEDB.4.0"), LedgerSelection,
            "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=x.mdb");
        row("database file that is not there", valid,
            ReportTexts::ReadFailed(DatabaseTexts::MissingDatabaseFile("/nonexistent/demo.db")), LedgerSelection,
            "DSN= /nonexistent/demo.db ;UID= ; UserPassword=;DSQ=");
    }

    void runRefused()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, selection);
        QFETCH(QString, connection);
        QFETCH(QString, messageStart);
        const QString name = QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'_');
        const QString path = content.isNull() ? m_dir.filePath(name + ".json") : writeFile(name + ".json", content);
        const QString output = m_dir.filePath(name + ".pdf");
        const std::unique_ptr<QObject> report = component(path, output, selection, connection);
        QVERIFY(report);
        QVERIFY(QMetaObject::invokeMethod(report.get(), "RunReport"));
        // Messages about the file name it; the part before the file name is compared.
        QVERIFY2(lastError(*report).startsWith(messageStart), qPrintable(lastError(*report)));
        if (!connection.isEmpty())
            QCOMPARE(lastError(*report), messageStart);
        QCOMPARE(report->property("PageCount").toInt(), 0);
        QVERIFY(!QFile::exists(output));
        QVERIFY(!reportConnectionsLeft());
    }

    // Staged rows run as the ledger printout runs them (Action 1) or by
    // RunReport: headers and page numbers on every page, each row on its
    // planned page in the order staged, the report header first and the
    // report footer last.
    void rendersPagesHeadersAndTotals_data()
    {
        QTest::addColumn<QString>("selection");
        QTest::addColumn<bool>("byAction");
        QTest::addColumn<QList<int>>("lastOnPage"); // the last row of each page
        QTest::addColumn<QStringList>("lastPageHolds");
        // The sum of all 120 rows (1000.1 + 2000.2 + ... + 120012), not of a page.
        QTest::newRow("120 rows over three pages") << LedgerSelection << true << QList<int> {45, 94, 120}
                                                   << QStringList {"7,260,726", "120,012", "خريد كالا از فروشگاه 120"};
        QTest::newRow("no rows: one page with headers and footers")
            << "{vwAccountTempInfo.FormTypeID} = 999 And {vwAccountTempInfo.PrintFormatID} = 31501" << false
            << QList<int> {0} << QStringList();
    }
    void rendersPagesHeadersAndTotals()
    {
        QFETCH(QString, selection);
        QFETCH(bool, byAction);
        QFETCH(QList<int>, lastOnPage);
        QFETCH(QStringList, lastPageHolds);
        const int pages = lastOnPage.size();
        const QString output = m_dir.filePath(QStringLiteral("ledger-%1.pdf").arg(pages));
        const std::unique_ptr<QObject> report = component(writeFile("ledger.json", TestTemplate), output, selection);
        if (byAction)
            report->setProperty("Action", 1);
        else
            QVERIFY(QMetaObject::invokeMethod(report.get(), "RunReport"));
        QCOMPARE(lastError(*report), QString());
        QCOMPARE(report->property("Action").toInt(), byAction ? 1 : 0);
        QCOMPARE(report->property("PageCount").toInt(), pages);
        QVERIFY(!reportConnectionsLeft());

        QVERIFY(!pdfText(output).contains("FOREIGN-MARK"));
        for (int page = 1, first = 1; page <= pages; first = lastOnPage[page - 1] + 1, ++page) {
            const QString text = pdfText(output, page);
            const int last = lastOnPage[page - 1];
            QVERIFY2(text.contains("HEADER-MARK") && text.contains("COL-MARK"), qPrintable(text));
            QCOMPARE(bottomLine(output, page), QStringLiteral("صفحه%1از%2").arg(page).arg(pages));
            QCOMPARE(text.contains(rowMark(first)), first <= last);
            QCOMPARE(text.contains(rowMark(last)), last > 0);
            QVERIFY(!text.contains(rowMark(first - 1)) && !text.contains(rowMark(last + 1)));
            QCOMPARE(text.contains("گردش حساب صندوق"), page == 1 && last > 0); // report header
            QCOMPARE(text.contains("TOTAL-MARK"), page == pages);               // report footer
        }
        for (const QString &part : lastPageHolds)
            QVERIFY2(pdfText(output, pages).contains(part), qPrintable(part));
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
