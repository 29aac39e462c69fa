#pragma once
// The process-wide session record and the session operations every part of
// the component uses to reach the database.

#include "session/Currency.h"
#include "session/DtEn.h"

#include <QDate>
#include <QString>
#include <QVariant>
#include <memory>

struct SessionRecord
{
    QString ConnectionText;
    qint32 UserID = 0;
    qint32 PositionID = 0;
    qint32 EmployeeID = 0;
    qint32 BranchID = 0;
    qint16 PeriodID = 0;
    QDate PeriodBeginDate;
    QDate PeriodEndDate;
    QString PeriodCondition;
    QString RowCondition;
    QString DocumentTypeCondition;
    QString BeforeFromDateCondition;
    QString DateRangeCondition;
    QString CodeRangeCondition;
    qint16 RequeryFlag = 0;
    qint16 EditState = 0;
    Currency BalanceBroughtForward;
    QString KeyboardLayoutCode;
    QString FirstBasePath;
    qint16 DocumentNumberMode = 0;
    bool ObjectsEnabled = false;
    qint16 PeriodCount = 0;
    QString PrintFilePath;

    // The data environment, created on first use and released when a ledger
    // window unloads.
    DtEn &DataEnvironment();
    bool HasDataEnvironment() const { return m_dataEnvironment != nullptr; }
    void ReleaseDataEnvironment();

private:
    std::unique_ptr<DtEn> m_dataEnvironment;
};

extern SessionRecord Session;

// Gives tests a fresh session (releases the data environment too).
void ResetSessionForTesting();

// Points the data environment at ConnectionText and reads the user's branch.
void StartSession();
// -1 for an empty text, 1 for "True", otherwise the number with "/" removed.
QVariant ParseDateNumber(const QString &text);
// The report component's connect text for an OLE DB connection string.
QString BuildReportConnect(const QString &connectionString);
// " and ( DocumentDate >='begin' And DocumentDate <= 'end')"
QString BuildPeriodCondition(const QDate &begin, const QDate &end);
// A date as the SQL texts carry it (the connection's date-to-text form).
QString SqlDate(const QDate &date);

// The session operations.
Recordset &OpenOnText(const QString &recordsetName, const QString &sql);
Recordset &ReopenOnText(const QString &recordsetName, const QString &sql); // closes first when open
qint64 ExecuteText(const QString &sql);
QVariant RunCommand(const QString &commandName, QVariantList &args);
// Runs a command whose arguments are all inputs; the return value as a
// 32-bit integer (null gives 0).
qint32 RunCommandValue(const QString &commandName, const QVariantList &args);
