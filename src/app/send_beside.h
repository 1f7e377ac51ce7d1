// Sending beside a window: after a GO! that published, the send runs on a
// thread of its own so that the window stays responsive, and the window's
// status line says what GO! did and what the send does. Both windows (Qt
// and Win32) use this one class; each only draws the line and posts a
// wake-up to its own thread.
#pragma once

#include "app/window_port.h"
#include "league/league_folder.h"
#include "results/league_state.h"
#include "results/period.h"
#include "send/send_run.h"

#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace vr {

// The window's status line: one line, and the whole text a click shows.
struct StatusLine {
    std::string text;  // UTF-8, one line; empty: no line shows
    std::string whole; // UTF-8, every line of a failure; empty: nothing to show
    bool failure = false; // drawn in red
};

// "Published 36 games · 11/18/2009–11/20/2009": the games the day table
// holds for the period and the dates of its first and last days.
std::string publishedLine(const LeagueState& state, const Period& period);

// What a finished send says, `atTime` its local time ("18:42").
StatusLine finishedLine(const SendOutcome& outcome, const std::string& atTime);

// True when the user has a sending profile: without one the window shows
// no status line and is as it always was.
bool hasSendProfile(const SendRequest& request);

class SendBeside {
public:
    // The seam to the sending (sendDue in the program, a fake in tests).
    using Sender = std::function<SendOutcome(const SendRequest&)>;
    // Called on the sending thread whenever line() changed: the window posts
    // itself a message and reads line() on its own thread.
    using Wake = std::function<void()>;
    // The local time of day, "18:42".
    using Clock = std::function<std::string()>;

    SendBeside(Sender sender, Wake wake, Clock clock = {});
    // Stops a send at its next safe point and waits for it.
    ~SendBeside();
    SendBeside(const SendBeside&) = delete;
    SendBeside& operator=(const SendBeside&) = delete;

    // Asks a running send to stop between two files (GO! pressed, the
    // window closing); returns at once.
    void requestStop();
    // requestStop(), then waits for the send's thread to end.
    void stopAndWait();
    // After a GO! that published: shows `published` and starts sending
    // `request`, once an earlier send has stopped. Without a profile it
    // shows nothing and sends nothing.
    void start(const std::string& published, SendRequest request);
    // start() for a window's GO! that just published: the period's line
    // from the window's texts, the send of what is due.
    void startAfterGo(LeagueFolder& league, const LeagueState& state, const WindowPort& window);

    StatusLine line() const;
    bool sending() const;

private:
    void run(SendRequest request);
    void setLine(StatusLine line);

    Sender sender_;
    Wake wake_;
    Clock clock_;
    mutable std::mutex mutex_;
    StatusLine line_;
    bool stop_ = false;
    bool sending_ = false;
    std::thread thread_;
};

} // namespace vr
