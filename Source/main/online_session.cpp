#include "main/online_session.h"

#include <utility>

namespace quorvel {

OnlineSession::OnlineSession(MainView& view, SettingsStore& settings, std::string userFilePath)
    : lookup_(view, settings, *this, std::move(userFilePath)) {}

C1& OnlineSession::Connect(std::unique_ptr<Transport> transport) {
    download_ = std::make_unique<C1>(std::move(transport), static_cast<DownloadListener*>(this));
    return *download_;
}

bool OnlineSession::Start(const std::string& imei) {
    if (!download_) return false;
    lookup_.Start(imei);
    return true;
}

void OnlineSession::ProcessMessage(std::int32_t message) {
    if (download_) download_->ProcessMessage(message);
}

void OnlineSession::StreamBytes(std::int32_t count, const char* bytes, std::int32_t) {
    if (count > 0) lookup_.StreamBytes(bytes, static_cast<std::size_t>(count));
}

void OnlineSession::DownloadFailed(std::int32_t why, std::int32_t) { lookup_.DownloadFailed(why); }

void OnlineSession::Disconnected(std::int32_t) { lookup_.Disconnected(); }

void OnlineSession::SetProxy(bool used, const std::string& address, std::int32_t port) {
    download_->ProxyUsed(used);
    download_->ProxyAddress(address);
    download_->ProxyPort(port);
}

void OnlineSession::FetchURLString(const std::string& url) { download_->FetchURLString(url); }

std::uint32_t OnlineSession::DownloadNumber() const {
    return download_ ? download_->DownloadNumber() : 0;
}

}  // namespace quorvel
