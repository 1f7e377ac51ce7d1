#include "app/period_check.h"
#include "app/run_sequences.h"
#include "app/settings.h"
#include "results/publishing.h"
#include "results/season_reader.h"

namespace vr {

void goRun(LeagueFolder& league, WindowPort& window, LeagueState& state) {
    Period period = checkPeriod(window.text(TextBox::LastDay), window.text(TextBox::DaysSimmed));
    league.forgetFolders();

    window.setGoColour(GoColour::Red);
    saveSettings(league, Settings{window.text(TextBox::Website), window.text(TextBox::Message)});

    {
        auto upsets = league.openOutput("Upsets.txt");
        auto topResults = league.openOutput("TopResults.txt");
        auto test = league.openOutput("Test.txt");
        readSeason(league, state.teams, state.games, SeasonFiles{*test, *topResults, *upsets});
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

    window.setGoColour(GoColour::Green);
}

} // namespace vr
