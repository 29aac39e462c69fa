// Session record, data environment, shared routines, messages and the
// control's persisted properties.

#include "TestSupport.h"
#include "control/comAccountDetail1.h"
#include "session/DatabaseError.h"
#include "session/Messages.h"
#include "session/modMain.h"

#include <QFile>
#include <QHash>
#include <QSignalSpy>
#include <functional>
#include <cmath>
#include <limits>

namespace {

// A message component that records every property set and call, in order.
class RecordingMessage : public QObject
{
    Q_OBJECT

public:
    static inline QStringList calls;
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::DynamicPropertyChange) {
            const QByteArray name = static_cast<QDynamicPropertyChangeEvent *>(e)->propertyName();
            calls << QString::fromLatin1(name) + u'=' + property(name).toString();
        }
        return QObject::event(e);
    }
    Q_INVOKABLE void ClearShow() { calls << "ClearShow"; }
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

    // Texts turned into texts: thousands, amounts, raw currency, date numbers,
    // amounts read from texts, report connections.
    void textForms_data()
    {
        QTest::addColumn<QString>("function");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const QString thousands = QStringLiteral("FormatThousands"), amount = QStringLiteral("FormatAmountText");
        QTest::newRow("thousands: seven digits") << thousands << "1234567" << "1,234,567";
        QTest::newRow("thousands: three digits unchanged") << thousands << "123" << "123";
        QTest::newRow("thousands: empty stays empty") << thousands << "" << "";
        QTest::newRow("thousands: four digits") << thousands << "1234" << "1,234";
        QTest::newRow("thousands: six digits, no leading separator") << thousands << "123456" << "123,456";
        // The sign is a character like any other.
        QTest::newRow("thousands: minus and six digits") << thousands << "-123456" << "-,123,456";
        QTest::newRow("thousands: minus and three digits") << thousands << "-200" << "-,200";
        QTest::newRow("thousands: decimal point counts") << thousands << "1234.5" << "123,4.5";

        QTest::newRow("amount: whole") << amount << "1234567" << "1,234,567";
        QTest::newRow("amount: decimal part kept out of the groups") << amount << "1234567.25" << "1,234,567.25";
        QTest::newRow("amount: short whole part") << amount << "9.75" << "9.75";
        // A person reads the sign before the grouped digits.
        QTest::newRow("amount: negative of three digits") << amount << "-200" << "-200";
        QTest::newRow("amount: negative remainder") << amount << "-206976974000" << "-206,976,974,000";
        QTest::newRow("amount: negative fraction") << amount << "-1234.5" << "-1,234.5";
        QTest::newRow("amount: largest negative") << amount << "-922337203685477.5808" << "-922,337,203,685,477.5808";

        const QString raw = QStringLiteral("Currency::toString");
        QTest::newRow("currency: zero") << raw << "0" << "0";
        QTest::newRow("currency: whole") << raw << "12000000" << "1200";
        QTest::newRow("currency: trailing zeros dropped") << raw << "12345000" << "1234.5";
        QTest::newRow("currency: negative fraction") << raw << "-2500" << "-0.25";
        QTest::newRow("currency: smallest unit") << raw << "1" << "0.0001";

        const QString date = QStringLiteral("ParseDateNumber");
        QTest::newRow("date number: empty") << date << "" << "-1";
        QTest::newRow("date number: blanks only") << date << "   " << "-1";
        QTest::newRow("date number: True") << date << "True" << "1";
        QTest::newRow("date number: lower-case true is no number") << date << "true" << "0";
        QTest::newRow("date number: Jalali date") << date << "1397/01/05" << "13970105";
        QTest::newRow("date number: plain number") << date << "42" << "42";
        QTest::newRow("date number: leading digits") << date << "12ab" << "12";

        // The amount read, and the caller's text afterwards: only the "," leaves it.
        const QString parse = QStringLiteral("ParseAmount");
        QTest::newRow("parse: separators") << parse << "1,234,567" << "12345670000|1234567";
        QTest::newRow("parse: empty") << parse << "" << "0|";
        QTest::newRow("parse: negative fraction") << parse << "-1,200.5" << "-12005000|-1200.5";
        QTest::newRow("parse: leading number only") << parse << "12abc" << "120000|12abc";
        QTest::newRow("parse: not a number") << parse << "abc" << "0|abc";
        QTest::newRow("parse: leading blanks") << parse << "  7" << "70000|  7";
        QTest::newRow("parse: fifth decimal rounds") << parse << "0.00005" << "1|0.00005";
        QTest::newRow("parse: large amount stays exact")
            << parse << "123,456,789,012.3456" << "1234567890123456|123456789012.3456";
        QTest::newRow("parse: Persian digits") << parse << "۱,۲۳۴,۵۶۷" << "12345670000|۱۲۳۴۵۶۷";
        QTest::newRow("parse: Arabic-Indic digits") << parse << "-١٢٣" << "-1230000|-١٢٣";
        QTest::newRow("parse: Persian separator and decimal point") << parse << "۱٬۲۰۰٫۵" << "12005000|۱٬۲۰۰٫۵";

        const QString connect = QStringLiteral("BuildReportConnect");
        QTest::newRow("report connect: no password") << connect
            << "Provider=SQLOLEDB.1;Data Source=srv;Initial Catalog=acc;User ID=u" << "DSN= srv ;UID=u ; UserPassword=;DSQ=acc";
        QTest::newRow("report connect: with password") << connect
            << "Provider=SQLOLEDB.1;Password=p1;Persist Security Info=True;User ID=sa;Initial Catalog=Retail;Data Source=.\\SQL"
            << "DSN= .\\SQL ;UID=sa ; UserPassword=p1;DSQ=Retail";
        QTest::newRow("report connect: missing catalog stays empty") << connect
            << "Provider=SQLOLEDB.1;Data Source=srv;User ID=u" << "DSN= srv ;UID=u ; UserPassword=;DSQ=";
        QTest::newRow("report connect: database file without user or catalog") << connect
            << "Provider=SQLite;Data Source=/tmp/a b.db" << "DSN= /tmp/a b.db ;UID= ; UserPassword=;DSQ=";
        QTest::newRow("report connect: missing server gives empty text") << connect
            << "Provider=SQLOLEDB.1;User ID=u;Initial Catalog=c" << "";
    }
    void textForms()
    {
        QFETCH(QString, function);
        QFETCH(QString, text);
        const QHash<QString, std::function<QString()>> functions {
            {"FormatThousands", [&] { return FormatThousands(text, QStringLiteral(",")); }},
            {"FormatAmountText", [&] { return FormatAmountText(text); }},
            {"Currency::toString", [&] { return Currency::fromRaw(text.toLongLong()).toString(); }},
            {"ParseDateNumber", [&] { return QString::number(ParseDateNumber(text).toDouble(), 'g', 17); }},
            {"BuildReportConnect", [&] { return BuildReportConnect(text); }},
            {"ParseAmount", [&] {
                 QString typed = text;
                 const qint64 raw = ParseAmount(typed).raw();
                 return QString::number(raw) + u'|' + typed;
             }},
        };
        QTEST(functions.value(function)(), "expected");
    }

    // Arithmetic, conversions and parsing at the edges of the range: beyond it
    // is an error with its Persian message, never a wrapped or smaller number.
    void currencyRange_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("a"); // raw values; the text or the double for parse and double
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("result"); // raw value, or "overflow"
        const auto raw = [](qint64 value) { return QString::number(value); };
        const QString max = raw(std::numeric_limits<qint64>::max()), min = raw(std::numeric_limits<qint64>::min());
        const QString large = raw(5000000000000000000), credit = raw(-5000000000000000000); // 500,000,000,000,000
        const QString overflow = QStringLiteral("overflow");
        // Wrapped, this read as a debit balance of 844,674,407,370,955.1616.
        QTest::newRow("two large credits") << "+" << credit << credit << overflow;
        QTest::newRow("two large debits") << "+=" << large << large << overflow;
        QTest::newRow("large debit less large credit") << "-" << large << credit << overflow;
        QTest::newRow("credit past the smallest") << "-=" << min << "1" << overflow;
        QTest::newRow("negating the smallest") << "neg" << min << "" << overflow;
        QTest::newRow("size of the smallest") << "abs" << min << "" << overflow;
        QTest::newRow("units past the range") << "units" << "922337203685478" << "" << overflow;
        QTest::newRow("negative units past the range") << "units" << "-922337203685478" << "" << overflow;
        QTest::newRow("sum reaching the largest") << "+" << raw(std::numeric_limits<qint64>::max() - 1) << "1" << max;
        QTest::newRow("difference reaching the smallest") << "-" << raw(std::numeric_limits<qint64>::min() + 1) << "1" << min;
        QTest::newRow("negating the largest") << "neg" << max << "" << raw(-std::numeric_limits<qint64>::max());
        QTest::newRow("largest whole units") << "units" << "922337203685477" << "" << "9223372036854770000";

        QTest::newRow("double rounds half away from zero") << "double" << "-0.00005" << "" << "-1";
        QTest::newRow("large whole double") << "double" << "900000000000000" << "" << "9000000000000000000";
        QTest::newRow("double past the range") << "double" << "1e15" << "" << overflow;
        QTest::newRow("double past the range below") << "double" << "-1e15" << "" << overflow;
        QTest::newRow("infinity") << "double" << "inf" << "" << overflow;
        QTest::newRow("not a number") << "double" << "nan" << "" << overflow;

        QTest::newRow("largest whole amount text") << "parse" << "922,337,203,685,477" << "" << "9223372036854770000";
        QTest::newRow("largest amount text") << "parse" << "922,337,203,685,477.5807" << "" << max;
        QTest::newRow("smallest amount text") << "parse" << "-922,337,203,685,477.5808" << "" << min;
        QTest::newRow("leading zeros are no digits") << "parse" << "0000000000000000000000012" << "" << "120000";
        QTest::newRow("one unit past the largest") << "parse" << "922,337,203,685,477.5808" << "" << overflow;
        QTest::newRow("rounding past the largest") << "parse" << "922337203685477.58075" << "" << overflow;
        QTest::newRow("one unit past the smallest") << "parse" << "-922337203685477.5809" << "" << overflow;
        QTest::newRow("one digit more") << "parse" << "9,223,372,036,854,775" << "" << overflow;
        QTest::newRow("twenty-five digits") << "parse" << "1234567890123456789012345" << "" << overflow;
    }
    void currencyRange()
    {
        QFETCH(QString, operation);
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, result);
        const Currency x = Currency::fromRaw(a.toLongLong()), y = Currency::fromRaw(b.toLongLong());
        const auto check = [&](const std::function<Currency()> &run) {
            if (result != u"overflow") {
                QCOMPARE(QString::number(run().raw()), result);
                return;
            }
            try {
                run();
                QFAIL("no overflow reported");
            } catch (const CurrencyOverflow &error) {
                QCOMPARE(error.message(), QStringLiteral("مبلغ از حد مجاز بيشتر است."));
                QCOMPARE(QString::fromUtf8(error.what()), QStringLiteral("مبلغ از حد مجاز بيشتر است."));
            }
        };
        const QHash<QString, std::function<Currency()>> operations {
            {"+", [&] { return x + y; }}, {"-", [&] { return x - y; }},
            {"+=", [&] { Currency r = x; return r += y; }}, {"-=", [&] { Currency r = x; return r -= y; }},
            {"neg", [&] { return -x; }}, {"abs", [&] { return x.abs(); }},
            {"units", [&] { return Currency::fromUnits(a.toLongLong()); }},
            {"double", [&] { return Currency::fromDouble(a.toDouble()); }},
            {"parse", [&] { QString text = a; return ParseAmount(text); }},
        };
        check(operations.value(operation));
        // The host's text and the UTF-8 reader agree on the amount texts.
        if (operation == u"parse")
            check([&] { return Currency::parsePrefix(QString(a).remove(u',').toStdString()); });
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
        QTest::addColumn<int>("branch"); // 0: the start is refused
        QTest::newRow("user with branch") << 1 << 12;
        QTest::newRow("null branch") << 2 << -1;
        QTest::newRow("unknown user") << 99 << -1;
        // A branch that does not fit 32 bits would wrap into another branch.
        QTest::newRow("branch beyond 32 bits") << 3 << 0;
    }
    void startSessionReadsBranch()
    {
        QFETCH(int, userId);
        QFETCH(int, branch);
        TestDatabase db;
        db.exec({"insert into tblUser(ID, Name, BranchID) values "
                 "(1, 'مدير', 12), (2, 'حسابدار', null), (3, 'انبار', 4294967298)"});
        StatementLog log;
        if (branch == 0) {
            QVERIFY_THROWS_EXCEPTION(DatabaseError, db.startSession(userId));
        } else {
            db.startSession(userId);
            QCOMPARE(Session.BranchID, branch);
            QCOMPARE(Session.DataEnvironment().Provider(), QStringLiteral("SQLite"));
        }
        QCOMPARE(log.texts(), QStringList {"Select * from tblUser Where ID = " + QString::number(userId)});
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

        // A text longer than its parameter is refused before it reaches the database.
        log.clear();
        QVariantList tooLong {1, 1, 1, QString(21, u'x'), QDateTime(QDate(2024, 4, 1), QTime()), "1403/01/13", 0, "شرح"};
        QVERIFY_THROWS_EXCEPTION(DatabaseError, RunCommand("spAccountUpdateDocumentDetail", tooLong));
        QVERIFY(log.all().isEmpty());
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
        RecordingMessage::calls.clear();
        RegisterComponent("comMessage.comMSG", [] { return std::unique_ptr<QObject>(new RecordingMessage); });
        if (question)
            AskQuestion("عنوان", "متن");
        else
            ShowMessage(ErrorTitle, "متن");
        QCOMPARE(RecordingMessage::calls, (QStringList {
                                              question ? "FormTitle=عنوان" : "FormTitle=خطا",
                                              "FormMessage=متن",
                                              QStringLiteral("FormType=") + (question ? "1" : "0"),
                                              "FormBackColor=14799304",  // RGB 200,209,225
                                              "BtmBackColor=12490375",   // RGB 135,150,190
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
        Session.ConnectionText = "untouched";
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
            QCOMPARE((QList<int> {control.UserID(), control.PositionID(), control.EmployeeID(), control.AccPeriodSpecID()}),
                     (QList<int> {3, 4, 5, 6}));
            QCOMPARE(control.SqlString(), QStringLiteral("IsChecked = 0"));
        } else {
            control.ReadProperties(bag);
            QCOMPARE(control.property(qPrintable(key)).toInt(), loaded);
            QCOMPARE(control.SqlString(), QStringLiteral("IsChecked = 1"));
            // Keys the bag lacks keep their defaults and leave the session alone.
            QCOMPARE(control.OLEConnectionString(), QString());
            QCOMPARE(control.RefreshAlarm(), false);
            QCOMPARE(Session.ConnectionText, QStringLiteral("untouched"));
        }
    }

    void bagRoundTripUsesExactKeys()
    {
        comAccountDetail1 control;
        control.InitProperties();
        PropertyBag bag;
        control.WriteProperties(bag);
        QVERIFY(bag.isEmpty()); // a fresh control saves nothing
        control.setPassword("secret");
        control.setSqlString("IsChecked = 0");
        control.setAccPeriodSpecID(7);
        control.setRefreshAlarm(true);
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
