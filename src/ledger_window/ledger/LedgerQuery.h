#pragma once
// The SQL texts of the ledger load, built from the window's filters. Plain
// functions over plain values, so the texts can be checked without a window.

#include <QDate>
#include <QString>

struct AnalyticPairFilter
{
    bool classEmpty = true;
    bool objectEmpty = true;
    qint32 classId = 0;
    qint32 objectId = 0;
    QString objectViewMinor; // the class's view of object/child pairs
};

struct LedgerFilter
{
    qint32 accountId = 0;
    bool excludeOpeningDocument = false; // chkiOpening
    bool objectsEnabled = false;
    AnalyticPairFilter pairs[4];
    bool branchChosen = false;
    qint32 branchId = 0;
    QString fromDate; // date text as the SQL carries it; empty = no date
    QString toDate;
    QString codeFromText; // the raw texts of the document-number fields
    QString codeToText;
    bool sortByDocumentDate = true;
    QString rowCondition;    // the session's RowCondition
    QString periodCondition; // the session's PeriodCondition
    QString today;           // date text of today
};

// The condition texts of one load; each is empty or starts with a blank.
struct LedgerConditions
{
    QString accountTest;     // "AccountID = 12" or "AccountID<>-1 "
    QString documentType;    // DocumentTypeCondition
    QString extra;           // ExtraCondition: analytic objects and branch
    QString beforeFromDate;  // BeforeFromDateCondition
    QString dateRange;       // DateRangeCondition
    QString codeRange;       // CodeRangeCondition
};

// Which family of views a load reads: the posted documents, or the
// draft-inclusive "WithScratch" views.
enum class LedgerViews { Posted, WithScratch };

LedgerConditions BuildLedgerConditions(const LedgerFilter &filter, LedgerViews views = LedgerViews::Posted);

// The assignment columns appended to the select list.
QString AssignedColumns();

QString BalanceBroughtForwardQuery(const LedgerFilter &filter, const LedgerConditions &conditions, bool leaf,
                                   LedgerViews views = LedgerViews::Posted);
QString MainLedgerQuery(const LedgerFilter &filter, const LedgerConditions &conditions, bool leaf,
                        LedgerViews views = LedgerViews::Posted);
// The main query's rows in two parts around a date of the column it sorts by
// first: `whole` is the main query with a last column that is 1 for the rows
// on and after the date (rows without a date sort first and stay out), and
// `from` the main query for those rows alone, in the same order.
struct LedgerQueryParts
{
    QString whole;
    QString from;
};
LedgerQueryParts MainLedgerQueryParts(const LedgerFilter &filter, const LedgerConditions &conditions, bool leaf,
                                      LedgerViews views, const QString &splitDate);

// The middle day of the dates a ledger covers (from and to, each from the
// date fields or else the period), where its load splits between two
// readers; invalid when the range is unknown or shorter than two days.
QDate LedgerSplitDate(const QDate &from, const QDate &to);

QString PeriodTotalsQuery(const LedgerFilter &filter, const LedgerConditions &conditions, bool leaf,
                          LedgerViews views = LedgerViews::Posted);
QString UpToTodayTotalsQuery(const LedgerFilter &filter, const LedgerConditions &conditions,
                             LedgerViews views = LedgerViews::Posted);

// A number typed into a document-number field as SQL text: the text's
// leading number in plain decimal, 0 when it has none. Never anything that
// could change the statement.
QString DocumentNumberText(const QString &typed);
