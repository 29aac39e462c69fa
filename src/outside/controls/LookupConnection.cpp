#include "outside/controls/LookupConnection.h"

#include "outside/controls/LookupTexts.h"
#include "outside/database/Backend.h"
#include "session/DatabaseError.h"
#include "session/SqlTrace.h"
#include "session/ValueText.h"

#include <QAtomicInteger>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

LookupTable::LookupTable(QList<LookupRow> rows)
    : m_rows(std::move(rows))
{
    m_byId.reserve(m_rows.size());
    m_byCode.reserve(m_rows.size());
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        // The first row of a duplicated ID or code wins, as a look-up shows it first.
        if (!m_byId.contains(m_rows[i].id))
            m_byId.insert(m_rows[i].id, i);
        const QString code = LookupFoldText(m_rows[i].code.trimmed());
        if (!code.isEmpty() && !m_byCode.contains(code))
            m_byCode.insert(code, i);
    }
}

const LookupRow *LookupTable::findId(qint32 id) const
{
    const auto found = m_byId.constFind(id);
    return found == m_byId.constEnd() ? nullptr : &m_rows[*found];
}

const LookupRow *LookupTable::findCode(const QString &code) const
{
    const auto found = m_byCode.constFind(LookupFoldText(code.trimmed()));
    return found == m_byCode.constEnd() ? nullptr : &m_rows[*found];
}

LookupConnection::LookupConnection()
{
    static QAtomicInteger<int> counter;
    m_connectionName = QStringLiteral("LookupConnection_%1").arg(++counter);
}

LookupConnection::~LookupConnection()
{
    setConnectionString(QString());
}

void LookupConnection::setConnectionString(const QString &connectionString)
{
    if (connectionString == m_connectionString)
        return;
    m_connectionString = connectionString;
    m_backend.reset();
    if (QSqlDatabase::contains(m_connectionName))
        QSqlDatabase::removeDatabase(m_connectionName);
}

LookupTable LookupConnection::read(const QString &tsql)
{
    if (!hasConnectionString())
        throw DatabaseError(LookupText::NoConnection, tsql);
    // Through the component's one trace hook, as every statement it sends.
    TraceStatement({tsql, LookupTraceCommand, {}});
    if (!m_backend)
        m_backend = CreateBackend(ConnectionStringValue(m_connectionString, QStringLiteral("Provider")),
                                  m_connectionString, m_connectionName);

    QList<LookupRow> rows;
    {
        QSqlQuery query(m_backend->database());
        query.setForwardOnly(true);
        if (!query.exec(m_backend->toDatabaseText(tsql)))
            throw DatabaseError(query.lastError().text(), tsql);
        const bool hasParent = query.record().count() > 3;
        while (query.next()) {
            LookupRow row;
            row.id = query.value(0).toInt();
            row.code = query.value(1).toString();
            row.name = query.value(2).toString();
            if (hasParent)
                row.parentId = query.value(3).toInt(); // null reads as 0: a root
            rows.append(std::move(row));
        }
    } // the query ends here, so no read lock outlives the look-up
    return LookupTable(std::move(rows));
}

bool LookupIsObjectName(const QString &name)
{
    // One to three dot-separated parts, each a plain identifier or a bracketed
    // name without brackets inside.
    static const QRegularExpression pattern(QStringLiteral(
        R"(^(?:(?:[A-Za-z_][A-Za-z0-9_]*|\[[^\[\]]+\])\.){0,2}(?:[A-Za-z_][A-Za-z0-9_]*|\[[^\[\]]+\])$)"));
    return pattern.match(name).hasMatch();
}

QString LookupFoldText(const QString &text)
{
    QString folded = text.toCaseFolded();
    for (QChar &c : folded) {
        const char16_t u = c.unicode();
        if (u == u'\u06CC' || u == u'\u0649')      // Persian yeh, alef maksura
            c = QChar(u'\u064A');                  // Arabic yeh
        else if (u == u'\u06A9')                   // Persian kaf
            c = QChar(u'\u0643');                  // Arabic kaf
    }
    return WithLatinDigits(folded);
}
