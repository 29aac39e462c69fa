#include "session/Currency.h"

#include <cmath>

namespace {

// Shared by the UTF-16 and UTF-8 readers: both hand over one character at a time.
template<typename CharAt>
Currency parseDigits(qsizetype length, CharAt at)
{
    qsizetype i = 0;
    while (i < length && (at(i) == ' ' || at(i) == '\t'))
        ++i;
    bool negative = false;
    if (i < length && (at(i) == '-' || at(i) == '+')) {
        negative = at(i) == '-';
        ++i;
    }
    std::int64_t whole = 0;
    bool anyDigit = false;
    while (i < length && at(i) >= '0' && at(i) <= '9') {
        anyDigit = true;
        if (whole < (INT64_MAX / Currency::Scale) / 10)
            whole = whole * 10 + (at(i) - '0');
        ++i;
    }
    std::int64_t fraction = 0;
    int fractionDigits = 0;
    bool roundUp = false;
    if (i < length && at(i) == '.') {
        ++i;
        while (i < length && at(i) >= '0' && at(i) <= '9') {
            anyDigit = true;
            if (fractionDigits < 4) {
                fraction = fraction * 10 + (at(i) - '0');
                ++fractionDigits;
            } else if (fractionDigits == 4) {
                roundUp = at(i) >= '5';
                ++fractionDigits;
            }
            ++i;
        }
    }
    if (!anyDigit)
        return Currency();
    for (int d = fractionDigits; d < 4; ++d)
        fraction *= 10;
    std::int64_t raw = whole * Currency::Scale + fraction + (roundUp ? 1 : 0);
    return Currency::fromRaw(negative ? -raw : raw);
}

} // namespace

Currency Currency::fromDouble(double value)
{
    return fromRaw(static_cast<std::int64_t>(std::llround(value * Scale)));
}

Currency Currency::parsePrefix(QStringView text)
{
    return parseDigits(text.size(), [&](qsizetype i) { return text[i].unicode(); });
}

Currency Currency::parsePrefix(std::string_view utf8)
{
    return parseDigits(qsizetype(utf8.size()), [&](qsizetype i) { return char16_t(static_cast<unsigned char>(utf8[i])); });
}

QString Currency::toString() const
{
    const std::uint64_t magnitude = m_raw < 0 ? std::uint64_t(-(m_raw + 1)) + 1 : std::uint64_t(m_raw);
    QString text = QString::number(magnitude / Scale);
    std::uint64_t fraction = magnitude % Scale;
    if (fraction) {
        QString digits = QString::number(fraction).rightJustified(4, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += QLatin1Char('.') + digits;
    }
    return m_raw < 0 ? QLatin1Char('-') + text : text;
}
