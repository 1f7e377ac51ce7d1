// The website as a folder of this machine, through the file-system seam.
#include "send/send_error.h"
#include "send/transports.h"

namespace vr {
namespace {

class FolderSite : public SiteLink {
public:
    FolderSite(FileSystem& fs, std::string folder) : fs_(fs), folder_(std::move(folder)) {}

    void put(const std::string& localPath, const std::string& remote) override {
        const std::string target = folder_ + "/" + remote;
        const std::string parent = target.substr(0, target.rfind('/'));
        if (!fs_.makeFolders(parent)) throw SendError("the folder " + parent + " could not be made");
        try {
            FileSystem::Handle in = fs_.open(localPath, OpenMode::Input);
            FileSystem::Handle out = -1;
            try {
                out = fs_.open(target, OpenMode::Output);
                char buffer[65536];
                for (std::size_t n; (n = fs_.read(in, buffer, sizeof buffer)) > 0;) fs_.write(out, buffer, n);
                fs_.flush(out);
            } catch (const Stop&) {
                fs_.close(in);
                if (out != -1) fs_.close(out);
                throw;
            }
            fs_.close(in);
            fs_.close(out);
        } catch (const Stop& stop) {
            throw SendError(std::string(stop.message()) + " while copying to " + target);
        }
    }

    void rename(const std::string& from, const std::string& to) override {
        try {
            fs_.rename(folder_ + "/" + from, folder_ + "/" + to);
        } catch (const Stop& stop) {
            throw SendError(std::string(stop.message()) + " while renaming to " + folder_ + "/" + to);
        }
    }

    void remove(const std::string& remote) override {
        const std::string path = folder_ + "/" + remote;
        if (fs_.kind(path) == EntryKind::Missing) return;
        try {
            fs_.remove(path);
        } catch (const Stop& stop) {
            throw SendError(std::string(stop.message()) + " while removing " + path);
        }
    }

    std::optional<std::vector<std::string>> list() override {
        if (fs_.kind(folder_) != EntryKind::Directory) return std::nullopt;
        return fs_.list(folder_);
    }

private:
    FileSystem& fs_;
    std::string folder_;
};

} // namespace

std::unique_ptr<SiteLink> openFolderSite(FileSystem& fs, const std::string& folder) {
    if (fs.kind(folder) != EntryKind::Directory && !fs.makeFolders(folder))
        throw SendError("the folder " + folder + " could not be made");
    return std::make_unique<FolderSite>(fs, folder);
}

} // namespace vr
