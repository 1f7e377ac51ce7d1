#include "results/game_table.h"

#include <gtest/gtest.h>

namespace vr {
namespace {

// Setting a field, longer or shorter, from its own text or another field's,
// leaves every other field as it was.
TEST(GameTable, AFieldIsReplacedWithoutDisturbingTheOthers) {
    GameTable games;
    GameEntry& e = games.entry(245, 3);
    EXPECT_EQ(games.at(245, 4).team1Name(), "");
    e.set(GameEntry::Team1Name, "North Ridge");
    e.set(GameEntry::GameDate, "11/15/2010");
    e.set(GameEntry::Top25GameFlag, "YES");
    e.set(GameEntry::Team2Name, e.team1Name().substr(6));
    e.set(GameEntry::Team1Name, e.team1Name().substr(0, 5));
    e.set(GameEntry::GameDate, std::string(300, 'd'));
    EXPECT_EQ(e.team1Name(), "North");
    EXPECT_EQ(e.team2Name(), "Ridge");
    EXPECT_EQ(e.gameDate(), std::string(300, 'd'));
    EXPECT_EQ(e.top25GameFlag(), "YES");
    EXPECT_EQ(e.team1Score(), "");
    EXPECT_EQ(&games.at(245, 3), &e);
}

} // namespace
} // namespace vr
