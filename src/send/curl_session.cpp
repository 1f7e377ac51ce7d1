#include "send/curl_session.h"

#include "host/environment.h"
#include "send/send_error.h"

#include <mutex>

namespace vr {

CurlSession::CurlSession() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    curl_ = curl_easy_init();
    if (!curl_) throw SendError("libcurl could not start");
}

CurlSession::~CurlSession() { curl_easy_cleanup(curl_); }

void CurlSession::common(const std::string& shown) {
    shown_ = shown;
    curl_easy_setopt(curl_, CURLOPT_ERRORBUFFER, error_);
    curl_easy_setopt(curl_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl_, CURLOPT_CONNECTTIMEOUT, 15L);
    // A transfer that moves less than a byte a second for 30 s is given up.
    curl_easy_setopt(curl_, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl_, CURLOPT_LOW_SPEED_TIME, 30L);
    curl_easy_setopt(curl_, CURLOPT_FTP_USE_EPSV, 1L);
    curl_easy_setopt(curl_, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl_, CURLOPT_SSL_VERIFYHOST, 2L);
}

namespace {

// Switches the certificate's check off, for the program's own tests alone:
// TLS under Wine does not take the tests' throw-away authority. Honoured
// for a server on 127.0.0.1 only; anywhere else it stops the send.
constexpr const char* kTestsUnverified = "VELLOR_TESTS_TLS_UNVERIFIED";

bool onLoopback(const std::string& address) {
    const std::size_t start = address.find("://");
    if (start == std::string::npos) return false;
    std::string host = address.substr(start + 3, address.find('/', start + 3) - start - 3);
    host = host.substr(host.rfind('@') + 1);
    return host == "127.0.0.1" || host.rfind("127.0.0.1:", 0) == 0;
}

} // namespace

void CurlSession::authority(const std::string& address, const std::string& ca) {
    if (!ca.empty()) curl_easy_setopt(curl_, CURLOPT_CAINFO, ca.c_str());
    if (environmentVariable(kTestsUnverified) != "1") return;
    if (!onLoopback(address))
        throw SendError(std::string(kTestsUnverified) +
                        " is set: it is for the program's own tests on 127.0.0.1 alone, so nothing was sent");
    curl_easy_setopt(curl_, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(curl_, CURLOPT_SSL_VERIFYHOST, 0L);
}

CURLcode CurlSession::perform(const std::string& url) {
    error_[0] = 0;
    curl_easy_setopt(curl_, CURLOPT_URL, url.c_str());
    return curl_easy_perform(curl_);
}

std::string CurlSession::describe(CURLcode code, const std::string& doing) const {
    std::string why;
    bool whileDoing = false; // the connection's own failures happen before any file
    switch (code) {
    case CURLE_LOGIN_DENIED:
        why = "the server refused the user name or password";
        break;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
        why = "the server's certificate could not be verified (" + std::string(error_) +
              "); for a server with a certificate of its own authority, name that authority's certificate with "
              "ca = in publish.ini";
        break;
    case CURLE_USE_SSL_FAILED:
        why = "the server does not offer TLS; nothing was sent unencrypted";
        break;
    case CURLE_COULDNT_RESOLVE_HOST:
        why = "the server's name could not be found";
        break;
    case CURLE_COULDNT_CONNECT:
        why = "the server could not be reached";
        break;
    case CURLE_SSH:
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_PARTIAL_FILE:
    case CURLE_GOT_NOTHING:
        why = "the connection was lost (" + (error_[0] ? std::string(error_) : std::string(curl_easy_strerror(code))) +
              ")";
        whileDoing = true;
        break;
    case CURLE_OPERATION_TIMEDOUT:
        why = "the connection timed out";
        break;
    case CURLE_REMOTE_ACCESS_DENIED:
        why = "the server refused access (" + std::string(error_) + ")";
        whileDoing = true;
        break;
    default:
        why = error_[0] ? std::string(error_) : std::string(curl_easy_strerror(code));
        if (code == CURLE_AUTH_ERROR) why = "the server refused the login (" + why + ")";
        else whileDoing = true;
        break;
    }
    return whileDoing ? why + ", while " + doing : why;
}

} // namespace vr
