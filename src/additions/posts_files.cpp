#include "additions/posts_files.h"

#include "additions/addition_files.h"
#include "additions/digest_parts.h"
#include "additions/post_text.h"
#include "additions/posts.h"
#include "text/code_page.h"
#include "text/errors.h"
#include "text/numbers.h"

#include <algorithm>

namespace vr {
namespace {

std::string discordName(std::size_t n) { return "discord-" + plainDigits(static_cast<long>(n)) + ".md"; }

// The Message and the website are typed or pasted by the commissioner: a
// few thousand characters is more than any post wants, and a pasted file
// would make thousands of messages. A longer text is cut between words,
// and the post says so where it was cut.
constexpr std::size_t kLongestText = 4000;

std::string bounded(std::string text) {
    if (chatLength(text) <= kLongestText) return text;
    std::size_t length = 0, end = 0, space = std::string::npos;
    while (end < text.size()) {
        std::size_t n = 1;
        const unsigned char b = static_cast<unsigned char>(text[end]);
        if (b >= 0xF0) n = 4; else if (b >= 0xE0) n = 3; else if (b >= 0xC0) n = 2;
        n = std::min(n, text.size() - end);
        const std::size_t units = chatLength(std::string_view(text).substr(end, n));
        if (length + units > kLongestText) break;
        if (text[end] == ' ') space = end;
        length += units;
        end += n;
    }
    if (space != std::string::npos && end - space < 200) end = space;
    text.resize(end);
    return text + " \u2026 (cut: longer than " + plainDigits(static_cast<long>(kLongestText)) + " characters)";
}

} // namespace

std::size_t writePosts(StagedWrites& batch, FileSystem& fs, const std::string& postsFolder, std::string_view digest,
                       std::string_view message, std::string_view periodPage, std::string_view scoreboardPage,
                       std::string_view web) {
    makeFolderFor(fs, postsFolder, "posts\\forum.txt");
    Digest d = readDigest(digest);
    d.website = bounded(std::move(d.website));
    d.periodPage = std::string(periodPage);
    d.scoreboardPage = std::string(scoreboardPage);
    d.siteWeb = std::string(web);
    // The commissioner's own text: decoded, its "&" kept as typed.
    const std::string note = bounded(codePageToUtf8(message));

    batch.write(postsFolder + "/forum.txt", crlfLines(forumPost(d, note)), "posts\\forum.txt");
    std::vector<std::vector<std::string>> messages = discordPost(d, note);
    for (std::size_t i = 0; i < messages.size(); ++i) {
        const std::string name = discordName(i + 1);
        batch.write(postsFolder + "/" + name, crlfLines(messages[i]), "posts\\" + name);
    }
    return messages.size();
}

void removeStalePosts(FileSystem& fs, const std::string& postsFolder, std::size_t messages) {
    for (const std::string& name : fs.listFiles(postsFolder)) {
        std::optional<long> n = numberInName(name, "discord-", ".md");
        if (n && static_cast<std::size_t>(*n) > messages)
            at("posts\\" + name, 0, [&] { fs.remove(postsFolder + "/" + name); });
    }
}

void writePosts(FileSystem& fs, const std::string& postsFolder, std::string_view digest, std::string_view message) {
    StagedWrites batch(fs);
    std::size_t messages = writePosts(batch, fs, postsFolder, digest, message);
    batch.complete();
    removeStalePosts(fs, postsFolder, messages);
}

} // namespace vr
