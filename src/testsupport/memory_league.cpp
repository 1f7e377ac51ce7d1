#include "testsupport/memory_league.h"

namespace vr::testing {

std::string leaguePath(std::string_view file) {
    std::string path = std::string(kLeague) + "/";
    for (char c : file) path += c == '\\' ? '/' : c;
    return path;
}

std::string crlf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += l + "\r\n";
    return out;
}

MemoryLeague::MemoryLeague() {
    fs.addFolder(std::string(kLeague) + "/html");
}

std::vector<std::string> MemoryLeague::lines(std::string_view file) const {
    std::vector<std::string> out;
    const std::string& bytes = get(file);
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            out.push_back(bytes.substr(start));
            break;
        }
        out.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return out;
}

} // namespace vr::testing
