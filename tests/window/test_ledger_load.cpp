// The ledger load read by one reader and by two (split at the middle day of
// the ledger's dates, each on its own connection and thread) gives the same
// window as the fill of the whole loaded grid always gave; a failing second
// reader leaves no ledger behind; the assigned values follow a change made
// between two loads.

#include "LedgerFixture.h"
#include "control/comAccountDetail1.h"
#include "ledger_window/frmAccountDetails.h"
#include "ledger_window/ledger/CellText.h"
#include "ledger_window/ledger/GridFill.h"
#include "ledger_window/ledger/LedgerColumns.h"
#include "ledger_window/ledger/PartFill.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/VelkoDate.h"
#include "session/DtEn.h"
#include "session/Messages.h"
#include "session/modMain.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>

using namespace LedgerCol;

namespace {

// Documents around 2024-09-19, the middle day of period 1403 where two
// readers split its ledgers: the day before, two on the day itself, and
// after it a reviewed row due before today, an excluded row without a due
// date, and rows with links (one assigned beyond its amount).
QStringList RowsAroundTheSplit(bool dayBefore)
{
    QStringList statements {
        "insert into tblAccountDocument(ID, Code, DocumentDate, FarsiDocumentDate, BranchID, IsFinalized, IsScratch, "
        "DocumentTypeID) values (202, 8, '2024-09-19', '1403/06/29', 1, 0, 0, 1), "
        "(203, 9, '2024-09-19', '1403/06/29', 1, 0, 0, 1), (204, 10, '2024-12-01', '1403/09/11', 1, 0, 0, 1), "
        "(205, 11, '2025-01-10', '1403/10/21', 1, 0, 0, 2), (206, 12, '2025-02-20', '1403/12/02', 1, 0, 0, 1)",
        "insert into tblAccountDocumentDetail(DocumentID, RowNumber, AccountID, DebitValue, CreditValue, Description, "
        "TransactionDate, FarsiTransactionDate, DocumentTypeID, IsChecked, IsAssignmentExcluded) values "
        "(202, 1, 2, 0, 1500, 'روز مرز', '2024-09-19', '1403/06/29', 1, 0, 0), "
        "(202, 2, 3, 1500, 0, 'روز مرز', '2024-09-19', '1403/06/29', 1, 0, 0), "
        "(203, 1, 2, 2000.5, 0, 'روز مرز، سند دوم', '2024-09-19', '1403/06/29', 1, 0, 0), "
        "(203, 2, 4, 0, 2000.5, 'روز مرز، سند دوم', '2024-09-19', '1403/06/29', 1, 0, 0), "
        "(204, 1, 2, 0, 700, 'بررسي شده', '2024-06-15', '1403/03/26', 1, 1, 0), "
        "(204, 2, 4, 700, 0, 'بررسي شده', '2024-06-15', '1403/03/26', 1, 0, 0), "
        "(205, 1, 2, 350, 0, 'خارج از تخصيص', null, null, 2, 0, 1), "
        "(205, 2, 4, 0, 350, 'خارج از تخصيص', null, null, 2, 0, 0), "
        "(206, 1, 2, 0, 120, 'تخصيص يافته', '2025-02-20', '1403/12/02', 1, 0, 0), "
        "(206, 2, 4, 120, 0, 'تخصيص يافته', '2025-02-20', '1403/12/02', 1, 0, 0)",
        "insert into tblVelkoRelatedForms(ID, ReferenceFormTypeID, ReferenceFormID, ReferenceFormRowNumber, "
        "RelatedFormTypeID, RelatedFormID, RelatedFormRowNumber, AssignedValue) values "
        "(10, 303, 206, 1, 303, 204, 1, 90), (11, 303, 202, 1, 901, 7000, null, 2000)",
    };
    if (dayBefore)
        statements << "insert into tblAccountDocument(ID, Code, DocumentDate, FarsiDocumentDate, BranchID, IsFinalized, "
                      "IsScratch, DocumentTypeID) values (201, 7, '2024-09-18', '1403/06/28', 1, 0, 0, 1)"
                   << "insert into tblAccountDocumentDetail(DocumentID, RowNumber, AccountID, DebitValue, CreditValue, "
                      "Description, TransactionDate, FarsiTransactionDate, DocumentTypeID, IsChecked, "
                      "IsAssignmentExcluded) values (201, 1, 2, 40, 0, 'روز پيش از مرز', '2024-09-18', '1403/06/28', "
                      "1, 0, 0), (201, 2, 4, 0, 40, 'روز پيش از مرز', '2024-09-18', '1403/06/28', 1, 0, 0)";
    return statements;
}

struct LoadCase
{
    int account = 2;
    bool byDueDate = false;
    bool draftInclusive = false;
    QDate fromDate; // typed into the from-date field before a re-read
};

// What the window shows of a ledger: every cell's text and colours, every
// summary field, the balances kept for the printouts.
struct Shown
{
    QStringList cells;
    QList<quint32> colours;
    QMap<QString, QString> fields;
    qint64 running = 0;
    qint64 upToNow = 0;
};

Shown shownBy(frmAccountDetails *window)
{
    Shown shown;
    const FlexGrid *grid = window->flxAccount;
    for (int r = 1; r < grid->Rows(); ++r) {
        for (int c = 0; c < grid->Cols(); ++c) {
            shown.cells << QStringLiteral("%1,%2 %3").arg(r).arg(c).arg(grid->TextMatrix(r, c));
            shown.colours << grid->cellForeColorAt(r, c) << grid->cellBackColorAt(r, c);
        }
    }
    for (auto field = window->SummaryFields.cbegin(); field != window->SummaryFields.cend(); ++field)
        shown.fields[field.key()] = field.value()->text();
    shown.running = window->Balances.RunningBalance.raw();
    shown.upToNow = window->Balances.UpToNowBalance.raw();
    return shown;
}

QList<qint64> partRowsOf(const frmAccountDetails *window)
{
    return QList<qint64>(window->LedgerPartRows.begin(), window->LedgerPartRows.end());
}

class MapFields : public SummaryFieldSink
{
public:
    void setFieldText(const QString &field, const QString &text) override { texts[field] = text; }
    void setFieldForeColor(const QString &, quint32) override {}
    QMap<QString, QString> texts;
};

} // namespace

