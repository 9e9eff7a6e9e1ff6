// The download class C1: an asynchronous HTTP/1.0 downloader, directly or
// through a plain HTTP proxy. It runs on the caller's thread: FetchURLString
// opens the connection and returns, the platform then hands each network
// event of the connection to ProcessMessage, and the object reports progress
// and the outcome to its listener. Every event carries id 0.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "download/download_errors.h"
#include "download/transport.h"

namespace quorvel {

// The events of the download class. Handlers run synchronously inside the
// object's processing; a handler may start a new download or destroy the
// object, and the object stops touching the old connection when it does.
// Every download ends with one last event (Disconnected or DownloadFailed),
// and the events of one download keep wire order: notifications that a
// handler's own message loop (a message box) hands to ProcessMessage are
// held and handled once the handler has returned.
class DownloadListener {
public:
    virtual ~DownloadListener() = default;
    // A connection for a new request was opened (not for a redirect's).
    virtual void Connected(std::int32_t /*id*/) {}
    // The connection closed and the body is complete, or no length was announced.
    virtual void Disconnected(std::int32_t /*id*/) {}
    // A failure; Why is a DownloadFailure code.
    virtual void DownloadFailed(std::int32_t /*Why*/, std::int32_t /*id*/) {}
    // After every body chunk: the body bytes delivered so far. 64-bit, so
    // that a body beyond 2 GiB cannot overflow the count.
    virtual void BytesReceived(std::int64_t /*lByteCount*/, std::int32_t /*id*/) {}
    // A chunk of body bytes, valid only during the call.
    virtual void StreamBytes(std::int32_t /*lByteCount*/, const char* /*bBytes*/,
                             std::int32_t /*id*/) {}
    // The whole request was handed to the connection.
    virtual void QuerySent(std::int32_t /*id*/) {}
};

class C1 {
public:
    static constexpr std::int32_t kReceiveBlockSize = 1024;
    // A response header longer than this, blank line included, fails the
    // download with code 4 and closes the connection.
    static constexpr std::size_t kMaxHeaderSize = 64 * 1024;
    // Redirects followed for one download; the next one fails with code 4.
    static constexpr int kMaxRedirects = 20;
    // A connection without any network event for this long is closed and
    // the download fails with code 0.
    static constexpr int kDefaultNoProgressMilliseconds = 30000;
    // The whole download, counted from FetchURLString, redirects included,
    // may take this long; past it the download fails with code 0, so a
    // server that trickles bytes or sends without end cannot hold it. The
    // bound is on waiting for the network: notifications held while a
    // handler ran are handled in order even when it has passed meanwhile.
    static constexpr int kDefaultTimeLimitMilliseconds = 120000;

    // Raises no event. When the transport cannot deliver notifications
    // (CanNotify() is false) the object is still usable, but every
    // connection then fails with code 5 or 7; the owner reports that
    // start-up failure itself.
    C1(std::unique_ptr<Transport> transport, DownloadListener* listener);
    ~C1();
    C1(const C1&) = delete;
    C1& operator=(const C1&) = delete;

    bool CanNotify() const { return transport_->CanNotify(); }

    // Starts a download of an absolute "http" URL, cancelling one under way,
    // and returns once the connection is open (or has failed).
    void FetchURLString(const std::string& sURL);

    // The number of the download whose events are being raised: each
    // FetchURLString takes the next number once the download it cancels has
    // raised its last event. A listener reads it to tell a superseded
    // download's events from the current one's.
    std::uint32_t DownloadNumber() const { return downloadNumber_; }

    // The proxy properties; read when a connection is opened.
    void ProxyUsed(bool NewType) { proxyUsed_ = NewType; }
    void ProxyAddress(const std::string& NewHost) { proxyHost_ = NewHost; }
    void ProxyPort(std::int32_t NewPort) { proxyPort_ = NewPort; }

    // Handles one network event, the low 16 bits of dwMessage: kReadEvent,
    // kWriteEvent, kCloseEvent or kNoProgressEvent; other values are ignored.
    void ProcessMessage(std::int32_t dwMessage);

    void SetNoProgressTimeout(int milliseconds) { noProgressMilliseconds_ = milliseconds; }
    // Counted from the fetch; a change applies to the download under way too.
    void SetTimeLimit(int milliseconds) { timeLimitMilliseconds_ = milliseconds; }

private:
    using Clock = std::chrono::steady_clock;
    // Taken before raising events: tells afterwards whether the object still
    // exists and still works on the same connection.
    class Snapshot;

    // The outermost of ProcessMessage and FetchURLString ends here: the
    // notifications held meanwhile are handled, then the watch restarts.
    void EndProcessing(const Snapshot& snapshot);
    void Hold(std::int32_t event);
    void Dispatch(std::int32_t event);
    Clock::time_point Deadline() const;
    void ArmWatch();
    void CancelDownload();
    void StartConnection();
    void HandleWrite();
    void HandleRead();
    void HandleClose();
    void HandleNoProgress();
    // Appends received bytes to the header; returns the count the read loop
    // tests (the body bytes that followed the header, or n).
    std::int32_t GatherHeader(const char* block, std::int32_t n, const Snapshot& snapshot);
    // False when the body that follows is not the caller's (a redirect's).
    bool ParseResponseHeader();
    void DeliverBody(const char* bytes, std::int32_t count);
    // Closes the connection for good: no later notification of it acts.
    void EndConnection();
    void DropSocket();
    void Fail(std::int32_t why);

    std::unique_ptr<Transport> transport_;
    DownloadListener* listener_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);

    bool proxyUsed_ = false;
    std::string proxyHost_ = "localhost";
    std::int32_t proxyPort_ = 80;
    std::string requestUrl_;
    const std::int32_t id_ = 0;
    std::string host_;
    std::int32_t port_ = 80;
    // Where the connection stands: none open (the socket is then kNoSocket),
    // the response header still arriving, or the body.
    enum class Stage { kNoConnection, kHeader, kBody };
    Stage stage_ = Stage::kNoConnection;
    std::int64_t bytesReceived_ = 0;
    // The length the response header announced; nothing when it announced none.
    std::optional<std::int32_t> contentLength_;
    SocketId socket_ = kNoSocket;
    std::string headerBuffer_;
    // Set from a cancel until the next connection opens: the close then ends
    // the download with code 1 and no redirect is followed.
    bool cancelling_ = false;
    // The connection is a redirect's, which raises no Connected event.
    bool redirect_ = false;

    // The request text and how much of it the connection has taken: a send
    // that takes only part of it is completed on the next write notification.
    std::string request_;
    std::size_t requestSent_ = 0;
    bool querySent_ = false;
    int redirects_ = 0;
    // Counts connections, so that a caller can tell that the one it worked
    // on was replaced or closed while an event handler ran.
    std::uint32_t connectionSerial_ = 0;
    int noProgressMilliseconds_ = kDefaultNoProgressMilliseconds;
    int timeLimitMilliseconds_ = kDefaultTimeLimitMilliseconds;
    Clock::time_point fetchedAt_;
    std::uint32_t downloadNumber_ = 0;
    // Set while ProcessMessage or FetchURLString runs; notifications that
    // arrive meanwhile come from a handler's message loop and are held as a
    // mask of network events, for the connection of heldConnection_.
    bool processing_ = false;
    std::int32_t heldEvents_ = 0;
    std::uint32_t heldConnection_ = 0;
};

}  // namespace quorvel
