#include "app/qt/send_dialog.h"

#include "app/send_settings.h"
#include "send/send_error.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

namespace vr {
namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }
std::string s(const QLineEdit* e) { return e->text().trimmed().toStdString(); }

QLineEdit* field(QFormLayout* form, const QString& label, const QString& accessible) {
    auto* edit = new QLineEdit;
    edit->setAccessibleName(accessible);
    form->addRow(label, edit);
    return edit;
}

QLineEdit* secretField(QFormLayout* form, const QString& label, const QString& accessible) {
    QLineEdit* edit = field(form, label, accessible);
    // Shown as dots, and never copied out.
    edit->setEchoMode(QLineEdit::Password);
    return edit;
}

} // namespace

SendDialog::SendDialog(std::string configFolder, QWidget* parent, SendChecks checks)
    : QDialog(parent), configFolder_(std::move(configFolder)), checks_(std::move(checks)) {
    setWindowTitle(tr("Sending"));
    build();
    try {
        if (std::optional<SendProfile> profile = loadProfile(configFolder_)) fill(*profile);
    } catch (const SendError& e) {
        // A profile that cannot be read: the fields start empty and OK
        // writes a new one; the reason is shown first.
        answer_->setPlainText(QString::fromUtf8(e.what()));
    }
    protocolChanged();
}

SendDialog::~SendDialog() {
    if (testing_) testing_->wait();
}

void SendDialog::build() {
    auto* site = new QGroupBox(tr("Website"));
    auto* siteForm = new QFormLayout(site);
    protocol_ = new QComboBox;
    protocol_->addItem(tr("SFTP"), "sftp");
    protocol_->addItem(tr("FTPS (explicit TLS)"), "ftps");
    protocol_->addItem(tr("FTP (password unencrypted)"), "ftp");
    protocol_->addItem(tr("A folder of this computer"), "file");
    protocol_->addItem(tr("None"), "");
    protocol_->setAccessibleName(tr("Protocol"));
    siteForm->addRow(tr("&Protocol:"), protocol_);
    server_ = field(siteForm, tr("&Server:"), tr("Server"));
    port_ = field(siteForm, tr("P&ort:"), tr("Port (empty: the protocol's own)"));
    port_->setInputMask(QString());
    port_->setMaxLength(5);
    folder_ = field(siteForm, tr("Remote &folder:"), tr("Remote folder"));
    user_ = field(siteForm, tr("&User:"), tr("User"));
    password_ = secretField(siteForm, tr("Pass&word:"), tr("Password"));
    key_ = new QLineEdit;
    key_->setAccessibleName(tr("Private key file (SFTP)"));
    auto* browse = new QPushButton(tr("&Browse…"));
    browse->setAccessibleName(tr("Browse for the private key file"));
    auto* keyRow = new QHBoxLayout;
    keyRow->addWidget(key_);
    keyRow->addWidget(browse);
    auto* keyLabel = new QLabel(tr("&Key file:"));
    keyLabel->setBuddy(key_);
    siteForm->addRow(keyLabel, keyRow);
    hostKey_ = field(siteForm, tr("&Host key:"), tr("Server's host key fingerprint (SFTP)"));
    hostKey_->setPlaceholderText("SHA256:…");
    ca_ = field(siteForm, tr("&Certificate authority:"), tr("Certificate authority file (optional)"));
    web_ = field(siteForm, tr("&Web address:"), tr("Web address of the html folder (optional)"));
    web_->setPlaceholderText("https://league.example.org/league/");

    auto* discord = new QGroupBox(tr("Discord"));
    auto* discordForm = new QFormLayout(discord);
    webhook_ = secretField(discordForm, tr("Web&hook:"), tr("Discord webhook"));
    discordCa_ = field(discordForm, tr("Certificate a&uthority:"), tr("Discord certificate authority file (optional)"));

    answer_ = new QPlainTextEdit;
    answer_->setReadOnly(true);
    answer_->setAccessibleName(tr("Test result"));
    answer_->setMaximumBlockCount(50);
    answer_->setFixedHeight(answer_->fontMetrics().lineSpacing() * 6 + 12);
    pin_ = new QPushButton(tr("P&in this key"));
    pin_->setAccessibleName(tr("Pin the server's host key"));
    pin_->hide();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    testButton_ = buttons->addButton(tr("&Test"), QDialogButtonBox::ActionRole);
    testButton_->setAccessibleName(tr("Test the connections"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(site);
    layout->addWidget(discord);
    layout->addWidget(answer_);
    layout->addWidget(pin_, 0, Qt::AlignLeft);
    layout->addWidget(buttons);
    setMinimumWidth(fontMetrics().averageCharWidth() * 70);

    connect(protocol_, &QComboBox::currentIndexChanged, this, &SendDialog::protocolChanged);
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString file = QFileDialog::getOpenFileName(this, tr("Private key file"), key_->text());
        if (!file.isEmpty()) key_->setText(file);
    });
    connect(pin_, &QPushButton::clicked, this, [this] {
        hostKey_->setText(fingerprint_);
        pin_->hide();
        answer_->appendPlainText(tr("Pinned: OK keeps it."));
    });
    connect(testButton_, &QPushButton::clicked, this, &SendDialog::test);
    connect(buttons, &QDialogButtonBox::accepted, this, &SendDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SendDialog::reject);
}