class TestLedgerLoad : public QObject, private LedgerWindowTest
{
    Q_OBJECT

    // Opens the ledger as the case says, with one reader or two.
    void load(const LoadCase &how, int readers)
    {
        SetLedgerLoadReaders(readers);
        signIn(*control);
        if (how.draftInclusive)
            control->ViewByDetails(how.account, -1, -1, -1, -1, -1, -1);
        else
            control->View(how.account);
        if (how.byDueDate || how.fromDate.isValid()) {
            if (how.byDueDate) {
                window()->menuItem(QStringLiteral("mnuSortDocumentDate"))->setChecked(false);
                window()->menuItem(QStringLiteral("mnuSortTransactionDate"))->setChecked(true);
            }
            if (how.fromDate.isValid()) {
                window()->dtpFromDate->setValue(how.fromDate);
                window()->txtCodeFrom->clear();
            }
            window()->cmdReset_Click();
        }
        QVERIFY2(ScriptedMessages::shown().isEmpty(), qPrintable(ScriptedMessages::shown().value(0).message));
    }

    // The same main query streamed into a plain grid, painted and filled the
    // way the window did before it filled rows while reading them.
    Shown wholeGridFill(const QString &mainQuery, bool draftInclusive)
    {
        FlexGrid grid;
        SetupLedgerGridAtStartup(grid, 1);
        Session.DataEnvironment().backend().streamRows(mainQuery, grid);
        (draftInclusive ? PaintScratchRowBackgrounds : PaintAlternatingRowBackgrounds)(grid);
        LedgerFillInput input;
        input.BalanceBroughtForward = Session.BalanceBroughtForward;
        input.AccountNatureID = window()->AccountNatureID;
        input.MaxDebit = window()->MaxDebit;
        input.MaxCredit = window()->MaxCredit;
        input.FromDate = window()->dtpFromDate->IsEmpty() ? QDate() : window()->dtpFromDate->Value();
        input.today = FixtureToday;
        MapFields fields;
        LedgerBalances balances;
        FillLedgerGrid(grid, input, balances, fields);
        Shown shown;
        for (int r = 1; r < grid.Rows(); ++r) {
            for (int c = 0; c < grid.Cols(); ++c) {
                shown.cells << QStringLiteral("%1,%2 %3").arg(r).arg(c).arg(grid.TextMatrix(r, c));
                shown.colours << grid.cellForeColorAt(r, c) << grid.cellBackColorAt(r, c);
            }
        }
        shown.fields = fields.texts;
        shown.running = balances.RunningBalance.raw();
        shown.upToNow = balances.UpToNowBalance.raw();
        return shown;
    }

