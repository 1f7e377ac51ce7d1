#include "app/stop_report.h"

#include "text/code_page.h"

namespace vr {

std::string stopReport(const Stop& stop, LeagueFolder& league) {
    std::string report = codePageToUtf8(stop.message());
    if (!stop.note().empty()) report += "\n" + stop.note();
    if (stop.kind() != StopKind::PathNotFound || stop.where().empty()) return report;
    std::optional<std::string> missing = league.firstMissingFolder(stop.where());
    if (!missing) return report;
    std::string host = league.expectedHostFolder(*missing);
    if (missing->empty()) return report + "\n" + missingLeagueAdvice(league.drive(), host);
    return report + "\nThe folder " + displayPath(host) +
           " is missing: the game's export is incomplete. Export the league's pages again from the game.";
}

} // namespace vr
