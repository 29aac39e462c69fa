#pragma once
// The demo books: three fiscal years of accounting documents generated from
// the master data, written with their sale invoices, returns and assignment
// links.

#include "DemoCatalogue.h"

#include <cstdint>
#include <string>
#include <vector>

class SqliteFile;

// One calendar day of the books, from the first day of the oldest period.
struct DemoDay
{
    std::string iso;    // "2024-03-20"
    std::string jalali; // "1403/01/01"
    int year = 0;       // Jalali year, month, day
    int month = 0;
    int day = 0;
    int weekday = 0;    // 1 Monday .. 7 Sunday
    bool lastOfMonth = false;
};

// An accounting period = one Jalali fiscal year, as day indexes.
struct DemoPeriod
{
    int id = 0;
    int jalaliYear = 0;
    int firstDay = 0;
    int lastDay = 0;
};

struct DemoBooksSummary
{
    std::int64_t documents = 0;
    std::int64_t details = 0;
};

// Writes the documents, their rows and analytic objects, the sale invoices
// with their goods, the returns and the assignment links. The sales account
// gets exactly `salesRows` posted rows; drafts come on top. `today` is a day
// index inside the last period; nothing is dated after it.
DemoBooksSummary WriteDemoBooks(SqliteFile &file, const DemoCatalogue &catalogue,
                                const std::vector<DemoDay> &days, const std::vector<DemoPeriod> &periods,
                                int today, int salesRows, DemoRandom &random);
