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
