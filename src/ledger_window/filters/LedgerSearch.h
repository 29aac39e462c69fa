#pragma once
// Finding rows of the filled ledger grid by document date, a piece of the
// description and an amount. Works on the grid's own texts; no query.

#include "session/Currency.h"

#include <QString>
#include <string>
#include <string_view>

class FlexGrid;

// The three search fields, read once per search.
class LedgerRowMatcher
{
public:
    // jalaliDate: "" for any date. description: matched as typed, blanks
    // kept; blank only means any description. amount: any amount when blank;
    // otherwise compared by value with the row's debit and credit, with
    // blanks around it and thousands separators ignored; a text that is not
    // an amount matches no row.
    LedgerRowMatcher(const QString &jalaliDate, const QString &description, const QString &amount);

    // The cells of one row: document date, description, debit, credit (UTF-8).
    bool matches(std::string_view date, std::string_view description, std::string_view debit,
                 std::string_view credit) const;
    // The same for row `row` of the grid.
    bool matchesRow(const FlexGrid &grid, int row) const;

private:
    bool descriptionMatches(std::string_view description) const;
    bool amountMatches(std::string_view cell) const;

    std::string m_date;          // empty: any date
    std::u32string m_needle;     // folded; empty: any description
    enum class AmountRule { Any, Value, Nothing } m_amountRule = AmountRule::Any;
    Currency m_amount;
    mutable std::u32string m_folded; // reused for each description
};

// The first matching data row from startRow to the last row, then from row 1
// up to the row before startRow; 0 when no row matches. A start row beyond
// the last row searches rows 1 to the last.
int FindMatchingRow(const FlexGrid &grid, const LedgerRowMatcher &matcher, int startRow);

// The amount a search field or a grid cell holds: digits (Persian and
// Arabic-Indic too) with an optional sign and decimals, thousands separators
// and surrounding blanks ignored. False for anything else.
bool ReadSearchAmount(QStringView text, Currency *amount);
