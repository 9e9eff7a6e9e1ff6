// The download class over the platform's real transport against servers the
// tests start on 127.0.0.1: what the transport adds (connect, send, receive,
// close and reset, the proxy, the no-progress watch). The same tests run
// natively over POSIX sockets and under Wine over Winsock.
#ifdef _WIN32
#include <windows.h>
#endif
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>
#include <tuple>

#ifdef _WIN32
#include "download/socket_transport_win32.h"
#else
#include "download/socket_transport_posix.h"
#endif
#include "support/fake_transport.h"
#include "support/test_socket.h"

namespace quorvel {
namespace {

using namespace test;

// One turn of the platform's loop: waits at most 20 ms for notifications of
// the transport and hands them to the download object.
#ifdef _WIN32
using PlatformTransport = WinsockTransport;

// Notifications come through the transport's window and SocketWindowProc to
// a receiver in the main window's place.
class Route final : public SocketNotificationSink {
public:
    explicit Route(C1& download) : download_(download) {}
    LRESULT ThuTucXuLy(HWND, UINT, WPARAM, LPARAM lParam) override {
        download_.ProcessMessage(static_cast<std::int32_t>(lParam));
        return 0;
    }
    C1& download_;
};

void Turn(C1& download, WinsockTransport& transport) {
    Route route(download);
    transport.SetNotificationSink(&route);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&message);
    transport.SetNotificationSink(nullptr);
}
#else
using PlatformTransport = PosixTransport;

void Turn(C1& download, PosixTransport& transport) {
    // Nothing to wait for: let the time pass as a loop would.
    if (!transport.RunOnce(20, [&](std::int32_t message) { download.ProcessMessage(message); }))
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
}
#endif

// The events of a download of url, through the proxy when one is named: until
// the last has come (at most 8 s), and a little longer for late ones.
std::string Fetch(const std::string& url, const std::string& proxy = "", int proxyPort = 0) {
    DownloadEventLog log;
    auto transport = std::make_unique<PlatformTransport>();
    PlatformTransport& platform = *transport;
    platform.SetConnectTimeout(5000);
    C1 download(std::move(transport), &log);
    download.ProxyUsed(!proxy.empty());
    download.ProxyAddress(proxy);
    download.ProxyPort(proxyPort);
    download.SetNoProgressTimeout(1000);
    download.FetchURLString(url);
    const auto ended = [&] {
        const std::string last = log.events.empty() ? "" : log.events.back();
        return last == "Disconnected" || last.rfind("Failed", 0) == 0;
    };
    for (int turn = 0; turn < 400 && !ended(); ++turn) Turn(download, platform);
    for (int turn = 0; turn < 3; ++turn) Turn(download, platform);
    return log.Joined();
}

// The server is reached as "localhost", looked up, at a port above 65535
// whose low 16 bits are its own; or as the proxy of a host that does not exist.
TEST(NetworkDownload, EachReplyShapeEndsWithItsEvents) {
    const std::string ok = "HTTP/1.0 200 OK\r\n", body(3000, 'b');
    const std::tuple<std::vector<Exchange>, std::string, bool> shapes[] = {
        // The server's exchanges, the events after the first QuerySent, whether via the proxy.
        {{{ok + "Content-Length: 3000\r\n\r\n" + body}}, "Body " + body + "|Disconnected", false},
        {{{ok + "\r\nproxied"}}, "Body proxied|Disconnected", true},
        {{{"HTTP/1.0 302 Found\r\nLocation: /b\r\n\r\n", Exchange::kAwaitClose}, {ok + "\r\nb"}},
         "QuerySent|Body b|Disconnected",
         false},
        {{{ok + "\r\nabc", Exchange::kReset}}, "Body abc|Disconnected", false},
        {{{"", Exchange::kAwaitClose}}, "Failed 0", false}};
    for (const auto& [exchanges, events, viaProxy] : shapes) {
        int port = 0;
        auto served = ServeOnLoopback(exchanges, &port);
        const std::string host = viaProxy ? "imei.invalid" : "localhost";
        const std::string url = "http://" + host + ":" + std::to_string(port + 65536) + "/a";
        EXPECT_EQ(Fetch(url, viaProxy ? "localhost" : "", port + 65536),
                  "Connected|QuerySent|" + events);
        const std::vector<Served> results = served.get();
        ASSERT_EQ(results.size(), exchanges.size());
        EXPECT_EQ(results[0].request, RequestFor(url, host));
        EXPECT_EQ(results.back().request, RequestFor(results.size() > 1 ? "/b" : url, host));
        EXPECT_EQ(results[0].clientClosed, exchanges[0].ending == Exchange::kAwaitClose);
    }
}

// Nothing listens at the refused port; the other targets are never tried.
TEST(NetworkDownload, TargetsThatCannotBeReachedAreCode5DirectlyAnd7ViaTheProxy) {
    int refused = 0;
    CloseTestSocket(ListenOnLoopback(1, &refused));
    for (const std::string& target :
         {"127.0.0.1:" + std::to_string(refused), std::string("127.0.0.1:65535"),
          std::string("255.255.255.255:80")})
        EXPECT_EQ(Fetch("http://" + target + "/"), "Failed 5") << target;
    EXPECT_EQ(Fetch("http://imei.invalid/", "no-such.invalid", 80), "Failed 7");
}

// Through a real HTTP proxy (tinyproxy, which CTest starts and whose port it
// writes to tinyproxy/port of the working folder) to a server on 127.0.0.1.
TEST(RealProxy, RelaysTheRequestAndThePage) {
    int proxyPort = 0, port = 0;
    ASSERT_TRUE(std::ifstream("tinyproxy/port") >> proxyPort) << "tinyproxy is not running";
    auto served = ServeOnLoopback({{"HTTP/1.0 200 OK\r\n\r\nthe page"}}, &port);
    EXPECT_EQ(Fetch("http://127.0.0.1:" + std::to_string(port) + "/index.php?s=1", "127.0.0.1",
                    proxyPort),
              "Connected|QuerySent|Body the page|Disconnected");
    const std::string request = served.get().at(0).request;
    EXPECT_EQ(request.rfind("GET /index.php?s=1 HTTP/1.", 0), 0u);
    EXPECT_NE(request.find("\r\nVia: "), std::string::npos);  // the proxy's mark
}

#ifdef _WIN32
// A window without SocketWindowProc, like one whose subclass could not be
// installed (its subclass also leaves when the window is destroyed), cannot
// deliver notifications: the transport says so, which is failure code 2, and
// opens no connection that would wait for them.
TEST(WinsockTransport, CannotNotifyWithoutItsWindowProcedure) {
    int port = 0;
    const TestSocket listener = ListenOnLoopback(1, &port);
    WinsockTransport transport;
    EXPECT_TRUE(transport.CanNotify());
    DestroyWindow(transport.NotificationWindow());
    EXPECT_FALSE(transport.CanNotify());
    EXPECT_EQ(transport.OpenSocket("127.0.0.1", port), kNoSocket);
    CloseTestSocket(listener);
}
#endif

}  // namespace
}  // namespace quorvel
