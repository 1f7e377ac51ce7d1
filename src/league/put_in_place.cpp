#include "league/put_in_place.h"

#include "text/errors.h"

namespace vr {

void putInPlace(FileSystem& fs, const std::vector<StagedFile>& staged) {
    std::size_t done = 0;
    try {
        for (const StagedFile& s : staged) at(s.file, 0, [&] { fs.checkReplaceable(s.target); });
        for (; done < staged.size(); ++done)
            at(staged[done].file, 0, [&] { fs.rename(staged[done].temporary, staged[done].target); });
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
