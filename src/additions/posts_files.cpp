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

} // namespace

std::size_t writePosts(StagedWrites& batch, FileSystem& fs, const std::string& postsFolder, std::string_view digest,
                       std::string_view message, std::string_view periodPage) {
    makeFolderFor(fs, postsFolder, "posts\\forum.txt");
    Digest d = readDigest(digest);
    d.periodPage = std::string(periodPage);
    // The commissioner's own text: decoded, its "&" kept as typed.
    const std::string note = codePageToUtf8(message);

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
