// A period the run cannot take: a warning, nothing written, the window
// stays open and GO! works once the text is mended.
#include "app/qt/main_window.h"
#include "app/qt/tests/window_test_support.h"
#include "app/qt/window_look.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace vr;
using namespace vr::windowtest;

class WindowPeriod : public QObject {
    Q_OBJECT

    std::unique_ptr<DiskLeague> disk_;
    std::unique_ptr<MainWindow> window_;

    QLineEdit* edit(const char* name) { return window_->findChild<QLineEdit*>(QString::fromLatin1(name)); }
    void type(const char* box, const QString& text) {
        QLineEdit* e = edit(box);
        e->setFocus();
        e->selectAll();
        if (text.isEmpty())
            QTest::keyClick(e, Qt::Key_Delete);
        else
            QTest::keyClicks(e, text);
    }

private slots:
    void initTestCase() { setUpApplication(); }
    void init() {
        recordMessages();
        disk_ = std::make_unique<DiskLeague>();
        disk_->simulateDay245();
        window_ = std::make_unique<MainWindow>(disk_->league);
        QVERIFY(window_->load());
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }
    void cleanup() {
        window_.reset();
        disk_.reset();
    }

    void rejected_data() {
        QTest::addColumn<QString>("lastDay");
        QTest::addColumn<QString>("days");
        QTest::addColumn<QString>("message");
        QTest::newRow("letters") << "abc" << "3" << "Type mismatch: Last Day that was Simulated must be a whole number; you typed 'abc'";
        QTest::newRow("empty") << "" << "3" << "Type mismatch: Last Day that was Simulated must be a whole number; you typed ''";
        QTest::newRow("fraction") << "245.5" << "3" << "Type mismatch: Last Day that was Simulated must be a whole number; you typed '245.5'";
        QTest::newRow("days letters") << "245" << "x" << "Type mismatch: Number of days that were ran during the last sim period must be a whole number; you typed 'x'";
        const QString found = "; the league's only simulated day is 245.";
        QTest::newRow("not simulated") << "246" << "3" << "Subscript out of range: day 246 has not been simulated" + found;
        QTest::newRow("before the season") << "239" << "1"
                                           << "Subscript out of range: day 239 comes before the first simulated day" + found;
        QTest::newRow("no day") << "245" << "0"
                                << "Subscript out of range: a period of 0 days holds no day; the number of days must be 1 "
                                   "or more" + found;
    }

    void rejected() {
        QFETCH(QString, lastDay);
        QFETCH(QString, days);
        QFETCH(QString, message);
        edit("TxtMessage")->setText("edited, not saved");
        type("TxtLastDay", lastDay);
        type("TxtDaysSimmed", days);
        const auto before = disk_->contents();

        auto* go = window_->findChild<QPushButton*>("CmdGo");
        bool paintedRed = false;
        struct Watch : QObject {
            QPushButton* button;
            bool* red;
            bool eventFilter(QObject*, QEvent* e) override {
                if (e->type() == QEvent::Paint && button->styleSheet() == look::buttonStyle(QColor(255, 0, 0)))
                    *red = true;
                return false;
            }
        } watch;
        watch.button = go;
        watch.red = &paintedRed;
        go->installEventFilter(&watch);
        QTest::mouseClick(go, Qt::LeftButton);
        go->removeEventFilter(&watch);

        QCOMPARE(shownMessages().size(), std::size_t(1));
        QCOMPARE(shownMessages()[0].icon, MessageIcon::Warning);
        QCOMPARE(shownMessages()[0].text, message);
        QVERIFY(shownMessages()[0].windowVisible);
        QCOMPARE(disk_->contents(), before);
        QVERIFY(!paintedRed);
        QCOMPARE(go->styleSheet(), look::buttonStyle(QColor(0, 133, 59)));
        QVERIFY(window_->isVisible());

        // Mended, the same window runs.
        type("TxtLastDay", "245");
        type("TxtDaysSimmed", "3");
        QTest::mouseClick(go, Qt::LeftButton);
        QCOMPARE(shownMessages().size(), std::size_t(1));
        QVERIFY(disk_->has("Upsets.txt"));
        QVERIFY(disk_->get("settings2.txt").endsWith("edited, not saved\r\n"));
    }
};

QTEST_MAIN(WindowPeriod)
#include "window_period_test.moc"
