#include "results/game_table.h"

namespace vr {

GameTable::GameTable() : entries_(static_cast<std::size_t>((kLastDay + 1) * (kLastGame + 1))) {}

const GameEntry& GameTable::at(long day, long game) const {
    static const GameEntry unfilled;
    const auto& e = entries_[index(day, game)];
    return e ? *e : unfilled;
}

GameEntry& GameTable::entry(long day, long game) {
    auto& e = entries_[index(day, game)];
    if (!e) e = std::make_unique<GameEntry>();
    return *e;
}

} // namespace vr
