// What the run sequences need of the window. The Qt window, the headless
// run and the tests implement it. Texts are Windows-1252 bytes.
#pragma once

#include <string>
#include <string_view>

namespace vr {

enum class TextBox { LastDay, DaysSimmed, Website, Message };
enum class GoColour { Green, Red };

class WindowPort {
public:
    virtual ~WindowPort() = default;
    virtual std::string text(TextBox box) const = 0;
    virtual void setText(TextBox box, std::string_view bytes) = 0;
    // Adds a line at the end of the score list.
    virtual void addScore(std::string_view bytes) = 0;
    // Red shows at once: the window repaints before the run goes on.
    virtual void setGoColour(GoColour colour) = 0;
    virtual void beep() = 0;
};

// The name of a text box as messages give it.
const char* textBoxName(TextBox box);

} // namespace vr
