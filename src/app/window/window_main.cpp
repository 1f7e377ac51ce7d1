// Placeholder until the window lands.
#include "app/window/window_main.h"

#include <iostream>

namespace vr {

int runWindow(int, char**) {
    std::cerr << "vellor-results: the window is not built yet; use --run\n";
    return 2;
}

} // namespace vr
