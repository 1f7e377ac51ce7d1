#pragma once

namespace vr {

// Opens the window on the league (window load first), runs until it closes.
int runWindow(int argc, char** argv);

} // namespace vr
