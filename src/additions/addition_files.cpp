#include "additions/addition_files.h"

#include "league/league_folder.h"

#include "text/errors.h"
#include "text/file_handle.h"
#include "text/numbers.h"

#include <memory>

namespace vr {
namespace {

constexpr std::size_t kBlock = 256 * 1024;

} // namespace

std::string readWholeFile(FileSystem& fs, const std::string& path, std::string_view name) {
    return at(name, 0, [&] {
        FileHandle f(fs, path, OpenMode::Input);
        std::string bytes;
        std::unique_ptr<char[]> block(new char[kBlock]);
        for (std::size_t n; (n = fs.read(f.get(), block.get(), kBlock)) > 0;) bytes.append(block.get(), n);
        f.close();
        return bytes;
    });
}

void writeWholeFile(FileSystem& fs, const std::string& path, std::string_view bytes, std::string_view name) {
    at(name, 0, [&] {
        FileHandle f(fs, path, OpenMode::Output);
        if (!bytes.empty()) fs.write(f.get(), bytes.data(), bytes.size());
        fs.flush(f.get());
        f.close();
    });
}

StagedWrites::~StagedWrites() {
    if (!done_) removeTwins();
}

void StagedWrites::removeTwins() {
    for (const StagedFile& f : files_) {
        try {
            if (fs_.kind(f.temporary) == EntryKind::File) fs_.remove(f.temporary);
        } catch (const Stop&) {
            // What is left of a twin is of no use; the first stop is the one reported.
        }
    }
}

void StagedWrites::write(const std::string& path, std::string_view bytes, std::string_view name) {
    if (!bytes_.count(path)) {
        at(name, 0, [&] { fs_.checkReplaceable(path); });
        files_.push_back(StagedFile{std::string(name), path, path + std::string(LeagueFolder::kTemporarySuffix)});
    }
    bytes_[path] = std::string(bytes);
    writeWholeFile(fs_, path + std::string(LeagueFolder::kTemporarySuffix), bytes, name);
}

const std::string* StagedWrites::staged(const std::string& path) const {
    auto it = bytes_.find(path);
    return it == bytes_.end() ? nullptr : &it->second;
}

std::vector<std::string> StagedWrites::stagedNames(const std::string& folder) const {
    std::vector<std::string> names;
    for (const auto& [path, bytes] : bytes_)
        if (path.size() > folder.size() + 1 && path.compare(0, folder.size(), folder) == 0 &&
            path[folder.size()] == '/' && path.find('/', folder.size() + 1) == std::string::npos)
            names.push_back(path.substr(folder.size() + 1));
    return names;
}

void StagedWrites::complete() {
    done_ = true;
    putInPlace(fs_, files_);
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
