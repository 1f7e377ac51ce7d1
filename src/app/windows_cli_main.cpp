// vellor-results-cli.exe: the headless run on Windows, for scripts, batch
// files and Task Scheduler. The arguments arrive as UTF-16 and are passed on
// as UTF-8; the score lines go to the standard output handle as UTF-8 bytes
// with "\n" line ends, exactly as on Linux; a console is told they are UTF-8.
#include "app/headless.h"
#include "host/end_signals.h"
#include "host/windows_console.h"
#include "league/league_folder.h"
#include "text/code_page.h"

#include <iostream>
#include <string>
#include <vector>

int wmain(int argc, wchar_t** argv) {
    vr::prepareStandardStreams();
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        std::wstring_view arg = argv[i];
        args.push_back(vr::utf16ToUtf8(std::u16string(arg.begin(), arg.end())));
    }
    // Without options the window would open: here that is a usage error
    // (status 2, the usage on standard error), as a script needs to hear.
    // A signal asks a run to end where it may (text/end_request.h); a
    // closed standard output ends nothing and is told at the end.
    vr::catchEndSignals();
    int status = vr::runHeadless(args, std::cout, std::cerr, vr::hostFileSystem(),
                                 vr::leaguePlaceFromEnvironment(), nullptr,
                                 {"vellor-results-cli", /*hasWindow=*/false});
    std::cout.flush();
    return status;
}
