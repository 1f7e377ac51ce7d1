// What a destination is known to hold: every file as last confirmed on the
// remote, kept in the cache folder, one record per destination. A record
// that is lost or not ours reads as empty: one full send, nothing worse.
#pragma once

#include "text/file_system.h"

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>

namespace vr {

struct SentFile {
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::uint64_t hash = 0;
};

struct SiteRecord {
    std::map<std::string, SentFile> files; // by remote path
    std::set<std::string> temporaries;      // that a cut send may have left
};

// The record's file for a destination (its address and user, no secret).
std::string siteRecordFile(const std::string& cacheFolder, const std::string& destination);

SiteRecord loadSiteRecord(FileSystem& fs, const std::string& file);
// Written beside and renamed over; false when it could not be (the next send
// then sends more than it needs, nothing is lost).
bool saveSiteRecord(FileSystem& fs, const std::string& file, const SiteRecord& record);

// A content hash (64-bit FNV-1a) of bytes, and of a name for file names.
std::uint64_t contentHash(std::string_view bytes, std::uint64_t h = 0xcbf29ce484222325ull);
std::string hex16(std::uint64_t value);

// A host file's bytes, or a SendError naming it.
std::string readLocalFile(FileSystem& fs, const std::string& path);
// A record file's text after its first line, when that is `header`; none
// when the file is missing, unreadable or not such a record.
std::optional<std::string> readRecord(FileSystem& fs, const std::string& file, std::string_view header);
// Replaces a file by writing beside it and renaming; false on any failure.
// `ownerOnly`: the file is made the user's alone before anything is in it.
bool replaceLocalFile(FileSystem& fs, const std::string& path, std::string_view bytes, bool ownerOnly = false);

} // namespace vr
