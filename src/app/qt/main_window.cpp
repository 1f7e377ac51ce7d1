#include "app/qt/main_window.h"

#include "app/run_sequences.h"
#include "app/settings.h"
#include "app/stop_report.h"
#include "app/qt/application.h"
#include "app/qt/message_box.h"
#include "app/qt/send_dialog.h"
#include "app/qt/window_look.h"
#include "host/cache_folder.h"
#include "host/config_folder.h"
#include "text/code_page.h"
#include "text/errors.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QMenu>
#include <QUrl>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>

namespace vr {
namespace {

QString decode(std::string_view bytes) { return QString::fromStdString(codePageToUtf8(bytes)); }

QFont fontOf(const layout::Control& c) {
    return look::windowFont(c.face, look::fontPixels(c.centipoints), c.italic);
}

QLabel* makeLabel(QWidget* parent, const layout::Control& c) {
    auto* label = new QLabel(QString::fromLatin1(c.caption), parent);
    label->setObjectName(QString::fromLatin1(c.name));
    label->setGeometry(look::twips(c.box));
    label->setFont(fontOf(c));
    label->setAlignment(c.centred ? Qt::AlignHCenter | Qt::AlignTop : Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    // Transparent unless filled: the window's navy shows through.
    label->setAutoFillBackground(c.filled);
    if (c.filled) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, look::colour(c.background));
        label->setPalette(palette);
    }
    return label;
}

QLineEdit* makeTextBox(QWidget* parent, const layout::Control& c) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(c.name));
    box->setGeometry(look::twips(c.box));
    box->setFont(fontOf(c));
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, look::colour(c.background));
    palette.setColor(QPalette::Text, look::colour(c.text));
    box->setPalette(palette);
    if (c.centred) box->setAlignment(Qt::AlignCenter);
    return box;
}

QPushButton* makeButton(QWidget* parent, const layout::Control& c) {
    auto* button = new QPushButton(QString::fromLatin1(c.caption), parent);
    button->setObjectName(QString::fromLatin1(c.name));
    button->setGeometry(look::twips(c.box));
    button->setFont(fontOf(c));
    button->setStyleSheet(look::buttonStyle(look::colour(c.background)));
    button->setFocusPolicy(Qt::StrongFocus);
    button->setAutoDefault(false);
    return button;
}

// `palette` with every role of every group set to the style's standard
// colour. Each role is set one by one so that it counts as the widget's own
// and is not taken from the window's palette.
QPalette standardColours(QPalette palette) {
    const QPalette standard = QApplication::style()->standardPalette();
    for (int g = 0; g < QPalette::NColorGroups; ++g) {
        const auto group = static_cast<QPalette::ColorGroup>(g);
        for (int r = 0; r < QPalette::NColorRoles; ++r) {
            const auto role = static_cast<QPalette::ColorRole>(r);
            if (role == QPalette::NoRole) continue;
            palette.setBrush(group, role, standard.brush(group, role));
        }
    }
    return palette;
}

} // namespace

MainWindow::MainWindow(LeagueFolder& league, QWidget* parent)
    : QWidget(parent), league_(league), state_(std::make_unique<LeagueState>()) {
    state_->cacheFolder = cacheFolderFromEnvironment();
    setObjectName(QString::fromLatin1(layout::kWindowName));
    setWindowTitle(QString::fromLatin1(layout::kCaption));
    setWindowIcon(applicationIcon());
    setFixedSize(look::twips(0, 0, layout::kClientWidthTwips, layout::kClientHeightTwips).size());

    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, look::background());
    palette.setColor(QPalette::WindowText, look::white());
    setPalette(palette);
    setAutoFillBackground(true);

    buildControls();
    useSender(sendDue);
    // Ctrl+, opens the sending's settings, as in most programs.
    auto* settings = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma), this);
    connect(settings, &QShortcut::activated, this, &MainWindow::openSendSettings);
    // A run that waits for another in the league folder says so in the
    // caption, the one place a window that holds its thread still shows.
    league_.setHoldNotice([this](std::string_view notice) {
        QString title = QString::fromLatin1(layout::kCaption);
        if (notice == LeagueFolder::kHoldWaiting)
            title += QStringLiteral(" \u2014 ") + QString::fromUtf8(notice.data(), static_cast<qsizetype>(notice.size()));
        setWindowTitle(title);
    });
}

MainWindow::~MainWindow() { league_.setHoldNotice({}); }

