// The window of the runs without one: it keeps the texts, and keeps the
// score list's lines (UTF-8) for the run to print once it has gone through,
// so that a stopped run's log shows no list of scores it did not publish;
// or drops them.
#pragma once

#include "app/window_port.h"
#include "text/code_page.h"

#include <map>
#include <string>
#include <vector>

namespace vr {

class HeadlessWindow final : public WindowPort {
public:
    explicit HeadlessWindow(bool keepScores) : keepScores_(keepScores) {}
    std::string text(TextBox box) const override {
        auto it = texts_.find(box);
        return it == texts_.end() ? std::string() : it->second;
    }
    void setText(TextBox box, std::string_view bytes) override { texts_[box] = std::string(bytes); }
    void addScore(std::string_view bytes) override {
        if (keepScores_) scores_.push_back(codePageToUtf8(bytes));
    }
    const std::vector<std::string>& scores() const { return scores_; }
    void setGoColour(GoColour) override {}
    void beep() override {}

private:
    bool keepScores_;
    std::vector<std::string> scores_;
    std::map<TextBox, std::string> texts_;
};

} // namespace vr
