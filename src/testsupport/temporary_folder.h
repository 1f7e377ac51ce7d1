// Temporary folders and helper programs for the tests, on either host.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vr::testing {

// A new, empty folder in the system's temporary folder, named from `stem`
// and a random part; empty when none could be made.
std::filesystem::path makeTemporaryFolder(std::string_view stem);

// Runs a command line through the system's shell with its output sent away;
// its exit status, or -1.
int runQuietly(const std::string& command);

// A file's modification time, read and set to the host's full resolution
// (the library's own calls keep whole seconds on some hosts).
std::filesystem::file_time_type modifiedTime(const std::filesystem::path& path);
void setModifiedTime(const std::filesystem::path& path, std::filesystem::file_time_type time);

// The name of a program built beside the tests: "name", or "name.exe".
std::string programName(std::string_view name);

} // namespace vr::testing