// The controls in tab order; each one created later lies above the earlier
// ones where they overlap.
void MainWindow::buildControls() {
    using namespace layout;
    const Control* c = kControls;

    lblTitle_ = makeLabel(this, c[LblTitle]);
    txtLastDay_ = makeTextBox(this, c[TxtLastDay]);
    lblLastDay_ = makeLabel(this, c[LblLastDay]);
    txtDaysSimmed_ = makeTextBox(this, c[TxtDaysSimmed]);
    lblDaysSimmed_ = makeLabel(this, c[LblDaysSimmed]);
    cmdGo_ = makeButton(this, c[CmdGo]);

    const Control& list = c[LstScores];
    lstScores_ = new QListWidget(this);
    lstScores_->setObjectName(QString::fromLatin1(list.name));
    lstScores_->setGeometry(look::twips(list.box));
    lstScores_->setFont(fontOf(list));
    lstScores_->setUniformItemSizes(true);
    QPalette listPalette = lstScores_->palette();
    listPalette.setColor(QPalette::Base, look::colour(list.background));
    listPalette.setColor(QPalette::Text, look::colour(list.text));
    lstScores_->setPalette(listPalette);
    // The scroll bars keep the style's own colours: with the window's white
    // text and navy background their arrows would be white on light grey,
    // invisible, and their edges navy.
    for (QScrollBar* bar : {lstScores_->verticalScrollBar(), lstScores_->horizontalScrollBar()})
        bar->setPalette(standardColours(bar->palette()));

    cmdExit_ = makeButton(this, c[CmdExit]);
    label1_ = makeLabel(this, c[Label1]);
    label2_ = makeLabel(this, c[Label2]);
    txtWebsite_ = makeTextBox(this, c[TxtWebsite]);
    txtWebsite_->setMaxLength(kLongTextLength);
    txtWebsite_->setText(QString::fromLatin1(kDefaultWebsite));
    txtMessage_ = makeTextBox(this, c[TxtMessage]);
    txtMessage_->setMaxLength(kLongTextLength);

    // Assistive tools (screen readers) name each text box by its caption.
    lblLastDay_->setBuddy(txtLastDay_);
    lblDaysSimmed_->setBuddy(txtDaysSimmed_);
    label1_->setBuddy(txtWebsite_);
    label2_->setBuddy(txtMessage_);

    // Focus moves through the controls that take it, in the table's order.
    QWidget* byIndex[kControlCount] = {lblTitle_, txtLastDay_, lblLastDay_, txtDaysSimmed_,
                                       lblDaysSimmed_, cmdGo_, lstScores_, cmdExit_,
                                       label1_, label2_, txtWebsite_, txtMessage_};
    QWidget* previous = nullptr;
    for (std::size_t i = 0; i < kControlCount; ++i) {
        if (!c[i].takesFocus) continue;
        if (previous) setTabOrder(previous, byIndex[i]);
        else byIndex[i]->setFocus();
        previous = byIndex[i];
    }

    connect(cmdGo_, &QPushButton::clicked, this, &MainWindow::go);
    connect(cmdExit_, &QPushButton::clicked, this, &QWidget::close);
}

bool MainWindow::load() {
    const HandlerEnd end = guardedRun(league_, [this] { windowLoad(league_, *this, *state_); });
    if (end.how == HandlerEnd::How::Done) {
        // Another league than the default is named in the title, so that the
        // commissioner of two leagues sees which one is open.
        // Its folder's name is the host's: UTF-8 on Linux.
        if (league_.leagueName() != LeagueFolder::kDefaultLeague)
            lblTitle_->setText(QString::fromStdString(nameToUtf8(league_.leagueName())));
        return true;
    }
    // The window has not shown yet: the box stands alone.
    showMessage(nullptr, MessageIcon::Critical, QString::fromStdString(end.message));
    return false;
}

void MainWindow::go() {
    bool published = false;
    const HandlerEnd end = guardedRun(league_, [&] { published = goRun(league_, *this, *state_); });
    // Rejected: nothing has been written; the user mends the text and goes again.
    if (end.how == HandlerEnd::How::Rejected) showMessage(this, MessageIcon::Warning, QString::fromStdString(end.message));
    if (end.how == HandlerEnd::How::Stopped) fail(QString::fromStdString(end.message));
    if (!published) return;
    // Periods of another timeline left the archive: worth a word.
    if (!state_->archiveNote.empty()) {
        QString note = QString::fromUtf8(state_->archiveNote);
        note[0] = note[0].toUpper();
        showMessage(this, MessageIcon::Warning, note + ".");
    }
    sendOn();
}

// After the run's lock is let go: sending waits on the network, on a thread
// of its own, and the status line tells how it goes. A failure shows there
// in red; the next GO! sends what is due.
void MainWindow::sendOn() {
    sending_->startAfterGo(league_, *state_, *this);
    showSendStatus();
}

