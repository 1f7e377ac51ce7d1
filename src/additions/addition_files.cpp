#include "additions/addition_files.h"

#include "text/errors.h"
#include "text/numbers.h"

#include <memory>

namespace vr {
namespace {

constexpr std::size_t kBlock = 256 * 1024;

// Closes the handle on the way out of a stop; the stop that came first is
// the one reported.
class OpenFile {
public:
    OpenFile(FileSystem& fs, const std::string& path, OpenMode mode) : fs_(fs), h_(fs.open(path, mode)) {}
    ~OpenFile() {
        if (open_) {
            try {
                fs_.close(h_);
            } catch (const Stop&) {
            }
        }
    }
    FileSystem::Handle handle() const { return h_; }
    void close() {
        open_ = false;
        fs_.close(h_);
    }

private:
    FileSystem& fs_;
    FileSystem::Handle h_;
    bool open_ = true;
};

} // namespace

std::string readWholeFile(FileSystem& fs, const std::string& path, std::string_view name) {
    return at(name, 0, [&] {
        OpenFile f(fs, path, OpenMode::Input);
        std::string bytes;
        std::unique_ptr<char[]> block(new char[kBlock]);
        for (std::size_t n; (n = fs.read(f.handle(), block.get(), kBlock)) > 0;) bytes.append(block.get(), n);
        f.close();
        return bytes;
    });
}

void writeWholeFile(FileSystem& fs, const std::string& path, std::string_view bytes, std::string_view name) {
    at(name, 0, [&] {
        OpenFile f(fs, path, OpenMode::Output);
        if (!bytes.empty()) fs.write(f.handle(), bytes.data(), bytes.size());
        fs.flush(f.handle());
        f.close();
    });
}

void replaceWholeFile(FileSystem& fs, const std::string& path, std::string_view bytes, std::string_view name) {
    const std::string temporary = path + ".tmp";
    try {
        writeWholeFile(fs, temporary, bytes, name);
        at(name, 0, [&] { fs.rename(temporary, path); });
    } catch (const Stop&) {
        // What is left of the temporary file is of no use to anyone.
        try {
            if (fs.kind(temporary) == EntryKind::File) fs.remove(temporary);
        } catch (const Stop&) {
        }
        throw;
    }
}

std::string crlfLines(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const std::string& l : lines) size += l.size() + 2;
    std::string out;
    out.reserve(size);
    for (const std::string& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

std::optional<long> numberInName(std::string_view name, std::string_view prefix, std::string_view suffix) {
    if (name.size() <= prefix.size() + suffix.size() || name.substr(0, prefix.size()) != prefix ||
        name.substr(name.size() - suffix.size()) != suffix)
        return std::nullopt;
    std::string_view digits = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    if (digits.size() > 6 || digits.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
    long n = std::stol(std::string(digits));
    if (plainDigits(n) != digits) return std::nullopt;
    return n;
}

void makeFolderFor(FileSystem& fs, const std::string& folder, std::string_view name) {
    if (!fs.makeFolders(folder)) throw Stop(StopKind::PathNotFound, std::string(name));
}

} // namespace vr
