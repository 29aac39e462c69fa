#include "session/modMain.h"

#include "session/Session.h"
#include "session/ValueText.h"

#include <stdexcept>

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
    // Typed amounts may come in Persian or Arabic-Indic digits, with the
    // Arabic thousands separator and decimal point of those keyboards.
    QString latin = WithLatinDigits(text);
    latin.remove(QChar(0x066C));
    latin.replace(QChar(0x066B), QLatin1Char('.'));
    return Currency::parsePrefix(latin);
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
    // A sign stays in front of the grouped digits: "-1,200", never "-,200".
    const qsizetype sign = text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+')) ? 1 : 0;
    qsizetype point = text.indexOf(QLatin1Char('.'));
    if (point < 0)
        point = text.size();
    return text.left(sign) + FormatThousands(text.mid(sign, point - sign), QStringLiteral(",")) + text.mid(point);
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

SqlConditionFault CheckSqlCondition(QStringView condition)
{
    // Every quote toggles: a doubled quote inside a literal closes it and
    // opens it again at once, with nothing in between to look at.
    bool inLiteral = false;
    for (qsizetype i = 0; i < condition.size(); ++i) {
        const QChar c = condition[i];
        if (c == u'\'') {
            inLiteral = !inLiteral;
            continue;
        }
        if (inLiteral)
            continue;
        const QChar next = i + 1 < condition.size() ? condition[i + 1] : QChar();
        if ((c == u'-' && next == u'-') || (c == u'/' && next == u'*') || (c == u'*' && next == u'/'))
            return SqlConditionFault::Comment;
        if (c == u';')
            return SqlConditionFault::StatementSeparator;
    }
    return inLiteral ? SqlConditionFault::UnclosedQuote : SqlConditionFault::None;
}

void RequireSingleSqlCondition(const QString &condition)
{
    switch (CheckSqlCondition(condition)) {
    case SqlConditionFault::None:
        return;
    case SqlConditionFault::Comment:
        throw std::invalid_argument(
            QStringLiteral("شرط sqlString نبايد علامت توضيح (-- يا /* يا */) بيرون از متن هاي داخل \' داشته باشد.")
                .toStdString());
    case SqlConditionFault::StatementSeparator:
        throw std::invalid_argument(
            QStringLiteral("شرط sqlString نبايد جداكننده دستور (;) بيرون از متن هاي داخل \' داشته باشد.").toStdString());
    case SqlConditionFault::UnclosedQuote:
        throw std::invalid_argument(QStringLiteral("در شرط sqlString علامت \' بسته نشده است.").toStdString());
    }
}
