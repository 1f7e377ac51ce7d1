// One libcurl handle kept for a whole send (its connection reused), with
// the limits every transfer has: 15 s to connect, 30 s without progress.
#pragma once

#include <curl/curl.h>

#include <string>

namespace vr {

class CurlSession {
public:
    CurlSession();
    ~CurlSession();
    CurlSession(const CurlSession&) = delete;
    CurlSession& operator=(const CurlSession&) = delete;

    CURL* handle() { return curl_; }
    // The options every request has; `shown` names the destination in
    // messages (no secret in it).
    void common(const std::string& shown);
    // The authority the server's certificate is checked against: `ca`, else
    // the system's. `address` is the server's (scheme://host[:port]/...).
    void authority(const std::string& address, const std::string& ca);
    CURLcode perform(const std::string& url);
    // The failure in words for the user: what was being done and why.
    std::string describe(CURLcode code, const std::string& doing) const;

private:
    CURL* curl_ = nullptr;
    std::string shown_;
    char error_[CURL_ERROR_SIZE] = {};
};

} // namespace vr
