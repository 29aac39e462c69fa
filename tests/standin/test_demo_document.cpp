// Saving a new accounting document from the demo's document window: a
// balanced document of posting accounts is written with its rows, anything
// else is refused with its reason and leaves the database as it was.

#include "DemoDocumentSave.h"
#include "StandInDatabase.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

class TestDemoDocument : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void savesOrRefuses_data();
    void savesOrRefuses();

private:
    qint64 count(const QString &sql);

    QTemporaryDir m_dir;
    QString m_path;
};

void TestDemoDocument::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_path = m_dir.filePath(QStringLiteral("demo.db"));
    DemoOptions options;
    options.rows = 300;
    options.today = QDate(2025, 6, 15); // 1404/03/25
    MakeDemoDatabase(m_path, options);
}

qint64 TestDemoDocument::count(const QString &sql)
{
    qint64 value = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        db.setDatabaseName(m_path);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(sql) && q.next())
                value = q.value(0).toLongLong();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
    return value;
}

void TestDemoDocument::savesOrRefuses_data()
{
    // Rows are "code|description|debit|credit".
    QTest::addColumn<QString>("date");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("refusal"); // part of the reason; empty when saved

    QTest::newRow("balanced") << "1404/03/10"
                              << QStringList {"110101|واريز|1,500,000|", "110102||0|1500000", "|||"} << QString();
    QTest::newRow("out of balance") << "1404/03/10" << QStringList {"110101||1500000|", "110102|||1499999"}
                                    << QStringLiteral("تراز نيست");
    QTest::newRow("unknown account") << "1404/03/10" << QStringList {"110101||1000|", "999999|||1000"}
                                     << QStringLiteral("999999 وجود ندارد");
    QTest::newRow("group account") << "1404/03/10" << QStringList {"110101||1000|", "1101|||1000"}
                                   << QStringLiteral("زير حساب");
    QTest::newRow("no rows") << "1404/03/10" << QStringList {"|||"} << QStringLiteral("رديفي ندارد");
    QTest::newRow("debit and credit in a row") << "1404/03/10" << QStringList {"110101||1000|1000"}
                                               << QStringLiteral("فقط مبلغ بدهكار");
    QTest::newRow("fraction") << "1404/03/10" << QStringList {"110101||10.5|", "110102|||10.5"}
                              << QStringLiteral("عدد صحيح");
    QTest::newRow("no such day") << "1404/12/31" << QStringList {"110101||1000|", "110102|||1000"}
                                 << QStringLiteral("معتبر نيست");
    QTest::newRow("outside the periods") << "1399/01/01" << QStringList {"110101||1000|", "110102|||1000"}
                                         << QStringLiteral("دوره مالي");
}

void TestDemoDocument::savesOrRefuses()
{
    QFETCH(QString, date);
    QFETCH(QStringList, rows);
    QFETCH(QString, refusal);

    QList<DemoDocumentRow> typed;
    for (const QString &row : rows) {
        const QStringList cells = row.split(QLatin1Char('|'));
        typed.append({cells[0], cells[1], cells[2], cells[3]});
    }
    const qint64 documents = count(QStringLiteral("select count(*) from tblAccountDocument"));
    const qint64 details = count(QStringLiteral("select count(*) from tblAccountDocumentDetail"));
    const qint64 nextCode = count(QStringLiteral("select max(Code) + 1 from tblAccountDocument d "
                                                 "join tblAccountPeriod p on p.ID = d.PeriodID "
                                                 "where p.BeginDate = '2025-03-21'"));

    const DemoDocumentSaved saved = SaveDemoDocument(StandInConnectionString(m_path), date,
                                                     QStringLiteral("سند آزمايشي"), typed);

    if (!refusal.isEmpty()) {
        QCOMPARE(saved.id, 0);
        QVERIFY2(saved.error.contains(refusal), qPrintable(saved.error));
        QCOMPARE(count(QStringLiteral("select count(*) from tblAccountDocument")), documents);
        QCOMPARE(count(QStringLiteral("select count(*) from tblAccountDocumentDetail")), details);
        return;
    }
    QVERIFY2(saved.id > 0, qPrintable(saved.error));
    const QString id = QString::number(saved.id);
    QCOMPARE(count(QStringLiteral("select count(*) from tblAccountDocument")), documents + 1);
    QCOMPARE(count("select Code from tblAccountDocument where ID = " + id), nextCode);
    QCOMPARE(count("select count(*) from tblAccountDocument where IsFinalized = 0 and IsScratch = 0 "
                   "and DocumentDate = '2025-05-31' and FarsiDocumentDate = '1404/03/10' and ID = " + id), 1);
    // The rows are read as the ledger reads them, through the view.
    QCOMPARE(count("select count(*) from vwAccountDocumentDetailWithScratch where DocumentID = " + id), 2);
    QCOMPARE(count("select sum(DebitValue) from tblAccountDocumentDetail where DocumentID = " + id), 1500000);
    QCOMPARE(count("select sum(CreditValue) from tblAccountDocumentDetail where DocumentID = " + id), 1500000);
    QCOMPARE(count("select count(*) from tblAccountDocumentDetail where DocumentCode = " + QString::number(nextCode)
                   + " and Description = 'واريز' and DocumentID = " + id), 1);
}

QTEST_GUILESS_MAIN(TestDemoDocument)
#include "test_demo_document.moc"
