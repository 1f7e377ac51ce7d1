#include "app/headless.h"

#include "league/league_folder.h"
#include "app/export_check.h"
#include "app/run_sequences.h"
#include "app/stop_report.h"
#include "host/cache_folder.h"
#include "text/code_page.h"
#include "text/errors.h"

#include <map>
#include <memory>
#include <optional>

namespace vr {
namespace {

const char* const kUsage =
    "Usage: vellor-results [--run [--last-day N] [--days N] [--no-index]] [--help] [--version]\n"
    "\n"
    "Without options the window opens. With --run the league is read and the\n"
    "period published without a window, as the window load and GO! would:\n"
    "  --last-day N   the last simulated day (default: the last day found)\n"
    "  --days N       the number of days of the period (default: 3)\n"
    "  --no-index     read every play-by-play file, not only those changed since\n"
    "                 the last run (the index lies in VELLOR_CACHE_DIR, else the\n"
    "                 user's cache folder)\n"
    "The score list is printed as it fills. ";

class HeadlessWindow final : public WindowPort {
public:
    explicit HeadlessWindow(std::ostream& out) : out_(out) {}
    std::string text(TextBox box) const override {
        auto it = texts_.find(box);
        return it == texts_.end() ? std::string() : it->second;
    }
    void setText(TextBox box, std::string_view bytes) override { texts_[box] = std::string(bytes); }
    void addScore(std::string_view bytes) override {
        out_ << codePageToUtf8(bytes) << '\n';
        out_.flush();
    }
    void setGoColour(GoColour) override {}
    void beep() override {}

private:
    std::ostream& out_;
    std::map<TextBox, std::string> texts_;
};

struct Options {
    bool run = false;
    bool help = false;
    bool version = false;
    bool noIndex = false;
    std::optional<std::string> lastDay;
    std::optional<std::string> days;
};

std::optional<Options> parse(const std::vector<std::string>& args) {
    Options o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--run") o.run = true;
        else if (a == "--help" || a == "-h") o.help = true;
        else if (a == "--version") o.version = true;
        else if (a == "--no-index") o.noIndex = true;
        else if (a == "--last-day" || a == "--days") {
            // The next argument is the value even when it starts with "-".
            if (i + 1 >= args.size()) return std::nullopt;
            (a == "--days" ? o.days : o.lastDay) = args[++i];
        } else {
            return std::nullopt;
        }
    }
    if (!o.run && !o.help && !o.version) return std::nullopt;
    if (!o.run && (o.lastDay || o.days || o.noIndex)) return std::nullopt;
    return o;
}

// The tables of the program's own run, left to the system as it ends; kept
// reachable, so that leak checkers see nothing lost.
LeagueState* leftToTheSystem = nullptr;

} // namespace

int runHeadless(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                FileSystem& fs, const LeaguePlace& place, bool processEnds) {
    std::optional<Options> options = parse(args);
    if (!options) {
        err << kUsage << leagueFolderHelp();
        return 2;
    }
    if (options->help) {
        out << kUsage << leagueFolderHelp();
        return 0;
    }
    if (options->version) {
        out << "vellor-results " << kVersion << '\n';
        return 0;
    }

    HeadlessWindow window(out);
    auto state = std::make_unique<LeagueState>();
    if (!options->noIndex) state->cacheFolder = cacheFolderFromEnvironment();
    LeagueFolder league(fs, place);
    int status = 0;
    try {
        windowLoad(league, window, *state);
        if (options->lastDay) window.setText(TextBox::LastDay, utf8ToCodePage(*options->lastDay));
        if (options->days) window.setText(TextBox::DaysSimmed, utf8ToCodePage(*options->days));
        goRun(league, window, *state);
        std::string warning = incompleteExportWarning(state->missingPlayByPlay);
        if (!warning.empty()) err << warning << '\n';
    } catch (const Stop& stop) {
        out.flush();
        err << stopReport(stop, league) << '\n';
        status = 1;
    }
    if (processEnds) leftToTheSystem = state.release();
    return status;
}

} // namespace vr
