// The database backends: the T-SQL rewrite, connection strings and provider
// choice, the row texts of streaming, the stored procedures and the T-SQL
// texts of the component run on a real SQLite file with known rows.

#include "TestSupport.h"

#include "outside/database/Backend.h"
#include "outside/database/OdbcBackend.h"
#include "outside/database/SqliteBackend.h"
#include "outside/database/TsqlRewrite.h"
#include "session/DatabaseError.h"
#include "session/DtEn.h"
#include "session/ValueText.h"

#include <QFile>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QSqlRecord>
#include <functional>

namespace {

// Known rows. Links of accounting-document rows (form type 303):
//   doc 1 row 1 is the related form of links 1 (600) and 2 (400)  -> assigned debit 1000
//   doc 1 row 2 refers through link 1 (600)                       -> assigned credit 600
//   doc 2 row 1 is related through link 3 (null) -> 0; refers through link 6 (null) -> 0
//   doc 2 row 2 refers through links 3 (null) and 4 (250.25)      -> 250.25
//   doc 3 row 1 has no link                                       -> null both sides
const QStringList FixtureRows {
    "INSERT INTO tblUser (ID, Name, BranchID, CurrentPeriodID) VALUES (1, 'u1', NULL, 1), (2, 'u2', 5, NULL)",
    "INSERT INTO tblUserPermission (UserID, PermissionID) VALUES (1, 315), (1, 31505), (2, 31505)",
    "INSERT INTO tblAccount (ID, Code, Title, ParentID) VALUES (10, '11', 'صندوق و بانك', NULL),"
    " (11, '1101', 'صندوق', 10), (12, '1102', 'بانك', 10), (14, '21', 'ساير', NULL)",
    "INSERT INTO tblAccountPeriod (ID, Name, BeginDate, EndDate, IsActive) VALUES"
    " (1, '1401', '2022-03-21', '2023-03-20', 1), (2, '1402', '2023-03-21', '2024-03-19', 1),"
    " (3, '1403', '2024-03-20', '2025-03-20', 0)",
    "INSERT INTO tblAccountDocumentDetail (DocumentID, RowNumber, AccountID, DebitValue, CreditValue, Description,"
    " TransactionDate, FarsiTransactionDate, DocumentTypeID, AdditionalFormSpec, ContractID) VALUES"
    " (1, 1, 11, 1000, 0, 'a', '2023-04-01', '1402/01/12', 1, 'x', 5),"
    " (1, 2, 12, 0, 1000, 'b', '2023-04-01', '1402/01/12', 1, NULL, NULL),"
    " (2, 1, 11, 2500.5, 0, 'c', '2023-05-01', '1402/02/11', 1, NULL, NULL),"
    " (2, 2, 12, 0, 2500.5, 'd', '2023-05-01', '1402/02/11', 1, NULL, NULL),"
    " (3, 1, 11, 300, 0, 'e', '2023-06-01', '1402/03/11', 1, NULL, NULL)",
    "INSERT INTO tblVelkoRelatedForms (ID, ReferenceFormTypeID, ReferenceFormID, ReferenceFormRowNumber,"
    " RelatedFormTypeID, RelatedFormID, RelatedFormRowNumber, AssignedValue) VALUES"
    " (1, 303, 1, 2, 303, 1, 1, 600), (2, 901, 77, NULL, 303, 1, 1, 400), (3, 303, 2, 2, 303, 2, 1, NULL),"
    " (4, 303, 2, 2, 201, 55, NULL, 250.25), (5, 303, 1, NULL, 901, 88, NULL, NULL), (6, 303, 2, 1, 901, 99, NULL, NULL)",
    "INSERT INTO tblVelkoSystemParameters (ID, Value, Description) VALUES (4, '11, 12,x,,14', 'assignment accounts'),"
    " (306, '2', NULL), (311, '1', 'objects')",
    "INSERT INTO tblVelkoFormType (ID, Code, Name) VALUES (303, '303', 'سند حسابداري')",
    "INSERT INTO tblAccountTempInfo (FormTypeID, PrintFormatID, NaturalCol0) VALUES"
    " (315, 31501, 1), (315, 31501, 2), (315, 31502, 3), (316, 31501, 4)",
};

// Rows as "a|b;c|d", the way a grid would receive them.
class TextSink : public RowSink
{
public:
    void beginRows(int columnCount) override { columns = columnCount; }
    void appendRow(const std::string_view *cells, int count) override
    {
        QStringList row;
        for (int i = 0; i < count; ++i)
            row << QString::fromUtf8(cells[i].data(), qsizetype(cells[i].size()));
        rows << row.join(u'|');
    }
    void endRows() override { ended = true; }
    QString text() const { return rows.join(u';'); }

    int columns = -1;
    QStringList rows;
    bool ended = false;
};

QString rowsOf(Backend &backend, const QString &sql)
{
    TextSink sink;
    backend.streamRows(sql, sink);
    return sink.text();
}

// The same rows read through the generic snapshot path.
QString snapshotRows(Backend &backend, const QString &sql, int *columnCount = nullptr)
{
    QStringList columns;
    QList<QVariant> values;
    backend.snapshot(sql, columns, values);
    if (columnCount)
        *columnCount = int(columns.size());
    QStringList rows;
    for (qsizetype r = 0; r < (columns.isEmpty() ? 0 : values.size()); r += columns.size()) {
        QStringList row;
        for (qsizetype c = 0; c < columns.size(); ++c)
            row << ValueText(values[r + c]);
        rows << row.join(u'|');
    }
    return rows.join(u';');
}

const ProcedureCommand &procedure(const QString &name)
{
    for (const ProcedureCommand &command : DtEn::ProcedureCommands())
        if (command.name == name)
            return command;
    qFatal("no procedure command %s", qPrintable(name));
}

// Random statements for the rewrite, each written twice from one small
// grammar: as the component would write it in T-SQL, and as a person would
// write the same by hand for SQLite. Both must return the same row.
class StatementPair
{
public:
    explicit StatementPair(quint32 seed) : m_random(seed) {}

    struct Texts
    {
        QString tsql;
        QString sqlite;
    };

