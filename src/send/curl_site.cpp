// The website through libcurl: ftp, ftps as explicit TLS (AUTH TLS on the
// ftp port, never falling back to plain text), and sftp with the server's
// key checked against the pinned fingerprint. One handle for the whole
// send, so that libcurl keeps its one connection.
#include "host/environment.h"
#include "host/secrets.h"
#include "send/curl_session.h"
#include "send/send_error.h"
#include "send/transports.h"
#include "text/errors.h"


namespace vr {
namespace {

std::string expandHome(const std::string& path) {
    if (path.rfind("~/", 0) != 0) return path;
    std::string home = environmentVariable("HOME");
    // Windows names the user's folder otherwise.
    if (home.empty()) home = environmentVariable("USERPROFILE");
    return home.empty() ? path : home + path.substr(1);
}

// "a b/c" -> "a%20b/c": each part of a path escaped for a URL.
std::string escapedPath(CURL* curl, const std::string& path) {
    std::string out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t slash = path.find('/', start);
        const std::string part = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        char* e = curl_easy_escape(curl, part.c_str(), static_cast<int>(part.size()));
        out += e ? e : part;
        curl_free(e);
        if (slash == std::string::npos) return out;
        out += '/';
        start = slash + 1;
    }
}

// A path as an sftp quote command takes it.
std::string quoted(const std::string& path) {
    std::string q = "\"";
    for (char c : path) {
        if (c == '"' || c == '\\') q += '\\';
        q += c;
    }
    return q + "\"";
}

// A local file handed to libcurl piece by piece.
struct Upload {
    FileSystem& fs;
    FileSystem::Handle handle = -1;
    bool failed = false;
    static std::size_t read(char* buffer, std::size_t size, std::size_t n, void* self) {
        auto* u = static_cast<Upload*>(self);
        try {
            return u->fs.read(u->handle, buffer, size * n);
        } catch (const Stop&) {
            u->failed = true;
            return CURL_READFUNC_ABORT;
        }
    }
};

class CurlSite : public SiteLink {
public:
    CurlSite(const SiteProfile& profile, std::vector<std::string>& warnings)
        : profile_(profile), shown_(shownAddress(profile.address)) {
        std::string address = profile.address;
        sftp_ = address.rfind("sftp://", 0) == 0;
        if (address.rfind("ftps://", 0) == 0) {
            // Explicit TLS: libcurl's ftps:// is the old implicit kind.
            address = "ftp://" + address.substr(7);
            tls_ = true;
        } else if (!sftp_ && !profile.password.empty()) {
            warnings.push_back("Sending to " + shown_ +
                               ": ftp:// sends the password unencrypted across the network; ftps:// or sftp:// "
                               "keep it safe.");
        }
        const std::size_t hostStart = address.find("://") + 3;
        const std::size_t slash = address.find('/', hostStart);
        origin_ = address.substr(0, slash == std::string::npos ? address.size() : slash);
        folder_ = slash == std::string::npos ? "/" : address.substr(slash);
        if (folder_.back() != '/') folder_ += '/';

        curl_.common(shown_);
        CURL* c = curl_.handle();
        // libcurl's sftp waits for the server's answers (the close of each
        // file, the rename) with a poll whose timeout is the time left of
        // the transfer; with none set, that is 0 and it spins, taking the
        // processor from the server it waits for. A day is never reached (a
        // stalled transfer ends after 30 s) yet makes it wait. Benchmark row
        // S2 (bench/send.sh, a sim day's 97 files to sftp on 127.0.0.1):
        // 3770 polls and 5342 reads before, 1456 and 2996 after.
        curl_easy_setopt(c, CURLOPT_TIMEOUT, 86400L);
        if (!profile.user.empty()) curl_easy_setopt(c, CURLOPT_USERNAME, profile.user.c_str());
        if (!profile.password.empty()) curl_easy_setopt(c, CURLOPT_PASSWORD, profile.password.c_str());
        if (tls_) curl_.authority(profile.address, expandHome(profile.ca));
        if (tls_) curl_easy_setopt(c, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
        curl_easy_setopt(c, CURLOPT_FTP_CREATE_MISSING_DIRS, static_cast<long>(CURLFTP_CREATE_DIR_RETRY));
        curl_easy_setopt(c, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_MULTICWD));
        if (sftp_) {
            if (!profile.key.empty()) {
                key_ = expandHome(profile.key);
                pub_ = key_ + ".pub";
                curl_easy_setopt(c, CURLOPT_SSH_AUTH_TYPES, static_cast<long>(CURLSSH_AUTH_PUBLICKEY));
                curl_easy_setopt(c, CURLOPT_SSH_PRIVATE_KEYFILE, key_.c_str());
                if (hostFileSystem().kind(pub_) == EntryKind::File)
                    curl_easy_setopt(c, CURLOPT_SSH_PUBLIC_KEYFILE, pub_.c_str());
            } else {
                curl_easy_setopt(c, CURLOPT_SSH_AUTH_TYPES,
                                 static_cast<long>(CURLSSH_AUTH_PASSWORD | CURLSSH_AUTH_KEYBOARD));
            }
            curl_easy_setopt(c, CURLOPT_NEW_FILE_PERMS, 0644L);
            curl_easy_setopt(c, CURLOPT_NEW_DIRECTORY_PERMS, 0755L);
            curl_easy_setopt(c, CURLOPT_SSH_HOSTKEYFUNCTION, &CurlSite::checkHostKey);
            curl_easy_setopt(c, CURLOPT_SSH_HOSTKEYDATA, this);
        }
    }

