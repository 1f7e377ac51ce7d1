#include "app/qt/main_window.h"

#include "app/period_check.h"
#include "app/run_sequences.h"
#include "app/settings.h"
#include "app/stop_report.h"
#include "app/qt/application.h"
#include "app/qt/message_box.h"
#include "app/qt/window_look.h"
#include "text/code_page.h"
#include "text/errors.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>

namespace vr {
namespace {

// The website and the message may hold a whole line of text.
constexpr int kLongTextLength = 1000000;

QString decode(std::string_view bytes) { return QString::fromStdString(codePageToUtf8(bytes)); }

QLabel* makeLabel(QWidget* parent, const char* name, const char* caption, QRect geometry) {
    auto* label = new QLabel(QString::fromLatin1(caption), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setFont(look::windowFont(look::Face::Impact, 16));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    // Transparent: the window's navy shows through.
    label->setAutoFillBackground(false);
    return label;
}

QLineEdit* makeTextBox(QWidget* parent, const char* name, QRect geometry, const QFont& font) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(geometry);
    box->setFont(font);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, look::green());
    palette.setColor(QPalette::Text, look::white());
    box->setPalette(palette);
    return box;
}

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption, QRect geometry,
                        int pixelSize, const QColor& colour) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    button->setFont(look::windowFont(look::Face::RoundedBold, pixelSize, true));
    button->setStyleSheet(look::buttonStyle(colour));
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
    setObjectName(QStringLiteral("Vellor_Results"));
    setWindowTitle(QStringLiteral("Vellor Results"));
    setWindowIcon(applicationIcon());
    setFixedSize(609, 739);  // 9135 x 11085 twips

    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, look::background());
    palette.setColor(QPalette::WindowText, look::white());
    setPalette(palette);
    setAutoFillBackground(true);

    buildControls();
}

MainWindow::~MainWindow() = default;

// The controls in tab order; each one created later lies above the earlier
// ones where they overlap (Label1's box reaches into TxtWebsite's).
void MainWindow::buildControls() {
    using look::twips;

    lblTitle_ = makeLabel(this, "LblTitle", "Marrowdeen", twips(120, 120, 8895, 735));
    lblTitle_->setFont(look::windowFont(look::Face::Impact, 35));
    lblTitle_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblTitle_->setAutoFillBackground(true);
    QPalette titlePalette = lblTitle_->palette();
    titlePalette.setColor(QPalette::Window, look::green());
    lblTitle_->setPalette(titlePalette);

    const QFont dayFont = look::windowFont(look::Face::Impact, 32);
    txtLastDay_ = makeTextBox(this, "TxtLastDay", twips(3120, 960, 1215, 705), dayFont);
    txtLastDay_->setAlignment(Qt::AlignCenter);
    lblLastDay_ = makeLabel(this, "LblLastDay", "Last Day that was Simulated:",
                            twips(120, 1080, 2895, 495));
    txtDaysSimmed_ = makeTextBox(this, "TxtDaysSimmed", twips(3120, 1800, 1215, 705), dayFont);
    txtDaysSimmed_->setAlignment(Qt::AlignCenter);
    lblDaysSimmed_ = makeLabel(this, "LblDaysSimmed",
                               "Number of days that were ran during the last sim period:",
                               twips(120, 1800, 2895, 735));

    cmdGo_ = makeButton(this, "CmdGo", "GO!", twips(7560, 960, 1455, 735), 37, look::green());

    lstScores_ = new QListWidget(this);
    lstScores_->setObjectName(QStringLiteral("LstScores"));
    lstScores_->setGeometry(twips(120, 2640, 8895, 7710));
    lstScores_->setFont(look::windowFont(look::Face::CourierNew, 13));
    lstScores_->setUniformItemSizes(true);
    QPalette listPalette = lstScores_->palette();
    listPalette.setColor(QPalette::Base, look::white());
    listPalette.setColor(QPalette::Text, look::listText());
    lstScores_->setPalette(listPalette);
    // The scroll bars keep the style's own colours: with the window's white
    // text and navy background their arrows would be white on light grey,
    // invisible, and their edges navy.
    for (QScrollBar* bar : {lstScores_->verticalScrollBar(), lstScores_->horizontalScrollBar()})
        bar->setPalette(standardColours(bar->palette()));

    cmdExit_ = makeButton(this, "CmdExit", "Exit", twips(8160, 10440, 855, 555), 21, look::red());

    label1_ = makeLabel(this, "Label1", "Website:", twips(4440, 960, 975, 375));
    label2_ = makeLabel(this, "Label2", "Message:", twips(4440, 1800, 975, 375));

    const QFont smallFont = look::windowFont(look::Face::ArialNarrow, 13);
    txtWebsite_ = makeTextBox(this, "TxtWebsite", twips(4440, 1290, 2775, 360), smallFont);
    txtWebsite_->setMaxLength(kLongTextLength);
    txtWebsite_->setText(QString::fromLatin1(kDefaultWebsite));
    txtMessage_ = makeTextBox(this, "TxtMessage", twips(4440, 2160, 4575, 360), smallFont);
    txtMessage_->setMaxLength(kLongTextLength);

    // Assistive tools (screen readers) name each text box by its caption.
    lblLastDay_->setBuddy(txtLastDay_);
    lblDaysSimmed_->setBuddy(txtDaysSimmed_);
    label1_->setBuddy(txtWebsite_);
    label2_->setBuddy(txtMessage_);

    QWidget* order[] = {txtLastDay_, txtDaysSimmed_, cmdGo_,     lstScores_,
                        cmdExit_,    txtWebsite_,    txtMessage_};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
    txtLastDay_->setFocus();

    connect(cmdGo_, &QPushButton::clicked, this, &MainWindow::go);
    connect(cmdExit_, &QPushButton::clicked, this, &QWidget::close);
}

bool MainWindow::load() {
    try {
        windowLoad(league_, *this, *state_);
        return true;
    } catch (const Stop& stop) {
        // The window has not shown yet: the box stands alone.
        showMessage(nullptr, MessageIcon::Critical, QString::fromUtf8(stopReport(stop, league_)));
    } catch (const std::exception& e) {
        showMessage(nullptr, MessageIcon::Critical, QString::fromLocal8Bit(e.what()));
    }
    return false;
}

void MainWindow::go() {
    try {
        goRun(league_, *this, *state_);
    } catch (const PeriodRejected& rejected) {
        // Nothing has been written: the user mends the text and goes again.
        showMessage(this, MessageIcon::Warning, decode(rejected.message()));
    } catch (const Stop& stop) {
        fail(QString::fromUtf8(stopReport(stop, league_)));
    } catch (const std::exception& e) {
        fail(QString::fromLocal8Bit(e.what()));
    }
}

void MainWindow::fail(const QString& message) {
    showMessage(this, MessageIcon::Critical, message);
    status_ = 1;
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
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
    cmdGo_->setStyleSheet(look::buttonStyle(colour == GoColour::Red ? look::red() : look::green()));
    // The run holds the event loop: paint the red button now, without
    // handling events (a queued click must not start GO! or Exit mid-run).
    if (colour == GoColour::Red) repaint();
}

void MainWindow::beep() { QApplication::beep(); }

} // namespace vr
