#include "additions/archive_links.h"

#include <cctype>

namespace vr {
namespace {

bool isPage(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos) return false;
    std::string ext(path.substr(dot + 1));
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == "htm" || ext == "html";
}

// A path below the html folder as stops name it: "boxes\box245-3.htm".
std::string backslashed(std::string path) {
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash);
}

} // namespace

std::optional<std::string> localTarget(std::string_view folder, std::string_view link) {
    link = link.substr(0, link.find_first_of("#?"));
    if (link.empty() || link.find(':') != std::string_view::npos || link.front() == '/' || link.front() == '\\')
        return std::nullopt;
    std::vector<std::string> parts;
    auto add = [&](std::string_view path) {
        for (std::size_t at = 0; at <= path.size();) {
            std::size_t end = path.find_first_of("/\\", at);
            if (end == std::string_view::npos) end = path.size();
            const std::string_view part = path.substr(at, end - at);
            if (part == "..") {
                if (parts.empty()) return false;
                parts.pop_back();
            } else if (!part.empty() && part != ".") {
                parts.emplace_back(part);
            }
            at = end + 1;
        }
        return true;
    };
    if (!add(folder) || !add(link) || parts.empty()) return std::nullopt;
    std::string out;
    for (const std::string& p : parts) out += (out.empty() ? "" : "/") + p;
    return out;
}

std::vector<std::string> linksIn(std::string_view page) {
    std::vector<std::string> links;
    for (std::size_t at = 0; at < page.size(); ++at) {
        std::size_t length = 0;
        for (std::string_view attr : {std::string_view("href="), std::string_view("src=")}) {
            if (page.size() - at < attr.size()) continue;
            bool same = true;
            for (std::size_t i = 0; i < attr.size() && same; ++i)
                same = std::tolower(static_cast<unsigned char>(page[at + i])) == attr[i];
            // An attribute name starts after a space (or the "<a" of a tag).
            if (same && at > 0 && std::isspace(static_cast<unsigned char>(page[at - 1]))) length = attr.size();
        }
        if (length == 0) continue;
        std::size_t begin = at + length, end;
        if (begin < page.size() && (page[begin] == '"' || page[begin] == '\'')) {
            end = page.find(page[begin], begin + 1);
            ++begin;
        } else {
            end = page.find_first_of(" \t\r\n>", begin);
        }
        if (end == std::string_view::npos) end = page.size();
        links.emplace_back(page.substr(begin, end - begin));
        at = end;
    }
    return links;
}

std::set<std::string> copyLinkedFiles(FileSystem& fs, StagedWrites& batch, const std::string& htmlFolder,
                                      const std::string& seasonFolder, std::string_view seasonName,
                                      std::string_view page) {
    std::set<std::string> present, seen;
    // Pages linked from the copied pages are copied too, but not what those
    // link to: a roster page opens from a box score, and stops there.
    struct Pending {
        std::string from; // folder of the page the links are on
        std::string page;
        int depth;
    };
    std::vector<Pending> pages = {{"", std::string(page), 0}};
    while (!pages.empty()) {
        Pending p = std::move(pages.back());
        pages.pop_back();
        for (const std::string& link : linksIn(p.page)) {
            std::optional<std::string> target = localTarget(p.from, link);
            if (!target || target->find('/') == std::string::npos || target->rfind("seasons/", 0) == 0 ||
                !seen.insert(*target).second)
                continue;
            const std::string source = htmlFolder + "/" + *target, copy = seasonFolder + "/" + *target;
            if (fs.kind(source) != EntryKind::File) continue;
            const std::string name = "html\\seasons\\" + std::string(seasonName) + "\\" + backslashed(*target);
            std::string bytes = readWholeFile(fs, source, "html\\" + backslashed(*target));
            if (const std::string* staged = batch.staged(copy)) {
                if (*staged != bytes) batch.write(copy, bytes, name);
            } else if (fs.kind(copy) != EntryKind::File || readWholeFile(fs, copy, name) != bytes) {
                makeFolderFor(fs, folderOf(copy), name);
                batch.write(copy, bytes, name);
            }
            present.insert(*target);
            if (p.depth < 1 && isPage(*target)) pages.push_back({folderOf(*target), std::move(bytes), p.depth + 1});
        }
    }
    return present;
}

} // namespace vr
