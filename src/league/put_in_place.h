// Files written beside their targets as twins, put in place together: every
// target is checked first, then each twin renamed over its file.
#pragma once

#include "text/file_system.h"

#include <string>
#include <vector>

namespace vr {

struct StagedFile {
    std::string file;      // as stops name it
    std::string target;    // host paths
    std::string temporary;
};

// Twins are written, flushed and closed first; after the renames each
// folder is flushed. On a stop the twins not yet renamed are removed, and the stop says which
// files were already replaced, if any.
void putInPlace(FileSystem& fs, const std::vector<StagedFile>& staged);

// The folder of a host path ("a/b/c.txt" -> "a/b").
std::string folderOfHostPath(const std::string& path);

} // namespace vr
