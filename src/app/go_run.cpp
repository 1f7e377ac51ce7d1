#include "app/export_check.h"
#include "additions/after_go.h"
#include "app/period_check.h"
#include "app/run_sequences.h"
#include "app/settings.h"
#include "results/publishing.h"
#include "results/season_reader.h"
#include "text/errors.h"

namespace vr {
namespace {

const char* const kAdditionsLeft =
    "The run's publications were put in place; the archive and the posts may be updated only in part: run again.";

} // namespace

bool goRun(LeagueFolder& league, WindowPort& window, LeagueState& state, const PublishGate& gate) {
    Period period = checkPeriod(window.text(TextBox::LastDay), window.text(TextBox::DaysSimmed));
    league.forgetFolders();

    window.setGoColour(GoColour::Red);
    // Another run in the folder is waited for: this one reads its results.
    LeagueHold hold(league);
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
    publishing.complete();
    if (!indexFile.empty() && league.fileSystem().makeFolders(state.cacheFolder))
        index.save(league.fileSystem(), indexFile, owner);

    // The additions, once every file of the run is complete and closed.
    // Their stop comes after the run's own files were put in place.
    try {
        publishAdditions(league, period, state.postMessage ? *state.postMessage : window.text(TextBox::Message));
    } catch (Stop& stop) {
        if (stop.left().empty()) stop.setLeft(kAdditionsLeft);
        throw;
    }

    window.setGoColour(GoColour::Green);
    return true;
}

} // namespace vr
