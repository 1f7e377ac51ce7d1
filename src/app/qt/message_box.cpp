#include "app/qt/message_box.h"

#include <QMessageBox>

namespace vr {

void showMessageBox(QWidget* parent, MessageIcon icon, const QString& text) {
    const QString title = QStringLiteral("Vellor Results");
    if (icon == MessageIcon::Warning)
        QMessageBox::warning(parent, title, text);
    else if (icon == MessageIcon::Information)
        QMessageBox::information(parent, title, text);
    else
        QMessageBox::critical(parent, title, text);
}

MessageFunction showMessage = &showMessageBox;

} // namespace vr