    void put(const std::string& localPath, const std::string& remote) override {
        upload(localPath, remote, {});
    }

    // The file, then its rename in the same request: the server renames
    // only once the file is whole (libcurl runs the commands after a
    // transfer only when it succeeded). With the poll's timeout above,
    // against two requests a file, in alternating rounds under load: row
    // S1 (6429 files) 24.97 s -> 19.12 s, row S2 (97 files) 1.17 s -> 0.88 s.
    void putInPlace(const std::string& localPath, const std::string& temporary, const std::string& target,
                    bool removeFirst) override {
        std::vector<std::string> after;
        if (sftp_) {
            if (removeFirst) after.push_back("*rm " + quoted(folder_ + target));
            after.push_back("rename " + quoted(folder_ + temporary) + " " + quoted(folder_ + target));
        } else {
            if (removeFirst) after.push_back("*DELE " + name(target));
            after.push_back("RNFR " + name(temporary));
            after.push_back("RNTO " + name(target));
        }
        upload(localPath, temporary, after);
    }

    void rename(const std::string& from, const std::string& to) override {
        if (sftp_) command({"rename " + quoted(folder_ + from) + " " + quoted(folder_ + to)}, "");
        else command({"RNFR " + name(from), "RNTO " + name(to)}, folderOf(to));
    }

    void replace(const std::string& from, const std::string& to) override {
        if (sftp_) command({"*rm " + quoted(folder_ + to), "rename " + quoted(folder_ + from) + " " + quoted(folder_ + to)}, "");
        else command({"*DELE " + name(to), "RNFR " + name(from), "RNTO " + name(to)}, folderOf(to));
    }

    void remove(const std::string& remote) override {
        // A missing file is no failure: "*" lets the command fail.
        if (sftp_) command({"*rm " + quoted(folder_ + remote)}, "");
        else command({"*DELE " + name(remote)}, folderOf(remote));
    }

    // The folder's names by a listing of names alone (NLST on ftp). A folder
    // that is not there is no failure: ftp's refused CWD, sftp's "no such
    // file" (a folder the user may not enter is refused differently).
    std::optional<std::vector<std::string>> list() override {
        CURL* c = curl_.handle();
        quotes({}, {});
        std::string body;
        curl_easy_setopt(c, CURLOPT_UPLOAD, 0L);
        curl_easy_setopt(c, CURLOPT_NOBODY, 0L);
        curl_easy_setopt(c, CURLOPT_DIRLISTONLY, 1L);
        // Asking must not make the folder.
        curl_easy_setopt(c, CURLOPT_FTP_CREATE_MISSING_DIRS, static_cast<long>(CURLFTP_CREATE_DIR_NONE));
        curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &CurlSite::collect);
        curl_easy_setopt(c, CURLOPT_WRITEDATA, &body);
        const CURLcode code = curl_.perform(origin_ + escapedPath(c, folder_));
        curl_easy_setopt(c, CURLOPT_DIRLISTONLY, 0L);
        curl_easy_setopt(c, CURLOPT_FTP_CREATE_MISSING_DIRS, static_cast<long>(CURLFTP_CREATE_DIR_RETRY));
        curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, nullptr);
        curl_easy_setopt(c, CURLOPT_WRITEDATA, nullptr);
        const bool keyAccepted = !sftp_ || keyMatched_;
        if (keyAccepted && (sftp_ ? code == CURLE_REMOTE_FILE_NOT_FOUND : code == CURLE_REMOTE_ACCESS_DENIED))
            return std::nullopt;
        check(code, "listing the folder");
        std::vector<std::string> names;
        std::size_t start = 0;
        while (start < body.size()) {
            std::size_t end = body.find('\n', start);
            if (end == std::string::npos) end = body.size();
            std::string line = body.substr(start, end - start);
            start = end + 1;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            // Some ftp servers name each entry with the folder's path.
            line = line.substr(line.rfind('/') + 1);
            if (!line.empty() && line != "." && line != "..") names.push_back(line);
        }
        return names;
    }

