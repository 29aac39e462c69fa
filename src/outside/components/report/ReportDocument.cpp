#include "outside/components/report/ReportDocument.h"

#include "outside/components/report/ReportError.h"
#include "outside/components/report/ReportTexts.h"
#include "session/modMain.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QPrinter>
#include <QTextLayout>
#include <QTextOption>
#include <cmath>

namespace {

constexpr double PaddingMm = 1.0;    // between a cell's border and its text
constexpr double LineWidthMm = 0.2;  // cell borders

double bandHeight(const ReportTemplate &t, ReportBandKind kind)
{
    return t.band(kind).height;
}

// A plain decimal number: optional sign, digits, optional fraction. Only such
// texts are formatted as numbers; anything else prints as it is stored.
bool isPlainNumber(QStringView text)
{
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        ++i;
    const qsizetype digits = i;
    while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128)
        ++i;
    if (i == digits)
        return false;
    if (i < text.size() && text[i] == u'.') {
        ++i;
        while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128)
            ++i;
    }
    return i == text.size();
}

// A text laid out for an item's box: its glyphs and where they go relative
// to the box's top left corner.
struct ShapedText
{
    QList<QGlyphRun> runs;
    QPointF offset;
};

constexpr qsizetype ShapedTextsPerItem = 512;

// One template item made ready for one printer: its font and metrics on that
// device, its box in device units relative to its band's top left corner, and
// the text it prints on every page when that never changes.
struct PreparedItem
{
    const ReportItem *item = nullptr;
    int column = -1; // in the rows; -1 for a fixed text or a count
    QFont font;
    QFontMetricsF metrics {QFont()};
    QTextOption option;
    QRectF box;
    QRectF textBox;
    bool perRow = false;       // a detail field
    bool pageNumbers = false;  // a fixed text with {page} or {pages}
    QString constant;          // what it prints when neither of the above
    mutable QHash<QString, ShapedText> shaped;
};

class PagePainter
{
public:
    PagePainter(const ReportTemplate &t, const ReportRows &rows, const QHash<QString, Currency> &sums,
                int pageCount, QPrinter &printer)
        : m_template(t), m_rows(rows), m_pageCount(pageCount), m_unit(printer.resolution() / 25.4)
    {
        for (int kind = 0; kind < ReportBandCount; ++kind)
            for (const ReportItem &item : t.bands[kind].items)
                m_items[kind].push_back(prepare(item, ReportBandKind(kind), sums, printer));
    }

    void paint(QPainter &painter, const ReportPage &page, int pageNumber)
    {
        painter.save();
        painter.translate(m_template.margins.left() * m_unit, m_template.margins.top() * m_unit);
        painter.setLayoutDirection(Qt::RightToLeft);
        QPen pen(Qt::black);
        pen.setWidthF(LineWidthMm * m_unit);
        painter.setPen(pen);

        double y = 0;
        const auto paintBand = [&](ReportBandKind kind, qint64 row) {
            paintItems(painter, kind, y * m_unit, row, pageNumber);
            y += bandHeight(m_template, kind);
        };
        if (page.reportHeader)
            paintBand(ReportBandKind::ReportHeader, -1);
        paintBand(ReportBandKind::PageHeader, -1);
        paintBand(ReportBandKind::ColumnHeader, -1);
        for (qint64 row = page.firstRow; row < page.firstRow + page.rowCount; ++row)
            paintBand(ReportBandKind::Detail, row);
        if (page.reportFooter)
            paintBand(ReportBandKind::ReportFooter, -1);
        // The page footer sits at the bottom of every page, however full.
        y = m_template.printableHeight() - bandHeight(m_template, ReportBandKind::PageFooter);
        paintBand(ReportBandKind::PageFooter, -1);
        painter.restore();
    }

private:
    PreparedItem prepare(const ReportItem &item, ReportBandKind kind, const QHash<QString, Currency> &sums,
                         QPrinter &printer) const
    {
        PreparedItem p;
        p.item = &item;
        p.font = QFont(m_template.fontFamily);
        p.font.setPointSizeF(item.fontSize);
        p.font.setBold(item.bold);
        p.metrics = QFontMetricsF(p.font, &printer);
        const bool number = item.format != ReportItem::Format::Text;
        // Numbers run left to right even inside right-to-left lines, so a
        // negative amount keeps its sign in front: "-1,200", not "1,200-".
        p.option = QTextOption(item.align | Qt::AlignVCenter | Qt::AlignAbsolute);
        p.option.setWrapMode(QTextOption::NoWrap);
        p.option.setTextDirection(number ? Qt::LeftToRight : Qt::RightToLeft);

        const double right = m_template.printableWidth() - item.x;
        p.box = QRectF((right - item.width) * m_unit, item.y * m_unit, item.width * m_unit, item.height * m_unit);
        const double padding = std::min(PaddingMm, item.width / 4) * m_unit;
        p.textBox = p.box.adjusted(padding, 0, -padding, 0);

        if (item.aggregate == ReportItem::Aggregate::Sum) {
            p.constant = FormatAmount(sums.value(item.field));
        } else if (item.aggregate == ReportItem::Aggregate::Count) {
            p.constant = QString::number(m_rows.rowCount());
        } else if (!item.field.isEmpty()) {
            p.column = m_rows.columnIndex(item.field);
            p.perRow = kind == ReportBandKind::Detail;
            // Header and footer fields show the first row's value.
            if (!p.perRow)
                p.constant = withAffixes(item, m_rows.rowCount() > 0 ? m_rows.text(0, p.column) : QString());
        } else {
            p.pageNumbers = item.text.contains(QLatin1String("{page}")) || item.text.contains(QLatin1String("{pages}"));
            p.constant = item.text;
        }
        return p;
    }

