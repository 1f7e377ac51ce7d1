// make-sample-league: writes a sample league folder in place of the
// simulation game, for the demo, the end-to-end tests and the benchmark.

#include <cstdio>
#include <exception>
#include <string>

#include "sample_league/generate.h"
#include "sample_league/options.h"

int main(int argc, char** argv) {
    const sample::ParseResult parsed = sample::parse_command_line(argc, argv);
    if (parsed.help) {
        std::fputs(sample::help_text().c_str(), stdout);
        return 0;
    }
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "make-sample-league: %s\n\n%s", parsed.error.c_str(), sample::help_text().c_str());
        return 2;
    }
    sample::Options options = parsed.options;
    sample::SeasonShape shape;
    const std::string problem = sample::finish_options(options, shape);
    if (!problem.empty()) {
        std::fprintf(stderr, "make-sample-league: %s\n", problem.c_str());
        return 2;
    }
    try {
        const sample::Written w = sample::generate(options, shape);
        std::printf("league folder: %s\n", sample::league_folder(options.drive).string().c_str());
        std::printf("%d teams, days %d-%d, %d played and %d unplayed games, %zu files, %zu bytes\n", options.teams,
                    options.first_day, options.last_day, w.played_games, w.unplayed_games, w.files, w.bytes);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make-sample-league: %s\n", e.what());
        return 1;
    }
    return 0;
}
