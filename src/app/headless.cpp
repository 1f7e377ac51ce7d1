#include "app/headless.h"

#include "league/league_folder.h"
#include "app/export_check.h"
#include "app/watch.h"
#include "app/headless_window.h"
#include "app/period_check.h"
#include "app/run_sequences.h"
#include "app/send_after_go.h"
#include "app/stop_report.h"
#include "results/player_of_the_game.h"
#include "host/cache_folder.h"
#include "host/terminal.h"
#include "text/code_page.h"
#include "text/end_request.h"
#include "text/errors.h"
#include "text/numbers.h"

#include <map>
#include <memory>
#include <optional>

namespace vr {
namespace {

const char* const kOptionsHelp =
    "With --run the league is read and the period published without a\n"
    "window, as the window load and GO! would:\n"
    "  --last-day N   the last simulated day (default: the last day found)\n"
    "  --days N       the number of days of the period (default: 3)\n"
    "  --no-index     read every play-by-play file, not only those changed since\n"
    "                 the last run (the index lies in VELLOR_CACHE_DIR, else the\n"
    "                 user's cache folder)\n"
    "With --watch each new export of the game is published by itself, over\n"
    "the days since the last period published, until Ctrl+C or SIGTERM:\n"
    "  --days N       the period when none is archived yet (default: 3)\n"
    "  --settle S     the seconds the export must stand still (default: 20)\n"
    "  --log FILE     append the watch's lines to FILE as well\n"
    "With a sending profile (publish.ini in VELLOR_CONFIG_DIR, else the user's\n"
    "configuration folder) each run and each publication of the watch then\n"
    "sends the html folder to the league's website and the period's posts to\n"
    "Discord; a failed send ends --run with status 3:\n"
    "  --no-send      publish without sending, for this run\n"
    "  --send         send what is due without publishing again\n"
    "The score list is printed as it fills. ";

// The usage of `program`, with where it looks for the league: its name
// heads it, and the program without a window says what it does without
// options.
std::string usage(const HeadlessProgram& program) {
    const std::string name(program.name);
    const std::string indent(7 + name.size() + 1, ' ');
    std::string text = "Usage: " + name + " [--run [--last-day N] [--days N] [--no-index]]\n" + indent +
                       "[--watch [--days N] [--settle S] [--log FILE] [--no-index]]\n" + indent +
                       "[--send] [--no-send] [--help] [--version]\n\n";
    text += program.hasWindow ? "Without options the window opens.\n"
                              : "Without options it prints this text; the window is vellor-results.exe.\n";
    return text + kOptionsHelp + leagueFolderHelp();
}

struct Options {
    bool run = false;
    bool watch = false;
    bool help = false;
    bool version = false;
    bool noIndex = false;
    bool send = false;
    bool noSend = false;
    std::optional<std::string> lastDay;
    std::optional<std::string> days;
    std::optional<std::string> settle;
    std::optional<std::string> log;
};

std::optional<Options> parse(const std::vector<std::string>& args) {
    Options o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--run") o.run = true;
        else if (a == "--watch") o.watch = true;
        else if (a == "--help" || a == "-h") o.help = true;
        else if (a == "--version") o.version = true;
        else if (a == "--no-index") o.noIndex = true;
        else if (a == "--send") o.send = true;
        else if (a == "--no-send") o.noSend = true;
        else if (a == "--last-day" || a == "--days") {
            // The next argument is the value even when it starts with "-".
            if (i + 1 >= args.size()) return std::nullopt;
            (a == "--days" ? o.days : o.lastDay) = args[++i];
        } else if (a == "--settle" || a == "--log") {
            if (i + 1 >= args.size()) return std::nullopt;
            (a == "--settle" ? o.settle : o.log) = args[++i];
        } else {
            return std::nullopt;
        }
    }
    if (!o.run && !o.watch && !o.help && !o.version && !o.send) return std::nullopt;
    if (o.send && (o.run || o.watch || o.noSend || o.noIndex || o.lastDay || o.days)) return std::nullopt;
    if (o.noSend && !o.run && !o.watch) return std::nullopt;
    if (o.run && o.watch) return std::nullopt;
    if (!o.run && !o.watch && (o.lastDay || o.days || o.noIndex)) return std::nullopt;
    if (!o.watch && (o.settle || o.log)) return std::nullopt;
    if (o.watch && o.lastDay) return std::nullopt;
    return o;
}

int watch(const Options& o, std::ostream& out, std::ostream& err, FileSystem& fs, const LeaguePlace& place,
          WatchClock* clock, const HeadlessProgram& program) {
    WatchOptions w;
    std::optional<long> days = o.days ? readWholeText(*o.days) : std::optional<long>(3);
    std::optional<double> settle = o.settle ? readNumber(*o.settle) : std::optional<double>(20);
    if (!days || *days < 1 || *days > DayTable::kLastDay + 1 || !settle || !(*settle >= 0 && *settle <= 86400) ||
        (o.log && o.log->empty())) {
        err << usage(program);
        return 2;
    }
    w.days = *days;
    w.settle = *settle;
    if (o.log) w.log = *o.log;
    if (!o.noIndex) w.cacheFolder = cacheFolderFromEnvironment();
    w.send = !o.noSend;
    return runWatch(w, out, fs, place, clock ? *clock : hostWatchClock());
}

} // namespace

