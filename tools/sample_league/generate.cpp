#include "generate.h"

#include <atomic>
#include <cstdio>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

#include "calendar.h"
#include "manifest.h"
#include "pages.h"
#include "team_logo.h"
#include "text_out.h"

namespace sample {
namespace fs = std::filesystem;
namespace {

// Whether the file at `path` holds exactly `bytes`.
bool holds(const fs::path& path, const std::string& bytes) {
    std::error_code error;
    if (fs::file_size(path, error) != bytes.size() || error) return false;
    std::FILE* f = std::fopen(path.string().c_str(), "rb");
    if (!f) return false;
    std::string there(bytes.size(), '\0');
    const bool same = std::fread(there.data(), 1, there.size(), f) == there.size() && there == bytes;
    std::fclose(f);
    return same;
}

// Laid over an earlier export, a file whose bytes are unchanged is not
// touched: its time and identity stay, as they do when the game exports.
bool g_over = false;

// One open, one write, one close per file.
void write_file(const fs::path& path, const std::string& bytes) {
    if (g_over && holds(path, bytes)) return;
    std::FILE* f = std::fopen(path.string().c_str(), "wb");
    if (!f) throw std::runtime_error("cannot create " + path.string());
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (std::fclose(f) != 0 || !ok) throw std::runtime_error("cannot write " + path.string());
}

void write_file(const fs::path& path, const TextOut& out) { write_file(path, out.str()); }

std::string game_stem(const Game& g) { return num(g.day) + "-" + num(g.number); }

// The earlier export's pbp, box, roster and logo files this league does not have.
void remove_stale(const League& league, const fs::path& base) {
    std::set<fs::path> kept;
    for (const Team& team : league.teams) {
        kept.insert(base / "html" / "rosters" / ("roster" + num(team.number) + ".htm"));
        kept.insert(base / "html" / "images" / team.logo);
    }
    for (const Game& g : league.games) {
        if (!g.played) continue;
        kept.insert(base / "html" / "boxes" / ("box" + game_stem(g) + ".htm"));
        if (g.has_pbp) kept.insert(base / "pbp" / (game_stem(g) + ".txt"));
    }
    for (const char* folder : {"pbp", "html/boxes", "html/rosters", "html/images"})
        for (const auto& e : fs::directory_iterator(base / folder))
            if (!kept.count(e.path())) fs::remove(e.path());
}

}  // namespace

fs::path league_folder(const fs::path& drive) {
    return drive / "Users" / "Public" / "Documents" / "GDS" / "Fast Break College Basketball 2010" / "leaguedata" /
           "Marrowdeen";
}

Written write_league(const League& league, int threads) {
    const fs::path drive = league.options.drive;
    const fs::path base = league_folder(drive);
    const fs::path html = base / "html";
    g_over = league.options.over;
    if (!g_over) {
        fs::remove_all(base / "pbp");
        fs::remove_all(html / "boxes");
        fs::remove_all(html / "rosters");
        fs::remove_all(html / "images");
    }
    fs::create_directories(base / "pbp");
    fs::create_directories(html / "boxes");
    fs::create_directories(html / "rosters");
    fs::create_directories(html / "images");

    Written written;
    TextOut out;
    out.reserve(1 << 22);

    write_standings(league, out);
    write_file(html / "standings.htm", out);
    written.bytes += out.size();
    out.clear();
    write_schedule(league, out);
    write_file(html / "leagueschedule.htm", out);
    written.bytes += out.size();
    written.files += 2;

    // The logos the roster pages name, in team order; a file two teams name
    // is drawn for the first of them.
    std::set<std::string> logos;
    for (const Team& team : league.teams) {
        if (!logos.insert(team.logo).second) continue;
        const std::string image = logo_file_bytes(team);
        write_file(html / "images" / team.logo, image);
        written.bytes += image.size();
        written.files += 1;
    }

    // Rosters, box scores and play-by-play files: each file depends only on
    // the finished league, so the work is shared between threads.
    std::vector<const Game*> played;
    for (const Game& g : league.games) {
        if (g.played)
            played.push_back(&g);
        else
            ++written.unplayed_games;
    }
    written.played_games = static_cast<int>(played.size());

    const std::size_t team_jobs = league.teams.size();
    const std::size_t jobs = team_jobs + played.size();
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> files{0}, bytes{0};
    std::atomic<bool> failed{false};
    std::string failure;
    std::mutex failure_lock;

    auto worker = [&] {
        TextOut page;
        page.reserve(1 << 16);
        try {
            for (std::size_t job; !failed && (job = next.fetch_add(1)) < jobs;) {
                if (job < team_jobs) {
                    const Team& team = league.teams[job];
                    page.clear();
                    write_roster(league, team, page);
                    write_file(html / "rosters" / ("roster" + num(team.number) + ".htm"), page);
                    files += 1;
                    bytes += page.size();
                    continue;
                }
                const Game& g = *played[job - team_jobs];
                const std::string stem = game_stem(g);
                page.clear();
                write_box(league, g, page);
                write_file(html / "boxes" / ("box" + stem + ".htm"), page);
                files += 1;
                bytes += page.size();
                if (g.has_pbp) {
                    page.clear();
                    write_pbp(league, g, page);
                    write_file(base / "pbp" / (stem + ".txt"), page);
                    files += 1;
                    bytes += page.size();
                }
            }
        } catch (const std::exception& e) {
            std::lock_guard<std::mutex> hold(failure_lock);
            failed = true;
            failure = e.what();
        }
    };
    std::vector<std::thread> pool;
    for (int i = 1; i < threads; ++i) pool.emplace_back(worker);
    worker();
    for (auto& t : pool) t.join();
    if (failed) throw std::runtime_error(failure);
    written.files += files;
    written.bytes += bytes;
    if (g_over) remove_stale(league, base);

    TextOut manifest("\n");
    manifest.reserve(1 << 20);
    write_manifest(league, manifest);
    write_file(drive / "manifest.txt", manifest);
    return written;
}

Written generate(const Options& options, const SeasonShape& shape, int threads) {
    set_season(options.season);
    const League league = build_league(options, shape);
    return write_league(league, threads);
}

}  // namespace sample
