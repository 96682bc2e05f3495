#include "platform/curl_http_client.h"

#include <curl/curl.h>

namespace veltrano {
namespace {

constexpr std::size_t kMaxBody = 1 << 20;  // a version file is 8 bytes; refuse floods

std::size_t Collect(char* data, std::size_t size, std::size_t count, void* user) {
    auto* body = static_cast<Bytes*>(user);
    const std::size_t n = size * count;
    if (body->size() + n > kMaxBody) return 0;  // aborts the transfer
    body->insert(body->end(), data, data + n);
    return n;
}

}  // namespace

CurlHttpClient::CurlHttpClient() {
    curl_global_init(CURL_GLOBAL_DEFAULT);
}
CurlHttpClient::~CurlHttpClient() {
    curl_global_cleanup();
}

std::optional<Bytes> CurlHttpClient::get(const std::string& url) {
    CURL* curl = curl_easy_init();
    if (curl == nullptr) return std::nullopt;
    Bytes body;
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 3L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    // The window waits for the check, so it must not wait long.
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 3L);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, 6L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
    const CURLcode rc = curl_easy_perform(curl);
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_cleanup(curl);
    if (rc != CURLE_OK || status != 200) return std::nullopt;
    return body;
}

}  // namespace veltrano
