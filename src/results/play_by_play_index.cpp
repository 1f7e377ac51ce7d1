#include "results/play_by_play_index.h"

#include "results/player_of_the_game.h"
#include "text/errors.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace vr {
namespace {

constexpr std::string_view kMagic = "VRPBPIX2";
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

// One entry as the file holds it: the game's key, the file's size, time,
// volume and identity, and the two texts.
struct Record {
    std::uint64_t key = 0;
    FileStat stat;
    std::string_view player;
    std::string_view team;
};

Record readRecord(Cursor& in) {
    Record r;
    r.key = in.number();
    r.stat.kind = EntryKind::File;
    r.stat.known = true;
    r.stat.size = in.number();
    r.stat.modifiedNs = static_cast<std::int64_t>(in.number());
    r.stat.volume = in.number();
    r.stat.identity = in.number();
    r.player = in.text();
    r.team = in.text();
    return r;
}

constexpr std::size_t kRecordNumbers = 7;

void putRecord(std::string& out, std::uint64_t key, const FileStat& stat, std::string_view player,
               std::string_view team) {
    put(out, key);
    put(out, stat.size);
    put(out, static_cast<std::uint64_t>(stat.modifiedNs));
    put(out, stat.volume);
    put(out, stat.identity);
    putText(out, player);
    putText(out, team);
}

// Read straight into the string, its size known from the stat; a file
// grown since is read on to its end.
std::string readWhole(FileSystem& fs, const std::string& path, std::uint64_t size) {
    std::string bytes(size, '\0');
    FileSystem::Handle h = fs.open(path, OpenMode::Input);
    try {
        std::size_t have = 0;
        while (have < bytes.size()) {
            std::size_t got = fs.read(h, bytes.data() + have, bytes.size() - have);
            if (got == 0) break;
            have += got;
        }
        bytes.resize(have);
        char block[4096];
        while (std::size_t got = fs.read(h, block, sizeof block)) {
            bytes.append(block, got);
            if (bytes.size() > kLargestIndex) throw Stop(StopKind::DeviceIOError);
        }
    } catch (const Stop&) {
        fs.close(h);
        throw;
    }
    fs.close(h);
    return bytes;
}

} // namespace

void PlayByPlayIndex::load(FileSystem& fs, const std::string& path, std::string_view owner) {
    old_.clear();
    bytes_.clear();
    FileStat self = fs.stat(path);
    if (self.kind != EntryKind::File || !self.known || self.size > kLargestIndex) return;
    std::string bytes;
    try {
        bytes = readWhole(fs, path, self.size);
    } catch (const Stop&) {
        return;
    }
    // The checksum at the end covers everything before it: a cut or damaged
    // file fails it.
    if (bytes.size() < kMagic.size() + 8) return;
    std::string_view body(bytes.data(), bytes.size() - 8);
    Cursor tail{std::string_view(bytes).substr(body.size())};
    if (tail.number() != checksum(body)) return;

    Cursor in{body};
    if (in.in.substr(0, kMagic.size()) != kMagic) return;
    in.in.remove_prefix(kMagic.size());
    if (in.text() != owner || !in.ok) return;
    std::uint64_t count = in.number();
    if (!in.ok || count > body.size()) return;
    std::vector<Known> known;
    known.reserve(count);
    for (std::uint64_t i = 0; i < count && in.ok; ++i) {
        const char* start = in.in.data();
        const Record r = readRecord(in);
        if (!in.ok) break;
        Known k;
        k.key = r.key;
        k.at = static_cast<std::uint32_t>(start - bytes.data());
        k.size = static_cast<std::uint32_t>(in.in.data() - start);
        k.taken = 0;
        known.push_back(k);
    }
    if (!in.ok || !in.in.empty()) return;
    // Written in key order (before, in any order); one key twice is not ours.
    auto byKey = [](const Known& a, const Known& b) { return a.key < b.key; };
    if (!std::is_sorted(known.begin(), known.end(), byKey)) std::sort(known.begin(), known.end(), byKey);
    for (std::size_t i = 1; i < known.size(); ++i)
        if (known[i - 1].key == known[i].key) return;
    old_ = std::move(known);
    bytes_ = std::move(bytes);
    new_.reserve(old_.size() + 64);
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
        auto known = std::lower_bound(old_.begin(), old_.end(), key,
                                      [](const Known& k, std::uint64_t v) { return k.key < v; });
        // An entry serves once: a game listed twice is read again.
        if (known != old_.end() && known->key == key && !known->taken) {
            Cursor in{std::string_view(bytes_).substr(known->at, known->size)};
            const Record r = readRecord(in);
            if (trusted(r.stat, now)) {
                game.entry.set(GameEntry::PlayerOfTheGame, r.player);
                game.entry.set(GameEntry::PlayerOfTheGameTeam, r.team);
                known->taken = 1;
                new_.push_back(Kept{key, static_cast<std::uint32_t>(known - old_.begin()), false});
                ++taken_;
                return true;
            }
        }
    }
    const bool found = lookUpPlayerOfTheGame(league, game);
    if (found && now.kind == EntryKind::File && now.known) {
        fresh_.push_back(Fresh{now, std::string(game.entry.playerOfTheGame()),
                               std::string(game.entry.playerOfTheGameTeam())});
        new_.push_back(Kept{key, static_cast<std::uint32_t>(fresh_.size() - 1), true});
    }
    return found;
}

bool PlayByPlayIndex::save(FileSystem& fs, const std::string& path, std::string_view owner) const {
    // By key, the last look-up of a game listed twice kept.
    std::vector<Kept> kept = new_;
    auto byKey = [](const Kept& a, const Kept& b) { return a.key < b.key; };
    // Looked up in the schedule's order, which is mostly the keys' own.
    if (!std::is_sorted(kept.begin(), kept.end(), byKey)) std::stable_sort(kept.begin(), kept.end(), byKey);
    std::size_t bytes = kMagic.size() + 8 + owner.size() + 8 + 8;
    std::size_t n = 0;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (i + 1 < kept.size() && kept[i + 1].key == kept[i].key) continue;
        const Kept& k = kept[n++] = kept[i];
        if (k.fresh)
            bytes += kRecordNumbers * 8 + fresh_[k.index].player.size() + fresh_[k.index].team.size();
        else
            bytes += old_[k.index].size;
    }
    kept.resize(n);

    std::string out;
    out.reserve(bytes);
    out.append(kMagic);
    putText(out, owner);
    put(out, kept.size());
    for (const Kept& k : kept) {
        if (k.fresh) {
            const Fresh& f = fresh_[k.index];
            putRecord(out, k.key, f.stat, f.player, f.team);
        } else {
            // The record as read: the same bytes putRecord() would write.
            out.append(bytes_, old_[k.index].at, old_[k.index].size);
        }
    }
    put(out, checksum(out));

    const std::string temporary = path + ".new";
    try {
        writeWhole(fs, temporary, OpenMode::Output, out);
        fs.rename(temporary, path);
    } catch (const Stop&) {
        try {
            fs.remove(temporary);
        } catch (const Stop&) {
            // Nothing more to do: the old index stays, and a stale temporary is overwritten next time.
        }
        return false;
    }
    return true;
}

std::string playByPlayIndexFile(const std::string& cacheFolder, std::string_view leagueHostPath) {
    char hex[16];
    std::uint64_t h = fnv1a(leagueHostPath);
    for (int i = 15; i >= 0; --i, h >>= 4) hex[i] = "0123456789abcdef"[h & 0xf];
    return cacheFolder + "/" + std::string(hex, sizeof hex) + ".index";
}

} // namespace vr
