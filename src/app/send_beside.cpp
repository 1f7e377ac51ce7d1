#include "app/send_beside.h"

#include "app/period_check.h"
#include "app/send_after_go.h"

#include "text/code_page.h"
#include "text/cuts.h"
#include "text/file_system.h"
#include "text/numbers.h"

#include <algorithm>
#include <ctime>

namespace vr {
namespace {

// "ftps://league.example.org:990/x" -> "league.example.org:990"; a folder
// (file:///srv/league) is named by its path.
std::string placeOf(const std::string& shown) {
    const std::size_t scheme = shown.find("://");
    if (scheme == std::string::npos) return shown;
    const std::string rest = shown.substr(scheme + 3);
    const std::size_t slash = rest.find('/');
    // file:///C:/league names a Windows drive's folder.
    if (slash == 0) return rest.size() > 2 && rest[2] == ':' ? rest.substr(1) : rest;
    return rest.substr(0, slash);
}

std::string dateOf(const LeagueState& state, long day) {
    return codePageToUtf8(trimSpaces(state.games.at(day, 1).gameDate()));
}

std::string oneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

std::string localHourMinute() {
    const std::time_t t = std::time(nullptr);
    char text[16];
    // Only the sending thread asks, one send at a time.
    const std::tm* local = std::localtime(&t);
    const std::size_t n = local ? std::strftime(text, sizeof text, "%H:%M", local) : 0;
    return std::string(text, n);
}

} // namespace

std::string publishedLine(const LeagueState& state, const Period& period) {
    const long first = std::max({period.firstDay(), static_cast<long>(state.days.firstDay.value_or(0)), 0L});
    const long last = std::min(period.lastDay, static_cast<long>(GameTable::kLastDay));
    long games = 0;
    std::string firstDate, lastDate;
    for (long d = first; d <= last; ++d) {
        const long n = state.days.games(d);
        games += n;
        if (n == 0) continue;
        const std::string date = dateOf(state, d);
        if (firstDate.empty()) firstDate = date;
        if (!date.empty()) lastDate = date;
    }
    std::string line = "Published " + plainDigits(games) + (games == 1 ? " game" : " games");
    if (!firstDate.empty()) {
        line += " \u00b7 " + firstDate;
        if (lastDate != firstDate) line += "\u2013" + lastDate;
    }
    return line;
}

StatusLine finishedLine(const SendOutcome& outcome, const std::string& atTime) {
    StatusLine line;
    if (outcome.failed()) {
        line.failure = true;
        line.text = oneLine(outcome.failures.front());
        for (const std::string& l : outcome.lines) line.whole += l + "\n";
        for (const std::string& l : outcome.failures) line.whole += (line.whole.empty() ? "" : "\n") + l;
        return line;
    }
    line.text = outcome.siteShown.empty() ? "Sent at " + atTime : "Sent to " + placeOf(outcome.siteShown) + " at " + atTime;
    if (outcome.discordMessages > 0)
        line.text += " \u00b7 Discord: " + plainDigits(static_cast<long>(outcome.discordMessages)) +
                     (outcome.discordMessages == 1 ? " message" : " messages");
    for (const std::string& l : outcome.lines) line.whole += (line.whole.empty() ? "" : "\n") + l;
    return line;
}

bool hasSendProfile(const SendRequest& request) {
    return !request.configFolder.empty() &&
           hostFileSystem().kind(request.configFolder + "/publish.ini") == EntryKind::File;
}

SendBeside::SendBeside(Sender sender, Wake wake, Clock clock)
    : sender_(std::move(sender)), wake_(std::move(wake)), clock_(clock ? std::move(clock) : localHourMinute) {}

SendBeside::~SendBeside() { stopAndWait(); }

void SendBeside::requestStop() {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
}

void SendBeside::stopAndWait() {
    requestStop();
    if (thread_.joinable()) thread_.join();
}

void SendBeside::start(const std::string& published, SendRequest request) {
    // One send at a time: an earlier one stops between two files first,
    // and what it left is due again in this one.
    stopAndWait();
    const bool profile = hasSendProfile(request);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = false;
        sending_ = profile;
        line_ = profile ? StatusLine{published, "", false} : StatusLine{};
    }
    // On a thread of its own so that the window keeps answering while the
    // network works: not a speed-up but what the window needs. Check
    // desktop.window_sending_under_x, a season's first send of 6,381 files:
    // typing works mid-send and Exit closes the window in 148 ms.
    if (profile) thread_ = std::thread([this, request = std::move(request)]() mutable { run(std::move(request)); });
}

void SendBeside::startAfterGo(LeagueFolder& league, const LeagueState& state, const WindowPort& window) {
    std::string published;
    try {
        published = publishedLine(state, checkPeriod(window.text(TextBox::LastDay), window.text(TextBox::DaysSimmed),
                                                     state.days));
    } catch (const Stop&) {
        // The texts just published cannot be refused now; the line waits for the send.
    }
    start(published, sendRequestFor(league, std::nullopt, nullptr));
}

void SendBeside::run(SendRequest request) {
    request.onFiles = [this](std::size_t done, std::size_t due) {
        setLine({"Sending " + plainDigits(static_cast<long>(done)) + " of " + plainDigits(static_cast<long>(due)) +
                     " files\u2026",
                 "", false});
    };
    request.stopRequested = [this] {
        std::lock_guard<std::mutex> lock(mutex_);
        return stop_;
    };
    const SendOutcome outcome = sender_(request);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        sending_ = false;
        // A send stopped for a GO! is taken over by that GO!'s own.
        line_ = outcome.stopped ? StatusLine{"Sending stopped: the next GO! sends what is due", "", false}
                                : finishedLine(outcome, clock_());
    }
    wake_();
}

void SendBeside::setLine(StatusLine line) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        line_ = std::move(line);
    }
    wake_();
}

StatusLine SendBeside::line() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return line_;
}

bool SendBeside::sending() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return sending_;
}

} // namespace vr
