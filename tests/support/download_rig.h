// A download object on the scripted transport, with its events written down,
// for the core tests of the download class.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "download/download.h"
#include "support/download_event_log.h"
#include "support/fake_transport.h"

namespace quorvel::test {

inline constexpr const char* kPageUrl = "http://example.test/page";

struct DownloadRig {
    DownloadRig() {
        auto transport = std::make_unique<FakeTransport>();
        fake = transport.get();
        download = std::make_unique<C1>(std::move(transport), &log);
    }
    // Fetches url and lets the request go out.
    void Start(const std::string& url = kPageUrl) {
        download->FetchURLString(url);
        download->ProcessMessage(kWriteEvent);
    }
    void Receive(const std::string& piece) {
        fake->Feed(piece);
        download->ProcessMessage(kReadEvent);
    }
    void Close() { download->ProcessMessage(kCloseEvent); }
    // The merged events after Connected and QuerySent.
    std::vector<std::string> After() const {
        std::vector<std::string> merged = log.Merged();
        merged.erase(merged.begin(), merged.begin() + static_cast<std::ptrdiff_t>(
                                                          std::min<std::size_t>(2, merged.size())));
        return merged;
    }

    DownloadEventLog log;
    FakeTransport* fake;  // owned by download
    std::unique_ptr<C1> download;
};

}  // namespace quorvel::test
