#pragma once
// The Persian texts of the report component, in one place so that they can be
// compared at a glance. Each message names what it is about (file, column,
// key) because the person who edits the template or the host's administrator
// has to act on it.

#include <QString>

namespace ReportTexts {

// --- template file ---------------------------------------------------------

inline QString TemplateFileMissing(const QString &path)
{
    return QStringLiteral("فايل الگوي گزارش پيدا نشد: ") + path;
}

inline QString TemplateFileUnreadable(const QString &path, const QString &reason)
{
    return QStringLiteral("فايل الگوي گزارش خوانده نشد: ") + path + QStringLiteral("\n") + reason;
}

inline QString TemplateFileEmpty(const QString &path)
{
    return QStringLiteral("فايل الگوي گزارش خالي است: ") + path;
}

inline QString TemplateMalformed(const QString &path, const QString &reason, int line)
{
    return QStringLiteral("فايل الگوي گزارش ساختار درستي ندارد (JSON نامعتبر در سطر ") + QString::number(line)
        + QStringLiteral("): ") + path + QStringLiteral("\n") + reason;
}

inline QString TemplateNotAnObject(const QString &where)
{
    return QStringLiteral("در الگوي گزارش، ") + where + QStringLiteral(" بايد يك شيء JSON ({ ... }) باشد.");
}

inline QString UnknownKey(const QString &key, const QString &where)
{
    return QStringLiteral("كليد ناشناخته در الگوي گزارش: ") + key + QStringLiteral(" (در ") + where + QStringLiteral(")");
}

inline QString MissingKey(const QString &key, const QString &where)
{
    return QStringLiteral("كليد لازم در الگوي گزارش نيامده است: ") + key + QStringLiteral(" (در ") + where
        + QStringLiteral(")");
}

inline QString BadValue(const QString &key, const QString &where, const QString &expected)
{
    return QStringLiteral("مقدار ") + key + QStringLiteral(" در ") + where + QStringLiteral(" نادرست است؛ ")
        + expected + QStringLiteral(" لازم است.");
}

inline QString ExpectPositiveNumber() { return QStringLiteral("عدد مثبت (ميليمتر يا پوينت)"); }
inline QString ExpectNumber() { return QStringLiteral("عدد صفر يا مثبت"); }
inline QString ExpectText() { return QStringLiteral("متن"); }
inline QString ExpectBool() { return QStringLiteral("true يا false"); }
inline QString ExpectList() { return QStringLiteral("فهرست ([ ... ])"); }
inline QString ExpectOneOf(const QString &choices) { return QStringLiteral("يكي از ") + choices; }
inline QString ExpectColor() { return QStringLiteral("رنگ به شكل #rrggbb"); }

inline QString ItemNeedsContent(const QString &where)
{
    return QStringLiteral("در ") + where + QStringLiteral(" بايد يكي از text ،field يا aggregate بيايد.");
}

inline QString UnknownTemplateColumn(const QString &column, const QString &where)
{
    return QStringLiteral("ستون ") + column + QStringLiteral(" در ") + where
        + QStringLiteral(" از ستونهاي جدول گزارش (tblAccountTempInfo) نيست.");
}

inline QString AggregateOutsideReportFooter(const QString &where)
{
    return QStringLiteral("جمع و شمارش (aggregate) فقط در پاصفحه پايان گزارش (reportFooter) مي آيد: ") + where;
}

inline QString SumNeedsField(const QString &where)
{
    return QStringLiteral("جمع (sum) ستون مي خواهد (field): ") + where;
}

inline QString ItemTooWide(const QString &where, double rightEdge, double pageWidth)
{
    return QStringLiteral("عرض ") + where + QStringLiteral(" در صفحه جا نمي شود: لبه آن ") + QString::number(rightEdge)
        + QStringLiteral(" ميليمتر از راست است و عرض قابل چاپ صفحه ") + QString::number(pageWidth)
        + QStringLiteral(" ميليمتر.");
}

inline QString ItemTooHigh(const QString &where)
{
    return QStringLiteral("ارتفاع ") + where + QStringLiteral(" از ارتفاع بخش خود بيشتر است.");
}

inline QString MarginsTooLarge()
{
    return QStringLiteral("حاشيه هاي الگوي گزارش از اندازه صفحه بيشترند.");
}

inline QString BandsTooHigh(double needed, double available)
{
    return QStringLiteral("بخشهاي الگوي گزارش در ارتفاع صفحه جا نمي شوند: ") + QString::number(needed)
        + QStringLiteral(" ميليمتر لازم است و ارتفاع قابل چاپ صفحه ") + QString::number(available)
        + QStringLiteral(" ميليمتر است.");
}

// --- rows ------------------------------------------------------------------

inline QString ColumnNotInRows(const QString &column)
{
    return QStringLiteral("ستون ") + column + QStringLiteral(" كه الگوي گزارش مي خواهد در رديفهاي خوانده شده نيست.");
}

inline QString ReadFailed(const QString &databaseMessage)
{
    return QStringLiteral("رديفهاي گزارش از بانك اطلاعاتي خوانده نشد.\n") + databaseMessage;
}

// --- selection -------------------------------------------------------------

inline QString SelectionEmpty()
{
    return QStringLiteral("شرط انتخاب رديفهاي گزارش (Selection) خالي است.");
}

inline QString SelectionUntranslatable(const QString &selection)
{
    return QStringLiteral("شرط انتخاب رديفهاي گزارش قابل ترجمه نيست: ") + selection;
}

inline QString SelectionUnknownView(const QString &view)
{
    return QStringLiteral("نماي ") + view + QStringLiteral(" در شرط انتخاب گزارش شناخته نشد.");
}

inline QString SelectionUnknownColumn(const QString &view, const QString &column)
{
    return QStringLiteral("ستون ") + column + QStringLiteral(" در نماي ") + view + QStringLiteral(" نيست.");
}

inline QString SelectionNumberTooLarge(const QString &number)
{
    return QStringLiteral("عدد ") + number + QStringLiteral(" در شرط انتخاب گزارش بيش از حد بزرگ است.");
}

inline QString SelectionNotSingleSelect()
{
    return QStringLiteral("براي خواندن رديفهاي گزارش فقط يك دستور SELECT پذيرفته مي شود.");
}

// --- connection ------------------------------------------------------------

inline QString ConnectionEmpty()
{
    return QStringLiteral("رشته اتصال گزارش (Connection) خالي است.");
}

inline QString ConnectionUnrecognised()
{
    return QStringLiteral("رشته اتصال گزارش شناخته نشد: نه Provider دارد و نه DSN.");
}

inline QString ConnectionNoDataSource()
{
    return QStringLiteral("سرور يا فايل بانك اطلاعاتي (Data Source يا DSN) در رشته اتصال گزارش نيامده است.");
}

// --- output ----------------------------------------------------------------

inline QString OutputNotCreated(const QString &target)
{
    return QStringLiteral("خروجي گزارش ساخته نشد: ") + target;
}

inline QString UnknownDestination(int destination)
{
    return QStringLiteral("مقصد گزارش (Destination) نامعتبر است: ") + QString::number(destination)
        + QStringLiteral("؛ 0 براي پيش نمايش و 1 براي چاپ.");
}

inline QString Unexpected(const QString &what)
{
    return QStringLiteral("اجراي گزارش با خطا متوقف شد.\n") + what;
}

// Captions of the dialogs the component opens itself.
inline QString PreviewTitle() { return QStringLiteral("پيش نمايش گزارش"); }
inline QString SavePdfCaption() { return QStringLiteral("ذخيره گزارش به صورت فايل PDF"); }
inline QString PdfFilter() { return QStringLiteral("فايل PDF (*.pdf)"); }

} // namespace ReportTexts
