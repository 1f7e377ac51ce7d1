// The program's one window. It owns everything the two handlers keep
// between them (the league state, the score list) and is the WindowPort the
// run sequences talk to; the sequences themselves live in the core.
#pragma once

#include "league/league_folder.h"
#include "results/league_state.h"
#include "app/send_beside.h"
#include "app/window_port.h"

#include <QWidget>

#include <memory>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vr {

class MainWindow final : public QWidget, public WindowPort {
    Q_OBJECT

public:
    explicit MainWindow(LeagueFolder& league, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The window load, to run before the window first shows. False after a
    // stop, whose message has then been shown.
    bool load();

    std::string text(TextBox box) const override;
    void setText(TextBox box, std::string_view bytes) override;
    void addScore(std::string_view bytes) override;
    void setGoColour(GoColour colour) override;
    void beep() override;

    // The sending behind the window (tests put a fake and a fixed clock in
    // their place).
    void useSender(SendBeside::Sender sender, SendBeside::Clock clock = {});
    // The status line as it shows now (empty: none shows).
    StatusLine sendStatus() const { return sending_->line(); }

signals:
    // The window has closed; the program ends with `status`.
    void finished(int status);

protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void go();
    void sendOn();
    void showSendStatus();
    void showWholeStatus();
    void openSendSettings();
    void openLeagueFile(const char* file, bool itsFolder);
    void fail(const QString& message);
    QLineEdit* box(TextBox box) const;

    LeagueFolder& league_;
    // On the heap: the game table alone is far too large for a stack frame.
    std::unique_ptr<LeagueState> state_;
    int status_ = 0;
    std::unique_ptr<SendBeside> sending_;
    // Made at the first word of a send: without a profile the window holds
    // its twelve controls alone.
    QLabel* statusLine_ = nullptr;

    QLabel* lblTitle_ = nullptr;
    QLineEdit* txtLastDay_ = nullptr;
    QLabel* lblLastDay_ = nullptr;
    QLineEdit* txtDaysSimmed_ = nullptr;
    QLabel* lblDaysSimmed_ = nullptr;
    QPushButton* cmdGo_ = nullptr;
    QListWidget* lstScores_ = nullptr;
    QPushButton* cmdExit_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLineEdit* txtWebsite_ = nullptr;
    QLineEdit* txtMessage_ = nullptr;
};

} // namespace vr
