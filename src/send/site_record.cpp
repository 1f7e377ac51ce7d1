#include "send/site_record.h"

#include "host/config_folder.h"
#include "send/send_error.h"
#include "text/publish_whole.h"

#include <cstdlib>

namespace vr {
namespace {

const char* const kHeader = "vellor-results site record 1\n";

} // namespace

std::uint64_t contentHash(std::string_view bytes, std::uint64_t h) {
    for (unsigned char c : bytes) {
        h ^= c;
        h *= 0x100000001b3ull;
    }
    return h;
}

std::string hex16(std::uint64_t value) {
    char hex[16];
    for (int i = 15; i >= 0; --i, value >>= 4) hex[i] = "0123456789abcdef"[value & 0xf];
    return std::string(hex, sizeof hex);
}

std::string siteRecordFile(const std::string& cacheFolder, const std::string& destination) {
    return cacheFolder + "/" + hex16(contentHash(destination)) + ".site";
}

std::string readLocalFile(FileSystem& fs, const std::string& path) {
    std::string bytes;
    try {
        FileSystem::Handle h = fs.open(path, OpenMode::Input);
        try {
            char buffer[65536];
            for (std::size_t n; (n = fs.read(h, buffer, sizeof buffer)) > 0;) bytes.append(buffer, n);
        } catch (const Stop&) {
            fs.close(h);
            throw;
        }
        fs.close(h);
    } catch (const Stop& stop) {
        throw SendError(std::string(stop.message()) + " while reading " + path);
    }
    return bytes;
}

bool replaceLocalFile(FileSystem& fs, const std::string& path, std::string_view bytes, bool ownerOnly) {
    // A record lost to a power cut costs one full send, nothing worse: no
    // flush to the disk, as for the play-by-play index. A file holding
    // secrets is made the owner's before anything is written to it.
    if (!ownerOnly) return publishWhole(fs, path, bytes);
    return publishWhole(fs, path, bytes, [](const std::string& temporary) { return keepToOwner(temporary); });
}

std::optional<std::string> readRecord(FileSystem& fs, const std::string& file, std::string_view header) {
    if (fs.kind(file) != EntryKind::File) return std::nullopt;
    try {
        std::string text = readLocalFile(fs, file);
        if (text.rfind(header, 0) != 0) return std::nullopt;
        return text.substr(header.size());
    } catch (const SendError&) {
        return std::nullopt;
    }
}

SiteRecord loadSiteRecord(FileSystem& fs, const std::string& file) {
    SiteRecord record;
    const std::optional<std::string> text = readRecord(fs, file, kHeader);
    if (!text) return record;
    std::string_view rest(*text);
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        if (end == std::string_view::npos) return SiteRecord{}; // cut short: not to be trusted
        const std::string line(rest.substr(0, end));
        rest.remove_prefix(end + 1);
        if (line.rfind("T ", 0) == 0) {
            record.temporaries.insert(line.substr(2));
            continue;
        }
        // F <size> <time> <hash> <path>
        char* p = nullptr;
        if (line.rfind("F ", 0) != 0) return SiteRecord{};
        SentFile f;
        f.size = std::strtoull(line.c_str() + 2, &p, 10);
        f.modifiedNs = std::strtoll(p, &p, 10);
        f.hash = std::strtoull(p, &p, 16);
        if (*p != ' ') return SiteRecord{};
        record.files[std::string(p + 1)] = f;
    }
    return record;
}

bool saveSiteRecord(FileSystem& fs, const std::string& file, const SiteRecord& record) {
    std::string text = kHeader;
    for (const std::string& t : record.temporaries) text += "T " + t + "\n";
    for (const auto& [path, f] : record.files)
        text += "F " + std::to_string(f.size) + " " + std::to_string(f.modifiedNs) + " " + hex16(f.hash) + " " +
                path + "\n";
    const std::string folder = file.substr(0, file.rfind('/'));
    if (!fs.makeFolders(folder)) return false;
    return replaceLocalFile(fs, file, text);
}

} // namespace vr
