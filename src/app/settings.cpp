#include "app/settings.h"

#include "text/errors.h"

namespace vr {
namespace {

constexpr std::string_view kLeagueSettings = "leaguesettings.txt";
constexpr std::string_view kSettings = "settings2.txt";
constexpr std::string_view kSettingsTemporary = "settings2.txt.new";

// Each value is one line: a line end pasted into a box becomes a space.
std::string oneLine(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

void writeSettings(LineWriter& out, const Settings& settings) {
    out.line(oneLine(settings.website));
    out.line(oneLine(settings.message));
    out.close();
}

} // namespace

void ensureLeagueSettings(LeagueFolder& league) {
    if (league.exists(kLeagueSettings)) return;
    auto out = league.openOutput(kLeagueSettings);
    for (int i = 0; i < 20; ++i) out->number(0, After::EndLine);
    out->close();
}

Settings loadSettings(LeagueFolder& league) {
    // Made as every save is, so that a first start cut short leaves no
    // empty settings file to be read as the settings from then on.
    if (!league.exists(kSettings)) saveSettings(league, Settings{kDefaultWebsite, ""});
    Settings settings;
    auto in = league.openInput(kSettings);
    if (!in->atEnd()) settings.website = std::string(in->readLine());
    if (!in->atEnd()) settings.message = std::string(in->readLine());
    in->close();
    return settings;
}

void saveSettings(LeagueFolder& league, const Settings& settings) {
    FileSystem& fs = league.fileSystem();
    std::string target = league.hostPath(kSettings);
    std::string temporary = league.hostPath(kSettingsTemporary);
    try {
        auto out = league.openOutput(kSettingsTemporary);
        writeSettings(*out, settings);
        fs.rename(temporary, target);
    } catch (Stop& s) {
        fs.remove(temporary);
        // The user knows the settings file, not its temporary twin.
        Stop stop(s.kind(), std::string(kSettings));
        throw stop.withNote(s.note());
    }
}

} // namespace vr