    Currency columnSum(int col) const
    {
        Currency sum;
        std::string scratch;
        for (int r = 1; r < grid()->Rows(); ++r)
            sum += CellAmount(grid()->cellUtf8(r, col), scratch);
        return sum;
    }

private slots:
    void init()
    {
        setUpWindowTest();
        // The fixture's ledgers are short: count them long, so that the
        // second reader and the totals read ahead run on them.
        SetLongLedgerRows(0);
    }
    void cleanup()
    {
        SetLedgerLoadReaders(2);
        SetLongLedgerRows(5000);
        tearDownWindowTest();
    }

    void readersShowTheSameLedger_data()
    {
        QTest::addColumn<bool>("extraRows");
        QTest::addColumn<bool>("dayBefore");
        QTest::addColumn<int>("account");
        QTest::addColumn<bool>("byDueDate");
        QTest::addColumn<bool>("draftInclusive");
        QTest::addColumn<QDate>("fromDate");
        QTest::addColumn<QList<qint64>>("partRows"); // rows of the first and of the second reader

        // Rows on the split day go to the second reader; six rows before it
        // leave the second reader's rows starting on an odd row ...
        QTest::newRow("rows on the split day") << true << true << 2 << false << false << QDate()
                                               << QList<qint64> {6, 5};
        // ... five leave them starting on an even row, where the row colours
        // of the second reader's rows swap.
        QTest::newRow("second reader starts on an even row") << true << false << 2 << false << false << QDate()
                                                             << QList<qint64> {5, 5};
        QTest::newRow("credit nature account") << true << true << 4 << false << false << QDate()
                                               << QList<qint64> {4, 4};
        QTest::newRow("parent account") << true << true << 1 << false << false << QDate() << QList<qint64> {8, 6};
        // By due date the split goes by due date; a row without one sorts first.
        QTest::newRow("by due date, a row without due date") << true << true << 2 << true << false << QDate()
                                                             << QList<qint64> {8, 3};
        QTest::newRow("draft-inclusive ledger") << true << true << 2 << false << true << QDate()
                                                << QList<qint64> {7, 5};
        // From a date before the period the window lists every row up to the
        // to-date, and the middle day comes before all of them: the window's
        // connection reads them all, a second reader would have no rows to share.
        QTest::newRow("empty first half") << true << true << 2 << false << false << QDate(2022, 3, 21)
                                          << QList<qint64> {12, 0};
        QTest::newRow("empty second half") << false << false << 2 << false << false << QDate()
                                           << QList<qint64> {5, 0};
    }
    void readersShowTheSameLedger()
    {
        QFETCH(bool, extraRows);
        QFETCH(bool, dayBefore);
        QFETCH(QList<qint64>, partRows);
        QFETCH(int, account);
        QFETCH(bool, byDueDate);
        QFETCH(bool, draftInclusive);
        QFETCH(QDate, fromDate);
        const LoadCase how {account, byDueDate, draftInclusive, fromDate};
        if (extraRows)
            db->exec(RowsAroundTheSplit(dayBefore));

        // The first rebuild gives links without an amount the amount of their
        // form, so every load compared below reads the same data.
        load(how, 1);
        window()->cmdReset_Click();

        StatementLog log;
        load(how, 1);
        QCOMPARE(partRowsOf(window()), QList<qint64> {partRows[0] + partRows[1]});
        const Shown oneReader = shownBy(window());
        const Shown whole = wholeGridFill(log.startingWith("Select AccTransCode").last(), draftInclusive);

        load(how, 2);
        QCOMPARE(partRowsOf(window()), partRows);
        QList<Shown> twoReaders {shownBy(window())};
        // A short ledger's parts are both read on the window's connection.
        SetLongLedgerRows(5000);
        load(how, 2);
        twoReaders << shownBy(window());
        SetLongLedgerRows(0);
        // A re-read in the same window fills the memory of the rows it
        // replaces (the draft-inclusive window re-reads the posted ledger).
        if (!draftInclusive) {
            window()->cmdReset_Click();
            twoReaders << shownBy(window());
        }

        QVERIFY(!oneReader.cells.isEmpty());
        for (const Shown &shown : std::as_const(twoReaders)) {
            QCOMPARE(shown.cells, oneReader.cells);
            QCOMPARE(shown.colours, oneReader.colours);
            QCOMPARE(shown.fields, oneReader.fields);
            QCOMPARE(shown.running, oneReader.running);
            QCOMPARE(shown.upToNow, oneReader.upToNow);
        }
        QCOMPARE(oneReader.cells, whole.cells);
        QCOMPARE(oneReader.colours, whole.colours);
        for (auto field = whole.fields.cbegin(); field != whole.fields.cend(); ++field)
            QCOMPARE(oneReader.fields.value(field.key()), field.value());
        QCOMPARE(oneReader.running, whole.running);
        QCOMPARE(oneReader.upToNow, whole.upToNow);

        // The period totals, read on a connection of their own while the rows
        // were read, are the sums of the rows shown.
        QCOMPARE(ParseAmount(field("txtSumDebit")), columnSum(Debit));
        QCOMPARE(ParseAmount(field("txtSumCredit")), columnSum(Credit));
    }

