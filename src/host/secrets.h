// The profile's secrets (a password, a webhook) as the file keeps them. On
// Windows they are encrypted for the current user by the system's
// data-protection API and written "dpapi:<base64>"; on POSIX hosts the file
// is its owner's alone instead, and a secret is kept as written.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vr {

// True where the host encrypts secrets (Windows).
bool hostEncryptsSecrets();

// What the file is to hold for `plain`; empty when the host could not
// encrypt it (the caller keeps the secret out of the file then).
std::string sealSecret(std::string_view plain);

// The secret a stored value holds: the value itself when it is plain, the
// decrypted text of a "dpapi:" value; none when it cannot be decrypted
// (another user's or machine's, damaged, or not on Windows).
std::optional<std::string> openSecret(std::string_view stored);

// True when the value is stored in plain text.
inline bool isPlainSecret(std::string_view stored) { return stored.rfind("dpapi:", 0) != 0; }

// An SSH key's fingerprint as OpenSSH shows it: "SHA256:" and the base64 of
// the SHA-256 of the key's wire form, without padding.
std::string sshFingerprint(std::string_view key);

} // namespace vr
