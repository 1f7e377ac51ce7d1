// Secrets on Windows: encrypted for the current user with the
// data-protection API (only this user on this machine can decrypt them),
// kept as base64 text in the profile. The fingerprint through CNG.
#include "host/secrets.h"

#include <windows.h>

#include <bcrypt.h>
#include <wincrypt.h>

#include <vector>

namespace vr {
namespace {

constexpr std::string_view kPrefix = "dpapi:";

// Told to the API with each secret: a value made by another program for
// another purpose does not open as ours.
const wchar_t kPurpose[] = L"Vellor Results profile secret";

std::string base64(const unsigned char* data, DWORD size) {
    DWORD length = 0;
    const DWORD flags = CRYPT_STRING_BASE64 | CRYPT_STRING_NOCRLF;
    if (!CryptBinaryToStringA(data, size, flags, nullptr, &length)) return {};
    std::string text(length, '\0');
    if (!CryptBinaryToStringA(data, size, flags, text.data(), &length)) return {};
    text.resize(length);
    while (!text.empty() && (text.back() == '\0' || text.back() == '\r' || text.back() == '\n')) text.pop_back();
    return text;
}

std::optional<std::vector<unsigned char>> fromBase64(std::string_view text) {
    DWORD size = 0;
    const DWORD length = static_cast<DWORD>(text.size());
    if (!CryptStringToBinaryA(text.data(), length, CRYPT_STRING_BASE64, nullptr, &size, nullptr, nullptr))
        return std::nullopt;
    std::vector<unsigned char> bytes(size);
    if (!CryptStringToBinaryA(text.data(), length, CRYPT_STRING_BASE64, bytes.data(), &size, nullptr, nullptr))
        return std::nullopt;
    bytes.resize(size);
    return bytes;
}

} // namespace

bool hostEncryptsSecrets() { return true; }

std::string sealSecret(std::string_view plain) {
    DATA_BLOB in{static_cast<DWORD>(plain.size()), reinterpret_cast<BYTE*>(const_cast<char*>(plain.data()))};
    DATA_BLOB out{};
    if (!CryptProtectData(&in, kPurpose, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out)) return {};
    std::string text = base64(out.pbData, out.cbData);
    LocalFree(out.pbData);
    return text.empty() ? std::string() : std::string(kPrefix) + text;
}

std::optional<std::string> openSecret(std::string_view stored) {
    if (isPlainSecret(stored)) return std::string(stored);
    std::optional<std::vector<unsigned char>> bytes = fromBase64(stored.substr(kPrefix.size()));
    if (!bytes || bytes->empty()) return std::nullopt;
    DATA_BLOB in{static_cast<DWORD>(bytes->size()), bytes->data()};
    DATA_BLOB out{};
    LPWSTR purpose = nullptr;
    if (!CryptUnprotectData(&in, &purpose, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out))
        return std::nullopt;
    const bool ours = purpose && std::wstring_view(purpose) == kPurpose;
    LocalFree(purpose);
    std::string plain(reinterpret_cast<char*>(out.pbData), out.cbData);
    SecureZeroMemory(out.pbData, out.cbData);
    LocalFree(out.pbData);
    if (!ours) return std::nullopt;
    return plain;
}

std::string sshFingerprint(std::string_view key) {
    unsigned char digest[32];
    BCRYPT_ALG_HANDLE sha256 = nullptr;
    if (!BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&sha256, BCRYPT_SHA256_ALGORITHM, nullptr, 0)))
        return "SHA256:?";
    const NTSTATUS status = BCryptHash(sha256, nullptr, 0, reinterpret_cast<PUCHAR>(const_cast<char*>(key.data())),
                                       static_cast<ULONG>(key.size()), digest, sizeof digest);
    BCryptCloseAlgorithmProvider(sha256, 0);
    if (!BCRYPT_SUCCESS(status)) return "SHA256:?";
    std::string b64 = base64(digest, sizeof digest);
    while (!b64.empty() && b64.back() == '=') b64.pop_back();
    return "SHA256:" + b64;
}

} // namespace vr