    static QString withAffixes(const ReportItem &item, const QString &value)
    {
        const QString shown = FormatReportValue(item.format, value);
        return shown.isEmpty() ? shown : item.prefix + shown + item.suffix;
    }

    QString textOf(const PreparedItem &p, qint64 row, int pageNumber) const
    {
        if (p.perRow)
            return withAffixes(*p.item, m_rows.text(row, p.column));
        if (p.pageNumbers) {
            QString text = p.constant;
            text.replace(QLatin1String("{pages}"), QString::number(m_pageCount));
            text.replace(QLatin1String("{page}"), QString::number(pageNumber));
            return text;
        }
        return p.constant;
    }

    void paintItems(QPainter &painter, ReportBandKind kind, double top, qint64 row, int pageNumber)
    {
        for (const PreparedItem &p : m_items[int(kind)]) {
            const QRectF box = p.box.translated(0, top);
            if (p.item->fill.isValid())
                painter.fillRect(box, p.item->fill);
            if (p.item->border)
                painter.drawRect(box);
            const QString text = textOf(p, row, pageNumber);
            if (text.isEmpty())
                continue;
            drawText(painter, p, p.textBox.translated(0, top), text);
        }
    }

    // A text is laid out once per item and kept as glyph runs: dates, codes,
    // zero amounts and the headers repeat on every page, and shaping (Persian
    // needs it) is what printing long ledgers spends its time on. A text
    // wider than its box is cut with "…" at its end (the left side of a
    // right-to-left line), never wrapped.
    void drawText(QPainter &painter, const PreparedItem &p, const QRectF &box, const QString &text)
    {
        auto found = p.shaped.constFind(text);
        if (found == p.shaped.constEnd()) {
            if (p.shaped.size() >= ShapedTextsPerItem)
                p.shaped.clear(); // many distinct texts (descriptions): the cache would only grow
            found = p.shaped.insert(text, shape(painter, p, box.size(), text));
        }
        const QPointF origin = box.topLeft() + found->offset;
        for (const QGlyphRun &run : found->runs)
            painter.drawGlyphRun(origin, run);
    }

    static ShapedText shape(QPainter &painter, const PreparedItem &p, const QSizeF &box, const QString &text)
    {
        ShapedText shaped;
        QTextLayout layout(text, p.font, painter.device());
        layout.setTextOption(p.option);
        layout.setCacheEnabled(true);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        line.setLineWidth(box.width());
        layout.endLayout();
        if (line.naturalTextWidth() > box.width()) {
            layout.setText(p.metrics.elidedText(text, Qt::ElideRight, box.width()));
            layout.beginLayout();
            line = layout.createLine();
            line.setLineWidth(box.width());
            layout.endLayout();
        }
        shaped.runs = layout.glyphRuns();
        shaped.offset = QPointF(0, (box.height() - line.height()) / 2);
        return shaped;
    }

