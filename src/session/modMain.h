#pragma once
// Small routines shared by every part of the component.

#include "session/Currency.h"

#include <QString>

// Inserts Sep every three characters counted from the right. Every character
// counts (a sign or a decimal point too); texts of three characters or fewer
// come back unchanged.
QString FormatThousands(const QString &text, const QString &separator);

// Removes every "," from the caller's text (in place) and returns the value of
// its numeric prefix; a text that does not start with a number gives 0.
// Persian and Arabic-Indic digits read as digits, U+066C as a separator and
// U+066B as the decimal point. A number beyond the currency range throws
// CurrencyOverflow.
Currency ParseAmount(QString &text);
// The same for a text the caller does not keep.
Currency ParseAmount(const QString &text);

// The numeric prefix of a text as a number, as the host's Val() reads it:
// "12ab" gives 12, "abc" and "" give 0.
double LeadingNumber(QStringView text);

// An amount's text with a "," every three digits of its whole part: the
// character rule of FormatThousands on the digits before the decimal point,
// so "1234.5" reads "1,234.5" rather than "123,4.5", and a sign stays in
// front ("-1,200" rather than "-,200").
QString FormatAmountText(const QString &text);
QString FormatAmount(Currency amount);

// Runs spVelkoHasPermission(Session.UserID, number); non-zero grants.
// Asked at the moment of the action, never cached.
bool HasPermission(int permissionNumber);

// Why a condition from the host cannot be appended to a statement: a comment
// marker ("--", "/*", "*/") or a statement separator (";") outside the
// single-quoted literals (where '' is a quote), or a literal left open.
enum class SqlConditionFault { None, Comment, StatementSeparator, UnclosedQuote };
SqlConditionFault CheckSqlCondition(QStringView condition);
// Throws std::invalid_argument with a Persian message for any fault above.
void RequireSingleSqlCondition(const QString &condition);
