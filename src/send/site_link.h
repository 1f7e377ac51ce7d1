// The seam between the website's mirroring rules and a transport: the few
// things a remote folder must do. Remote paths are relative to the
// destination's folder, "/"-separated. Each failure is a SendError.
#pragma once

#include <string>

namespace vr {

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
    // For servers that will not rename over a file: removes `to`, then
    // renames `from` to it. Transports may do both in one request.
    virtual void replace(const std::string& from, const std::string& to) {
        remove(to);
        rename(from, to);
    }
};

} // namespace vr
