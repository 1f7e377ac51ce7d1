#include "text/numbers.h"

#include "text/errors.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace vr {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the decimal part "digits[.digits]" at s[i]; counts the digits.
std::size_t scanDecimal(std::string_view s, std::size_t i, int& digits) {
    std::size_t j = i;
    while (j < s.size() && isDigit(s[j])) ++j, ++digits;
    if (j < s.size() && s[j] == '.') {
        ++j;
        while (j < s.size() && isDigit(s[j])) ++j, ++digits;
    }
    return j - i;
}

double parse(std::string_view body) {
    // from_chars takes no '+'; the text was checked already.
    bool negative = false;
    if (!body.empty() && (body[0] == '+' || body[0] == '-')) {
        negative = body[0] == '-';
        body.remove_prefix(1);
    }
    // Plain digits, as nearly every number on the game's pages: a whole
    // number below 2^53 is exact, and so the same as the general reading.
    if (!body.empty() && body.size() <= 15 &&
        std::all_of(body.begin(), body.end(), [](char c) { return isDigit(c); })) {
        long long whole = 0;
        for (char c : body) whole = whole * 10 + (c - '0');
        return negative ? -static_cast<double>(whole) : static_cast<double>(whole);
    }
    double value = 0;
    std::string copy; // "5." is read by from_chars as 5 with the point left
    auto res = std::from_chars(body.data(), body.data() + body.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        copy.assign(body);
        value = std::strtod(copy.c_str(), nullptr);
    }
    return negative ? -value : value;
}

} // namespace

std::optional<double> readNumber(std::string_view s) {
    std::size_t b = s.find_first_not_of(' ');
    if (b == std::string_view::npos) return std::nullopt;
    std::size_t e = s.find_last_not_of(' ') + 1;
    std::string_view body = s.substr(b, e - b);
    std::size_t i = 0;
    if (body[0] == '+' || body[0] == '-') ++i;
    int digits = 0;
    std::size_t mantissa = scanDecimal(body, i, digits);
    if (digits == 0) return std::nullopt;
    i += mantissa;
    if (i < body.size() && (body[i] == 'e' || body[i] == 'E')) {
        ++i;
        if (i < body.size() && (body[i] == '+' || body[i] == '-')) ++i;
        std::size_t start = i;
        while (i < body.size() && isDigit(body[i])) ++i;
        if (i == start) return std::nullopt;
    }
    if (i != body.size()) return std::nullopt;
    return parse(body);
}

double leadingNumber(std::string_view s) {
    std::size_t i = s.find_first_not_of(' ');
    if (i == std::string_view::npos) return 0;
    std::size_t start = i;
    if (s[i] == '+' || s[i] == '-') ++i;
    int digits = 0;
    std::size_t len = scanDecimal(s, i, digits);
    if (digits == 0) return 0;
    return parse(s.substr(start, i + len - start));
}

long readIndex(std::string_view s, long lo, long hi) {
    std::optional<double> v = readNumber(s);
    if (!v || !std::isfinite(*v) || std::floor(*v) != *v)
        throw Stop(StopKind::TypeMismatch);
    if (*v < static_cast<double>(lo) || *v > static_cast<double>(hi))
        throw Stop(StopKind::SubscriptOutOfRange);
    return static_cast<long>(*v);
}

std::optional<long> readWholeText(std::string_view s) {
    std::size_t b = s.find_first_not_of(' ');
    if (b == std::string_view::npos) return std::nullopt;
    std::size_t e = s.find_last_not_of(' ') + 1;
    std::string_view body = s.substr(b, e - b);
    bool negative = false;
    if (body[0] == '+' || body[0] == '-') {
        negative = body[0] == '-';
        body.remove_prefix(1);
    }
    if (body.empty()) return std::nullopt;
    long value = 0;
    for (char c : body) {
        if (!isDigit(c)) return std::nullopt;
        // However many digits: a huge value is simply out of range later.
        // It stops growing below 10^9, which fits where long has 32 bits.
        if (value < 100000000L) value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

std::string plainDigits(long n) { return std::to_string(n); }

} // namespace vr
