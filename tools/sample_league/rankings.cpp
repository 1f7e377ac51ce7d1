#include "rankings.h"

#include <algorithm>

#include "text_out.h"

namespace sample {
namespace {

struct Tally {
    int wins = 0, losses = 0;
    std::vector<int> opponents;
};

std::vector<Tally> tally(const League& league, int through_day) {
    std::vector<Tally> t(league.teams.size() + 1);
    for (const Game& g : league.games) {
        if (!g.played || g.day > through_day) continue;
        if (g.score1 > g.score2) {
            ++t[g.team1].wins;
            ++t[g.team2].losses;
        } else if (g.score2 > g.score1) {
            ++t[g.team2].wins;
            ++t[g.team1].losses;
        }
        t[g.team1].opponents.push_back(g.team2);
        t[g.team2].opponents.push_back(g.team1);
    }
    return t;
}

// The usual quarter / half / quarter mix of own, opponents' and
// opponents' opponents' winning shares. Before any game the teams' hidden
// strength orders them, as a preseason guess would.
std::vector<double> rpi_values(const League& league, int through_day) {
    const auto t = tally(league, through_day);
    const std::size_t n = league.teams.size();
    std::vector<double> wp(n + 1, 0.5), owp(n + 1, 0.5), rpi(n + 1, 0.0);
    for (std::size_t i = 1; i <= n; ++i) {
        const int games = t[i].wins + t[i].losses;
        if (games > 0) wp[i] = static_cast<double>(t[i].wins) / games;
    }
    for (std::size_t i = 1; i <= n; ++i) {
        if (t[i].opponents.empty()) continue;
        double sum = 0;
        for (int o : t[i].opponents) sum += wp[static_cast<std::size_t>(o)];
        owp[i] = sum / static_cast<double>(t[i].opponents.size());
    }
    for (std::size_t i = 1; i <= n; ++i) {
        double oowp = 0.5;
        if (!t[i].opponents.empty()) {
            double sum = 0;
            for (int o : t[i].opponents) sum += owp[static_cast<std::size_t>(o)];
            oowp = sum / static_cast<double>(t[i].opponents.size());
        }
        rpi[i] = 0.25 * wp[i] + 0.5 * owp[i] + 0.25 * oowp + 0.002 * league.teams[i - 1].strength;
    }
    return rpi;
}

std::vector<int> order_by(const std::vector<double>& value, std::size_t n) {
    std::vector<int> order;
    for (std::size_t i = 1; i <= n; ++i) order.push_back(static_cast<int>(i));
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return value[static_cast<std::size_t>(a)] > value[static_cast<std::size_t>(b)]; });
    return order;
}

}  // namespace

std::vector<int> rpi_order(const League& league, int through_day) {
    return order_by(rpi_values(league, through_day), league.teams.size());
}

void settle_standings(League& league) {
    const std::size_t n = league.teams.size();
    for (Team& t : league.teams) t.wins = t.losses = t.ties = t.conf_wins = t.conf_losses = 0;
    for (const Game& g : league.games) {
        if (!g.played) continue;
        Team& a = league.team(g.team1);
        Team& b = league.team(g.team2);
        if (g.score1 == g.score2) {
            ++a.ties;
            ++b.ties;
            continue;
        }
        Team& winner = g.score1 > g.score2 ? a : b;
        Team& loser = g.score1 > g.score2 ? b : a;
        ++winner.wins;
        ++loser.losses;
        if (g.conference) {
            ++winner.conf_wins;
            ++loser.conf_losses;
        }
    }

    const std::vector<double> rpi = rpi_values(league, 1 << 30);
    const std::vector<int> by_rpi = order_by(rpi, n);
    for (std::size_t r = 0; r < n; ++r) {
        Team& t = league.team(by_rpi[r]);
        t.rpi = rpi[static_cast<std::size_t>(t.number)];
        t.rpi_rank = static_cast<int>(r) + 1;
    }

    // The poll weighs the record more than the RPI does.
    std::vector<double> vote(n + 1, 0.0);
    for (const Team& t : league.teams) {
        const int games = t.wins + t.losses;
        const double share = games > 0 ? static_cast<double>(t.wins) / games : 0.5;
        vote[static_cast<std::size_t>(t.number)] = 2.0 * share + 3.0 * t.rpi + 0.15 * t.strength;
    }
    const std::vector<int> by_vote = order_by(vote, n);
    const std::size_t poll_size = std::min<std::size_t>(25, n / 2);
    for (Team& t : league.teams) t.poll_rank = 0;
    for (std::size_t r = 0; r < poll_size; ++r) league.team(by_vote[r]).poll_rank = static_cast<int>(r) + 1;

    for (Team& t : league.teams) {
        t.poll_text = t.poll_rank > 0 ? num(t.poll_rank) : std::string("NR");
        t.rpi_text = num(t.rpi_rank);
        // Some exports pad a rank with spaces; the program must keep them.
        const bool spaced = league.options.spaced_ranks && (t.number % 5 == 0 || t.poll_rank == 2 || t.poll_rank == 7);
        if (spaced) {
            if (t.poll_rank > 0) t.poll_text = " " + t.poll_text + " ";
            t.rpi_text = " " + t.rpi_text + " ";
        }
    }
}

}  // namespace sample
