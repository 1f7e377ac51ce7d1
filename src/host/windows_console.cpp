#include "host/windows_console.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>

namespace vr {
namespace {

UINT consoleCodePage = 0;

void putTheCodePageBack() {
    if (consoleCodePage) SetConsoleOutputCP(consoleCodePage);
}

bool missing(DWORD which) {
    HANDLE h = GetStdHandle(which);
    return h == nullptr || h == INVALID_HANDLE_VALUE || GetFileType(h) == FILE_TYPE_UNKNOWN;
}

HANDLE handleOf(std::FILE* stream) { return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream))); }

bool isConsole(DWORD which) {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(which), &mode) != 0;
}

} // namespace

void prepareStandardStreams() {
    const bool noOut = missing(STD_OUTPUT_HANDLE), noErr = missing(STD_ERROR_HANDLE);
    // The prompt does not wait for a window program; its lines still reach
    // the console the commissioner typed in.
    if ((noOut || noErr) && AttachConsole(ATTACH_PARENT_PROCESS)) {
        if (noOut && std::freopen("CONOUT$", "w", stdout)) SetStdHandle(STD_OUTPUT_HANDLE, handleOf(stdout));
        if (noErr && std::freopen("CONOUT$", "w", stderr)) SetStdHandle(STD_ERROR_HANDLE, handleOf(stderr));
    }
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    if (isConsole(STD_OUTPUT_HANDLE) || isConsole(STD_ERROR_HANDLE)) {
        const UINT was = GetConsoleOutputCP();
        if (was != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) {
            consoleCodePage = was;
            std::atexit(putTheCodePageBack);
        }
    }
}

} // namespace vr