    // A failure in the second reader stops the load with the message the
    // single reader gives, and leaves no half-filled grid and no figure.
    void failingSecondReaderLeavesNoLedger_data()
    {
        QTest::addColumn<QStringList>("breakage");
        QTest::addColumn<QString>("messagePart");
        // The description of the rows from document 204 on cannot be read:
        // the second reader's third row (the first, on the split day, is read
        // by the window's connection too, where its reading ends).
        QTest::newRow("database error") << QStringList {
            "drop view vwAccountDocumentDetail",
            "create view vwAccountDocumentDetail as select AccTransCode, DocumentID, FarsiDocumentDate, "
            "FarsiTransactionDate, case when DocumentDate >= '2024-12-01' then abs(-9223372036854775807 - 1) "
            "else Description end as Description, Debit, Credit, AccDocumentType, AdditionalFormSpec, DocumentDate, "
            "TransactionDate, DocumentTypeID, ContractID, AccContract, AccTransDescription, RowNumber, IsFinalized, "
            "IsChecked, AccountCode, FormID, FormTypeID, FormType, FileName, IsAssignmentExcluded, AccountID, "
            "BranchID, DebitValue, CreditValue, IsScratch, Code, AccountTitle, DocumentDescription "
            "from vwAccountDocumentDetailWithScratch where IsScratch = 0"} << "integer overflow";
        // Row 11 of the whole ledger, the fifth of the second reader.
        QTest::newRow("due date that is not a date")
            << QStringList {"update tblAccountDocumentDetail set TransactionDate='not a date' where DocumentID=206"}
            << QString::fromUtf8("«not a date» در رديف 11 ");
        QTest::newRow("balance beyond the currency")
            << QStringList {"update tblAccountDocumentDetail set DebitValue=900000000000000, CreditValue=0 "
                            "where DocumentID in (203, 204) and AccountID=2"}
            << CurrencyOverflow::Message;
    }
    void failingSecondReaderLeavesNoLedger()
    {
        QFETCH(QStringList, breakage);
        QFETCH(QString, messagePart);
        db->exec(RowsAroundTheSplit(true));
        load(LoadCase(), 2);
        QCOMPARE(partRowsOf(window()), (QList<qint64> {6, 5}));
        db->exec(breakage);

        QStringList messages;
        for (const int readers : {1, 2}) {
            SetLedgerLoadReaders(readers);
            ScriptedMessages::shown().clear();
            window()->cmdReset->click();
            QCOMPARE(ScriptedMessages::shown().size(), 1);
            QCOMPARE(ScriptedMessages::shown().first().title, QStringLiteral("خطا"));
            messages << ScriptedMessages::shown().first().message;
            QVERIFY2(messages.last().contains(messagePart), qPrintable(messages.last()));
            QCOMPARE(grid()->Rows(), 2);
            for (int c = 0; c < grid()->Cols(); ++c)
                QVERIFY2(grid()->TextMatrix(1, c).isEmpty(), qPrintable(QString::number(c)));
            for (QLineEdit *text : std::as_const(window()->SummaryFields))
                QVERIFY2(text->text().trimmed().isEmpty(), qPrintable(text->objectName()));
            QCOMPARE(Session.RequeryFlag, qint16(1));
        }
        QCOMPARE(messages[1], messages[0]);
    }

    // A second reader that cannot open the database (its file went away
    // while the window's connection holds it open) leaves its rows, and the
    // totals read ahead leave theirs, to the window's connection.
    void secondReaderThatCannotOpenLeavesItsRows()
    {
        db->exec(RowsAroundTheSplit(true));
        load(LoadCase(), 1);
        window()->cmdReset_Click();
        const Shown oneReader = shownBy(window());
        QVERIFY(QFile::rename(db->path(), db->path() + QStringLiteral(".moved")));
        SetLedgerLoadReaders(2);
        StatementLog log;
        window()->cmdReset_Click();
        QVERIFY2(ScriptedMessages::shown().isEmpty(), qPrintable(ScriptedMessages::shown().value(0).message));
        QCOMPARE(log.startingWith("Select Sum(Debit) As SumDebit").size(), 1);
        const Shown twoReaders = shownBy(window());
        QCOMPARE(twoReaders.cells, oneReader.cells);
        QCOMPARE(twoReaders.colours, oneReader.colours);
        QCOMPARE(twoReaders.fields, oneReader.fields);
    }

