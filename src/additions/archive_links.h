// The files an archived page needs beside it: the box score pages its links
// open and the pictures and pages those show, copied from the html folder
// into the season's folder under the same relative paths, so that the
// page's own links keep working after the game rewrites its folders.
#pragma once

#include "additions/addition_files.h"
#include "text/file_system.h"

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace vr {

// A link of a page in `folder` (a path below the html folder, "" for the
// html folder itself) as a path below the html folder ("boxes/box245-3.htm");
// none for a link that names a scheme, starts at a root or leaves the folder.
std::optional<std::string> localTarget(std::string_view folder, std::string_view link);

// The values of the href and src attributes of a page, quoted or not.
std::vector<std::string> linksIn(std::string_view page);

// Copies the files that `page` (lying in the html folder) links to, and
// those that the copied pages link to in turn, from `htmlFolder` into
// `seasonFolder` (host paths). Only files in a subfolder are copied (the
// season's own pages lie at its top); a missing file is left out, and one
// already there with the same bytes is not written again. Returns the
// paths that are there after the batch (copied or already present).
std::set<std::string> copyLinkedFiles(FileSystem& fs, StagedWrites& batch, const std::string& htmlFolder,
                                      const std::string& seasonFolder, std::string_view seasonName,
                                      std::string_view page);

} // namespace vr
