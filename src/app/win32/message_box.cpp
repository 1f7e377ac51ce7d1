#include "app/win32/message_box.h"

#include "app/win32/wide_text.h"
#include "app/window_layout.h"

namespace vr::win32 {

void showMessageBox(HWND owner, MessageIcon icon, const std::string& utf8) {
    const std::wstring text = utf8ToWide(utf8);
    const std::wstring title = toWide(layout::kCaption);
    const UINT style = MB_OK | (icon == MessageIcon::Warning ? MB_ICONWARNING : icon == MessageIcon::Information ? MB_ICONINFORMATION : MB_ICONERROR) |
                       (owner ? MB_APPLMODAL : MB_TASKMODAL | MB_SETFOREGROUND);
    MessageBoxW(owner, text.c_str(), title.c_str(), style);
}

} // namespace vr::win32
