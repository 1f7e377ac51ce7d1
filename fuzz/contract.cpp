#include "contract.h"

#include <cstdio>
#include <cstdlib>

namespace vr::fuzz {

bool verbose = false;

void reportOutcome(std::string_view outcome) {
    std::fprintf(stderr, "  %.*s\n", static_cast<int>(outcome.size()), outcome.data());
}

void broken(std::string_view what, std::string_view detail) {
    std::fprintf(stderr, "contract broken: %.*s", static_cast<int>(what.size()), what.data());
    if (!detail.empty()) std::fprintf(stderr, ": %.*s", static_cast<int>(detail.size()), detail.data());
    std::fputc('\n', stderr);
    std::abort();
}

void checkStop(const Stop& stop) {
    const std::string_view kind = stopKindText(stop.kind());
    if (kind == "Unknown error") broken("a stop of no known kind", stop.message());
    if (stop.where().empty()) broken("a stop that names no place", stop.message());
    if (stop.message().compare(0, kind.size(), kind) != 0) broken("a stop message without its kind", stop.message());
}

std::size_t endedLines(std::string_view file) {
    std::size_t lines = 0;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = file.find("\r\n", start);
        if (end == std::string_view::npos) break;
        ++lines;
        start = end + 2;
    }
    if (start != file.size()) broken("a written file ends inside a line");
    return lines;
}

} // namespace vr::fuzz
