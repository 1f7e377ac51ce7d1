#include "app/run_sequences.h"
#include "league/play_by_play_name.h"

namespace vr {

bool publishOnce(LeagueFolder& league, WindowPort& window, LeagueState& state,
                 const std::function<bool()>& choosePeriod, const PublishGate& gate) {
    // The index checks every play-by-play file's stat: they are taken on
    // another thread while the load reads.
    if (!state.cacheFolder.empty()) league.prefetchStats(kPlayByPlayFolder);
    bool go = true;
    windowLoad(league, window, state, [&] {
        if (choosePeriod) go = choosePeriod();
    });
    return go && goRun(league, window, state, gate);
}

} // namespace vr
