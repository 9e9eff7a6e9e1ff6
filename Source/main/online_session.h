// The on-line session: the on-line look-up and the download object that
// fetches its page, wired once. The download's events go to the look-up and
// the look-up's requests (proxy, URL, download number) to the download.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "download/download.h"
#include "main/online_lookup.h"

namespace quorvel {

class OnlineSession final : private DownloadListener, private PageDownloader {
public:
    // The look-up exists from here on; the download object once Connect is called.
    OnlineSession(MainView& view, SettingsStore& settings, std::string userFilePath);
    OnlineSession(const OnlineSession&) = delete;
    OnlineSession& operator=(const OnlineSession&) = delete;

    // Makes the download object over transport, reporting to the look-up,
    // in place of the one held; returns it.
    C1& Connect(std::unique_ptr<Transport> transport);
    // A download still under way is dropped with the object; no event follows.
    void Disconnect() { download_.reset(); }

    // Starts a look-up of the 15-digit IMEI; false, and nothing started,
    // when there is no download object.
    bool Start(const std::string& imei);
    // A network event for the download object; ignored when there is none.
    void ProcessMessage(std::int32_t message);
    OnlineLookup& Lookup() { return lookup_; }

private:
    void StreamBytes(std::int32_t count, const char* bytes, std::int32_t id) override;
    void DownloadFailed(std::int32_t why, std::int32_t id) override;
    void Disconnected(std::int32_t id) override;
    void SetProxy(bool used, const std::string& address, std::int32_t port) override;
    void FetchURLString(const std::string& url) override;
    std::uint32_t DownloadNumber() const override;

    std::unique_ptr<C1> download_;
    OnlineLookup lookup_;
};

}  // namespace quorvel
