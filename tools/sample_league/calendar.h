// Day numbers of the season as calendar dates: one day per day number,
// day 240 being Monday, 11/9/2009.
#pragma once

#include <string>

namespace sample {

struct Date {
    int year, month, day;
    int weekday;  // 0 Sunday .. 6 Saturday
};

Date date_of(int day_number);

// "11/9/2009": month and day without leading zeros, as the game's pages
// write them.
std::string date_text(int day_number);

// "Monday, November 9, 2009"
std::string long_date_text(int day_number);

}  // namespace sample
