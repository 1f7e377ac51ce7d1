// The team table: each team's profile as cut from its roster page, indexed
// by team number 0..5000. Fields are texts exactly as cut; a team that no
// page filled reads as empty texts.
#pragma once

#include <string>
#include <vector>

namespace vr {

struct TeamProfile {
    std::string teamName;
    std::string firstColour;
    std::string secondColour;
    std::string logoFile;
    std::string teamRecord;
    std::string pollRank;
    std::string rpiRank;
};

class TeamTable {
public:
    static constexpr long kLastTeam = 5000;

    // n must lie in 0..kLastTeam (callers check the range first).
    const TeamProfile& at(long n) const;
    // "Subscript out of range" for n outside 0..kLastTeam.
    TeamProfile& store(long n);
    long filled() const { return static_cast<long>(teams_.size()); }
    void clear() { teams_.clear(); }

private:
    std::vector<TeamProfile> teams_;
};

} // namespace vr
