#include "expected_cuts.h"

#include "text_out.h"

namespace sample {
namespace {

std::string_view trim_spaces(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

}  // namespace

std::string standings_link_text(std::string_view name) {
    const auto at = name.rfind('>');
    return std::string(at == std::string_view::npos ? name : name.substr(at + 1));
}

std::string record_text(const Team& team) {
    std::string text = num(team.wins) + "-" + num(team.losses);
    if (team.ties > 0) text += "-" + num(team.ties);
    return text;
}

PlayerOfTheGame split_player_of_the_game(std::string_view rest) {
    rest = trim_spaces(rest);
    auto dash = rest.find(" - ");
    if (dash == std::string_view::npos) dash = rest.find('-');
    else ++dash;
    if (dash == std::string_view::npos) return {std::string(rest), ""};
    return {std::string(trim_spaces(rest.substr(0, dash))), std::string(trim_spaces(rest.substr(dash + 1)))};
}

std::string player_of_the_game_text(const League& league, const Game& game) {
    const Team& team = league.team(game.pog_side == 1 ? game.team1 : game.team2);
    return team.players[static_cast<std::size_t>(game.pog_player)].name + " - " + team.plain_name;
}

}  // namespace sample
