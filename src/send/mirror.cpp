#include "send/mirror.h"

#include "send/send_error.h"
#include "send/site_record.h"

#include <algorithm>
#include <chrono>

namespace vr {
namespace {

struct LocalFile {
    std::string remote;
    FileStat stat;
};

void walk(FileSystem& fs, const std::string& folder, const std::string& prefix, std::vector<LocalFile>& out) {
    for (const std::string& name : fs.list(folder)) {
        const std::string path = folder + "/" + name;
        FileStat st = fs.stat(path);
        if (st.kind == EntryKind::Directory) walk(fs, path, prefix + name + "/", out);
        else if (st.kind == EntryKind::File) out.push_back({prefix + name, st});
    }
}

bool endsWith(const std::string& s, std::string_view end) {
    if (s.size() < end.size()) return false;
    for (std::size_t i = 0; i < end.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(s[s.size() - end.size() + i])) != end[i]) return false;
    return true;
}

// The record is saved now and then while files go up, so that a cut send
// costs at most the files since.
class RecordKeeper {
public:
    RecordKeeper(FileSystem& fs, const std::string& file, SiteRecord& record)
        : fs_(fs), file_(file), record_(record), last_(std::chrono::steady_clock::now()) {}
    void changed() {
        ++unsaved_;
        if (unsaved_ >= 200 || std::chrono::steady_clock::now() - last_ > std::chrono::seconds(2)) save();
    }
    void save() {
        saveSiteRecord(fs_, file_, record_);
        unsaved_ = 0;
        last_ = std::chrono::steady_clock::now();
    }

private:
    FileSystem& fs_;
    const std::string& file_;
    SiteRecord& record_;
    std::chrono::steady_clock::time_point last_;
    int unsaved_ = 0;
};

} // namespace

std::string temporaryName(const std::string& remote) {
    const std::size_t slash = remote.rfind('/');
    const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
    return remote.substr(0, start) + ".vr-sending." + remote.substr(start);
}

int sendingRank(const std::string& remote) {
    const bool page = endsWith(remote, ".html") || endsWith(remote, ".htm");
    if (!page) return 0;
    if (remote.find('/') != std::string::npos) return 1;
    if (remote == "scoreboard.html") return 3;
    if (remote == "periods.html") return 4;
    return 2;
}

MirrorResult mirrorFolder(FileSystem& fs, const std::string& htmlFolder, SiteLink& link,
                          const std::string& recordFile, const MirrorProgressFn& progress) {
    if (fs.kind(htmlFolder) != EntryKind::Directory) throw SendError("no html folder to send: " + htmlFolder);
    std::vector<LocalFile> local;
    walk(fs, htmlFolder, "", local);
    SiteRecord record = loadSiteRecord(fs, recordFile);
    RecordKeeper keeper(fs, recordFile, record);

    // What differs from the record: the size and time first, the bytes only
    // where those changed (a file written again with the same bytes is not
    // sent again).
    std::vector<std::pair<LocalFile, std::uint64_t>> due;
    bool recordChanged = false;
    for (LocalFile& f : local) {
        auto known = record.files.find(f.remote);
        if (known != record.files.end() && f.stat.known && known->second.size == f.stat.size &&
            known->second.modifiedNs == f.stat.modifiedNs)
            continue;
        const std::uint64_t hash = contentHash(readLocalFile(fs, htmlFolder + "/" + f.remote));
        if (known != record.files.end() && known->second.hash == hash && known->second.size == f.stat.size) {
            known->second.modifiedNs = f.stat.modifiedNs;
            recordChanged = true;
            continue;
        }
        due.emplace_back(f, hash);
    }
    std::stable_sort(due.begin(), due.end(), [](const auto& a, const auto& b) {
        const int ra = sendingRank(a.first.remote), rb = sendingRank(b.first.remote);
        return ra != rb ? ra < rb : a.first.remote < b.first.remote;
    });

    MirrorResult result;
    result.localFiles = local.size();
    MirrorProgress shown;
    shown.files = due.size();
    for (const auto& d : due) shown.bytes += d.first.stat.size;

    // Temporaries a cut send left, of files not going up now (those that
    // are, are overwritten), then the ones this send may leave, noted before
    // any goes up.
    std::set<std::string> left;
    for (const auto& d : due) left.insert(temporaryName(d.first.remote));
    for (const std::string& t : record.temporaries)
        if (!left.count(t)) link.remove(t);
    record.temporaries = left;
    if (recordChanged || !due.empty() || !record.temporaries.empty()) keeper.save();

    // Whether the server renames over a file is learnt from the first
    // rename onto one it holds: where it will not, each file it holds is
    // removed just before its rename, in the same request as the sending.
    // A file the remote does not hold is renamed without a removal first,
    // unless the record proved not to list what the remote holds.
    bool renamesOver = true;
    bool recordMisses = false;
    try {
        for (const auto& [f, hash] : due) {
            const std::string temporary = temporaryName(f.remote);
            const bool recorded = record.files.count(f.remote) != 0;
            const bool removeFirst = !renamesOver && (recorded || recordMisses);
            try {
                link.putInPlace(htmlFolder + "/" + f.remote, temporary, f.remote, removeFirst);
            } catch (const RenameRefused&) {
                if (removeFirst) throw;
                // Up whole under its temporary, and the server will not
                // rename over the file there.
                renamesOver = false;
                if (!recorded) recordMisses = true;
                link.replace(temporary, f.remote);
            }
            record.files[f.remote] = SentFile{f.stat.size, f.stat.modifiedNs, hash};
            record.temporaries.erase(temporary);
            keeper.changed();
            ++result.sent;
            result.bytesSent += f.stat.size;
            if (progress) {
                ++shown.filesDone;
                shown.bytesDone += f.stat.size;
                progress(shown);
            }
        }
    } catch (const SendError&) {
        keeper.save();
        throw;
    }
    if (!due.empty()) keeper.save();
    return result;
}

} // namespace vr
