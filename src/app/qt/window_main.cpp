#include "app/qt/window_main.h"

#include "league/league_folder.h"
#include "host/drive.h"
#include "app/last_league.h"
#include "app/qt/application.h"
#include "app/qt/main_window.h"
#include "text/file_system.h"

#include <QApplication>
#include <QStyleFactory>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

// The resources are linked from a static library: register them by hand,
// once.
static void initialiseResources() {
    static const bool done = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    (void)done;
}

namespace vr {

void setUpApplication() {
    initialiseResources();
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setWindowIcon(applicationIcon());
    QApplication::setQuitOnLastWindowClosed(false);
}

QIcon applicationIcon() {
    initialiseResources();
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/vellor-results-%1.png").arg(size), QSize(size, size));
    return icon;
}

int runWindowOn(LeagueFolder& league) {
    MainWindow window(league);
    if (!window.load()) return 1;
    QObject::connect(&window, &MainWindow::finished, qApp,
                     [](int status) { QCoreApplication::exit(status); });
    window.show();
    return QApplication::exec();
}

namespace {

const char* const kNoDisplayAdvice = "; start it with --run for the run without a window (see --help).\n";

[[maybe_unused]] bool unset(const char* name) {
    const char* value = std::getenv(name);
    return !value || !*value;
}

// Messages Qt gives while it looks for its display, held back: when no
// display opens, the user reads our one line instead of Qt's and no abort.
std::vector<std::pair<QtMsgType, std::string>>* heldMessages = nullptr;
QtMessageHandler qtHandler = nullptr;

void holdWhileStarting(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fputs("vellor-results: the display cannot be opened", stderr);
        std::fputs(kNoDisplayAdvice, stderr);
        std::fflush(stderr);
        std::_Exit(2);
    }
    if (heldMessages) heldMessages->emplace_back(type, text.toStdString());
    (void)context;
}

// Starts Qt's application, or ends the program with status 2 when there is
// no display to open the window on.
std::unique_ptr<QApplication> startApplication(int& argc, char** argv) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // A platform named by the user (offscreen, vnc) needs no display.
    if (unset("QT_QPA_PLATFORM") && unset("DISPLAY") && unset("WAYLAND_DISPLAY")) {
        std::fputs("vellor-results: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are unset)",
                   stderr);
        std::fputs(kNoDisplayAdvice, stderr);
        std::exit(2);
    }
#endif
    std::vector<std::pair<QtMsgType, std::string>> held;
    heldMessages = &held;
    qtHandler = qInstallMessageHandler(holdWhileStarting);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(qtHandler);
    heldMessages = nullptr;
    for (const auto& [type, text] : held)
        qt_message_output(type, QMessageLogContext(), QString::fromStdString(text));
    return app;
}

} // namespace

int runWindow(int argc, char** argv) {
    std::unique_ptr<QApplication> app = startApplication(argc, argv);
    setUpApplication();
    LeagueFolder league(hostFileSystem(), windowPlace(hostFileSystem()));
    const int status = runWindowOn(league);
    rememberWindowLeague(league);
    return status;
}

} // namespace vr
