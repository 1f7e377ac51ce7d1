#include "app/stop_report.h"

#include "app/period_check.h"
#include "text/code_page.h"

namespace vr {
namespace {

// Where the program looked and what to do, when a folder is missing.
std::string advice(const Stop& stop, LeagueFolder& league) {
    if (stop.kind() != StopKind::PathNotFound || stop.where().empty()) return {};
    std::optional<std::string> missing = league.firstMissingFolder(stop.where());
    if (!missing) return {};
    std::string host = league.expectedHostFolder(*missing);
    if (missing->empty()) return missingLeagueAdvice(league.drive(), host);
    return "The folder " + displayPath(host) +
           " is missing: the game's export is incomplete. Export the league's pages again from the game.";
}

} // namespace

std::string stopReport(const Stop& stop, LeagueFolder& league) {
    std::string report = codePageToUtf8(stop.message());
    if (!stop.note().empty()) report += "\n" + stop.note();
    std::string more = advice(stop, league);
    if (!more.empty()) report += "\n" + more;
    return report + "\n" + (stop.left().empty() ? std::string(kLeftAsTheyWere) : codePageToUtf8(stop.left()));
}

HandlerEnd guardedRun(LeagueFolder& league, const std::function<void()>& handler) {
    try {
        handler();
        return {};
    } catch (const PeriodRejected& rejected) {
        return {HandlerEnd::How::Rejected, codePageToUtf8(rejected.message())};
    } catch (const Stop& stop) {
        return {HandlerEnd::How::Stopped, stopReport(stop, league)};
    } catch (const std::exception& e) {
        return {HandlerEnd::How::Stopped, e.what()};
    }
}

} // namespace vr
