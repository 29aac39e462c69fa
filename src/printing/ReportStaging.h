#pragma once
// The rows a printout hands to the report component: one record of the
// shared staging table tblAccountTempInfo per grid row, marked with the
// ledger window's form type and print format so that other forms' rows in
// the same table are left alone. The statements are built here as plain
// text, without widgets, so that their exact wording can be checked.

#include "session/Currency.h"

#include <QString>
#include <QStringList>
#include <vector>

inline constexpr int LedgerReportFormTypeID = 315;
inline constexpr int LedgerReportFormatID = 31501;
inline constexpr int PrintPermission = 31506;

// Removes this window's staged rows; sent before and after every run.
inline const QString StagingClearStatement =
    QStringLiteral("Delete tblAccountTempInfo Where FormTypeID = 315 And PrintFormatID = 31501");
// Which staged rows the ledger printout's template reads.
inline const QString LedgerReportSelection =
    QStringLiteral("{vwAccountTempInfo.FormTypeID} = 315 And {vwAccountTempInfo.PrintFormatID} = 31501");
// The conflict report hands over a query instead.
inline const QString ConflictReportSelection =
    QStringLiteral("SELECT * From vwAccountTempInfo Where FormTypeID = 315 And PrintFormatID = 31501 order by NaturalCol0");

// What every record of one run shares: the dates of the window, the heading,
// the totals, the balance brought forward and (ledger printout only) the
// display texts of the four class and object selectors.
struct StagingHeader
{
    QString fromDate;    // Jalali texts
    QString toDate;
    QString printedDate; // the creation date (printout) or the document date (conflict report)
    QString heading;
    Currency sumDebit;
    Currency sumCredit;
    Currency sumAllDebit;
    Currency sumAllCredit;
    Currency broughtForward;
    QStringList analyticTexts; // class 1, object 1, ... class 4, object 4
};

// One printed line: a grid row, or one item line of an expanded invoice row.
struct StagedLine
{
    QString code;       // grid column 0, written as its rounded numeric value
    QString documentId; // grid column 1
    int gridRow = 0;
    QString documentDate;
    QString transactionDate;
    QString description;
    QString accountCode; // ledger printout only
    Currency debit;
    Currency credit;
    Currency debitBalance;
    Currency creditBalance;
};

// The text between single quotes: every quote doubled, so a name such as
// "O'Neil" neither breaks the statement nor changes its meaning.
QString SqlQuoted(const QString &text);

// The two statements, values in the staging table's column order.
QString LedgerPrintoutInsert(const StagedLine &line, const StagingHeader &header);
QString ConflictReportInsert(const StagedLine &line, const StagingHeader &header);

// One goods row of a sale invoice, as vwSaleInvoiceGoodReport gives it.
struct InvoiceItem
{
    QString name;
    QString qty;
    QString unit;
    QString retailPrice;
    Currency saleValue;
};

// The query of an invoice's goods (two blanks before the number, as sent).
QString InvoiceItemsQuery(qint32 invoiceId);
// A whole number of currency, halves to even as the host's conversion rounds.
Currency RoundedToWhole(Currency amount);

// The printed lines of an invoice row: one per item while the row's debit is
// not used up, each with the running balance from the balance before the
// row; items after the debit is used up are dropped. When the items do not
// cover the debit, a last line carries the uncovered rest with the row's own
// description and balances, so that the lines add up to the row.
std::vector<StagedLine> ExpandInvoiceRow(const StagedLine &row, qint32 invoiceId, const std::vector<InvoiceItem> &items);
