#include "printing/ReportStaging.h"

#include "ledger_window/row_actions/ReviewMarks.h"

#include <QRegularExpression>

namespace {

const QString LedgerPrintoutHead = QStringLiteral(
    "Insert into tblAccountTempInfo (FormTypeID,PrintFormatID,NaturalCol0,NaturalCol1,NaturalCol9,StringCol0,"
    "StringCol1,StringCol2,StringCol3,StringCol4,StringCol5,StringCol6,StringCol9,CurrencyCol0,CurrencyCol1,"
    "CurrencyCol2,CurrencyCol3,CurrencyCol4,CurrencyCol5,CurrencyCol6,CurrencyCol7,CurrencyCol8,StringCol11,"
    "StringCol12,StringCol13,StringCol14,StringCol15,StringCol16,StringCol17,StringCol18) Values (315,31501,");
const QString ConflictReportHead = QStringLiteral(
    "Insert into tblAccountTempInfo (FormTypeID,PrintFormatID,NaturalCol0,NaturalCol1,NaturalCol9,StringCol0,"
    "StringCol1,StringCol2,StringCol4,StringCol5,StringCol6,StringCol9,CurrencyCol0,CurrencyCol1,CurrencyCol2,"
    "CurrencyCol3,CurrencyCol4,CurrencyCol5,CurrencyCol6,CurrencyCol7,CurrencyCol8) Values (315,31501,");

const QString QuoteComma = QStringLiteral("','");

// The document number goes into the statement without quotes. The grid
// holds it as digits; anything else (an empty cell, a text a host put there)
// is written as NULL or as its number, so no foreign text reaches the SQL.
QString documentIdValue(const QString &text)
{
    static const QRegularExpression wholeNumber(QStringLiteral("^-?[0-9]{1,10}$"));
    if (text.trimmed().isEmpty())
        return QStringLiteral("Null");
    if (wholeNumber.match(text).hasMatch())
        return text;
    return QString::number(RowKeyValue(text));
}

// Column 0, column 1 and the grid row: the unquoted start of both statements.
QString numbersPart(const StagedLine &line)
{
    return QString::number(RowKeyValue(line.code)) + QLatin1Char(',') + documentIdValue(line.documentId)
           + QLatin1Char(',') + QString::number(line.gridRow) + QStringLiteral(",'");
}

QString amountsPart(const StagedLine &line, const StagingHeader &header)
{
    const Currency amounts[] = {line.debit,          line.credit,        line.debitBalance,
                                line.creditBalance,  header.sumDebit,    header.sumCredit,
                                header.sumAllDebit,  header.sumAllCredit};
    QString text;
    for (const Currency &amount : amounts)
        text += amount.toString() + QLatin1Char(',');
    return text + header.broughtForward.toString();
}

} // namespace

QString SqlQuoted(const QString &text)
{
    QString quoted = text;
    return quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
}

QString LedgerPrintoutInsert(const StagedLine &line, const StagingHeader &header)
{
    QStringList texts {line.documentDate, line.transactionDate, line.description, line.accountCode,
                       header.fromDate,   header.toDate,          header.printedDate, header.heading};
    QStringList analytic = header.analyticTexts;
    while (analytic.size() < 8)
        analytic << QString();
    for (QString &text : texts)
        text = SqlQuoted(text);
    for (QString &text : analytic)
        text = SqlQuoted(text);
    return LedgerPrintoutHead + numbersPart(line) + texts.join(QuoteComma) + QStringLiteral("',")
           + amountsPart(line, header) + QStringLiteral(",'") + analytic.mid(0, 8).join(QuoteComma)
           + QStringLiteral("')");
}

QString ConflictReportInsert(const StagedLine &line, const StagingHeader &header)
{
    QStringList texts {line.documentDate, line.transactionDate, line.description, header.fromDate,
                       header.toDate,     header.printedDate,     header.heading};
    for (QString &text : texts)
        text = SqlQuoted(text);
    return ConflictReportHead + numbersPart(line) + texts.join(QuoteComma) + QStringLiteral("',")
           + amountsPart(line, header) + QLatin1Char(')');
}

QString InvoiceItemsQuery(qint32 invoiceId)
{
    return QStringLiteral("select isnull(Code,'') as Code, Barcode,Name,SaleValue,Qty,RetailPrice,GoodUnit "
                          "from vwSaleInvoiceGoodReport Where  InvoiceID = ")
           + QString::number(invoiceId);
}

Currency RoundedToWhole(Currency amount)
{
    const std::int64_t scale = Currency::Scale;
    std::int64_t whole = amount.raw() / scale;
    const std::int64_t rest = amount.raw() % scale; // same sign as the amount
    const std::int64_t twice = 2 * (rest < 0 ? -rest : rest);
    if (twice > scale || (twice == scale && whole % 2 != 0))
        whole += rest < 0 ? -1 : 1;
    return Currency::fromUnits(whole);
}

std::vector<StagedLine> ExpandInvoiceRow(const StagedLine &row, qint32 invoiceId, const std::vector<InvoiceItem> &items)
{
    std::vector<StagedLine> lines;
    const Currency rowBalance = row.debitBalance.isZero() || row.debitBalance.isNegative() ? -row.creditBalance
                                                                                            : row.debitBalance;
    Currency balance = rowBalance - row.debit; // the balance before the row
    Currency remaining = row.debit;
    for (const InvoiceItem &item : items) {
        if (remaining.isZero() || remaining.isNegative())
            break;
        const Currency amount = RoundedToWhole(item.saleValue);
        balance = balance + amount;
        remaining = remaining - amount;
        StagedLine line = row;
        line.description = QStringLiteral("فاكتور شماره رايانه اي: ") + QString::number(invoiceId)
                           + QStringLiteral("، كالا: ") + item.name + QStringLiteral("، تعداد: ") + item.qty
                           + QLatin1Char(' ') + item.unit + QStringLiteral("، في: ") + item.retailPrice;
        line.debit = amount;
        const bool debitBalance = !balance.isZero() && !balance.isNegative();
        line.debitBalance = debitBalance ? balance : Currency();
        line.creditBalance = debitBalance ? Currency() : -balance;
        lines.push_back(line);
    }
    if (!items.empty() && !remaining.isZero() && !remaining.isNegative()) {
        StagedLine rest = row;
        rest.debit = remaining;
        lines.push_back(rest);
    }
    return lines;
}
