// A send that could not be done: what failed, in words for the user. It
// never carries a password or a webhook's token (see Secrets::scrub).
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace vr {

class SendError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The secrets of a profile, kept so that every message leaving the sending
// is cleaned of them, whatever a library put into its text.
struct Secrets {
    std::vector<std::string> values;
    void add(const std::string& s) {
        if (s.size() >= 3) values.push_back(s);
    }
    std::string scrub(std::string text) const {
        for (const std::string& s : values)
            for (std::size_t at = text.find(s); at != std::string::npos; at = text.find(s, at))
                text.replace(at, s.size(), "***");
        return text;
    }
};

} // namespace vr
