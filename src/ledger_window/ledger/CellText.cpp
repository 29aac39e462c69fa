#include "ledger_window/ledger/CellText.h"

#include "session/modMain.h"

#include <QString>

#include <algorithm>
#include <charconv>
#include <cstdint>

double CellNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    // Whole numbers, by far the most common cells, are read without
    // from_chars; up to 18 digits convert to double exactly as it would.
    const std::size_t start = i;
    std::uint64_t whole = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - start < 18)
        whole = whole * 10 + std::uint64_t(text[i++] - '0');
    if (i == text.size() || (text[i] != '.' && (text[i] < '0' || text[i] > '9'))) {
        const double value = double(whole);
        return negative ? -value : value;
    }
    // A decimal part or a very long number: the general reading.
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i;
    }
    double value = 0;
    if (i > start && !(i == start + 1 && text[start] == '.'))
        std::from_chars(text.data() + start, text.data() + i, value);
    return negative ? -value : value;
}

Currency CellAmount(std::string_view text, std::string &scratch)
{
    // One pass finds both a separator to drop and a byte outside ASCII.
    bool separators = false;
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return ParseAmount(QString::fromUtf8(text.data(), qsizetype(text.size())));
        separators = separators || c == ',';
    }
    if (!separators)
        return Currency::parsePrefix(text);
    scratch.clear();
    for (char c : text)
        if (c != ',')
            scratch.push_back(c);
    return Currency::parsePrefix(std::string_view(scratch));
}

std::string_view PlainAmountText(Currency amount, char (&buffer)[32])
{
    const std::int64_t raw = amount.raw();
    const std::uint64_t magnitude = raw < 0 ? std::uint64_t(-(raw + 1)) + 1 : std::uint64_t(raw);
    char *out = buffer;
    if (raw < 0)
        *out++ = '-';
    out = std::to_chars(out, buffer + sizeof buffer, magnitude / Currency::Scale).ptr;
    std::uint64_t fraction = magnitude % Currency::Scale;
    if (fraction) {
        *out++ = '.';
        for (std::int64_t unit = Currency::Scale / 10; unit > 0 && fraction; unit /= 10) {
            *out++ = char('0' + fraction / unit);
            fraction %= unit;
        }
    }
    return std::string_view(buffer, std::size_t(out - buffer));
}

std::string_view GroupedAmountText(std::string_view text, std::string &scratch)
{
    if (!IsAscii(text)) {
        scratch = FormatAmountText(QString::fromUtf8(text.data(), qsizetype(text.size()))).toStdString();
        return scratch;
    }
    const std::size_t sign = !text.empty() && (text.front() == '-' || text.front() == '+') ? 1 : 0;
    const std::size_t point = std::min(text.find('.'), text.size());
    const std::size_t length = point - sign;
    if (length <= 3)
        return text;
    const std::size_t groups = (length - 1) / 3;
    scratch.assign(text.substr(0, sign + length - 3 * groups));
    for (std::size_t i = groups; i >= 1; --i) {
        scratch.push_back(',');
        scratch.append(text.substr(point - 3 * i, 3));
    }
    scratch.append(text.substr(point));
    return scratch;
}
