#include "league/put_in_place.h"

#include "text/errors.h"

#include <map>

namespace vr {

std::string folderOfHostPath(const std::string& path) {
    auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
}

void putInPlace(FileSystem& fs, const std::vector<StagedFile>& staged) {
    std::size_t done = 0;
    try {
        for (const StagedFile& s : staged) at(s.file, 0, [&] { fs.checkReplaceable(s.target); });
        for (; done < staged.size(); ++done)
            at(staged[done].file, 0, [&] { fs.rename(staged[done].temporary, staged[done].target); });
        // Each folder once, after all its renames: the twins were flushed
        // as they were closed, so the new names now lead to whole files.
        // A failure names the folder's first file, as the user knows files.
        std::map<std::string, std::string> folders;
        for (const StagedFile& s : staged) folders.emplace(folderOfHostPath(s.target), s.file);
        for (const auto& [folder, file] : folders) at(file, 0, [&] { fs.flushFolder(folder); });
    } catch (Stop& stop) {
        for (std::size_t i = done; i < staged.size(); ++i) {
            try {
                fs.remove(staged[i].temporary);
            } catch (const Stop&) {
                // The first stop is the one reported.
            }
        }
        if (done > 0) {
            std::string replaced;
            for (std::size_t i = 0; i < done; ++i) replaced += (i ? ", " : "") + staged[i].file;
            stop.setLeft("Already replaced: " + replaced + ". The other publications were left as they were.");
        }
        throw;
    }
}

} // namespace vr
