#include "download/download.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>

#include "shared/numeric_text.h"
#include "shared/text.h"

namespace quorvel {
namespace {

constexpr std::string_view kLineEnd = kCrLf;
constexpr std::string_view kBlankLine = "\r\n\r\n";

struct UrlTarget {
    std::string host;
    std::int32_t port = 80;
};

// Control characters (CR and LF among them) would end the request line or
// the Host header early and let the rest pose as header lines of its own.
bool HasControlCharacter(std::string_view text) {
    return std::any_of(text.begin(), text.end(), IsAsciiControl);
}

// The host and port of an absolute "http" URL; nothing when it is unusable.
std::optional<UrlTarget> ParseHttpUrl(const std::string& url) {
    if (HasControlCharacter(url)) return std::nullopt;
    // The added slash makes sure that a host is always followed by one.
    const std::string u = url + "/";
    const std::size_t separator = u.find("://");
    if (separator == std::string::npos || u.compare(0, separator, "http") != 0) {
        return std::nullopt;
    }
    const std::size_t hostStart = separator + 3;
    const std::string hostPart = u.substr(hostStart, u.find('/', hostStart) - hostStart);
    UrlTarget target{hostPart, 80};
    const std::size_t colon = hostPart.find(':');
    if (colon != std::string::npos) {
        target.port = IntegerValue(hostPart.substr(colon + 1));
        if (target.port < 1) return std::nullopt;
        target.host = hostPart.substr(0, colon);
    }
    if (target.host.empty()) return std::nullopt;
    return target;
}

// The text up to the first CR LF, which text then loses along with the CR LF;
// the whole text when it has none.
std::string_view TakeLine(std::string_view& text) {
    const std::size_t end = text.find(kLineEnd);
    if (end == std::string_view::npos) return std::exchange(text, std::string_view());
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end + kLineEnd.size());
    return line;
}

// The number between the first two spaces of the status line; nothing when
// there are fewer than two spaces or the two stand side by side.
std::optional<std::int32_t> StatusCode(std::string_view statusLine) {
    const std::size_t first = statusLine.find(' ');
    if (first == std::string_view::npos) return std::nullopt;
    const std::size_t second = statusLine.find(' ', first + 1);
    if (second == std::string_view::npos || second - first <= 1) return std::nullopt;
    return IntegerValue(std::string(statusLine.substr(first + 1, second - first - 1)));
}

std::string BuildRequest(const std::string& requestUrl, const std::string& host) {
    std::string request;
    for (const std::string& line :
         {"GET " + requestUrl + " HTTP/1.0", std::string("Accept: */*"),
          std::string("User-Agent: Brindle Download Class"), "Host: " + host,
          std::string("Pragma: no-cache"), std::string("Cache-Control: no-cache"), std::string()}) {
        request += line;
        request += kCrLf;
    }
    return request;
}

}  // namespace

class C1::Snapshot {
public:
    explicit Snapshot(const C1& owner)
        : owner_(&owner), alive_(owner.alive_), serial_(owner.connectionSerial_) {}
    bool Alive() const { return *alive_; }
    // The object exists and works on the connection it worked on when the
    // snapshot was taken.
    bool Unchanged() const { return *alive_ && owner_->connectionSerial_ == serial_; }

private:
    const C1* owner_;
    std::shared_ptr<bool> alive_;
    std::uint32_t serial_;
};

C1::C1(std::unique_ptr<Transport> transport, DownloadListener* listener)
    : transport_(std::move(transport)), listener_(listener) {}

// The transport closes the connection and ends its platform use; no event.
C1::~C1() { *alive_ = false; }

void C1::FetchURLString(const std::string& sURL) {
    const Snapshot snapshot(*this);
    const bool outermost = !std::exchange(processing_, true);
    // A handler of the cancelled download's last event may have started
    // another download: that one is cancelled in turn, with its own last event.
    while (stage_ != Stage::kNoConnection) {
        CancelDownload();
        if (!snapshot.Alive()) return;
    }
    ++downloadNumber_;
    fetchedAt_ = Clock::now();
    const std::optional<UrlTarget> target = ParseHttpUrl(sURL);
    if (!target) {
        Fail(kUnusableUrl);
    } else {
        requestUrl_ = sURL;
        host_ = target->host;
        port_ = target->port;
        // A redirect that failed to connect left its flag set; this is a new request.
        redirect_ = false;
        redirects_ = 0;
        StartConnection();
    }
    if (outermost) EndProcessing(snapshot);
}

// The old download's last event is raised by the close handling: code 1, or
// Disconnected when its length was never announced.
void C1::CancelDownload() {
    cancelling_ = true;
    transport_->Shutdown(socket_, kShutdownBoth);
    HandleClose();
}

