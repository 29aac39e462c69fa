#pragma once
// A report ready to print: the template, the rows, the report footer's sums
// and the pages planned in advance (fixed band heights make that arithmetic),
// so the page footer can say "page N of M" from the first page on. Pages are
// painted one after another with QPainter on any QPrinter: a PDF file, the
// system's printer, or the preview's pages.

#include "outside/components/report/ReportRows.h"
#include "outside/components/report/ReportTemplate.h"
#include "session/Currency.h"

#include <QHash>
#include <vector>

class QPainter;
class QPrinter;

struct ReportPage
{
    qint64 firstRow = 0;
    qint64 rowCount = 0;       // detail lines on this page
    bool reportHeader = false; // the first page
    bool reportFooter = false; // the page after the last row, or the last row's own
};

// Every page of a report of rowCount rows. The report footer goes under the
// last row when it fits there, else on a page of its own; a report without
// rows is one page with its headers and footers.
std::vector<ReportPage> PlanPages(const ReportTemplate &t, qint64 rowCount);

// A cell as an item prints it. "integer": the whole number (rounded);
// "amount": the exact amount with "," every three digits and its sign.
// Both leave an empty text empty and a text that is no number as it is.
QString FormatReportValue(ReportItem::Format format, const QString &text);

class ReportDocument
{
public:
    // Throws ReportError (CurrencyOverflow for a sum beyond the currency
    // range) before anything is printed.
    ReportDocument(ReportTemplate t, ReportRows rows);

    int pageCount() const { return int(m_pages.size()); }
    const std::vector<ReportPage> &pages() const { return m_pages; }
    // The footer sum of a column (the staging column's own spelling).
    Currency sum(const QString &column) const { return m_sums.value(column); }

    // Paper size and orientation, whole paper as the drawing area (the
    // template's margins are applied when painting).
    void setUpPrinter(QPrinter &printer) const;
    enum class PrintResult { Printed, NotStarted, Failed };
    // Paints every page. NotStarted: the printer could not be opened (for a
    // PDF nothing was written); Failed: it failed while writing.
    PrintResult print(QPrinter &printer) const;

private:
    ReportTemplate m_template;
    ReportRows m_rows;
    QHash<QString, Currency> m_sums;
    std::vector<ReportPage> m_pages;
};
