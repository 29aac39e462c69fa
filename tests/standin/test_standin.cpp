// The stand-in host database: its schema answers every object the component
// reads, and the demo builder writes consistent, repeatable books.

#include "StandInDatabase.h"
#include "session/Clock.h"

#include <QCalendar>
#include <QCryptographicHash>
#include <QFile>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

#include <tuple>

namespace {

// One Qt SQL connection to a database file, removed again with the object.
class Connection
{
public:
    explicit Connection(const QString &path) : m_name(QStringLiteral("standin-test-%1").arg(++s_counter))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        if (!db.open())
            qFatal("cannot open %s", qPrintable(path));
    }
    ~Connection() { QSqlDatabase::removeDatabase(m_name); }

    QSqlDatabase db() const { return QSqlDatabase::database(m_name); }
    QSqlQuery run(const QString &sql) const
    {
        QSqlQuery query(db());
        if (!query.exec(sql))
            qFatal("%s\n%s", qPrintable(query.lastError().text()), qPrintable(sql));
        return query;
    }
    QVariant value(const QString &sql) const
    {
        QSqlQuery query = run(sql);
        return query.next() ? query.value(0) : QVariant();
    }
    qint64 count(const QString &sql) const { return value(sql).toLongLong(); }
    // Each row as its values joined by "|".
    QStringList rows(const QString &sql) const
    {
        QStringList result;
        for (QSqlQuery query = run(sql); query.next();) {
            QStringList values;
            for (int i = 0; i < query.record().count(); ++i)
                values << query.value(i).toString();
            result << values.join(u'|');
        }
        return result;
    }

private:
    QString m_name;
    static inline int s_counter = 0;
};

// Hash of the rows of the tables that make up the books, in key order.
QByteArray contentHash(const QString &path)
{
    static const QString Tables[][2] = {
        {"tblAccount", "ID"}, {"tblAccountParent", "ID, ChildID"}, {"tblAccountRelatedClasses", "AccountID, ClassID"},
        {"tblPerson", "ID"}, {"tblAccountDocument", "ID"}, {"tblAccountDocumentDetail", "DocumentID, RowNumber"},
        {"tblAccountDocumentDetailObject", "DocumentID, RowNumber, ClassID"}, {"tblVelkoRelatedForms", "ID"},
        {"tblSaleInvoice", "ID"}, {"tblSaleInvoiceItem", "InvoiceID, RowNumber"}, {"tblSaleReturn", "ID"},
    };
    Connection connection(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const auto &[table, key] : Tables)
        for (const QString &row : connection.rows(QStringLiteral("select * from %1 order by %2").arg(table, key)))
            hash.addData(row.toUtf8() + '\x1f');
    return hash.result();
}

// The closure of a tree given as (ID, ParentID) rows: every
// (ancestor-or-self, descendant-or-self) pair as "ancestor|descendant".
QStringList closureOf(const Connection &connection, const QString &treeSql)
{
    QHash<int, int> parentOf;
    for (QSqlQuery query = connection.run(treeSql); query.next();)
        parentOf.insert(query.value(0).toInt(), query.value(1).toInt());
    QStringList closure;
    for (auto it = parentOf.cbegin(); it != parentOf.cend(); ++it)
        for (int ancestor = it.key(); ancestor != 0; ancestor = parentOf.value(ancestor))
            closure << QStringLiteral("%1|%2").arg(ancestor).arg(it.key());
    return closure;
}

QString jalaliText(const QDate &date)
{
    const QCalendar::YearMonthDay parts = QCalendar(QCalendar::System::Jalali).partsFromDate(date);
    return QString::asprintf("%04d/%02d/%02d", parts.year, parts.month, parts.day);
}

constexpr int DemoRows = 300;
const QDate DemoToday(2025, 6, 15); // 1404/03/25

} // namespace

