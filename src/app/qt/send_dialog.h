// "Sending…": the sending profile (publish.ini) set up in a dialog. OK
// writes the profile whole (owner-only, secrets as the host keeps them);
// Cancel changes nothing. "Test" reaches each destination without sending.
#pragma once

#include "app/send_settings.h"

#include <QDialog>

#include <functional>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QThread;

namespace vr {

class SendDialog final : public QDialog {
    Q_OBJECT

public:
    // `configFolder`: where publish.ini lies (read now, written on OK).
    explicit SendDialog(std::string configFolder, QWidget* parent = nullptr, SendChecks checks = SendChecks());
    ~SendDialog() override;

    // The fields as they stand.
    SendForm form() const;

    void accept() override;

private:
    void build();
    void fill(const SendForm& form);
    void protocolChanged();
    void test();
    void tested(const QString& said, const QString& fingerprint);

    std::string configFolder_;
    SendChecks checks_;
    QThread* testing_ = nullptr;

    QComboBox* protocol_ = nullptr;
    QLineEdit* server_ = nullptr;
    QLineEdit* port_ = nullptr;
    QLineEdit* folder_ = nullptr;
    QLineEdit* user_ = nullptr;
    QLineEdit* password_ = nullptr;
    QLineEdit* key_ = nullptr;
    QLineEdit* hostKey_ = nullptr;
    QLineEdit* ca_ = nullptr;
    QLineEdit* web_ = nullptr;
    QLineEdit* webhook_ = nullptr;
    QLineEdit* discordCa_ = nullptr;
    QPushButton* browse_ = nullptr;
    QPushButton* testButton_ = nullptr;
    QPushButton* pin_ = nullptr;
    QPlainTextEdit* answer_ = nullptr;
    QString fingerprint_;
};

} // namespace vr
