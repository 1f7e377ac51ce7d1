#include "app/stop_report.h"

#include "app/period_check.h"
#include "text/code_page.h"

namespace vr {
namespace {

// "A, B and C".
std::string listed(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) text += i + 1 == names.size() ? " and " : ", ";
        text += displayPath(names[i]); // a host name: UTF-8 for the user
    }
    return text;
}

// Where leaguedata holds other leagues than the one looked for, they are
// what the user chooses from; the drive is right.
std::string otherLeagues(LeagueFolder& league, const std::string& host) {
    std::vector<std::string> found = league.leaguesFound();
    if (found.empty()) return {};
    return "there is no league folder at " + displayPath(host) + "; the game keeps " +
           (found.size() == 1 ? "the league " : "the leagues ") + listed(found) +
           " in leaguedata: name one with --league NAME or the variable VELLOR_LEAGUE.";
}

// A missing folder in place of the file the stop names: the league folder
// or a folder of the game's export. None when no folder is missing.
std::optional<std::string> missingFolder(const Stop& stop, LeagueFolder& league) {
    if (stop.kind() != StopKind::PathNotFound || stop.where().empty()) return std::nullopt;
    std::optional<std::string> missing = league.firstMissingFolder(stop.where());
    if (!missing) return std::nullopt;
    std::string host = league.expectedHostFolder(*missing);
    if (missing->empty()) {
        std::string others = otherLeagues(league, host);
        if (!others.empty()) return others;
        std::string advice = missingLeagueAdvice(league.drive(), host);
        if (!advice.empty() && advice[0] >= 'A' && advice[0] <= 'Z') advice[0] = static_cast<char>(advice[0] - 'A' + 'a');
        return advice;
    }
    return "the folder " + displayPath(host) +
           " is missing: the game's export is incomplete. Export the league's pages again from the game.";
}

// "<Kind>: <file>[, line <n>][: <detail>]" with the file in the host's
// spelling, or the stop's own words.
std::string firstLine(const Stop& stop) {
    if (!stop.explanation().empty() || stop.where().empty()) return codePageToUtf8(stop.message());
    std::string line = std::string(stopKindText(stop.kind())) + ": " + codePageToUtf8(displayLeagueFile(stop.where()));
    if (stop.line() > 0) line += ", line " + std::to_string(stop.line());
    if (!stop.detail().empty()) line += ": " + codePageToUtf8(stop.detail());
    return line;
}

} // namespace

std::string stopReport(const Stop& stop, LeagueFolder& league) {
    std::optional<std::string> folder = missingFolder(stop, league);
    std::string report = folder ? std::string(stopKindText(stop.kind())) + ": " + *folder : firstLine(stop);
    if (!stop.note().empty()) report += "\n" + stop.note();
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
