// Discord's webhook through libcurl: each request on the one handle.
#include "send/curl_session.h"
#include "send/send_error.h"
#include "send/transports.h"

#include <chrono>
#include <thread>

namespace vr {
namespace {

std::size_t collect(char* data, std::size_t size, std::size_t n, void* into) {
    static_cast<std::string*>(into)->append(data, size * n);
    return size * n;
}

class CurlDiscord : public DiscordLink {
public:
    explicit CurlDiscord(const DiscordProfile& profile) : webhook_(profile.webhook) {
        curl_.common(shownWebhook(profile.webhook));
        CURL* c = curl_.handle();
        curl_.authority(profile.webhook, profile.ca);
        curl_easy_setopt(c, CURLOPT_TIMEOUT, 60L);
        curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &collect);
        headers_ = curl_slist_append(nullptr, "Content-Type: application/json");
        curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers_);
        curl_easy_setopt(c, CURLOPT_USERAGENT, "vellor-results");
    }
    ~CurlDiscord() override {
        curl_easy_setopt(curl_.handle(), CURLOPT_HTTPHEADER, nullptr);
        curl_slist_free_all(headers_);
    }

    WebAnswer request(const std::string& method, const std::string& messageId, const std::string& json) override {
        CURL* c = curl_.handle();
        std::string body;
        curl_easy_setopt(c, CURLOPT_WRITEDATA, &body);
        curl_easy_setopt(c, CURLOPT_CUSTOMREQUEST, method.c_str());
        curl_easy_setopt(c, CURLOPT_POSTFIELDS, json.c_str());
        curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE, static_cast<long>(json.size()));
        const std::string url = messageId.empty() ? webhook_ + "?wait=true" : webhook_ + "/messages/" + messageId;
        const CURLcode code = curl_.perform(url);
        if (code != CURLE_OK) throw SendError(curl_.describe(code, "posting to Discord"));
        WebAnswer a;
        curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &a.status);
        a.body = std::move(body);
        return a;
    }

    void pause(double seconds) override {
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    }

private:
    std::string webhook_;
    CurlSession curl_;
    curl_slist* headers_ = nullptr;
};

} // namespace

std::unique_ptr<DiscordLink> openDiscord(const DiscordProfile& profile) {
    return std::make_unique<CurlDiscord>(profile);
}

} // namespace vr
