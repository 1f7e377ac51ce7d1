// The play-by-play index can make a run faster, never different: every
// publication and the score list with the index are those of a run that
// reads every file, after each kind of change to the files and the index.
#include "app/run_sequences.h"
#include "testsupport/generated_league.h"
#include "testsupport/temporary_folder.h"
#include "testsupport/memory_league.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

namespace vr {
namespace {

namespace fs = std::filesystem;
using Clock = fs::file_time_type::clock;

struct IndexedLeague : testing::GeneratedDrive {
    fs::path cache = drive() / "cache";

    explicit IndexedLeague(const std::string& options) : GeneratedDrive(options) {}

    fs::path pbp(const std::string& name) const { return file("pbp/" + name); }

    // The publications and the score list of one window load and GO!, with
    // the index or without it.
    std::map<std::string, std::string> run(bool indexed) const {
        LeagueFolder league(hostFileSystem(), drive().string());
        testing::FakeWindow window;
        LeagueState state;
        if (indexed) state.cacheFolder = cache.string();
        std::map<std::string, std::string> out;
        out["stop"] = testing::stopMessage([&] {
            publishOnce(league, window, state); // as a headless run does
        });
        for (const std::string& line : window.scores) out["scores"] += line + "\n";
        fs::path root = file("");
        for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
            std::string name = fs::relative(it->path(), root).generic_string();
            if (name == "pbp" || name == "html/boxes" || name == "html/rosters") it.disable_recursion_pending();
            else if (it->is_regular_file()) out[name] = testing::readBytes(it->path());
        }
        return out;
    }
    void expectSameWithAndWithout(const char* step) const {
        auto indexed = run(true);
        EXPECT_EQ(indexed, run(false)) << step;
        EXPECT_EQ(indexed["stop"], "") << step;
    }
    fs::path indexFile() const { return fs::directory_iterator(cache)->path(); }
};

// The same bytes with the player of the game's name turned round: the same
// size, another result.
void turnPlayerRound(const fs::path& path) {
    std::string bytes = testing::readBytes(path);
    std::string label = "Player of the Game:";
    std::size_t at = bytes.find(label);
    ASSERT_NE(at, std::string::npos);
    std::size_t from = at + label.size() + 1, to = bytes.find('\r', from);
    std::reverse(bytes.begin() + static_cast<long>(from), bytes.begin() + static_cast<long>(to));
    std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary); // in place: the same inode
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void runChanges(const std::string& options) {
    IndexedLeague l(options);
    if (!l.ready()) GTEST_SKIP() << "generator not built";
    ASSERT_EQ(l.error(), "");
    // Files written an hour ago, as all but the last days' are at a run.
    auto hourAgo = Clock::now() - std::chrono::hours(1);
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(l.file("pbp"))) files.push_back(e.path());
    std::sort(files.begin(), files.end());
    ASSERT_GE(files.size(), 4u);
    for (const fs::path& f : files) testing::setModifiedTime(f, hourAgo + std::chrono::nanoseconds(123456789));

    l.expectSameWithAndWithout("no index yet");
    ASSERT_TRUE(fs::exists(l.cache));
    l.expectSameWithAndWithout("index from the last run");

    // Rewritten in place with the same size, its time put back as touch -r
    // would: only the change time shows it.
    auto restored = testing::modifiedTime(files[0]);
    turnPlayerRound(files[0]);
    testing::setModifiedTime(files[0], restored);
    l.expectSameWithAndWithout("rewritten in place, time put back");

    // Rewritten in place with the same size, its time in the same second.
    turnPlayerRound(files[1]);
    testing::setModifiedTime(files[1], hourAgo);
    l.expectSameWithAndWithout("rewritten, same size and second");

    // Replaced by another file of the same size and the very same time.
    auto time = testing::modifiedTime(files[2]);
    fs::path other = files[2].string() + ".new";
    fs::copy_file(files[2], other);
    turnPlayerRound(other);
    fs::rename(other, files[2]);
    testing::setModifiedTime(files[2], time);
    l.expectSameWithAndWithout("replaced, same size and time");

    // Written just before the index and changed again within the same
    // second, its time put back: too new to be trusted.
    testing::setModifiedTime(files[3], Clock::now());
    l.run(true);
    time = testing::modifiedTime(files[3]);
    turnPlayerRound(files[3]);
    testing::setModifiedTime(files[3], time);
    l.expectSameWithAndWithout("changed within the index's second");

    fs::remove(files.back());
    l.expectSameWithAndWithout("deleted");

    std::string index = testing::readBytes(l.indexFile());
    std::ofstream(l.indexFile(), std::ios::binary) << index.substr(0, index.size() / 2);
    testing::setModifiedTime(l.indexFile(), Clock::now());
    l.expectSameWithAndWithout("truncated index");
    std::ofstream(l.indexFile(), std::ios::binary) << std::string(5000, '\x7f') << "garbage";
    l.expectSameWithAndWithout("garbage index");
    fs::remove_all(l.cache);
    std::ofstream(l.cache.string()) << "a file where the cache folder goes";
    l.expectSameWithAndWithout("no cache folder possible");
}

TEST(PlayByPlayIndex, DemoLeagueSameWithAndWithout) { runChanges("--preset demo"); }
TEST(PlayByPlayIndex, EdgeCasesSameWithAndWithout) { runChanges("--preset demo --seed 11 --all-edge-cases"); }

} // namespace
} // namespace vr
