#include "additions/posts.h"

#include "additions/post_text.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <utility>

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

// A "[" before a letter, "/" or "*" would open or close a forum tag: a
// zero-width space after it leaves the text as it reads and no tag in it,
// as fenced() does for a code fence below. Names and the Message are text.
std::string forumText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] != '[' || i + 1 == text.size()) continue;
        const unsigned char next = static_cast<unsigned char>(text[i + 1]);
        if (std::isalpha(next) || next == '/' || next == '*') out += "\u200B";
    }
    return out;
}

// A run of three backticks would close the fence a line stands in.
std::string fenced(std::string line) {
    for (std::size_t at = line.find(kFence); at != std::string::npos; at = line.find(kFence, at + 1))
        line.insert(at + 2, "\u200B");
    return line;
}

bool isWebAddress(std::string_view text) { return text.rfind("http://", 0) == 0 || text.rfind("https://", 0) == 0; }

struct Link {
    std::string label, address;
};

// The period's links: its page for phones below the html folder's address
// (the profile's "web", else the website when that is a web address), and
// with "web" its archived scoreboard page and the list of every period.
std::vector<Link> periodLinks(const Digest& d) {
    std::string base = !d.siteWeb.empty() ? d.siteWeb : isWebAddress(d.website) ? d.website : std::string();
    while (!base.empty() && base.back() == '/') base.pop_back();
    std::vector<Link> links;
    if (base.empty()) return links;
    if (!d.periodPage.empty()) links.push_back({"Games", base + "/" + d.periodPage});
    if (d.siteWeb.empty()) return links;
    if (!d.scoreboardPage.empty()) links.push_back({"Scoreboard", base + "/" + d.scoreboardPage});
    links.push_back({"All periods", base + "/periods.html"});
    return links;
}

// A part of the post: heading lines, then its body, fenced or not. A part
// split over two messages repeats its heading in the second.
struct Part {
    std::vector<std::string> head;
    std::vector<std::string> body;
    bool fenced = false;
    bool link = false; // a link line that closes the post (the website, the period's page)
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
        parts.push_back(Part{{}, {link ? "<" + d.website + ">" : discordEscape(d.website)}, false, true});
    }
    // The period's links close the post together.
    Part links{{}, {}, false, true};
    for (const Link& l : periodLinks(d)) links.body.push_back(l.label + ": <" + l.address + ">");
    if (!links.body.empty()) parts.push_back(std::move(links));
    return parts;
}

// A line's characters in a message file, its CR LF included.
std::size_t cost(std::string_view line) { return chatLength(line) + 2; }

// Cuts a line too long for any message between words: each piece ends at
// the last space that fits, the space dropped; a word longer than a whole
// message is cut at a character boundary.
std::vector<std::string> cutLine(const std::string& line, std::size_t room) {
    std::vector<std::string> pieces;
    std::string piece;
    std::size_t length = 0;
    std::size_t space = std::string::npos; // in piece, the last space
    std::size_t afterSpace = 0;             // the length that follows it
    for (std::size_t i = 0; i < line.size();) {
        std::size_t n = 1;
        unsigned char b = static_cast<unsigned char>(line[i]);
        if (b >= 0xF0) n = 4; else if (b >= 0xE0) n = 3; else if (b >= 0xC0) n = 2;
        std::string_view ch(line.data() + i, std::min(n, line.size() - i));
        std::size_t units = chatLength(ch);
        if (length + units > room) {
            if (space != std::string::npos && space > 0) {
                pieces.push_back(piece.substr(0, space));
                piece.erase(0, space + 1);
                length = afterSpace;
            } else {
                pieces.push_back(std::move(piece));
                piece.clear();
                length = 0;
            }
            space = std::string::npos;
            afterSpace = 0;
        }
        if (ch == " ") {
            space = piece.size();
            afterSpace = 0;
        } else if (space != std::string::npos) {
            afterSpace += units;
        }
        piece += ch;
        length += units;
        i += ch.size();
    }
    pieces.push_back(std::move(piece));
    return pieces;
}

// Lays the parts out in messages. Each part is laid out once the next one
// is known: the link lines that close the post travel with the last lines
// of the text before them, and never stand alone in a last message.
class Packer {
public:
    explicit Packer(std::size_t limit) : limit_(limit) {}

    void add(const Part& part) {
        if (part.link) {
            if (!links_.empty()) links_.emplace_back();
            links_.insert(links_.end(), part.body.begin(), part.body.end());
            return;
        }
        // A heading of its own (the period's, the leaders') goes with the
        // part after it, so that no message ends with a heading.
        if (part.body.empty() && !part.head.empty()) {
            if (!held_.empty()) held_.emplace_back();
            held_.insert(held_.end(), part.head.begin(), part.head.end());
            return;
        }
        if (pending_) place(*pending_, pendingHeld_, {});
        pending_ = part;
        pendingHeld_ = std::exchange(held_, {});
    }

