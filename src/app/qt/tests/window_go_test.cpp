// GO! on a league: the button turns red and shows it before anything is
// written, the settings are saved, the three result files start afresh and
// the button turns green again.
#include "app/qt/main_window.h"
#include "app/qt/tests/window_test_support.h"
#include "app/qt/window_look.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace vr;
using namespace vr::windowtest;

namespace {

// Records each paint of GO!: its colour then, and settings2.txt as it stood.
class PaintWatch : public QObject {
public:
    struct Paint {
        bool red;
        QByteArray settings;
    };
    PaintWatch(QWidget* button, const DiskLeague& disk) : button_(button), disk_(disk) {
        button->installEventFilter(this);
    }
    std::vector<Paint> paints;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == button_ && event->type() == QEvent::Paint)
            paints.push_back(
                {button_->styleSheet() == look::buttonStyle(QColor(255, 0, 0)), disk_.get("settings2.txt")});
        return false;
    }

private:
    QWidget* button_;
    const DiskLeague& disk_;
};

} // namespace

class WindowGo : public QObject {
    Q_OBJECT

    std::unique_ptr<DiskLeague> disk_;
    std::unique_ptr<MainWindow> window_;

    template <class T = QWidget>
    T* control(const char* name) {
        return window_->findChild<T*>(QString::fromLatin1(name));
    }
    void open() {
        window_ = std::make_unique<MainWindow>(disk_->league);
        QVERIFY(window_->load());
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }
    void typeLastDay(const char* text) {
        auto* box = control<QLineEdit>("TxtLastDay");
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, QString::fromLatin1(text));
    }

private slots:
    void initTestCase() { setUpApplication(); }
    void init() {
        recordMessages();
        disk_ = std::make_unique<DiskLeague>();
        disk_->simulateDay245();
    }
    void cleanup() {
        window_.reset();
        disk_.reset();
    }

    void goRedThenGreenSavesSettingsAndEmptiesTheResults() {
        disk_->put("settings2.txt", "http://old.example/\r\nold message\r\n");
        for (const char* file : {"Upsets.txt", "TopResults.txt", "Test.txt"})
            disk_->put(file, "left from the last run\r\n");
        open();
        QCOMPARE(control<QLineEdit>("TxtWebsite")->text(), QString("http://old.example/"));
        QCOMPARE(control<QLineEdit>("TxtMessage")->text(), QString("old message"));

        typeLastDay("245");
        control<QLineEdit>("TxtMessage")->setText("new, with a comma");
        auto* go = control<QPushButton>("CmdGo");
        PaintWatch watch(go, *disk_);
        QTest::mouseClick(go, Qt::LeftButton);

        QVERIFY(shownMessages().empty());
        // Red was drawn during the run, before the settings were saved.
        const auto red = std::find_if(watch.paints.begin(), watch.paints.end(),
                                      [](const PaintWatch::Paint& p) { return p.red; });
        QVERIFY(red != watch.paints.end());
        QCOMPARE(red->settings, QByteArray("http://old.example/\r\nold message\r\n"));
        QCOMPARE(go->styleSheet(), look::buttonStyle(QColor(0, 133, 59)));

        QCOMPARE(disk_->get("settings2.txt"), QByteArray("http://old.example/\r\nnew, with a comma\r\n"));
        QVERIFY(disk_->has("Upsets.txt") && disk_->has("TopResults.txt") && disk_->has("Test.txt"));
        QCOMPARE(disk_->get("Upsets.txt"), QByteArray());
        QCOMPARE(disk_->get("TopResults.txt"), QByteArray());
        QVERIFY(!disk_->get("Test.txt").contains("left from the last run"));
        QVERIFY(window_->isVisible());
        QCOMPARE(window_->text(TextBox::LastDay), std::string("245"));

        // Once more: the same files afresh, the window still open.
        disk_->put("Upsets.txt", "stale\r\n");
        QTest::mouseClick(go, Qt::LeftButton);
        QVERIFY(shownMessages().empty());
        QCOMPARE(disk_->get("Upsets.txt"), QByteArray());
        QVERIFY(window_->isVisible());
    }

    // A GO! without edits writes back the very bytes the window load read:
    // commas, quotes and the code page's odd bytes included.
    void settingsBytesComeBackUnchanged() {
        const QByteArray settings("caf\xe9 \x81\x8d\x8f\x90\x9d, \"quoted\"\r\n\x80 message, too\r\n");
        disk_->put("settings2.txt", settings);
        open();
        typeLastDay("245");
        QTest::mouseClick(control<QPushButton>("CmdGo"), Qt::LeftButton);
        QVERIFY(shownMessages().empty());
        QCOMPARE(disk_->get("settings2.txt"), settings);
    }

    // The first start in a new league: both settings files are made and
    // the default website shows.
    void firstStartMakesTheSettings() {
        open();
        QCOMPARE(control<QLineEdit>("TxtWebsite")->text(), QString("http://www.marrowdeen.example/"));
        QCOMPARE(control<QLineEdit>("TxtMessage")->text(), QString());
        QCOMPARE(control<QLineEdit>("TxtDaysSimmed")->text(), QString("3"));
        QCOMPARE(disk_->get("settings2.txt"), QByteArray("http://www.marrowdeen.example/\r\n\r\n"));
        QByteArray twenty;
        for (int i = 0; i < 20; ++i) twenty += " 0 \r\n";
        QCOMPARE(disk_->get("leaguesettings.txt"), twenty);
    }
};

QTEST_MAIN(WindowGo)
#include "window_go_test.moc"
