// The window as the commissioner sees it: the twelve controls by name with
// their pixel geometry, captions, colours and fonts, nothing clipped, the
// tab order and the first focus.
#include "app/qt/main_window.h"
#include "app/qt/tests/window_test_support.h"
#include "app/qt/window_look.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QtTest>

#include <memory>

using namespace vr;
using namespace vr::windowtest;

namespace {

struct Control {
    const char* name;
    const char* kind;
    QRect pixels;
    const char* caption;
};

// Left, top, width and height in pixels: the twip figures / 15.
const Control kControls[] = {
    {"LblTitle", "QLabel", {8, 8, 593, 49}, "Marrowdeen"},
    {"TxtLastDay", "QLineEdit", {208, 64, 81, 47}, ""},
    {"LblLastDay", "QLabel", {8, 72, 193, 33}, "Last Day that was Simulated:"},
    {"TxtDaysSimmed", "QLineEdit", {208, 120, 81, 47}, "3"},
    {"LblDaysSimmed", "QLabel", {8, 120, 193, 49},
     "Number of days that were ran during the last sim period:"},
    {"CmdGo", "QPushButton", {504, 64, 97, 49}, "GO!"},
    {"LstScores", "QListWidget", {8, 176, 593, 514}, ""},
    {"CmdExit", "QPushButton", {544, 696, 57, 37}, "Exit"},
    {"Label1", "QLabel", {296, 64, 65, 25}, "Website:"},
    {"Label2", "QLabel", {296, 120, 65, 25}, "Message:"},
    {"TxtWebsite", "QLineEdit", {296, 86, 185, 24}, "http://www.marrowdeen.example/"},
    {"TxtMessage", "QLineEdit", {296, 144, 305, 24}, ""},
};

QString captionOf(QWidget* w) {
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    if (auto* b = qobject_cast<QPushButton*>(w)) return b->text();
    return QString();
}

} // namespace

class WindowLayout : public QObject {
    Q_OBJECT

    std::unique_ptr<DiskLeague> disk_;
    std::unique_ptr<MainWindow> window_;

    template <class T = QWidget>
    T* control(const char* name) {
        T* w = window_->findChild<T*>(QString::fromLatin1(name));
        if (!w) qFatal("no control %s", name);
        return w;
    }
    QImage picture() { return window_->grab().toImage(); }

private slots:
    void initTestCase() {
        setUpApplication();
        recordMessages();
        disk_ = std::make_unique<DiskLeague>();
        window_ = std::make_unique<MainWindow>(disk_->league);
        QVERIFY(window_->load());
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }
    void cleanupTestCase() { window_.reset(); }

    void theWindowItself() {
        QCOMPARE(window_->objectName(), QString("Vellor_Results"));
        QCOMPARE(window_->windowTitle(), QString("Vellor Results"));
        QCOMPARE(window_->size(), QSize(609, 739));
        QCOMPARE(window_->minimumSize(), QSize(609, 739));
        QCOMPARE(window_->maximumSize(), QSize(609, 739));
        QCOMPARE(QApplication::style()->name(), QString("fusion"));
        QList<QSize> sizes = window_->windowIcon().availableSizes();
        for (int s : {16, 32, 48, 64, 128, 256}) QVERIFY2(sizes.contains(QSize(s, s)), qPrintable(QString::number(s)));
        QVERIFY(!window_->windowIcon().pixmap(32, 32).isNull());
    }

    void twelveControlsByNameGeometryAndCaption() {
        int count = 0;
        for (const Control& c : kControls) {
            QWidget* w = control(c.name);
            QCOMPARE(w->parentWidget(), window_.get());
            QVERIFY2(w->inherits(c.kind), c.name);
            QCOMPARE(w->geometry(), c.pixels);
            QCOMPARE(captionOf(w), QString::fromLatin1(c.caption));
            ++count;
        }
        QCOMPARE(count, 12);
        // Nothing else stands in the window.
        QCOMPARE(window_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size(), 12);
        QCOMPARE(control<QListWidget>("LstScores")->count(), 0);
    }