    Texts statement()
    {
        Texts s {QStringLiteral("select") + blank(), QStringLiteral("select")};
        s.sqlite += s.tsql.mid(6);
        const int columns = 1 + pick(3);
        for (int c = 0; c < columns; ++c) {
            if (c > 0)
                append(s, gap() + u',' + gap());
            append(s, expression(0));
            if (pick(4) == 0) { // a literal alias; N'..' may follow the column without a blank
                const Texts alias = literal();
                const bool mayTouch = alias.tsql.startsWith(u'N') && (s.tsql.endsWith(u'\'') || s.tsql.endsWith(u')'));
                const QString before = mayTouch && pick(2) ? QString() : blank();
                s.tsql += before + alias.tsql;
                s.sqlite += (before.isEmpty() ? QStringLiteral(" ") : before) + alias.sqlite;
            }
        }
        if (pick(3) == 0) // a closing ";" with blanks and comments after it: the backend leaves them out
            s.tsql += gap() + u';' + gap() + (pick(2) ? QStringLiteral(";") : QString()) + gap();
        return s;
    }

private:
    int pick(int n) { return int(m_random.bounded(n)); }
    QString oneOf(std::initializer_list<const char *> texts) { return QString::fromUtf8(texts.begin()[pick(int(texts.size()))]); }
    static void append(Texts &s, const QString &both) { s.tsql += both, s.sqlite += both; }
    static void append(Texts &s, const Texts &more) { s.tsql += more.tsql, s.sqlite += more.sqlite; }
    // Several pieces in order: a text goes to both forms, a pair to each its own.
    template<typename... Pieces>
    Texts join(Texts s, const Pieces &...pieces)
    {
        (append(s, pieces), ...);
        return s;
    }

    // What may stand between two tokens that cannot run together; each
    // comment holds what the rewrite must leave alone.
    QString gap()
    {
        return oneOf({"", "", "", " ", "\n", "\t ", "/* c */", "/* it's; isnull( */", "-- c\n", "-- it's; [dbo]. \n", " --\n"});
    }
    QString blank() { return oneOf({" ", "\n", "  ", "/**/", " -- x\n", "/* 'a' */ "}); }

    Texts literal()
    {
        QString text;
        for (int n = pick(5); n > 0; --n)
            text += oneOf({"a", "b", " ", "''", "\"", "-", "--", "/*", "*/", ";", "[", "]", "]]", "`", "dbo.", "isnull(",
                           "convert(varchar,", "ب", "خ"});
        const QString quoted = u'\'' + text + u'\'';
        return {(pick(4) == 0 ? QStringLiteral("N") : QString()) + quoted, quoted};
    }

    // A name as T-SQL brackets it (or SQLite's backticks), and by hand as "...".
    Texts name()
    {
        QString raw;
        do
            raw += oneOf({"a", "b", "]]", "'", "\"", "`", " ", "-", ";", "ب"});
        while (pick(3) != 0);
        const QString plain = QString(raw).replace(QStringLiteral("]]"), QStringLiteral("]"));
        const QString byHand = u'"' + QString(plain).replace(u'"', QStringLiteral("\"\"")) + u'"';
        if (pick(3) == 0)
            return {u'`' + QString(plain).replace(u'`', QStringLiteral("``")) + u'`', byHand};
        return {u'[' + raw + u']', byHand};
    }

    Texts expression(int depth)
    {
        switch (depth >= 5 ? pick(3) : pick(9)) {
        case 0:
            return literal();
        case 1: {
            const QString number = QString::number(pick(100)) + (pick(3) ? QString() : QStringLiteral(".5"));
            return {number, number};
        }
        case 2: {
            const QString null = oneOf({"null", "NULL"});
            return {null, null};
        }
        case 3: { // isnull( a , b ) -> ifnull( a , b )
            Texts s {oneOf({"isnull", "ISNULL", "IsNull"}), QStringLiteral("ifnull")};
            append(s, gap() + u'(' + gap());
            append(s, expression(depth + 1));
            append(s, gap() + u',' + gap());
            append(s, expression(depth + 1));
            return join(s, gap() + u')');
        }
        case 4: { // convert(varchar, a) -> cast(a as text)
            Texts s {QStringLiteral("convert") + gap() + u'(' + gap()
                         + oneOf({"varchar", "VARCHAR(20)", "nvarchar(max)", "varchar ( 10 )"}) + gap() + u',',
                     QStringLiteral("cast(")};
            append(s, gap());
            append(s, expression(depth + 1));
            return join(s, gap(), Texts {QStringLiteral(")"), QStringLiteral(" as text)")});
        }
        case 5: { // ( a )
            Texts s {QStringLiteral("("), QStringLiteral("(")};
            append(s, gap());
            append(s, expression(depth + 1));
            return join(s, gap() + u')');
        }
        case 6: { // a || b
            Texts s = expression(depth + 1);
            append(s, gap() + QStringLiteral("||") + gap());
            return join(s, expression(depth + 1));
        }
        case 7: { // a table behind a schema prefix: '2'
            const QString column = oneOf({"Value", "[Value]", "\"Value\""});
            const QString table = oneOf({"tblVelkoSystemParameters", "[tblVelkoSystemParameters]", "\"tblVelkoSystemParameters\""});
            const QString head = u'(' + gap() + QStringLiteral("select") + blank() + column + blank() + QStringLiteral("from") + blank();
            const QString tail = blank() + QStringLiteral("where") + blank() + QStringLiteral("ID") + gap() + u'=' + gap()
                + QStringLiteral("306") + gap() + u')';
            return {head + oneOf({"", "dbo.", "DBO.", "[dbo].", "\"dbo\".", "`dbo`."}) + table + tail, head + table + tail};
        }
        default: { // a quoted name that must survive: (select [x] from (select a as [x]))
            const Texts n = name();
            Texts s = join(Texts {QStringLiteral("(select "), QStringLiteral("(select ")}, n);
            append(s, QStringLiteral(" from (select") + blank());
            return join(s, expression(depth + 1), QStringLiteral(" as "), n, QStringLiteral("))"));
        }
        }
    }

    QRandomGenerator m_random;
};

} // namespace

class tst_Database : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<Backend> m_backend;

