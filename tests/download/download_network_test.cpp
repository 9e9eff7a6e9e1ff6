// The download class over the platform's real transport against servers the
// tests start on 127.0.0.1: what the transport adds (connect, send, receive,
// close and reset, the no-progress watch, a real proxy). The same tests run
// natively over POSIX sockets and under Wine over Winsock.
#ifdef _WIN32
#include <windows.h>
#endif
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

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

#ifdef _WIN32
using PlatformTransport = WinsockTransport;

// Notifications come through the transport's window and SocketWindowProc to
// a receiver in the main window's place.
struct Route final : SocketNotificationSink {
    LRESULT ThuTucXuLy(HWND, UINT, WPARAM, LPARAM lParam) override {
        download->ProcessMessage(static_cast<std::int32_t>(lParam));
        return 0;
    }
    C1* download;
};
#else
using PlatformTransport = PosixTransport;
#endif

// The events of a download of url, through the proxy when one is named: until
// the last has come (at most 8 s), and three turns longer for late ones. Each
// turn of the platform's loop waits at most 20 ms for notifications.
std::string Fetch(const std::string& url, const std::string& proxy = "", int proxyPort = 0) {
    DownloadEventLog log;
    auto* platform = new PlatformTransport;  // owned by download
    C1 download(std::unique_ptr<Transport>(platform), &log);
#ifdef _WIN32
    Route route;
    route.download = &download;
    platform->SetNotificationSink(&route);
#endif
    download.ProxyUsed(!proxy.empty());
    download.ProxyAddress(proxy);
    download.ProxyPort(proxyPort);
    download.SetNoProgressTimeout(1000);
    bool ended = false;  // the last event so far is Disconnected or Failed
    log.onEvent = [&](const std::string& line) { ended = line[0] == 'D' || line[0] == 'F'; };
    download.FetchURLString(url);
    for (int turns = 0, late = 0; turns < 400 && late <= 3; ++turns, late += ended) {
#ifdef _WIN32
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);)
            DispatchMessageA(&message);
#else
        // Nothing to wait for: let the time pass as a loop would.
        if (!platform->RunOnce(20, [&](std::int32_t message) { download.ProcessMessage(message); }))
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
#endif
    }
    return log.Joined();
}

// The server is reached as "localhost", looked up, at a port above 65535
// whose low 16 bits are its own.
TEST(NetworkDownload, EachServerEndsTheDownloadWithItsEvents) {
    const std::string ok = "HTTP/1.0 200 OK\r\n", body(3000, 'b');
    const std::pair<std::vector<std::string>, std::string> shapes[] = {
        // The server's replies, the events after the first QuerySent.
        {{ok + "Content-Length: 3000\r\n\r\n" + body}, "Body " + body + "|Disconnected"},
        {{"HTTP/1.0 302 Found\r\nLocation: /b\r\n\r\n", ok + "\r\nb"},
         "QuerySent|Body b|Disconnected"}};
    for (const auto& [replies, events] : shapes) {
        int port = 0;
        auto served = ServeOnLoopback(replies, &port);
        const std::string url = "http://localhost:" + std::to_string(port + 65536) + "/a";
        EXPECT_EQ(Fetch(url), "Connected|QuerySent|" + events);
        EXPECT_EQ(served.get().at(replies.size() - 1),
                  RequestFor(replies.size() > 1 ? "/b" : url, "localhost"));
    }
    // A server that takes the connection (into the listening queue) but never
    // answers ends the download by the no-progress watch with code 0; once
    // nothing listens the connection is refused, code 5; a proxy that cannot
    // be looked up is code 7.
    int port = 0;
    const TestSocket silent = ListenOnLoopback(1, &port);
    const std::string url = "http://127.0.0.1:" + std::to_string(port) + "/";
    EXPECT_EQ(Fetch(url), "Connected|QuerySent|Failed 0");
    CloseTestSocket(silent);
    EXPECT_EQ(Fetch(url), "Failed 5");
    EXPECT_EQ(Fetch("http://imei.invalid/", "no-such.invalid", 80), "Failed 7");
}

// Through a real HTTP proxy (tinyproxy, which CTest starts and whose port it
// writes to tinyproxy/port of the working folder), which marks what it relays.
TEST(RealProxy, RelaysTheRequestAndThePage) {
    int proxyPort = 0, port = 0;
    ASSERT_TRUE(std::ifstream("tinyproxy/port") >> proxyPort) << "tinyproxy is not running";
    auto served = ServeOnLoopback({"HTTP/1.0 200 OK\r\n\r\npage"}, &port);
    EXPECT_EQ(Fetch("http://127.0.0.1:" + std::to_string(port) + "/", "127.0.0.1", proxyPort),
              "Connected|QuerySent|Body page|Disconnected");
    EXPECT_NE(served.get().at(0).find("\r\nVia: "), std::string::npos);
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
    DestroyWindow(transport.NotificationWindow());
    EXPECT_FALSE(transport.CanNotify());
    EXPECT_EQ(transport.OpenSocket("127.0.0.1", port), kNoSocket);
    CloseTestSocket(listener);
}
#endif

}  // namespace
}  // namespace quorvel
