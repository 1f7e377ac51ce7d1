// Whole files for the additions, through the file-system seam: read in one
// block, written at once, or replaced by a renamed temporary file so that a
// reader never sees half of one. `name` is the file as stops name it
// ("html\periods.html").
#pragma once

#include "league/put_in_place.h"
#include "text/file_system.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vr {

std::string readWholeFile(FileSystem& fs, const std::string& path, std::string_view name);
void writeWholeFile(FileSystem& fs, const std::string& path, std::string_view bytes, std::string_view name);

// The additions of one run, all or nothing: each file is written as a twin
// beside its target and put in place by complete(); a batch left
// unfinished removes its twins, and every file stays as it was.
class StagedWrites {
public:
    explicit StagedWrites(FileSystem& fs) : fs_(fs) {}
    ~StagedWrites();
    StagedWrites(const StagedWrites&) = delete;
    StagedWrites& operator=(const StagedWrites&) = delete;

    // A folder in the target's place stops here, as an open of it would.
    void write(const std::string& path, std::string_view bytes, std::string_view name);
    // The bytes written for `path` in this batch; none when it was not.
    const std::string* staged(const std::string& path) const;
    // The names written in this batch within `folder`.
    std::vector<std::string> stagedNames(const std::string& folder) const;
    void complete();

private:
    void removeTwins();

    FileSystem& fs_;
    std::vector<StagedFile> files_;
    std::map<std::string, std::string> bytes_; // by target
    bool done_ = false;
};

// Lines joined, each ended with CR LF.
std::string crlfLines(const std::vector<std::string>& lines);

// The number in a name of the form <prefix><number><suffix>, the number
// written as plain digits ("scoreboard-day249.html"); none for other names.
std::optional<long> numberInName(std::string_view name, std::string_view prefix, std::string_view suffix);

// The folder made when missing; "Path not found" naming `name` when it
// cannot be (a file in its place).
void makeFolderFor(FileSystem& fs, const std::string& folder, std::string_view name);

} // namespace vr
