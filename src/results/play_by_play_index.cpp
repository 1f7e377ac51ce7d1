#include "results/play_by_play_index.h"

#include "results/player_of_the_game.h"
#include "text/errors.h"
#include "text/file_handle.h"
#include "text/publish_whole.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace vr {
namespace {

constexpr std::string_view kMagic = "VRPBPIX3";
// Far above a season's few hundred kilobytes: a larger file is not ours.
constexpr std::size_t kLargestIndex = 64u << 20;

std::uint64_t fnv1a(std::string_view bytes) {
    std::uint64_t h = 14695981039346656037ull;
    for (unsigned char c : bytes) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

// The check at the end of the file, eight bytes at a time: a season's
// index is hundreds of kilobytes, read and written on every run.
std::uint64_t checksum(std::string_view bytes) {
    constexpr std::uint64_t kMix = 0xff51afd7ed558ccdull;
    std::uint64_t h = 0x9e3779b97f4a7c15ull ^ bytes.size();
    auto add = [&h](std::uint64_t word) {
        h = (h ^ word) * kMix;
        h ^= h >> 32;
    };
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, 8);
        add(word);
    }
    std::uint64_t rest = 0;
    if (i < bytes.size()) std::memcpy(&rest, bytes.data() + i, bytes.size() - i);
    add(rest);
    return h;
}

std::uint64_t keyOf(const GameInHand& game) {
    return (static_cast<std::uint64_t>(game.gameDay) << 32) |
           static_cast<std::uint32_t>(game.gameNumber);
}

void put(std::string& out, std::uint64_t v) {
    char bytes[8];
    for (int i = 0; i < 8; ++i) bytes[i] = static_cast<char>((v >> (8 * i)) & 0xff);
    out.append(bytes, sizeof bytes);
}

void putText(std::string& out, std::string_view text) {
    put(out, text.size());
    out.append(text);
}

// Reads from the front of `in`; any read past its end makes ok false.
struct Cursor {
    std::string_view in;
    bool ok = true;

    std::uint64_t number() {
        if (in.size() < 8) return fail();
        std::uint64_t v = 0;
        for (int i = 0; i < 8; ++i) v |= std::uint64_t(static_cast<unsigned char>(in[i])) << (8 * i);
        in.remove_prefix(8);
        return v;
    }
    std::string_view text() {
        std::uint64_t n = number();
        if (!ok || n > in.size()) return fail(), std::string_view();
        std::string_view t = in.substr(0, n);
        in.remove_prefix(n);
        return t;
    }
    std::uint64_t fail() {
        ok = false;
        in = {};
        return 0;
    }
};

// One entry as the file holds it: the game's key, the file's size, times
// (modification, then change), volume and identity, and the two texts.
PlayByPlayIndex::Entry readEntry(Cursor& in) {
    PlayByPlayIndex::Entry r;
    r.key = in.number();
    r.stat.kind = EntryKind::File;
    r.stat.known = true;
    r.stat.size = in.number();
    r.stat.modifiedNs = static_cast<std::int64_t>(in.number());
    r.stat.changedNs = static_cast<std::int64_t>(in.number());
    r.stat.volume = in.number();
    r.stat.identity = in.number();
    r.player = in.text();
    r.team = in.text();
    return r;
}

constexpr std::size_t kRecordNumbers = 8;

void putRecord(std::string& out, std::uint64_t key, const FileStat& stat, std::string_view player,
               std::string_view team) {
    put(out, key);
    put(out, stat.size);
    put(out, static_cast<std::uint64_t>(stat.modifiedNs));
    put(out, static_cast<std::uint64_t>(stat.changedNs));
    put(out, stat.volume);
    put(out, stat.identity);
    putText(out, player);
    putText(out, team);
}

// Read straight into the string, its size known from the stat; a file
// grown since is read on to its end.
std::string readWhole(FileSystem& fs, const std::string& path, std::uint64_t size) {
    std::string bytes(size, '\0');
    FileHandle h(fs, path, OpenMode::Input);
    std::size_t have = 0;
    while (have < bytes.size()) {
        std::size_t got = fs.read(h.get(), bytes.data() + have, bytes.size() - have);
        if (got == 0) break;
        have += got;
    }
    bytes.resize(have);
    char block[4096];
    while (std::size_t got = fs.read(h.get(), block, sizeof block)) {
        bytes.append(block, got);
        if (bytes.size() > kLargestIndex) throw Stop(StopKind::DeviceIOError);
    }
    h.close();
    return bytes;
}

} // namespace

