// "Sending…": the dialog opened from the window by Ctrl+, writes publish.ini
// whole and the user's alone on OK, changes nothing on Cancel, and "Test"
// answers in the dialog, offering to pin an sftp server's key. Its picture
// goes to VR_BUILD_DIR/screenshots.
#include "app/qt/main_window.h"
#include "app/qt/send_dialog.h"
#include "app/qt/tests/window_test_support.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <sys/stat.h>

using namespace vr;
using namespace vr::windowtest;

class WindowSendDialog : public QObject {
    Q_OBJECT

    QTemporaryDir config_;
    QString ini() const { return config_.path() + "/publish.ini"; }
    QByteArray iniBytes() const {
        QFile f(ini());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static QLineEdit* field(QWidget* dialog, const QString& accessible) {
        for (QLineEdit* e : dialog->findChildren<QLineEdit*>())
            if (e->accessibleName() == accessible) return e;
        return nullptr;
    }
    static QPushButton* button(QWidget* dialog, const QString& text) {
        for (QPushButton* b : dialog->findChildren<QPushButton*>())
            if (b->text().remove('&') == text) return b;
        return nullptr;
    }
    void fillSftp(SendDialog& dialog) {
        auto* protocol = dialog.findChild<QComboBox*>();
        protocol->setCurrentIndex(protocol->findData("sftp"));
        field(&dialog, "Server")->setText("league.example.org");
        field(&dialog, "Remote folder")->setText("/public_html/league");
        field(&dialog, "User")->setText("commish");
        field(&dialog, "Password")->setText("s3cret-word");
        field(&dialog, "Discord webhook")->setText("https://discord.com/api/webhooks/1/tok-abc");
    }

private slots:
    void initTestCase() {
        setUpApplication();
        qputenv("VELLOR_CONFIG_DIR", config_.path().toUtf8());
    }
    void init() { QFile::remove(ini()); }

    void everyFieldIsNamedAndSecretsShowAsDots() {
        SendDialog dialog(config_.path().toStdString());
        for (QLineEdit* e : dialog.findChildren<QLineEdit*>())
            QVERIFY2(!e->accessibleName().isEmpty(), qPrintable(e->objectName()));
        QCOMPARE(field(&dialog, "Password")->echoMode(), QLineEdit::Password);
        QCOMPARE(field(&dialog, "Discord webhook")->echoMode(), QLineEdit::Password);
    }

    // Each mnemonic leads to one control alone; "Browse…" takes the key
    // file only when the protocol uses one.
    void mnemonicsAreDistinctAndBrowseGoesWithTheKeyFile() {
        SendDialog dialog(config_.path().toStdString());
        QStringList texts;
        for (QLabel* l : dialog.findChildren<QLabel*>()) texts << l->text();
        for (QPushButton* b : dialog.findChildren<QPushButton*>()) texts << b->text();
        QSet<QChar> seen;
        for (const QString& t : texts) {
            const qsizetype at = t.indexOf('&');
            if (at < 0 || at + 1 >= t.size()) continue;
            const QChar key = t.at(at + 1).toLower();
            QVERIFY2(!seen.contains(key), qPrintable(t));
            seen.insert(key);
        }
        QPushButton* browse = button(&dialog, "Browse…");
        QVERIFY(browse && (browse->focusPolicy() & Qt::TabFocus));
        auto* protocol = dialog.findChild<QComboBox*>();
        protocol->setCurrentIndex(protocol->findData("sftp"));
        QVERIFY(browse->isEnabled());
        protocol->setCurrentIndex(protocol->findData("ftps"));
        QVERIFY(!browse->isEnabled());
    }

    void okWritesTheProfileWholeAndOwnerOnly() {
        SendDialog dialog(config_.path().toStdString());
        fillSftp(dialog);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const QByteArray text = iniBytes();
        QVERIFY(text.contains("address = sftp://league.example.org/public_html/league\n"));
        QVERIFY(text.contains("user = commish\n"));
        QVERIFY(text.contains("webhook = https://discord.com/api/webhooks/1/tok-abc\n"));
        struct stat st {};
        QCOMPARE(::stat(ini().toLocal8Bit().constData(), &st), 0);
        QCOMPARE(st.st_mode & 0777, 0600u);
        QVERIFY(!QFile::exists(ini() + ".new"));
        // Read back into the fields as written.
        SendDialog again(config_.path().toStdString());
        QCOMPARE(field(&again, "Server")->text(), QString("league.example.org"));
        QCOMPARE(field(&again, "Password")->text(), QString("s3cret-word"));
    }

    void cancelChangesNothingAndAMistakeIsNotSaved() {
        { QFile f(ini()); QVERIFY(f.open(QIODevice::WriteOnly)); f.write("[site]\naddress = file:///srv/league\n"); }
        const QByteArray before = iniBytes();
        SendDialog dialog(config_.path().toStdString());
        QCOMPARE(field(&dialog, "Remote folder")->text(), QString("/srv/league"));
        fillSftp(dialog);
        dialog.reject();
        QCOMPARE(iniBytes(), before);

        SendDialog wrong(config_.path().toStdString());
        field(&wrong, "Discord webhook")->setText("http://discord.com/api/webhooks/1/tok-abc");
        wrong.accept();
        QVERIFY(wrong.result() != int(QDialog::Accepted));
        QCOMPARE(iniBytes(), before);
        QVERIFY(wrong.findChild<QPlainTextEdit*>()->toPlainText().startsWith("Not saved"));
    }

    // "Test" answers in the dialog; an sftp key not pinned can be pinned.
    void testAnswersAndOffersToPinTheKey() {
        SendChecks checks;
        checks.site = [](const SiteProfile& site) {
            CheckAnswer a;
            a.said = "the server's host key is not pinned (" + site.address + ")";
            a.fingerprint = "SHA256:abcdefghijklmnopqrstuvwxyz0123456789ABCDEFG";
            return a;
        };
        checks.webhook = [](const DiscordProfile&) { return CheckAnswer{true, "The webhook \"Scores\" answers.", ""}; };
        SendDialog dialog(config_.path().toStdString(), nullptr, checks);
        fillSftp(dialog);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(button(&dialog, "Test"), Qt::LeftButton);
        auto* answer = dialog.findChild<QPlainTextEdit*>();
        QTRY_VERIFY(answer->toPlainText().contains("Discord: The webhook \"Scores\" answers."));
        QVERIFY(!answer->toPlainText().contains("s3cret-word"));
        QPushButton* pin = button(&dialog, "Pin this key");
        QTRY_VERIFY(pin->isVisible());
        const QString folder = qEnvironmentVariable("VR_BUILD_DIR") + "/screenshots";
        if (!qEnvironmentVariable("VR_BUILD_DIR").isEmpty() && QDir().mkpath(folder))
            dialog.grab().save(folder + "/window-send-dialog.png", "PNG");
        QTest::mouseClick(pin, Qt::LeftButton);
        QCOMPARE(field(&dialog, "Server's host key fingerprint (SFTP)")->text(),
                 QString("SHA256:abcdefghijklmnopqrstuvwxyz0123456789ABCDEFG"));
        dialog.reject();
        QVERIFY(!QFile::exists(ini()));
    }

    // Ctrl+, on the window opens the dialog.
    void ctrlCommaOpensItFromTheWindow() {
        DiskLeague disk;
        MainWindow window(disk.league);
        QVERIFY(window.load());
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        bool opened = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<SendDialog*>(QApplication::activeModalWidget());
            opened = dialog != nullptr;
            if (dialog) dialog->reject();
        });
        QTest::keyClick(&window, Qt::Key_Comma, Qt::ControlModifier);
        QVERIFY(opened);
    }
};

QTEST_MAIN(WindowSendDialog)
#include "window_send_dialog_test.moc"
