#include "results/game_table.h"

#include <limits>
#include <new>

namespace vr {

void GameEntry::set(Field field, std::string_view text) {
    const std::uint32_t begin = field == 0 ? 0 : ends_[field - 1];
    const std::uint32_t old = ends_[field] - begin;
    if (text.size() > old &&
        text.size() - old > std::numeric_limits<std::uint32_t>::max() - texts_.size())
        throw std::bad_alloc();
    // replace() copies a text of the buffer's own before it moves the rest.
    texts_.replace(begin, old, text.data(), text.size());
    const std::uint32_t size = static_cast<std::uint32_t>(text.size());
    for (std::size_t f = field; f < kFields; ++f) ends_[f] = ends_[f] - old + size;
}

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
