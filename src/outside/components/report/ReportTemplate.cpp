#include "outside/components/report/ReportTemplate.h"

#include "outside/components/report/ReportError.h"
#include "outside/components/report/ReportSelection.h"
#include "outside/components/report/ReportTexts.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <initializer_list>

namespace {

const char *const BandKeys[ReportBandCount] = {"reportHeader", "pageHeader", "columnHeader",
                                               "detail",       "reportFooter", "pageFooter"};

struct PageSizeName
{
    const char *name;
    QPageSize::PageSizeId id;
};
const PageSizeName PageSizes[] = {
    {"A3", QPageSize::A3},         {"A4", QPageSize::A4},         {"A5", QPageSize::A5},
    {"A6", QPageSize::A6},         {"B4", QPageSize::B4},         {"B5", QPageSize::B5},
    {"Letter", QPageSize::Letter}, {"Legal", QPageSize::Legal},   {"Executive", QPageSize::Executive},
    {"Tabloid", QPageSize::Tabloid},
};

QString choices(const QStringList &names)
{
    return names.join(QStringLiteral("، "));
}

QString choices(std::initializer_list<const char *> names)
{
    QStringList list;
    for (const char *name : names)
        list << QLatin1String(name);
    return choices(list);
}

QString pageSizeChoices()
{
    QStringList list;
    for (const PageSizeName &size : PageSizes)
        list << QLatin1String(size.name);
    return choices(list);
}

// Keys starting with "_" are the template writer's comments.
void requireKnownKeys(const QJsonObject &object, std::initializer_list<const char *> known, const QString &where)
{
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (it.key().startsWith(u'_'))
            continue;
        const bool ok = std::any_of(known.begin(), known.end(),
                                    [&](const char *key) { return it.key() == QLatin1String(key); });
        if (!ok)
            throw ReportError(ReportTexts::UnknownKey(it.key(), where));
    }
}

QJsonObject objectAt(const QJsonValue &value, const QString &where)
{
    if (!value.isObject())
        throw ReportError(ReportTexts::TemplateNotAnObject(where));
    return value.toObject();
}

double numberOf(const QJsonObject &object, const char *key, const QString &where, double fallback, bool positive)
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined())
        return fallback;
    const double number = value.toDouble(-1);
    if (!value.isDouble() || number < 0 || (positive && number <= 0))
        throw ReportError(ReportTexts::BadValue(QLatin1String(key), where,
                                                positive ? ReportTexts::ExpectPositiveNumber() : ReportTexts::ExpectNumber()));
    return number;
}

QString textOf(const QJsonObject &object, const char *key, const QString &where, const QString &fallback = QString())
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined())
        return fallback;
    if (!value.isString())
        throw ReportError(ReportTexts::BadValue(QLatin1String(key), where, ReportTexts::ExpectText()));
    return value.toString();
}

bool boolOf(const QJsonObject &object, const char *key, const QString &where)
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined())
        return false;
    if (!value.isBool())
        throw ReportError(ReportTexts::BadValue(QLatin1String(key), where, ReportTexts::ExpectBool()));
    return value.toBool();
}

// A text key whose value must be one of a few words (any letter case).
int choiceOf(const QJsonObject &object, const char *key, const QString &where,
             std::initializer_list<const char *> words, int fallback)
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined())
        return fallback;
    const QString text = value.toString();
    int index = 0;
    for (const char *word : words) {
        if (value.isString() && text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0)
            return index;
        ++index;
    }
    throw ReportError(ReportTexts::BadValue(QLatin1String(key), where, ReportTexts::ExpectOneOf(choices(words))));
}

void readPage(const QJsonObject &root, ReportTemplate &t)
{
    if (!root.contains(QLatin1String("page")))
        return;
    const QString where = QStringLiteral("page");
    const QJsonObject page = objectAt(root.value(QLatin1String("page")), where);
    requireKnownKeys(page, {"size", "orientation", "margins"}, where);

    const QString size = textOf(page, "size", where, QStringLiteral("A4"));
    const auto found = std::find_if(std::begin(PageSizes), std::end(PageSizes), [&](const PageSizeName &p) {
        return size.compare(QLatin1String(p.name), Qt::CaseInsensitive) == 0;
    });
    if (found == std::end(PageSizes))
        throw ReportError(ReportTexts::BadValue(QStringLiteral("size"), where, ReportTexts::ExpectOneOf(pageSizeChoices())));
    t.pageSize = found->id;
    t.orientation = choiceOf(page, "orientation", where, {"portrait", "landscape"}, 0) == 0 ? QPageLayout::Portrait
                                                                                            : QPageLayout::Landscape;
    if (page.contains(QLatin1String("margins"))) {
        const QString at = where + QStringLiteral(".margins");
        const QJsonObject margins = objectAt(page.value(QLatin1String("margins")), at);
        requireKnownKeys(margins, {"top", "right", "bottom", "left"}, at);
        t.margins = QMarginsF(numberOf(margins, "left", at, t.margins.left(), false),
                              numberOf(margins, "top", at, t.margins.top(), false),
                              numberOf(margins, "right", at, t.margins.right(), false),
                              numberOf(margins, "bottom", at, t.margins.bottom(), false));
    }
    if (t.printableWidth() <= 0 || t.printableHeight() <= 0)
        throw ReportError(ReportTexts::MarginsTooLarge());
}

