#include "simulate_game.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "rng.h"

namespace sample {
namespace {

// Shares `total` out in proportion to `weights`, by largest remainder, so
// that the parts add up to the total exactly.
std::vector<int> share_out(int total, const std::vector<double>& weights) {
    std::vector<int> parts(weights.size(), 0);
    double sum = 0;
    for (double w : weights) sum += w;
    if (total <= 0 || sum <= 0) return parts;
    std::vector<std::pair<double, std::size_t>> rest;
    int given = 0;
    for (std::size_t i = 0; i < weights.size(); ++i) {
        const double exact = total * weights[i] / sum;
        parts[i] = static_cast<int>(std::floor(exact));
        given += parts[i];
        if (weights[i] > 0) rest.push_back({exact - parts[i], i});
    }
    std::stable_sort(rest.begin(), rest.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    for (std::size_t k = 0; given < total; k = (k + 1) % rest.size(), ++given) ++parts[rest[k].second];
    return parts;
}

std::vector<StatLine> box_for(const Team& team, int score, int overtimes, Rng& rng) {
    const std::size_t n = team.players.size();
    std::vector<StatLine> box(n);
    std::vector<double> weights(n, 0.0);

    // Minutes: the first nine always play, the deep bench now and then.
    for (std::size_t i = 0; i < n; ++i) {
        const Player& p = team.players[i];
        if (i < 9 || rng.chance(0.3)) weights[i] = p.playing_time * (0.85 + 0.3 * rng.unit());
    }
    const std::vector<int> minutes = share_out(200 + 25 * overtimes, weights);

    for (std::size_t i = 0; i < n; ++i) {
        const Player& p = team.players[i];
        box[i].player = static_cast<int>(i);
        box[i].minutes = minutes[i];
        box[i].played = minutes[i] > 0;
        weights[i] = box[i].played ? p.scoring * minutes[i] * (0.5 + rng.unit()) : 0.0;
    }
    const std::vector<int> points = share_out(score, weights);

    int team_fgm = 0;
    for (std::size_t i = 0; i < n; ++i) {
        StatLine& s = box[i];
        if (!s.played) continue;
        const Player& p = team.players[i];
        const int pts = points[i];
        int threes = 0;
        if (pts >= 3 && p.position != 'C') threes = rng.below(std::min(pts / 3, p.position == 'G' ? 5 : 3) + 1);
        const int rest = pts - 3 * threes;
        int free = rest > 0 ? rng.below(std::min(rest, 9) + 1) : 0;
        if ((rest - free) % 2 != 0) free += free < rest ? 1 : -1;
        const int twos = (rest - free) / 2;
        s.pts = pts;
        s.tpm = threes;
        s.ftm = free;
        s.fgm = twos + threes;
        s.fga = s.fgm + static_cast<int>(s.fgm * (0.5 + 0.8 * rng.unit())) + rng.below(3);
        s.tpa = std::min(threes + rng.below(threes + 3), threes + (s.fga - s.fgm));
        if (p.position == 'C') s.tpa = threes;
        s.fta = free + (free > 0 || rng.chance(0.3) ? rng.below(3) : 0);
        s.stl = rng.below(s.minutes / 12 + 1);
        s.blk = p.position == 'G' ? rng.below(2) * rng.below(2) : rng.below(s.minutes / 10 + 1);
        s.tov = rng.below(s.minutes / 10 + 1);
        s.pf = std::min(5, rng.below(s.minutes / 8 + 2));
        team_fgm += s.fgm;
    }

    for (std::size_t i = 0; i < n; ++i)
        weights[i] = box[i].played ? team.players[i].rebounding * box[i].minutes * (0.5 + rng.unit()) : 0.0;
    const std::vector<int> rebounds = share_out(26 + rng.below(16) + 3 * overtimes, weights);
    for (std::size_t i = 0; i < n; ++i)
        weights[i] = box[i].played ? team.players[i].passing * box[i].minutes * (0.5 + rng.unit()) : 0.0;
    const std::vector<int> assists = share_out(static_cast<int>(team_fgm * (0.4 + 0.25 * rng.unit())), weights);
    for (std::size_t i = 0; i < n; ++i) {
        box[i].reb = rebounds[i];
        box[i].oreb = rebounds[i] > 0 ? rng.below(rebounds[i] / 3 + 1) : 0;
        box[i].ast = assists[i];
    }
    return box;
}

int best_player(const std::vector<StatLine>& box) {
    int best = 0, best_value = -1;
    for (const auto& s : box) {
        const int value = s.pts + s.reb + s.ast;
        if (value > best_value) {
            best_value = value;
            best = s.player;
        }
    }
    return best;
}

}  // namespace

void play_game(Game& game, const Team& team1, const Team& team2, bool force_tie) {
    Rng rng(game.seed);
    const double pace = 68.0 + 4.0 * rng.bell();
    const double home = game.postseason ? 0.0 : 0.02;
    const double eff1 = 1.02 + 0.05 * (team1.strength - team2.strength) - home + 0.07 * rng.bell();
    const double eff2 = 1.02 + 0.05 * (team2.strength - team1.strength) + home + 0.07 * rng.bell();
    int s1 = std::clamp(static_cast<int>(std::lround(pace * eff1)), 38, 125);
    int s2 = std::clamp(static_cast<int>(std::lround(pace * eff2)), 38, 125);
    game.overtimes = 0;
    game.regulation1 = s1;
    game.regulation2 = force_tie ? s1 : s2;
    if (force_tie) {
        s2 = s1;
    } else {
        while (s1 == s2) {
            ++game.overtimes;
            s1 += rng.range(4, 14);
            s2 += rng.range(4, 14);
        }
    }
    game.score1 = s1;
    game.score2 = s2;
    game.half1_1 = static_cast<int>(game.regulation1 * (0.42 + 0.12 * rng.unit()));
    game.half1_2 = static_cast<int>(game.regulation2 * (0.42 + 0.12 * rng.unit()));

    game.box1 = box_for(team1, s1, game.overtimes, rng);
    game.box2 = box_for(team2, s2, game.overtimes, rng);

    // The player of the game comes from the winners; in a draw from the
    // side with the better single line.
    const int best1 = best_player(game.box1), best2 = best_player(game.box2);
    const auto value = [](const StatLine& s) { return s.pts + s.reb + s.ast; };
    int side = s1 > s2 ? 1 : s2 > s1 ? 2 : 0;
    if (side == 0) side = value(game.box1[static_cast<std::size_t>(best1)]) >= value(game.box2[static_cast<std::size_t>(best2)]) ? 1 : 2;
    game.pog_side = side;
    game.pog_player = side == 1 ? best1 : best2;
    game.played = true;
}

}  // namespace sample
