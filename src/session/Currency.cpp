#include "session/Currency.h"

#include <cmath>

namespace {

// Largest magnitudes in raw units: 2^63 - 1 for a positive amount, 2^63 for
// a negative one.
constexpr std::uint64_t kMaxPositive = std::uint64_t(INT64_MAX);
constexpr std::uint64_t kMaxNegative = kMaxPositive + 1;

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
    // The magnitude is gathered in raw units (whole part times Scale plus the
    // fraction), checked against the limit of its sign at every digit, so a
    // number just inside the range reads exactly and one beyond it throws.
    const std::uint64_t limit = negative ? kMaxNegative : kMaxPositive;
    std::uint64_t whole = 0;
    bool anyDigit = false;
    while (i < length && at(i) >= '0' && at(i) <= '9') {
        anyDigit = true;
        if (__builtin_mul_overflow(whole, 10u, &whole) || __builtin_add_overflow(whole, unsigned(at(i) - '0'), &whole)
            || whole > limit / Currency::Scale)
            throw CurrencyOverflow();
        ++i;
    }
    std::uint64_t fraction = 0;
    int fractionDigits = 0;
    bool roundUp = false;
    if (i < length && at(i) == '.') {
        ++i;
        while (i < length && at(i) >= '0' && at(i) <= '9') {
            anyDigit = true;
            if (fractionDigits < 4) {
                fraction = fraction * 10 + unsigned(at(i) - '0');
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
    const std::uint64_t magnitude = whole * Currency::Scale + fraction + (roundUp ? 1 : 0);
    if (magnitude > limit)
        throw CurrencyOverflow();
    // -2^63 has no positive counterpart: negate in unsigned arithmetic.
    return Currency::fromRaw(negative ? std::int64_t(0 - magnitude) : std::int64_t(magnitude));
}

} // namespace

const QString CurrencyOverflow::Message = QStringLiteral("مبلغ از حد مجاز بيشتر است.");

CurrencyOverflow::CurrencyOverflow()
    : DatabaseError(Message)
{}

void Currency::overflow()
{
    throw CurrencyOverflow();
}

Currency Currency::fromDouble(double value)
{
    // 2^63 is exact as a double; anything at or beyond it (or not a number)
    // has no 64-bit fixed-point value.
    constexpr double bound = 9223372036854775808.0;
    const double scaled = std::round(value * Scale);
    if (!(scaled >= -bound && scaled < bound))
        throw CurrencyOverflow();
    return fromRaw(static_cast<std::int64_t>(scaled));
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