void PlayByPlayIndex::load(FileSystem& fs, const std::string& path, std::string_view owner) {
    read_.clear();
    bytes_.clear();
    FileStat self = fs.stat(path);
    if (self.kind != EntryKind::File || !self.known || self.size > kLargestIndex) return;
    try {
        bytes_ = readWhole(fs, path, self.size);
    } catch (const Stop&) {
        return;
    }
    // The entries' names are views into bytes_: it stays as read.
    std::string_view bytes = bytes_;
    // The checksum at the end covers everything before it: a cut or damaged
    // file fails it.
    if (bytes.size() < kMagic.size() + 8) return;
    std::string_view body = bytes.substr(0, bytes.size() - 8);
    Cursor tail{bytes.substr(body.size())};
    if (tail.number() != checksum(body)) return;

    Cursor in{body};
    if (in.in.substr(0, kMagic.size()) != kMagic) return;
    in.in.remove_prefix(kMagic.size());
    if (in.text() != owner || !in.ok) return;
    std::uint64_t count = in.number();
    if (!in.ok || count > body.size()) return;
    std::vector<Entry> entries;
    entries.reserve(count);
    for (std::uint64_t i = 0; i < count && in.ok; ++i) entries.push_back(readEntry(in));
    if (!in.ok || !in.in.empty()) return;
    // Written in key order (before, in any order); one key twice is not ours.
    auto byKey = [](const Entry& a, const Entry& b) { return a.key < b.key; };
    if (!std::is_sorted(entries.begin(), entries.end(), byKey)) std::sort(entries.begin(), entries.end(), byKey);
    for (std::size_t i = 1; i < entries.size(); ++i)
        if (entries[i - 1].key == entries[i].key) return;
    read_ = std::move(entries);
    kept_.reserve(read_.size() + 64);
    // The index file's own time says when it was written, on the clock the
    // play-by-play files' times come from.
    writtenNs_ = self.modifiedNs;
}

bool PlayByPlayIndex::trusted(const FileStat& known, const FileStat& now) const {
    return sameFile(known, now) && known.modifiedNs < writtenNs_ - kTrustedAgeNs;
}

bool PlayByPlayIndex::lookUp(LeagueFolder& league, const GameInHand& game) {
    // The stat comes first: a file changed while it is read shows as changed
    // at the next run.
    FileStat now = league.stat(playByPlayFile(game.gameDay, game.gameNumber));
    const std::uint64_t key = keyOf(game);
    if (now.kind == EntryKind::File) {
        // Binary search by key.
        auto known = std::lower_bound(read_.begin(), read_.end(), key,
                                      [](const Entry& e, std::uint64_t k) { return e.key < k; });
        // An entry serves once: a game listed twice is read again.
        if (known != read_.end() && known->key == key && !known->taken && trusted(known->stat, now)) {
            game.entry.set(GameEntry::PlayerOfTheGame, known->player);
            game.entry.set(GameEntry::PlayerOfTheGameTeam, known->team);
            known->taken = true;
            kept_.push_back(*known);
            ++taken_;
            return true;
        }
    }
    const bool found = lookUpPlayerOfTheGame(league, game);
    if (found && now.kind == EntryKind::File && now.known) {
        const std::string& player = names_.emplace_back(game.entry.playerOfTheGame());
        const std::string& team = names_.emplace_back(game.entry.playerOfTheGameTeam());
        kept_.push_back(Entry{key, now, player, team});
    }
    return found;
}

bool PlayByPlayIndex::save(FileSystem& fs, const std::string& path, std::string_view owner) const {
    // By key, the last look-up of a game listed twice kept.
    std::vector<const Entry*> kept;
    kept.reserve(kept_.size());
    for (const Entry& e : kept_) kept.push_back(&e);
    auto byKey = [](const Entry* a, const Entry* b) { return a->key < b->key; };
    // Looked up in the schedule's order, which is mostly the keys' own.
    if (!std::is_sorted(kept.begin(), kept.end(), byKey)) std::stable_sort(kept.begin(), kept.end(), byKey);
    std::size_t bytes = kMagic.size() + 8 + owner.size() + 8 + 8;
    std::size_t n = 0;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (i + 1 < kept.size() && kept[i + 1]->key == kept[i]->key) continue;
        const Entry& e = *(kept[n++] = kept[i]);
        bytes += kRecordNumbers * 8 + e.player.size() + e.team.size();
    }
    kept.resize(n);

    std::string out;
    out.reserve(bytes);
    out.append(kMagic);
    putText(out, owner);
    put(out, kept.size());
    for (const Entry* e : kept) putRecord(out, e->key, e->stat, e->player, e->team);
    put(out, checksum(out));
    return publishWhole(fs, path, out);
}

std::string playByPlayIndexFile(const std::string& cacheFolder, std::string_view leagueHostPath) {
    char hex[16];
    std::uint64_t h = fnv1a(leagueHostPath);
    for (int i = 15; i >= 0; --i, h >>= 4) hex[i] = "0123456789abcdef"[h & 0xf];
    return cacheFolder + "/" + std::string(hex, sizeof hex) + ".index";
}

} // namespace vr
