#include <algorithm>
#include <cstdint>
#include <vector>

#include "calendar.h"
#include "fixed_lines.h"
#include "pages.h"
#include "rng.h"

// A play-by-play file: a few heading lines, one line per play, the final
// score and, near the end, the "Player of the Game:" line. The plays are
// made from the box score lines, so the running score ends on the final
// score; their order is drawn from the game's own seed.

namespace sample {
namespace {

enum Kind : std::uint8_t { Two, Three, FreeMade, FreeMiss, MissTwo, MissThree, DefReb, OffReb, Turnover, Foul };

struct Play {
    Kind kind;
    std::uint8_t side;     // 0 team 1, 1 team 2
    std::uint8_t player;
    std::uint8_t helper;   // assisting player + 1, 0 for none
};

void add(std::vector<Play>& plays, int count, Kind kind, int side, int player) {
    for (int i = 0; i < count; ++i)
        plays.push_back({kind, static_cast<std::uint8_t>(side), static_cast<std::uint8_t>(player), 0});
}

void side_plays(const std::vector<StatLine>& box, int side, std::vector<Play>& plays, Rng& rng) {
    const std::size_t first = plays.size();
    for (const StatLine& s : box) {
        const int p = s.player;
        add(plays, s.fgm - s.tpm, Two, side, p);
        add(plays, s.tpm, Three, side, p);
        add(plays, s.ftm, FreeMade, side, p);
        add(plays, s.fta - s.ftm, FreeMiss, side, p);
        add(plays, (s.fga - s.fgm) - (s.tpa - s.tpm), MissTwo, side, p);
        add(plays, s.tpa - s.tpm, MissThree, side, p);
        add(plays, s.reb - s.oreb, DefReb, side, p);
        add(plays, s.oreb, OffReb, side, p);
        add(plays, s.tov, Turnover, side, p);
        add(plays, s.pf, Foul, side, p);
    }
    // Hand each player's assists to baskets made by teammates.
    std::vector<int> helpers;
    for (const StatLine& s : box)
        for (int i = 0; i < s.ast; ++i) helpers.push_back(s.player);
    rng.shuffle(helpers.data(), helpers.size());
    std::size_t next = 0;
    for (std::size_t i = first; i < plays.size() && next < helpers.size(); ++i) {
        Play& play = plays[i];
        if ((play.kind == Two || play.kind == Three) && helpers[next] != play.player)
            play.helper = static_cast<std::uint8_t>(helpers[next++] + 1);
    }
}

void clock(TextOut& out, int seconds) {
    const char text[] = {'[', static_cast<char>('0' + seconds / 600), static_cast<char>('0' + seconds / 60 % 10), ':',
                         static_cast<char>('0' + seconds % 60 / 10), static_cast<char>('0' + seconds % 10), ']', ' '};
    out << std::string_view(text, sizeof text);
}

const char* const kTwoMade[] = {"makes a jump shot", "scores on a layup", "hits a short jumper", "throws down a dunk",
                                "banks in a hook shot", "scores in the lane"};
const char* const kTwoMissed[] = {"misses a jump shot", "misses a layup", "misses a short jumper",
                                  "has a hook shot roll off", "misses in the lane"};
const char* const kThreeMade[] = {"hits a three-pointer from the wing", "makes a three from the top of the key",
                                  "buries a corner three"};
const char* const kThreeMissed[] = {"misses a three-pointer", "misses a long three from the top",
                                    "misses a corner three"};
const char* const kTurnovers[] = {"loses the ball out of bounds", "throws the ball away", "is called for traveling",
                                  "has the ball stolen", "commits an offensive foul"};
const char* const kFouls[] = {"is called for a shooting foul", "commits a reaching foul", "is called for a blocking foul",
                              "commits a loose-ball foul"};

}  // namespace

void write_pbp(const League& league, const Game& g, TextOut& out) {
    const Team* teams[2] = {&league.team(g.team1), &league.team(g.team2)};
    const std::vector<StatLine>* boxes[2] = {&g.box1, &g.box2};
    Rng rng(mix_seed(g.seed, 0x9B9));

    std::vector<Play> plays;
    plays.reserve(400);
    side_plays(g.box1, 0, plays, rng);
    side_plays(g.box2, 1, plays, rng);
    rng.shuffle(plays.data(), plays.size());

    out.line("PLAY-BY-PLAY");
    out << teams[0]->plain_name << (g.postseason ? " vs. " : " at ") << teams[1]->plain_name;
    out.end();
    out << long_date_text(g.day) << " (Day " << g.day << ", Game " << g.number << ")";
    out.end();
    out << (g.postseason ? std::string("Postseason, neutral court") : teams[1]->arena);
    out.end();
    out.line("==========================================================================");
    for (int side = 0; side < 2; ++side) {
        out << "Starting lineup, " << teams[side]->plain_name << ": ";
        for (int i = 0; i < 5; ++i) {
            if (i) out << ", ";
            out << teams[side]->players[static_cast<std::size_t>(i)].name;
        }
        out.end();
    }
    out.line("==========================================================================");

    // Periods: two halves of 20 minutes, then five-minute overtimes.
    const int periods = 2 + g.overtimes;
    const std::size_t total = plays.size();
    std::size_t at = 0;
    int score[2] = {0, 0};
    for (int period = 0; period < periods; ++period) {
        const int length = period < 2 ? 1200 : 300;
        const std::size_t weight_total = 2400 + 300 * static_cast<std::size_t>(g.overtimes);
        std::size_t end = period + 1 == periods ? total
                                                 : at + total * static_cast<std::size_t>(length) / weight_total;
        if (period == 0)
            out.line("FIRST HALF");
        else if (period == 1)
            out.line("SECOND HALF");
        else
            out.line("OVERTIME");
        out.line("--------------------------------------------------------------------------");
        const std::size_t count = end - at;
        for (std::size_t k = 0; at < end; ++at, ++k) {
            const Play& play = plays[at];
            const Team& team = *teams[play.side];
            const Player& player = team.players[play.player];
            const int left = length - static_cast<int>((k + 1) * static_cast<std::size_t>(length) / (count + 1));
            clock(out, left);
            out << team.plain_name << ": " << player.short_name << ' ';
            switch (play.kind) {
                case Two: out << kTwoMade[rng.below(6)]; score[play.side] += 2; break;
                case Three: out << kThreeMade[rng.below(3)]; score[play.side] += 3; break;
                case FreeMade: out << "makes a free throw"; score[play.side] += 1; break;
                case FreeMiss: out << "misses a free throw"; break;
                case MissTwo: out << kTwoMissed[rng.below(5)]; break;
                case MissThree: out << kThreeMissed[rng.below(3)]; break;
                case DefReb: out << "grabs the defensive rebound"; break;
                case OffReb: out << "pulls down an offensive rebound"; break;
                case Turnover: out << kTurnovers[rng.below(5)]; break;
                case Foul: out << kFouls[rng.below(4)]; break;
            }
            if (play.helper) out << ", assisted by " << team.players[play.helper - 1u].short_name;
            out << ".   " << score[0] << '-' << score[1];
            out.end();
            // Substitutions and time-outs between plays.
            if (rng.chance(0.14)) {
                const int side = rng.below(2);
                const Team& t = *teams[side];
                const int in = 5 + rng.below(4);
                const int off = rng.below(5);
                clock(out, left);
                out << t.plain_name << ": substitution, " << t.players[static_cast<std::size_t>(in)].short_name
                    << " comes in for " << t.players[static_cast<std::size_t>(off)].short_name << '.';
                out.end();
            } else if (rng.chance(0.015)) {
                clock(out, left);
                out << teams[rng.below(2)]->plain_name << " call a full time-out.";
                out.end();
            }
        }
        if (period + 1 < periods) {
            out << "End of period. Substitutions: " << teams[0]->plain_name << " bring in "
                << teams[0]->players[5 + static_cast<std::size_t>(period % 4)].short_name << ", "
                << teams[1]->plain_name << " bring in "
                << teams[1]->players[5 + static_cast<std::size_t>((period + 1) % 4)].short_name << ".";
            out.end();
        }
    }
    out.line("==========================================================================");
    out.line("SCORING");
    for (int side = 0; side < 2; ++side) {
        out << teams[side]->plain_name << ':';
        out.end();
        for (const StatLine& s : *boxes[side]) {
            if (!s.played) continue;
            const std::size_t start = out.size();
            out << "   " << teams[side]->players[static_cast<std::size_t>(s.player)].name;
            out.pad_to(start, 34);
            out << s.pts << " pts  " << s.fgm << '/' << s.fga << " FG  " << s.tpm << '/' << s.tpa << " 3PT  " << s.ftm
                << '/' << s.fta << " FT  " << s.reb << " reb  " << s.ast << " ast  " << s.minutes << " min";
            out.end();
        }
    }
    out.line("==========================================================================");
    out << "FINAL: " << teams[0]->plain_name << ' ' << g.score1 << ", " << teams[1]->plain_name << ' ' << g.score2
        << (g.overtimes ? " (OT)" : "");
    out.end();
    out.line("");
    const Team& pog_team = *teams[g.pog_side - 1];
    const StatLine& line = (*boxes[g.pog_side - 1])[static_cast<std::size_t>(g.pog_player)];
    out << fixed::kPlayerOfTheGame << pog_team.players[static_cast<std::size_t>(g.pog_player)].name << " - "
        << pog_team.plain_name;
    out.end();
    out << "   " << line.pts << " points, " << line.reb << " rebounds, " << line.ast << " assists";
    out.end();
    out << "Box score: boxes/box" << g.day << '-' << g.number << ".htm";
    out.end();
}

}  // namespace sample
