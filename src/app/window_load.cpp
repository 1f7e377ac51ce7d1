#include "app/export_check.h"
#include "app/left_twins.h"
#include "app/run_sequences.h"
#include "app/settings.h"
#include "snapshot/period_probe.h"
#include "snapshot/team_list.h"
#include "snapshot/team_profiles.h"
#include "text/end_request.h"
#include "text/errors.h"
#include "text/numbers.h"

#include <new>

namespace vr {
namespace {

void windowLoadSteps(LeagueFolder& league, WindowPort& window, LeagueState& state,
                     const std::function<void()>& beforePublishing) {
    league.forgetFolders();
    LeagueHold hold(league);
    removeLeftLoadTwins(league);

    ensureLeagueSettings(league);
    Settings settings = loadSettings(league);
    window.setText(TextBox::Website, settings.website);
    window.setText(TextBox::Message, settings.message);

    // The settings keep their own rules; the three lists are published
    // together once all of them are written.
    PublishingScope publishing(league);
    long teamCount = readTeamList(league);

    auto teamInfo = league.openOutput("teaminfo.txt");
    readTeamProfiles(league, teamCount, state.teams, *teamInfo);
    state.teamCount = teamCount;
    state.rosterPages = countRosterPages(league);

    auto schedFile = league.openOutput("schedfile.txt");
    probeSimulatedDays(league, state.days);
    if (state.days.lastDay) window.setText(TextBox::LastDay, plainDigits(*state.days.lastDay));
    writeSchedFile(state.days, *schedFile);

    teamInfo->close();
    schedFile->close();
    window.setText(TextBox::DaysSimmed, "3");
    if (beforePublishing) beforePublishing();
    checkEnd();
    publishing.complete();
}

} // namespace

void windowLoad(LeagueFolder& league, WindowPort& window, LeagueState& state,
                const std::function<void()>& beforePublishing) {
    try {
        windowLoadSteps(league, window, state, beforePublishing);
    } catch (const std::bad_alloc&) {
        throw Stop(StopKind::OutOfMemory); // as goRun()
    }
}

} // namespace vr
