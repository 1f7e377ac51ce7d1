#include "app/qt/send_dialog.h"


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
    std::string problem;
    fill(loadForm(configFolder_, problem));
    // A profile that cannot be read: the fields start empty, OK writes a
    // new one, and the reason shows first.
    answer_->setPlainText(q(problem));
    protocolChanged();
}

SendDialog::~SendDialog() {
    // The check still running: it ends at its own time-outs; its answer,
    // queued to this dialog, is dropped with it.
    if (testing_) {
        testing_->wait();
        delete testing_;
    }
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
    browse_ = new QPushButton(tr("&Browse…"));
    browse_->setAccessibleName(tr("Browse for the private key file"));
    auto* keyRow = new QHBoxLayout;
    keyRow->addWidget(key_);
    keyRow->addWidget(browse_);
    auto* keyLabel = new QLabel(tr("&Key file:"));
    keyLabel->setBuddy(key_);
    siteForm->addRow(keyLabel, keyRow);
    hostKey_ = field(siteForm, tr("&Host key:"), tr("Server's host key fingerprint (SFTP)"));
    hostKey_->setPlaceholderText("SHA256:…");
    ca_ = field(siteForm, tr("&Certificate authority:"), tr("Certificate authority file (optional)"));
    web_ = field(siteForm, tr("Web &address:"), tr("Web address of the html folder (optional)"));
    web_->setPlaceholderText("https://league.example.org/league/");

    auto* discord = new QGroupBox(tr("Discord"));
    auto* discordForm = new QFormLayout(discord);
    webhook_ = secretField(discordForm, tr("W&ebhook:"), tr("Discord webhook"));
    discordCa_ = field(discordForm, tr("Ce&rtificate authority:"), tr("Discord certificate authority file (optional)"));

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
    connect(browse_, &QPushButton::clicked, this, [this] {
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

void SendDialog::fill(const SendForm& form) {
    protocol_->setCurrentIndex(std::max(0, protocol_->findData(q(form.site.protocol))));
    server_->setText(q(form.site.server));
    port_->setText(q(form.site.port));
    folder_->setText(q(form.site.folder));
    user_->setText(q(form.user));
    password_->setText(q(form.password));
    key_->setText(q(form.key));
    hostKey_->setText(q(form.hostKey));
    ca_->setText(q(form.ca));
    web_->setText(q(form.web));
    webhook_->setText(q(form.webhook));
    discordCa_->setText(q(form.discordCa));
}

// Only the fields the protocol uses can be typed in.
void SendDialog::protocolChanged() {
    const QString p = protocol_->currentData().toString();
    const bool remote = p == "sftp" || p == "ftps" || p == "ftp";
    for (QLineEdit* e : {server_, port_, user_, password_}) e->setEnabled(remote);
    folder_->setEnabled(!p.isEmpty());
    web_->setEnabled(!p.isEmpty());
    key_->setEnabled(p == "sftp");
    browse_->setEnabled(p == "sftp");
    hostKey_->setEnabled(p == "sftp");
    ca_->setEnabled(p == "ftps");
}

SendForm SendDialog::form() const {
    SendForm form;
    form.site.protocol = protocol_->currentData().toString().toStdString();
    form.site.server = s(server_);
    form.site.port = s(port_);
    form.site.folder = s(folder_);
    form.user = s(user_);
    form.password = password_->text().toStdString();
    form.key = s(key_);
    form.hostKey = s(hostKey_);
    form.ca = s(ca_);
    form.web = s(web_);
    form.webhook = s(webhook_);
    form.discordCa = s(discordCa_);
    return form;
}

void SendDialog::accept() {
    const std::string problem = saveForm(configFolder_, form());
    if (!problem.empty()) {
        answer_->setPlainText(q(problem));
        return;
    }
    QDialog::accept();
}

// The checks reach the network: they run beside the dialog, which stays
// responsive, and report back on its thread.
void SendDialog::test() {
    if (testing_) return;
    testButton_->setEnabled(false);
    pin_->hide();
    answer_->setPlainText(tr("Testing…"));
    testing_ = QThread::create([this, f = form(), checks = checks_] {
        std::string fingerprint;
        const std::string said = testForm(f, checks, fingerprint);
        QMetaObject::invokeMethod(
            this, [this, said, fingerprint] { tested(q(said), q(fingerprint)); }, Qt::QueuedConnection);
    });
    // Deleted here, on the dialog's thread, once it has ended: a deferred
    // delete could run before the dialog forgot the pointer, and its
    // destructor would then wait on a deleted thread.
    connect(testing_, &QThread::finished, this, [this] {
        testing_->wait();
        delete testing_;
        testing_ = nullptr;
    });
    testing_->start();
}

void SendDialog::tested(const QString& said, const QString& fingerprint) {
    answer_->setPlainText(said);
    testButton_->setEnabled(true);
    fingerprint_ = fingerprint;
    pin_->setVisible(!fingerprint.isEmpty());
}

} // namespace vr
