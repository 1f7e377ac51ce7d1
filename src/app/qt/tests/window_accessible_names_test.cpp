// What a screen reader reads from the window: each text box by the caption
// beside it, the score list's lines as its items.
#include "app/qt/main_window.h"
#include "app/qt/tests/window_test_support.h"

#include <QAccessible>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

using namespace vr;
using namespace vr::windowtest;

class WindowAccessibleNames : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        setUpApplication();
        recordMessages();
    }

    void textBoxesAreNamedByTheirCaptions() {
        DiskLeague disk;
        MainWindow window(disk.league);
        QVERIFY(window.load());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        const std::pair<const char*, const char*> boxes[] = {
            {"TxtLastDay", "Last Day that was Simulated:"},
            {"TxtDaysSimmed", "Number of days that were ran during the last sim period:"},
            {"TxtWebsite", "Website:"},
            {"TxtMessage", "Message:"},
        };
        for (const auto& [name, caption] : boxes) {
            auto* box = window.findChild<QLineEdit*>(name);
            QVERIFY2(box, name);
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(box);
            QVERIFY2(a, name);
            QCOMPARE(a->text(QAccessible::Name), QString::fromLatin1(caption));
            QCOMPARE(a->text(QAccessible::Value), box->text());
        }

        window.addScore("11/18/2009");
        window.addScore("Sainte Ir\xe8ne State-71, Hollowmere College-60");
        auto* list = window.findChild<QListWidget*>("LstScores");
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(list);
        QVERIFY(a);
        QCOMPARE(a->childCount(), 2);
        QCOMPARE(a->child(0)->text(QAccessible::Name), QStringLiteral("11/18/2009"));
        QCOMPARE(a->child(1)->text(QAccessible::Name),
                 QStringLiteral("Sainte Ir\u00e8ne State-71, Hollowmere College-60"));
    }
};

QTEST_MAIN(WindowAccessibleNames)
#include "window_accessible_names_test.moc"
