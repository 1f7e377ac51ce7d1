#include "app/export_check.h"
#include "app/left_twins.h"
#include "additions/after_go.h"
#include "app/period_check.h"
#include "app/run_sequences.h"
#include "app/settings.h"
#include "results/publishing.h"
#include "results/season_reader.h"
#include "host/config_folder.h"
#include "send/profile.h"
#include "text/end_request.h"
#include "text/errors.h"

#include <new>

namespace vr {
namespace {

const char* const kAdditionsLeft =
    "The run's publications were put in place; the archive and the posts may be updated only in part: run again.";
// A GO! that stops comes after a window load, which put its lists in place.
const char* const kListsRefreshed =
    "GO!'s publications were left as they were; the window load refreshed teams.txt, teaminfo.txt and "
    "schedfile.txt.";

bool publishGo(LeagueFolder& league, WindowPort& window, LeagueState& state, const PublishGate& gate,
               const Period& period) {
    league.forgetFolders();

    window.setGoColour(GoColour::Red);
    // Another run in the folder is waited for: this one reads its results.
    LeagueHold hold(league);
    removeLeftRunTwins(league);
    saveSettings(league, Settings{window.text(TextBox::Website), window.text(TextBox::Message)});

    // The index is the user's cache, kept apart from the league folder; it
    // is written only once the whole run has gone through.
    PlayByPlayIndex index;
    std::string indexFile, owner;
    if (!state.cacheFolder.empty()) {
        try {
            owner = league.hostPath("");
            owner.pop_back(); // the "/" before the empty name
            indexFile = playByPlayIndexFile(state.cacheFolder, owner);
            index.load(league.fileSystem(), indexFile, owner);
        } catch (const Stop&) {
            indexFile.clear();
        }
    }

    // Every publication is written beside its file and put in place only
    // when the whole run has gone through: a stop leaves the last run's.
    PublishingScope publishing(league);
    {
        auto upsets = league.openOutput("Upsets.txt");
        auto topResults = league.openOutput("TopResults.txt");
        auto test = league.openOutput("Test.txt");
        std::vector<GameKey> withoutPlayByPlay;
        readSeason(league, state.teams, state.games, SeasonFiles{*test, *topResults, *upsets},
                   indexFile.empty() ? nullptr : &index, &withoutPlayByPlay);
        state.missingPlayByPlay = missingPlayByPlayFiles(league, withoutPlayByPlay);
        window.beep();
        test->close();
        topResults->close();
        upsets->close();
    }

    // Each run lists the period's own leaders: lists left by an earlier run
    // would repeat every performance and could mix two periods.
    state.leaders.clear();
    publishPeriod(league, state, period, [&](std::string_view line) { window.addScore(line); });
    publishLeaders(league, state, period, window.text(TextBox::Website));
    if (gate && !gate(state)) return false;
    // The last place an end asked for is taken: from here the run puts
    // its files in place and completes the archive and the posts.
    checkEnd();
    EndDeferred finishing;
    publishing.complete();
    if (!indexFile.empty() && league.fileSystem().makeFolders(state.cacheFolder))
        index.save(league.fileSystem(), indexFile, owner);

    // The additions, once every file of the run is complete and closed.
    // Their stop comes after the run's own files were put in place.
    state.archiveNote.clear();
    try {
        state.archiveNote =
            publishAdditions(league, period, state.postMessage ? *state.postMessage : window.text(TextBox::Message),
                             LeagueTables{state.games, state.teams, state.days},
                             siteWebAddress(configFolderFromEnvironment()));
    } catch (Stop& stop) {
        if (stop.left().empty()) stop.setLeft(kAdditionsLeft);
        throw;
    }

    window.setGoColour(GoColour::Green);
    return true;
}

} // namespace

bool goRun(LeagueFolder& league, WindowPort& window, LeagueState& state, const PublishGate& gate) {
    Period period = checkPeriod(window.text(TextBox::LastDay), window.text(TextBox::DaysSimmed), state.days);
    try {
        return publishGo(league, window, state, gate, period);
    } catch (Stop& stop) {
        if (stop.left().empty()) stop.setLeft(kListsRefreshed);
        throw;
    } catch (const std::bad_alloc&) {
        // Every input is read within bounds; should memory still run out,
        // the run stops as for any failure, leaving the files as they were.
        Stop stop(StopKind::OutOfMemory);
        stop.setLeft(kListsRefreshed);
        throw stop;
    }
}

} // namespace vr
