// The sending profile, publish.ini in the user's configuration folder: where
// the html folder is mirrored and where the period's posts go. Without it
// nothing is sent.
#pragma once

#include "send/send_error.h"

#include <optional>
#include <string>
#include <string_view>

namespace vr {

struct SiteProfile {
    std::string address;  // scheme://host[:port]/folder, or file:///folder
    std::string user;
    std::string password;
    std::string key;      // sftp: a private key file
    std::string hostKey;  // sftp: "SHA256:<base64>"
    std::string ca;
    std::string web;
};

struct DiscordProfile {
    std::string webhook;
    std::string ca;
};

struct SendProfile {
    std::optional<SiteProfile> site;
    std::optional<DiscordProfile> discord;
    // A secret was found in plain text where the host keeps them encrypted
    // (Windows): the next save writes it encrypted.
    bool plainSecrets = false;
    Secrets secrets() const;
};

// The profile's text (UTF-8). Unknown sections or keys and a section without
// its address are a SendError naming the line, so that a typing slip is not
// taken for "send nothing".
SendProfile parseProfile(std::string_view text);

// "scheme://host[:port]/folder" without user or password; a webhook as its
// host alone. What messages name.
std::string shownAddress(const std::string& address);
std::string shownWebhook(const std::string& webhook);

// The profile file in `configFolder`, read and checked, its secrets
// decrypted: nullopt when there is none. A profile holding a secret that
// others may read, or one that cannot be decrypted, is a SendError saying
// how to fix it.
std::optional<SendProfile> loadProfile(const std::string& configFolder);

// Where the profile says the html folder is seen on the web (its [site]
// web), for the posts' links; "" without one, or when the profile cannot be
// read: the sending then says why.
std::string siteWebAddress(const std::string& configFolder);

// The profile as the file holds it, each secret as the host keeps it
// (encrypted for the user on Windows). A SendError when a secret could not
// be encrypted: it is never written in its place.
std::string profileText(const SendProfile& profile);

// Writes the profile to `configFolder` (made when missing) whole or not at
// all: beside the old one, readable by the user alone, then renamed over.
void saveProfile(const std::string& configFolder, const SendProfile& profile);

} // namespace vr
