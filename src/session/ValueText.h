#pragma once
// How a database value reads as text wherever the component joins it to a
// string or shows it: null is "", whole numbers in decimal, fractions with
// up to four decimals and no trailing zeros, dates as YYYY-MM-DD.

#include <QString>
#include <QVariant>

QString ValueText(const QVariant &value);

// A date held in a value: a date type, or a text "YYYY-MM-DD" with or
// without a time. Invalid when the value holds no date.
QDate ValueDate(const QVariant &value);

// The text with Persian (U+06F0..U+06F9) and Arabic-Indic (U+0660..U+0669)
// digits replaced by ASCII digits, so "۱۰۰" and "١٠٠" read as 100 wherever a
// person types a number. Other characters are left as they are.
QString WithLatinDigits(const QString &text);
