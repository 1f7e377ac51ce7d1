// The window's message boxes, titled with the program's name.
#pragma once

#include <windows.h>

#include <string>

namespace vr::win32 {

enum class MessageIcon { Warning, Error, Information };

// `utf8` is the message as the core composes it. Blocks until the user has
// closed the box.
void showMessageBox(HWND owner, MessageIcon icon, const std::string& utf8);

} // namespace vr::win32
