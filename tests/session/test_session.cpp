// Session record, data environment, shared routines, messages and the
// control's persisted properties.

#include "TestSupport.h"
#include "control/comAccountDetail1.h"
#include "session/DatabaseError.h"
#include "session/Messages.h"
#include "session/modMain.h"

#include <QFile>
#include <QSignalSpy>
#include <cmath>
#include <limits>

namespace {

// A message component that records every property set and call, in order.
class RecordingMessage : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QVariant FormTitle READ zero WRITE setFormTitle)
    Q_PROPERTY(QString FormMessage READ none WRITE setFormMessage)
    Q_PROPERTY(int FormType READ number WRITE setFormType)
    Q_PROPERTY(int FormBackColor READ number WRITE setFormBackColor)
    Q_PROPERTY(int BtmBackColor READ number WRITE setBtmBackColor)
    Q_PROPERTY(int FrameBackColor READ number WRITE setFrameBackColor)

public:
    static QStringList &calls() { static QStringList list; return list; }

    QVariant zero() const { return {}; }
    QString none() const { return {}; }
    int number() const { return 0; }
    void setFormTitle(const QVariant &v) { calls() << "FormTitle=" + v.toString(); }
    void setFormMessage(const QString &v) { calls() << "FormMessage=" + v; }
    void setFormType(int v) { calls() << "FormType=" + QString::number(v); }
    void setFormBackColor(int v) { calls() << "FormBackColor=" + QString::number(v); }
    void setBtmBackColor(int v) { calls() << "BtmBackColor=" + QString::number(v); }
    void setFrameBackColor(int v) { calls() << "FrameBackColor=" + QString::number(v); }
    Q_INVOKABLE void ClearShow() { calls() << "ClearShow"; }
};

} // namespace

