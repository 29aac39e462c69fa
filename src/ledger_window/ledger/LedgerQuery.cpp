#include "ledger_window/ledger/LedgerQuery.h"

#include "session/ValueText.h"

#include "session/modMain.h"

#include <QRegularExpression>
#include <cmath>

namespace {

QString viewName(LedgerViews views)
{
    return views == LedgerViews::Posted ? QStringLiteral("vwAccountDocumentDetail")
                                        : QStringLiteral("vwAccountDocumentDetailWithScratch");
}

// " from <view> Where AccountID in (Select ChildID from tblAccountParent Where ID=<id>) "
QString childAccountsTest(const LedgerFilter &filter)
{
    return QStringLiteral("AccountID in (Select ChildID from tblAccountParent Where ID=")
           + QString::number(filter.accountId) + QStringLiteral(") ");
}

// The part after "Where": the account test, then the conditions in their fixed order.
QString whereWithRanges(const LedgerFilter &filter, const LedgerConditions &c, bool leaf)
{
    return (leaf ? c.accountTest : childAccountsTest(filter)) + filter.rowCondition + c.dateRange + c.codeRange
           + filter.periodCondition + c.documentType + c.extra;
}

} // namespace

QString DocumentNumberText(const QString &typed)
{
    const double value = LeadingNumber(WithLatinDigits(typed).trimmed());
    if (std::isfinite(value) && std::fabs(value) < 1e15 && value == std::floor(value))
        return QString::number(qint64(value));
    return QString::number(value, 'g', 17);
}

LedgerConditions BuildLedgerConditions(const LedgerFilter &filter, LedgerViews views)
{
    LedgerConditions c;
    c.accountTest = filter.accountId == -1 ? QStringLiteral("AccountID<>-1 ")
                                           : QStringLiteral("AccountID = ") + QString::number(filter.accountId);
    if (filter.excludeOpeningDocument)
        c.documentType = QStringLiteral(" And DocumentTypeID <>100");

    c.extra = QStringLiteral(" and DocumentID <> -1 ");
    if (filter.objectsEnabled) {
        for (const AnalyticPairFilter &pair : filter.pairs) {
            if (pair.objectEmpty || pair.classEmpty)
                continue;
            const QString classId = QString::number(pair.classId);
            const QString objectId = QString::number(pair.objectId);
            if (views == LedgerViews::Posted) {
                // The chosen object counts together with all of its children.
                c.extra += QStringLiteral(" and exists (select * from vwAccountNonPreDocumnetObjects Where "
                                          "vwAccountDocumentDetail.DocumentID=DocumentID and "
                                          "vwAccountDocumentDetail.RowNumber=RowNumber and ClassID=")
                           + classId + QStringLiteral(" and ObjectID in (Select ") + objectId
                           + QStringLiteral(" union select x.ChildID from ") + pair.objectViewMinor
                           + QStringLiteral(" x where x.ID=") + objectId + QStringLiteral("))");
            } else {
                c.extra += QStringLiteral(" and exists (select * from vwAccountNonPreDocumnetObjectsWithScratch Where "
                                          "vwAccountDocumentDetailWithScratch.DocumentID=DocumentID and "
                                          "vwAccountDocumentDetailWithScratch.RowNumber=RowNumber and ClassID=")
                           + classId + QStringLiteral(" and ObjectID=") + objectId + QStringLiteral(")");
            }
        }
    }
    if (filter.branchChosen && views == LedgerViews::Posted) {
        const QString branch = QString::number(filter.branchId);
        c.extra += QStringLiteral(" and BranchID in (Select ") + branch
                   + QStringLiteral(" union Select x.ChildID from tblAccountBranchParent x Where x.ID=") + branch
                   + QStringLiteral(")");
    }

    if (!filter.fromDate.isEmpty())
        c.beforeFromDate = QStringLiteral(" And DocumentDate < '") + filter.fromDate + QStringLiteral("' ");

    const bool hasFrom = !filter.fromDate.isEmpty();
    const bool hasTo = !filter.toDate.isEmpty();
    if (hasFrom && hasTo)
        c.dateRange = QStringLiteral(" And DocumentDate >= '") + filter.fromDate + QStringLiteral("' And DocumentDate <= '")
                      + filter.toDate + QStringLiteral("' ");
    else if (hasTo)
        c.dateRange = QStringLiteral(" And DocumentDate <= '") + filter.toDate + QStringLiteral("' ");
    else if (hasFrom)
        c.dateRange = QStringLiteral(" And DocumentDate >= '") + filter.fromDate + QStringLiteral("' ");

    const QString codeFrom = filter.codeFromText.trimmed();
    const QString codeTo = filter.codeToText.trimmed();
    if (!codeFrom.isEmpty() && !codeTo.isEmpty())
        c.codeRange = QStringLiteral(" And AccTransCode >= ") + DocumentNumberText(codeFrom)
                      + QStringLiteral(" And AccTransCode <= ") + DocumentNumberText(codeTo);
    else if (!codeTo.isEmpty())
        c.codeRange = QStringLiteral(" And AccTransCode <= ") + DocumentNumberText(codeTo);
    else if (!codeFrom.isEmpty())
        c.codeRange = QStringLiteral(" And AccTransCode >= ") + DocumentNumberText(codeFrom);
    return c;
}