private slots:
    void init()
    {
        m_db = std::make_unique<TestDatabase>();
        m_db->exec(FixtureRows);
        m_backend = CreateBackend(QStringLiteral("SQLite"), QStringLiteral("Data Source=") + m_db->path(),
                                  QStringLiteral("test-") + QUuid::createUuid().toString());
    }
    void cleanup()
    {
        m_backend.reset();
        m_db.reset();
    }

    void rewrite_data()
    {
        QTest::addColumn<QString>("tsql");
        QTest::addColumn<QString>("sqlite");

        QTest::newRow("isnull call") << "select isnull(a,0) from t" << "select ifnull(a,0) from t";
        QTest::newRow("ISNULL with blank before (") << "select ISNULL (a,0)" << "select ifnull (a,0)";
        QTest::newRow("isnull not called stays") << "select isnull from t" << "select isnull from t";
        QTest::newRow("dbo prefix") << "select dbo.fnX(1)" << "select fnX(1)";
        QTest::newRow("[dbo] prefix") << "select * from [dbo].[tblX]" << "select * from [tblX]";
        QTest::newRow("quoted dbo prefix") << "select * from \"dbo\".\"tblVelkoSystemParameters\""
                                           << "select * from \"tblVelkoSystemParameters\"";
        QTest::newRow("column named dbo stays") << "select t.dbo, dbo from t" << "select t.dbo, dbo from t";
        // Literal and quoted-identifier contents are never touched.
        QTest::newRow("dbo. inside a literal") << "select 'dbo.x isnull(' from t" << "select 'dbo.x isnull(' from t";
        QTest::newRow("doubled quote keeps the literal open")
            << "select 'it''s dbo.x', dbo.f()" << "select 'it''s dbo.x', f()";
        QTest::newRow("bracketed name") << "select [isnull(dbo.x] from t" << "select [isnull(dbo.x] from t";
        QTest::newRow("comment") << "select 1 -- isnull(dbo.x)\n" << "select 1 -- isnull(dbo.x)\n";
        QTest::newRow("unterminated literal") << "select 'dbo.x" << "select 'dbo.x";
        QTest::newRow("convert varchar") << "convert(varchar,ReferenceFormTypeID)"
                                         << "cast(ReferenceFormTypeID as text)";
        QTest::newRow("convert varchar(n)") << "convert( varchar(20) , a )" << "cast(a as text)";
        QTest::newRow("nested convert and parentheses")
            << "convert(varchar, convert(varchar(5), abs(x-(1+2))))" << "cast(cast(abs(x-(1+2)) as text) as text)";
        QTest::newRow("convert literal argument") << "convert(varchar, ',)')" << "cast(',)' as text)";
        QTest::newRow("convert with style stays") << "convert(varchar, d, 103)" << "convert(varchar, d, 103)";
        QTest::newRow("convert to int stays") << "convert(int, x)" << "convert(int, x)";
        QTest::newRow("Delete without From")
            << "Delete tblAccountTempInfo Where FormTypeID = 315 And PrintFormatID = 31501"
            << "Delete From tblAccountTempInfo Where FormTypeID = 315 And PrintFormatID = 31501";
        QTest::newRow("delete dbo table") << "delete dbo.tblX where a=1" << "delete From tblX where a=1";
        QTest::newRow("Delete From stays") << "Delete From t Where a=1" << "Delete From t Where a=1";
        QTest::newRow("on delete cascade stays") << "references t(ID) on delete cascade"
                                                 << "references t(ID) on delete cascade";
        QTest::newRow("Delete inside a literal") << "select 'Delete t Where'" << "select 'Delete t Where'";
        QTest::newRow("assignment-check query")
            << "Select RelatedFormTypeID,RelatedFormID,AssignedValue,isnull((Select x.Name from vwVelkoFormTypeMajor x "
               "where x.ID=RelatedFormTypeID),convert(varchar,RelatedFormTypeID)) as RelatedFormType from tblVelkoRelatedForms f"
            << "Select RelatedFormTypeID,RelatedFormID,AssignedValue,ifnull((Select x.Name from vwVelkoFormTypeMajor x "
               "where x.ID=RelatedFormTypeID),cast(RelatedFormTypeID as text)) as RelatedFormType from tblVelkoRelatedForms f";
        QTest::newRow("Persian literal") << "select 'خارج از تخصيص', isnull(a,'dbo.')" << "select 'خارج از تخصيص', ifnull(a,'dbo.')";
        // A -- comment ends before the text the rewrite writes after it.
        QTest::newRow("line comment before the end of a convert")
            << "select convert(varchar, 'a' -- c\n) || 'b'" << "select cast('a' -- c\n as text) || 'b'";
        QTest::newRow("line comment at the start of a convert's expression")
            << "convert(varchar, -- c\n'a')" << "cast(-- c\n'a' as text)";
        // Where tokens go, their neighbours must not run together.
        QTest::newRow("literals around a dropped dbo stay two") << "select 'a'dbo.'b'" << "select 'a' 'b'";
        QTest::newRow("minus signs around a dropped [dbo] are no comment") << "select 5-[dbo].-1" << "select 5- -1";
        QTest::newRow("N prefix") << "select N'خارج', n'x' from t" << "select 'خارج', 'x' from t";
        QTest::newRow("N'..' right after a literal stays apart") << "select 'a'N'b'" << "select 'a' 'b'";
        QTest::newRow("N with a blank is a name") << "select N 'x', N from t" << "select N 'x', N from t";
        // SQLite ends a [...] name at the first "]", so T-SQL's "]]" needs its backtick form.
        QTest::newRow("bracketed name holding ]") << "select [a]]b] from t" << "select `a]b` from t";
        QTest::newRow("literal after a name holding ]") << "select [a]]'], 'x'" << "select `a]'`, 'x'";
        QTest::newRow("backtick in a name holding ]") << "select 1 as [`]]]" << "select 1 as ```]`";
        QTest::newRow("unterminated name holding ]]") << "select [a]]b" << "select [a]]b";
        QTest::newRow("backtick name is not touched") << "select `isnull(dbo.x`, 'y'" << "select `isnull(dbo.x`, 'y'";
        QTest::newRow("quote inside a backtick name") << "select `a'b`, isnull(x,1)" << "select `a'b`, ifnull(x,1)";
        QTest::newRow("unterminated block comment") << "select isnull(a,1) /* isnull(" << "select ifnull(a,1) /* isnull(";
        QTest::newRow("rewrite words inside literals only")
            << "Insert into t (a,b) Values (1,'x-->isnull( dbo.[c] N''d'' delete /* ;')"
            << "Insert into t (a,b) Values (1,'x-->isnull( dbo.[c] N''d'' delete /* ;')";
        QTest::newRow("a word that only starts like one") << "select isnullx, dbox, n1 from t" << "select isnullx, dbox, n1 from t";
    }
    void rewrite()
    {
        QFETCH(QString, tsql);
        QFETCH(QString, sqlite);
        QCOMPARE(RewriteTsqlForSqlite(tsql), sqlite);
        // What the backend sends: a text it passes on untokenized must need no rewrite.
        if (!tsql.contains(QLatin1Char(';')))
            QCOMPARE(m_backend->toDatabaseText(tsql), sqlite);
    }

    // Nesting takes no stack and linear time: at this depth a recursive
    // rewrite overflows the stack and a rescanning one runs for minutes.
    void rewriteDeepNesting()
    {
        const int depth = 100000;
        const QString tsql = QStringLiteral("select ") + QStringLiteral("convert(varchar, isnull((").repeated(depth)
            + QStringLiteral("dbo.x") + QStringLiteral("),0))").repeated(depth);
        const QString sqlite = QStringLiteral("select ") + QStringLiteral("cast(ifnull((").repeated(depth)
            + QStringLiteral("x") + QStringLiteral("),0) as text)").repeated(depth);
        QCOMPARE(RewriteTsqlForSqlite(tsql), sqlite);
        // SQLite refuses such depth with an error of its own, not a crash.
        QVERIFY_THROWS_EXCEPTION(DatabaseError, rowsOf(*m_backend, tsql));
    }

    // Thousands of generated statements: the rewritten T-SQL returns on SQLite

    // Thousands of generated statements: the rewritten T-SQL returns on SQLite
    // what the hand-written SQLite form returns on a plain Qt connection.
    void rewriteMatchesHandWrittenSqlite()
    {
        const QString plain = QStringLiteral("plain-") + QUuid::createUuid().toString();
        auto removePlain = qScopeGuard([&plain] { QSqlDatabase::removeDatabase(plain); });
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), plain);
            db.setDatabaseName(m_db->path());
            QVERIFY(db.open());
        }
        StatementPair generate(20240305);
        for (int n = 0; n < 4000; ++n) {
            const StatementPair::Texts s = generate.statement();
            QSqlQuery query(QSqlDatabase::database(plain));
            QVERIFY2(query.exec(s.sqlite), qPrintable("hand-written form fails: " + query.lastError().text() + u'\n' + s.sqlite));
            QStringList cells;
            while (query.next())
                for (int i = 0; i < query.record().count(); ++i)
                    cells << ValueText(query.value(i));
            const QString expected = cells.join(u'|');
            QString actual;
            try {
                actual = snapshotRows(*m_backend, s.tsql);
            } catch (const DatabaseError &e) {
                actual = QStringLiteral("error: ") + e.message();
            }
            if (actual != expected)
                QFAIL(qPrintable(QStringLiteral("statement %1\nT-SQL:     %2\nrewritten: %3\nby hand:   %4\n"
                                                "returned %5 instead of %6")
                                     .arg(n)
                                     .arg(s.tsql, RewriteTsqlForSqlite(s.tsql), s.sqlite, actual, expected)));
        }
    }


    // One statement per call; ";" inside literals, names and comments does not count.
    void singleStatement_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("sqliteRows"); // "refused" when SQLite's reading holds a second statement
        QTest::addColumn<bool>("serverRefuses");
        QTest::newRow("second statement") << "select 1; delete from tblAccount" << "refused" << true;
        QTest::newRow("second statement after comments")
            << "select 1 /* a */ ; -- b\n delete from tblAccount" << "refused" << true;
        QTest::newRow("empty statement first") << "; select 1" << "refused" << true;
        QTest::newRow("trailing ;") << "select 1;" << "1" << false;
        QTest::newRow("trailing ;, blanks and comments") << "select 1 ; ;\n -- done\n /* end */ " << "1" << false;
        QTest::newRow("; in a literal") << "select 'a;delete from tblAccount'" << "a;delete from tblAccount" << false;
        QTest::newRow("; after a doubled quote") << "select 'it''s; delete from tblAccount'"
                                                  << "it's; delete from tblAccount" << false;
        QTest::newRow("; in a bracketed name") << "select 1 as [a;b]" << "1" << false;
        QTest::newRow("; in a quoted name") << "select 2 as \"a;b\"" << "2" << false;
        QTest::newRow("; in a block comment") << "select 1 /* ; delete from tblAccount */" << "1" << false;
        QTest::newRow("; in a line comment") << "select 1 -- ; delete from tblAccount" << "1" << false;
        // Where the two databases read differently, each is judged by its own reading.
        QTest::newRow("comment after a carriage return") // SQL Server ends a -- comment there too
            << "select 1 -- c\r; delete from tblAccount" << "1" << true;
        QTest::newRow("nested block comment") // SQL Server nests them, SQLite does not
            << "select 1 /* /* */ ; delete from tblAccount */" << "refused" << false;
        QTest::newRow("; in a backtick name") // a name only for SQLite
            << "select 3 as `a;b`" << "3" << true;
    }
    void singleStatement()
    {
        QFETCH(QString, sql);
        QFETCH(QString, sqliteRows);
        QFETCH(bool, serverRefuses);
        const QString accounts = QStringLiteral("select count(*) from tblAccount");
        const QString accountCount = rowsOf(*m_backend, accounts);
        const auto refused = [&sql](const DatabaseError &error) {
            QVERIFY2(error.message().contains(QStringLiteral("بيش از يك دستور")), qPrintable(error.message()));
            QCOMPARE(error.statement(), sql);
        };
        const auto check = [&](const char *call, const std::function<QString()> &run) {
            try {
                const QString rows = run();
                QVERIFY2(sqliteRows != QLatin1String("refused"), call);
                if (!rows.isNull())
                    QCOMPARE(rows, sqliteRows);
            } catch (const DatabaseError &error) {
                QVERIFY2(sqliteRows == QLatin1String("refused"), qPrintable(QLatin1String(call) + u' ' + error.message()));
                refused(error);
            }
        };
        check("streamRows", [&] { return rowsOf(*m_backend, sql); });
        check("snapshot", [&] { return snapshotRows(*m_backend, sql); });
        check("execute", [&] {
            m_backend->execute(sql);
            return QString();
        });
        QCOMPARE(rowsOf(*m_backend, accounts), accountCount); // nothing after the first statement ran

        try {
            SqlServerText(sql);
            QVERIFY2(!serverRefuses, "SQL Server text accepted");
        } catch (const DatabaseError &error) {
            QVERIFY2(serverRefuses, qPrintable(error.message()));
            refused(error);
        }
    }

    // Persian literals reach SQL Server as Unicode texts; nothing else changes.
    void sqlServerText_data()
    {
        QTest::addColumn<QString>("tsql");
        QTest::addColumn<QString>("sent");
        QTest::newRow("Persian literal") << "select a, 'خارج از تخصيص' as b from t where c = 'x'"
                                         << "select a, N'خارج از تخصيص' as b from t where c = 'x'";
        QTest::newRow("ASCII literals and T-SQL stay")
            << "select 'a', 'it''s', isnull(a,0) from dbo.t" << "select 'a', 'it''s', isnull(a,0) from dbo.t";
        QTest::newRow("N already there") << "select N'خ', n'ب'" << "select N'خ', n'ب'";
        QTest::newRow("doubled quote inside") << "select 'it''s خ'" << "select N'it''s خ'";
        QTest::newRow("right after a word") << "select'خ'" << "select N'خ'";
        QTest::newRow("right after another literal's N") << "select N'a''خ'" << "select N'a''خ'";
        QTest::newRow("zero-width non-joiner") << "select 'a\u200Cb'" << "select N'a\u200Cb'";
        QTest::newRow("names and comments stay") << "select [نام], \"نام\" -- 'خ'\n/* 'خ' */"
                                                 << "select [نام], \"نام\" -- 'خ'\n/* 'خ' */";
        QTest::newRow("the ledger's Persian column")
            << "Select case when IsAssignmentExcluded=1 then 'خارج از تخصيص' else '' end as AssignmentState from t;"
            << "Select case when IsAssignmentExcluded=1 then N'خارج از تخصيص' else '' end as AssignmentState from t;";
    }
    void sqlServerText()
    {
        QFETCH(QString, tsql);
        QFETCH(QString, sent);
        QCOMPARE(SqlServerText(tsql), sent);
        auto odbc = CreateBackend(QStringLiteral("SQLOLEDB.1"), QStringLiteral("Data Source=srv"), QStringLiteral("text"));
        QCOMPARE(odbc->toDatabaseText(tsql), sent);
        // SQLite's texts are Unicode already: no N there.
        QVERIFY(!m_backend->toDatabaseText(tsql).contains(QStringLiteral("N'خ")));
    }

    void connectionStringValue_data()
    {
        QTest::addColumn<QString>("connection");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        const QString cs = QStringLiteral("Provider=SQLOLEDB.1;Password=p w;Persist Security Info=True;User ID=sa;"
                                          "Initial Catalog=Acc;Data Source=srv\\inst");
        QTest::newRow("key in another case") << cs << "data source" << "srv\\inst";
        QTest::newRow("blank inside the value") << cs << "Password" << "p w";
        QTest::newRow("absent key") << cs << "Integrated Security" << "";
        QTest::newRow("blanks around") << " Data Source = a.db ;" << "Data Source" << "a.db";
        QTest::newRow("quoted value holds ;") << "Password=\"a;b\"\"c\";User ID=u" << "Password" << "a;b\"c";
        QTest::newRow("part without =") << "junk;User ID=u" << "User ID" << "u";
        QTest::newRow("first of two") << "User ID=a;User ID=b" << "User ID" << "a";
    }
    void connectionStringValue()
    {
        QFETCH(QString, connection);
        QFETCH(QString, key);
        QTEST(ConnectionStringValue(connection, key), "value");
    }

    void odbcConnectionString_data()
    {
        QTest::addColumn<QString>("oleDb");
        QTest::addColumn<QString>("odbc");
        QTest::newRow("all keys")
            << "Provider=SQLOLEDB.1;Persist Security Info=False;User ID=sa;Initial Catalog=Retail;Data Source=srv;Password=pw"
            << "DRIVER={FreeTDS};SERVER=srv;DATABASE=Retail;UID=sa;PWD=pw;TDS_Version=7.4;ClientCharset=UTF-8;";
        QTest::newRow("instance and port")
            << "Data Source=srv\\sql2019,1444;Initial Catalog=Retail;User ID=sa;Password=pw"
            << "DRIVER={FreeTDS};SERVER=srv\\sql2019;Port=1444;DATABASE=Retail;UID=sa;PWD=pw;TDS_Version=7.4;ClientCharset=UTF-8;";
        QTest::newRow("; and } in the password")
            << "Data Source=srv;User ID=sa;Password=\"a;b}c\""
            << "DRIVER={FreeTDS};SERVER=srv;UID=sa;PWD={a;b}}c};TDS_Version=7.4;ClientCharset=UTF-8;";
        QTest::newRow("integrated security")
            << "Data Source=srv;Initial Catalog=Retail;Integrated Security=SSPI;User ID=ignored"
            << "DRIVER={FreeTDS};SERVER=srv;DATABASE=Retail;Trusted_Connection=Yes;TDS_Version=7.4;ClientCharset=UTF-8;";
    }
    void odbcConnectionString()
    {
        QFETCH(QString, oleDb);
        QTEST(OdbcConnectionString(oleDb), "odbc");
    }

    void provider_data()
    {
        QTest::addColumn<QString>("provider");
        QTest::addColumn<QString>("kind"); // sqlite, odbc, or the error's expected fragment
        QTest::newRow("SQLite") << "SQLite" << "sqlite";
        QTest::newRow("sqlite lower case") << "sqlite" << "sqlite";
        QTest::newRow("SQLOLEDB.1") << "SQLOLEDB.1" << "odbc";
        QTest::newRow("sqloledb") << "sqloledb" << "odbc";
        QTest::newRow("MSOLEDBSQL") << "MSOLEDBSQL" << "odbc";
        QTest::newRow("MSOLEDBSQL.1") << "MSOLEDBSQL.1" << "odbc";
        QTest::newRow("SQLNCLI11") << "SQLNCLI11" << "odbc";
        QTest::newRow("designed provider is unknown") << "MSDAOSP.1" << "MSDAOSP.1";
        QTest::newRow("Jet") << "Microsoft.Jet.OLEDB.4.0" << "Microsoft.Jet.OLEDB.4.0";
        QTest::newRow("empty") << "" << "Provider";
    }
    void provider()
    {
        QFETCH(QString, provider);
        QFETCH(QString, kind);
        const QString cs = QStringLiteral("Provider=") + provider + QStringLiteral(";Data Source=") + m_db->path();
        QString made; // the backend's kind, or the error's message
        try {
            auto backend = CreateBackend(provider, cs, QStringLiteral("provider-test"));
            made = dynamic_cast<SqliteBackend *>(backend.get()) ? "sqlite" : dynamic_cast<OdbcBackend *>(backend.get()) ? "odbc" : "?";
        } catch (const DatabaseError &error) {
            made = error.message();
        }
        QVERIFY2(kind == "sqlite" || kind == "odbc" ? made == kind : made.contains(kind), qPrintable(made));
    }

    void missingSqliteFile()
    {
        const QString path = m_db->path() + QStringLiteral("-no-such.db");
        auto backend = CreateBackend(QStringLiteral("SQLite"), QStringLiteral("Data Source=") + path,
                                     QStringLiteral("missing-file"));
        for (int attempt = 0; attempt < 2; ++attempt) { // also on the next use
            try {
                rowsOf(*backend, QStringLiteral("select 1"));
                QFAIL("opened a missing database file");
            } catch (const DatabaseError &error) {
                QVERIFY2(error.message().contains(path), qPrintable(error.message()));
                QVERIFY(error.message().startsWith(QStringLiteral("فايل بانك اطلاعاتي پيدا نشد")));
            }
        }
        QVERIFY(!QFile::exists(path));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, CreateBackend(QStringLiteral("SQLite"), QStringLiteral("Provider=SQLite"),
                                                               QStringLiteral("no-source")));
    }

    void unreachableServer()
    {
        auto backend = CreateBackend(QStringLiteral("SQLOLEDB.1"),
                                     QStringLiteral("Provider=SQLOLEDB.1;Data Source=127.0.0.1,1;Initial Catalog=x;"
                                                    "User ID=u;Password=p"),
                                     QStringLiteral("unreachable"));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, backend->execute(QStringLiteral("select 1")));
    }

    // Dates in SQL texts are compared as texts: always four year digits, and
    // a date that has no such form is refused, never written.
    void dateTexts_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("sqlite"); // when refused: part of the message
        QTest::addColumn<QString>("server");
        const QCalendar jalali(QCalendar::System::Jalali);
        QTest::newRow("ordinary") << QDate(2024, 3, 5) << false << "2024-03-05" << "20240305";
        QTest::newRow("year below 1000 padded") << QDate(999, 1, 2) << false << "0999-01-02" << "09990102";
        QTest::newRow("first day") << QDate(1, 1, 1) << false << "0001-01-01" << "00010101";
        QTest::newRow("last day") << QDate(9999, 12, 31) << false << "9999-12-31" << "99991231";
        QTest::newRow("Jalali 9999/01/01 is beyond year 9999") << QDate(9999, 1, 1, jalali) << true << "9999/01/01"
                                                                << "9999/01/01";
        QTest::newRow("before year 1") << QDate(-1, 12, 31) << true << "خارج از محدوده" << "خارج از محدوده";
        QTest::newRow("invalid") << QDate() << true << "تاريخ نامعتبر" << "تاريخ نامعتبر";
    }
    void dateTexts()
    {
        QFETCH(QDate, date);
        QFETCH(bool, refused);
        QFETCH(QString, sqlite);
        QFETCH(QString, server);
        auto odbc = CreateBackend(QStringLiteral("SQLOLEDB.1"), QStringLiteral("Data Source=srv"), QStringLiteral("dates"));
        for (auto [backend, expected] : {std::pair(m_backend.get(), sqlite), std::pair(odbc.get(), server)}) {
            try {
                QCOMPARE(backend->dateText(date), expected);
                QVERIFY(!refused);
            } catch (const DatabaseError &error) {
                QVERIFY2(refused && error.message().contains(expected), qPrintable(error.message()));
            }
        }
    }

    void streamRows_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("rows");
        QTest::newRow("fraction") << "select 1234.5" << "1234.5";
        QTest::newRow("whole real") << "select 1234.0" << "1234";
        QTest::newRow("negative fraction") << "select -0.25" << "-0.25";
        QTest::newRow("rounded to four decimals") << "select 1.23456, 2.00004" << "1.2346|2";
        QTest::newRow("binary noise") << "select 0.1 + 0.2" << "0.3";
        QTest::newRow("integer and null") << "select 42, null, -7" << "42||-7";
        QTest::newRow("large amount") << "select 123456789012.5" << "123456789012.5";
        QTest::newRow("text") << "select 'بررسي شد.', ''" << "بررسي شد.|";
        QTest::newRow("numeric column sums")
            << "select DocumentID, sum(DebitValue), sum(CreditValue) from tblAccountDocumentDetail group by DocumentID"
            << "1|1000|1000;2|2500.5|2500.5;3|300|0";
        QTest::newRow("no rows") << "select ID from tblAccount where ID < 0" << "";
        // The component's T-SQL texts, run on SQLite.
        QTest::newRow("isnull") << "select ID, isnull(Description,'-') from tblVelkoSystemParameters order by ID"
                                << "4|assignment accounts;306|-;311|objects";
        QTest::newRow("convert") << "select convert(varchar(10), 12) || 'x', convert(varchar, 2.5)" << "12x|2.5";
        // A debit row's links: a form type without a name shows its number.
        QTest::newRow("assignment check of a debit row")
            << "Select ReferenceFormTypeID,ReferenceFormID,AssignedValue, isnull((Select x.Name from vwVelkoFormTypeMajor x "
               "where x.ID=ReferenceFormTypeID),convert(varchar,ReferenceFormTypeID)) as ReferenceFormType from "
               "tblVelkoRelatedForms f where (f.RelatedFormTypeID=303 and f.RelatedFormID=1 and f.RelatedFormRowNumber=1)"
               " or (f.RelatedFormTypeID=0 and f.RelatedFormID=0) order by f.ID"
            << "303|1|600|سند حسابداري;901|77|400|901";
        QTest::newRow("string to table")
            << "select x.ID from dbo.fnVelkoStringToTable((select a.Value from tblVelkoSystemParameters a where a.ID=4)) x"
            << "11;12;14";
        QTest::newRow("assignment account")
            << "Select Code from tblAccount Where ID=12 and ID in (Select x.ID from dbo.fnVelkoStringToTable("
               "(select a.Value from tblVelkoSystemParameters a where a.ID=4)) x)"
            << "1102";
        QTest::newRow("not an assignment account")
            << "Select Code from tblAccount Where ID=10 and ID in (Select x.ID from dbo.fnVelkoStringToTable("
               "(select a.Value from tblVelkoSystemParameters a where a.ID=4)) x)"
            << "";
        QTest::newRow("string to table of null") << "select count(*) from fnVelkoStringToTable(null)" << "0";
        QTest::newRow("assigned values")
            << "select DocumentID, RowNumber, dbo.fnAccountDocumentDetailAssignedValue(DocumentID,RowNumber,0) as "
               "AssignedDebitValue , dbo.fnAccountDocumentDetailAssignedValue(DocumentID,RowNumber,1) as AssignedCreditValue "
               "from tblAccountDocumentDetail order by DocumentID, RowNumber"
            << "1|1|1000|;1|2||600;2|1|0|0;2|2||250.25;3|1||";
    }
    void streamRows()
    {
        QFETCH(QString, sql);
        QFETCH(QString, rows);
        TextSink sink;
        const qint64 count = m_backend->streamRows(sql, sink);
        QCOMPARE(sink.text(), rows);
        QCOMPARE(count, qint64(sink.rows.size()));
        QVERIFY(sink.ended);

        // The generic snapshot path reads the same values.
        int columns = 0;
        QCOMPARE(snapshotRows(*m_backend, sql, &columns), rows);
        QCOMPARE(sink.columns, columns);
    }

    void errorsCarryTheStatement()
    {
        const QString sql = QStringLiteral("select isnull(Missing, 0) from dbo.tblMissing");
        TextSink sink;
        try {
            m_backend->streamRows(sql, sink);
            QFAIL("no error");
        } catch (const DatabaseError &error) {
            QCOMPARE(error.statement(), sql); // as built, before the rewrite
            QVERIFY2(error.message().contains(QLatin1String("tblMissing")), qPrintable(error.message()));
        }
        QVERIFY_THROWS_EXCEPTION(DatabaseError, m_backend->execute(QStringLiteral("update tblMissing set a = 1")));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, snapshotRows(*m_backend, sql));
    }

    void procedures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariantList>("args");
        QTest::addColumn<int>("result");
        QTest::addColumn<QStringList>("argsAfter"); // empty: as given
        QTest::newRow("permission granted") << "spVelkoHasPermission" << QVariantList {1, 315} << 1 << QStringList();
        QTest::newRow("permission refused") << "spVelkoHasPermission" << QVariantList {2, 315} << 0 << QStringList();
        QTest::newRow("user's own period") << "spAccountGetCurrentUserPeriod" << QVariantList {1} << 1 << QStringList();
        // User 2 has none: the active period that begins last, not the later inactive one.
        QTest::newRow("latest active period") << "spAccountGetCurrentUserPeriod" << QVariantList {2} << 2 << QStringList();
        QTest::newRow("unknown user") << "spAccountGetCurrentUserPeriod" << QVariantList {99} << 2 << QStringList();
        QTest::newRow("parent account") << "spAccountIsLeafAccount" << QVariantList {10} << 0 << QStringList();
        QTest::newRow("leaf account") << "spAccountIsLeafAccount" << QVariantList {11} << 1 << QStringList();
        QTest::newRow("code and title") << "spAccountGetCode_Title" << QVariantList {11, QString()} << 0
                                        << QStringList {"11", "1101 - صندوق"};
        QTest::newRow("unknown account's code and title") << "spAccountGetCode_Title" << QVariantList {77, "old"} << 0
                                                          << QStringList {"77", ""};
    }
    void procedures()
    {
        QFETCH(QString, name);
        QFETCH(QVariantList, args);
        QFETCH(int, result);
        QFETCH(QStringList, argsAfter);
        const auto texts = [&args] {
            QStringList list;
            for (const QVariant &arg : args)
                list << arg.toString();
            return list;
        };
        const QStringList given = texts();
        QCOMPARE(m_backend->callProcedure(procedure(name), args).toInt(), result);
        QCOMPARE(texts(), argsAfter.isEmpty() ? given : argsAfter);
    }

    void noActivePeriodGivesNull()
    {
        m_backend->execute(QStringLiteral("Update tblAccountPeriod Set IsActive = 0"));
        QVariantList args {2};
        QVERIFY(m_backend->callProcedure(procedure(QStringLiteral("spAccountGetCurrentUserPeriod")), args).isNull());
    }

    void updateDocumentDetail_data()
    {
        QTest::addColumn<QVariant>("date");
        QTest::addColumn<int>("contract");
        QTest::addColumn<QString>("stored");
        QTest::newRow("date and contract") << QVariant(QDateTime(QDate(2023, 7, 2), QTime(0, 0))) << 8
                                           << "2|ف-12|2023-07-02|1402/04/11|8|شرح تازه";
        QTest::newRow("contract 0 stores null") << QVariant(QDate(2023, 7, 2)) << 0
                                                << "2|ف-12|2023-07-02|1402/04/11||شرح تازه";
        QTest::newRow("no due date") << QVariant() << 8 << "2|ف-12||1402/04/11|8|شرح تازه";
    }
    void updateDocumentDetail()
    {
        QFETCH(QVariant, date);
        QFETCH(int, contract);
        QVariantList args {1, 1, 2, QStringLiteral("ف-12"), date, QStringLiteral("1402/04/11"), contract,
                           QStringLiteral("شرح تازه")};
        const auto &command = procedure(QStringLiteral("spAccountUpdateDocumentDetail"));
        QCOMPARE(m_backend->callProcedure(command, args).toInt(), 1);
        QTEST(rowsOf(*m_backend, QStringLiteral("select DocumentTypeID, AdditionalFormSpec, TransactionDate,"
                                                   " FarsiTransactionDate, ContractID, Description"
                                                   " from tblAccountDocumentDetail where DocumentID = 1 and RowNumber = 1")),
              "stored");
        // Other rows are untouched; an unknown row changes nothing.
        QCOMPARE(rowsOf(*m_backend, QStringLiteral("select Description from tblAccountDocumentDetail"
                                                   " where DocumentID = 1 and RowNumber = 2")),
                 QStringLiteral("b"));
        args[0] = 99;
        QCOMPARE(m_backend->callProcedure(command, args).toInt(), 0);
    }

    void refusedArgumentWritesNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariantList>("args");
        QTest::addColumn<QString>("messagePart");
        const QString update = QStringLiteral("spAccountUpdateDocumentDetail");
        const QDate due(2023, 7, 2);
        QTest::newRow("AdditionalFormSpec over 20 characters")
            << update << QVariantList {1, 1, 2, QString(21, u'x'), due, "1402/04/11", 0, "d"} << "@AdditionalFormSpec";
        QTest::newRow("Farsi date over 10")
            << update << QVariantList {1, 1, 2, "s", due, "1402/04/11 ", 0, "d"} << "@FarsiTransactionDate";
        QTest::newRow("description over 255")
            << update << QVariantList {1, 1, 2, "s", due, "1402/04/11", 0, QString(256, u'ش')} << "@Description";
        QTest::newRow("position account over 500")
            << "spAccountGetCode_Title" << QVariantList {11, QString(501, u' ')} << "@PositionAccount";
        QTest::newRow("due date beyond year 9999")
            << update << QVariantList {1, 1, 2, "s", QDate(9999, 1, 1, QCalendar(QCalendar::System::Jalali)), "9999/01/01", 0, "d"}
            << "9999/01/01";
    }
    void refusedArgumentWritesNothing()
    {
        QFETCH(QString, name);
        QFETCH(QVariantList, args);
        QFETCH(QString, messagePart);
        const QVariantList before = args;
        const QString row = QStringLiteral("select * from tblAccountDocumentDetail order by DocumentID, RowNumber");
        const QString rowsBefore = rowsOf(*m_backend, row);
        try {
            m_backend->callProcedure(procedure(name), args);
            QFAIL("a too long text was accepted");
        } catch (const DatabaseError &error) {
            QVERIFY2(error.message().contains(messagePart), qPrintable(error.message()));
        }
        QCOMPARE(rowsOf(*m_backend, row), rowsBefore);
        QCOMPARE(args, before);
    }

    void procedureErrors()
    {
        QVariantList args {1};
        ProcedureCommand unknown {QStringLiteral("spNoSuch"), QStringLiteral("{? = CALL spNoSuch( ?) }"), {}};
        QVERIFY_THROWS_EXCEPTION(DatabaseError, m_backend->callProcedure(unknown, args));
        QVariantList tooFew {1};
        QVERIFY_THROWS_EXCEPTION(DatabaseError,
                                 m_backend->callProcedure(procedure(QStringLiteral("spVelkoHasPermission")), tooFew));
        QVariantList notANumber {QStringLiteral("abc")};
        QVERIFY_THROWS_EXCEPTION(DatabaseError,
                                 m_backend->callProcedure(procedure(QStringLiteral("spAccountIsLeafAccount")), notANumber));
    }

    void deleteWithoutFrom()
    {
        QCOMPARE(m_backend->execute(QStringLiteral("Delete tblAccountTempInfo Where FormTypeID = 315 And PrintFormatID = 31501")),
                 qint64(2));
        QCOMPARE(rowsOf(*m_backend, QStringLiteral("select NaturalCol0 from tblAccountTempInfo order by NaturalCol0")),
                 QStringLiteral("3;4"));
    }

    // The assigned values follow every change of the links: through this
    // connection, through another one, and back after a rollback.
    void assignedValuesFollowChanges()
    {
        const QString sql = QStringLiteral("select dbo.fnAccountDocumentDetailAssignedValue(DocumentID,RowNumber,1) "
                                           "from tblAccountDocumentDetail where DocumentID = 2 and RowNumber = 1");
        QCOMPARE(rowsOf(*m_backend, sql), QStringLiteral("0"));

        // The rebuild's refresh of the related forms' assigned values.
        const QString refresh = QStringLiteral(
            "Update tblVelkoRelatedForms Set AssignedValue = CASE WHEN RelatedFormTypeID=901 THEN "
            "                    (Select sum(isnull(dd.DebitValue,0)) from tblAccountDocumentDetail dd where dd.DocumentID=ReferenceFormID) "
            "                   WHEN RelatedFormTypeID=201 THEN "
            "                    (Select sum(isnull(dd.DebitValue,0)) from tblAccountDocumentDetail dd where dd.DocumentID=ReferenceFormID) "
            "                Else                     AssignedValue                 End  Where AssignedValue Is Null "
            " and ReferenceFormTypeID=303 and RelatedFormTypeID in (901,201)");
        // Opened as a recordset's source, as the rebuild does: no columns, rows changed.
        QStringList columns {QStringLiteral("stale")};
        QList<QVariant> values {1};
        m_backend->snapshot(refresh, columns, values);
        QVERIFY(columns.isEmpty() && values.isEmpty());
        QCOMPARE(rowsOf(*m_backend, sql), QStringLiteral("2500.5"));

        m_db->exec({QStringLiteral("update tblVelkoRelatedForms set AssignedValue = 7 where ID = 6")});
        QCOMPARE(rowsOf(*m_backend, sql), QStringLiteral("7"));

        QSqlDatabase db = m_backend->database();
        QVERIFY(db.transaction());
        m_backend->execute(QStringLiteral("update tblVelkoRelatedForms set AssignedValue = 9 where ID = 6"));
        QCOMPARE(rowsOf(*m_backend, sql), QStringLiteral("9"));
        QVERIFY(db.rollback());
        QCOMPARE(rowsOf(*m_backend, sql), QStringLiteral("7"));

        // One prepared statement run again after a change: the check made
        // once per run sees it.
        QSqlQuery again(m_backend->database());
        QVERIFY(again.prepare(m_backend->toDatabaseText(sql)));
        QVERIFY(again.exec() && again.next());
        QCOMPARE(again.value(0).toString(), QStringLiteral("7"));
        again.finish();
        m_db->exec({QStringLiteral("update tblVelkoRelatedForms set AssignedValue = 11 where ID = 6")});
        QVERIFY(again.exec() && again.next());
        QCOMPARE(again.value(0).toString(), QStringLiteral("11"));
    }
};

QTEST_GUILESS_MAIN(tst_Database)
#include "tst_database.moc"

