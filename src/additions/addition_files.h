// Whole files for the additions, through the file-system seam: read in one
// block, written at once, or replaced by a renamed temporary file so that a
// reader never sees half of one. `name` is the file as stops name it
// ("html\periods.html").
#pragma once

#include "text/file_system.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vr {

std::string readWholeFile(FileSystem& fs, const std::string& path, std::string_view name);
void writeWholeFile(FileSystem& fs, const std::string& path, std::string_view bytes, std::string_view name);
void replaceWholeFile(FileSystem& fs, const std::string& path, std::string_view bytes, std::string_view name);

// Lines joined, each ended with CR LF.
std::string crlfLines(const std::vector<std::string>& lines);

// The number in a name of the form <prefix><number><suffix>, the number
// written as plain digits ("scoreboard-day249.html"); none for other names.
std::optional<long> numberInName(std::string_view name, std::string_view prefix, std::string_view suffix);

// The folder made when missing; "Path not found" naming `name` when it
// cannot be (a file in its place).
void makeFolderFor(FileSystem& fs, const std::string& folder, std::string_view name);

} // namespace vr
