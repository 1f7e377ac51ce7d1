#include "options.h"

#include <charconv>
#include <cstring>
#include <string_view>

namespace sample {
namespace {

void apply_preset(Options& o, std::string_view name) {
    if (name == "full") {
        o.teams = 360;
        o.first_day = 240;
        o.last_day = 371;
        o.last_simulated_day = 370;
        o.games_per_day = 44;  // with a 64-team bracket the postseason runs from day 366
    } else {
        o.teams = 24;
        o.first_day = 240;
        o.last_day = 255;
        o.last_simulated_day = 251;
        o.games_per_day = 12;
    }
    o.preset = std::string(name);
}

bool read_int(std::string_view text, long long& out) {
    auto res = std::from_chars(text.data(), text.data() + text.size(), out);
    return res.ec == std::errc() && res.ptr == text.data() + text.size();
}

struct Switch {
    const char* name;
    bool Options::*flag;
};

constexpr Switch kSwitches[] = {
    {"--tied-scores", &Options::tied_scores},
    {"--missing-pbp", &Options::missing_pbp},
    {"--day-gap", &Options::day_gap},
    {"--game-number-gap", &Options::game_number_gap},
    {"--postseason-past-365", &Options::postseason_past_365},
    {"--odd-names", &Options::odd_names},
    {"--spaced-ranks", &Options::spaced_ranks},
    {"--empty-box-values", &Options::empty_box_values},
    {"--over", &Options::over},
};

struct Number {
    const char* name;
    int Options::*field;
};

constexpr Number kNumbers[] = {
    {"--teams", &Options::teams},
    {"--first-day", &Options::first_day},
    {"--last-day", &Options::last_day},
    {"--last-simulated-day", &Options::last_simulated_day},
    {"--games-per-day", &Options::games_per_day},
    {"--bracket", &Options::bracket},
    {"--season", &Options::season},
};

}  // namespace

std::string help_text() {
    return
        "usage: make-sample-league --drive DIR [--preset demo|full] [--seed N] [options]\n"
        "\n"
        "Writes a sample league folder as the simulation game would leave it, at\n"
        "DIR/Users/Public/Documents/GDS/Fast Break College Basketball 2010/leaguedata/Marrowdeen/\n"
        "(DIR stands for C:\\), and the facts it generated to DIR/manifest.txt.\n"
        "The pbp, html/boxes and html/rosters folders of that league are emptied first,\n"
        "unless --over lays the export over the league already there.\n"
        "\n"
        "  --drive DIR               folder standing for the C: drive (required)\n"
        "  --preset demo|full        demo: 24 teams, 12 simulated days (default);\n"
        "                            full: 360 teams, days 240-371, simulated through\n"
        "                            day 370, postseason from day 366\n"
        "  --seed N                  random seed (default: the season's year)\n"
        "  --season YYYY             the year in which the season starts (default 2009):\n"
        "                            day 240 is November 9 of that year; with --over a\n"
        "                            new season is laid over the last one\n"
        "  --teams N                 number of teams\n"
        "  --first-day D             first day of the schedule\n"
        "  --last-day D              last day of the schedule, postseason included\n"
        "  --last-simulated-day D    last day whose games have a result\n"
        "  --games-per-day G         games on each regular-season day\n"
        "  --bracket N               postseason teams, a power of two (0: none)\n"
        "\n"
        "Edge cases (placed on the last simulated regular-season days L, L-1, ...):\n"
        "  --tied-scores             game 2 of day L ends in a tie\n"
        "  --day-gap                 day L-1 has no games\n"
        "  --missing-pbp             game 3 of day L-2 has no play-by-play file\n"
        "  --game-number-gap         a game number is skipped on day L-3\n"
        "  --postseason-past-365     move the season so that the postseason starts on\n"
        "                            day 366 and is simulated at least one day\n"
        "  --odd-names               team and player names with '-', '>', '=' and ','\n"
        "  --spaced-ranks            some poll and RPI ranks written with spaces\n"
        "  --empty-box-values        empty and '-' value cells in the box scores\n"
        "  --all-edge-cases          all of the above but --postseason-past-365\n"
        "\n"
        "  --over                    as the game's next export: a file whose bytes are\n"
        "                            unchanged is left as it is (its time and identity\n"
        "                            kept), the others are rewritten, and pbp, box\n"
        "                            and roster files the league no longer has are\n"
        "                            removed\n"
        "  --help                    this text\n";
}

ParseResult parse_command_line(int argc, const char* const* argv) {
    ParseResult result;
    Options& o = result.options;

    // The preset goes first, whatever its place: other options refine it.
    apply_preset(o, "demo");
    bool seed_given = false;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--preset") == 0) {
            std::string_view name = argv[i + 1];
            if (name != "demo" && name != "full") {
                result.error = "unknown preset: " + std::string(name);
                return result;
            }
            apply_preset(o, name);
        }
    }

    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            result.help = true;
            return result;
        }
        bool known = false;
        for (const auto& s : kSwitches) {
            if (arg == s.name) {
                o.*(s.flag) = true;
                known = true;
            }
        }
        if (arg == "--all-edge-cases") {
            o.tied_scores = o.missing_pbp = o.day_gap = o.game_number_gap = true;
            o.odd_names = o.spaced_ranks = o.empty_box_values = true;
            known = true;
        }
        if (known) continue;

        if (i + 1 >= argc) {
            result.error = "unknown option or missing value: " + std::string(arg);
            return result;
        }
        std::string_view value = argv[i + 1];
        if (arg == "--drive") {
            o.drive = std::string(value);
        } else if (arg == "--preset") {
            // handled above
        } else if (arg == "--seed") {
            long long n = 0;
            if (!read_int(value, n) || n < 0) {
                result.error = "--seed needs a whole number";
                return result;
            }
            o.seed = static_cast<std::uint64_t>(n);
            seed_given = true;
        } else {
            const Number* found = nullptr;
            for (const auto& n : kNumbers)
                if (arg == n.name) found = &n;
            if (!found) {
                result.error = "unknown option: " + std::string(arg);
                return result;
            }
            long long n = 0;
            if (!read_int(value, n) || n < -1 || n > 100000) {
                result.error = std::string(arg) + " needs a whole number";
                return result;
            }
            o.*(found->field) = static_cast<int>(n);
        }
        ++i;
    }
    // Each season its own league, the same one for the same year.
    if (!seed_given) o.seed = static_cast<std::uint64_t>(o.season);
    if (o.drive.empty()) result.error = "--drive DIR is required";
    return result;
}