    // On a long ledger the progress bar follows the dates of the rows read
    // on the window's connection: shown while they are read, forward only,
    // up to the split day (or the period's last day), hidden afterwards.
    void progressFollowsTheDatesRead_data()
    {
        QTest::addColumn<int>("readers");
        QTest::addColumn<QDate>("lastDay");
        QTest::newRow("one reader") << 1 << QDate(2025, 3, 20);
        QTest::newRow("two readers") << 2 << QDate(2024, 9, 19);
    }
    void progressFollowsTheDatesRead()
    {
        QFETCH(int, readers);
        QFETCH(QDate, lastDay);
        // 6,000 documents, about 17 a day from the period's first day on.
        db->exec({"insert into tblAccountDocument(ID, Code, DocumentDate, FarsiDocumentDate, BranchID, IsFinalized, "
                  "IsScratch, DocumentTypeID) with recursive n(i) as (select 1 union all select i + 1 from n "
                  "where i < 6000) select 10000 + i, 10000 + i, date('2024-03-20', '+' || (i / 17) || ' days'), "
                  "'1403/01/01', 1, 0, 0, 1 from n",
                  "insert into tblAccountDocumentDetail(DocumentID, RowNumber, AccountID, DebitValue, CreditValue, "
                  "Description, TransactionDate, FarsiTransactionDate, DocumentTypeID, IsChecked, "
                  "IsAssignmentExcluded) select ID, 1, 2, 10, 0, 'رديف', DocumentDate, FarsiDocumentDate, 1, 0, 0 "
                  "from tblAccountDocument where ID > 10000"});
        load(LoadCase(), readers);
        QProgressBar *bar = window()->ProgressBar;
        QList<int> values;
        bool hiddenWhileMoving = false;
        connect(bar, &QProgressBar::valueChanged, bar, [&](int value) {
            values << value;
            hiddenWhileMoving = hiddenWhileMoving || (value > 0 && bar->isHidden());
        });
        window()->cmdReset_Click();
        QVERIFY2(ScriptedMessages::shown().isEmpty(), qPrintable(ScriptedMessages::shown().value(0).message));
        QVERIFY(bar->isHidden());
        QVERIFY(!hiddenWhileMoving);
        QCOMPARE(bar->maximum(), int(QDate(2024, 3, 20).daysTo(lastDay)));
        QVERIFY2(values.size() >= 3, qPrintable(QString::number(values.size())));
        QVERIFY(std::is_sorted(values.cbegin(), values.cend()));
        // The last value comes from the last 1,024 rows read, within three
        // months of the end.
        QVERIFY2(bar->maximum() - values.last() < 90, qPrintable(QString::number(values.last())));
    }

    // Each reader's connection keeps the links it read until the data
    // changes: a link changed between two loads shows on either side.
    void assignedValuesFollowAChangeBetweenLoads_data()
    {
        QTest::addColumn<int>("readers");
        QTest::newRow("one reader") << 1;
        QTest::newRow("two readers") << 2;
    }
    void assignedValuesFollowAChangeBetweenLoads()
    {
        QFETCH(int, readers);
        db->exec(RowsAroundTheSplit(true));
        load(LoadCase(), readers);
        const auto assignedOf = [this](const QString &document, int col) {
            for (int r = 1; r < grid()->Rows(); ++r)
                if (grid()->TextMatrix(r, DocumentID) == document && grid()->TextMatrix(r, RowNumber) == "1")
                    return grid()->TextMatrix(r, col);
            return QStringLiteral("no row");
        };
        // Document 102 is read by the first reader, 204 and 206 by the second.
        QCOMPARE(assignedOf("102", AssignedDebit), QStringLiteral("120"));
        QCOMPARE(assignedOf("204", AssignedDebit), QStringLiteral("90"));
        QCOMPARE(assignedOf("206", AssignedCredit), QStringLiteral("90"));
        db->exec({"update tblVelkoRelatedForms set AssignedValue = AssignedValue + 1005 where ID in (3, 10)"});
        window()->cmdReset_Click();
        QCOMPARE(assignedOf("102", AssignedDebit), QStringLiteral("1,125"));
        QCOMPARE(assignedOf("204", AssignedDebit), QStringLiteral("1,095"));
        QCOMPARE(assignedOf("206", AssignedCredit), QStringLiteral("1,095"));
    }
};

int RunLedgerLoadTests(int argc, char **argv)
{
    TestLedgerLoad test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ledger_load.moc"
