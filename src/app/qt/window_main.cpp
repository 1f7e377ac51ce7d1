#include "app/qt/window_main.h"

#include "league/league_folder.h"
#include "app/qt/application.h"
#include "app/qt/main_window.h"
#include "text/file_system.h"

#include <QApplication>
#include <QStyleFactory>

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

int runWindow(int argc, char** argv) {
    QApplication app(argc, argv);
    setUpApplication();
    LeagueFolder league(hostFileSystem(), LeagueFolder::driveFromEnvironment());
    return runWindowOn(league);
}

} // namespace vr
