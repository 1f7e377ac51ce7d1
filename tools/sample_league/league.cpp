#include "league.h"

#include <algorithm>

#include "names.h"
#include "rankings.h"
#include "rng.h"
#include "simulate_game.h"

namespace sample {
namespace {

// Positions 0..size-1 of the seeds in a bracket, so that seed 1 meets the
// last seed and the top seeds meet as late as possible.
std::vector<int> bracket_order(int size) {
    std::vector<int> order = {0};
    for (int m = 2; m <= size; m *= 2) {
        std::vector<int> next;
        for (int seed : order) {
            next.push_back(seed);
            next.push_back(m - 1 - seed);
        }
        order = next;
    }
    return order;
}

void schedule_regular_season(League& league, Rng& rng) {
    const Options& o = league.options;
    const SeasonShape& shape = league.shape;
    const int n = o.teams;
    const int per_day = o.games_per_day;
    std::vector<int> played(static_cast<std::size_t>(n + 1), 0);

    for (int day = o.first_day; day <= shape.regular_last_day; ++day) {
        if (day == shape.gap_day) continue;
        // The teams that have played least go next; chance breaks ties.
        std::vector<std::pair<long long, int>> keys;
        for (int t = 1; t <= n; ++t) keys.push_back({played[static_cast<std::size_t>(t)] * 100000LL + rng.below(100000), t});
        std::sort(keys.begin(), keys.end());
        std::vector<std::pair<long long, int>> chosen(keys.begin(), keys.begin() + 2 * per_day);
        // Two days in three are mostly conference days.
        const bool conference_day = (day - o.first_day) % 3 != 2;
        for (auto& c : chosen) {
            const long long conf = conference_day ? league.team(c.second).conference : 0;
            c.first = conf * 100000LL + rng.below(100000);
        }
        std::sort(chosen.begin(), chosen.end());

        const int skip = per_day >= 2 ? per_day / 2 : 0;
        for (int k = 0; k < per_day; ++k) {
            Game g;
            g.day = day;
            g.number = k + 1;
            if (day == shape.number_gap_day && k >= skip) ++g.number;
            int a = chosen[static_cast<std::size_t>(2 * k)].second;
            int b = chosen[static_cast<std::size_t>(2 * k + 1)].second;
            if (rng.chance(0.5)) std::swap(a, b);
            g.team1 = a;
            g.team2 = b;
            g.conference = league.team(a).conference == league.team(b).conference;
            g.seed = mix_seed(o.seed, static_cast<std::uint64_t>(day), static_cast<std::uint64_t>(g.number));
            ++played[static_cast<std::size_t>(a)];
            ++played[static_cast<std::size_t>(b)];
            league.games.push_back(g);
        }
    }
}

void play_regular_season(League& league) {
    const Options& o = league.options;
    const SeasonShape& shape = league.shape;
    std::size_t i = 0;
    while (i < league.games.size()) {
        // One day's games.
        std::size_t end = i;
        while (end < league.games.size() && league.games[end].day == league.games[i].day) ++end;
        const int day = league.games[i].day;
        const std::size_t count = end - i;
        if (day <= o.last_simulated_day) {
            const std::size_t draw = count >= 2 ? i + 1 : i;
            const std::size_t no_pbp = i + std::min<std::size_t>(2, count - 1);
            for (std::size_t k = i; k < end; ++k) {
                Game& g = league.games[k];
                const bool tie = o.tied_scores && day == shape.tie_day && k == draw;
                play_game(g, league.team(g.team1), league.team(g.team2), tie);
                g.has_pbp = !(o.missing_pbp && day == shape.missing_pbp_day && k == no_pbp);
            }
        }
        i = end;
    }
}

// The postseason: one round a day after the regular season. A round is
// listed once its teams are known, so after the first round without
// results nothing more is scheduled (but a final's third-place game is).
void play_postseason(League& league) {
    const Options& o = league.options;
    const SeasonShape& shape = league.shape;
    const int size = o.bracket;
    if (shape.bracket_rounds == 0 || o.last_simulated_day < shape.regular_last_day) return;

    const std::vector<int> by_rpi = rpi_order(league, shape.regular_last_day);
    std::vector<int> alive;
    for (int position : bracket_order(size)) alive.push_back(by_rpi[static_cast<std::size_t>(position)]);
    std::vector<int> seed_of(league.teams.size() + 1, 0);
    for (int s = 0; s < size; ++s) seed_of[static_cast<std::size_t>(by_rpi[static_cast<std::size_t>(s)])] = s;

    std::vector<int> semifinal_losers;
    for (int round = 0; round < shape.bracket_rounds; ++round) {
        const int day = shape.regular_last_day + 1 + round;
        const bool played = day <= o.last_simulated_day;
        std::vector<std::pair<int, int>> pairs;
        for (std::size_t k = 0; k + 1 < alive.size(); k += 2) pairs.push_back({alive[k], alive[k + 1]});
        if (alive.size() == 2 && semifinal_losers.size() == 2) pairs.push_back({semifinal_losers[0], semifinal_losers[1]});

        std::vector<int> winners, losers;
        for (std::size_t k = 0; k < pairs.size(); ++k) {
            Game g;
            g.day = day;
            g.number = static_cast<int>(k) + 1;
            g.postseason = true;
            auto [a, b] = pairs[k];
            if (seed_of[static_cast<std::size_t>(b)] < seed_of[static_cast<std::size_t>(a)]) std::swap(a, b);
            g.team1 = a;
            g.team2 = b;
            g.seed = mix_seed(o.seed, static_cast<std::uint64_t>(day), static_cast<std::uint64_t>(g.number));
            if (played) {
                play_game(g, league.team(a), league.team(b), false);
                g.has_pbp = true;
                const bool first_won = g.score1 > g.score2;
                if (k < alive.size() / 2) {
                    winners.push_back(first_won ? a : b);
                    losers.push_back(first_won ? b : a);
                }
            }
            league.games.push_back(g);
        }
        if (!played) return;
        if (alive.size() == 4) semifinal_losers = losers;
        alive = winners;
    }
}

void add_season_totals(League& league) {
    for (const Game& g : league.games) {
        if (!g.played) continue;
        for (int side = 1; side <= 2; ++side) {
            Team& team = league.team(side == 1 ? g.team1 : g.team2);
            for (const StatLine& s : side == 1 ? g.box1 : g.box2) {
                if (!s.played) continue;
                Player& p = team.players[static_cast<std::size_t>(s.player)];
                ++p.games;
                p.minutes += s.minutes;
                p.points += s.pts;
                p.rebounds += s.reb;
                p.assists += s.ast;
                p.fgm += s.fgm;
                p.fga += s.fga;
                p.tpm += s.tpm;
                p.tpa += s.tpa;
                p.ftm += s.ftm;
                p.fta += s.fta;
            }
        }
    }
}

}  // namespace

League build_league(const Options& options, const SeasonShape& shape) {
    League league;
    league.options = options;
    league.shape = shape;
    Rng rng(mix_seed(options.seed, 0x1EA6));

    const int conference_count = (options.teams + 11) / 12;
    league.conferences = conference_names(conference_count);
    league.teams.resize(static_cast<std::size_t>(options.teams));
    for (int i = 0; i < options.teams; ++i) {
        Team& t = league.teams[static_cast<std::size_t>(i)];
        t.number = i + 1;
        t.conference = i * conference_count / options.teams;
        t.strength = rng.bell();
    }
    name_teams(league.teams, options.odd_names, rng);
    int next_id = 1001;
    for (Team& t : league.teams) make_roster(t, next_id, options.odd_names, rng);

    schedule_regular_season(league, rng);
    play_regular_season(league);
    play_postseason(league);
    add_season_totals(league);
    settle_standings(league);
    return league;
}

}  // namespace sample
