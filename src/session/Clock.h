#pragma once
// The one "today" of the component. Tests fix it; everything that needs the
// current date asks here.

#include <QDate>

QDate Today();
void SetTodayForTesting(const QDate &date); // an invalid date returns to the real clock
