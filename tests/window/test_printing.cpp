// Printouts of the small book: the template picker, the staged records of
// the ledger printout and the conflict report, and what the report component
// is handed. A recording component stands in for the report engine and
// counts the staged rows at the moment it runs.
//
// Account 2's ledger, row by row: 1 doc 101 debit 500 -> 500, 2 doc 102
// debit 300 -> 800 (reviewed), 3 doc 103 credit 1000 -> 200 Cr, 4 doc 104
// debit 250 -> 50, 5 doc 106 debit 100 -> 150.

#include "LedgerFixture.h"
#include "ledger_window/ledger/LedgerColumns.h"
#include "printing/ReportStaging.h"
#include "printing/frmReport.h"
#include "outside/controls/VelkoDate.h"
#include "session/modMain.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

using namespace LedgerCol;

namespace {

const QString StagedCount = QStringLiteral("select count(*) from tblAccountTempInfo where FormTypeID = 315");

// Stands in for the report engine: records what it is handed, in order, and
// how many rows are staged when it runs.
class RecordingReport : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString ReportFile MEMBER reportFile)
    Q_PROPERTY(int Destination MEMBER destination)
    Q_PROPERTY(int Action READ action WRITE setAction)
    Q_PROPERTY(QString Connection MEMBER connection)
    Q_PROPERTY(QString Selection MEMBER selection)
    Q_PROPERTY(QString LastError MEMBER lastError)

public:
    static inline const TestDatabase *database = nullptr;
    static inline QList<RecordingReport *> made;
    static inline QString failWith;

    RecordingReport() { made << this; }
    ~RecordingReport() override { made.removeAll(this); }
    int action() const { return 0; }
    void setAction(int value)
    {
        if (value == 1)
            run(QStringLiteral("Action"));
    }
    Q_INVOKABLE void RunReport() { run(QStringLiteral("RunReport")); }

    QString reportFile, connection, selection, lastError;
    int destination = -1;
    QStringList runs; // how each run was started
    int stagedAtRun = -1;

private:
    void run(const QString &how)
    {
        runs << how;
        stagedAtRun = FixtureValue(*database, StagedCount).toInt();
        lastError = failWith;
    }
};

// Takes the desktop's place for file addresses.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QStringList files;
    Q_INVOKABLE void open(const QUrl &url) { files << url.toLocalFile(); }
};

} // namespace

class TestPrinting : public QObject, private LedgerWindowTest
{
    Q_OBJECT

    QTemporaryDir m_reports;

    RecordingReport *report() const { return RecordingReport::made.isEmpty() ? nullptr : RecordingReport::made.last(); }
    int staged() const { return FixtureValue(*db, StagedCount).toInt(); }

    // Answers the picker once it is up: the template of that title and the
    // print button, or the window closed when the title is empty or the
    // print button left it open.
    static void answerPicker(const QString &title, QStringList *listed = nullptr)
    {
        auto *timer = new QTimer;
        timer->setInterval(5);
        QObject::connect(timer, &QTimer::timeout, timer, [timer, title, listed] {
            auto *picker = qobject_cast<frmReport *>(QApplication::activeModalWidget());
            const int waited = timer->property("waited").toInt();
            timer->setProperty("waited", waited + 1);
            if (waited < 100 && (!picker || (!title.isEmpty() && picker->cmbReport->count() == 0)))
                return;
            timer->deleteLater();
            timer->stop();
            if (!picker)
                return;
            if (listed)
                for (int i = 0; i < picker->cmbReport->count(); ++i)
                    *listed << picker->cmbReport->itemText(i);
            if (!title.isEmpty()) {
                picker->cmbReport->setCurrentIndex(picker->cmbReport->findText(title));
                picker->cmdPrint->click();
            }
            if (picker->isVisible())
                picker->reject();
        });
        timer->start();
    }