    void paletteColours() {
        const QColor navy(0, 40, 86), green(0, 133, 59), white(255, 255, 255);
        QCOMPARE(window_->palette().color(QPalette::Window), navy);
        QCOMPARE(window_->palette().color(QPalette::WindowText), white);
        for (const char* name : {"LblLastDay", "LblDaysSimmed", "Label1", "Label2"}) {
            auto* l = control<QLabel>(name);
            QVERIFY2(!l->autoFillBackground(), name);
            QCOMPARE(l->palette().color(QPalette::WindowText), white);
            QCOMPARE(l->alignment(), Qt::AlignLeft | Qt::AlignTop);
            QVERIFY2(l->wordWrap(), name);
        }
        auto* title = control<QLabel>("LblTitle");
        QVERIFY(title->autoFillBackground());
        QCOMPARE(title->palette().color(QPalette::Window), green);
        QCOMPARE(title->palette().color(QPalette::WindowText), white);
        QVERIFY(title->alignment() & Qt::AlignHCenter);
        for (const char* name : {"TxtLastDay", "TxtDaysSimmed", "TxtWebsite", "TxtMessage"}) {
            auto* e = control<QLineEdit>(name);
            QCOMPARE(e->palette().color(QPalette::Base), green);
            QCOMPARE(e->palette().color(QPalette::Text), white);
        }
        QCOMPARE(control<QLineEdit>("TxtLastDay")->alignment(), Qt::AlignCenter);
        QCOMPARE(control<QLineEdit>("TxtDaysSimmed")->alignment(), Qt::AlignCenter);
        QVERIFY(control<QLineEdit>("TxtWebsite")->alignment() & Qt::AlignLeft);
        auto* list = control<QListWidget>("LstScores");
        QCOMPARE(list->palette().color(QPalette::Base), white);
        QCOMPARE(list->palette().color(QPalette::Text), QColor(59, 133, 0));
        QCOMPARE(control("CmdGo")->styleSheet(), look::buttonStyle(green));
        QCOMPARE(control("CmdExit")->styleSheet(), look::buttonStyle(QColor(255, 0, 0)));
    }

    // What is drawn, not only what is set: a pixel of each surface.
    void drawnColours() {
        const QImage p = picture();
        QCOMPARE(p.pixelColor(2, 2), QColor(0, 40, 86));            // window
        QCOMPARE(p.pixelColor(200, 106), QColor(0, 40, 86));        // through LblLastDay
        QCOMPARE(p.pixelColor(12, 52), QColor(0, 133, 59));         // title
        QCOMPARE(p.pixelColor(215, 105), QColor(0, 133, 59));       // TxtLastDay
        QCOMPARE(p.pixelColor(590, 160), QColor(0, 133, 59));       // TxtMessage
        QCOMPARE(p.pixelColor(300, 400), QColor(255, 255, 255));    // score list
        QCOMPARE(p.pixelColor(510, 106), QColor(0, 133, 59));       // GO!
        QCOMPARE(p.pixelColor(549, 728), QColor(255, 0, 0));        // Exit
        // The title's letters are white, the buttons' captions black.
        bool whiteText = false;
        for (int x = 8; x < 601 && !whiteText; ++x)
            for (int y = 8; y < 57 && !whiteText; ++y) whiteText = p.pixelColor(x, y) == QColor(Qt::white);
        QVERIFY(whiteText);
        bool blackCaption = false;
        for (int x = 510; x < 595 && !blackCaption; ++x)
            for (int y = 70; y < 107 && !blackCaption; ++y) blackCaption = p.pixelColor(x, y) == QColor(Qt::black);
        QVERIFY(blackCaption);
    }

    void scoreLinesInTheirGreen() {
        auto* list = control<QListWidget>("LstScores");
        window_->addScore("Marrowdeen 71  Eastbrook 64");
        const QImage p = picture();
        bool listGreen = false;
        for (int x = 10; x < 300 && !listGreen; ++x)
            for (int y = 178; y < 200 && !listGreen; ++y) listGreen = p.pixelColor(x, y) == QColor(59, 133, 0);
        QVERIFY(listGreen);
        list->clear();
    }

    // The listed face when installed, else its stand-in; never the
    // toolkit's own fallback.
    void fonts() {
        struct Expect {
            const char* name;
            look::Face face;
            int pixels;
            bool italic;
        };
        const Expect expected[] = {
            {"LblTitle", look::Face::Impact, 35, false},
            {"TxtLastDay", look::Face::Impact, 32, false},
            {"LblLastDay", look::Face::Impact, 16, false},
            {"TxtDaysSimmed", look::Face::Impact, 32, false},
            {"LblDaysSimmed", look::Face::Impact, 16, false},
            {"CmdGo", look::Face::RoundedBold, 37, true},
            {"LstScores", look::Face::CourierNew, 13, false},
            {"CmdExit", look::Face::RoundedBold, 21, true},
            {"Label1", look::Face::Impact, 16, false},
            {"Label2", look::Face::Impact, 16, false},
            {"TxtWebsite", look::Face::ArialNarrow, 13, false},
            {"TxtMessage", look::Face::ArialNarrow, 13, false},
        };
        const QStringList installed = QFontDatabase::families();
        for (const Expect& e : expected) {
            QWidget* w = control(e.name);
            const look::FaceChoice choice = look::chooseFace(e.face, installed);
            QFontInfo info(w->font());
            QCOMPARE(info.family(), choice.family);
            QCOMPARE(info.pixelSize(), e.pixels);
            QCOMPARE(w->font().italic(), e.italic);
            QCOMPARE(w->font().bold(), choice.bold);
            // The face drawn: its weight, and a slant (made up when the face has none).
            QCOMPARE(info.bold(), choice.bold);
            QCOMPARE(info.italic(), e.italic);
        }
    }

