// The seam between the website's mirroring rules and a transport: the few
// things a remote folder must do. Remote paths are relative to the
// destination's folder, "/"-separated. Each failure is a SendError.
#pragma once

#include "send/send_error.h"

#include <optional>
#include <string>
#include <vector>

namespace vr {

// The file went up whole under its temporary name, but the server would not
// put it in its target's place.
class RenameRefused : public SendError {
public:
    using SendError::SendError;
};

class SiteLink {
public:
    virtual ~SiteLink() = default;
    // Sends the local file (a host path) to `remote`, making the folders on
    // the way; a file there is overwritten.
    virtual void put(const std::string& localPath, const std::string& remote) = 0;
    // Puts `from` in `to`'s place (the same folder); a SendError where the
    // server does not rename over a file.
    virtual void rename(const std::string& from, const std::string& to) = 0;
    // Removes a file; one that is not there is no failure.
    virtual void remove(const std::string& remote) = 0;
    // The names in the destination's folder itself (not "." or ".."), in no
    // set order, for the settings dialog's "Test"; nullopt while the folder
    // is not there (the first send makes it). Sending never needs it.
    virtual std::optional<std::vector<std::string>> list() {
        throw SendError("this destination cannot list its folder");
    }
    // For servers that will not rename over a file: removes `to`, then
    // renames `from` to it. Transports may do both in one request.
    virtual void replace(const std::string& from, const std::string& to) {
        remove(to);
        rename(from, to);
    }
    // Sends the local file under `temporary` (in `target`'s folder) and
    // renames it over `target`; with `removeFirst`, `target` is removed just
    // before the rename, for servers that will not rename over a file.
    // Transports do it all in one request where they can. A failure of the
    // rename alone is a RenameRefused.
    virtual void putInPlace(const std::string& localPath, const std::string& temporary, const std::string& target,
                            bool removeFirst) {
        put(localPath, temporary);
        try {
            if (removeFirst) replace(temporary, target);
            else rename(temporary, target);
        } catch (const RenameRefused&) {
            throw;
        } catch (const SendError& e) {
            throw RenameRefused(e.what());
        }
    }
};

} // namespace vr
