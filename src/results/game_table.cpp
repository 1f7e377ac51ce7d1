#include "results/game_table.h"

namespace vr {

GameTable::GameTable() = default;

const GameEntry& GameTable::at(long day, long game) const {
    static const GameEntry unfilled;
    const auto& games = days_[static_cast<std::size_t>(day)];
    if (!games) return unfilled;
    const auto& e = (*games)[static_cast<std::size_t>(game)];
    return e ? *e : unfilled;
}

GameEntry& GameTable::entry(long day, long game) {
    auto& games = days_[static_cast<std::size_t>(day)];
    if (!games) games = std::make_unique<Day>();
    auto& e = (*games)[static_cast<std::size_t>(game)];
    if (!e) e = std::make_unique<GameEntry>();
    return *e;
}

} // namespace vr
