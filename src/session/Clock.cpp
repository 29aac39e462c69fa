#include "session/Clock.h"

namespace {
QDate &fixedToday()
{
    static QDate date;
    return date;
}
} // namespace

QDate Today()
{
    return fixedToday().isValid() ? fixedToday() : QDate::currentDate();
}

void SetTodayForTesting(const QDate &date)
{
    fixedToday() = date;
}
