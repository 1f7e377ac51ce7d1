#include "app/settings.h"

#include "text/errors.h"

namespace vr {
namespace {

constexpr std::string_view kLeagueSettings = "leaguesettings.txt";
constexpr std::string_view kSettings = "settings2.txt";
constexpr std::string_view kLeagueSettingsTemporary = "leaguesettings.txt.new";
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
}

// Writes `file` as a twin, flushed to the disk as it is closed, renames
// it over the file and flushes the folder: after a power cut the file is
// the old one or the new one, never empty.
template <class Write>
void replaceThroughTwin(LeagueFolder& league, std::string_view file, std::string_view twin, Write write) {
    FileSystem& fs = league.fileSystem();
    std::string target = league.hostPath(file);
    std::string temporary = league.hostPath(twin);
    try {
        auto out = league.openOutput(twin);
        write(*out);
        out->close();
        fs.checkReplaceable(target);
        fs.rename(temporary, target);
        fs.flushFolder(folderOfHostPath(target));
    } catch (Stop& s) {
        fs.remove(temporary);
        // The user knows the file, not its temporary twin.
        Stop stop(s.kind(), std::string(file));
        throw stop.withNote(s.note());
    }
}

} // namespace

void ensureLeagueSettings(LeagueFolder& league) {
    if (league.exists(kLeagueSettings)) return;
    replaceThroughTwin(league, kLeagueSettings, kLeagueSettingsTemporary, [](LineWriter& out) {
        for (int i = 0; i < 20; ++i) out.number(0, After::EndLine);
    });
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
    replaceThroughTwin(league, kSettings, kSettingsTemporary,
                       [&](LineWriter& out) { writeSettings(out, settings); });
}

} // namespace vr