    // The four total fields and the balance brought forward as staged.
    QString totalsText() const
    {
        QStringList totals;
        for (const char *name : {"txtSumDebit", "txtSumCredit", "txtSumAllDebit", "txtSumAllCredit"})
            totals << ParseAmount(field(name)).toString();
        return totals.join(',') + ',' + Session.BalanceBroughtForward.toString();
    }

    QString basePath() const { return QDir(m_reports.path()).absolutePath() + QLatin1Char('/'); }

private slots:
    void init()
    {
        setUpWindowTest();
        RecordingReport::database = db.get();
        RecordingReport::failWith.clear();
        RegisterComponent(QStringLiteral("comCrystalReport.comCrystalRpt"),
                          [] { return std::unique_ptr<QObject>(new RecordingReport); });
        for (const char *name : {"Ledger.json", "LedgerGoods.json", "Conflict.json"}) {
            QFile file(m_reports.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("{}");
        }
        db->exec({"insert into tblVelkoBasePath(ID, BasePath) values (1, '/nowhere/'), (2, '" + basePath() + "')",
                  "insert into tblVelkoReportTemplate(ID, Title, FormTypeID, ReportFormatID, FilePath, Description) "
                  "values (1, 'گردش', 315, 31501, 'Ledger.json', 'ساده'), "
                  "(2, 'گردش با اقلام', 315, 31501, 'LedgerGoods.json', null), "
                  "(3, 'مغايرت', 315, 31501, 'Conflict.json', null), (4, 'فاكتور', 901, 90101, 'Invoice.json', null)",
                  "insert into tblAccountTempInfo(FormTypeID, PrintFormatID, StringCol0) values (316, 31601, 'ديگري')"});
    }
    void cleanup() { tearDownWindowTest(); }

    // The picker alone: what it lists, where it finds the file, and its three messages.
    void pickerFindsTheFile_data()
    {
        QTest::addColumn<QStringList>("basePaths");
        QTest::addColumn<qint16>("formType");
        QTest::addColumn<QString>("expectedPath");
        QTest::addColumn<QString>("message");
        const QString found = QStringLiteral("FOUND");
        QTest::newRow("second base path holds it") << QStringList {"/nowhere/", "REPORTS/"} << qint16(315) << found << "";
        QTest::newRow("first base path holds it") << QStringList {"REPORTS/", "/nowhere/"} << qint16(315) << found << "";
        QTest::newRow("base path without separator") << QStringList {"REPORTS", "REPORTS/"} << qint16(315) << found << "";
        QTest::newRow("file under no base path") << QStringList {"/nowhere/", "REPORTS"} << qint16(315) << ""
            << "در هيچ يك از مسيرهاي مشخص شده در پايگاه داده فايل الگوي چاپ وجود ندارد.";
        QTest::newRow("no base path") << QStringList {} << qint16(315) << "" << "در پايگاه داده مسير چاپ مشخص نشده است.";
        QTest::newRow("no template of the form type") << QStringList {"REPORTS/"} << qint16(77) << ""
                                                      << "قالب گزارش مشخص نيست.";
    }
    void pickerFindsTheFile()
    {
        QFETCH(QStringList, basePaths);
        QFETCH(qint16, formType);
        QFETCH(QString, expectedPath);
        QFETCH(QString, message);
        QStringList paths;
        int id = 0;
        for (QString path : basePaths) {
            path.replace(QStringLiteral("REPORTS/"), basePath()).replace(QStringLiteral("REPORTS"), m_reports.path());
            paths << QStringLiteral("(%1, '%2')").arg(++id).arg(path);
        }
        db->exec({"delete from tblVelkoBasePath"});
        if (!paths.isEmpty())
            db->exec({"insert into tblVelkoBasePath(ID, BasePath) values " + paths.join(',')});
        db->startSession();

        StatementLog log;
        frmReport picker;
        picker.FormTypeID = formType;
        picker.ReportFormatID = 31501;
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&picker, &activate);
        picker.cmdPrint->click();

        QCOMPARE(Session.PrintFilePath, expectedPath == "FOUND" ? basePath() + "Ledger.json" : QString());
        QCOMPARE(picker.result(), expectedPath.isEmpty() ? 0 : int(QDialog::Accepted));
        QCOMPARE(ScriptedMessages::shown().size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QCOMPARE(ScriptedMessages::shown().first().message, message);
        QCOMPARE(log.texts().first(), QStringLiteral("Select * from tblVelkoReportTemplate where FormTypeID = %1 "
                                                     "And ReportFormatID = 31501").arg(formType));
        if (formType == 315)
            QCOMPARE(log.texts().mid(1, 2), (QStringList {"Select * From tblVelkoReportTemplate Where ID = 1",
                                                          "Select * From vwVelkoBasePath Order By ID "}));
    }

    void pickerListsAgainOnEachActivation()
    {
        db->startSession();
        frmReport picker;
        picker.FormTypeID = 315;
        picker.ReportFormatID = 31501;
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&picker, &activate);
        QApplication::sendEvent(&picker, &activate);
        QCOMPARE(picker.cmbReport->count(), 6);
        QCOMPARE(picker.cmbReport->itemText(3), QStringLiteral("گردش"));
        QCOMPARE(picker.txtDescription->text(), QStringLiteral("ساده"));
        QCOMPARE(picker.windowTitle(), QStringLiteral("گزارش\u200Cگيري "));
    }