void SendDialog::fill(const SendProfile& profile) {
    if (profile.site) {
        const SiteParts parts = siteParts(profile.site->address);
        protocol_->setCurrentIndex(std::max(0, protocol_->findData(q(parts.protocol))));
        server_->setText(q(parts.server));
        port_->setText(q(parts.port));
        folder_->setText(q(parts.folder));
        user_->setText(q(profile.site->user));
        password_->setText(q(profile.site->password));
        key_->setText(q(profile.site->key));
        hostKey_->setText(q(profile.site->hostKey));
        ca_->setText(q(profile.site->ca));
        web_->setText(q(profile.site->web));
    } else {
        protocol_->setCurrentIndex(protocol_->findData(QString()));
    }
    if (profile.discord) {
        webhook_->setText(q(profile.discord->webhook));
        discordCa_->setText(q(profile.discord->ca));
    }
}

// Only the fields the protocol uses can be typed in.
void SendDialog::protocolChanged() {
    const QString p = protocol_->currentData().toString();
    const bool remote = p == "sftp" || p == "ftps" || p == "ftp";
    for (QLineEdit* e : {server_, port_, user_, password_}) e->setEnabled(remote);
    folder_->setEnabled(!p.isEmpty());
    web_->setEnabled(!p.isEmpty());
    key_->setEnabled(p == "sftp");
    hostKey_->setEnabled(p == "sftp");
    ca_->setEnabled(p == "ftps");
}

SendProfile SendDialog::profile() const {
    SendProfile profile;
    SiteParts parts;
    parts.protocol = protocol_->currentData().toString().toStdString();
    parts.server = s(server_);
    parts.port = s(port_);
    parts.folder = s(folder_);
    if (!parts.protocol.empty()) {
        const bool sftp = parts.protocol == "sftp", file = parts.protocol == "file";
        SiteProfile site;
        site.address = siteAddress(parts);
        if (!file) site.user = s(user_);
        if (!file) site.password = password_->text().toStdString();
        if (sftp) site.key = s(key_);
        if (sftp) site.hostKey = s(hostKey_);
        if (parts.protocol == "ftps") site.ca = s(ca_);
        site.web = s(web_);
        if (!site.address.empty()) profile.site = site;
    }
    if (!s(webhook_).empty()) profile.discord = DiscordProfile{s(webhook_), s(discordCa_)};
    return profile;
}

void SendDialog::accept() {
    try {
        const SendProfile p = profile();
        // What the program would refuse at its next run is refused now.
        parseProfile(profileText(p));
        saveProfile(configFolder_, p);
    } catch (const SendError& e) {
        answer_->setPlainText(tr("Not saved: ") + QString::fromUtf8(e.what()));
        return;
    }
    QDialog::accept();
}

// The checks reach the network: they run beside the dialog, which stays
// responsive, and report back on its thread.
void SendDialog::test() {
    if (testing_) return;
    const SendProfile p = profile();
    if (!p.site && !p.discord) {
        answer_->setPlainText(tr("Nothing to test: no website and no webhook."));
        return;
    }
    testButton_->setEnabled(false);
    pin_->hide();
    answer_->setPlainText(tr("Testing…"));
    SendChecks checks = checks_;
    testing_ = QThread::create([this, p, checks] {
        QString said, fingerprint;
        if (p.site) {
            const CheckAnswer a = checks.site(*p.site);
            said += QString::fromStdString(a.said);
            fingerprint = QString::fromStdString(a.fingerprint);
        }
        if (p.discord) {
            if (!said.isEmpty()) said += "\n";
            said += "Discord: " + QString::fromStdString(checks.webhook(*p.discord).said);
        }
        QMetaObject::invokeMethod(this, [this, said, fingerprint] { tested(said, fingerprint); }, Qt::QueuedConnection);
    });
    connect(testing_, &QThread::finished, testing_, &QObject::deleteLater);
    connect(testing_, &QThread::finished, this, [this] { testing_ = nullptr; });
    testing_->start();
}

void SendDialog::tested(const QString& said, const QString& fingerprint) {
    answer_->setPlainText(said);
    testButton_->setEnabled(true);
    fingerprint_ = fingerprint;
    if (!fingerprint.isEmpty()) {
        answer_->appendPlainText(tr("The server's key is %1. If it is the server's (ask its keeper), pin it.")
                                     .arg(fingerprint));
        pin_->show();
    }
}

} // namespace vr
