#include "text/cuts.h"

#include "text/errors.h"

namespace vr {

std::string_view dropFirst(std::string_view s, std::size_t n) {
    if (n > s.size()) throw Stop(StopKind::InvalidArgument);
    return s.substr(n);
}

std::string_view dropLast(std::string_view s, std::size_t n) {
    if (n > s.size()) throw Stop(StopKind::InvalidArgument);
    return s.substr(0, s.size() - n);
}

std::string_view mid(std::string_view s, std::size_t k, std::size_t n) {
    if (k == 0 || k > s.size()) return {};
    return s.substr(k - 1, n);
}

std::size_t findFirst(std::string_view s, char separator) {
    std::size_t at = s.find(separator);
    if (at == std::string_view::npos) throw Stop(StopKind::InvalidArgument);
    return at;
}

std::size_t findLast(std::string_view s, char separator) {
    std::size_t at = s.rfind(separator);
    if (at == std::string_view::npos) throw Stop(StopKind::InvalidArgument);
    return at;
}

std::string_view trimSpaces(std::string_view s) {
    std::size_t b = s.find_first_not_of(' ');
    if (b == std::string_view::npos) return {};
    std::size_t e = s.find_last_not_of(' ');
    return s.substr(b, e - b + 1);
}

} // namespace vr
