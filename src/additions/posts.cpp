#include "additions/posts.h"

#include "additions/post_text.h"

#include <algorithm>

namespace vr {
namespace {

constexpr std::string_view kNoGames = "No top-25 games.";
constexpr std::string_view kFence = "```";

// A leader list's entries with their values right-aligned, so that the
// labels start in one column: "1)  31  P. Name, Team (Nov20)".
std::vector<std::string> entryLines(const DigestLeaderList& section) {
    std::size_t width = 0;
    for (const DigestLeader& e : section.entries) width = std::max(width, e.value.size());
    std::vector<std::string> lines;
    for (const DigestLeader& e : section.entries)
        lines.push_back(e.rank + ") " + std::string(width - e.value.size(), ' ') + e.value + "  " + e.label);
    return lines;
}

// Markup closes only on text: "**Top 25 Results for **" would show its stars.
std::string bold(std::string_view open, std::string_view text, std::string_view close) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return std::string(open) + std::string(text) + std::string(close);
}

// A run of three backticks would close the fence a line stands in.
std::string fenced(std::string line) {
    for (std::size_t at = line.find(kFence); at != std::string::npos; at = line.find(kFence, at + 1))
        line.insert(at + 2, "\u200B");
    return line;
}

bool isWebAddress(std::string_view text) { return text.rfind("http://", 0) == 0 || text.rfind("https://", 0) == 0; }

// The period's page, where the website is an address the html folder is
// published under; "" otherwise.
std::string periodLink(const Digest& d) {
    if (d.periodPage.empty() || !isWebAddress(d.website)) return "";
    std::string base = d.website;
    while (!base.empty() && base.back() == '/') base.pop_back();
    return base + "/" + d.periodPage;
}

// A part of the post: heading lines, then its body, fenced or not. A part
// split over two messages repeats its heading in the second.
struct Part {
    std::vector<std::string> head;
    std::vector<std::string> body;
    bool fenced = false;
};

std::vector<Part> discordParts(const Digest& d, std::string_view message) {
    std::vector<Part> parts;
    if (!message.empty()) parts.push_back(Part{{}, {std::string(message)}, false});
    if (!d.heading.empty()) parts.push_back(Part{{bold("**", discordEscape(d.heading), "**")}, {}, false});
    for (const DigestDay& day : d.days) {
        Part p{{bold("**", discordEscape(day.heading), "**")}, {}, false};
        for (const std::string& r : day.results) p.body.push_back(discordEscape(r));
        if (p.body.empty()) p.body.push_back("*" + std::string(kNoGames) + "*");
        parts.push_back(std::move(p));
    }
    if (!d.leadersHeading.empty()) parts.push_back(Part{{bold("**", discordEscape(d.leadersHeading), "**")}, {}, false});
    for (const DigestLeaderList& s : d.leaders) {
        Part p{{bold("**", discordEscape(s.heading), "**")}, {}, true};
        for (std::string& line : entryLines(s)) p.body.push_back(fenced(std::move(line)));
        if (p.body.empty()) p.body.push_back("-");
        parts.push_back(std::move(p));
    }
    // In angle brackets a link shows no preview card under the results.
    if (!d.website.empty()) {
        bool link = isWebAddress(d.website);
        parts.push_back(Part{{}, {link ? "<" + d.website + ">" : discordEscape(d.website)}, false});
    }
    if (std::string page = periodLink(d); !page.empty()) parts.push_back(Part{{}, {"Games: <" + page + ">"}, false});
    return parts;
}

// A line's characters in a message file, its CR LF included.
std::size_t cost(std::string_view line) { return chatLength(line) + 2; }

// Cuts a line too long for any message at character boundaries.
std::vector<std::string> cutLine(const std::string& line, std::size_t room) {
    std::vector<std::string> pieces;
    std::string piece;
    std::size_t length = 0;
    for (std::size_t i = 0; i < line.size();) {
        std::size_t n = 1;
        unsigned char b = static_cast<unsigned char>(line[i]);
        if (b >= 0xF0) n = 4; else if (b >= 0xE0) n = 3; else if (b >= 0xC0) n = 2;
        std::string_view ch(line.data() + i, std::min(n, line.size() - i));
        std::size_t units = chatLength(ch);
        if (length + units > room) {
            pieces.push_back(std::move(piece));
            piece.clear();
            length = 0;
        }
        piece += ch;
        length += units;
        i += ch.size();
    }
    pieces.push_back(std::move(piece));
    return pieces;
}

class Packer {
public:
    explicit Packer(std::size_t limit) : limit_(limit) {}