    void faceChoice() {
        using look::Face;
        const QStringList bare = {"DejaVu Sans", "Liberation Sans Narrow", "Liberation Mono", "Comfortaa"};
        QCOMPARE(look::chooseFace(Face::Impact, bare).family, QString("Liberation Sans Narrow"));
        QVERIFY(look::chooseFace(Face::Impact, bare).bold);
        QCOMPARE(look::chooseFace(Face::RoundedBold, bare).family, QString("Comfortaa"));
        QVERIFY(look::chooseFace(Face::RoundedBold, bare).bold);
        QCOMPARE(look::chooseFace(Face::CourierNew, bare).family, QString("Liberation Mono"));
        QVERIFY(!look::chooseFace(Face::CourierNew, bare).bold);
        QCOMPARE(look::chooseFace(Face::ArialNarrow, bare).family, QString("Liberation Sans Narrow"));
        QVERIFY(!look::chooseFace(Face::ArialNarrow, bare).bold);
        // The listed faces themselves, found whatever their case, at normal weight.
        const QStringList full = bare + QStringList{"impact", "Arial Rounded MT Bold", "Courier New", "Arial Narrow"};
        QCOMPARE(look::chooseFace(Face::Impact, full).family, QString("Impact"));
        QVERIFY(!look::chooseFace(Face::Impact, full).bold);
        QCOMPARE(look::chooseFace(Face::RoundedBold, full).family, QString("Arial Rounded MT Bold"));
        QVERIFY(!look::chooseFace(Face::RoundedBold, full).bold);
        QCOMPARE(look::chooseFace(Face::CourierNew, full).family, QString("Courier New"));
        QCOMPARE(look::chooseFace(Face::ArialNarrow, full).family, QString("Arial Narrow"));
    }

    // Every caption fits its control in the font it is drawn in.
    void noCaptionClipped() {
        for (const char* name : {"LblTitle", "LblLastDay", "LblDaysSimmed", "Label1", "Label2"}) {
            auto* l = control<QLabel>(name);
            const QRect room = l->contentsRect();
            const QRect need = QFontMetrics(l->font()).boundingRect(
                room, int(l->alignment()) | Qt::TextWordWrap, l->text());
            QVERIFY2(room.contains(need), name);
        }
        // LblDaysSimmed breaks into exactly two lines.
        auto* days = control<QLabel>("LblDaysSimmed");
        QFontMetrics m(days->font());
        const int oneLine = m.boundingRect(days->contentsRect(), Qt::TextWordWrap, "Number").height();
        const int height = m.boundingRect(days->contentsRect(), Qt::TextWordWrap, days->text()).height();
        QVERIFY2(height > oneLine && height < 3 * oneLine - oneLine / 2,
                 qPrintable(QString("%1 in lines of %2").arg(height).arg(oneLine)));
        for (const char* name : {"CmdGo", "CmdExit"}) {
            auto* b = control<QPushButton>(name);
            const QRect room = b->rect().adjusted(2, 2, -2, -2);  // inside the border
            const QSize need = QFontMetrics(b->font()).size(Qt::TextSingleLine, b->text());
            QVERIFY2(need.width() <= room.width() && need.height() <= room.height(), name);
        }
    }

    void tabOrderAndFirstFocus() {
        QCOMPARE(QApplication::focusWidget(), control("TxtLastDay"));
        const char* order[] = {"TxtDaysSimmed", "CmdGo", "LstScores", "CmdExit",
                               "TxtWebsite", "TxtMessage", "TxtLastDay"};
        for (const char* name : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("TxtMessage"));
        for (const char* name : {"LblTitle", "LblLastDay", "LblDaysSimmed", "Label1", "Label2"})
            QCOMPARE(control(name)->focusPolicy(), Qt::NoFocus);
        control("TxtLastDay")->setFocus();
    }

    // GO! turns red at once and back to green; its caption stays black.
    void goColourDrawn() {
        window_->setGoColour(GoColour::Red);
        QCOMPARE(control("CmdGo")->styleSheet(), look::buttonStyle(QColor(255, 0, 0)));
        QCOMPARE(picture().pixelColor(510, 106), QColor(255, 0, 0));
        window_->setGoColour(GoColour::Green);
        QCOMPARE(picture().pixelColor(510, 106), QColor(0, 133, 59));
    }
};

QTEST_MAIN(WindowLayout)
#include "window_layout_test.moc"
