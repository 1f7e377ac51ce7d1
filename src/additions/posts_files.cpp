#include "additions/posts_files.h"

#include "additions/addition_files.h"
#include "additions/digest_parts.h"
#include "additions/post_text.h"
#include "additions/posts.h"
#include "text/code_page.h"
#include "text/errors.h"
#include "text/numbers.h"

namespace vr {
namespace {

std::string discordName(std::size_t n) { return "discord-" + plainDigits(static_cast<long>(n)) + ".md"; }

// "discord-<n>.md" with n written as plain digits; 0 for any other name.
std::size_t discordNumber(std::string_view name) {
    constexpr std::string_view prefix = "discord-", suffix = ".md";
    if (name.size() <= prefix.size() + suffix.size() || name.substr(0, prefix.size()) != prefix ||
        name.substr(name.size() - suffix.size()) != suffix)
        return 0;
    std::string_view digits = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    if (digits.size() > 6 || digits.find_first_not_of("0123456789") != std::string_view::npos) return 0;
    long n = std::stol(std::string(digits));
    return plainDigits(n) == digits ? static_cast<std::size_t>(n) : 0;
}

} // namespace

void writePosts(FileSystem& fs, const std::string& postsFolder, std::string_view digest, std::string_view message) {
    makeFolderFor(fs, postsFolder, "posts\\forum.txt");
    const Digest d = readDigest(digest);
    // The commissioner's own text: decoded, its "&" kept as typed.
    const std::string note = codePageToUtf8(message);

    writeWholeFile(fs, postsFolder + "/forum.txt", crlfLines(forumPost(d, note)), "posts\\forum.txt");
    std::vector<std::vector<std::string>> messages = discordPost(d, note);
    for (std::size_t i = 0; i < messages.size(); ++i) {
        const std::string name = discordName(i + 1);
        writeWholeFile(fs, postsFolder + "/" + name, crlfLines(messages[i]), "posts\\" + name);
    }
    for (const std::string& name : fs.listFiles(postsFolder)) {
        if (discordNumber(name) > messages.size())
            at("posts\\" + name, 0, [&] { fs.remove(postsFolder + "/" + name); });
    }
}

} // namespace vr