class TestSession : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        ResetSessionForTesting();
        ResetComponentsForTesting();
        ScriptedMessages::install();
    }
    void cleanup() { ResetSessionForTesting(); }

    void formatThousands_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("seven digits") << "1234567" << "1,234,567";
        QTest::newRow("three digits unchanged") << "123" << "123";
        QTest::newRow("empty stays empty") << "" << "";
        QTest::newRow("four digits") << "1234" << "1,234";
        QTest::newRow("six digits, no leading separator") << "123456" << "123,456";
        // The sign is a character like any other.
        QTest::newRow("minus and six digits") << "-123456" << "-,123,456";
        QTest::newRow("minus and three digits") << "-200" << "-,200";
        QTest::newRow("decimal point counts") << "1234.5" << "123,4.5";
    }
    void formatThousands()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(FormatThousands(text, QStringLiteral(",")), expected);
    }

    void formatAmountText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("whole amount") << "1234567" << "1,234,567";
        QTest::newRow("decimal part kept out of the groups") << "1234567.25" << "1,234,567.25";
        QTest::newRow("short whole part") << "9.75" << "9.75";
        // A person reads the sign before the grouped digits.
        QTest::newRow("negative of three digits") << "-200" << "-200";
        QTest::newRow("negative remainder") << "-206976974000" << "-206,976,974,000";
        QTest::newRow("negative fraction") << "-1234.5" << "-1,234.5";
        QTest::newRow("largest negative") << "-922337203685477.5808" << "-922,337,203,685,477.5808";
    }
    void formatAmountText()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(FormatAmountText(text), expected);
    }

    void parseAmount_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("raw");
        QTest::addColumn<QString>("cleaned");
        QTest::newRow("separators") << "1,234,567" << qint64(12345670000) << "1234567";
        QTest::newRow("empty") << "" << qint64(0) << "";
        QTest::newRow("negative fraction") << "-1,200.5" << qint64(-12005000) << "-1200.5";
        QTest::newRow("leading number only") << "12abc" << qint64(120000) << "12abc";
        QTest::newRow("not a number") << "abc" << qint64(0) << "abc";
        QTest::newRow("leading blanks") << "  7" << qint64(70000) << "  7";
        QTest::newRow("fifth decimal rounds") << "0.00005" << qint64(1) << "0.00005";
        QTest::newRow("large amount stays exact") << "123,456,789,012.3456" << qint64(1234567890123456) << "123456789012.3456";
        // Typed amounts: only the "," leaves the caller's text.
        QTest::newRow("Persian digits") << "۱,۲۳۴,۵۶۷" << qint64(12345670000) << "۱۲۳۴۵۶۷";
        QTest::newRow("Arabic-Indic digits") << "-١٢٣" << qint64(-1230000) << "-١٢٣";
        QTest::newRow("Persian separator and decimal point") << "۱٬۲۰۰٫۵" << qint64(12005000) << "۱٬۲۰۰٫۵";
    }
    void parseAmount()
    {
        QFETCH(QString, text);
        QFETCH(qint64, raw);
        QFETCH(QString, cleaned);
        QCOMPARE(ParseAmount(text).raw(), raw);
        QCOMPARE(text, cleaned);
    }

    void parseAmountAtTheLimit_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("overflows");
        QTest::addColumn<qint64>("raw");
        QTest::newRow("largest whole amount") << "922,337,203,685,477" << false << qint64(9223372036854770000);
        QTest::newRow("largest amount") << "922,337,203,685,477.5807" << false << std::numeric_limits<qint64>::max();
        QTest::newRow("smallest amount") << "-922,337,203,685,477.5808" << false << std::numeric_limits<qint64>::min();
        QTest::newRow("leading zeros are no digits") << "0000000000000000000000012" << false << qint64(120000);
        QTest::newRow("one unit past the largest") << "922,337,203,685,477.5808" << true << qint64(0);
        QTest::newRow("rounding past the largest") << "922337203685477.58075" << true << qint64(0);
        QTest::newRow("one unit past the smallest") << "-922337203685477.5809" << true << qint64(0);
        QTest::newRow("one digit more") << "9,223,372,036,854,775" << true << qint64(0);
        QTest::newRow("twenty-five digits") << "1234567890123456789012345" << true << qint64(0);
    }
    void parseAmountAtTheLimit()
    {
        QFETCH(QString, text);
        QFETCH(bool, overflows);
        QFETCH(qint64, raw);
        if (overflows) {
            // Beyond the range is an error, never a smaller number.
            QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, ParseAmount(text));
            QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, Currency::parsePrefix(text.remove(',').toStdString()));
        } else {
            QCOMPARE(ParseAmount(text).raw(), raw);
            QCOMPARE(Currency::parsePrefix(text.toStdString()).raw(), raw);
        }
    }

    void currencyArithmetic_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<qint64>("a");
        QTest::addColumn<qint64>("b");
        QTest::addColumn<bool>("overflows");
        QTest::addColumn<qint64>("result");
        const qint64 max = std::numeric_limits<qint64>::max();
        const qint64 min = std::numeric_limits<qint64>::min();
        const qint64 large = 5000000000000000000; // 500,000,000,000,000
        // Wrapped, this read as a debit balance of 844,674,407,370,955.1616.
        QTest::newRow("two large credits") << "+" << -large << -large << true << qint64(0);
        QTest::newRow("two large debits") << "+=" << large << large << true << qint64(0);
        QTest::newRow("large debit less large credit") << "-" << large << -large << true << qint64(0);
        QTest::newRow("credit past the smallest") << "-=" << min << qint64(1) << true << qint64(0);
        QTest::newRow("negating the smallest") << "neg" << min << qint64(0) << true << qint64(0);
        QTest::newRow("size of the smallest") << "abs" << min << qint64(0) << true << qint64(0);
        QTest::newRow("units past the range") << "units" << qint64(922337203685478) << qint64(0) << true << qint64(0);
        QTest::newRow("negative units past the range") << "units" << qint64(-922337203685478) << qint64(0) << true << qint64(0);
        QTest::newRow("sum reaching the largest") << "+" << max - 1 << qint64(1) << false << max;
        QTest::newRow("difference reaching the smallest") << "-" << min + 1 << qint64(1) << false << min;
        QTest::newRow("negating the largest") << "neg" << max << qint64(0) << false << -max;
        QTest::newRow("largest whole units") << "units" << qint64(922337203685477) << qint64(0) << false
                                             << qint64(9223372036854770000);
    }
    void currencyArithmetic()
    {
        QFETCH(QString, operation);
        QFETCH(qint64, a);
        QFETCH(qint64, b);
        QFETCH(bool, overflows);
        const Currency x = Currency::fromRaw(a);
        const Currency y = Currency::fromRaw(b);
        auto run = [&] {
            Currency r = x;
            if (operation == "+")
                return x + y;
            if (operation == "-")
                return x - y;
            if (operation == "+=")
                return r += y;
            if (operation == "-=")
                return r -= y;
            if (operation == "neg")
                return -x;
            if (operation == "abs")
                return x.abs();
            return Currency::fromUnits(a);
        };
        QFETCH(qint64, result);
        if (overflows)
            QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, run());
        else
            QCOMPARE(run().raw(), result);
    }

    void currencyFromDouble_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("overflows");
        QTest::addColumn<qint64>("raw");
        QTest::newRow("rounds half away from zero") << -0.00005 << false << qint64(-1);
        QTest::newRow("large whole amount") << 900000000000000.0 << false << qint64(9000000000000000000);
        QTest::newRow("past the range") << 1e15 << true << qint64(0);
        QTest::newRow("past the range below") << -1e15 << true << qint64(0);
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << true << qint64(0);
        QTest::newRow("not a number") << std::nan("") << true << qint64(0);
    }
    void currencyFromDouble()
    {
        QFETCH(double, value);
        QFETCH(bool, overflows);
        QFETCH(qint64, raw);
        if (overflows)
            QVERIFY_THROWS_EXCEPTION(CurrencyOverflow, Currency::fromDouble(value));
        else
            QCOMPARE(Currency::fromDouble(value).raw(), raw);
    }

    void currencyOverflowIsADatabaseErrorWithAPersianMessage()
    {
        try {
            Currency::fromRaw(std::numeric_limits<qint64>::max()) + Currency::fromRaw(1);
            QFAIL("no overflow reported");
        } catch (const DatabaseError &error) {
            QCOMPARE(error.message(), QStringLiteral("مبلغ از حد مجاز بيشتر است."));
            QCOMPARE(QString::fromUtf8(error.what()), QStringLiteral("مبلغ از حد مجاز بيشتر است."));
        }
    }

    void sqlCondition_data()
    {
        QTest::addColumn<QString>("condition");
        QTest::addColumn<int>("fault");
        const int none = int(SqlConditionFault::None);
        const int comment = int(SqlConditionFault::Comment);
        const int separator = int(SqlConditionFault::StatementSeparator);
        const int unclosed = int(SqlConditionFault::UnclosedQuote);
        QTest::newRow("empty") << "" << none;
        QTest::newRow("plain condition") << "IsChecked = 0" << none;
        QTest::newRow("subtraction and division") << "Debit - Credit > 10 / 2 * 3" << none;
        QTest::newRow("markers inside a literal") << "Description = 'a--b; /* c */'" << none;
        QTest::newRow("doubled quote stays inside") << "Description = 'it''s -- fine;'" << none;
        // Hides the date, period and branch conditions and the order after it.
        QTest::newRow("line comment") << "1=1 --" << comment;
        QTest::newRow("minus minus without blanks") << "Debit--1 > 0" << comment;
        QTest::newRow("block comment") << "1=1 /* rest" << comment;
        QTest::newRow("block comment end") << "1=1 */" << comment;
        QTest::newRow("comment after a literal") << "Description = 'it''s' --" << comment;
        QTest::newRow("second statement") << "1=1; Delete tblAccountDocumentDetail" << separator;
        QTest::newRow("trailing separator") << "IsChecked = 0;" << separator;
        QTest::newRow("literal left open") << "Description = 'abc" << unclosed;
        QTest::newRow("doubled quote at the end leaves it open") << "Description = 'a'' --" << unclosed;
        QTest::newRow("lone quote") << "'" << unclosed;
    }
    void sqlCondition()
    {
        QFETCH(QString, condition);
        QFETCH(int, fault);
        QCOMPARE(int(CheckSqlCondition(condition)), fault);
        if (fault == int(SqlConditionFault::None))
            RequireSingleSqlCondition(condition);
        else
            QVERIFY_THROWS_EXCEPTION(std::invalid_argument, RequireSingleSqlCondition(condition));
    }

    void currencyText_data()
    {
        QTest::addColumn<qint64>("raw");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero") << qint64(0) << "0";
        QTest::newRow("whole") << qint64(12000000) << "1200";
        QTest::newRow("trailing zeros dropped") << qint64(12345000) << "1234.5";
        QTest::newRow("negative fraction") << qint64(-2500) << "-0.25";
        QTest::newRow("smallest unit") << qint64(1) << "0.0001";
    }
    void currencyText()
    {
        QFETCH(qint64, raw);
        QFETCH(QString, expected);
        QCOMPARE(Currency::fromRaw(raw).toString(), expected);
    }

    void parseDateNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("empty") << "" << -1.0;
        QTest::newRow("blanks only") << "   " << -1.0;
        QTest::newRow("True") << "True" << 1.0;
        QTest::newRow("lower-case true is no number") << "true" << 0.0;
        QTest::newRow("Jalali date") << "1397/01/05" << 13970105.0;
        QTest::newRow("plain number") << "42" << 42.0;
        QTest::newRow("leading digits") << "12ab" << 12.0;
    }
    void parseDateNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(ParseDateNumber(text).toDouble(), expected);
    }

    void buildReportConnect_data()
    {
        QTest::addColumn<QString>("connection");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no password")
            << "Provider=SQLOLEDB.1;Data Source=srv;Initial Catalog=acc;User ID=u"
            << "DSN= srv ;UID=u ; UserPassword=;DSQ=acc";
        QTest::newRow("with password")
            << "Provider=SQLOLEDB.1;Password=p1;Persist Security Info=True;User ID=sa;Initial Catalog=Retail;Data Source=.\\SQL"
            << "DSN= .\\SQL ;UID=sa ; UserPassword=p1;DSQ=Retail";
        QTest::newRow("missing catalog stays empty")
            << "Provider=SQLOLEDB.1;Data Source=srv;User ID=u" << "DSN= srv ;UID=u ; UserPassword=;DSQ=";
        QTest::newRow("database file without user or catalog")
            << "Provider=SQLite;Data Source=/tmp/a b.db" << "DSN= /tmp/a b.db ;UID= ; UserPassword=;DSQ=";
        QTest::newRow("missing server gives empty text") << "Provider=SQLOLEDB.1;User ID=u;Initial Catalog=c" << "";
    }
    void buildReportConnect()
    {
        QFETCH(QString, connection);
        QFETCH(QString, expected);
        QCOMPARE(BuildReportConnect(connection), expected);
    }

    void startSessionRejectsBadConnections_data()
    {
        QTest::addColumn<QString>("connection");
        QTest::newRow("empty") << "";
        QTest::newRow("no semicolon") << "Provider=SQLite";
        QTest::newRow("unknown provider") << "Provider=Jet.OLEDB.4.0;Data Source=x.mdb";
        QTest::newRow("missing sqlite file") << "Provider=SQLite;Data Source=/nonexistent/ledger.db";
    }
    void startSessionRejectsBadConnections()
    {
        QFETCH(QString, connection);
        Session.ConnectionText = connection;
        QVERIFY_THROWS_EXCEPTION(DatabaseError, StartSession());
        QVERIFY(!QFile::exists(QStringLiteral("/nonexistent/ledger.db")));
    }

    void startSessionReadsBranch_data()
    {
        QTest::addColumn<int>("userId");
        QTest::addColumn<int>("branch");
        QTest::newRow("user with branch") << 1 << 12;
        QTest::newRow("null branch") << 2 << -1;
        QTest::newRow("unknown user") << 99 << -1;
    }
    void startSessionReadsBranch()
    {
        QFETCH(int, userId);
        QFETCH(int, branch);
        TestDatabase db;
        db.exec({"insert into tblUser(ID, Name, BranchID) values (1, 'مدير', 12)",
                 "insert into tblUser(ID, Name, BranchID) values (2, 'حسابدار', null)"});
        StatementLog log;
        db.startSession(userId);
        QCOMPARE(Session.BranchID, branch);
        QCOMPARE(log.texts(), QStringList {"Select * from tblUser Where ID = " + QString::number(userId)});
        QCOMPARE(Session.DataEnvironment().Provider(), QStringLiteral("SQLite"));
        QVERIFY(!Session.DataEnvironment().Rs("rssqlAccounts").IsOpen());
    }

    // A branch that does not fit 32 bits would wrap into another branch.
    void branchBeyondThirtyTwoBitsIsRefused()
    {
        TestDatabase db;
        db.exec({"insert into tblUser(ID, Name, BranchID) values (1, 'مدير', 4294967298)"});
        ResetSessionForTesting();
        Session.ConnectionText = db.connectionString();
        Session.UserID = 1;
        QVERIFY_THROWS_EXCEPTION(DatabaseError, StartSession());
        QVERIFY(!Session.DataEnvironment().Rs("rssqlAccounts").IsOpen());
    }

    void recordsetDiscipline()
    {
        TestDatabase db;
        db.exec({"insert into tblAccountPeriod(ID, Name, BeginDate, EndDate, IsActive) values "
                 "(1, 'سال 1402', '2023-03-21', '2024-03-19', 0), (2, 'سال 1403', '2024-03-20', '2025-03-20', 1)",
                 "insert into tblUser(ID, Name, BranchID) values (1, 'مدير', null)"});
        db.startSession();
        Recordset &periods = OpenOnText("rssqlAccPeriodSpec", "Select * From tblAccountPeriod Order By ID");
        QCOMPARE(periods.RecordCount(), 2);
        QVERIFY(!periods.Eof());
        QCOMPARE(periods.AbsolutePosition(), 1);
        QCOMPARE(periods.FieldText("name"), QStringLiteral("سال 1402")); // names are not case-sensitive
        periods.MoveNext();
        QCOMPARE(periods.AbsolutePosition(), 2);
        QCOMPARE(periods.Field("IsActive").toInt(), 1);
        periods.MoveNext();
        QVERIFY(periods.Eof());
        QVERIFY_THROWS_EXCEPTION(DatabaseError, periods.Field("Name"));
        periods.MoveFirst();
        QCOMPARE(periods.Field("ID").toInt(), 1);

        // Still open: a second open without closing fails and keeps the rows.
        QVERIFY_THROWS_EXCEPTION(DatabaseError, OpenOnText("rssqlAccPeriodSpec", "Select * From tblUser"));
        QCOMPARE(periods.RecordCount(), 2);
        ReopenOnText("rssqlAccPeriodSpec", "Select BranchID From tblUser");
        QCOMPARE(periods.RecordCount(), 1);
        QVERIFY(periods.IsNull("BranchID"));
        QCOMPARE(periods.FieldText("BranchID"), QString()); // null reads as ""
        periods.Close();

        Recordset &empty = OpenOnText("sqlAccounts", "Select * From tblAccount");
        QCOMPARE(empty.RecordCount(), 0);
        QVERIFY(empty.Eof());
        empty.Close();
    }

    void storedProcedures()
    {
        TestDatabase db;
        db.exec({"insert into tblAccount(ID, Code, Title, ParentID, AccountNatureID, MaxDebit, MaxCredit) values "
                 "(1, '1', 'دارايي ها', null, 0, 0, 0), (2, '101', 'صندوق', 1, 0, 0, 0)",
                 "insert into tblUser(ID, Name, BranchID, CurrentPeriodID) values (1, 'مدير', null, null)",
                 "insert into tblUserPermission(UserID, PermissionID) values (1, 315)"});
        db.startSession();
        StatementLog log;
        QVariantList title {2, QString()};
        RunCommand("spAccountGetCode_Title", title);
        QVERIFY(title.at(1).toString().contains(QStringLiteral("صندوق")));
        QCOMPARE(log.all().first().text, QStringLiteral("{? = CALL spAccountGetCode_Title( ?, ?) }"));
        QCOMPARE(log.all().first().parameters.first().toInt(), 2);

        QCOMPARE(RunCommandValue("spAccountIsLeafAccount", {1}), 0);
        QCOMPARE(RunCommandValue("spAccountIsLeafAccount", {2}), 1);
        QVERIFY(HasPermission(315));
        QVERIFY(!HasPermission(30302));
        // No current period and no active one: a null return reads as 0.
        QCOMPARE(RunCommandValue("spAccountGetCurrentUserPeriod", {1}), 0);
    }

    void tooLongTextIsRefusedBeforeReachingTheDatabase()
    {
        TestDatabase db;
        db.exec({"insert into tblUser(ID, Name) values (1, 'مدير')"});
        db.startSession();
        QVariantList args {1, 1, 1, QString(21, QLatin1Char('x')), QDateTime(QDate(2024, 4, 1), QTime()),
                           "1403/01/13", 0, "شرح"};
        QVERIFY_THROWS_EXCEPTION(DatabaseError, RunCommand("spAccountUpdateDocumentDetail", args));
    }

    void messagesGoThroughTheComponent()
    {
        ShowMessage(ErrorTitle, NotPermittedMessage);
        QCOMPARE(ScriptedMessages::shown().size(), 1);
        QCOMPARE(ScriptedMessages::shown().first().title, QStringLiteral("خطا"));
        QCOMPARE(ScriptedMessages::shown().first().message, NotPermittedMessage);
        QCOMPARE(ScriptedMessages::shown().first().type, 0);
    }

    void dialogFilledInOrder_data()
    {
        QTest::addColumn<bool>("question");
        QTest::newRow("message") << false;
        QTest::newRow("question") << true;
    }
    void dialogFilledInOrder()
    {
        QFETCH(bool, question);
        RecordingMessage::calls().clear();
        RegisterComponent("comMessage.comMSG", [] { return std::unique_ptr<QObject>(new RecordingMessage); });
        if (question)
            AskQuestion("عنوان", "متن");
        else
            ShowMessage("عنوان", "متن");
        QCOMPARE(RecordingMessage::calls(), (QStringList {
                                                "FormTitle=عنوان",
                                                "FormMessage=متن",
                                                QStringLiteral("FormType=") + (question ? "1" : "0"),
                                                "FormBackColor=14799304", // RGB 200,209,225
                                                "BtmBackColor=12490375",  // RGB 135,150,190
                                                "FrameBackColor=15655647", // RGB 223,226,238
                                                "ClearShow",
                                            }));
    }

    void askQuestion_data()
    {
        QTest::addColumn<int>("resualt");
        QTest::addColumn<int>("answer");
        QTest::newRow("yes") << 1 << int(AnswerYes);
        QTest::newRow("no") << 0 << int(AnswerNo);
        QTest::newRow("closed without answer") << -1 << int(AnswerNone);
        QTest::newRow("anything else") << 5 << int(AnswerNone);
    }
    void askQuestion()
    {
        QFETCH(int, resualt);
        QFETCH(int, answer);
        ScriptedMessages::answers() << resualt;
        QCOMPARE(AskQuestion("عنوان", "سوال؟"), answer);
        QCOMPARE(ScriptedMessages::shown().last().type, 1);
    }

    void missingMessageComponentIsSilent()
    {
        RemoveComponent("comMessage.comMSG");
        ShowMessage(ErrorTitle, "x");
        QCOMPARE(AskQuestion(ErrorTitle, "y"), int(AnswerNone));
        QVERIFY(ScriptedMessages::shown().isEmpty());
    }

    void freshControlSavesEmptyBag()
    {
        comAccountDetail1 control;
        control.InitProperties();
        PropertyBag bag;
        control.WriteProperties(bag);
        QVERIFY(bag.isEmpty());
    }

    void bagWithOnlyUserId()
    {
        Session.ConnectionText = "untouched";
        comAccountDetail1 control;
        control.ReadProperties(PropertyBag({{"UserID", 5}}));
        QCOMPARE(control.UserID(), qint16(5));
        QCOMPARE(control.OLEConnectionString(), QString());
        QCOMPARE(control.RefreshAlarm(), false);
        QCOMPARE(Session.ConnectionText, QStringLiteral("untouched"));
    }

    void bagValuesBeyondSixteenBits_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("loaded"); // -1: refused
        QTest::newRow("UserID 40000 is no user -25536") << "UserID" << QVariant(40000) << -1;
        QTest::newRow("PositionID -40000") << "PositionID" << QVariant(-40000) << -1;
        QTest::newRow("EmployeeID 65538 as text") << "EmployeeID" << QVariant("65538") << -1;
        QTest::newRow("AccPeriodSpecID not a number") << "AccPeriodSpecID" << QVariant("abc") << -1;
        QTest::newRow("UserID with a fraction") << "UserID" << QVariant(7.5) << -1;
        QTest::newRow("UserID 32767") << "UserID" << QVariant(32767) << 32767;
        QTest::newRow("AccPeriodSpecID as text") << "AccPeriodSpecID" << QVariant("12") << 12;
    }
    void bagValuesBeyondSixteenBits()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, stored);
        QFETCH(int, loaded);
        comAccountDetail1 control;
        control.setUserID(3);
        control.setPositionID(4);
        control.setEmployeeID(5);
        control.setAccPeriodSpecID(6);
        control.setSqlString("IsChecked = 0");
        const PropertyBag bag({{key, stored}, {"sqlString", "IsChecked = 1"}});
        if (loaded == -1) {
            QVERIFY_THROWS_EXCEPTION(std::out_of_range, control.ReadProperties(bag));
            // Nothing of the refused bag is taken.
            QCOMPARE(control.UserID(), qint16(3));
            QCOMPARE(control.PositionID(), qint16(4));
            QCOMPARE(control.EmployeeID(), qint16(5));
            QCOMPARE(control.AccPeriodSpecID(), qint16(6));
            QCOMPARE(control.SqlString(), QStringLiteral("IsChecked = 0"));
        } else {
            control.ReadProperties(bag);
            QCOMPARE(control.property(qPrintable(key)).toInt(), loaded);
            QCOMPARE(control.SqlString(), QStringLiteral("IsChecked = 1"));
        }
    }

    void bagRoundTripUsesExactKeys()
    {
        comAccountDetail1 control;
        control.setPassword("secret");
        control.setSqlString("IsChecked = 0");
        control.setAccPeriodSpecID(7);
        control.setRefreshAlarm(true);
        PropertyBag bag;
        control.WriteProperties(bag);
        QCOMPARE(bag.values().keys(), (QStringList {"AccPeriodSpecID", "PassWord", "RefreshAlarm", "sqlString"}));
        comAccountDetail1 loaded;
        loaded.ReadProperties(bag);
        QCOMPARE(loaded.Password(), QStringLiteral("secret"));
        QCOMPARE(loaded.SqlString(), QStringLiteral("IsChecked = 0"));
        QCOMPARE(loaded.AccPeriodSpecID(), qint16(7));
        QCOMPARE(loaded.RefreshAlarm(), true);
    }

    void connectionStringReachesSession()
    {
        comAccountDetail1 control;
        QSignalSpy changed(&control, &comAccountDetail1::PropertyChanged);
        control.setOLEConnectionString("Provider=SQLite;Data Source=a.db");
        QCOMPARE(Session.ConnectionText, QStringLiteral("Provider=SQLite;Data Source=a.db"));
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.first().first().toString(), QStringLiteral("OLEConnectionString"));
    }

    void shortPropertiesRejectOutOfRange_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("40000") << 40000 << false;
        QTest::newRow("-40000") << -40000 << false;
        QTest::newRow("32767") << 32767 << true;
        QTest::newRow("-32768") << -32768 << true;
    }
    void shortPropertiesRejectOutOfRange()
    {
        QFETCH(int, value);
        QFETCH(bool, accepted);
        comAccountDetail1 control;
        control.setUserID(3);
        if (accepted) {
            control.setUserID(value);
            QCOMPARE(int(control.UserID()), value);
        } else {
            QVERIFY_THROWS_EXCEPTION(std::out_of_range, control.setUserID(value));
            QCOMPARE(control.UserID(), qint16(3));
            QVERIFY_THROWS_EXCEPTION(std::out_of_range, control.setPositionID(value));
            QVERIFY_THROWS_EXCEPTION(std::out_of_range, control.setEmployeeID(value));
            QVERIFY_THROWS_EXCEPTION(std::out_of_range, control.setAccPeriodSpecID(value));
        }
    }
};

int RunSessionTests(int argc, char **argv)
{
    TestSession test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_session.moc"