void MainWindow::useSender(SendBeside::Sender sender, SendBeside::Clock clock) {
    sending_ = std::make_unique<SendBeside>(
        std::move(sender),
        [this] {
            // From the sending thread: the line is redrawn on the window's own.
            QMetaObject::invokeMethod(this, [this] { showSendStatus(); }, Qt::QueuedConnection);
        },
        std::move(clock));
}

void MainWindow::showSendStatus() {
    const StatusLine line = sending_->line();
    if (line.text.empty() && !statusLine_) return;
    if (!statusLine_) {
        statusLine_ = new QLabel(this);
        statusLine_->setObjectName(QStringLiteral("StatusLine"));
        statusLine_->setGeometry(look::twips(layout::kStatusLine));
        statusLine_->setFont(look::windowFont(layout::Face::ArialNarrow, look::fontPixels(975), false));
        statusLine_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        statusLine_->setCursor(Qt::PointingHandCursor);
        statusLine_->installEventFilter(this);
        statusLine_->show();
    }
    const QString text = QString::fromStdString(line.text);
    // One line: a long failure is cut with an ellipsis; a click shows it whole.
    statusLine_->setText(statusLine_->fontMetrics().elidedText(text, Qt::ElideRight, statusLine_->width()));
    statusLine_->setAccessibleName(text);
    statusLine_->setToolTip(line.failure ? tr("Click to read the whole message") : QString());
    QPalette palette = statusLine_->palette();
    palette.setColor(QPalette::WindowText, look::colour(line.failure ? layout::kStatusFailure : layout::kWhite));
    statusLine_->setPalette(palette);
}

void MainWindow::showWholeStatus() {
    const StatusLine line = sending_->line();
    const std::string& whole = line.whole.empty() ? line.text : line.whole;
    if (whole.empty()) return;
    showMessage(this, line.failure ? MessageIcon::Warning : MessageIcon::Information, QString::fromStdString(whole));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == statusLine_ && event->type() == QEvent::MouseButtonRelease) {
        showWholeStatus();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::openSendSettings() {
    SendDialog dialog(configFolderFromEnvironment(), this);
    dialog.exec();
}

void MainWindow::openLeagueFile(const char* file, bool itsFolder) {
    try {
        std::string path = league_.hostPath(file);
        if (itsFolder) path = path.substr(0, path.rfind('/'));
        QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
    } catch (const Stop&) {
        // No league folder: nothing to open.
    }
}

// The window's background menu: the sending's message and the league's
// folder and scoreboard in the system's own file manager and browser.
void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* sending = menu.addAction(tr("Sending\u2026"), this, &MainWindow::openSendSettings);
    sending->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    menu.addSeparator();
    menu.addAction(tr("Open the league folder"), this, [this] { openLeagueFile("x", true); });
    menu.addAction(tr("Open the scoreboard"), this, [this] { openLeagueFile("html\\scoreboard.html", false); });
    if (!sending_->line().text.empty()) menu.addAction(tr("Show the sending's message"), this, [this] { showWholeStatus(); });
    menu.exec(event->globalPos());
}

void MainWindow::fail(const QString& message) {
    showMessage(this, MessageIcon::Critical, message);
    status_ = 1;
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A send stops at its next safe point, between two files.
    sending_->stopAndWait();
    event->accept();
    emit finished(status_);
}

QLineEdit* MainWindow::box(TextBox box) const {
    switch (box) {
    case TextBox::LastDay: return txtLastDay_;
    case TextBox::DaysSimmed: return txtDaysSimmed_;
    case TextBox::Website: return txtWebsite_;
    case TextBox::Message: return txtMessage_;
    }
    return txtLastDay_;
}

std::string MainWindow::text(TextBox which) const {
    QString text = box(which)->text();
    // The website and the message are one line each: a pasted line end
    // becomes a space.
    if (which == TextBox::Website || which == TextBox::Message) {
        text.replace(QLatin1Char('\r'), QLatin1Char(' '));
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    }
    return utf8ToCodePage(text.toStdString());
}

void MainWindow::setText(TextBox which, std::string_view bytes) {
    QLineEdit* edit = box(which);
    edit->setText(decode(bytes));
    // Show a long text from its start.
    edit->setCursorPosition(0);
}

void MainWindow::addScore(std::string_view bytes) { lstScores_->addItem(decode(bytes)); }

void MainWindow::setGoColour(GoColour colour) {
    cmdGo_->setStyleSheet(look::buttonStyle(look::colour(
        colour == GoColour::Red ? layout::kRed : layout::kControls[layout::CmdGo].background)));
    // The run holds the event loop: paint the red button now, without
    // handling events (a queued click must not start GO! or Exit mid-run).
    if (colour == GoColour::Red) repaint();
}

void MainWindow::beep() { QApplication::beep(); }

} // namespace vr
