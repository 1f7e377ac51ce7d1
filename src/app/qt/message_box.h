// The window's message boxes, behind a replaceable function so tests can
// answer and record them instead of waiting on a modal box.
#pragma once

#include <QString>

class QWidget;

namespace vr {

enum class MessageIcon { Warning, Critical, Information };

using MessageFunction = void (*)(QWidget* parent, MessageIcon icon, const QString& text);

// Shows a modal box titled "Vellor Results" and returns when it is closed.
void showMessageBox(QWidget* parent, MessageIcon icon, const QString& text);

// What the window calls; showMessageBox unless a test put its own in.
extern MessageFunction showMessage;

} // namespace vr
