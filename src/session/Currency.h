#pragma once
// Exact money amounts: 64-bit fixed point with four decimals. Every
// operation that could leave the 64-bit range throws CurrencyOverflow
// instead of wrapping into another amount.

#include "session/DatabaseError.h"

#include <QString>
#include <QStringView>
#include <cstdint>
#include <string_view>

// An amount beyond -922,337,203,685,477.5808 .. 922,337,203,685,477.5807.
// A DatabaseError, so every place that reports database and conversion
// failures reports this one too.
class CurrencyOverflow : public DatabaseError
{
public:
    CurrencyOverflow();
    static const QString Message; // "مبلغ از حد مجاز بيشتر است."
};

class Currency
{
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromRaw(std::int64_t raw) { Currency c; c.m_raw = raw; return c; }
    static constexpr Currency fromUnits(std::int64_t units)
    {
        std::int64_t raw = 0;
        if (__builtin_mul_overflow(units, Scale, &raw))
            overflow();
        return fromRaw(raw);
    }
    // Rounds half away from zero to four decimals. A value out of range, an
    // infinity or NaN throws CurrencyOverflow.
    static Currency fromDouble(double value);

    // Reads the numeric prefix of a text the way the host's Val() does:
    // leading blanks, an optional sign, digits, an optional decimal part.
    // A text that does not start with a number gives 0. Digits past the
    // fourth decimal are rounded half away from zero. A number beyond the
    // range throws CurrencyOverflow rather than reading as a smaller one.
    static Currency parsePrefix(QStringView text);
    static Currency parsePrefix(std::string_view utf8);

    constexpr std::int64_t raw() const { return m_raw; }
    double toDouble() const { return double(m_raw) / Scale; }
    // Plain decimal text without separators or trailing zeros: "1234.5", "-200", "0".
    QString toString() const;

    constexpr bool isZero() const { return m_raw == 0; }
    constexpr bool isNegative() const { return m_raw < 0; }
    constexpr Currency abs() const { return m_raw < 0 ? -*this : *this; }

    constexpr Currency operator-() const
    {
        std::int64_t raw = 0;
        if (__builtin_sub_overflow(std::int64_t(0), m_raw, &raw))
            overflow();
        return fromRaw(raw);
    }
    constexpr Currency operator+(Currency o) const
    {
        std::int64_t raw = 0;
        if (__builtin_add_overflow(m_raw, o.m_raw, &raw))
            overflow();
        return fromRaw(raw);
    }
    constexpr Currency operator-(Currency o) const
    {
        std::int64_t raw = 0;
        if (__builtin_sub_overflow(m_raw, o.m_raw, &raw))
            overflow();
        return fromRaw(raw);
    }
    constexpr Currency &operator+=(Currency o) { return *this = *this + o; }
    constexpr Currency &operator-=(Currency o) { return *this = *this - o; }
    constexpr auto operator<=>(const Currency &) const = default;

private:
    // Kept out of line so the checks stay small in the callers' loops.
    [[noreturn]] static void overflow();

    std::int64_t m_raw = 0;
};
