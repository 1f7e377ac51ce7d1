// The website's mirror of the league's html folder: only what changed since
// the destination last confirmed it, each file under a temporary name and
// renamed over its target when whole, pages after what they link to.
#pragma once

#include "send/site_link.h"
#include "text/file_system.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vr {

struct MirrorProgress {
    std::size_t filesDone = 0, files = 0;
    std::uint64_t bytesDone = 0, bytes = 0;
};
using MirrorProgressFn = std::function<void(const MirrorProgress&)>;

struct MirrorResult {
    std::size_t localFiles = 0; // in the html folder
    std::size_t sent = 0;
    std::uint64_t bytesSent = 0;
};

// The temporary a file goes up under, in its target's folder: hidden from
// listings of the site and never a page's own name.
std::string temporaryName(const std::string& remote);

// The order files go up in: anything not a page (images, styles) first,
// then pages in folders (box scores, the archive's), then the pages of the
// html folder itself, scoreboard.html and periods.html last, as they link to
// all the others.
int sendingRank(const std::string& remote);

// Mirrors `htmlFolder` through `link`, the record kept in `recordFile`
// (updated as files are confirmed, also when a SendError ends the send).
MirrorResult mirrorFolder(FileSystem& fs, const std::string& htmlFolder, SiteLink& link,
                          const std::string& recordFile, const MirrorProgressFn& progress = {});

} // namespace vr
