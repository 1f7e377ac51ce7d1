#include "snapshot/team_list.h"

#include "testsupport/memory_league.h"

#include <gtest/gtest.h>

namespace vr {
namespace {

using testing::MemoryLeague;
using testing::crlf;
using testing::stopMessage;
using Lines = std::vector<std::string>;

const std::string kCell = "<td class=main align=left>&nbsp;<a class=link";

// A standings line for `name`, with `spaces` leading spaces (7 is the real form).
std::string standingsLine(const std::string& name, int spaces = 7) {
    return std::string(static_cast<std::size_t>(spaces), ' ') + kCell + " href=\"rosters/roster1.htm\">" +
           name + "</a></td>";
}

TEST(TeamList, CopiesTheLinkTextsOfStandingsLinesInPageOrder) {
    MemoryLeague m;
    m.putLines("html\\standings.htm",
               {"<html><table>", "       <td class=main align=left>Conference</td>",
                standingsLine("Alder State"), standingsLine("Brookhaven"),
                "  <td class=main>14-3</td>", standingsLine("Texas A&amp;M"),
                standingsLine("<b>Corran</b> Tech"), "</table></html>"});
    EXPECT_EQ(readTeamList(m.league), 4);
    // Markup and entities of the link text stay as they are; the text after
    // the last ">" before the closing tags is kept.
    EXPECT_EQ(m.lines("teams.txt"), (Lines{"Alder State", "Brookhaven", "Texas A&amp;M", " Tech"}));
}

TEST(TeamList, NearMissLinesAreSkippedAndRepeatsCount) {
    MemoryLeague m;
    m.putLines("html\\standings.htm",
               {standingsLine("Six", 6), standingsLine("Eight", 8),
                std::string(7, ' ') + "<td class=main align=left>&nbsp;<a class=Link>Case</a></td>",
                std::string(7, ' ') + kCell.substr(0, 44), // the prefix cut short
                standingsLine("Alder State"), standingsLine("Alder State"), standingsLine(""), "</html>"});
    EXPECT_EQ(readTeamList(m.league), 3);
    // An empty link text is an empty line and still counts.
    EXPECT_EQ(m.get("teams.txt"), "Alder State\r\nAlder State\r\n\r\n");
}

TEST(TeamList, ALinkTextRightAfterThePrefixIsCut) {
    // The shortest line that can carry a name: the prefix's own ">" ends
    // the search when the link has no attributes.
    MemoryLeague m;
    m.putLines("html\\standings.htm", {"       " + kCell + ">Dunmore</a></td>", "</html>"});
    EXPECT_EQ(readTeamList(m.league), 1);
    EXPECT_EQ(m.lines("teams.txt"), (Lines{"Dunmore"}));
}

TEST(TeamList, APageWithoutTeamsGivesAnEmptyListRewrittenFromScratch) {
    MemoryLeague m;
    m.put("teams.txt", "Old Team\r\n");
    m.putLines("html\\standings.htm", {"<html>", "</html>", "  "});
    EXPECT_EQ(readTeamList(m.league), 0);
    EXPECT_TRUE(m.has("teams.txt"));
    EXPECT_EQ(m.get("teams.txt"), "");
}

// An empty page, or one cut before its closing tag, is one the game may
// still be writing: its teams would be a part of the league.
TEST(TeamList, APageCutShortStops) {
    const std::string cut = "End of file: html\\standings.htm: the page ends before its end (the game may still "
                            "be writing it); export the league's pages again";
    for (const std::string& page : {std::string(), crlf({"<html><table>", standingsLine("Alder State")}),
                                    crlf({standingsLine("Alder State"), "</HTML", "</table>"})}) {
        MemoryLeague m;
        m.put("html\\standings.htm", page);
        EXPECT_EQ(stopMessage([&] { readTeamList(m.league); }), cut) << page;
    }
}

TEST(TeamList, AMissingStandingsPageStopsBeforeTeamsTxtIsTouched) {
    MemoryLeague m;
    m.put("teams.txt", "Old Team\r\n");
    EXPECT_EQ(stopMessage([&] { readTeamList(m.league); }), "File not found: html\\standings.htm");
    EXPECT_EQ(m.get("teams.txt"), "Old Team\r\n");
}

TEST(TeamList, AMissingHtmlFolderIsPathNotFound) {
    MemoryFileSystem bare;
    bare.addFolder(testing::kLeague);
    LeagueFolder league(bare, testing::kDrive);
    EXPECT_EQ(stopMessage([&] { readTeamList(league); }), "Path not found: html\\standings.htm");
}

} // namespace
} // namespace vr
