#include "text/publish_whole.h"

#include "text/file_handle.h"

namespace vr {

bool publishWhole(FileSystem& fs, const std::string& path, std::string_view bytes,
                  const std::function<bool(const std::string&)>& beforeWrite) {
    const std::string temporary = path + ".new";
    try {
        FileHandle h(fs, temporary, OpenMode::Output);
        if (beforeWrite && !beforeWrite(temporary)) throw Stop(StopKind::PermissionDenied, temporary);
        fs.write(h.get(), bytes.data(), bytes.size());
        h.close();
        fs.rename(temporary, path);
    } catch (const Stop&) {
        try {
            fs.remove(temporary);
        } catch (const Stop&) {
            // The old file stays, and a stale temporary is overwritten next time.
        }
        return false;
    }
    return true;
}

} // namespace vr