    // The ledger printout end to end through the menu items.
    void ledgerPrintout_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("destination");
        QTest::newRow("preview") << "mnuFunc3" << 0;
        QTest::newRow("print") << "mnuFunc5" << 1;
    }
    void ledgerPrintout()
    {
        QFETCH(QString, item);
        QFETCH(int, destination);
        open();
        db->exec({"update tblAccountDocumentDetail set Description = 'O''Neil' where DocumentID = 103"});
        grid()->setTextMatrix(3, Description, QStringLiteral("O'Neil"));
        grid()->setTextMatrix(5, DocumentID, QString()); // a row without a document is left out
        StatementLog log;
        QStringList listed;
        answerPicker(QStringLiteral("گردش"), &listed);
        window()->menuItem(item)->trigger();

        QVERIFY(report());
        QCOMPARE(listed, (QStringList {"گردش", "گردش با اقلام", "مغايرت"}));
        QCOMPARE(report()->runs, QStringList {"Action"});
        QCOMPARE(report()->destination, destination);
        QCOMPARE(report()->reportFile, basePath() + "Ledger.json");
        QCOMPARE(report()->connection, db->connectionString());
        QCOMPARE(report()->selection, LedgerReportSelection);
        QCOMPARE(report()->stagedAtRun, 4);
        QCOMPARE(staged(), 0);
        QCOMPARE(FixtureValue(*db, "select count(*) from tblAccountTempInfo").toInt(), 1); // another form's row stays

        const QStringList written = log.startingWith("Insert into tblAccountTempInfo") + log.startingWith("Delete");
        QCOMPARE(log.startingWith("Delete tblAccountTempInfo").size(), 2);
        QCOMPARE(written.size(), 6);
        const QString dates = "','" + window()->dtpFromDate->JalaliText() + "','" + window()->dtpToDate->JalaliText()
                              + "','" + window()->dtpCreateDate->JalaliText() + "','";
        QCOMPARE(written.at(2),
                 "Insert into tblAccountTempInfo (FormTypeID,PrintFormatID,NaturalCol0,NaturalCol1,NaturalCol9,"
                 "StringCol0,StringCol1,StringCol2,StringCol3,StringCol4,StringCol5,StringCol6,StringCol9,"
                 "CurrencyCol0,CurrencyCol1,CurrencyCol2,CurrencyCol3,CurrencyCol4,CurrencyCol5,CurrencyCol6,"
                 "CurrencyCol7,CurrencyCol8,StringCol11,StringCol12,StringCol13,StringCol14,StringCol15,StringCol16,"
                 "StringCol17,StringCol18) Values (315,31501,3,103,3,'1403/02/16','1403/02/16','O''Neil','"
                 + cell(3, AccountCode) + dates + window()->AccountTitle + "-->1101...صندوق',0,1000,0,200,"
                 + totalsText() + ",'" + QStringList(8, QString()).join("','") + "')");
    }

    void printingMenuCaptions()
    {
        open();
        const QList<QPair<QString, QString>> captions {
            {"mnuFunc3", "مشاهده چاپ"}, {"mnuFunc5", "چاپ "}, {"mnuConfilict", "چاپ مغايرت - بررسي نشده\u200Cها"},
            {"mnuConfilictView", "مشاهده مغايرت"}, {"mnuConfilictPrint", "چاپ مغايرت"}, {"mnuExcel", "انتقال به Excel"}};
        for (const auto &[name, caption] : captions)
            QCOMPARE(window()->menuItem(name)->text(), caption);
        QCOMPARE(window()->menuItem("mnuFunc3")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    }

    void headerOnlyGridStillRuns()
    {
        open();
        grid()->setRows(1);
        answerPicker(QStringLiteral("گردش"));
        window()->menuItem(QStringLiteral("mnuFunc3"))->trigger();
        QCOMPARE(report()->runs, QStringList {"Action"});
        QCOMPARE(report()->stagedAtRun, 0);
        QVERIFY(ScriptedMessages::shown().isEmpty());
    }

    // Invoice rows are printed item by item only with a "good" template.
    void invoiceItemsExpand_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("descriptions");
        QTest::newRow("goods template") << "گردش با اقلام"
                                        << QStringList {"فاكتور شماره رايانه اي: 5000، كالا: قند، تعداد: 2 كيلو، في: 50",
                                                        "فاكتور شماره رايانه اي: 5000، كالا: چاي، تعداد: 1 بسته، في: 100",
                                                        "فروش نقدي"};
        QTest::newRow("plain template") << "گردش" << QStringList {"فروش نقدي"};
    }
    void invoiceItemsExpand()
    {
        QFETCH(QString, title);
        QFETCH(QStringList, descriptions);
        db->exec({"insert into tblGoodUnit(ID, Name) values (1, 'كيلو'), (2, 'بسته')",
                  "insert into tblGood(ID, Name, GoodUnitID, GoodGroupID, RetailPrice) values "
                  "(1, 'قند', 1, 1, 50), (2, 'چاي', 2, 1, 100)",
                  "insert into tblSaleInvoiceItem(InvoiceID, RowNumber, GoodID, Qty, RetailPrice, SaleValue) values "
                  "(5000, 1, 1, 2, 50, 100), (5000, 2, 2, 1, 100, 100)"});
        open();
        grid()->setTextMatrix(4, FormTypeID, QStringLiteral("901"));
        grid()->setTextMatrix(4, FormID, QStringLiteral("5000"));
        StatementLog log;
        answerPicker(title);
        window()->menuItem(QStringLiteral("mnuFunc3"))->trigger();

        QCOMPARE(report()->stagedAtRun, 5 + descriptions.size() - 1);
        const QStringList goodsQueries = log.startingWith("select isnull(Code,'') as Code");
        QCOMPARE(goodsQueries, title == "گردش" ? QStringList()
                                               : QStringList {"select isnull(Code,'') as Code, Barcode,Name,SaleValue,"
                                                              "Qty,RetailPrice,GoodUnit from vwSaleInvoiceGoodReport "
                                                              "Where  InvoiceID = 5000"});
        QStringList printed;
        for (const QString &insert : log.startingWith("Insert into"))
            if (insert.contains(",104,4,'"))
                printed << insert.section(QStringLiteral("','"), 2, 2);
        QCOMPARE(printed, descriptions);
    }

    void expandInvoiceRow_data()
    {
        QTest::addColumn<QString>("debit");
        QTest::addColumn<QString>("balanceAfter"); // signed, debit positive
        QTest::addColumn<QStringList>("saleValues");
        QTest::addColumn<QStringList>("lines"); // amount:debit balance:credit balance
        QTest::newRow("debit used up drops the third item")
            << "3000" << "3000" << QStringList {"1000", "2000", "5000"} << QStringList {"1000:1000:0", "2000:3000:0"};
        QTest::newRow("credit balance before the row")
            << "1000" << "-1500" << QStringList {"1000"} << QStringList {"1000:0:1500"};
        QTest::newRow("zero balance prints as credit 0") << "1000" << "0" << QStringList {"1000"} << QStringList {"1000:0:0"};
        QTest::newRow("uncovered rest gets its own line")
            << "3000" << "3500" << QStringList {"1000"} << QStringList {"1000:1500:0", "2000:3500:0"};
        QTest::newRow("sale values round halves to even")
            << "10" << "10" << QStringList {"2.5", "3.5", "3.9999"} << QStringList {"2:2:0", "4:6:0", "4:10:0"};
        QTest::newRow("no items") << "500" << "500" << QStringList {} << QStringList {};
    }
    void expandInvoiceRow()
    {
        QFETCH(QString, debit);
        QFETCH(QString, balanceAfter);
        QFETCH(QStringList, saleValues);
        QFETCH(QStringList, lines);
        StagedLine row;
        row.debit = Currency::parsePrefix(debit);
        const Currency balance = Currency::parsePrefix(balanceAfter);
        row.debitBalance = balance.isNegative() ? Currency() : balance;
        row.creditBalance = balance.isNegative() ? -balance : Currency();
        std::vector<InvoiceItem> goods;
        for (const QString &value : saleValues)
            goods.push_back({"x", "1", "عدد", "1", Currency::parsePrefix(value)});
        QStringList got;
        for (const StagedLine &line : ExpandInvoiceRow(row, 7, goods))
            got << line.debit.toString() + ":" + line.debitBalance.toString() + ":" + line.creditBalance.toString();
        QCOMPARE(got, lines);
    }

    // A statement that fails half-way leaves nothing staged and runs no report.
    void failingInsertRollsBack()
    {
        open();
        db->exec({"insert into tblAccountTempInfo(FormTypeID, PrintFormatID, NaturalCol9) values (315, 31501, 99)",
                  "create trigger refuse before insert on tblAccountTempInfo when new.NaturalCol9 = 3 "
                  "begin select raise(abort, 'رديف سوم پذيرفته نشد'); end"});
        answerPicker(QStringLiteral("گردش"));
        window()->menuItem(QStringLiteral("mnuFunc3"))->trigger();
        QVERIFY(report());
        QVERIFY(report()->runs.isEmpty());
        QCOMPARE(FixtureValue(*db, "select group_concat(NaturalCol9) from tblAccountTempInfo where FormTypeID = 315").toString(),
                 QStringLiteral("99")); // the clearing went back with the rows
        QCOMPARE(ScriptedMessages::shown().size(), 1);
        QCOMPARE(ScriptedMessages::shown().first().title, QStringLiteral("خطا"));
        QVERIFY(ScriptedMessages::shown().first().message.contains(QStringLiteral("رديف سوم پذيرفته نشد")));
    }

    void conflictReport_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("destination");
        QTest::newRow("preview") << "mnuConfilictView" << "مغايرت" << 0;
        QTest::newRow("print") << "mnuConfilictPrint" << "مغايرت" << 1;
        QTest::newRow("picker closed") << "mnuConfilictView" << "" << -1;
    }
    void conflictReport()
    {
        QFETCH(QString, item);
        QFETCH(QString, title);
        QFETCH(int, destination);
        open();
        // Row 4 is un-marked since the load: the grid's text decides.
        grid()->setTextMatrix(1, IsChecked, QStringLiteral("بررسي شده"));
        grid()->setTextMatrix(2, IsChecked, QString());
        StatementLog log;
        answerPicker(title);
        window()->menuItem(item)->trigger();

        QVERIFY(report());
        QCOMPARE(staged(), 0);
        const QStringList inserts = log.startingWith("Insert into tblAccountTempInfo");
        QStringList rows;
        for (const QString &insert : inserts)
            rows << insert.section(',', 24, 24); // NaturalCol9, after the head's 21 columns and 315,31501
        QCOMPARE(rows, (QStringList {"2", "3", "4", "5"}));
        QCOMPARE(inserts.at(1),
                 "Insert into tblAccountTempInfo (FormTypeID,PrintFormatID,NaturalCol0,NaturalCol1,NaturalCol9,"
                 "StringCol0,StringCol1,StringCol2,StringCol4,StringCol5,StringCol6,StringCol9,CurrencyCol0,"
                 "CurrencyCol1,CurrencyCol2,CurrencyCol3,CurrencyCol4,CurrencyCol5,CurrencyCol6,CurrencyCol7,"
                 "CurrencyCol8) Values (315,31501,3,103,3,'1403/02/16','1403/02/16','انتقال به بانك','"
                 + window()->dtpFromDate->JalaliText() + "','" + window()->dtpToDate->JalaliText() + "','"
                 + window()->dtpDate->JalaliText() + "','گردش حساب صندوق به كد 1101',0,1000,0,200,"
                 + totalsText() + ")");
        QCOMPARE(log.startingWith("Delete tblAccountTempInfo").size(), 2);
        if (destination < 0) {
            QVERIFY(report()->runs.isEmpty());
            return;
        }
        QCOMPARE(report()->runs, QStringList {"RunReport"});
        QCOMPARE(report()->stagedAtRun, 4);
        QCOMPARE(report()->destination, destination);
        QCOMPARE(report()->connection, BuildReportConnect(db->connectionString()));
        QCOMPARE(report()->selection, QStringLiteral("SELECT * From vwAccountTempInfo Where FormTypeID = 315 And "
                                                     "PrintFormatID = 31501 order by NaturalCol0"));
    }

    // Each export is a new workbook handed to the desktop; an earlier one stays.
    void exportOpensNewWorkbooks()
    {
        open();
        UrlCatcher opened;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &opened, "open");
        window()->menuItem(QStringLiteral("mnuExcel"))->trigger();
        window()->menuItem(QStringLiteral("mnuExcel"))->trigger();
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCOMPARE(opened.files.size(), 2);
        QVERIFY(opened.files[0] != opened.files[1]);
        for (const QString &file : opened.files) {
            QVERIFY(file.endsWith(QLatin1String(".xlsx")));
            QFile workbook(file);
            QVERIFY(workbook.open(QIODevice::ReadOnly));
            QCOMPARE(workbook.read(2), QByteArray("PK")); // a zip package
            workbook.remove();
        }
        QVERIFY(ScriptedMessages::shown().isEmpty());
    }

    // Refused permission and a failing engine each end in one message and nothing staged.
    void refusalsAndFailures_data()
    {
        QTest::addColumn<int>("user");
        QTest::addColumn<QString>("engineError");
        QTest::addColumn<QString>("message");
        QTest::newRow("no permission") << 2 << "" << "شما به انجام اين عمليات مجاز نيستيد.";
        QTest::newRow("engine failed") << 1 << "قالب خراب است" << "قالب خراب است";
    }
    void refusalsAndFailures()
    {
        QFETCH(int, user);
        QFETCH(QString, engineError);
        QFETCH(QString, message);
        open(user);
        RecordingReport::failWith = engineError;
        for (const char *item : {"mnuFunc5", "mnuConfilictPrint"}) {
            ScriptedMessages::shown().clear();
            if (user == 1)
                answerPicker(QStringLiteral("گردش"));
            window()->menuItem(QLatin1String(item))->trigger();
            QCOMPARE(staged(), 0);
            QCOMPARE(ScriptedMessages::shown().size(), 1);
            QCOMPARE(ScriptedMessages::shown().first().message, message);
        }
    }
};

int RunPrintingTests(int argc, char **argv)
{
    TestPrinting tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "test_printing.moc"