class TestStandIn : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_emptyPath;
    QString m_demoPath;
    DemoSummary m_summary;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_emptyPath = m_dir.filePath(QStringLiteral("empty.db"));
        CreateStandInSchema(m_emptyPath);
        m_demoPath = m_dir.filePath(QStringLiteral("demo.db"));
        DemoOptions options;
        options.rows = DemoRows;
        options.seed = 7;
        options.today = DemoToday;
        m_summary = MakeDemoDatabase(m_demoPath, options);
        QCOMPARE(StandInConnectionString(m_demoPath), QStringLiteral("Provider=SQLite;Data Source=") + m_demoPath);
    }

    void schemaHasEveryObject_data()
    {
        QTest::addColumn<QString>("object");
        QTest::addColumn<QStringList>("columns");
        // Objects, then the columns each of them must have.
        static const char *const Objects[][2] = {
            {"vwAccountDocumentDetail vwAccountDocumentDetailWithScratch vwAccountNonPreDocumentDetail "
             "vwAccountNonPreDocumentDetailWithScratch",
             "AccTransCode DocumentID FarsiDocumentDate FarsiTransactionDate Description Debit Credit AccDocumentType "
             "AdditionalFormSpec DocumentDate TransactionDate DocumentTypeID ContractID AccContract AccTransDescription "
             "RowNumber IsFinalized IsChecked AccountCode FormID FormTypeID FormType FileName IsAssignmentExcluded "
             "AccountID BranchID DebitValue CreditValue"},
            {"vwAccountNonPreDocument vwAccountNonPreDocumentWithScratch", "ID Code DocumentDate"},
            {"vwAccountNonPreDocumnetObjects vwAccountNonPreDocumnetObjectsWithScratch",
             "DocumentID RowNumber ClassID ObjectID"},
            {"vwAccountDocumentInfo vwAccountDocumentInfoWithScratch", "FormID AccountID SumDebit SumCredit"},
            {"vwAccountClass vwAccountBranchMajor vwAccountContractProjectMajor vwPositionMajor vwPersonMajor "
             "vwGoodGroupMajor tblAccountContractProject",
             "ID Code Name"},
            {"vwAccountClassMinor vwAccountBranchMinor vwAccountContractProjectMinor vwPositionMinor vwPersonMinor "
             "vwGoodGroupMinor tblAccountParent tblAccountBranchParent",
             "ID ChildID"},
            {"vwVelkoFormTypeMajor tblAccountDocumentType", "ID Name"},
            {"vwVelkoBasePath tblVelkoBasePath", "ID BasePath"},
            {"vwSaleInvoiceGoodReport", "InvoiceID Code Barcode Name SaleValue Qty RetailPrice GoodUnit"},
            {"tblUser", "ID Name BranchID CurrentPeriodID"},
            {"tblUserPermission", "UserID PermissionID"},
            {"tblAccount", "ID Code Title ParentID AccountNatureID MaxDebit MaxCredit"},
            {"tblAccountPeriod", "ID Name BeginDate EndDate IsActive"},
            {"tblAccountDocument", "ID Code DocumentDate FarsiDocumentDate BranchID IsFinalized IsScratch Description"},
            {"tblAccountDocumentDetail",
             "DocumentID RowNumber AccountID DebitValue CreditValue Description AccTransDescription TransactionDate "
             "FarsiTransactionDate DocumentTypeID AdditionalFormSpec ContractID FormID FormTypeID IsChecked "
             "IsAssignmentExcluded"},
            {"tblVelkoRelatedForms", "ID ReferenceFormTypeID ReferenceFormID ReferenceFormRowNumber RelatedFormTypeID "
                                     "RelatedFormID RelatedFormRowNumber AssignedValue"},
            {"tblVelkoSystemParameters", "ID Value Description"},
            {"tblVelkoReportTemplate", "ID Title FormTypeID ReportFormatID FilePath"},
            {"tblPraskreportTemplates", "ID Title FilePath"},
            {"tblAccountClass", "ID Name ViewMajor ViewMinor"},
            {"tblAccountRelatedClasses", "AccountID ClassID Sequence"},
            {"tblSaleReturn", "ID SaleInvoiceID"},
        };
        for (const auto &[objects, columns] : Objects)
            for (const QString &object : QString::fromLatin1(objects).split(u' '))
                QTest::newRow(qPrintable(object)) << object << QString::fromLatin1(columns).split(u' ');
        QStringList stagingColumns = {"FormTypeID", "PrintFormatID"};
        for (int i = 0; i <= 18; ++i)
            stagingColumns << QStringLiteral("StringCol%1").arg(i);
        for (int i = 0; i <= 9; ++i)
            stagingColumns << QStringLiteral("NaturalCol%1").arg(i) << QStringLiteral("CurrencyCol%1").arg(i);
        QTest::newRow("vwAccountTempInfo") << "vwAccountTempInfo" << stagingColumns;
        QTest::newRow("tblAccountTempInfo") << "tblAccountTempInfo" << stagingColumns;
    }
    void schemaHasEveryObject()
    {
        QFETCH(QString, object);
        QFETCH(QStringList, columns);
        Connection connection(m_emptyPath);
        QSqlQuery query(connection.db());
        QVERIFY2(query.exec(QStringLiteral("select * from %1 limit 1").arg(object)), qPrintable(query.lastError().text()));
        for (const QString &column : columns)
            QVERIFY2(query.record().contains(column), qPrintable(object + QStringLiteral(" lacks ") + column));
    }

    void schemaReplacesAnExistingFile()
    {
        const QString path = m_dir.filePath(QStringLiteral("replaced.db"));
        {
            QFile junk(path);
            QVERIFY(junk.open(QIODevice::WriteOnly));
            junk.write("not a database at all");
        }
        CreateStandInSchema(path);
        Connection connection(path);
        QCOMPARE(connection.count(QStringLiteral("select count(*) from tblAccount")), qint64(0));

        // A second creation over a filled file starts empty again.
        connection.run(QStringLiteral("insert into tblAccount (ID, Code, Title) values (1, '1', 'x')"));
        connection.db().close();
        CreateStandInSchema(path);
        QCOMPARE(Connection(path).count(QStringLiteral("select count(*) from tblAccount")), qint64(0));
    }

    void copiedDocumentColumnsFollowTheDocument()
    {
        // Fixtures write documents and rows in either order; the ledger views must
        // always show the document's current number, date, branch and state.
        const QString path = m_dir.filePath(QStringLiteral("fixture.db"));
        CreateStandInSchema(path);
        Connection c(path);
        c.run("insert into tblAccountDocumentDetail (DocumentID, RowNumber, AccountID, DebitValue) values (1, 1, 5, 100)");
        c.run("insert into tblAccountDocument (ID, Code, DocumentDate, FarsiDocumentDate, BranchID, IsFinalized, IsScratch)"
              " values (1, 17, '2025-01-05', '1403/10/16', 3, 0, 0)");
        c.run("insert into tblAccountDocumentDetail (DocumentID, RowNumber, AccountID, CreditValue) values (1, 2, 6, 100)");
        QCOMPARE(c.rows("select AccTransCode, DocumentDate, FarsiDocumentDate, BranchID, IsFinalized "
                        "from vwAccountDocumentDetail order by RowNumber"),
                 QStringList(2, QStringLiteral("17|2025-01-05|1403/10/16|3|0")));

        c.run("update tblAccountDocument set Code = 18, DocumentDate = '2025-01-06', IsFinalized = 1 where ID = 1");
        QCOMPARE(c.count("select count(*) from vwAccountDocumentDetail where AccTransCode = 18 "
                         "and DocumentDate = '2025-01-06' and IsFinalized = 1"), qint64(2));
        QCOMPARE(c.count("select count(*) from vwAccountNonPreDocument where Code = 18"), qint64(1));

        // Turning the document into a draft moves its rows to the scratch views.
        c.run("update tblAccountDocument set IsScratch = 1 where ID = 1");
        QCOMPARE(c.count("select count(*) from vwAccountDocumentDetail"), qint64(0));
        QCOMPARE(c.count("select count(*) from vwAccountDocumentDetailWithScratch"), qint64(2));
        QCOMPARE(c.count("select count(*) from vwAccountNonPreDocument"), qint64(0));
    }

    void demoIsRepeatableForASeed()
    {
        DemoOptions options;
        options.rows = DemoRows;
        options.seed = 7;
        options.today = DemoToday;
        const QString same = m_dir.filePath(QStringLiteral("same-seed.db"));
        const DemoSummary summary = MakeDemoDatabase(same, options);
        QCOMPARE(summary.documentCount, m_summary.documentCount);
        QCOMPARE(summary.detailRowCount, m_summary.detailRowCount);
        QCOMPARE(contentHash(same), contentHash(m_demoPath));

        options.seed = 8;
        const QString other = m_dir.filePath(QStringLiteral("other-seed.db"));
        MakeDemoDatabase(other, options);
        QVERIFY(contentHash(other) != contentHash(m_demoPath));
    }

    void demoDocumentsBalance()
    {
        Connection c(m_demoPath);
        QCOMPARE(c.count("select count(*) from (select DocumentID from tblAccountDocumentDetail group by DocumentID "
                         "having sum(DebitValue) <> sum(CreditValue) or count(*) < 2)"), qint64(0));
        QCOMPARE(c.count("select count(*) from tblAccountDocumentDetail where DebitValue < 0 or CreditValue < 0 "
                         "or (DebitValue > 0 and CreditValue > 0) or DebitValue + CreditValue = 0"), qint64(0));
        QCOMPARE(c.count("select count(*) from tblAccountDocument"), m_summary.documentCount);
        QCOMPARE(c.count("select count(*) from tblAccountDocumentDetail"), m_summary.detailRowCount);
        // Each year's opening document restates the balances the year before
        // left, so the books as a whole balance too.
        QCOMPARE(c.count("select sum(DebitValue) - sum(CreditValue) from vwAccountDocumentDetail"), qint64(0));
    }

    void demoClosuresListEveryDescendant_data()
    {
        QTest::addColumn<QString>("tree");
        QTest::addColumn<QString>("closure");
        for (const auto &[name, table, view] :
             {std::tuple {"accounts", "tblAccount", "tblAccountParent"},
              std::tuple {"branches", "tblAccountBranch", "vwAccountBranchMinor"},
              std::tuple {"persons", "tblPerson", "vwPersonMinor"}, std::tuple {"positions", "tblPosition", "vwPositionMinor"},
              std::tuple {"contracts", "tblAccountContractProject", "vwAccountContractProjectMinor"},
              std::tuple {"goods groups", "tblGoodGroup", "vwGoodGroupMinor"}})
            QTest::newRow(name) << QStringLiteral("select ID, ifnull(ParentID, 0) from %1").arg(table)
                                << QStringLiteral("select ID, ChildID from %1").arg(view);
        QTest::newRow("classes") << "select ID, 0 from tblAccountClass" << "select ID, ChildID from vwAccountClassMinor";
    }
    void demoClosuresListEveryDescendant()
    {
        QFETCH(QString, tree);
        QFETCH(QString, closure);
        Connection c(m_demoPath);
        QStringList expected = closureOf(c, tree);
        QStringList listed = c.rows(closure);
        QVERIFY(expected.size() > 1);
        expected.sort();
        listed.sort();
        QCOMPARE(listed, expected); // every pair, and each once
    }

    void demoBusiestAccount()
    {
        Connection c(m_demoPath);
        const int leaf = m_summary.busiestLeafAccountId;
        QCOMPARE(c.count(QStringLiteral("select count(*) from vwAccountDocumentDetail where AccountID = %1").arg(leaf)),
                 qint64(DemoRows));
        QCOMPARE(c.count(QStringLiteral("select max(n) from (select count(*) as n from vwAccountDocumentDetail "
                                        "group by AccountID)")), qint64(DemoRows));
        QCOMPARE(c.count(QStringLiteral("select count(*) from tblAccount where ParentID = %1").arg(leaf)), qint64(0));
        QCOMPARE(c.count(QStringLiteral("select ParentID from tblAccount where ID = %1").arg(leaf)),
                 qint64(m_summary.busiestParentAccountId));
        // The parent's ledger holds its other children's rows as well.
        QVERIFY(c.count(QStringLiteral("select count(*) from vwAccountDocumentDetail where AccountID in "
                                       "(select ChildID from tblAccountParent where ID = %1)")
                            .arg(m_summary.busiestParentAccountId)) > DemoRows);
    }

    void demoDraftsOnlyInScratchViews_data()
    {
        QTest::addColumn<QString>("posted");
        QTest::addColumn<QString>("documentColumn");
        QTest::newRow("ledger rows") << "vwAccountDocumentDetail" << "DocumentID";
        QTest::newRow("non-pre ledger rows") << "vwAccountNonPreDocumentDetail" << "DocumentID";
        QTest::newRow("documents") << "vwAccountNonPreDocument" << "ID";
        QTest::newRow("analytic objects") << "vwAccountNonPreDocumnetObjects" << "DocumentID";
    }
    void demoDraftsOnlyInScratchViews()
    {
        QFETCH(QString, posted);
        QFETCH(QString, documentColumn);
        const QString withDrafts = posted + "WithScratch";
        Connection c(m_demoPath);
        const QString drafts = QStringLiteral(" where %1 in (select ID from tblAccountDocument where IsScratch = 1)")
                                   .arg(documentColumn);
        QCOMPARE(c.count("select count(*) from " + posted + drafts), qint64(0));
        const qint64 draftRows = c.count("select count(*) from " + withDrafts + drafts);
        QVERIFY(draftRows > 0);
        QCOMPARE(c.count("select count(*) from " + withDrafts) - c.count("select count(*) from " + posted), draftRows);
    }

    void demoDatesFollowTheJalaliYears()
    {
        Connection c(m_demoPath);
        const QCalendar jalali(QCalendar::System::Jalali);
        int count = 0;
        for (QSqlQuery periods = c.run("select BeginDate, EndDate, IsActive from tblAccountPeriod order by BeginDate");
             periods.next(); ++count) {
            const QDate begin = periods.value(0).toDate();
            const QDate end = periods.value(1).toDate();
            const QCalendar::YearMonthDay first = jalali.partsFromDate(begin);
            QCOMPARE(QList<int>({first.month, first.day}), QList<int>({1, 1}));
            QCOMPARE(end.addDays(1), jalali.dateFromParts(first.year + 1, 1, 1));
            QCOMPARE(periods.value(2).toInt() == 1, begin <= DemoToday && DemoToday <= end);
            // One opening document, numbered 1, on the first day of every year.
            QCOMPARE(c.count(QStringLiteral("select count(*) from tblAccountDocument where DocumentTypeID = 100 and "
                                            "Code = 1 and DocumentDate = '%1'").arg(begin.toString(Qt::ISODate))), qint64(1));
        }
        QCOMPARE(count, 3);

        // The Jalali texts are the Gregorian dates' own, and nothing is posted after today.
        for (const QString &row : c.rows("select distinct DocumentDate, FarsiDocumentDate from tblAccountDocument union "
                                         "select distinct TransactionDate, FarsiTransactionDate from tblAccountDocumentDetail")) {
            const QDate date = QDate::fromString(row.section(u'|', 0, 0), Qt::ISODate);
            QVERIFY2(date.isValid(), qPrintable(row));
            QCOMPARE(row.section(u'|', 1), jalaliText(date));
        }
        // Drafts of the last ten days are the newest documents.
        const QDate newest = c.value("select max(DocumentDate) from tblAccountDocument").toDate();
        QVERIFY(newest <= DemoToday && newest >= DemoToday.addDays(-9));
    }

    void demoHolds_data()
    {
        // Each query counts what the demo must offer the component's features;
        // the row is met when the count is at least the minimum.
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("minimum");
        QTest::newRow("one active period") << "select count(*) = 1 from tblAccountPeriod where IsActive = 1" << 1;
        QTest::newRow("user 1 holds every checked permission")
            << "select count(*) from tblUserPermission where UserID = 1 and PermissionID in "
               "(315, 303, 30001, 30302, 31505, 31506, 31507)" << 7;
        QTest::newRow("user 2 holds only 315")
            << "select count(*) = 1 and min(PermissionID) = 315 from tblUserPermission where UserID = 2" << 1;
        QTest::newRow("user 1 works in the active period at a branch")
            << "select count(*) from tblUser u join tblAccountPeriod p on p.ID = u.CurrentPeriodID "
               "where u.ID = 1 and p.IsActive = 1 and u.BranchID in (select ID from tblAccountBranch)" << 1;
        QTest::newRow("settings 306 and 311 are 1")
            << "select count(*) from tblVelkoSystemParameters where ID in (306, 311) and Value = '1'" << 2;
        QTest::newRow("setting 4 names existing accounts")
            << "select count(*) from tblAccount a, tblVelkoSystemParameters p where p.ID = 4 "
               "and ',' || p.Value || ',' like '%,' || a.ID || ',%'" << 1;
        QTest::newRow("debit and credit natured accounts with limits")
            << "select count(distinct AccountNatureID) from tblAccount where MaxDebit > 0 or MaxCredit > 0" << 2;
        QTest::newRow("accounts four levels deep") << "select max(Level) from tblAccount" << 4;
        QTest::newRow("an account with six related classes")
            << "select max(n) from (select count(*) as n from tblAccountRelatedClasses group by AccountID)" << 6;
        QTest::newRow("class 7 is persons")
            << "select count(*) from tblAccountClass where ID = 7 and ViewMajor = 'vwPersonMajor'" << 1;
        QTest::newRow("rows tagged with persons")
            << "select count(*) from vwAccountNonPreDocumnetObjects where ClassID = 7" << 50;
        QTest::newRow("reviewed and unreviewed rows")
            << "select count(distinct IsChecked) from tblAccountDocumentDetail" << 2;
        QTest::newRow("finalized and open documents")
            << "select count(distinct IsFinalized) from tblAccountDocument where IsScratch = 0" << 2;
        QTest::newRow("rows excluded from assignment on an assignment account")
            << "select count(*) from tblAccountDocumentDetail d, tblVelkoSystemParameters p where p.ID = 4 "
               "and ',' || p.Value || ',' like '%,' || d.AccountID || ',%' and d.IsAssignmentExcluded = 1" << 1;
        QTest::newRow("links between documents")
            << "select count(*) from tblVelkoRelatedForms where ReferenceFormTypeID = 303 and RelatedFormTypeID = 303 "
               "and AssignedValue > 0 and RelatedFormRowNumber is not null" << 5;
        QTest::newRow("links to sale invoices waiting for their amount")
            << "select count(*) from tblVelkoRelatedForms where RelatedFormTypeID = 901 and AssignedValue is null" << 1;
        QTest::newRow("sale invoice rows with goods")
            << "select count(distinct d.FormID) from tblAccountDocumentDetail d join vwSaleInvoiceGoodReport g "
               "on g.InvoiceID = d.FormID where d.FormTypeID = 901 and d.DebitValue > 0" << 10;
        QTest::newRow("goods without a code") << "select count(*) from vwSaleInvoiceGoodReport where Code is null" << 1;
        QTest::newRow("returns with and without their invoice")
            << "select count(distinct SaleInvoiceID is null) from tblSaleReturn" << 2;
        QTest::newRow("return rows name the return form")
            << "select count(*) from vwAccountDocumentDetail where FormTypeID = 902 and FileName like '%saleReturn%'" << 1;
        QTest::newRow("unbalanced forms on an intermediary account")
            << "select count(*) from vwAccountDocumentInfo i join tblAccount a on a.ID = i.AccountID "
               "where a.AccountNatureID = 2 and i.SumDebit <> i.SumCredit" << 1;
        QTest::newRow("rows with a contract") << "select count(*) from vwAccountDocumentDetail where AccContract <> ''" << 1;
        QTest::newRow("due dates after today")
            << QStringLiteral("select count(*) from tblAccountDocumentDetail where TransactionDate > '%1'")
                   .arg(DemoToday.toString(Qt::ISODate)) << 1;
        QTest::newRow("ledger printout templates with and without goods")
            << "select count(*) from tblVelkoReportTemplate where FormTypeID = 315 and ReportFormatID = 31501" << 2;
        QTest::newRow("base paths") << "select count(*) from vwVelkoBasePath where BasePath like '%/'" << 1;
        QTest::newRow("branches with children") << "select count(*) from tblAccountBranchParent where ID <> ChildID" << 2;
    }

    void demoHolds()
    {
        QFETCH(QString, sql);
        QFETCH(int, minimum);
        Connection c(m_demoPath);
        QVERIFY2(c.count(sql) >= minimum, qPrintable(sql));
    }

    void demoClassViewsExist()
    {
        // Every class names views that exist and list (ID, Code, Name) and (ID, ChildID).
        Connection c(m_demoPath);
        for (const QString &views : c.rows("select ViewMajor, ViewMinor from tblAccountClass"))
            for (const QString &sql : {"select ID, Code, Name from " + views.section(u'|', 0, 0),
                                       "select ID, ChildID from " + views.section(u'|', 1)}) {
                QSqlQuery query(c.db());
                QVERIFY2(query.exec(sql) && query.next(), qPrintable(sql));
            }
    }

    // Built for a given day, or for the component's today when none is given.
    void demoBuildsOnEdgeDays_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<bool>("fromClock");
        QTest::addColumn<QString>("period"); // the active one
        QTest::newRow("first day of a year") << QDate(2025, 3, 21) << false << "سال مالي 1404";     // 1404/01/01
        QTest::newRow("last day of a leap year") << QDate(2025, 3, 20) << false << "سال مالي 1403"; // 1403/12/30
        QTest::newRow("the component's today") << QDate(2024, 8, 1) << true << "سال مالي 1403";     // 1403/05/11
    }
    void demoBuildsOnEdgeDays()
    {
        QFETCH(QDate, today);
        QFETCH(bool, fromClock);
        QFETCH(QString, period);
        DemoOptions options;
        options.rows = 40;
        if (fromClock)
            SetTodayForTesting(today);
        else
            options.today = today;
        const QString path = m_dir.filePath(QTest::currentDataTag() + QStringLiteral(".db"));
        const DemoSummary summary = MakeDemoDatabase(path, options);
        SetTodayForTesting(QDate());
        Connection c(path);
        QCOMPARE(c.count(QStringLiteral("select count(*) from vwAccountDocumentDetail where AccountID = %1")
                             .arg(summary.busiestLeafAccountId)), qint64(40));
        QCOMPARE(c.value("select max(DocumentDate) from tblAccountDocument").toString(), today.toString(Qt::ISODate));
        QCOMPARE(c.rows(QStringLiteral("select ID, Name from tblAccountPeriod where IsActive = 1 and "
                                       "BeginDate <= '%1' and EndDate >= '%1'").arg(today.toString(Qt::ISODate))),
                 QStringList {QString::number(summary.activePeriodId) + u'|' + period});
        QCOMPARE(c.count("select count(*) from (select DocumentID from tblAccountDocumentDetail group by DocumentID "
                         "having sum(DebitValue) <> sum(CreditValue))"), qint64(0));
    }
};

QTEST_GUILESS_MAIN(TestStandIn)
#include "test_standin.moc"
