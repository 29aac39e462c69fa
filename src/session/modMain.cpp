#include "session/modMain.h"

#include "session/Session.h"

QString FormatThousands(const QString &text, const QString &separator)
{
    const qsizetype length = text.size();
    if (length <= 3)
        return text;
    const qsizetype groups = (length - 1) / 3;
    QString result;
    result.reserve(length + groups * separator.size());
    result += QStringView(text).left(length - 3 * groups);
    for (qsizetype i = groups; i >= 1; --i) {
        result += separator;
        result += QStringView(text).mid(length - 3 * i, 3);
    }
    return result;
}

Currency ParseAmount(QString &text)
{
    text.remove(QLatin1Char(','));
    return Currency::parsePrefix(text);
}

Currency ParseAmount(const QString &text)
{
    QString copy = text;
    return ParseAmount(copy);
}

double LeadingNumber(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    qsizetype end = i;
    if (end < text.size() && (text[end] == u'-' || text[end] == u'+'))
        ++end;
    bool digits = false;
    while (end < text.size() && text[end] >= u'0' && text[end] <= u'9') {
        ++end;
        digits = true;
    }
    if (end < text.size() && text[end] == u'.') {
        ++end;
        while (end < text.size() && text[end] >= u'0' && text[end] <= u'9') {
            ++end;
            digits = true;
        }
    }
    if (!digits)
        return 0;
    return text.mid(i, end - i).toString().toDouble();
}

QString FormatAmountText(const QString &text)
{
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    if (point < 0)
        return FormatThousands(text, QStringLiteral(","));
    return FormatThousands(text.left(point), QStringLiteral(",")) + text.mid(point);
}

QString FormatAmount(Currency amount)
{
    return FormatAmountText(amount.toString());
}

bool HasPermission(int permissionNumber)
{
    return RunCommandValue(QStringLiteral("spVelkoHasPermission"),
                           {Session.UserID, permissionNumber}) != 0;
}
