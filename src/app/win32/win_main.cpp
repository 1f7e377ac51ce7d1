// vellor-results.exe: the window, or with options the headless run. A
// window program gets the standard handles its caller gave it (a pipe, a
// file, Task Scheduler's redirection); started from a console prompt it
// writes to that console, but the prompt does not wait for it:
// vellor-results-cli.exe is the one to run there.
#include "app/headless.h"
#include "host/end_signals.h"
#include "app/last_league.h"
#include "app/win32/main_window.h"
#include "app/win32/wide_text.h"
#include "host/windows_console.h"
#include "league/league_folder.h"
#include "text/file_system.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    if (__argc > 1) {
        vr::prepareStandardStreams();
        std::vector<std::string> args;
        for (int i = 1; i < __argc; ++i) args.push_back(vr::win32::wideToUtf8(__wargv[i]));
        // A signal asks a run to end where it may (text/end_request.h); a
        // closed standard output ends nothing and is told at the end.
        vr::catchEndSignals();
        return vr::runHeadless(args, std::cout, std::cerr, vr::hostFileSystem(),
                               vr::leaguePlaceFromEnvironment());
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    vr::LeagueFolder league(vr::hostFileSystem(), vr::windowPlace(vr::hostFileSystem()));
    const int status = vr::win32::runWindowOn(league, showCommand);
    vr::rememberWindowLeague(league);
    // The league's tables are left to the system, which takes a process's
    // memory back at once.
    std::exit(status);
}
