// The window of the runs without one: it keeps the texts, and prints the
// score list's lines as they are added, or drops them.
#pragma once

#include "app/window_port.h"
#include "text/code_page.h"

#include <map>
#include <ostream>
#include <string>

namespace vr {

class HeadlessWindow final : public WindowPort {
public:
    // Score lines go to `out`, in UTF-8; with none they are dropped.
    explicit HeadlessWindow(std::ostream* out) : out_(out) {}
    std::string text(TextBox box) const override {
        auto it = texts_.find(box);
        return it == texts_.end() ? std::string() : it->second;
    }
    void setText(TextBox box, std::string_view bytes) override { texts_[box] = std::string(bytes); }
    void addScore(std::string_view bytes) override {
        if (!out_) return;
        *out_ << codePageToUtf8(bytes) << '\n';
        out_->flush();
    }
    void setGoColour(GoColour) override {}
    void beep() override {}

private:
    std::ostream* out_;
    std::map<TextBox, std::string> texts_;
};

} // namespace vr
