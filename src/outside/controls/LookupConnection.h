#pragma once
// The controls' own way to their look-up lists: a connection of their own,
// opened from the connection string they were given, and a small in-memory
// table of the rows read. The SELECT texts are built by the program from view
// names; whatever a person types is only ever matched against the rows in
// memory.

#include <QHash>
#include <QList>
#include <QString>
#include <memory>

class Backend;

struct LookupRow
{
    qint32 id = 0;
    QString code;
    QString name;
    qint32 parentId = 0; // 0 when the list has no parents or the row is a root
};

// The rows of one look-up list, found by ID or by code.
class LookupTable
{
public:
    LookupTable() = default;
    explicit LookupTable(QList<LookupRow> rows);

    const QList<LookupRow> &rows() const { return m_rows; }
    const LookupRow *findId(qint32 id) const;
    // Codes are compared after trimming, ignoring case and the digit forms
    // (Persian "۱۲" finds "12").
    const LookupRow *findCode(const QString &code) const;

private:
    QList<LookupRow> m_rows;
    QHash<qint32, qsizetype> m_byId;
    QHash<QString, qsizetype> m_byCode;
};

// The command name the look-up statements carry in the trace, so that a
// reader can tell them from the ledger's own statements.
inline const QString LookupTraceCommand = QStringLiteral("LookupConnection");

class LookupConnection
{
public:
    LookupConnection();
    ~LookupConnection();
    LookupConnection(const LookupConnection &) = delete;
    LookupConnection &operator=(const LookupConnection &) = delete;

    // A changed string closes the old connection; the new one opens on use.
    void setConnectionString(const QString &connectionString);
    const QString &connectionString() const { return m_connectionString; }
    bool hasConnectionString() const { return !m_connectionString.trimmed().isEmpty(); }

    // Runs a program-built SELECT whose columns are ID, Code, Name and
    // optionally ParentID, in that order. The text is traced (SqlTrace.h)
    // under the command name LookupTraceCommand. Throws DatabaseError.
    LookupTable read(const QString &tsql);

private:
    QString m_connectionString;
    QString m_connectionName; // unique per instance, so controls never share a Qt connection
    std::unique_ptr<Backend> m_backend;
};

// True for a plain database object name ("vwAccountClass", "dbo.vwX",
// "[vw X]"): what may be written after FROM without quoting anything.
bool LookupIsObjectName(const QString &name);

// The form of a text used for matching: Arabic and Persian letter variants of
// yeh and kaf made one, Persian and Arabic digits made ASCII, case folded.
QString LookupFoldText(const QString &text);