    const ReportTemplate &m_template;
    const ReportRows &m_rows;
    int m_pageCount;
    double m_unit; // device units per millimetre
    std::vector<PreparedItem> m_items[ReportBandCount];
};

} // namespace

std::vector<ReportPage> PlanPages(const ReportTemplate &t, qint64 rowCount)
{
    const double everyPage = t.everyPageHeight();
    const double detail = bandHeight(t, ReportBandKind::Detail);
    const double footer = bandHeight(t, ReportBandKind::ReportFooter);

    std::vector<ReportPage> pages;
    qint64 row = 0;
    do {
        ReportPage page;
        page.firstRow = row;
        page.reportHeader = pages.empty();
        double space = t.printableHeight() - everyPage
            - (page.reportHeader ? bandHeight(t, ReportBandKind::ReportHeader) : 0);
        // The template's checks leave room for at least one line per page.
        const qint64 lines = std::max<qint64>(1, qint64(std::floor((space + ReportLengthSlack) / detail)));
        page.rowCount = std::min(lines, rowCount - row);
        row += page.rowCount;
        space -= double(page.rowCount) * detail;
        page.reportFooter = row == rowCount && footer <= space + ReportLengthSlack;
        pages.push_back(page);
    } while (row < rowCount);
    if (!pages.back().reportFooter) {
        ReportPage last;
        last.firstRow = rowCount;
        last.reportFooter = true;
        pages.push_back(last);
    }
    return pages;
}

QString FormatReportValue(ReportItem::Format format, const QString &text)
{
    if (format == ReportItem::Format::Text)
        return text;
    const QString trimmed = text.trimmed();
    if (!isPlainNumber(trimmed))
        return text;
    try {
        const Currency amount = Currency::parsePrefix(trimmed);
        if (format == ReportItem::Format::Amount)
            return FormatAmount(amount);
        // Whole number, rounded half away from zero.
        const std::int64_t raw = amount.raw();
        const std::int64_t half = Currency::Scale / 2;
        const std::int64_t units = (raw >= 0 ? raw + half : raw - half) / Currency::Scale;
        return QString::number(units);
    } catch (const CurrencyOverflow &) {
        return text; // beyond the currency range: printed as stored, never wrapped
    }
}

ReportDocument::ReportDocument(ReportTemplate t, ReportRows rows)
    : m_template(std::move(t)), m_rows(std::move(rows))
{
    for (const ReportItem &item : m_template.band(ReportBandKind::ReportFooter).items) {
        if (item.aggregate != ReportItem::Aggregate::Sum || m_sums.contains(item.field))
            continue;
        const int column = m_rows.columnIndex(item.field);
        if (column < 0)
            throw ReportError(ReportTexts::ColumnNotInRows(item.field));
        Currency total; // exact and checked: an overflow fails the run
        for (qint64 row = 0; row < m_rows.rowCount(); ++row)
            total += Currency::parsePrefix(m_rows.cell(row, column));
        m_sums.insert(item.field, total);
    }
    for (const QString &field : m_template.fields())
        if (m_rows.columnIndex(field) < 0)
            throw ReportError(ReportTexts::ColumnNotInRows(field));
    m_pages = PlanPages(m_template, m_rows.rowCount());
}

void ReportDocument::setUpPrinter(QPrinter &printer) const
{
    printer.setFullPage(true);
    QPageLayout layout(QPageSize(m_template.pageSize), m_template.orientation, QMarginsF(), QPageLayout::Millimeter);
    layout.setMode(QPageLayout::FullPageMode);
    printer.setPageLayout(layout);
    printer.setDocName(QFileInfo(m_template.path).completeBaseName());
}

ReportDocument::PrintResult ReportDocument::print(QPrinter &printer) const
{
    QPainter painter;
    if (!painter.begin(&printer))
        return PrintResult::NotStarted;
    PagePainter pages(m_template, m_rows, m_sums, pageCount(), printer);
    for (size_t i = 0; i < m_pages.size(); ++i) {
        if (i > 0 && !printer.newPage()) {
            painter.end();
            return PrintResult::Failed;
        }
        pages.paint(painter, m_pages[i], int(i) + 1);
    }
    return painter.end() ? PrintResult::Printed : PrintResult::Failed;
}
