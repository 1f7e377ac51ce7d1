// The score list's scroll bars, once a run has filled more lines than the
// list shows: drawn in the style's own colours, with arrows that stand out
// from their buttons (not the window's white text on light grey).
#include "app/qt/main_window.h"
#include "app/qt/tests/window_test_support.h"

#include <QImage>
#include <QListWidget>
#include <QScrollBar>
#include <QtTest>

using namespace vr;
using namespace vr::windowtest;

namespace {

// The darkest and the lightest grey level in a part of the picture.
std::pair<int, int> greyRange(const QImage& image, const QRect& part) {
    int darkest = 255, lightest = 0;
    for (int y = part.top(); y <= part.bottom(); ++y)
        for (int x = part.left(); x <= part.right(); ++x) {
            const int grey = qGray(image.pixel(x, y));
            darkest = std::min(darkest, grey);
            lightest = std::max(lightest, grey);
        }
    return {darkest, lightest};
}

} // namespace

class WindowScrollBar : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        setUpApplication();
        recordMessages();
    }

    void arrowsAndEdgesKeepTheStyleColours() {
        DiskLeague disk;
        MainWindow window(disk.league);
        QVERIFY(window.load());
        // More score lines than the list's 34 rows, one wider than the list.
        for (int i = 0; i < 60; ++i) window.addScore("Lakeshore-77, Ridgefield-81");
        window.addScore(std::string(120, 'W'));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        auto* list = window.findChild<QListWidget*>("LstScores");
        QVERIFY(list);
        for (QScrollBar* bar : {list->verticalScrollBar(), list->horizontalScrollBar()}) {
            QVERIFY2(bar->isVisible(), bar->orientation() == Qt::Vertical ? "vertical" : "horizontal");
            const QPalette& p = bar->palette();
            // Nothing of the window's navy and white reaches the bar.
            QVERIFY(p.color(QPalette::Window) != QColor(0, 40, 86));
            QVERIFY(p.color(QPalette::WindowText) != QColor(255, 255, 255));
            QVERIFY(p.color(QPalette::ButtonText) != QColor(255, 255, 255));

            // The arrow at the bar's start is seen: dark pixels on its button.
            const QImage picture = bar->grab().toImage();
            const int side = bar->orientation() == Qt::Vertical ? picture.width() : picture.height();
            const auto [darkest, lightest] = greyRange(picture, QRect(2, 2, side - 4, side - 4));
            QVERIFY2(lightest - darkest > 100,
                     qPrintable(QStringLiteral("arrow contrast %1").arg(lightest - darkest)));
        }
        // The list itself keeps its white ground and green lines.
        QCOMPARE(list->palette().color(QPalette::Base), QColor(255, 255, 255));
        QCOMPARE(list->palette().color(QPalette::Text), QColor(59, 133, 0));
    }
};

QTEST_MAIN(WindowScrollBar)
#include "window_scroll_bar_test.moc"
