#pragma once

#include "shell/startup.h"

namespace veltrano {

// HTTP(S) downloads with libcurl. Certificates and host names are verified; a
// download that does not end with status 200 within the time limits is nothing.
class CurlHttpClient final : public HttpClient {
public:
    CurlHttpClient();
    ~CurlHttpClient() override;
    CurlHttpClient(const CurlHttpClient&) = delete;
    CurlHttpClient& operator=(const CurlHttpClient&) = delete;

    std::optional<Bytes> get(const std::string& url) override;
};

}  // namespace veltrano
