#pragma once
// A report template: page, default font and the six bands of a banded report,
// read from a plain-text JSON file (the format is described in
// reports/README.md). Lengths are millimetres, font sizes points. Item
// positions are measured from the right edge of the printable area, since the
// report reads right to left.

#include <QColor>
#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QSizeF>
#include <QString>
#include <QStringList>

enum class ReportBandKind { ReportHeader, PageHeader, ColumnHeader, Detail, ReportFooter, PageFooter };
constexpr int ReportBandCount = 6;

// Lengths are compared with this slack, so that heights and widths that add
// up to the printable area exactly in decimal are not refused for a rounding
// bit; the page planning uses the same, so every band the checks let through
// fits where the plan puts it.
constexpr double ReportLengthSlack = 0.001;

struct ReportItem
{
    enum class Format { Text, Integer, Amount };
    enum class Aggregate { None, Sum, Count };

    QString text;  // a fixed text; "{page}" and "{pages}" stand for the page numbers
    QString field; // a staging column, in its own spelling; empty for a fixed text
    QString prefix; // around a field's value, printed only when the value is not empty
    QString suffix;
    Format format = Format::Text;
    Aggregate aggregate = Aggregate::None;
    double x = 0;      // from the printable area's right edge to the item's right edge
    double y = 0;      // from the band's top
    double width = 0;
    double height = 0;
    Qt::Alignment align = Qt::AlignRight; // horizontal, as on paper (never mirrored)
    double fontSize = 0;
    bool bold = false;
    bool border = false;
    QColor fill; // invalid: no background
};

struct ReportBand
{
    double height = 0; // 0: the band is not printed
    QList<ReportItem> items;
};

struct ReportTemplate
{
    QString path;
    QPageSize::PageSizeId pageSize = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins {10, 10, 10, 10}; // left, top, right, bottom
    QString fontFamily;                 // the family the report is printed with
    double fontSize = 9;
    ReportBand bands[ReportBandCount];

    const ReportBand &band(ReportBandKind kind) const { return bands[int(kind)]; }
    // What every page holds: page header, column header and page footer.
    double everyPageHeight() const;
    // The paper and the printable area inside the margins, in millimetres.
    QSizeF paperSize() const;
    double printableWidth() const { return paperSize().width() - margins.left() - margins.right(); }
    double printableHeight() const { return paperSize().height() - margins.top() - margins.bottom(); }
    // Every staging column the bands name, each once, in order of appearance.
    QStringList fields() const;
};

// Reads and checks a template file. Throws ReportError with a Persian message
// for a missing, empty or malformed file, an unknown key, a value of the wrong
// kind, a column that is no staging column, an item wider than the page or
// higher than its band, and bands that leave no room for a detail line.
ReportTemplate LoadReportTemplate(const QString &path);
// The same for a template's text; `path` only names it in messages.
ReportTemplate ParseReportTemplate(const QByteArray &json, const QString &path);

// The family printed with: the one asked for when it is installed, else the
// first installed of Noto Sans Arabic and Noto Naskh Arabic.
QString ResolveFontFamily(const QString &requested);
