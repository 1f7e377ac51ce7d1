#include "send/discord_posts.h"

#include "send/send_error.h"
#include "send/site_record.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>
#include <map>

namespace vr {
namespace {

const char* const kHeader = "vellor-results discord record 1\n";

struct Sent {
    std::string id;
    std::uint64_t hash = 0;
};
using Record = std::map<std::string, std::vector<Sent>>; // by period

Record loadRecord(FileSystem& fs, const std::string& file) {
    Record record;
    const std::optional<std::string> text = readRecord(fs, file, kHeader);
    if (!text) return record;
    std::string_view rest(*text);
    std::vector<Sent>* period = nullptr;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        if (end == std::string_view::npos) break;
        const std::string line(rest.substr(0, end));
        rest.remove_prefix(end + 1);
        if (line.rfind("period ", 0) == 0) {
            period = &record[line.substr(7)];
        } else if (period && line.find(' ') != std::string::npos) {
            const std::size_t space = line.find(' ');
            period->push_back({line.substr(0, space), std::strtoull(line.c_str() + space + 1, nullptr, 16)});
        }
    }
    return record;
}

void saveRecord(FileSystem& fs, const std::string& file, const Record& record) {
    std::string text = kHeader;
    for (const auto& [key, sent] : record) {
        text += "period " + key + "\n";
        for (const Sent& s : sent) text += s.id + " " + hex16(s.hash) + "\n";
    }
    const std::string folder = file.substr(0, file.rfind('/'));
    if (fs.makeFolders(folder)) replaceLocalFile(fs, file, text);
}

// Discord's own words for a refusal: its JSON "message", else the status.
std::string refusal(const WebAnswer& a) {
    try {
        nlohmann::json j = nlohmann::json::parse(a.body);
        if (j.is_object() && j.contains("code") && j["code"] == 10015)
            return "the webhook no longer exists: make a new one and put it in publish.ini";
        if (j.is_object() && j.contains("message") && j["message"].is_string())
            return "Discord refused the message: " + j["message"].get<std::string>() + " (HTTP " +
                   std::to_string(a.status) + ")";
    } catch (const nlohmann::json::exception&) {
    }
    if (a.status == 404) return "the webhook no longer exists: make a new one and put it in publish.ini";
    return "Discord refused the message (HTTP " + std::to_string(a.status) + ")";
}

// One request ridden through Discord's rate limit (429: waits what it asks)
// and its passing faults (5xx: three tries with growing pauses).
WebAnswer ask(DiscordLink& link, const std::string& method, const std::string& id, const std::string& json) {
    int serverFaults = 0, limits = 0;
    for (;;) {
        WebAnswer a = link.request(method, id, json);
        if (a.status == 429 && ++limits <= 5) {
            double wait = 1;
            try {
                nlohmann::json j = nlohmann::json::parse(a.body);
                if (j.contains("retry_after") && j["retry_after"].is_number()) wait = j["retry_after"].get<double>();
            } catch (const nlohmann::json::exception&) {
            }
            link.pause(std::clamp(wait, 0.0, 300.0));
            continue;
        }
        if (a.status >= 500 && ++serverFaults < 3) {
            link.pause(serverFaults * 2.0);
            continue;
        }
        return a;
    }
}

bool ok(const WebAnswer& a) { return a.status >= 200 && a.status < 300; }

std::string postNew(DiscordLink& link, const std::string& json) {
    WebAnswer a = ask(link, "POST", "", json);
    if (!ok(a)) throw SendError(refusal(a));
    try {
        nlohmann::json j = nlohmann::json::parse(a.body);
        if (j.contains("id") && j["id"].is_string()) return j["id"].get<std::string>();
    } catch (const nlohmann::json::exception&) {
    }
    throw SendError("Discord's answer held no message id");
}

} // namespace

std::string discordRecordFile(const std::string& cacheFolder, const std::string& webhook) {
    return cacheFolder + "/" + hex16(contentHash(webhook)) + ".discord";
}

std::string messageJson(const std::string& text) {
    nlohmann::json j;
    j["content"] = text;
    j["allowed_mentions"] = {{"parse", nlohmann::json::array()}};
    return j.dump();
}

PostsResult postPeriod(DiscordLink& link, FileSystem& fs, const std::string& recordFile,
                       const std::string& periodKey, const std::vector<std::string>& messages) {
    Record record = loadRecord(fs, recordFile);
    std::vector<Sent>& sent = record[periodKey];
    PostsResult result;
    for (std::size_t i = 0; i < messages.size(); ++i) {
        const std::uint64_t hash = contentHash(messages[i]);
        const std::string json = messageJson(messages[i]);
        if (i < sent.size()) {
            if (sent[i].hash == hash) {
                ++result.unchanged;
                continue;
            }
            WebAnswer a = ask(link, "PATCH", sent[i].id, json);
            if (a.status == 404 && refusal(a).find("webhook") == std::string::npos) {
                // Someone deleted the message in the channel: posted anew,
                // as the last of the period's.
                sent[i] = {postNew(link, json), hash};
                ++result.posted;
            } else if (!ok(a)) {
                saveRecord(fs, recordFile, record);
                throw SendError(refusal(a));
            } else {
                sent[i].hash = hash;
                ++result.edited;
            }
        } else {
            try {
                sent.push_back({postNew(link, json), hash});
            } catch (const SendError&) {
                saveRecord(fs, recordFile, record);
                throw;
            }
            ++result.posted;
        }
        saveRecord(fs, recordFile, record);
    }
    while (sent.size() > messages.size()) {
        WebAnswer a = ask(link, "DELETE", sent.back().id, "");
        if (!ok(a) && a.status != 404) {
            saveRecord(fs, recordFile, record);
            throw SendError(refusal(a));
        }
        sent.pop_back();
        ++result.deleted;
        saveRecord(fs, recordFile, record);
    }
    return result;
}

} // namespace vr
