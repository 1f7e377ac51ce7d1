#include "page_reading.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "sample_league/generate.h"
#include "sample_league/options.h"

namespace pagecheck {

std::string read_bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path.string());
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

Lines read_lines(const fs::path& path) {
    const std::string bytes = read_bytes(path);
    Lines result;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t cr = bytes.find("\r\n", start);
        const std::size_t end = cr == std::string::npos ? bytes.size() : cr;
        std::string line = bytes.substr(start, end - start);
        if (line.find('\r') != std::string::npos || line.find('\n') != std::string::npos) result.clean = false;
        result.lines.push_back(std::move(line));
        if (cr == std::string::npos) {
            result.clean = false;
            break;
        }
        start = cr + 2;
    }
    return result;
}

std::string drop_first(std::string_view s, std::size_t n) { return std::string(n >= s.size() ? "" : s.substr(n)); }
std::string drop_last(std::string_view s, std::size_t n) {
    return std::string(n >= s.size() ? "" : s.substr(0, s.size() - n));
}
std::string take(std::string_view s, std::size_t from_1, std::size_t n) {
    if (from_1 - 1 >= s.size()) return "";
    return std::string(s.substr(from_1 - 1, n));
}
std::string trim_spaces(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return std::string(s);
}
bool starts_with(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }
bool ends_with(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}
int leading_number(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    int value = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) value = value * 10 + (s[i] - '0');
    return value;
}

namespace {

std::vector<std::string> split_tabs(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) break;
        start = tab + 1;
    }
    return fields;
}

int after_equals(const std::string& field) { return std::atoi(field.substr(field.find('=') + 1).c_str()); }

// Removes the run's folder when the test program ends.
struct Cleanup {
    ~Cleanup() {
        std::error_code ignored;
        fs::remove_all(fs::temp_directory_path() / ("sample-league-tests-" + std::to_string(::getpid())), ignored);
    }
} cleanup;

}  // namespace

fs::path run_folder() {
    static const fs::path folder = [] {
        fs::path f = fs::temp_directory_path() / ("sample-league-tests-" + std::to_string(::getpid()));
        fs::remove_all(f);
        fs::create_directories(f);
        return f;
    }();
    return folder;
}

Manifest read_manifest(const fs::path& file) {
    Manifest m;
    std::istringstream in(read_bytes(file));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') m.clean = false;
        const auto f = split_tabs(line);
        const std::string& kind = f[0];
        auto need = [&](std::size_t n) {
            if (f.size() != n) m.clean = false;
            return f.size() == n;
        };
        if (kind == "league" && need(5)) {
            m.teams = after_equals(f[1]);
            m.first_day = after_equals(f[2]);
            m.last_day = after_equals(f[3]);
            m.last_simulated_day = after_equals(f[4]);
        } else if (kind == "team" && need(10)) {
            m.team_lines.push_back({std::atoi(f[1].c_str()), f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9]});
        } else if (kind == "day" && need(3)) {
            m.days.push_back({std::atoi(f[1].c_str()), std::atoi(f[2].c_str())});
        } else if (kind == "game" && need(13)) {
            m.games.push_back({std::atoi(f[1].c_str()), std::atoi(f[2].c_str()), f[3], f[4], f[5], f[6], f[7], f[8],
                               f[9], f[10], f[11], f[12]});
        } else if (kind == "player" && need(8)) {
            m.players.push_back({std::atoi(f[1].c_str()), std::atoi(f[2].c_str()), f[3], f[4], std::atoi(f[5].c_str()),
                                 std::atoi(f[6].c_str()), std::atoi(f[7].c_str())});
        } else if (kind != "league" && kind != "team" && kind != "day" && kind != "game" && kind != "player") {
            m.clean = false;
        }
    }
    return m;
}

TestLeague make_league(const std::string& name, std::vector<std::string> args) {
    TestLeague league;
    league.drive = run_folder() / name;
    args.insert(args.begin(), {"make-sample-league", "--drive", league.drive.string()});
    std::vector<const char*> argv;
    for (const auto& a : args) argv.push_back(a.c_str());
    sample::ParseResult parsed = sample::parse_command_line(static_cast<int>(argv.size()), argv.data());
    if (!parsed.error.empty()) throw std::runtime_error(parsed.error);
    sample::SeasonShape shape;
    const std::string problem = sample::finish_options(parsed.options, shape);
    if (!problem.empty()) throw std::runtime_error(problem);
    sample::generate(parsed.options, shape);
    league.folder = sample::league_folder(league.drive);
    league.manifest = read_manifest(league.drive / "manifest.txt");
    return league;
}

const TestLeague& edge_league() {
    static const TestLeague league = make_league("edge", {"--preset", "demo", "--all-edge-cases"});
    return league;
}

const TestLeague& plain_league() {
    static const TestLeague league = make_league("plain", {"--seed", "77"});
    return league;
}

const TestLeague& postseason_league() {
    static const TestLeague league =
        make_league("postseason", {"--teams", "40", "--games-per-day", "16", "--first-day", "350", "--last-day", "372",
                                   "--bracket", "16", "--seed", "5", "--postseason-past-365"});
    return league;
}

}  // namespace pagecheck
