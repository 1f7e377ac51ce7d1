#include "calendar.h"

#include "text_out.h"

namespace sample {
namespace {

// Days since 1970-01-01 of a civil date, and back (proleptic Gregorian).
long days_from_civil(int y, int m, int d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

Date civil_from_days(long z) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int y = static_cast<int>(yoe + era * 400 + (m <= 2));
    return {y, m, d, 0};
}

long day240 = days_from_civil(2009, 11, 9);

const char* const kMonths[] = {"January", "February", "March", "April", "May", "June", "July",
                               "August", "September", "October", "November", "December"};
const char* const kWeekdays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

}  // namespace

void set_season(int start_year) { day240 = days_from_civil(start_year, 11, 9); }

Date date_of(int day_number) {
    const long z = day240 + (day_number - 240);
    Date date = civil_from_days(z);
    date.weekday = static_cast<int>(((z % 7) + 7 + 4) % 7);  // 1970-01-01 was a Thursday
    return date;
}

std::string date_text(int day_number) {
    const Date d = date_of(day_number);
    return num(d.month) + "/" + num(d.day) + "/" + num(d.year);
}

std::string long_date_text(int day_number) {
    const Date d = date_of(day_number);
    return std::string(kWeekdays[d.weekday]) + ", " + kMonths[d.month - 1] + " " + num(d.day) + ", " + num(d.year);
}

}  // namespace sample
