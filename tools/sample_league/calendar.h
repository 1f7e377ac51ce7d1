// Day numbers of the season as calendar dates: one day per day number,
// day 240 being November 9 of the season's first year (Monday, 11/9/2009
// unless set_season says otherwise).
#pragma once

#include <string>

namespace sample {

struct Date {
    int year, month, day;
    int weekday;  // 0 Sunday .. 6 Saturday
};

// The year in which the season starts; 2009 until set.
void set_season(int start_year);

Date date_of(int day_number);

// "11/9/2009": month and day without leading zeros, as the game's pages
// write them.
std::string date_text(int day_number);

// "Monday, November 9, 2009"
std::string long_date_text(int day_number);

}  // namespace sample