std::string finish_options(Options& o, SeasonShape& shape) {
    if (o.season < 1900 || o.season > 9998) return "--season must be a year from 1900 to 9998";
    if (o.teams < 2 || o.teams > 5000) return "--teams must be from 2 to 5000";
    if (o.games_per_day < 1 || o.games_per_day > 299) return "--games-per-day must be from 1 to 299";
    if (o.games_per_day * 2 > o.teams) return "--games-per-day needs at least twice as many teams";

    if (o.bracket < 0) {
        o.bracket = 0;
        if (o.teams >= 8) {
            o.bracket = 2;
            while (o.bracket * 2 <= o.teams / 4 && o.bracket < 64) o.bracket *= 2;
        }
    }
    int rounds = 0;
    if (o.bracket > 0) {
        if ((o.bracket & (o.bracket - 1)) != 0 || o.bracket < 2) return "--bracket must be 0 or a power of two";
        if (o.bracket > o.teams) return "--bracket is larger than the number of teams";
        for (int b = o.bracket; b > 1; b /= 2) ++rounds;
    }
    shape.bracket_rounds = rounds;
    shape.regular_last_day = o.last_day - rounds;

    if (o.postseason_past_365) {
        if (rounds == 0) return "--postseason-past-365 needs a postseason bracket";
        const int shift = 365 - shape.regular_last_day;
        o.first_day += shift;
        o.last_day += shift;
        o.last_simulated_day += shift;
        shape.regular_last_day = 365;
        if (o.last_simulated_day < 366) o.last_simulated_day = 366;
    }
    if (o.first_day < 1) return "--first-day must be at least 1";
    if (shape.regular_last_day < o.first_day) return "the season is too short for its postseason";
    if (o.last_simulated_day > o.last_day) o.last_simulated_day = o.last_day;

    const int last_regular = o.last_simulated_day < shape.regular_last_day ? o.last_simulated_day
                                                                           : shape.regular_last_day;
    shape.last_played_regular = last_regular >= o.first_day ? last_regular : 0;
    const int L = shape.last_played_regular;
    struct Need {
        bool on;
        int day;
        int* slot;
        const char* what;
    } needs[] = {
        {o.tied_scores, L, &shape.tie_day, "--tied-scores"},
        {o.day_gap, L - 1, &shape.gap_day, "--day-gap"},
        {o.missing_pbp, L - 2, &shape.missing_pbp_day, "--missing-pbp"},
        {o.game_number_gap, L - 3, &shape.number_gap_day, "--game-number-gap"},
    };
    for (auto& n : needs) {
        if (!n.on) continue;
        // The gap day must not be the season's first day, or the probe's
        // first day would move.
        const int lowest = n.slot == &shape.gap_day ? o.first_day + 1 : o.first_day;
        if (L == 0 || n.day < lowest)
            return std::string(n.what) + " needs more simulated regular-season days";
        *n.slot = n.day;
    }
    return "";
}

}  // namespace sample
