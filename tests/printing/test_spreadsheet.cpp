// The grid's export to an .xlsx workbook, read back from the file: where each
// cell lands, which amount texts become numbers and which stay text, the
// sheet's direction and frozen header, failures, and fresh file names.

#include "ledger_window/ledger/LedgerColumns.h"
#include "outside/controls/FlexGrid.h"
#include "printing/SpreadsheetExport.h"
#include "session/Clock.h"

#include <QtGui/private/qzipreader_p.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <xlsxwriter.h>

#include <functional>
#include <tuple>

namespace {

// One cell of the sheet as the file holds it.
struct SheetCell
{
    QString type;  // "inlineStr" for a text, "" for a number
    QString text;  // the inline text with its "_xHHHH_" escapes resolved
    QString value; // the <v> of a number
    QString numberFormat;
    bool bold = false;
};

// The first sheet of a workbook with what the tests look at.
struct Sheet
{
    QString error;
    QMap<QString, SheetCell> cells; // by reference, "AF12"
    bool rightToLeft = false;
    QXmlStreamAttributes pane;

    // The sheet cell of a grid cell: one row down and one column right, as
    // the grid counts from 0 and the sheet from 1.
    const SheetCell *at(int row, int col) const
    {
        char name[LXW_MAX_CELL_NAME_LENGTH];
        lxw_rowcol_to_cell(name, row, col);
        const auto found = cells.find(QString::fromLatin1(name));
        return found == cells.end() ? nullptr : &*found;
    }
};

// A sheet text's "_xHHHH_" stands for the character HHHH.
QString resolveEscapes(QString text)
{
    static const QRegularExpression escape(QStringLiteral("_x([0-9A-Fa-f]{4})_"));
    qsizetype from = 0;
    for (QRegularExpressionMatch m; (m = escape.match(text, from)).hasMatch(); from = m.capturedStart() + 1)
        text.replace(m.capturedStart(), m.capturedLength(), QChar(m.captured(1).toUShort(nullptr, 16)));
    return text;
}

// Calls the function on every start element of an XML part; the reader's error, if any.
QString eachElement(const QByteArray &data, const std::function<void(QXmlStreamReader &)> &onStart)
{
    QXmlStreamReader xml(data);
    while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd())
        if (xml.isStartElement())
            onStart(xml);
    return xml.errorString();
}

Sheet readSheet(const QString &path)
{
    QZipReader zip(path);
    // Number format and boldness of each cell style. Built-in formats are
    // referred to by number, not written out.
    QMap<int, QString> formats {{1, QStringLiteral("0")}, {3, QStringLiteral("#,##0")}};
    QList<bool> boldFonts;
    QList<QPair<QString, bool>> styles;
    eachElement(zip.fileData(QStringLiteral("xl/styles.xml")), [&](QXmlStreamReader &xml) {
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == u"numFmt")
            formats[a.value("numFmtId").toInt()] = a.value("formatCode").toString();
        else if (xml.name() == u"font")
            boldFonts << false;
        else if (xml.name() == u"b" && !boldFonts.isEmpty())
            boldFonts.last() = true;
        else if (xml.name() == u"cellXfs")
            styles.clear(); // the cell styles come after the cellStyleXfs
        else if (xml.name() == u"xf")
            styles.append({formats.value(a.value("numFmtId").toInt()), boldFonts.value(a.value("fontId").toInt())});
    });
    Sheet sheet;
    SheetCell *cell = nullptr;
    QString twice;
    const QString error = eachElement(zip.fileData(QStringLiteral("xl/worksheets/sheet1.xml")), [&](QXmlStreamReader &xml) {
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == u"sheetView") {
            sheet.rightToLeft = a.value("rightToLeft") == u"1";
        } else if (xml.name() == u"pane") {
            sheet.pane = a;
        } else if (xml.name() == u"c") {
            const QString reference = a.value("r").toString();
            if (sheet.cells.contains(reference))
                twice = QStringLiteral("cell written twice: ") + reference;
            cell = &sheet.cells[reference];
            cell->type = a.value("t").toString();
            std::tie(cell->numberFormat, cell->bold) = styles.value(a.value("s").toInt());
        } else if (xml.name() == u"t" && cell) {
            cell->text = resolveEscapes(xml.readElementText());
        } else if (xml.name() == u"v" && cell) {
            cell->value = xml.readElementText();
        }
    });
    sheet.error = !error.isEmpty() ? error
                  : !twice.isEmpty() ? twice
                  : sheet.cells.isEmpty() ? QStringLiteral("no cells in xl/worksheets/sheet1.xml") : QString();
    return sheet;
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

} // namespace

class SpreadsheetExportTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_folder;
    QByteArray m_savedTmpDir;

    // The ledger grid as the window sets it up (32 columns, their headers,
    // the hidden ones at width 0) with the given number of data rows.
    static void setUpGrid(FlexGrid &grid, int dataRows)
    {
        SetupLedgerGridAtStartup(grid, 1);
        grid.setRows(dataRows + 1);
    }
    // Exports the grid and reads the workbook back; the export's or the reading's error.
    QString exportAndRead(const FlexGrid &grid, Sheet &sheet)
    {
        const QString path = m_folder->filePath(QStringLiteral("export.xlsx"));
        const QString message = WriteGridWorkbook(grid, path);
        if (!message.isEmpty())
            return message;
        sheet = readSheet(path);
        return sheet.error;
    }

private slots:
    void init()
    {
        m_folder = std::make_unique<QTemporaryDir>();
        QVERIFY(m_folder->isValid());
        // The user's temporary folder is this test's own, so new workbooks land
        // where the test can see every file.
        m_savedTmpDir = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(m_folder->path()));
        SetTodayForTesting(QDate(2024, 7, 22)); // 1403/05/01
    }
    void cleanup()
    {
        SetTodayForTesting(QDate());
        if (m_savedTmpDir.isEmpty())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", m_savedTmpDir);
        m_folder.reset();
    }

    void everyCellLandsOneDownAndOneRight_data()
    {
        QTest::addColumn<int>("dataRows");
        QTest::newRow("three rows") << 3;
        QTest::newRow("header row only") << 0;
    }
    void everyCellLandsOneDownAndOneRight()
    {
        QFETCH(int, dataRows);
        FlexGrid grid;
        setUpGrid(grid, dataRows);
        for (int r = 1; r < grid.Rows(); ++r)
            for (int c = 0; c < ColumnCount; ++c)
                grid.setTextMatrix(r, c, QStringLiteral("r%1c%2").arg(r).arg(c));

        Sheet sheet;
        QCOMPARE(exportAndRead(grid, sheet), QString());
        QCOMPARE(sheet.cells.size(), (dataRows + 1) * ColumnCount);
        for (int r = 0; r < grid.Rows(); ++r) {
            for (int c = 0; c < ColumnCount; ++c) {
                const SheetCell *cell = sheet.at(r, c);
                QVERIFY2(cell, qPrintable(QStringLiteral("no sheet cell for grid cell %1,%2").arg(r).arg(c)));
                QCOMPARE(cell->text, grid.TextMatrix(r, c));
                QCOMPARE(cell->type, QStringLiteral("inlineStr"));
                QCOMPARE(cell->bold, r == 0); // only the header row
            }
        }
        // Hidden columns go out with their internal header names.
        QCOMPARE(grid.ColWidth(AccContract), 0);
        QCOMPARE(sheet.at(0, AccContract)->text, QStringLiteral("AccContractDescription"));
        QCOMPARE(sheet.at(0, Debit)->text, QStringLiteral("بدهكار"));
        // Right to left, and the header row stays in sight while the rows scroll.
        QVERIFY(sheet.rightToLeft);
        QCOMPARE(sheet.pane.value("state"), QStringLiteral("frozen"));
        QCOMPARE(sheet.pane.value("ySplit"), QStringLiteral("1"));
        QVERIFY(!sheet.pane.hasAttribute("xSplit"));
    }

    void cellsKeepTheirLook_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("number"); // "value format"; empty: the cell stays text

        QTest::newRow("blanks at both ends") << 1 << int(AccTransDescription) << "  two blanks  " << "";
        // A sheet reads "_x0041_" as "A" unless the writer escapes its "_".
        QTest::newRow("escape look-alike") << 1 << int(Description) << "code _x0041_ and _x00e9_" << "";
        QTest::newRow("control character") << 1 << int(Description) << "a\x01" "b" << "";
        QTest::newRow("formula-looking text") << 1 << int(Description) << "=SUM(A1:A9)" << "";
        QTest::newRow("long text in a hidden column") << 1 << int(FileName) << QString(5000, QChar(0x0633)) << "";
        QTest::newRow("grouped whole amount") << 1 << int(Debit) << "1,234,567" << "1234567 #,##0";
        QTest::newRow("negative balance") << 1 << int(CreditBalance) << "-2,500" << "-2500 #,##0";
        QTest::newRow("one decimal") << 1 << int(Credit) << "1,234.5" << "1234.5 #,##0.0";
        QTest::newRow("trailing zero of the text kept") << 1 << int(DebitBalance) << "12.50" << "12.5 #,##0.00";
        QTest::newRow("smallest fraction") << 1 << int(Debit) << "0.0001" << "0.0001 #,##0.0000";
        QTest::newRow("negative remainder with fraction") << 1 << int(RemNotAssignedCredit) << "-1,000.25"
                                                          << "-1000.25 #,##0.00";
        // Shown without separators in the grid, so without them in the sheet too.
        QTest::newRow("ungrouped whole amount") << 1 << int(AssignedCredit) << "1234567" << "1234567 0";
        QTest::newRow("fifteen digits") << 1 << int(Debit) << "999,999,999,999,999" << "999999999999999 #,##0";
        QTest::newRow("sixteen digits stay text: the sheet would show other digits")
            << 1 << int(Debit) << "9,999,999,999,999,999" << "";
        QTest::newRow("word in an amount column") << 1 << int(RemNotAssignedDebit) << QStringLiteral("نامعلوم") << "";
        // Read as 12 by the host's Val, but not an amount the grid shows.
        QTest::newRow("number followed by letters") << 1 << int(Debit) << "12ab" << "";
        QTest::newRow("short last group") << 1 << int(Debit) << "1,23" << "";
        QTest::newRow("four-digit first group") << 1 << int(Credit) << "1234,567" << "";
        QTest::newRow("leading zeros") << 1 << int(Credit) << "007" << "";
        QTest::newRow("leading blank") << 1 << int(AssignedDebit) << " 12" << "";
        QTest::newRow("five decimals") << 1 << int(Debit) << "1.23456" << "";
        QTest::newRow("negative zero") << 1 << int(Debit) << "-0" << "";
        QTest::newRow("amount outside the amount columns") << 1 << int(Description) << "1,234" << "";
        QTest::newRow("amount in the header row") << 0 << int(Debit) << "1,000" << "";
    }
    void cellsKeepTheirLook()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, number);
        FlexGrid grid;
        setUpGrid(grid, 1);
        grid.setTextMatrix(row, column, text);

        Sheet sheet;
        QCOMPARE(exportAndRead(grid, sheet), QString());
        const SheetCell *cell = sheet.at(row, column);
        QVERIFY(cell);
        if (number.isEmpty()) {
            QCOMPARE(cell->type, QStringLiteral("inlineStr"));
            QCOMPARE(cell->text, text);
        } else {
            QVERIFY2(cell->type.isEmpty() || cell->type == u"n", qPrintable(cell->type));
            bool ok = false;
            QCOMPARE(cell->value.toDouble(&ok), number.section(u' ', 0, 0).toDouble());
            QVERIFY(ok);
            QCOMPARE(cell->numberFormat, number.section(u' ', 1));
        }
        // The headers and this cell; the row's empty cells are left out.
        QCOMPARE(sheet.cells.size(), ColumnCount + (row == 1 ? 1 : 0));
    }

    void failureGivesMessageAndLeavesNoFile_data()
    {
        QTest::addColumn<QString>("relativePath");
        QTest::addColumn<int>("cols");
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("longCell");
        QTest::addColumn<QString>("reason");
        QTest::newRow("folder missing") << "missing/export.xlsx" << int(ColumnCount) << 2 << false
                                        << QString::fromUtf8(lxw_strerror(LXW_ERROR_CREATING_XLSX_FILE));
        QTest::newRow("text longer than a sheet cell holds") << "export.xlsx" << int(ColumnCount) << 2 << true
            << QStringLiteral("خانه سطر 2 ستون 5 نوشته نشد: ") + QString::fromUtf8(lxw_strerror(LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED));
        // One column keeps the grid small; the row count alone is refused.
        QTest::newRow("more rows than a sheet holds")
            << "export.xlsx" << 1 << int(LXW_ROW_MAX) + 1 << false << QStringLiteral("جدول 1048577 سطر دارد");
    }
    void failureGivesMessageAndLeavesNoFile()
    {
        QFETCH(QString, relativePath);
        QFETCH(int, cols);
        QFETCH(int, rows);
        QFETCH(bool, longCell);
        QFETCH(QString, reason);
        const QDir folder(m_folder->path());
        // An earlier file at the target stays as it was when the export fails.
        const QString path = folder.filePath(relativePath);
        const bool earlier = QFileInfo(path).dir().exists();
        if (earlier) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("earlier");
        }
        const QStringList before = folder.entryList(QDir::Files);

        FlexGrid grid;
        grid.setCols(cols);
        grid.setRows(rows);
        grid.setTextMatrix(0, 0, QStringLiteral("header"));
        if (longCell) // a sheet cell holds at most 32,767 characters
            grid.setTextMatrix(1, Description, QString(32768, QLatin1Char('x')));

        const QString message = WriteGridWorkbook(grid, path);
        QVERIFY2(message.startsWith(QStringLiteral("فايل Excel ساخته نشد: ")), qPrintable(message));
        QVERIFY2(message.contains(reason), qPrintable(message));
        QCOMPARE(folder.entryList(QDir::Files), before);
        if (earlier)
            QCOMPARE(contentsOf(path), QByteArray("earlier"));
    }

    void newWorkbookPathsAreFreshFiles()
    {
        const QString first = NewWorkbookPath();
        QCOMPARE(QFileInfo(first).absolutePath(), QDir(m_folder->path()).absolutePath());
        const QString name = QFileInfo(first).fileName();
        QVERIFY2(name.startsWith(QStringLiteral("گردش حساب 1403-05-01 ")), qPrintable(name));
        QVERIFY(name.endsWith(QStringLiteral(".xlsx")));
        QCOMPARE(contentsOf(first), QByteArray()); // there, and empty

        // Fill the first as an earlier export would have.
        FlexGrid grid;
        setUpGrid(grid, 1);
        grid.setTextMatrix(1, Description, QStringLiteral("first"));
        QCOMPARE(WriteGridWorkbook(grid, first), QString());
        const QByteArray firstWorkbook = contentsOf(first);

        const QString second = NewWorkbookPath();
        QVERIFY(!second.isEmpty() && second != first);
        QCOMPARE(contentsOf(second), QByteArray());
        QCOMPARE(contentsOf(first), firstWorkbook);

        grid.setTextMatrix(1, Description, QStringLiteral("second"));
        QCOMPARE(WriteGridWorkbook(grid, second), QString());
        for (const auto &[path, text] : {std::pair {first, "first"}, std::pair {second, "second"}}) {
            const Sheet sheet = readSheet(path);
            const SheetCell *cell = sheet.at(1, Description);
            QVERIFY2(cell, qPrintable(path));
            QCOMPARE(cell->text, QString::fromLatin1(text));
        }
        // Nothing but the two workbooks is left behind.
        QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files).size(), 2);
    }
};

int RunSpreadsheetTests(int argc, char **argv)
{
    SpreadsheetExportTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_spreadsheet.moc"
