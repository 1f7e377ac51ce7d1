#include "results/leader_date.h"

#include "text/cuts.h"

#include <optional>

namespace vr {
namespace {

constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// The digits of `part` when it holds between minDigits and maxDigits of them
// and nothing else.
std::optional<int> digitsOf(std::string_view part, std::size_t minDigits, std::size_t maxDigits) {
    if (part.size() < minDigits || part.size() > maxDigits) return std::nullopt;
    int value = 0;
    for (char c : part) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int month, int year) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

} // namespace

std::string leaderDate(std::string_view gameDate) {
    const std::string_view text = trimSpaces(gameDate);
    const std::size_t slash1 = text.find('/');
    if (slash1 == std::string_view::npos) return {};
    const std::size_t slash2 = text.find('/', slash1 + 1);
    if (slash2 == std::string_view::npos) return {};

    const auto month = digitsOf(text.substr(0, slash1), 1, 2);
    const auto day = digitsOf(text.substr(slash1 + 1, slash2 - slash1 - 1), 1, 2);
    const std::string_view yearText = text.substr(slash2 + 1);
    if (yearText.size() == 3) return {};
    auto year = digitsOf(yearText, 2, 4);
    if (!month || !day || !year) return {};
    if (yearText.size() == 2) *year += *year < 30 ? 2000 : 1900;
    if (*month < 1 || *month > 12 || *day < 1 || *day > daysInMonth(*month, *year)) return {};

    std::string out = kMonths[*month - 1];
    out += static_cast<char>('0' + *day / 10);
    out += static_cast<char>('0' + *day % 10);
    return out;
}

} // namespace vr
