// How the program ends: Exit and the close box with status 0; a stop, at
// the window load or during GO!, with a critical box and status 1.
#include "app/qt/main_window.h"
#include "app/qt/tests/window_test_support.h"
#include "app/stop_report.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace vr;
using namespace vr::windowtest;

namespace {

// The last line of every stop's message here: nothing was published.
const QString kLeft = QString::fromUtf8(vr::kLeftAsTheyWere.data(), int(vr::kLeftAsTheyWere.size()));

// Runs the window on `league` until it ends, doing `action` once the event
// loop runs; a window that never ends fails the test with status 99.
int runWith(LeagueFolder& league, std::function<void(QWidget*)> action) {
    QTimer act;
    act.setSingleShot(true);
    QObject::connect(&act, &QTimer::timeout, [&] {
        QWidget* window = theWindow();
        QVERIFY(window && window->isVisible());
        action(window);
    });
    act.start(0);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    watchdog.start(20000);
    return runWindowOn(league);
}

} // namespace

class WindowExit : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpApplication(); }
    void init() { recordMessages(); }

    void exitEndsWithZero() {
        DiskLeague disk;
        const int status = runWith(disk.league, [](QWidget* window) {
            QTest::mouseClick(window->findChild<QPushButton*>("CmdExit"), Qt::LeftButton);
        });
        QCOMPARE(status, 0);
        QVERIFY(shownMessages().empty());
        QVERIFY(!theWindow());
    }

    // Another league than the default is named in the title; the default is
    // not, as the window has always shown it.
    void titleNamesAnotherLeague() {
        // A name beyond ASCII: the folder's name is UTF-8 on Linux.
        for (const char* name : {"Marrowdeen", "Eastfield", "Ligue \xC3\x89" "b\xC3\xA8" "ne"}) {
            DiskLeague disk;
            QDir leagues(disk.path(".."));
            if (QString::fromUtf8(name) != "Marrowdeen") QVERIFY(leagues.rename("Marrowdeen", QString::fromUtf8(name)));
            LeagueFolder league(hostFileSystem(), disk.drive.path().toStdString());
            QString title;
            const int status = runWith(league, [&title](QWidget* window) {
                title = window->findChild<QLabel*>("LblTitle")->text();
                window->close();
            });
            QCOMPARE(status, 0);
            QCOMPARE(title, QString::fromUtf8(name));
        }
    }

    // The close box; the website edited but never saved stays as it was.
    void closeBoxEndsWithZeroAndSavesNothing() {
        DiskLeague disk;
        const int status = runWith(disk.league, [](QWidget* window) {
            window->findChild<QLineEdit*>("TxtWebsite")->setText("http://edited.example/");
            window->close();
        });
        QCOMPARE(status, 0);
        QVERIFY(shownMessages().empty());
        QCOMPARE(disk.get("settings2.txt"), QByteArray("http://www.marrowdeen.example/\r\n\r\n"));
    }

    // No league folder: the load stops before the window ever shows.
    void stopAtLoadEndsWithOne() {
        DiskLeague disk(false);
        const int status = runWindowOn(disk.league);
        QCOMPARE(status, 1);
        QCOMPARE(shownMessages().size(), std::size_t(1));
        QCOMPARE(shownMessages()[0].icon, MessageIcon::Critical);
        // The box says where the league was looked for and how to point elsewhere.
        const QString drive = disk.drive.path();
        QCOMPARE(shownMessages()[0].text,
                 "Path not found: there is no league folder at " + drive + "/" +
                     kLeagueRelative + " (under " + drive +
                     ", the folder standing for drive C:). Set WINEPREFIX to the Wine prefix the game runs in, "
                     "or VELLOR_DRIVE_C to the folder that stands for C:\\, and start again.\n" + kLeft);
        QVERIFY(!shownMessages()[0].windowVisible);
        QVERIFY(!theWindow());
    }

    // The schedule page gone after the load: GO! stops mid-run, the box
    // names the file, and the program ends with 1.
    void stopDuringGoEndsWithOne() {
        DiskLeague disk;
        disk.simulateDay245();
        const int status = runWith(disk.league, [&disk](QWidget* window) {
            QFile::remove(disk.path("html/leagueschedule.htm"));
            auto* last = window->findChild<QLineEdit*>("TxtLastDay");
            last->setFocus();
            last->selectAll();
            QTest::keyClicks(last, "245");
            QTest::mouseClick(window->findChild<QPushButton*>("CmdGo"), Qt::LeftButton);
        });
        QCOMPARE(status, 1);
        QCOMPARE(shownMessages().size(), std::size_t(1));
        QCOMPARE(shownMessages()[0].icon, MessageIcon::Critical);
        // The window load put its lists in place: the message says so.
        QCOMPARE(shownMessages()[0].text,
                 "File not found: html/leagueschedule.htm\nGO!'s publications were left as they were; the window "
                 "load refreshed teams.txt, teaminfo.txt and schedfile.txt.");
        QVERIFY(shownMessages()[0].windowVisible);
        // The settings were saved; no publication was put in place.
        QVERIFY(disk.has("settings2.txt"));
        QVERIFY(!disk.has("Upsets.txt") && !disk.has("Upsets.txt.new"));
    }
};

QTEST_MAIN(WindowExit)
#include "window_exit_test.moc"
