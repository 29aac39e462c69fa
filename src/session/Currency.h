#pragma once
// Exact money amounts: 64-bit fixed point with four decimals.

#include <QString>
#include <QStringView>
#include <cstdint>
#include <string_view>

class Currency
{
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromRaw(std::int64_t raw) { Currency c; c.m_raw = raw; return c; }
    static constexpr Currency fromUnits(std::int64_t units) { return fromRaw(units * Scale); }
    // Rounds half away from zero to four decimals.
    static Currency fromDouble(double value);

    // Reads the numeric prefix of a text the way the host's Val() does:
    // leading blanks, an optional sign, digits, an optional decimal part.
    // A text that does not start with a number gives 0. Digits past the
    // fourth decimal are rounded half away from zero.
    static Currency parsePrefix(QStringView text);
    static Currency parsePrefix(std::string_view utf8);

    constexpr std::int64_t raw() const { return m_raw; }
    double toDouble() const { return double(m_raw) / Scale; }
    // Plain decimal text without separators or trailing zeros: "1234.5", "-200", "0".
    QString toString() const;

    constexpr bool isZero() const { return m_raw == 0; }
    constexpr bool isNegative() const { return m_raw < 0; }
    constexpr Currency abs() const { return fromRaw(m_raw < 0 ? -m_raw : m_raw); }

    constexpr Currency operator-() const { return fromRaw(-m_raw); }
    constexpr Currency operator+(Currency o) const { return fromRaw(m_raw + o.m_raw); }
    constexpr Currency operator-(Currency o) const { return fromRaw(m_raw - o.m_raw); }
    constexpr Currency &operator+=(Currency o) { m_raw += o.m_raw; return *this; }
    constexpr Currency &operator-=(Currency o) { m_raw -= o.m_raw; return *this; }
    constexpr auto operator<=>(const Currency &) const = default;

private:
    std::int64_t m_raw = 0;
};
