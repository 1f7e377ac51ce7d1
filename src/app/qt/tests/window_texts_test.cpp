// The text boxes and the score list as the run sequences see them: bytes of
// the files' code page in and out, one line per box, long texts kept whole.
#include "app/qt/main_window.h"
#include "app/qt/tests/window_test_support.h"

#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

#include <memory>

using namespace vr;
using namespace vr::windowtest;

class WindowTexts : public QObject {
    Q_OBJECT

    std::unique_ptr<DiskLeague> disk_;
    std::unique_ptr<MainWindow> window_;

    QLineEdit* edit(const char* name) { return window_->findChild<QLineEdit*>(QString::fromLatin1(name)); }

private slots:
    void initTestCase() {
        setUpApplication();
        recordMessages();
        disk_ = std::make_unique<DiskLeague>();
        window_ = std::make_unique<MainWindow>(disk_->league);
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }
    void cleanupTestCase() { window_.reset(); }

    // Every byte but the line ends survives a trip through each box, the
    // five without a character of their own included.
    void everyByteRoundTrips() {
        std::string all;
        for (int b = 1; b < 256; ++b)
            if (b != '\r' && b != '\n') all.push_back(char(b));
        for (TextBox box : {TextBox::LastDay, TextBox::DaysSimmed, TextBox::Website, TextBox::Message}) {
            window_->setText(box, all);
            QCOMPARE(window_->text(box), all);
        }
        window_->setText(TextBox::Message, "caf\xe9 \x80");
        QCOMPARE(edit("TxtMessage")->text(), QString::fromUtf8("café €"));
    }

    void typedTextIsEncoded() {
        QLineEdit* message = edit("TxtMessage");
        message->clear();
        message->setFocus();
        // Key presses carrying the characters, as a keyboard layout sends them.
        for (QChar c : QString::fromUtf8("Olé € ж"))
            QTest::sendKeyEvent(QTest::Click, message, Qt::Key_unknown, QString(c), Qt::NoModifier);
        // ж has no place in the code page.
        QCOMPARE(window_->text(TextBox::Message), std::string("Ol\xe9 \x80 ?"));
    }

    // A pasted line end would split the settings file's lines.
    void lineEndsInWebsiteAndMessageBecomeSpaces() {
        edit("TxtWebsite")->setText("http://a.example/\r\nnext");
        QVERIFY(edit("TxtWebsite")->text().contains(QLatin1Char('\n')));  // the box keeps them
        QCOMPARE(window_->text(TextBox::Website), std::string("http://a.example/  next"));
        edit("TxtMessage")->setText("one\ntwo\rthree");
        QCOMPARE(window_->text(TextBox::Message), std::string("one two three"));
    }

    void longTextsKeptWhole() {
        const std::string longText(200000, 'w');
        window_->setText(TextBox::Website, longText);
        QCOMPARE(window_->text(TextBox::Website).size(), longText.size());
        window_->setText(TextBox::Message, longText);
        QCOMPARE(window_->text(TextBox::Message).size(), longText.size());
        QCOMPARE(edit("TxtWebsite")->maxLength(), 1000000);
        QCOMPARE(edit("TxtMessage")->maxLength(), 1000000);
        // A long website shows from its start.
        QCOMPARE(edit("TxtWebsite")->cursorPosition(), 0);
    }

    void scoreLinesAddUpInOrder() {
        auto* list = window_->findChild<QListWidget*>("LstScores");
        list->clear();
        window_->addScore("Eastbrook 64  Marrowdeen 71");
        window_->addScore("Caf\xe9 State 50");
        window_->addScore("");
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(0)->text(), QString("Eastbrook 64  Marrowdeen 71"));
        QCOMPARE(list->item(1)->text(), QString::fromUtf8("Café State 50"));
        QCOMPARE(list->item(2)->text(), QString());
    }
};

QTEST_MAIN(WindowTexts)
#include "window_texts_test.moc"
