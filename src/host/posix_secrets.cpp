// Secrets on POSIX hosts: the profile is readable by its owner alone, so a
// secret is kept as written. The fingerprint through OpenSSL's digest.
#include "host/secrets.h"

#include <openssl/evp.h>

namespace vr {

bool hostEncryptsSecrets() { return false; }

std::string sealSecret(std::string_view plain) { return std::string(plain); }

std::optional<std::string> openSecret(std::string_view stored) {
    // A value sealed on Windows means nothing here.
    if (!isPlainSecret(stored)) return std::nullopt;
    return std::string(stored);
}

std::string sshFingerprint(std::string_view key) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    EVP_Digest(key.data(), key.size(), digest, &size, EVP_sha256(), nullptr);
    unsigned char text[4 * EVP_MAX_MD_SIZE / 3 + 4];
    const int n = EVP_EncodeBlock(text, digest, static_cast<int>(size));
    std::string b64(reinterpret_cast<char*>(text), static_cast<std::size_t>(n));
    while (!b64.empty() && b64.back() == '=') b64.pop_back();
    return "SHA256:" + b64;
}

} // namespace vr