    std::vector<std::vector<std::string>> take() {
        if (!held_.empty()) {
            if (pending_) place(*pending_, pendingHeld_, {});
            Part headings;
            headings.body = std::exchange(held_, {});
            pending_ = std::move(headings);
            pendingHeld_.clear();
        }
        if (pending_) {
            place(*pending_, pendingHeld_, links_);
        } else if (!links_.empty()) {
            Part alone;
            alone.body = links_;
            place(alone, {}, {});
        }
        pending_.reset();
        finish();
        return std::move(messages_);
    }

private:
    // The part whole where it fits, in this message or the next; split line
    // by line only when it is longer than a message.
    void place(const Part& part, std::vector<std::string> held, const std::vector<std::string>& links) {
        if (!held.empty()) held.emplace_back();
        std::vector<std::string> whole = held;
        whole.insert(whole.end(), part.head.begin(), part.head.end());
        if (part.fenced) whole.emplace_back(kFence);
        whole.insert(whole.end(), part.body.begin(), part.body.end());
        if (part.fenced) whole.emplace_back(kFence);
        if (!links.empty()) {
            whole.emplace_back();
            whole.insert(whole.end(), links.begin(), links.end());
        }
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
        addLineByLine(part, held, links);
    }

    void addLineByLine(const Part& part, const std::vector<std::string>& held, const std::vector<std::string>& links) {
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
        std::size_t closingSize = 0;
        for (const std::string& l : links) closingSize += cost(l);
        if (!links.empty()) closingSize += cost("");

        for (const std::string& l : held)
            for (std::string& piece : cutLine(l, limit_ - 2)) put(piece);
        open();
        std::vector<std::string> pieces;
        for (const std::string& line : part.body)
            for (std::string& piece : cutLine(line, room)) pieces.push_back(std::move(piece));
        const std::size_t fence = part.fenced ? cost(kFence) : 0;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            // The last piece takes the link lines along when they fit.
            std::size_t after = fence;
            if (i + 1 == pieces.size() && opening + fences + cost(pieces[i]) + closingSize <= limit_)
                after += closingSize;
            if (i > 0 && used_ + cost(pieces[i]) + after > limit_) {
                if (part.fenced) put(std::string(kFence));
                finish();
                open();
            }
            put(pieces[i]);
        }
        if (part.fenced) put(std::string(kFence));
        if (links.empty()) return;
        // Link lines longer than a message (a website cut only at some
        // thousands of characters) fill this one and go on in the next.
        if (used_ + cost("") + 40 > limit_) finish();
        else put("");
        for (std::string rest : links) {
            if (rest.empty()) { // the blank line between two links
                if (used_ + cost("") <= limit_) put("");
                else finish();
                continue;
            }
            while (!rest.empty()) {
                if (used_ + cost(rest) <= limit_) {
                    put(rest);
                    break;
                }
                if (used_ + 2 + 40 > limit_) {
                    finish();
                    continue;
                }
                std::string piece = cutLine(rest, limit_ - used_ - 2).front();
                rest.erase(0, piece.size());
                if (!rest.empty() && rest.front() == ' ') rest.erase(0, 1);
                put(piece);
            }
        }
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
    std::vector<std::string> held_;        // headings waiting for their part
    std::optional<Part> pending_;          // the last part, laid out once the next is known
    std::vector<std::string> pendingHeld_; // the headings it takes along
    std::vector<std::string> links_;       // the link lines that close the post
};

} // namespace

std::string discordEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        // A web address in a name would become a link, and take the
        // escapes after it into the address: a zero-width space after
        // its "://" leaves it text.
        if (c == ':' && text.substr(i, 3) == "://") {
            out += ":\u200B";
            continue;
        }
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
    if (!message.empty()) lines.push_back(forumText(message));
    if (!d.heading.empty()) {
        gap();
        lines.push_back(bold("[b]", forumText(d.heading), "[/b]"));
    }
    for (const DigestDay& day : d.days) {
        gap();
        lines.push_back(bold("[b]", forumText(day.heading), "[/b]"));
        for (const std::string& r : day.results) lines.push_back(forumText(r));
        if (day.results.empty()) lines.push_back("[i]" + std::string(kNoGames) + "[/i]");
    }
    if (!d.leadersHeading.empty()) {
        gap();
        lines.push_back(bold("[b]", forumText(d.leadersHeading), "[/b]"));
    }
    for (const DigestLeaderList& s : d.leaders) {
        gap();
        lines.push_back(bold("[b]", forumText(s.heading), "[/b]"));
        lines.emplace_back("[code]");
        std::vector<std::string> entries = entryLines(s);
        if (entries.empty()) entries.emplace_back("-");
        for (const std::string& entry : entries) lines.push_back(forumText(entry));
        lines.emplace_back("[/code]");
    }
    if (!d.website.empty()) {
        gap();
        lines.push_back("[url]" + forumText(d.website) + "[/url]");
    }
    const std::vector<Link> links = periodLinks(d);
    if (!links.empty() && d.website.empty()) gap();
    for (const Link& l : links) lines.push_back(l.label + ": [url]" + l.address + "[/url]");
    return lines;
}

std::vector<std::vector<std::string>> discordPost(const Digest& d, std::string_view message, std::size_t limit) {
    Packer packer(limit);
    for (const Part& part : discordParts(d, message)) packer.add(part);
    return packer.take();
}

} // namespace vr
