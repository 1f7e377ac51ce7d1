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

void windowLoadSteps(LeagueFolder& league, WindowPort& window, LeagueState& state) {
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

    auto schedFile = league.openOutput("schedfile.txt");
    probeSimulatedDays(league, state.days);
    if (state.days.lastDay) window.setText(TextBox::LastDay, plainDigits(*state.days.lastDay));
    writeSchedFile(state.days, *schedFile);

    teamInfo->close();
    schedFile->close();
    checkEnd();
    publishing.complete();
    window.setText(TextBox::DaysSimmed, "3");
}

} // namespace

void windowLoad(LeagueFolder& league, WindowPort& window, LeagueState& state) {
    try {
        windowLoadSteps(league, window, state);
    } catch (const std::bad_alloc&) {
        throw Stop(StopKind::OutOfMemory); // as goRun()
    }
}

} // namespace vr
