// Stops: the named errors that end a handler. Every failing file or text
// operation throws a Stop; the window (or the headless run) shows its message.
#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace vr {

enum class StopKind {
    FileNotFound,
    PathNotFound,
    EndOfFile,
    SubscriptOutOfRange,
    InvalidArgument,
    TypeMismatch,
    PermissionDenied,
    DeviceIOError,
    OutOfMemory,
};

// The kind's text as the user sees it, e.g. "File not found".
std::string_view stopKindText(StopKind kind);

class Stop : public std::exception {
public:
    explicit Stop(StopKind kind) : kind_(kind) { compose(); }
    Stop(StopKind kind, std::string where, long line = 0)
        : kind_(kind), where_(std::move(where)), line_(line) { compose(); }

    StopKind kind() const { return kind_; }
    const std::string& where() const { return where_; }
    long line() const { return line_; }

    // Fills in the place of the failure when the code that raised the stop
    // did not know it (a cut knows no file); an existing place is kept.
    Stop& locate(std::string_view where, long line = 0);

    // Lines the user reads after the message, on what the stop left; empty
    // when it left every publication as it was.
    const std::string& left() const { return left_; }
    Stop& setLeft(std::string left) {
        left_ = std::move(left);
        return *this;
    }

    // "<Kind>: <where>[, line <n>][: <detail>]", or the kind alone; with an
    // explanation, "<Kind>: <explanation>".
    const std::string& message() const { return message_; }

    // What was expected at the place and what stands there ("the result
    // '94 100' has no '-' between the two scores"), after the place
    // (Windows-1252 bytes, as the texts it quotes). The first one given is
    // kept: the step nearest the failure knows it best.
    const std::string& detail() const { return detail_; }
    Stop& describe(std::string detail) {
        if (detail_.empty()) {
            detail_ = std::move(detail);
            compose();
        }
        return *this;
    }

    // What is wrong and what to do, in the user's words, in place of the
    // place after the kind (Windows-1252 bytes, as the texts it quotes).
    const std::string& explanation() const { return explanation_; }
    Stop& explain(std::string text) {
        explanation_ = std::move(text);
        compose();
        return *this;
    }

    // What the host knows of the cause, for the user, below the message
    // (UTF-8; empty when nothing): another program holding the file open.
    const std::string& note() const { return note_; }
    Stop& withNote(std::string note) {
        note_ = std::move(note);
        return *this;
    }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    void compose();

    StopKind kind_;
    std::string where_;
    long line_ = 0;
    std::string message_;
    std::string explanation_;
    std::string detail_;
    std::string note_;
    std::string left_;
};

// Runs f; a Stop escaping it without a place gets (where, line).
template <class F>
decltype(auto) at(std::string_view where, long line, F&& f) {
    try {
        return f();
    } catch (Stop& s) {
        s.locate(where, line);
        throw;
    }
}

// Runs f; a Stop of `kind` escaping it gets detail() (made only then) when
// it has none. Stops of other kinds (a failing disk, a line too long to
// read) pass as they are: the detail says what a cut or a read expected.
template <class F, class D>
decltype(auto) describing(StopKind kind, D&& detail, F&& f) {
    try {
        return f();
    } catch (Stop& s) {
        if (s.kind() == kind && s.detail().empty()) s.describe(detail());
        throw;
    }
}

} // namespace vr