void C1::StartConnection() {
    headerBuffer_.clear();
    bytesReceived_ = 0;
    contentLength_.reset();
    cancelling_ = false;
    request_.clear();
    requestSent_ = 0;
    querySent_ = false;
    if (stage_ != Stage::kNoConnection) DropSocket();  // the old connection of a redirect
    ++connectionSerial_;

    const bool viaProxy = proxyUsed_;
    socket_ = transport_->OpenSocket(viaProxy ? proxyHost_ : host_, viaProxy ? proxyPort_ : port_);
    if (socket_ == kNoSocket) {
        stage_ = Stage::kNoConnection;
        transport_->WatchProgress(0);  // a redirect's old connection had it running
        Fail(viaProxy ? kProxyConnectFailed : kHostConnectFailed);
        return;
    }
    stage_ = Stage::kHeader;
    if (!redirect_ && listener_) listener_->Connected(id_);
}

void C1::ProcessMessage(std::int32_t dwMessage) {
    std::int32_t event = dwMessage & 0xFFFF;
    if (processing_) {
        Hold(event);
        return;
    }
    // The time limit bounds the wait for the network: a read or write
    // notification that comes after it ends the download instead.
    const bool network = event == kReadEvent || event == kWriteEvent;
    if (network && stage_ != Stage::kNoConnection && Clock::now() >= Deadline())
        event = kNoProgressEvent;
    const Snapshot snapshot(*this);
    processing_ = true;
    Dispatch(event);
    EndProcessing(snapshot);
}

// A handler's message loop brought the notification: handling it now would
// raise events in the middle of the handler's own, out of wire order. The
// no-progress event is not held: the watch restarts once processing ends.
void C1::Hold(std::int32_t event) {
    if (event != kReadEvent && event != kWriteEvent && event != kCloseEvent) return;
    if (heldConnection_ != connectionSerial_) heldEvents_ = 0;
    heldConnection_ = connectionSerial_;
    heldEvents_ |= event;
}

// Held notifications were received while a handler ran: they are handled in
// order whatever the clock says now. The watch that follows keeps to the
// time limit.
void C1::EndProcessing(const Snapshot& snapshot) {
    while (snapshot.Alive() && heldEvents_ != 0) {
        const std::int32_t held = std::exchange(heldEvents_, 0);
        const std::uint32_t connection = heldConnection_;
        for (std::int32_t event : {kWriteEvent, kReadEvent, kCloseEvent}) {
            // Held notifications of a connection closed since are stale.
            if ((held & event) && snapshot.Alive() && connectionSerial_ == connection)
                Dispatch(event);
        }
    }
    if (!snapshot.Alive()) return;
    processing_ = false;
    if (stage_ != Stage::kNoConnection) ArmWatch();
}

void C1::Dispatch(std::int32_t event) {
    switch (event) {
        case kReadEvent:
            HandleRead();
            break;
        case kWriteEvent:
            HandleWrite();
            break;
        case kCloseEvent:
            HandleClose();
            break;
        case kNoProgressEvent:
            HandleNoProgress();
            break;
        default:
            break;
    }
}

C1::Clock::time_point C1::Deadline() const {
    return fetchedAt_ + std::chrono::milliseconds(timeLimitMilliseconds_);
}

// The no-progress watch, never beyond the time limit.
void C1::ArmWatch() {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(Deadline() - Clock::now());
    const auto milliseconds = std::max<std::chrono::milliseconds::rep>(left.count(), 1);
    transport_->WatchProgress(static_cast<int>(
        std::min<std::chrono::milliseconds::rep>(milliseconds, noProgressMilliseconds_)));
}

// Sends the request, or the rest of it when an earlier send took only part.
void C1::HandleWrite() {
    if (stage_ == Stage::kNoConnection || querySent_) return;
    if (requestSent_ == 0) request_ = BuildRequest(requestUrl_, host_);
    while (requestSent_ < request_.size()) {
        const std::int32_t sent =
            transport_->SendText(socket_, std::string_view(request_).substr(requestSent_));
        if (sent < 0) {
            EndConnection();
            Fail(kSendFailed);
            return;
        }
        if (sent == 0) return;  // no room now; the next write notification goes on
        requestSent_ += static_cast<std::size_t>(sent);
    }
    querySent_ = true;
    if (listener_) listener_->QuerySent(id_);
}

void C1::HandleRead() {
    if (stage_ == Stage::kNoConnection) return;
    const Snapshot snapshot(*this);
    // A block of its own for every notification: a handler's nested message
    // loop may read again before this loop delivers what it received.
    char block[kReceiveBlockSize];
    std::int32_t tested = 0;
    do {
        const std::int32_t n = transport_->Receive(socket_, block, kReceiveBlockSize);
        tested = n;
        if (n > 0 && stage_ == Stage::kHeader) {
            tested = GatherHeader(block, n, snapshot);
        } else if (n > 0) {
            DeliverBody(block, n);
        }
        if (!snapshot.Unchanged()) return;
        // Repeat while the last receive filled the whole block.
    } while (tested == kReceiveBlockSize);
}

