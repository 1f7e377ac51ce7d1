// The three leader lists of the period's best single-game performances.
#pragma once

#include <array>
#include <optional>
#include <string>

namespace vr {

struct LeaderEntry {
    std::optional<double> value; // empty counts as 0 and writes nothing
    std::string label;
};

struct LeaderList {
    std::array<LeaderEntry, 5> entries;
};

struct LeaderLists {
    LeaderList points;
    LeaderList rebounds;
    LeaderList assists;

    void clear() { *this = LeaderLists(); }
};

} // namespace vr