void readFont(const QJsonObject &root, ReportTemplate &t)
{
    QString family = QStringLiteral("Tahoma");
    if (root.contains(QLatin1String("font"))) {
        const QString where = QStringLiteral("font");
        const QJsonObject font = objectAt(root.value(QLatin1String("font")), where);
        requireKnownKeys(font, {"family", "size"}, where);
        family = textOf(font, "family", where, family);
        t.fontSize = numberOf(font, "size", where, t.fontSize, true);
    }
    t.fontFamily = ResolveFontFamily(family);
}

ReportItem readItem(const QJsonObject &item, const QString &where, ReportBandKind kind, const ReportTemplate &t,
                    double bandHeight, double nextX)
{
    requireKnownKeys(item,
                     {"text", "field", "format", "aggregate", "prefix", "suffix", "x", "y", "width", "height",
                      "align", "size", "bold", "border", "fill"},
                     where);
    ReportItem result;
    result.text = textOf(item, "text", where);
    const QString field = textOf(item, "field", where);
    if (!field.isEmpty()) {
        result.field = StagingColumn(field);
        if (result.field.isEmpty())
            throw ReportError(ReportTexts::UnknownTemplateColumn(field, where));
    }
    result.prefix = textOf(item, "prefix", where);
    result.suffix = textOf(item, "suffix", where);
    result.format = ReportItem::Format(choiceOf(item, "format", where, {"text", "integer", "amount"}, 0));
    result.aggregate = ReportItem::Aggregate(choiceOf(item, "aggregate", where, {"none", "sum", "count"}, 0));
    if (result.aggregate != ReportItem::Aggregate::None) {
        if (kind != ReportBandKind::ReportFooter)
            throw ReportError(ReportTexts::AggregateOutsideReportFooter(where));
        if (result.aggregate == ReportItem::Aggregate::Sum && result.field.isEmpty())
            throw ReportError(ReportTexts::SumNeedsField(where));
        // A sum is an amount and a count a whole number, whatever the item says.
        result.format = result.aggregate == ReportItem::Aggregate::Sum ? ReportItem::Format::Amount
                                                                       : ReportItem::Format::Integer;
    }
    if (!item.contains(QLatin1String("text")) && result.field.isEmpty()
        && result.aggregate == ReportItem::Aggregate::None)
        throw ReportError(ReportTexts::ItemNeedsContent(where));

    if (!item.contains(QLatin1String("width")))
        throw ReportError(ReportTexts::MissingKey(QStringLiteral("width"), where));
    result.width = numberOf(item, "width", where, 0, true);
    result.x = numberOf(item, "x", where, nextX, false);
    result.y = numberOf(item, "y", where, 0, false);
    result.height = numberOf(item, "height", where, bandHeight - result.y, true);
    if (result.x + result.width > t.printableWidth() + ReportLengthSlack)
        throw ReportError(ReportTexts::ItemTooWide(where, result.x + result.width, t.printableWidth()));
    if (result.height <= 0 || result.y + result.height > bandHeight + ReportLengthSlack)
        throw ReportError(ReportTexts::ItemTooHigh(where));

    switch (choiceOf(item, "align", where, {"right", "center", "left"}, 0)) {
    case 0: result.align = Qt::AlignRight; break;
    case 1: result.align = Qt::AlignHCenter; break;
    default: result.align = Qt::AlignLeft; break;
    }
    result.fontSize = numberOf(item, "size", where, t.fontSize, true);
    result.bold = boolOf(item, "bold", where);
    result.border = boolOf(item, "border", where);
    const QString fill = textOf(item, "fill", where);
    if (!fill.isEmpty()) {
        result.fill = QColor::fromString(fill);
        if (!result.fill.isValid() || !fill.startsWith(u'#'))
            throw ReportError(ReportTexts::BadValue(QStringLiteral("fill"), where, ReportTexts::ExpectColor()));
    }
    return result;
}

