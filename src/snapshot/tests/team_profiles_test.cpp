#include "snapshot/team_profiles.h"

#include "snapshot/tests/roster_page.h"
#include "testsupport/memory_league.h"

#include <gtest/gtest.h>

namespace vr {
namespace {

using testing::MemoryLeague;
using testing::RosterPage;
using testing::stopMessage;
using Lines = std::vector<std::string>;

// Line numbers of RosterPage's lines.
constexpr std::size_t kLine2 = 2, kColour = 5, kLogo = 8, kRecord = 10, kPoll = 12, kRpi = 14;

struct Profiles {
    MemoryLeague m;
    TeamTable teams;

    void page(long n, const Lines& lines) {
        m.putLines("html\\rosters\\roster" + std::to_string(n) + ".htm", lines);
    }
    // Reads teams 1..count into the table and teaminfo.txt; the stop's
    // message, or "" when the pages were read through.
    std::string run(long count) {
        auto teamInfo = m.league.openOutput("teaminfo.txt");
        return stopMessage([&] {
            readTeamProfiles(m.league, count, teams, *teamInfo);
            teamInfo->close();
        });
    }
    // The stop's kind and place, without what it says was expected.
    std::string runPlace(long count) {
        auto teamInfo = m.league.openOutput("teaminfo.txt");
        return testing::stopPlace([&] {
            readTeamProfiles(m.league, count, teams, *teamInfo);
            teamInfo->close();
        });
    }
    std::string teamInfo() const { return m.get("teaminfo.txt"); }
};

Lines withLine(Lines lines, std::size_t number, const std::string& text) {
    lines.at(number - 1) = text;
    return lines;
}

TEST(TeamProfiles, CutsEveryFieldAndWritesOneLinePerTeamInNumberOrder) {
    Profiles p;
    p.page(1, RosterPage{}.lines());
    RosterPage second;
    second.name = "Brookhaven";
    second.firstColour = "#002856";
    second.secondColour = "#FFD700";
    second.logo = "brook.png";
    second.record = "Record: 3 - 14";
    second.pollRank = "<b>NR</b>";
    second.rpiRank = "  140 ";
    p.page(2, second.lines());

    EXPECT_EQ(p.run(2), "");
    EXPECT_EQ(p.teamInfo(),
              " 1 ,Alder State,12-5,#C41E3A,#FFFFFF, 7, 12,alderstate.gif\r\n"
              " 2 ,Brookhaven,3-14,#002856,#FFD700,<b>NR</b>,  140 ,brook.png\r\n");

    const TeamProfile& t = p.teams.at(2);
    EXPECT_EQ(t.teamName, "Brookhaven");
    EXPECT_EQ(t.firstColour, "#002856");
    EXPECT_EQ(t.secondColour, "#FFD700");
    EXPECT_EQ(t.logoFile, "brook.png");
    EXPECT_EQ(t.teamRecord, "3-14");
    // Ranks keep the spaces and markup the cut leaves.
    EXPECT_EQ(t.pollRank, "<b>NR</b>");
    EXPECT_EQ(t.rpiRank, "  140 ");
    EXPECT_EQ(p.teams.at(1).pollRank, " 7");
    EXPECT_EQ(p.teams.at(3).teamName, ""); // no page filled it
}

TEST(TeamProfiles, RecordLineKeepsTheTextAfterItsLastColonWithoutSpaces) {
    struct Case {
        const char* record; // the record line less its closing "</div>"
        const char* expected;
    } cases[] = {
        {"Season: W-L:12 - 5", "12-5"},
        {"12 - 5", "<divclass=rec>12-5"}, // no ":" keeps the whole line
        {"Record:\t12 -\t5 ", "\t12-\t5"}, // only spaces go
        {"Record:    ", ""},                // spaces only: the record stays unset
        {"Record:", ""},
    };
    for (const Case& c : cases) {
        Profiles p;
        RosterPage page;
        page.record = c.record;
        p.page(1, page.lines());
        EXPECT_EQ(p.run(1), "") << c.record;
        EXPECT_EQ(p.teams.at(1).teamRecord, c.expected) << c.record;
    }
    Profiles p;
    RosterPage page;
    page.record = "Record:   ";
    p.page(1, page.lines());
    p.run(1);
    EXPECT_EQ(p.teamInfo(), " 1 ,Alder State,,#C41E3A,#FFFFFF, 7, 12,alderstate.gif\r\n");

    // A record line of exactly its 6 closing characters gives an empty record.
    Profiles q;
    q.page(1, withLine(RosterPage{}.lines(), kRecord, "</div>"));
    EXPECT_EQ(q.run(1), "");
    EXPECT_EQ(q.teams.at(1).teamRecord, "");
}

TEST(TeamProfiles, TheFirstTeamColourLineCountsAndShortOnesGiveShortColours) {
    auto coloursOf = [](Lines lines) {
        Profiles p;
        p.page(1, lines);
        EXPECT_EQ(p.run(1), "");
        return p.teams.at(1).firstColour + "|" + p.teams.at(1).secondColour;
    };
    Lines page = RosterPage{}.lines();

    Lines two = page;
    two.insert(two.begin() + kColour, testing::teamColourLine("#111111", "#222222"));
    EXPECT_EQ(coloursOf(two), "#C41E3A|#FFFFFF");

    // Two leading spaces is no team colour line: the search goes on.
    Lines nearMiss = page;
    nearMiss.insert(nearMiss.begin() + kColour - 1, "  tr.teamcolor {background: #333333; color: #444444;}");
    EXPECT_EQ(coloursOf(nearMiss), "#C41E3A|#FFFFFF");

    EXPECT_EQ(coloursOf(withLine(page, kColour, "   tr.teamcolor {background: #C4")), "#C4|");
    EXPECT_EQ(coloursOf(withLine(page, kColour, "   tr.teamcolor {background: #C41E3A; co")), "#C41E3A|");
    EXPECT_EQ(coloursOf(withLine(page, kColour, "   tr.teamcolor")), "|");
}

TEST(TeamProfiles, ALineTwoOfFifteenCharactersGivesAnEmptyName) {
    Profiles p;
    p.page(1, withLine(RosterPage{}.lines(), kLine2, "<title></title>"));
    EXPECT_EQ(p.run(1), "");
    EXPECT_EQ(p.teams.at(1).teamName, "");
    EXPECT_EQ(p.teamInfo(), " 1 ,,12-5,#C41E3A,#FFFFFF, 7, 12,alderstate.gif\r\n");
}

TEST(TeamProfiles, EachSearchStartsAfterThePreviousStepsLines) {
    // Marker lines met before their turn are passed over.
    Lines page = RosterPage{}.lines();
    page.insert(page.begin() + 2, {testing::pollRankLine(" 99"), testing::rpiRankLine(" 98"),
                                   testing::logoLine("early.gif")});
    Profiles p;
    p.page(1, page);
    EXPECT_EQ(p.run(1), "");
    // The colour line comes after the early logo line: the real logo follows.
    EXPECT_EQ(p.teams.at(1).logoFile, "alderstate.gif");
    EXPECT_EQ(p.teams.at(1).pollRank, " 7");
    EXPECT_EQ(p.teams.at(1).rpiRank, " 12");

    // The record line is the second line after the logo line, whatever it holds.
    Profiles q;
    q.page(1, withLine(RosterPage{}.lines(), kRecord - 1, "W-L: 99 - 0</td>"));
    EXPECT_EQ(q.run(1), "");
    EXPECT_EQ(q.teams.at(1).teamRecord, "12-5");
}

TEST(TeamProfiles, TheShortestLinesThatCanBeCutGiveEmptyValues) {
    Lines page = RosterPage{}.lines();
    page = withLine(page, kLogo, testing::logoLine(""));
    page = withLine(page, kPoll, testing::pollRankLine(""));
    page = withLine(page, kRpi, testing::rpiRankLine(""));
    ASSERT_EQ(page[kLogo - 1].size(), 83u);
    ASSERT_EQ(page[kPoll - 1].size(), 71u);
    ASSERT_EQ(page[kRpi - 1].size(), 82u);
    Profiles p;
    p.page(1, page);
    EXPECT_EQ(p.run(1), "");
    EXPECT_EQ(p.teamInfo(), " 1 ,Alder State,12-5,#C41E3A,#FFFFFF,,,\r\n");
}

TEST(TeamProfiles, ALineTooShortForItsCutIsAnInvalidArgumentAtItsLine) {
    const std::string where = "Invalid argument: html\\rosters\\roster1.htm, line ";
    auto stopOf = [](std::size_t number, const std::string& text) {
        Profiles p;
        p.page(1, withLine(RosterPage{}.lines(), number, text));
        return p.runPlace(1);
    };
    EXPECT_EQ(stopOf(kLine2, "<title></title"), where + "2");
    EXPECT_EQ(stopOf(kLogo, std::string(57, ' ') + " width=75 height=75></td>"), where + "8");
    EXPECT_EQ(stopOf(kRecord, "</td>"), where + "10");
    EXPECT_EQ(stopOf(kPoll, testing::padTo(testing::pollRankLine("").substr(0, 65), 65) + "</td>"),
              where + "12");
    EXPECT_EQ(stopOf(kRpi, testing::rpiRankLine("").substr(0, 76) + "</td>"), where + "14");

    // The place names the page of the team that failed, after the pages read.
    Profiles p;
    p.page(1, RosterPage{}.lines());
    p.page(2, RosterPage{}.lines());
    Lines third = RosterPage{}.lines();
    third.insert(third.begin() + 7, 33, "<tr><td class=main>player</td></tr>");
    third.at(40) = std::string(57, ' ') + " width=75 height=75></td>";
    p.page(3, third);
    EXPECT_EQ(p.runPlace(3), "Invalid argument: html\\rosters\\roster3.htm, line 41");
    EXPECT_EQ(p.m.lines("teaminfo.txt").size(), 2u);
}

// After the place, the commissioner reads what the line should have held,
// the line quoted as text whatever its bytes.
TEST(TeamProfiles, StopsSayWhatTheLineShouldHold) {
    auto stopOf = [](Lines lines) {
        Profiles p;
        p.page(1, lines);
        return p.run(1);
    };
    const std::string at = "html\\rosters\\roster1.htm, line ";
    const Lines page = RosterPage{}.lines();
    EXPECT_EQ(stopOf(withLine(page, kLine2, "<b>\t\xC9\x01</b>")),
              "Invalid argument: " + at + "2: the team's name line '<b>[tab]\xC9[byte 01]</b>' is too short: it "
                                          "should hold the name between its tags, 15 characters at least");
    EXPECT_EQ(stopOf(withLine(page, kLogo, std::string(57, ' ') + " width=75 height=75></td>")),
              "Invalid argument: " + at + "8: the logo line '" + std::string(57, ' ') +
                  " width=75 height=75></td>' is too short: it should hold at least 83 characters");
    Lines noPoll(page.begin(), page.begin() + kPoll - 1);
    noPoll.push_back("</html>");
    EXPECT_EQ(stopOf(noPoll), "End of file: " + at + "13: the page has no poll rank line ('Current Poll Rank:' "
                                                   "from its 29th character)");
}

// A whole page (its closing tag last) that lacks a line stops where the line
// is missing; a page cut short stops as one the game may still be writing,
// wherever the cut falls, after its RPI rank line too.
TEST(TeamProfiles, APageEndingEarlyIsAnEndOfFileAtTheMissingLine) {
    const std::string where = "End of file: html\\rosters\\roster1.htm, line ";
    const std::string cut = "End of file: html\\rosters\\roster1.htm: the page ends before its end (the game may "
                            "still be writing it); export the league's pages again";
    auto stopOf = [](Lines lines, bool closed = true) {
        if (closed) lines.push_back("</html>");
        Profiles p;
        p.page(1, lines);
        return closed ? p.runPlace(1) : p.run(1);
    };
    Lines page = RosterPage{}.lines();
    auto firstLines = [&](std::size_t n) { return Lines(page.begin(), page.begin() + static_cast<long>(n)); };
    EXPECT_EQ(stopOf({}), where + "2");
    EXPECT_EQ(stopOf(firstLines(kColour - 1)), where + "6");   // no team colour line
    EXPECT_EQ(stopOf(firstLines(kLogo - 1)), where + "9");     // no logo line
    EXPECT_EQ(stopOf(firstLines(kPoll - 1)), where + "13");    // no poll rank line
    EXPECT_EQ(stopOf(firstLines(kRpi - 1)), where + "15");     // no RPI rank line
    EXPECT_EQ(stopOf(firstLines(kRpi + 1)), "");
    EXPECT_EQ(stopOf({}, false), cut);
    EXPECT_EQ(stopOf(firstLines(kLogo - 1), false), cut);
    EXPECT_EQ(stopOf(firstLines(kRpi + 1), false), cut);
    EXPECT_EQ(stopOf(Lines(page.begin(), page.end() - 1), false), cut);
    EXPECT_EQ(stopOf(page, false), "");
}

TEST(TeamProfiles, AMissingPageOrRostersFolderStopsKeepingTheLinesWritten) {
    Profiles p;
    p.page(1, RosterPage{}.lines());
    EXPECT_EQ(p.run(2), "File not found: html\\rosters\\roster2.htm");
    EXPECT_EQ(p.teamInfo(), " 1 ,Alder State,12-5,#C41E3A,#FFFFFF, 7, 12,alderstate.gif\r\n");
    EXPECT_EQ(p.m.fs.openHandles(), 0);

    Profiles noFolder;
    EXPECT_EQ(noFolder.run(1), "Path not found: html\\rosters\\roster1.htm");
}

TEST(TeamProfiles, ATeamCountOfZeroOpensNoPage) {
    Profiles p;
    p.page(1, RosterPage{}.lines());
    long opens = p.m.fs.opensForInput();
    EXPECT_EQ(p.run(0), "");
    EXPECT_EQ(p.m.fs.opensForInput(), opens);
    EXPECT_EQ(p.teamInfo(), "");
}

TEST(TeamProfiles, Team5001StopsWhenItsNameIsStored) {
    Profiles p;
    std::string page = testing::crlf(RosterPage{}.lines());
    for (long n = 1; n <= 5001; ++n) p.m.put("html\\rosters\\roster" + std::to_string(n) + ".htm", page);
    EXPECT_EQ(p.run(5001), "Subscript out of range: html\\rosters\\roster5001.htm, line 2: the standings list "
                           "more than 5000 teams, the most the program keeps");
    EXPECT_EQ(p.m.lines("teaminfo.txt").size(), 5000u);
    EXPECT_EQ(p.m.lines("teaminfo.txt").back().substr(0, 19), " 5000 ,Alder State,");
    EXPECT_EQ(p.teams.at(5000).logoFile, "alderstate.gif");
}

} // namespace
} // namespace vr
