#include "app/headless.h"
#include "app/period_check.h"
#include "app/run_sequences.h"
#include "app/stop_report.h"
#include "results/tests/publishing_fixture.h"
#include "testsupport/fixed_clock.h"
#include "testsupport/memory_league.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vr {
namespace {

using testing::FakeWindow;
using testing::MemoryLeague;
using testing::stopMessage;

// Days 240 to 251 simulated, day 245 without games (a gap in the files).
DayTable simulatedDays() {
    DayTable days;
    days.firstDay = 240;
    days.lastDay = 251;
    for (int d = 240; d <= 251; ++d) days.gamesPerDay[static_cast<std::size_t>(d)] = d == 245 ? 0 : 3;
    return days;
}

TEST(PeriodCheck, AcceptsPeriodsOfTheSimulatedDaysCutAtTheFirst) {
    const DayTable days = simulatedDays();
    Period p = checkPeriod(" 250 ", "3", days);
    EXPECT_EQ(p.lastDay, 250);
    EXPECT_EQ(p.firstDay(), 248);
    // Back before the season's first day: those days are not there.
    p = checkPeriod("251", "20", days);
    EXPECT_EQ(p.firstDay(), 240);
    EXPECT_EQ(p.dayCount, 12);
    EXPECT_EQ(checkPeriod("240", "99999999999999", days).dayCount, 1);
    EXPECT_EQ(checkPeriod("245", "2", days).firstDay(), 244); // day 244's games
}

TEST(PeriodCheck, RefusesTyposAndPeriodsTheSeasonDoesNotHave) {
    const DayTable days = simulatedDays();
    auto message = [&](const char* last, const char* count) {
        return stopMessage([&] { checkPeriod(last, count, days); });
    };
    EXPECT_EQ(message("24.5", "3"),
              "Type mismatch: Last Day that was Simulated must be a whole number; you typed '24.5'");
    EXPECT_EQ(message("-1", "abc"), "Type mismatch: Number of days that were ran during the last sim period "
                                    "must be a whole number; you typed 'abc'");
    const std::string found = "; the league's simulated days are 240 to 251.";
    EXPECT_EQ(message("253", "3"), "Subscript out of range: day 253 has not been simulated" + found);
    EXPECT_EQ(message("239", "1"), "Subscript out of range: day 239 comes before the first simulated day" + found);
    EXPECT_EQ(message("251", "0"), "Subscript out of range: a period of 0 days holds no day; the number of "
                                   "days must be 1 or more" + found);
    EXPECT_EQ(message("251", "-1"), "Subscript out of range: a period of -1 days holds no day; the number of "
                                    "days must be 1 or more" + found);
    EXPECT_EQ(message("245", "1"), "Subscript out of range: day 245 has no played game" + found);

    DayTable one;
    one.firstDay = one.lastDay = 245;
    one.gamesPerDay[245] = 1;
    EXPECT_EQ(stopMessage([&] { checkPeriod("246", "1", one); }),
              "Subscript out of range: day 246 has not been simulated; the league's only simulated day is 245.");
    EXPECT_EQ(stopMessage([&] { checkPeriod("245", "3", DayTable{}); }),
              "Subscript out of range: there is no period to publish; no day of the league has been simulated "
              "yet (no play-by-play file was found).");
}

// The box a rejection names: the window's own name for it.
std::string rejectedBox(const std::string& lastDay, const std::string& count) {
    try {
        checkPeriod(lastDay, count, simulatedDays());
    } catch (const PeriodRejected& stop) {
        return std::string(stopKindText(stop.kind())) + ": " + stop.where();
    }
    return "accepted";
}

TEST(PeriodCheck, RejectsTyposAndRangesNamingTheBox) {
    for (const char* typo : {"", "abc", "24.5"}) EXPECT_EQ(rejectedBox(typo, "3"), "Type mismatch: TxtLastDay");
    EXPECT_EQ(rejectedBox("245", "3x"), "Type mismatch: TxtDaysSimmed");
    EXPECT_EQ(rejectedBox("-1", "abc"), "Type mismatch: TxtDaysSimmed");
    EXPECT_EQ(rejectedBox("401", "1"), "Subscript out of range: TxtLastDay");
    EXPECT_EQ(rejectedBox("5", "7"), "Subscript out of range: TxtLastDay");
    for (const char* count : {"0", "-391"}) EXPECT_EQ(rejectedBox("250", count), "Subscript out of range: TxtDaysSimmed");
}

TEST(PeriodCheck, NamesTheBoxByItsLabelAndWhatWasTyped) {
    EXPECT_EQ(stopMessage([] { checkPeriod("25l", "3", simulatedDays()); }),
              "Type mismatch: Last Day that was Simulated must be a whole number; you typed '25l'");
    EXPECT_EQ(stopMessage([] { checkPeriod("245", "three", simulatedDays()); }),
              "Type mismatch: Number of days that were ran during the last sim period must be a whole number; "
              "you typed 'three'");
}

// A league at its first simulated day: no team, one game of day 245 with
// its box score page, a schedule that lists no game yet.
struct EmptyLeague : MemoryLeague {
    EmptyLeague() {
        put("html\\standings.htm", "</html>\r\n");
        putLines("html\\leagueschedule.htm",
                 {"<table>", "       <td class=header width=75>&nbsp;Date</td>", "1", "2", "3", "4", "</html>"});
        put("pbp\\245-1.txt", "");
        putLines(testing::boxName(245, 1), testing::boxPage({{"A", {}}, {"B", {}}}));
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
        return runHeadless(args, out, err, m.fs, testing::kDrive, &clock);
    }
};

TEST(HeadlessRun, RunsTheLoadAndGoAndEndsWithWhatItPublished) {
    Headless h;
    EXPECT_EQ(h.run({"--run", "--last-day", "245"}), 0);
    EXPECT_EQ(h.err.str(), kAt + "published day 245: 1 game\n");
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
    // A period refused leaves even the window load's lists.
    EXPECT_FALSE(h.m.has("Upsets.txt") || h.m.has("teams.txt") || h.m.has("schedfile.txt"));

    Headless typo;
    EXPECT_EQ(typo.run({"--run", "--last-day", "245", "--days", "3 days"}), 1);
    EXPECT_EQ(typo.err.str(), kAt + "Type mismatch: Number of days that were ran during the last sim period must "
                                    "be a whole number; you typed '3 days'\n" + left);

    Headless days;
    EXPECT_EQ(days.run({"--run", "--last-day", "245", "--days", "-200"}), 1);
    EXPECT_EQ(days.err.str(), kAt + "Subscript out of range: a period of -200 days holds no day; the number of days "
                                    "must be 1 or more; the league's only simulated day is 245.\n" + left);
    EXPECT_FALSE(days.m.has("teams.txt"));

    // A stop after the load says what the load put in place.
    Headless box;
    box.m.fs.removeFile(testing::leaguePath(testing::boxName(245, 1)));
    EXPECT_EQ(box.run({"--run"}), 1);
    EXPECT_EQ(box.err.str(), kAt + "File not found: " + displayLeagueFile("html\\boxes\\box245-1.htm") + "\n" + kAt +
                                 "GO!'s publications were left as they were; the window load refreshed teams.txt, "
                                 "teaminfo.txt and schedfile.txt.\n");
    EXPECT_EQ(box.out.str(), "");
    EXPECT_TRUE(box.m.has("teams.txt"));
    EXPECT_FALSE(box.m.has("Upsets.txt"));

    // A missing league folder is named first, before any file in it.
    MemoryFileSystem empty;
    std::ostringstream out, err;
    FixedClock clock;
    EXPECT_EQ(runHeadless({"--run", "--last-day", "245"}, out, err, empty, "/c", &clock), 1);
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
                                 "[--message TEXT] [--league NAME] [--no-index] [--no-send]\n";
    const std::string watchUsage = "Usage: vellor-results --watch [--days N] [--settle S] [--log FILE] "
                                   "[--message TEXT] [--league NAME] [--no-index] [--no-send]\n";
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
    EXPECT_EQ(runHeadless({}, cli.out, cli.err, cli.m.fs, testing::kDrive, nullptr,
                          {"vellor-results-cli", /*hasWindow=*/false}),
              2);
    EXPECT_EQ(cli.err.str().rfind("Usage: vellor-results-cli --run [--last-day N | --since-last] [--days N] "
                                  "[--message TEXT] [--league NAME] [--no-index] [--no-send]\n"
                                  "       vellor-results-cli --watch ",
                                  0),
              0u);
    EXPECT_NE(cli.err.str().find("\nWithout options it prints this text; the window is vellor-results.exe.\n"),
              std::string::npos);
}

} // namespace
} // namespace vr