std::int32_t C1::GatherHeader(const char* block, std::int32_t n, const Snapshot& snapshot) {
    const std::size_t before = headerBuffer_.size();
    headerBuffer_.append(block, static_cast<std::size_t>(n));
    // The blank line may have begun in an earlier receive.
    const std::size_t end = headerBuffer_.find(kBlankLine, before < 3 ? 0 : before - 3);
    const std::size_t headerSize =
        end == std::string::npos ? headerBuffer_.size() : end + kBlankLine.size();
    if (headerSize > kMaxHeaderSize) {
        EndConnection();
        Fail(kStatusNotAccepted);
        return 0;
    }
    if (end == std::string::npos) return n;
    headerBuffer_.resize(headerSize);
    stage_ = Stage::kBody;
    const bool ownBody = ParseResponseHeader();
    if (!snapshot.Unchanged()) return 0;
    const auto bodyStart = static_cast<std::int32_t>(headerSize - before);
    const std::int32_t bodyCount = n - bodyStart;
    if (bodyCount > 0 && ownBody) DeliverBody(block + bodyStart, bodyCount);
    return bodyCount;
}

bool C1::ParseResponseHeader() {
    const std::string header = std::exchange(headerBuffer_, std::string());
    std::string_view rest = header;
    const std::string_view statusLine = TakeLine(rest);
    std::string location;
    while (!rest.empty()) {
        const std::string_view line = TakeLine(rest);
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        // The name is what stands before the colon, so "Content-Length :"
        // names nothing known. The last of repeated headers wins.
        const std::string name = AsciiLower(line.substr(0, colon));
        const std::string_view value = line.substr(colon + 1);
        if (name == "content-length") {
            // A length of -1 announces none.
            const std::int32_t length = IntegerValue(std::string(value));
            contentLength_ = length == -1 ? std::nullopt : std::optional<std::int32_t>(length);
        } else if (name == "location") {
            location = TrimSpaces(value);
        }
    }
    const std::optional<std::int32_t> code = StatusCode(statusLine);
    if (code == 200 || code == 206) return true;
    // A Location holding control characters is not sent on; the reply then
    // counts as not accepted.
    const bool followable = (code == 301 || code == 302) && !location.empty() &&
                            !HasControlCharacter(location) && redirects_ < kMaxRedirects;
    // A cancel never follows a redirect (its connect would block): the
    // cancelled download ends by the close rule with its one last event.
    if (followable && cancelling_) return false;
    if (followable) {
        // The same server or proxy gets the new request line; the Host
        // header keeps naming the old host.
        ++redirects_;
        redirect_ = true;
        requestUrl_ = location;
        StartConnection();
        return false;
    }
    // The connection stays open: the body still arrives and the close ends
    // the download by the close rule.
    Fail(kStatusNotAccepted);
    return true;
}

void C1::DeliverBody(const char* bytes, std::int32_t count) {
    const Snapshot snapshot(*this);
    bytesReceived_ += count;
    if (!listener_) return;
    listener_->StreamBytes(count, bytes, id_);
    if (snapshot.Unchanged()) listener_->BytesReceived(bytesReceived_, id_);
}

void C1::HandleClose() {
    if (stage_ == Stage::kNoConnection) return;
    const Snapshot snapshot(*this);
    transport_->Shutdown(socket_, kShutdownSend);
    HandleRead();  // whatever is still buffered
    if (!snapshot.Unchanged()) return;
    const bool headerComplete = stage_ == Stage::kBody;
    EndConnection();
    if (!headerComplete && !cancelling_) {
        // Closed before a whole response header arrived (on a redirect's new
        // connection too): no reply was accepted, so this is no success.
        Fail(kClosedBeforeComplete);
    } else if (!contentLength_ || (bytesReceived_ == *contentLength_ && !cancelling_)) {
        if (listener_) listener_->Disconnected(id_);
    } else {
        Fail(cancelling_ ? kAborted : kClosedBeforeComplete);
    }
}

// A server that accepted the connection but stopped answering, or a
// download past its time limit.
void C1::HandleNoProgress() {
    if (stage_ == Stage::kNoConnection) return;
    EndConnection();
    Fail(kClosedBeforeComplete);
}

void C1::EndConnection() {
    stage_ = Stage::kNoConnection;
    ++connectionSerial_;
    transport_->WatchProgress(0);
    DropSocket();
}

void C1::DropSocket() {
    const SocketId old = std::exchange(socket_, kNoSocket);
    transport_->CloseSocket(old);
    // Notifications of the old connection that were already waiting run out
    // here. They arrive while the object is processing, so they are held for
    // the old connection and dropped with it: none can act on the next one.
    transport_->RunPendingNotifications();
}

void C1::Fail(std::int32_t why) {
    if (listener_) listener_->DownloadFailed(why, id_);
}

}  // namespace quorvel
