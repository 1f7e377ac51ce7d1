#include "additions/digest_parts.h"

#include "additions/post_text.h"
#include "results/digest_lines.h"

namespace vr {
namespace {

constexpr std::string_view kResults = "RESULTS FOR THE PERIOD OF: ";
constexpr std::string_view kDay = "Top 25 Results for ";
constexpr std::string_view kLeaders = "STAT LEADERS FOR THE PERIOD OF: ";
constexpr int kLeaderLists = 3;
constexpr int kEntries = 5;

bool startsWith(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string_view trimSpaces(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// "1)  31  label": the rank, the number in its spaced form, one space, the
// label; an empty entry is "3)  ".
bool readEntry(std::string_view line, DigestLeader& entry) {
    std::size_t close = line.find(") ");
    if (close == std::string_view::npos || close == 0) return false;
    entry.rank = std::string(line.substr(0, close));
    std::string_view rest = line.substr(close + 2);
    std::size_t skip = rest.find_first_not_of(' ');
    if (skip == std::string_view::npos) return false;
    rest.remove_prefix(skip);
    std::size_t end = rest.find(' ');
    entry.value = std::string(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
    entry.label = std::string(rest);
    return true;
}

} // namespace

Digest readDigest(std::string_view bytes) {
    Digest d;
    std::string text = decodeForPost(bytes);
    std::vector<std::string_view> lines = splitLines(text);
    std::size_t i = 0;
    bool dateless = false; // a day of the period without games has no date
    for (; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        if (startsWith(line, kLeaders)) break;
        if (startsWith(line, kResults)) {
            d.heading = std::string(line);
            std::string_view dates = line.substr(kResults.size());
            std::size_t dash = dates.find(" - ");
            if (dash != std::string_view::npos) {
                d.firstDate = std::string(dates.substr(0, dash));
                d.lastDate = std::string(dates.substr(dash + 3));
            }
        } else if (startsWith(line, kDay)) {
            dateless = trimSpaces(line.substr(kDay.size())).empty();
            if (!dateless) d.days.push_back(DigestDay{std::string(line), {}});
        } else if (!dateless && !d.days.empty() && !trimSpaces(line).empty() && line != kDashLine &&
                   line != kEqualsLine) {
            d.days.back().results.emplace_back(line);
        }
    }
    if (i == lines.size()) return d;

    // The leaders' fixed layout: the heading, the equals line, three lists
    // of a title, a dash line, five entries and a dash line, the website.
    d.leadersHeading = std::string(lines[i]);
    i += 2;
    for (int list = 0; list < kLeaderLists && i < lines.size(); ++list) {
        DigestLeaderList section;
        section.heading = std::string(lines[i]);
        i += 2;
        for (int e = 0; e < kEntries && i < lines.size(); ++e, ++i) {
            DigestLeader entry;
            if (readEntry(lines[i], entry)) section.entries.push_back(std::move(entry));
        }
        ++i;
        d.leaders.push_back(std::move(section));
    }
    if (i < lines.size()) d.website = std::string(trimSpaces(lines[i]));
    return d;
}

} // namespace vr
