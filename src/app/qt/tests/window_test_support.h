// Shared by the window's Qt tests: a league folder on disk in a temporary
// drive folder, file helpers, and a recorder standing in for message boxes.
#pragma once

#include "league/league_folder.h"
#include "app/qt/application.h"
#include "app/qt/message_box.h"
#include "text/file_system.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include <string>
#include <vector>

namespace vr::windowtest {

inline const char* const kLeagueRelative =
    "Users/Public/Documents/GDS/Fast Break College Basketball 2010/leaguedata/Marrowdeen";

// A drive folder holding the smallest league a run reads through: a
// standings page without teams and a schedule page without games.
struct DiskLeague {
    QTemporaryDir drive;
    LeagueFolder league{hostFileSystem(), drive.path().toStdString()};

    explicit DiskLeague(bool makeLeagueFolder = true) {
        if (!makeLeagueFolder) return;
        QDir(drive.path()).mkpath(QString::fromLatin1(kLeagueRelative) + "/html");
        put("html/standings.htm", "</html>\r\n");
        put("html/leagueschedule.htm",
            "       <td class=header width=75>&nbsp;Date</td>\r\n\r\n\r\n\r\n\r\n</html>\r\n");
    }
    // Day 245 simulated, its one game's box score page with two empty team
    // blocks: a period GO! can publish (the schedule lists no game yet).
    void simulateDay245() const {
        QDir(drive.path()).mkpath(QString::fromLatin1(kLeagueRelative) + "/pbp");
        QDir(drive.path()).mkpath(QString::fromLatin1(kLeagueRelative) + "/html/boxes");
        put("pbp/245-1.txt", QByteArray());
        const QByteArray header = "   <tr><td class=tableheader colspan=14>&nbsp;";
        const QByteArray totals = "       <td class=main align=left>&nbsp;<a class=>Totals</td>\r\n";
        put("html/boxes/box245-1.htm", "<html><table>\r\n" + header + "A</td></tr>\r\n" + totals + header +
                                           "B</td></tr>\r\n" + totals + "</table></html>\r\n");
    }
    // The host path of a league file, "/"-separated ("html/standings.htm").
    QString path(const QString& file) const {
        return drive.path() + "/" + QString::fromLatin1(kLeagueRelative) + "/" + file;
    }
    bool has(const QString& file) const { return QFile::exists(path(file)); }
    QByteArray get(const QString& file) const {
        QFile f(path(file));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void put(const QString& file, const QByteArray& bytes) const {
        QFile f(path(file));
        if (f.open(QIODevice::WriteOnly)) f.write(bytes);
    }
    // Every file of the league folder with its bytes, to compare before and
    // after something that must write nothing.
    QMap<QString, QByteArray> contents() const {
        QMap<QString, QByteArray> all;
        QDir root(path(QString()));
        const QStringList entries =
            root.entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
        for (const QString& name : entries) all.insert(name, get(name));
        const QStringList html = QDir(path("html")).entryList(QDir::Files | QDir::NoDotAndDotDot);
        for (const QString& name : html) all.insert("html/" + name, get("html/" + name));
        return all;
    }
};

// What a message box would have shown, and whether the window was showing.
struct Shown {
    MessageIcon icon;
    QString text;
    bool windowVisible;
};

inline std::vector<Shown>& shownMessages() {
    static std::vector<Shown> shown;
    return shown;
}

inline QWidget* theWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("Vellor_Results")) return w;
    return nullptr;
}

inline void recordMessage(QWidget*, MessageIcon icon, const QString& text) {
    QWidget* window = theWindow();
    shownMessages().push_back(Shown{icon, text, window && window->isVisible()});
}

// Message boxes are recorded, not shown.
inline void recordMessages() {
    shownMessages().clear();
    showMessage = &recordMessage;
}

} // namespace vr::windowtest
