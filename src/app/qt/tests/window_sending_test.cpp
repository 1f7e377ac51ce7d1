// Sending beside the window, with a fake sender behind the seam: the
// status line's states, GO! and closing during a send, and no line at all
// without a profile. Each state's picture goes to VR_BUILD_DIR/screenshots.
#include "app/qt/main_window.h"
#include "app/qt/tests/window_test_support.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

using namespace vr;
using namespace vr::windowtest;

namespace {

// A sender that sends `files` files, each only once the test lets it, and
// stops between two when asked, as the real one does.
struct FakeSending {
    std::mutex mutex;
    std::condition_variable moved;
    int allowed = 0;
    int files = 5;
    bool fail = false;
    std::atomic<int> calls{0};
    std::atomic<int> stopped{0};

    void allow(int n) {
        std::lock_guard<std::mutex> lock(mutex);
        allowed = n;
        moved.notify_all();
    }

    SendOutcome send(const SendRequest& request) {
        ++calls;
        SendOutcome outcome;
        outcome.configured = true;
        for (int i = 1; i <= files; ++i) {
            std::unique_lock<std::mutex> lock(mutex);
            while (allowed < i) {
                if (request.stopRequested()) {
                    ++stopped;
                    outcome.stopped = true;
                    return outcome;
                }
                moved.wait_for(lock, std::chrono::milliseconds(5));
            }
            lock.unlock();
            request.onFiles(static_cast<std::size_t>(i), static_cast<std::size_t>(files));
        }
        if (fail) {
            outcome.failures.push_back("Sending to sftp://league.example.org/public_html failed: the server's key "
                                       "is not the one pinned in publish.ini, SHA256:abc. " +
                                       std::string(kSentNextTime));
            return outcome;
        }
        outcome.siteShown = "sftp://league.example.org/public_html/league";
        outcome.discordMessages = 3;
        outcome.lines.push_back("sent to sftp://league.example.org/public_html/league: 5 files");
        return outcome;
    }
};

} // namespace

class WindowSending : public QObject {
    Q_OBJECT

    std::unique_ptr<DiskLeague> disk_;
    std::unique_ptr<MainWindow> window_;
    std::shared_ptr<FakeSending> fake_;
    QTemporaryDir config_;

    QLabel* statusLine() { return window_->findChild<QLabel*>("StatusLine"); }
    QString lineText() { return QString::fromStdString(window_->sendStatus().text); }
    void open() {
        window_ = std::make_unique<MainWindow>(disk_->league);
        std::shared_ptr<FakeSending> fake = fake_;
        window_->useSender([fake](const SendRequest& r) { return fake->send(r); }, [] { return "18:42"; });
        QVERIFY(window_->load());
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void go() { QTest::mouseClick(window_->findChild<QPushButton*>("CmdGo"), Qt::LeftButton); }
    void picture(const char* name) {
        const QString folder = qEnvironmentVariable("VR_BUILD_DIR") + "/screenshots";
        if (qEnvironmentVariable("VR_BUILD_DIR").isEmpty() || !QDir().mkpath(folder)) return;
        window_->grab().save(folder + "/window-sending-" + name + ".png", "PNG");
    }
    void withProfile() {
        QFile f(config_.path() + "/publish.ini");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[site]\naddress = sftp://league.example.org/public_html/league\n");
    }

private slots:
    void initTestCase() {
        setUpApplication();
        qputenv("VELLOR_CONFIG_DIR", config_.path().toUtf8());
        qputenv("VELLOR_CACHE_DIR", (config_.path() + "/cache").toUtf8());
    }
    void init() {
        recordMessages();
        QFile::remove(config_.path() + "/publish.ini");
        disk_ = std::make_unique<DiskLeague>();
        disk_->simulateDay245();
        fake_ = std::make_shared<FakeSending>();
    }
    void cleanup() {
        if (fake_) fake_->allow(1000);
        window_.reset();
        disk_.reset();
    }

    void withoutAProfileNothingIsSentAndNoLineShows() {
        open();
        go();
        QTest::qWait(50);
        QCOMPARE(fake_->calls.load(), 0);
        QVERIFY(!statusLine());
        QCOMPARE(window_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size(), 12);
    }

    // Published at once, then the files as they go, then where they went;
    // the window answers all along.
    void publishedThenSendingThenSent() {
        withProfile();
        open();
        go();
        QVERIFY(statusLine());
        QVERIFY2(lineText().startsWith("Published 1 game"), qPrintable(lineText()));
        // Clear of every specified control, none of which moved.
        for (QWidget* w : window_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (w != statusLine()) QVERIFY2(!w->geometry().intersects(statusLine()->geometry()), qPrintable(w->objectName()));
        QCOMPARE(window_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size(), 13);
        picture("published");
        fake_->allow(2);
        QTRY_COMPARE(lineText(), QString::fromUtf8("Sending 2 of 5 files\u2026"));
        QTRY_COMPARE(statusLine()->text(), lineText());
        picture("sending");
        fake_->allow(5);
        QTRY_COMPARE(lineText(), QString::fromUtf8("Sent to league.example.org at 18:42 \u00b7 Discord: 3 messages"));
        QTRY_COMPARE(statusLine()->text(), lineText());
        QCOMPARE(statusLine()->palette().color(QPalette::WindowText), QColor(255, 255, 255));
        picture("sent");
        QVERIFY(shownMessages().empty());
    }

    // A failure: one red line, no box; a click shows the whole message.
    void aFailureIsOneRedLineAndAClickShowsItWhole() {
        withProfile();
        fake_->fail = true;
        fake_->allow(5);
        open();
        go();
        QTRY_VERIFY(window_->sendStatus().failure);
        QTRY_VERIFY(statusLine()->text().startsWith("Sending to sftp://league.example.org"));
        QCOMPARE(statusLine()->palette().color(QPalette::WindowText), QColor(255, 128, 128));
        QVERIFY(shownMessages().empty());
        picture("failed");
        QTest::mouseClick(statusLine(), Qt::LeftButton);
        QCOMPARE(static_cast<int>(shownMessages().size()), 1);
        QVERIFY(shownMessages()[0].text.contains(QString::fromLatin1(kSentNextTime)));
    }

    // GO! during a send: it stops between two files, the run goes, and a
    // new send starts with what is due.
    void goDuringASendStopsItAndSendsAgain() {
        withProfile();
        open();
        go();
        fake_->allow(1);
        QTRY_COMPARE(lineText(), QString::fromUtf8("Sending 1 of 5 files\u2026"));
        go();
        QCOMPARE(fake_->stopped.load(), 1);
        QTRY_COMPARE(fake_->calls.load(), 2);
        QVERIFY2(lineText().startsWith("Published") || lineText().startsWith("Sending"), qPrintable(lineText()));
        fake_->allow(5);
        QTRY_VERIFY(lineText().startsWith("Sent to league.example.org"));
    }

    // Closing during a send: it stops at its next safe point and the window
    // closes.
    void closingDuringASendStopsItAndCloses() {
        withProfile();
        open();
        go();
        fake_->allow(1);
        QTRY_COMPARE(lineText(), QString::fromUtf8("Sending 1 of 5 files\u2026"));
        QElapsedTimer timer;
        timer.start();
        QVERIFY(window_->close());
        QVERIFY(timer.elapsed() < 3000);
        QCOMPARE(fake_->stopped.load(), 1);
        QVERIFY(!window_->isVisible());
    }
};

QTEST_MAIN(WindowSending)
#include "window_sending_test.moc"