    void add(const Part& part) {
        std::vector<std::string> whole = part.head;
        if (part.fenced) whole.emplace_back(kFence);
        whole.insert(whole.end(), part.body.begin(), part.body.end());
        if (part.fenced) whole.emplace_back(kFence);
        std::size_t size = 0;
        for (const std::string& l : whole) size += cost(l);
        std::size_t gap = current_.empty() ? 0 : cost("");
        if (used_ + gap + size <= limit_) {
            if (gap) put("");
            for (const std::string& l : whole) put(l);
            return;
        }
        finish();
        if (size <= limit_) {
            for (const std::string& l : whole) put(l);
            return;
        }
        addLineByLine(part);
    }

    std::vector<std::vector<std::string>> take() {
        finish();
        return std::move(messages_);
    }

private:
    void addLineByLine(const Part& part) {
        std::size_t opening = 0;
        for (const std::string& l : part.head) opening += cost(l);
        std::size_t fences = part.fenced ? 2 * cost(kFence) : 0;
        // Room a line has in a message that opens with the heading; a
        // heading too long for that is itself cut.
        std::size_t room = limit_ > opening + fences + 2 + 40 ? limit_ - opening - fences - 2 : 40;
        auto open = [&] {
            for (const std::string& l : part.head)
                for (std::string& piece : cutLine(l, limit_ - 2)) put(piece);
            if (part.fenced) put(std::string(kFence));
        };
        open();
        bool bodyLines = false;
        for (const std::string& line : part.body) {
            for (std::string& piece : cutLine(line, room)) {
                std::size_t closing = part.fenced ? cost(kFence) : 0;
                if (bodyLines && used_ + cost(piece) + closing > limit_) {
                    if (part.fenced) put(std::string(kFence));
                    finish();
                    open();
                }
                put(piece);
                bodyLines = true;
            }
        }
        if (part.fenced) put(std::string(kFence));
    }

    void put(const std::string& line) {
        used_ += cost(line);
        current_.push_back(line);
    }
    void finish() {
        if (current_.empty()) return;
        messages_.push_back(std::move(current_));
        current_.clear();
        used_ = 0;
    }

    std::size_t limit_;
    std::vector<std::vector<std::string>> messages_;
    std::vector<std::string> current_;
    std::size_t used_ = 0;
};

} // namespace

std::string discordEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        bool special = c == '\\' || c == '*' || c == '_' || c == '~' || c == '`' || c == '|' || c == '[' ||
                       c == ']' || c == '<' || c == '@' ||
                       // quotes, headings and lists only where a line starts
                       (i == 0 && (c == '>' || c == '#' || c == '-' || c == '+'));
        if (special) out += '\\';
        out += c;
    }
    return out;
}

std::vector<std::string> forumPost(const Digest& d, std::string_view message) {
    std::vector<std::string> lines;
    auto gap = [&] {
        if (!lines.empty()) lines.emplace_back();
    };
    if (!message.empty()) lines.emplace_back(message);
    if (!d.heading.empty()) {
        gap();
        lines.push_back(bold("[b]", d.heading, "[/b]"));
    }
    for (const DigestDay& day : d.days) {
        gap();
        lines.push_back(bold("[b]", day.heading, "[/b]"));
        for (const std::string& r : day.results) lines.push_back(r);
        if (day.results.empty()) lines.push_back("[i]" + std::string(kNoGames) + "[/i]");
    }
    if (!d.leadersHeading.empty()) {
        gap();
        lines.push_back(bold("[b]", d.leadersHeading, "[/b]"));
    }
    for (const DigestLeaderList& s : d.leaders) {
        gap();
        lines.push_back(bold("[b]", s.heading, "[/b]"));
        lines.emplace_back("[code]");
        std::vector<std::string> entries = entryLines(s);
        if (entries.empty()) entries.emplace_back("-");
        lines.insert(lines.end(), entries.begin(), entries.end());
        lines.emplace_back("[/code]");
    }
    if (!d.website.empty()) {
        gap();
        lines.push_back("[url]" + d.website + "[/url]");
    }
    if (std::string page = periodLink(d); !page.empty()) lines.push_back("Games: [url]" + page + "[/url]");
    return lines;
}

std::vector<std::vector<std::string>> discordPost(const Digest& d, std::string_view message, std::size_t limit) {
    Packer packer(limit);
    for (const Part& part : discordParts(d, message)) packer.add(part);
    return packer.take();
}

} // namespace vr
