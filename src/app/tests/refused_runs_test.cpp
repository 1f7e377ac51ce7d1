// Runs that must publish nothing: a period the season does not have, and a
// page of the export cut short. Every file of the league folder, the
// archive's included, stays byte for byte as the last good run left it.
#include "app/headless.h"
#include "testsupport/fixed_clock.h"
#include "testsupport/generated_league.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace vr {
namespace {

namespace fs = std::filesystem;

const std::string kAt = std::string(testing::kFixedTime) + " ";

struct League : testing::GeneratedDrive {
    League()
        : GeneratedDrive("--teams 8 --games-per-day 4 --first-day 240 --last-day 260 --last-simulated-day 251 "
                         "--bracket 0") {}

    int run(std::vector<std::string> args, std::string& err) {
        args.insert(args.begin(), {"--run", "--no-index"});
        std::ostringstream out, errors;
        const int status = runHeadless(args, out, errors, hostFileSystem(), drive().string(), &clock);
        err = errors.str();
        return status;
    }
    testing::FixedClock clock;
    std::map<std::string, std::string> files() const {
        std::map<std::string, std::string> all;
        for (const auto& e : fs::recursive_directory_iterator(file("")))
            if (e.is_regular_file()) all[e.path().string()] = testing::readBytes(e.path());
        return all;
    }
};

TEST(RefusedRun, APeriodTheSeasonDoesNotHaveLeavesEveryFile) {
    League l;
    if (!l.ready()) GTEST_SKIP() << "the sample-league generator is not built";
    ASSERT_EQ(l.error(), "");
    std::string err;
    ASSERT_EQ(l.run({}, err), 0) << err;
    const auto before = l.files();
    const std::string days = "; the league's simulated days are 240 to 251.\n";
    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{"--last-day", "253"}, "day 253 has not been simulated" + days},
        {{"--last-day", "239", "--days", "1"}, "day 239 comes before the first simulated day" + days},
        {{"--days", "0"}, "a period of 0 days holds no day; the number of days must be 1 or more" + days},
        {{"--days", "-1"}, "a period of -1 days holds no day; the number of days must be 1 or more" + days},
    };
    for (const auto& [args, message] : refused) {
        EXPECT_EQ(l.run(args, err), 1) << args[0];
        EXPECT_EQ(err.substr(0, err.find('\n') + 1), kAt + "Subscript out of range: " + message);
    }
    EXPECT_TRUE(l.files() == before);

    // Back before the season's first day: the days there are, said so.
    ASSERT_EQ(l.run({"--days", "20"}, err), 0) << err;
    EXPECT_EQ(l.lines("~daily.txt").at(1), "RESULTS FOR THE PERIOD OF: " + l.manifest().game(240, 1)->date + " - " +
                  l.manifest().game(251, 1)->date);
}

TEST(RefusedRun, APageCutShortPublishesNothing) {
    League l;
    if (!l.ready()) GTEST_SKIP() << "the sample-league generator is not built";
    ASSERT_EQ(l.error(), "");
    std::string err;
    ASSERT_EQ(l.run({}, err), 0) << err;
    for (const char* page : {"html/standings.htm", "html/rosters/roster3.htm", "html/leagueschedule.htm",
                             "html/boxes/box250-2.htm"}) {
        SCOPED_TRACE(page);
        const std::string whole = l.bytes(page);
        std::ofstream(l.file(page), std::ios::binary | std::ios::trunc) << whole.substr(0, whole.size() / 3);
        const auto before = l.files();
        EXPECT_EQ(l.run({}, err), 1);
        std::string name = page;
        for (char& c : name)
            if (c == '/') c = '\\';
        EXPECT_EQ(err.substr(0, err.find('\n')),
                  kAt + "End of file: " + displayLeagueFile(name) + ": the page ends before its end (the game may still be writing it); "
                  "export the league's pages again");
        EXPECT_TRUE(l.files() == before);
        std::ofstream(l.file(page), std::ios::binary | std::ios::trunc) << whole;
    }
    EXPECT_EQ(l.run({}, err), 0) << err;
}

} // namespace
} // namespace vr
