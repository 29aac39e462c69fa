#pragma once
// Reading and writing the texts in the grid store's cells. Cells hold UTF-8
// and the amounts in them are ASCII, so these routines read and write amounts
// over std::string_view without building QStrings; a text outside ASCII goes
// the QString way of modMain, so both ways give the same result. Results that
// need a buffer go into the caller's scratch text or number buffer, which keep
// their capacity from one row to the next.

#include "session/Currency.h"

#include <string>
#include <string_view>

// Blanks around a text, as the host's Trim removes them (spaces only).
inline std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

inline bool IsAscii(std::string_view text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// The numeric value of a cell as the host's Val reads it: blanks and tabs, a
// sign, digits, a decimal part; anything else ends the number, and a cell
// that does not start with one reads 0.
double CellNumber(std::string_view text);

// ParseAmount of a cell: its value with the thousands separators ignored
// (Persian digits and separators too, through ParseAmount itself).
Currency CellAmount(std::string_view text, std::string &scratch);

// An amount as plain decimal text, as Currency::toString writes it:
// "1234.5", "-200", "0".
std::string_view PlainAmountText(Currency amount, char (&buffer)[32]);

// FormatAmountText of a cell: a "," every three digits of the whole part. A
// sign stays in front ("-1,200", not "-,200") and the decimal part is not
// grouped ("1,234.5"). Returns the text itself when it needs no separator.
std::string_view GroupedAmountText(std::string_view text, std::string &scratch);
