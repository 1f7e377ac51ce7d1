// vellor-results: the window, or with options the headless run (which needs
// no display and starts no GUI at all).
#include "app/headless.h"
#include "host/end_signals.h"
#include "host/heap.h"
#include "league/league_folder.h"
#include "app/qt/window_main.h"

#include <iostream>

int main(int argc, char** argv) {
    vr::prepareHeap();
    if (argc > 1) {
        std::vector<std::string> args(argv + 1, argv + argc);
        // A signal asks a run to end where it may (text/end_request.h); a
        // closed standard output ends nothing and is told at the end.
        vr::catchEndSignals();
        return vr::runHeadless(args, std::cout, std::cerr, vr::hostFileSystem(),
                               vr::leaguePlaceFromEnvironment());
    }
    return vr::runWindow(argc, argv);
}
