#include "results/player_of_the_game.h"

#include "text/cuts.h"
#include "text/errors.h"
#include "text/numbers.h"
#include "text/quote.h"

namespace vr {
namespace {

constexpr std::string_view kLabel = "Player of the Game:";

} // namespace

bool lookUpPlayerOfTheGame(LeagueFolder& league, const GameInHand& game) {
    // No such file: the entry keeps what it held.
    auto pbp = league.openInputIfExists(playByPlayFile(game.gameDay, game.gameNumber));
    if (!pbp) return false;
    // Only the first labelled line counts; the file is not read past it.
    // The label stands near the end of the file, so the lines before it are
    // searched as blocks rather than split one by one.
    std::string_view line = describing(
        StopKind::EndOfFile, [] { return "the file has no line starting '" + std::string(kLabel) + "'"; },
        [&] { return pbp->readLineStartingWith(kLabel); });

    atLine(*pbp, [&] {
        // The label and the one character after it go. The name ends at the
        // first " - ", so that a hyphenated name ("Ann Lee-Park") stays
        // whole; a line without a spaced hyphen is cut at its first "-".
        std::string_view rest = trimSpaces(describing(
            StopKind::InvalidArgument, [&] { return "the line " + quoteText(line) + " names no player"; },
            [&] { return dropFirst(line, kLabel.size() + 1); }));
        std::size_t dash = rest.find(" - ");
        if (dash == std::string_view::npos)
            dash = describing(
                StopKind::InvalidArgument,
                [&] {
                    return "the line " + quoteText(line) +
                           " has no '-' between the player's name and the team's after the label and its space "
                           "(as in 'Player of the Game: Tom Baker - North Ridge')";
                },
                [&] { return findFirst(rest, '-'); });
        else ++dash;
        game.entry.set(GameEntry::PlayerOfTheGame, trimSpaces(rest.substr(0, dash)));
        game.entry.set(GameEntry::PlayerOfTheGameTeam, trimSpaces(rest.substr(dash + 1)));
    });
    pbp->close();
    return true;
}

} // namespace vr