QString AssignedColumns()
{
    return QStringLiteral(", dbo.fnAccountDocumentDetailAssignedValue(DocumentID,RowNumber,0) as AssignedDebitValue ")
           + QStringLiteral(", dbo.fnAccountDocumentDetailAssignedValue(DocumentID,RowNumber,1) as AssignedCreditValue, "
                            "null as RemNotAssignedDebitValue, null as RemNotAssignedCreditValue, null, null, "
                            "CASE WHEN IsAssignmentExcluded=1 THEN 'خارج از تخصيص' ELSE '' END ");
}

QString BalanceBroughtForwardQuery(const LedgerFilter &filter, const LedgerConditions &c, bool leaf, LedgerViews views)
{
    const QString view = viewName(views);
    const QString head = leaf ? QStringLiteral("Select Sum(Debit-Credit)  As Remained from ") + view
                                    + QStringLiteral(" Where ") + c.accountTest
                              : QStringLiteral("Select Sum(Debit-Credit) As Remained from ") + view
                                    + QStringLiteral(" Where ") + childAccountsTest(filter);
    // The document-date and code ranges take no part in the balance brought forward.
    return head + filter.rowCondition + c.beforeFromDate + filter.periodCondition + c.documentType + c.extra;
}

namespace {

QString mainQuerySelect()
{
    return QStringLiteral(
        "Select AccTransCode,DocumentID,FarsiDocumentDate,FarsiTransactionDate,Description,Debit,Credit,Debit,Credit,"
        "AccDocumentType,AdditionalFormSpec,DocumentDate,TransactionDate,DocumentTypeID,ContractID,AccContract,"
        "AccTransDescription,RowNumber,IsFinalized,IsChecked,AccountCode,FormID,FormTypeID,FormType,FileName ")
           + AssignedColumns();
}

QString mainQueryOrder(const LedgerFilter &filter)
{
    return filter.sortByDocumentDate ? QStringLiteral(" Order By DocumentDate,AccTransCode,DocumentID,rownumber")
                                     : QStringLiteral(" Order By TransactionDate,AccTransCode,DocumentID,rownumber");
}

} // namespace

QString MainLedgerQuery(const LedgerFilter &filter, const LedgerConditions &c, bool leaf, LedgerViews views)
{
    return mainQuerySelect() + QStringLiteral(" from ") + viewName(views) + QStringLiteral(" Where ")
           + whereWithRanges(filter, c, leaf) + mainQueryOrder(filter);
}

LedgerQueryParts MainLedgerQueryParts(const LedgerFilter &filter, const LedgerConditions &c, bool leaf,
                                      LedgerViews views, const QString &splitDate)
{
    const QString column = filter.sortByDocumentDate ? QStringLiteral("DocumentDate") : QStringLiteral("TransactionDate");
    const QString onOrAfter = column + QStringLiteral(" >= '") + splitDate + QLatin1Char('\'');
    const QString from = QStringLiteral(" from ") + viewName(views) + QStringLiteral(" Where ");
    LedgerQueryParts parts;
    parts.whole = mainQuerySelect() + QStringLiteral(", Case When ") + onOrAfter + QStringLiteral(" Then 1 Else 0 End")
                  + from + whereWithRanges(filter, c, leaf) + mainQueryOrder(filter);
    // The conditions stay whole inside parentheses, so an "or" in one of
    // them cannot take the date's condition with it.
    parts.from = mainQuerySelect() + from + QLatin1Char('(') + whereWithRanges(filter, c, leaf) + QStringLiteral(") And ")
                 + onOrAfter + mainQueryOrder(filter);
    return parts;
}

QDate LedgerSplitDate(const QDate &from, const QDate &to)
{
    if (!from.isValid() || !to.isValid())
        return QDate();
    const qint64 days = from.daysTo(to);
    return days < 1 ? QDate() : from.addDays((days + 1) / 2);
}

QString PeriodTotalsQuery(const LedgerFilter &filter, const LedgerConditions &c, bool leaf, LedgerViews views)
{
    return QStringLiteral("Select Sum(Debit) As SumDebit,Sum(Credit) As SumCredit from ") + viewName(views)
           + QStringLiteral(" Where ") + whereWithRanges(filter, c, leaf);
}

QString UpToTodayTotalsQuery(const LedgerFilter &filter, const LedgerConditions &c, LedgerViews views)
{
    const QString detailView = viewName(views);
    const QString nonPreView = views == LedgerViews::Posted ? QStringLiteral("vwAccountNonPreDocumentDetail")
                                                            : QStringLiteral("vwAccountNonPreDocumentDetailWithScratch");
    QString extra = c.extra;
    // Whole-word replacement, so the WithScratch name is not touched by the posted one.
    extra.replace(QRegularExpression(QStringLiteral("\\b%1\\b").arg(detailView),
                                     QRegularExpression::CaseInsensitiveOption),
                  nonPreView);
    // The account itself only, even when it has child accounts.
    return QStringLiteral("Select Sum(DebitValue) As SumDebit,Sum(CreditValue) As SumCredit from ") + nonPreView
           + QStringLiteral(" Where ") + c.accountTest + QStringLiteral(" And TransactionDate <= '") + filter.today
           + QStringLiteral("'") + extra;
}
