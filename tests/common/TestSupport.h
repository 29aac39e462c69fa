#pragma once
// Shared by the test executables: a fresh session on a new stand-in database,
// the statements the component sent, and a scripted message component.

#include "StandInDatabase.h"
#include "outside/components/ComponentRegistry.h"
#include "session/Clock.h"
#include "session/Session.h"
#include "session/SqlTrace.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

// Records every traced statement.
class StatementLog
{
public:
    StatementLog()
    {
        SetSqlTraceHook([this](const TracedStatement &s) { m_statements << s; });
    }
    ~StatementLog() { SetSqlTraceHook({}); }
    const QList<TracedStatement> &all() const { return m_statements; }
    QStringList texts() const
    {
        QStringList list;
        for (const TracedStatement &s : m_statements)
            list << s.text;
        return list;
    }
    // The window's own statements: without those the look-up controls send
    // to show the names of the codes they hold.
    QStringList windowTexts() const
    {
        QStringList list;
        for (const TracedStatement &s : m_statements)
            if (s.command != QLatin1String("LookupConnection"))
                list << s.text;
        return list;
    }
    // Statements whose text starts with the given prefix.
    QStringList startingWith(const QString &prefix) const
    {
        QStringList list;
        for (const TracedStatement &s : m_statements)
            if (s.text.startsWith(prefix))
                list << s.text;
        return list;
    }
    void clear() { m_statements.clear(); }

private:
    QList<TracedStatement> m_statements;
};

// A message component double: records what was shown, answers from a script.
class ScriptedMessages : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QVariant FormTitle MEMBER title)
    Q_PROPERTY(QString FormMessage MEMBER message)
    Q_PROPERTY(int FormType MEMBER type)
    Q_PROPERTY(int FormBackColor MEMBER formBackColor)
    Q_PROPERTY(int BtmBackColor MEMBER btmBackColor)
    Q_PROPERTY(int FrameBackColor MEMBER frameBackColor)
    Q_PROPERTY(int Resualt MEMBER resualt)

public:
    struct Shown
    {
        QString title;
        QString message;
        int type;
    };
    // Every dialog shown since install(), in order, and the answers to give.
    static QList<Shown> &shown() { static QList<Shown> list; return list; }
    static QList<int> &answers() { static QList<int> list; return list; }

    static void install()
    {
        shown().clear();
        answers().clear();
        RegisterComponent(QStringLiteral("comMessage.comMSG"),
                          [] { return std::unique_ptr<QObject>(new ScriptedMessages); });
    }

    Q_INVOKABLE void ClearShow()
    {
        shown() << Shown {title.toString(), message, type};
        resualt = answers().isEmpty() ? -1 : answers().takeFirst();
    }

    QVariant title;
    QString message;
    int type = -1;
    int formBackColor = 0;
    int btmBackColor = 0;
    int frameBackColor = 0;
    int resualt = -1;
};

// A new empty stand-in database in a temporary folder.
class TestDatabase
{
public:
    TestDatabase()
    {
        m_path = m_dir.path() + QStringLiteral("/fixture.db");
        CreateStandInSchema(m_path);
    }
    QString path() const { return m_path; }
    QString connectionString() const { return StandInConnectionString(m_path); }

    // Runs fixture statements on a connection of the test's own.
    void exec(const QStringList &statements) const
    {
        const QString name = QUuid::createUuid().toString();
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(m_path);
            QVERIFY2(db.open(), qPrintable(db.lastError().text()));
            QSqlQuery query(db);
            for (const QString &statement : statements)
                QVERIFY2(query.exec(statement), qPrintable(query.lastError().text() + " in " + statement));
        }
        QSqlDatabase::removeDatabase(name);
    }

    // Points a fresh session at this database as the given user.
    void startSession(int userId = 1) const
    {
        ResetSessionForTesting();
        Session.ConnectionText = connectionString();
        Session.UserID = userId;
        StartSession();
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
};