private:
    // A listing past 16 MiB (some 500,000 names) is no web folder: it is cut
    // off rather than let a server fill the memory.
    static std::size_t collect(char* data, std::size_t size, std::size_t n, void* body) {
        auto* text = static_cast<std::string*>(body);
        if (text->size() + size * n > (std::size_t{16} << 20)) return 0;
        text->append(data, size * n);
        return size * n;
    }

    static std::string folderOf(const std::string& remote) {
        const std::size_t slash = remote.rfind('/');
        return slash == std::string::npos ? "" : remote.substr(0, slash + 1);
    }
    static std::string name(const std::string& remote) { return remote.substr(remote.rfind('/') + 1); }

    // Sends a file, then runs `after` (in the file's folder for ftp); a
    // failure of those commands alone is a RenameRefused.
    void upload(const std::string& localPath, const std::string& remote, const std::vector<std::string>& after) {
        // Read through the host's file layer: on Windows the core's paths
        // are not the C library's.
        FileSystem& fs = hostFileSystem();
        Upload upload{fs};
        try {
            upload.handle = fs.open(localPath, OpenMode::Input);
        } catch (const Stop&) {
            throw SendError("could not read " + localPath);
        }
        const std::uint64_t size = fs.stat(localPath).size;
        CURL* c = curl_.handle();
        quotes({}, after);
        curl_easy_setopt(c, CURLOPT_NOBODY, 0L);
        curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
        curl_easy_setopt(c, CURLOPT_READFUNCTION, &Upload::read);
        curl_easy_setopt(c, CURLOPT_READDATA, &upload);
        curl_easy_setopt(c, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(size));
        const CURLcode code = curl_.perform(origin_ + escapedPath(c, folder_ + remote));
        fs.close(upload.handle);
        curl_easy_setopt(c, CURLOPT_UPLOAD, 0L);
        quotes({}, {});
        if (upload.failed) throw SendError("could not read " + localPath + " while sending it");
        if (code == CURLE_QUOTE_ERROR && !after.empty())
            throw RenameRefused(curl_.describe(code, "renaming " + remote));
        check(code, "sending " + remote);
    }

    // Commands without a transfer: sftp's take whole paths; ftp's run in
    // the file's folder, which libcurl changes to first.
    void command(const std::vector<std::string>& commands, const std::string& folder) {
        CURL* c = curl_.handle();
        if (sftp_) quotes(commands, {});
        else quotes({}, commands);
        curl_easy_setopt(c, CURLOPT_UPLOAD, 0L);
        curl_easy_setopt(c, CURLOPT_NOBODY, 1L);
        const std::string url = origin_ + escapedPath(c, folder_ + folder);
        const CURLcode code = curl_.perform(url);
        quotes({}, {});
        curl_easy_setopt(c, CURLOPT_NOBODY, 0L);
        check(code, commands.size() == 1 && commands.front().rfind("*", 0) == 0 ? "removing a file" : "renaming a file");
    }

    // The commands run before a request (sftp only here) and after it.
    void quotes(const std::vector<std::string>& before, const std::vector<std::string>& after) {
        CURL* c = curl_.handle();
        auto list = [](curl_slist*& l, const std::vector<std::string>& commands) {
            if (l) curl_slist_free_all(l);
            l = nullptr;
            for (const std::string& cmd : commands) l = curl_slist_append(l, cmd.c_str());
        };
        // libcurl keeps the lists' pointers: the old ones are let go only
        // once the handle no longer holds them.
        curl_easy_setopt(c, CURLOPT_QUOTE, nullptr);
        curl_easy_setopt(c, CURLOPT_POSTQUOTE, nullptr);
        list(before_, before);
        list(after_, after);
        curl_easy_setopt(c, CURLOPT_QUOTE, before_);
        curl_easy_setopt(c, CURLOPT_POSTQUOTE, after_);
    }

    void check(CURLcode code, const std::string& doing) {
        if (code == CURLE_OK) return;
        if (sftp_ && !keySeen_.empty() && !keyMatched_) {
            if (profile_.hostKey.empty())
                throw SendError("the server's host key is not pinned, so nothing was sent. If " + keySeen_ +
                                " is the server's key (ask its keeper, or run ssh-keyscan on the server), put under "
                                "[site] in publish.ini: host-key = " + keySeen_);
            throw SendError("the server's host key " + keySeen_ + " is not the one pinned in publish.ini (" +
                            profile_.hostKey +
                            "), so nothing was sent. If the server's key was changed on purpose, pin the new one; "
                            "otherwise someone may stand between you and the server.");
        }
        throw SendError(curl_.describe(code, doing));
    }

    static int checkHostKey(void* self, int, const char* key, std::size_t length) {
        auto* site = static_cast<CurlSite*>(self);
        site->keySeen_ = sshFingerprint(std::string_view(key, length));
        site->keyMatched_ = !site->profile_.hostKey.empty() && site->keySeen_ == site->profile_.hostKey;
        return site->keyMatched_ ? CURLKHMATCH_OK : CURLKHMATCH_MISMATCH;
    }

    const SiteProfile& profile_;
    std::string shown_;
    std::string origin_, folder_;
    std::string key_, pub_;
    bool sftp_ = false, tls_ = false;
    std::string keySeen_;
    bool keyMatched_ = false;
    CurlSession curl_;
    curl_slist* before_ = nullptr;
    curl_slist* after_ = nullptr;

public:
    ~CurlSite() override {
        quotes({}, {});
    }
};

} // namespace

std::unique_ptr<SiteLink> openSite(const SiteProfile& profile, std::vector<std::string>& warnings) {
    return std::make_unique<CurlSite>(profile, warnings);
}

} // namespace vr
