// "Sending…" on Windows: the sending profile in an ordinary modal dialog,
// over the same form as the Qt window's (app/send_settings.h). OK writes
// publish.ini whole, its secrets encrypted for the user; Cancel changes
// nothing; Test runs beside the dialog, which stays responsive.
#pragma once

#include "app/send_settings.h"

#include <windows.h>

namespace vr::win32 {

// Control IDs, for the tests that drive the dialog by its messages.
enum SendDialogId : int {
    kProtocolId = 200, kServerId, kPortId, kFolderId, kUserId, kPasswordId, kKeyId, kHostKeyId, kCaId, kWebId,
    kWebhookId, kDiscordCaId, kAnswerId, kTestId, kPinId, kBrowseId,
};

// Shows the dialog over `owner` until OK or Cancel; true after OK.
bool showSendDialog(HWND owner, const SendChecks& checks = SendChecks());

} // namespace vr::win32
