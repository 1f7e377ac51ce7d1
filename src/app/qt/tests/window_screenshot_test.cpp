// Saves a picture of the window, loaded on a league folder, so anyone can
// look at it. Under ctest it draws into a temporary file and checks the
// picture's size and a few colours. tools/window-screenshot.sh sets
// VELLOR_SCREENSHOT (the PNG to write) and may set VELLOR_DRIVE_C (the
// folder standing for C:\ with the league in it) and VELLOR_SCREENSHOT_GO=1
// (press GO! before the picture).
#include "app/qt/main_window.h"
#include "app/qt/tests/window_test_support.h"

#include <QImage>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace vr;
using namespace vr::windowtest;

class WindowScreenshot : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        setUpApplication();
        recordMessages();
    }

    void savesThePicture() {
        const QString target = qEnvironmentVariable("VELLOR_SCREENSHOT");
        const bool onRequest = !target.isEmpty();
        const QString drive = qEnvironmentVariable("VELLOR_DRIVE_C");

        DiskLeague scratch;
        std::unique_ptr<LeagueFolder> given;
        LeagueFolder* league = &scratch.league;
        if (onRequest && !drive.isEmpty()) {
            given = std::make_unique<LeagueFolder>(hostFileSystem(), drive.toStdString());
            league = given.get();
        }

        MainWindow window(*league);
        QVERIFY2(window.load(), qPrintable(shownMessages().empty() ? QString()
                                                                   : shownMessages().front().text));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        if (onRequest && qEnvironmentVariable("VELLOR_SCREENSHOT_GO") == QLatin1String("1")) {
            QTest::mouseClick(window.findChild<QPushButton*>("CmdGo"), Qt::LeftButton);
            for (const Shown& s : shownMessages()) qWarning("message: %s", qPrintable(s.text));
        }

        const QString path = onRequest ? target : scratch.drive.path() + "/window.png";
        const QImage picture = window.grab().toImage();
        QVERIFY2(picture.save(path, "PNG"), qPrintable(path));

        const QImage saved(path);
        QCOMPARE(saved.size(), QSize(609, 739) * window.devicePixelRatioF());
        if (!onRequest) {
            QCOMPARE(saved.pixelColor(2, 2), QColor(0, 40, 86));        // window
            QCOMPARE(saved.pixelColor(12, 50), QColor(0, 133, 59));     // title
            QCOMPARE(saved.pixelColor(300, 400), QColor(255, 255, 255));  // score list
        }
    }
};

QTEST_MAIN(WindowScreenshot)
#include "window_screenshot_test.moc"
