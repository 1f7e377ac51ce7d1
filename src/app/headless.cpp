#include "app/headless.h"

#include "league/league_folder.h"
#include "app/export_check.h"
#include "additions/archive.h"
#include "app/watch.h"
#include "app/headless_window.h"
#include "app/period_check.h"
#include "app/run_sequences.h"
#include "app/run_summary.h"
#include "app/send_after_go.h"
#include "app/stop_report.h"
#include "results/player_of_the_game.h"
#include "host/cache_folder.h"
#include "host/drive.h"
#include "host/terminal.h"
#include "text/code_page.h"
#include "text/end_request.h"
#include "text/errors.h"
#include "text/numbers.h"

#include <ctime>
#include <map>
#include <memory>
#include <optional>

namespace vr {
namespace {

// The modes; an option names those it belongs to. --send sends what is due
// without publishing.
enum Mode : unsigned { kRun = 1, kWatch = 2, kSend = 4 };

struct KnownOption {
    std::string_view name;
    const char* value; // what its value is, as the usage names it; none for a switch
    unsigned modes;
};

const KnownOption kKnownOptions[] = {
    {"--last-day", "N", kRun},          {"--since-last", nullptr, kRun},  {"--days", "N", kRun | kWatch},
    {"--settle", "S", kWatch},          {"--log", "FILE", kWatch},        {"--message", "TEXT", kRun | kWatch},
    {"--league", "NAME", kRun | kWatch | kSend}, {"--no-index", nullptr, kRun | kWatch},
    {"--no-send", nullptr, kRun | kWatch},
};

const char* const kOptionsHelp =
    "With --run the league is read and the period published without a\n"
    "window, as the window load and GO! would; the score list is printed once\n"
    "the run has gone through, then one line with the time and what was\n"
    "published (on standard error):\n"
    "  --last-day N   the last simulated day (default: the last day found)\n"
    "  --days N       the number of days of the period (default: 3)\n"
    "  --since-last   the days since the last period published, as the watch\n"
    "                 takes them (--days N: the period when none is archived)\n"
    "  --no-index     read every play-by-play file, not only those changed since\n"
    "                 the last run (the index lies in VELLOR_CACHE_DIR, else the\n"
    "                 user's cache folder)\n"
    "With --watch each new export of the game is published by itself, over\n"
    "the days since the last period published, until Ctrl+C or SIGTERM; one\n"
    "watch per league:\n"
    "  --days N       the period when none is archived yet (default: 3)\n"
    "  --settle S     the seconds the export must stand still (default: 20)\n"
    "  --log FILE     append the watch's lines to FILE as well\n"
    "With a sending profile (publish.ini in VELLOR_CONFIG_DIR, else the user's\n"
    "configuration folder) each run and each publication of the watch then\n"
    "sends the html folder to the league's website and the period's posts to\n"
    "Discord; a failed send ends --run with status 3:\n"
    "  --no-send      publish without sending, for this run\n"
    "  --send         send what is due without publishing again\n"
    "Both:\n"
    "  --message TEXT the Message of the run's posts; without it they carry\n"
    "                 none (the window's Message is for the window's run)\n"
    "  --league NAME  the league folder in leaguedata (default: VELLOR_LEAGUE,\n"
    "                 else Marrowdeen, else the one league there)\n";

// The usage line of one mode, or of the others.
std::string usageLine(const HeadlessProgram& program, unsigned mode, bool first) {
    std::string line = (first ? "Usage: " : "       ") + std::string(program.name);
    if (mode == 0) return line + " --help | --version";
    line += mode == kRun ? " --run" : mode == kWatch ? " --watch" : " --send";
    if (mode == kRun) line += " [--last-day N | --since-last]";
    for (const KnownOption& o : kKnownOptions) {
        if (!(o.modes & mode) || o.name == "--last-day" || o.name == "--since-last") continue;
        line += " [" + std::string(o.name) + (o.value ? std::string(" ") + o.value : std::string()) + "]";
    }
    return line;
}

// The usage, with where it looks for the league: its name heads it, and the
// program without a window says what it does without options.
std::string usage(const HeadlessProgram& program) {
    std::string text = usageLine(program, kRun, true) + "\n" + usageLine(program, kWatch, false) + "\n" +
                       usageLine(program, kSend, false) + "\n" + usageLine(program, 0, false) + "\n\n";
    text += program.hasWindow ? "Without options the window opens.\n"
                              : "Without options it prints this text; the window is vellor-results.exe.\n";
    return text + kOptionsHelp + leagueFolderHelp();
}

struct Options {
    unsigned mode = 0;
    bool help = false;
    bool version = false;
    std::map<std::string_view, std::string> given; // by option: its value, "" for a switch
    bool has(std::string_view name) const { return given.count(name) > 0; }
    std::optional<std::string> value(std::string_view name) const {
        auto it = given.find(name);
        return it == given.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
};

// The mode's own word.
std::string modeName(unsigned mode) { return mode == kRun ? "--run" : mode == kWatch ? "--watch" : "--send"; }

// What was wrong with the command line, and the mode whose usage applies.
struct UsageError {
    std::string what;
    unsigned mode = 0;
};

std::optional<UsageError> parse(const std::vector<std::string>& args, Options& o) {
    for (const std::string& a : args) {
        if (a == "--run") o.mode |= kRun;
        else if (a == "--watch") o.mode |= kWatch;
        else if (a == "--send") o.mode |= kSend;
    }
    if (o.mode != 0 && o.mode != kRun && o.mode != kWatch && o.mode != kSend) {
        std::string given;
        for (unsigned m : {kRun, kWatch, kSend})
            if (o.mode & m) given += (given.empty() ? "" : " and ") + modeName(m);
        return UsageError{given + " cannot be given together.", 0};
    }
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--run" || a == "--watch" || a == "--send") continue;
        if (a == "--help" || a == "-h") {
            o.help = true;
            continue;
        }
        if (a == "--version") {
            o.version = true;
            continue;
        }
        const KnownOption* known = nullptr;
        for (const KnownOption& s : kKnownOptions)
            if (s.name == a) known = &s;
        // Without a mode, the run's usage: what most command lines are for.
        if (!known) return UsageError{"'" + a + "' is not an option.", o.mode ? o.mode : kRun};
        if (o.mode == 0)
            return UsageError{"'" + a + "' belongs to " + (known->modes & kRun ? "--run" : "--watch") +
                                  (known->modes == (kRun | kWatch) ? " or --watch" : "") + ", which is not given.",
                              known->modes & kRun ? kRun : kWatch};
        if (!(known->modes & o.mode))
            return UsageError{"'" + a + "' is not an option of " + modeName(o.mode) + ".", o.mode};
        std::string value;
        if (known->value) {
            // The next argument is the value even when it starts with "-".
            if (i + 1 >= args.size())
                return UsageError{"'" + a + "' needs a value (" + known->value + ") after it.", o.mode};
            value = args[++i];
        }
        o.given[known->name] = value;
    }
    if (o.mode == 0 && !o.help && !o.version)
        return UsageError{"nothing to do: give --run, --watch or --send.", kRun};
    if (o.has("--last-day") && o.has("--since-last"))
        return UsageError{"'--last-day' and '--since-last' cannot be given together.", kRun};
    if (o.has("--log") && o.value("--log")->empty()) return UsageError{"'--log' needs a file name.", kWatch};
    if (o.has("--league") && !LeagueFolder::plainLeagueName(*o.value("--league")))
        return UsageError{"'--league' takes the name of a folder in leaguedata; '" + *o.value("--league") +
                              "' is not one.",
                          o.mode};
    return std::nullopt;
}

int usageError(const UsageError& e, std::ostream& err, const HeadlessProgram& program) {
    err << program.name << ": " << e.what << "\n"
        << usageLine(program, e.mode, true) << "\n"
        << program.name << " --help shows every option.\n";
    return 2;
}

int watch(const Options& o, std::ostream& out, std::ostream& err, FileSystem& fs, const LeaguePlace& place,
          WatchClock* clock, const HeadlessProgram& program) {
    WatchOptions w;
    std::optional<long> days = o.has("--days") ? readWholeText(*o.value("--days")) : std::optional<long>(3);
    std::optional<double> settle = o.has("--settle") ? readNumber(*o.value("--settle")) : std::optional<double>(20);
    if (!days || *days < 1 || *days > DayTable::kLastDay + 1)
        return usageError({"'--days' takes a whole number from 1 to " + plainDigits(DayTable::kLastDay + 1) +
                               "; '" + *o.value("--days") + "' is not one.",
                           kWatch},
                          err, program);
    if (!settle || !(*settle >= 0 && *settle <= 86400))
        return usageError({"'--settle' takes a number of seconds from 0 to 86400; '" + *o.value("--settle") +
                               "' is not one.",
                           kWatch},
                          err, program);
    w.days = *days;
    w.settle = *settle;
    if (o.has("--log")) w.log = *o.value("--log");
    if (o.has("--message")) w.message = utf8ToCodePage(*o.value("--message"));
    if (!o.has("--no-index")) w.cacheFolder = cacheFolderFromEnvironment();
    w.lockFolder = cacheFolderFromEnvironment();
    w.send = !o.has("--no-send");
    return runWatch(w, out, fs, place, clock ? *clock : hostWatchClock());
}

// "2009-11-20 06:31:12", as the watch's lines give the time.
std::string localTimeNow() {
    std::time_t t = std::time(nullptr);
    char text[32];
    const std::tm* local = std::localtime(&t); // the run has one thread that asks
    std::size_t n = local ? std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", local) : 0;
    return std::string(text, n);
}

// The html folder on the host, for the archive.
std::string htmlFolder(LeagueFolder& league) {
    std::string folder = league.hostPath("html\\x");
    folder.resize(folder.size() - 2);
    return folder;
}

// With --since-last: the days since the last period published, as the watch
// takes them; none when the last simulated day was published already.
std::optional<std::string> daysSinceLast(LeagueFolder& league, const LeagueState& state, const Options& o) {
    if (!state.days.lastDay) return o.value("--days");
    const long last = *state.days.lastDay;
    std::optional<long> published = lastArchivedDay(league.fileSystem(), htmlFolder(league));
    if (published && *published == last) return std::nullopt;
    if (published && *published < last) return plainDigits(last - *published);
    return o.has("--days") ? o.value("--days") : std::optional<std::string>("3");
}

} // namespace

int runHeadless(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                FileSystem& fs, const LeaguePlace& place, WatchClock* clock,
                const HeadlessProgram& program) {
    // Nothing given at all (the console twin's own start): the whole usage.
    if (args.empty()) {
        err << usage(program);
        return 2;
    }
    Options options;
    if (std::optional<UsageError> wrong = parse(args, options)) return usageError(*wrong, err, program);
    if (options.help) {
        out << usage(program);
        return 0;
    }
    if (options.version) {
        out << "vellor-results " << kVersion << '\n';
        return 0;
    }

    LeaguePlace chosen = place;
    if (options.has("--league")) chosen.league = leagueFromArgument(*options.value("--league"));
    if (!chosen.league.empty() && !LeagueFolder::plainLeagueName(chosen.league))
        return usageError({"VELLOR_LEAGUE gives '" + nameToUtf8(chosen.league) +
                               "', not the name of a folder in leaguedata.",
                           options.mode},
                          err, program);
    if (options.mode == kWatch) return watch(options, out, err, fs, chosen, clock, program);
    if (options.mode == kSend) {
        LeagueFolder league(fs, chosen);
        const SendOutcome sent = sendAfterGo(league, std::nullopt, standardErrorIsTerminal() ? &err : nullptr);
        reportSending(sent, err);
        if (!sent.configured) err << "No sending profile (publish.ini): nothing to send.\n";
        return !sent.configured ? 1 : sent.failed() ? 3 : 0;
    }

    // The run says when it ran: a scheduled run's log holds many. (The
    // watch's host clock is not made for it: on Windows it opens a hidden
    // window.)
    auto now = [clock] { return clock ? clock->localTime() : localTimeNow(); };
    HeadlessWindow window(/*keepScores=*/true);
    auto state = std::make_unique<LeagueState>();
    if (!options.has("--no-index")) state->cacheFolder = cacheFolderFromEnvironment();
    state->postMessage = options.has("--message") ? utf8ToCodePage(*options.value("--message")) : std::string();
    LeagueFolder league(fs, chosen);
    league.setHoldNotice([&](std::string_view notice) {
        out.flush();
        err << notice << '\n';
        err.flush();
    });
    int status = 0;
    bool published = false;
    try {
        // The period is checked against the simulated days before the
        // load's lists are put in place: a refused one leaves every file.
        bool publishedAlready = false;
        published = publishOnce(league, window, *state, [&] {
            std::optional<std::string> days = options.value("--days");
            if (options.has("--since-last")) {
                days = daysSinceLast(league, *state, options);
                if (!days) {
                    publishedAlready = true;
                    return false;
                }
            }
            if (options.has("--last-day"))
                window.setText(TextBox::LastDay, utf8ToCodePage(*options.value("--last-day")));
            if (days) window.setText(TextBox::DaysSimmed, utf8ToCodePage(*days));
            checkPeriod(window.text(TextBox::LastDay), window.text(TextBox::DaysSimmed), state->days);
            return true;
        });
        if (publishedAlready) {
            err << now() << " Nothing was published: day " << plainDigits(*state->days.lastDay)
                << ", the last simulated, was published already.\n";
            return 0;
        }
        // The score list once the run has gone through: a stopped run's
        // log starts its entry with the stop.
        for (const std::string& line : window.scores()) out << line << '\n';
        if (!state->archiveNote.empty()) out << state->archiveNote << '\n';
        out.flush();
        std::string warning = exportWarnings(*state);
        if (!warning.empty()) err << warning << '\n';
        const Period period = checkPeriod(window.text(TextBox::LastDay), window.text(TextBox::DaysSimmed), state->days);
        // Another league than the default is named, as in the window's title.
        const std::string named =
            league.leagueName() == LeagueFolder::kDefaultLeague ? std::string() : nameToUtf8(league.leagueName());
        if (published) err << now() << ' ' << publishedSummary(state->days, period, named) << '\n';
    } catch (const Stop& stop) {
        // The stop comes first, with the time; its last line, what became
        // of the publications, ends the run's entry with the time as well.
        out.flush();
        std::string report = stopReport(stop, league);
        const std::size_t last = report.rfind('\n');
        err << now() << ' ' << report.substr(0, last + 1) << now() << ' ' << report.substr(last + 1) << '\n';
        status = 1;
    } catch (const EndRequested& end) {
        out.flush();
        err << now() << " Ended by " << endSignalName(end.signal())
            << " before the publications were put in place.\n"
            << now() << ' ' << kLeftAsTheyWere << '\n';
        status = 1;
    }
    if (status == 0 && endRequestedBy() != 0) {
        err << now() << " Ended by " << endSignalName(endRequestedBy())
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
    if (published && !options.has("--no-send")) {
        out.flush();
        const SendOutcome sent = sendAfterGo(league, readWholeText(window.text(TextBox::LastDay)),
                                             standardErrorIsTerminal() ? &err : nullptr);
        reportSending(sent, err);
        if (sent.failed()) status = 3;
    }
    return status;
}

} // namespace vr