int runHeadless(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                FileSystem& fs, const LeaguePlace& place, WatchClock* clock,
                const HeadlessProgram& program) {
    std::optional<Options> options = parse(args);
    if (!options) {
        err << usage(program);
        return 2;
    }
    if (options->help) {
        out << usage(program);
        return 0;
    }
    if (options->version) {
        out << "vellor-results " << kVersion << '\n';
        return 0;
    }

    if (options->watch) return watch(*options, out, err, fs, place, clock, program);
    if (options->send) {
        LeagueFolder league(fs, place);
        const SendOutcome sent = sendAfterGo(league, std::nullopt, standardErrorIsTerminal() ? &err : nullptr);
        reportSending(sent, err);
        if (!sent.configured) err << "No sending profile (publish.ini): nothing to send.\n";
        return !sent.configured ? 1 : sent.failed() ? 3 : 0;
    }

    HeadlessWindow window(&out);
    auto state = std::make_unique<LeagueState>();
    if (!options->noIndex) state->cacheFolder = cacheFolderFromEnvironment();
    LeagueFolder league(fs, place);
    league.setHoldNotice([&](std::string_view notice) {
        out.flush();
        err << notice << '\n';
        err.flush();
    });
    int status = 0;
    bool published = false;
    try {
        // The index checks every play-by-play file's stat: they are taken
        // while the load reads.
        if (!state->cacheFolder.empty()) league.prefetchStats(kPlayByPlayFolder);
        // The period is checked against the simulated days before the
        // load's lists are put in place: a refused one leaves every file.
        windowLoad(league, window, *state, [&] {
            if (options->lastDay) window.setText(TextBox::LastDay, utf8ToCodePage(*options->lastDay));
            if (options->days) window.setText(TextBox::DaysSimmed, utf8ToCodePage(*options->days));
            checkPeriod(window.text(TextBox::LastDay), window.text(TextBox::DaysSimmed), state->days);
        });
        published = goRun(league, window, *state);
        if (!state->archiveNote.empty()) out << state->archiveNote << '\n';
        std::string warning = exportWarnings(*state);
        if (!warning.empty()) err << warning << '\n';
    } catch (const Stop& stop) {
        out.flush();
        err << stopReport(stop, league) << '\n';
        status = 1;
    } catch (const EndRequested& end) {
        out.flush();
        err << "Ended by " << endSignalName(end.signal()) << " before the publications were put in place.\n"
            << kLeftAsTheyWere << '\n';
        status = 1;
    }
    if (status == 0 && endRequestedBy() != 0) {
        err << "Ended by " << endSignalName(endRequestedBy())
            << " once the publications were put in place: the run's files are whole.\n";
        status = 1;
    }
    // The score list goes to a pipe or a file that may refuse it (a reader
    // gone, a full disk): the run publishes all the same and says so.
    if (!out.flush()) {
        err << "The score list could not be written to the standard output"
            << (status == 0 ? "; the publications were put in place.\n" : ".\n");
        status = 1;
    }
    // After the run's lock is let go: sending waits on the network.
    if (published && !options->noSend) {
        out.flush();
        const SendOutcome sent =
            sendAfterGo(league, readWholeText(window.text(TextBox::LastDay)), standardErrorIsTerminal() ? &err : nullptr);
        reportSending(sent, err);
        if (sent.failed()) status = 3;
    }
    return status;
}

} // namespace vr
