// One seed, one league: two runs write byte-identical files, whatever the
// number of writing threads; another seed writes another league.
#include <gtest/gtest.h>

#include <map>

#include "page_reading.h"
#include "sample_league/generate.h"
#include "sample_league/league.h"

namespace pagecheck {
namespace {

std::map<std::string, std::string> snapshot(const fs::path& drive) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(drive))
        if (entry.is_regular_file()) files[fs::relative(entry.path(), drive).string()] = read_bytes(entry.path());
    return files;
}

TEST(Determinism, SameSeedSameBytes) {
    const std::vector<std::string> args = {"--all-edge-cases", "--seed", "4242", "--teams", "20", "--games-per-day", "8"};
    const TestLeague a = make_league("same-a", args);
    const TestLeague b = make_league("same-b", args);
    const auto files_a = snapshot(a.drive);
    const auto files_b = snapshot(b.drive);
    ASSERT_GT(files_a.size(), 100u);
    ASSERT_EQ(files_a.size(), files_b.size());
    for (const auto& [name, bytes] : files_a) {
        const auto other = files_b.find(name);
        ASSERT_NE(other, files_b.end()) << name;
        EXPECT_TRUE(other->second == bytes) << name << " differs";
    }

    const TestLeague c = make_league("other-seed", {"--all-edge-cases", "--seed", "4243", "--teams", "20", "--games-per-day", "8"});
    EXPECT_NE(read_bytes(c.drive / "manifest.txt"), read_bytes(a.drive / "manifest.txt"));
}

TEST(Determinism, ThreadCountDoesNotChangeTheFiles) {
    sample::Options o;
    o.seed = 99;
    sample::SeasonShape shape;
    ASSERT_EQ(sample::finish_options(o, shape), "");
    const sample::League league = sample::build_league(o, shape);
    sample::League one = league, four = league;
    one.options.drive = (run_folder() / "threads-1").string();
    four.options.drive = (run_folder() / "threads-4").string();
    sample::write_league(one, 1);
    sample::write_league(four, 4);
    EXPECT_EQ(snapshot(one.options.drive), snapshot(four.options.drive));
}

TEST(Determinism, RewritingClearsFilesOfAnEarlierLeague) {
    const TestLeague big = make_league("rewrite", {"--seed", "1"});
    const std::size_t before = snapshot(big.drive).size();
    const TestLeague small = make_league("rewrite", {"--seed", "1", "--last-simulated-day", "241"});
    EXPECT_LT(snapshot(small.drive).size(), before);
    std::size_t pbp = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(small.folder / "pbp")) ++pbp;
    EXPECT_EQ(pbp, 24u);  // two days of twelve games
}

// The next export laid over the last: the same files as one written afresh,
// and an unchanged file is the very same file.
TEST(Determinism, LaidOverTheLastExportAsTheGameDoes) {
    const TestLeague fresh = make_league("over-fresh", {"--seed", "3", "--all-edge-cases"});
    const TestLeague earlier = make_league("over", {"--seed", "3", "--all-edge-cases", "--last-simulated-day", "250"});
    const fs::path kept = earlier.folder / "pbp" / "240-1.txt";
    const auto time = fs::last_write_time(kept);
    fs::last_write_time(kept, time - std::chrono::hours(1));
    const TestLeague later = make_league("over", {"--seed", "3", "--all-edge-cases", "--over"});
    EXPECT_EQ(snapshot(later.drive), snapshot(fresh.drive));
    EXPECT_EQ(fs::last_write_time(kept), time - std::chrono::hours(1));
}

}  // namespace
}  // namespace pagecheck
