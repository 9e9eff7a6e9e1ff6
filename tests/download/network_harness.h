// What the network tests of the download class need from a platform: a
// download object on the platform's real transport, and turns of the
// platform's own loop that deliver its notifications.
#pragma once

#include <memory>

#include "download/download.h"

namespace quorvel::test {

class DownloadHarness {
public:
    virtual ~DownloadHarness() = default;
    // A new download object reporting to listener; it replaces the one made
    // before. connectMilliseconds bounds the transport's connect.
    virtual C1& Make(DownloadListener& listener, int connectMilliseconds) = 0;
    // Whether the transport holds an open connection.
    virtual bool HasOpenConnection() const = 0;
    // Waits at most waitMilliseconds for notifications and delivers them.
    virtual void Turn(int waitMilliseconds) = 0;
};

// What is the same for both transports (each has SetConnectTimeout and HasSocket).
template <typename TransportType>
class TransportHarness : public DownloadHarness {
public:
    C1& Make(DownloadListener& listener, int connectMilliseconds) override {
        download_.reset();
        auto transport = std::make_unique<TransportType>();
        transport->SetConnectTimeout(connectMilliseconds);
        transport_ = transport.get();
        download_ = std::make_unique<C1>(std::move(transport), &listener);
        return *download_;
    }
    bool HasOpenConnection() const override { return download_ && transport_->HasSocket(); }

protected:
    TransportType* transport_ = nullptr;  // owned by download_
    std::unique_ptr<C1> download_;
};

// Defined once per platform: the POSIX transport with its poll loop, or the
// Winsock transport with a message loop.
std::unique_ptr<DownloadHarness> MakePlatformHarness();

}  // namespace quorvel::test
