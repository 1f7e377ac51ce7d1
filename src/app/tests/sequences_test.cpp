#include "app/headless.h"
#include "app/period_check.h"
#include "app/run_sequences.h"
#include "app/stop_report.h"
#include "testsupport/fixed_clock.h"
#include "testsupport/memory_league.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vr {
namespace {

using testing::FakeWindow;
using testing::MemoryLeague;
using testing::stopMessage;

TEST(PeriodCheck, AcceptsWholeDaysInRange) {
    Period p = checkPeriod(" 245 ", "3");
    EXPECT_EQ(p.lastDay, 245);
    EXPECT_EQ(p.firstDay(), 243);
    EXPECT_EQ(checkPeriod("245", "0").firstDay(), 246);
    EXPECT_EQ(checkPeriod("399", "0").firstDay(), 400);
    EXPECT_EQ(checkPeriod("0", "1").firstDay(), 0);
}

// The box a rejection names: the window's own name for it.
std::string rejectedBox(const std::string& lastDay, const std::string& days) {
    try {
        checkPeriod(lastDay, days);
    } catch (const PeriodRejected& stop) {
        return std::string(stopKindText(stop.kind())) + ": " + stop.where();
    }
    return "accepted";
}

TEST(PeriodCheck, RejectsTyposAndRanges) {
    for (const char* typo : {"", "abc", "24.5"}) EXPECT_EQ(rejectedBox(typo, "3"), "Type mismatch: TxtLastDay");
    EXPECT_EQ(rejectedBox("245", "3x"), "Type mismatch: TxtDaysSimmed");
    EXPECT_EQ(rejectedBox("401", "1"), "Subscript out of range: TxtLastDay");
    EXPECT_EQ(rejectedBox("-1", "abc"), "Type mismatch: TxtDaysSimmed");
    for (const char* days : {"7", "-391", "99999999999999999999999"})
        EXPECT_EQ(rejectedBox(days[0] == '7' ? "5" : "10", days), "Subscript out of range: TxtDaysSimmed");
    EXPECT_EQ(rejectedBox("400", "0"), "Subscript out of range: TxtDaysSimmed");
}

TEST(PeriodCheck, NamesTheBoxByItsLabelAndWhatWasTyped) {
    EXPECT_EQ(stopMessage([] { checkPeriod("25l", "3"); }),
              "Type mismatch: Last Day that was Simulated must be a whole number; you typed '25l'");
    EXPECT_EQ(stopMessage([] { checkPeriod("245", "three"); }),
              "Type mismatch: Number of days that were ran during the last sim period must be a whole number; "
              "you typed 'three'");
    EXPECT_EQ(stopMessage([] { checkPeriod("401", "1"); }),
              "Subscript out of range: Last Day that was Simulated must be a day from 0 to 400; you typed '401'");
    EXPECT_EQ(stopMessage([] { checkPeriod("5", "7"); }),
              "Subscript out of range: Number of days that were ran during the last sim period makes the period "
              "start on day -1, outside days 0 to 400; you typed '7'");
}

struct EmptyLeague : MemoryLeague {
    EmptyLeague() {
        put("html\\standings.htm", "");
        putLines("html\\leagueschedule.htm",
                 {"<table>", "       <td class=header width=75>&nbsp;Date</td>", "1", "2", "3", "4", "5"});
    }
};

TEST(WindowLoad, FirstStartInANewLeagueFolder) {
    EmptyLeague m;
    FakeWindow w;
    LeagueState state;
    windowLoad(m.league, w, state);
    EXPECT_EQ(w.text(TextBox::Website), "http://www.marrowdeen.example/");
    EXPECT_EQ(w.text(TextBox::Message), "");
    EXPECT_EQ(w.text(TextBox::DaysSimmed), "3");
    EXPECT_TRUE(m.has("leaguesettings.txt"));
}

TEST(GoRun, RedThenGreenSavesSettingsAndEmptiesTheThreeLists) {
    EmptyLeague m;
    FakeWindow w;
    LeagueState state;
    windowLoad(m.league, w, state);
    m.put("Upsets.txt", "old");
    m.put("TopResults.txt", "old");
    w.setText(TextBox::LastDay, "245");
    w.setText(TextBox::Message, "Sim done, see you");
    goRun(m.league, w, state);
    EXPECT_EQ(w.colours, (std::vector<GoColour>{GoColour::Red, GoColour::Green}));
    EXPECT_EQ(m.get("settings2.txt"), "http://www.marrowdeen.example/\r\nSim done, see you\r\n");
    EXPECT_TRUE(m.has("Test.txt"));
    EXPECT_EQ(m.get("Upsets.txt"), "");
    EXPECT_EQ(m.get("TopResults.txt"), "");
    EXPECT_EQ(w.beeps, 1);
}

TEST(GoRun, ARejectedPeriodWritesNothing) {
    EmptyLeague m;
    FakeWindow w;
    LeagueState state;
    windowLoad(m.league, w, state);
    m.put("Upsets.txt", "kept");
    w.setText(TextBox::LastDay, "abc");
    long operations = m.fs.operations();
    EXPECT_THROW(goRun(m.league, w, state), PeriodRejected);
    EXPECT_EQ(m.fs.operations(), operations);
    EXPECT_TRUE(w.colours.empty());
    EXPECT_EQ(m.get("Upsets.txt"), "kept");
}

TEST(GoRun, AGateThatHoldsBackPublishesNothing) {
    EmptyLeague m;
    FakeWindow w;
    LeagueState state;
    windowLoad(m.league, w, state);
    m.put("Upsets.txt", "kept");
    w.setText(TextBox::LastDay, "245");
    EXPECT_FALSE(goRun(m.league, w, state, [](const LeagueState&) { return false; }));
    EXPECT_EQ(m.get("Upsets.txt"), "kept");
    EXPECT_FALSE(m.has("Test.txt") || m.has("Test.txt.new") || m.has("Upsets.txt.new"));
    EXPECT_TRUE(goRun(m.league, w, state, [](const LeagueState&) { return true; }));
    EXPECT_EQ(m.get("Upsets.txt"), "");
}

using testing::FixedClock;
const std::string kAt = "2009-11-20 06:31:12 ";

struct Headless {
    EmptyLeague m;
    std::ostringstream out, err;
    FixedClock clock;
    int run(const std::vector<std::string>& args) {
        return runHeadless(args, out, err, m.fs, testing::kDrive, false, &clock);
    }
};

TEST(HeadlessRun, RunsTheLoadAndGoAndEndsWithWhatItPublished) {
    Headless h;
    EXPECT_EQ(h.run({"--run", "--last-day", "245"}), 0);
    EXPECT_EQ(h.err.str(), kAt + "published days 243-245: 0 games\n");
    EXPECT_TRUE(h.m.has("Upsets.txt"));
    EXPECT_TRUE(h.m.has("settings2.txt"));
}

TEST(HeadlessRun, AStopComesFirstWithTheTimeAndNoScoreList) {
    const std::string left = kAt + std::string(kLeftAsTheyWere) + "\n";
    Headless h;
    EXPECT_EQ(h.run({"--run", "--last-day", "25l"}), 1);
    EXPECT_EQ(h.err.str(), kAt + "Type mismatch: Last Day that was Simulated must be a whole number; you typed "
                                 "'25l'\n" + left);
    EXPECT_EQ(h.out.str(), "");
    EXPECT_FALSE(h.m.has("Upsets.txt"));

    Headless days;
    EXPECT_EQ(days.run({"--run", "--last-day", "245", "--days", "3 days"}), 1);
    EXPECT_EQ(days.err.str(), kAt + "Type mismatch: Number of days that were ran during the last sim period must "
                                    "be a whole number; you typed '3 days'\n" + left);

    // A missing league folder is named first, before any file in it.
    MemoryFileSystem empty;
    std::ostringstream out, err;
    FixedClock clock;
    EXPECT_EQ(runHeadless({"--run", "--last-day", "245"}, out, err, empty, "/c", false, &clock), 1);
    const std::string league = displayPath("/c/Users/Public/Documents/GDS/Fast Break College Basketball 2010/"
                                           "leaguedata/Marrowdeen");
    EXPECT_EQ(err.str().rfind(kAt + "Path not found: there is no league folder at " + league + " (under " +
                                  displayPath("/c") + ", the folder standing for drive C:). Set ",
                              0),
              0u)
        << err.str();
    EXPECT_EQ(err.str().find("leaguesettings"), std::string::npos);
}

TEST(HeadlessRun, AWrongCommandLineNamesTheWordAndItsUsage) {
    const std::string runUsage = "Usage: vellor-results --run [--last-day N | --since-last] [--days N] "
                                 "[--message TEXT] [--league NAME] [--no-index]\n";
    const std::string watchUsage = "Usage: vellor-results --watch [--days N] [--settle S] [--log FILE] "
                                   "[--message TEXT] [--league NAME] [--no-index]\n";
    const std::string more = "vellor-results --help shows every option.\n";
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--run", "--dayz", "3"}, "'--dayz' is not an option.\n" + runUsage},
        {{"--run", "--days"}, "'--days' needs a value (N) after it.\n" + runUsage},
        {{"--run", "--settle", "5"}, "'--settle' is not an option of --run.\n" + runUsage},
        {{"--last-day", "3"}, "'--last-day' belongs to --run, which is not given.\n" + runUsage},
        {{"--log", "x"}, "'--log' belongs to --watch, which is not given.\n" + watchUsage},
        {{"run"}, "'run' is not an option.\n" + runUsage},
        {{"--run", "--last-day", "3", "--since-last"},
         "'--last-day' and '--since-last' cannot be given together.\n" + runUsage},
        {{"--run", "--league", "../other"},
         "'--league' takes the name of a folder in leaguedata; '../other' is not one.\n" + runUsage},
        {{"--watch", "--days", "0"}, "'--days' takes a whole number from 1 to 401; '0' is not one.\n" + watchUsage},
    };
    for (const auto& [args, said] : cases) {
        Headless h;
        EXPECT_EQ(h.run(args), 2);
        EXPECT_EQ(h.err.str(), "vellor-results: " + said + more);
        EXPECT_EQ(h.m.fs.operations(), 0);
    }
    Headless help;
    EXPECT_EQ(help.run({"--help"}), 0);
    EXPECT_EQ(help.out.str().rfind(runUsage + "       vellor-results --watch", 0), 0u);
    Headless v;
    EXPECT_EQ(v.run({"--version"}), 0);
    EXPECT_EQ(v.out.str(), "vellor-results 0.1.0\n");
    // The console twin's usage names it, and says what it does without options.
    Headless cli;
    EXPECT_EQ(runHeadless({}, cli.out, cli.err, cli.m.fs, testing::kDrive, false, nullptr,
                          {"vellor-results-cli", /*hasWindow=*/false}),
              2);
    EXPECT_EQ(cli.err.str().rfind("Usage: vellor-results-cli --run [--last-day N | --since-last] [--days N] "
                                  "[--message TEXT] [--league NAME] [--no-index]\n"
                                  "       vellor-results-cli --watch ",
                                  0),
              0u);
    EXPECT_NE(cli.err.str().find("\nWithout options it prints this text; the window is vellor-results.exe.\n"),
              std::string::npos);
}

} // namespace
} // namespace vr