void readBand(const QJsonObject &root, ReportBandKind kind, ReportTemplate &t)
{
    const QString key = QLatin1String(BandKeys[int(kind)]);
    ReportBand &band = t.bands[int(kind)];
    if (!root.contains(key)) {
        if (kind == ReportBandKind::Detail)
            throw ReportError(ReportTexts::MissingKey(key, QStringLiteral("الگو")));
        return;
    }
    const QJsonObject object = objectAt(root.value(key), key);
    requireKnownKeys(object, {"height", "items"}, key);
    if (!object.contains(QLatin1String("height")))
        throw ReportError(ReportTexts::MissingKey(QStringLiteral("height"), key));
    band.height = numberOf(object, "height", key, 0, kind == ReportBandKind::Detail);

    const QJsonValue items = object.value(QLatin1String("items"));
    if (items.isUndefined())
        return;
    if (!items.isArray())
        throw ReportError(ReportTexts::BadValue(QStringLiteral("items"), key, ReportTexts::ExpectList()));
    // An item without "x" follows the one before it to the left: a row of
    // columns is written as a list of widths, first column at the right.
    double nextX = 0;
    const QJsonArray list = items.toArray();
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QString where = key + QStringLiteral(".items[") + QString::number(i) + u']';
        band.items << readItem(objectAt(list[i], where), where, kind, t, band.height, nextX);
        nextX = band.items.last().x + band.items.last().width;
    }
}

// Every page holds its page header, column header and page footer; the first
// page also the report header, and some page the report footer. There must
// be room for at least one detail line, and the report footer must fit on a
// page of its own.
void checkHeights(const ReportTemplate &t)
{
    const auto h = [&t](ReportBandKind kind) { return t.band(kind).height; };
    const double everyPage = t.everyPageHeight();
    const double available = t.printableHeight();
    for (const double needed : {everyPage + h(ReportBandKind::ReportHeader) + h(ReportBandKind::Detail),
                                everyPage + h(ReportBandKind::ReportFooter)})
        if (needed > available + ReportLengthSlack)
            throw ReportError(ReportTexts::BandsTooHigh(needed, available));
}

int lineOfOffset(const QByteArray &text, int offset)
{
    return int(text.left(offset).count('\n')) + 1;
}

} // namespace

QSizeF ReportTemplate::paperSize() const
{
    const QSizeF size = QPageSize(pageSize).size(QPageSize::Millimeter);
    return orientation == QPageLayout::Landscape ? size.transposed() : size;
}

double ReportTemplate::everyPageHeight() const
{
    return band(ReportBandKind::PageHeader).height + band(ReportBandKind::ColumnHeader).height
        + band(ReportBandKind::PageFooter).height;
}

QStringList ReportTemplate::fields() const
{
    QStringList list;
    for (const ReportBand &band : bands)
        for (const ReportItem &item : band.items)
            if (!item.field.isEmpty() && !list.contains(item.field))
                list << item.field;
    return list;
}

QString ResolveFontFamily(const QString &requested)
{
    if (!requested.isEmpty() && QFontDatabase::hasFamily(requested))
        return requested;
    for (const QString &fallback : {QStringLiteral("Noto Sans Arabic"), QStringLiteral("Noto Naskh Arabic")})
        if (QFontDatabase::hasFamily(fallback))
            return fallback;
    return requested; // left to Qt's own font matching
}

ReportTemplate ParseReportTemplate(const QByteArray &json, const QString &path)
{
    if (json.trimmed().isEmpty())
        throw ReportError(ReportTexts::TemplateFileEmpty(path));
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        throw ReportError(ReportTexts::TemplateMalformed(path, error.errorString(), lineOfOffset(json, error.offset)));
    if (!document.isObject())
        throw ReportError(ReportTexts::TemplateNotAnObject(QStringLiteral("الگو")));
    const QJsonObject root = document.object();
    requireKnownKeys(root,
                     {"name", "page", "font", "reportHeader", "pageHeader", "columnHeader", "detail", "reportFooter",
                      "pageFooter"},
                     QStringLiteral("الگو"));
    ReportTemplate t;
    t.path = path;
    textOf(root, "name", QStringLiteral("الگو"));
    readPage(root, t);
    readFont(root, t);
    for (int kind = 0; kind < ReportBandCount; ++kind)
        readBand(root, ReportBandKind(kind), t);
    checkHeights(t);
    return t;
}

ReportTemplate LoadReportTemplate(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists() || !info.isFile())
        throw ReportError(ReportTexts::TemplateFileMissing(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ReportError(ReportTexts::TemplateFileUnreadable(path, file.errorString()));
    return ParseReportTemplate(file.readAll(), path);
}
