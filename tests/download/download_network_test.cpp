// The download class over the platform's real transport against servers the
// tests start on 127.0.0.1: what the transport adds (connect, send, receive,
// close and reset, the proxy, the no-progress watch). The same tests run
// natively over POSIX sockets and under Wine over Winsock.
#include <gtest/gtest.h>

#include <fstream>
#include <tuple>

#include "download/network_harness.h"
#include "support/fake_transport.h"
#include "support/test_socket.h"

namespace quorvel {
namespace {

using namespace test;
using Events = std::vector<std::string>;

// The server is reached as "localhost", looked up, at a port above 65535
// whose low 16 bits are its own; or as the proxy of a host that does not exist.
TEST(NetworkDownload, EachReplyShapeEndsWithItsEvents) {
    const std::string ok = "HTTP/1.0 200 OK\r\n", body(3000, 'b');
    struct Shape {
        std::vector<Exchange> exchanges;
        Events events;  // after Connected and QuerySent
        bool viaProxy = false;
    };
    const Shape shapes[] = {
        {{{ok + "Content-Length: 3000\r\n\r\n" + body}}, {"Body " + body, "Disconnected"}},
        {{{ok + "\r\nproxied"}}, {"Body proxied", "Disconnected"}, true},
        {{{"HTTP/1.0 302 Found\r\nLocation: /b\r\n\r\n", Exchange::kAwaitClose}, {ok + "\r\nb"}},
         {"QuerySent", "Body b", "Disconnected"}},
        {{{ok + "\r\nabc", Exchange::kReset}}, {"Body abc", "Disconnected"}},
        {{{"", Exchange::kAwaitClose}}, {"Failed 0"}}};
    for (const Shape& shape : shapes) {
        int port = 0;
        auto served = ServeOnLoopback(shape.exchanges, &port);
        const std::string host = shape.viaProxy ? "imei.invalid" : "localhost";
        const std::string url = "http://" + host + ":" + std::to_string(port + 65536) + "/a";
        DownloadEventLog log;
        auto transport = MakePlatformTransport();
        Transport& platform = *transport;
        C1 download(std::move(transport), &log);
        download.ProxyUsed(shape.viaProxy);
        download.ProxyAddress("localhost");
        download.ProxyPort(port + 65536);
        download.SetNoProgressTimeout(300);
        download.FetchURLString(url);
        Events expected = {"Connected", "QuerySent"};
        expected.insert(expected.end(), shape.events.begin(), shape.events.end());
        // Until every event has come (at most 8 s), and a little longer for late ones.
        for (int turn = 0; turn < 400 && log.events.size() < expected.size(); ++turn)
            Turn(download, platform);
        for (int turn = 0; turn < 3; ++turn) Turn(download, platform);
        EXPECT_EQ(log.events, expected);
        const std::vector<Served> results = served.get();
        ASSERT_EQ(results.size(), shape.exchanges.size());
        EXPECT_EQ(results[0].request, RequestFor(url, host));
        EXPECT_EQ(results.back().request, RequestFor(results.size() > 1 ? "/b" : url, host));
        EXPECT_EQ(results[0].clientClosed, shape.exchanges[0].ending == Exchange::kAwaitClose);
    }
}

// Nothing listens at the refused port; the other targets are never tried.
TEST(NetworkDownload, TargetsThatCannotBeReachedAreCode5DirectlyAnd7ViaTheProxy) {
    int refused = 0;
    CloseTestSocket(ListenOnLoopback(1, &refused));
    const std::tuple<const char*, int, bool> targets[] = {
        // The host, the port, whether it is the proxy's.
        {"127.0.0.1", refused, false},
        {"127.0.0.1", 65535, false},
        {"255.255.255.255", 80, false},
        {"no-such.invalid", 80, true}};
    for (const auto& [host, port, viaProxy] : targets) {
        DownloadEventLog log;
        C1 download(MakePlatformTransport(), &log);
        download.ProxyUsed(viaProxy);
        download.ProxyAddress(host);
        download.ProxyPort(port);
        const std::string target = host + (":" + std::to_string(port));
        download.FetchURLString("http://" + (viaProxy ? "imei.invalid" : target));
        EXPECT_EQ(log.events, Events({viaProxy ? "Failed 7" : "Failed 5"})) << host << port;
    }
}

// Through a real HTTP proxy (tinyproxy, which CTest starts and whose port it
// writes to tinyproxy/port of the working folder) to a server on 127.0.0.1.
TEST(RealProxy, RelaysTheRequestAndThePage) {
    int proxyPort = 0, port = 0;
    ASSERT_TRUE(std::ifstream("tinyproxy/port") >> proxyPort) << "tinyproxy is not running";
    auto served = ServeOnLoopback({{"HTTP/1.0 200 OK\r\n\r\nthe page"}}, &port);
    DownloadEventLog log;
    auto transport = MakePlatformTransport();
    Transport& platform = *transport;
    C1 download(std::move(transport), &log);
    download.ProxyUsed(true);
    download.ProxyAddress("127.0.0.1");
    download.ProxyPort(proxyPort);
    download.FetchURLString("http://127.0.0.1:" + std::to_string(port) + "/index.php?s=1");
    for (int turn = 0; turn < 400 && log.events.size() < 4; ++turn) Turn(download, platform);
    EXPECT_EQ(log.events, Events({"Connected", "QuerySent", "Body the page", "Disconnected"}));
    const std::string request = served.get().at(0).request;
    EXPECT_EQ(request.rfind("GET /index.php?s=1 HTTP/1.", 0), 0u);
    EXPECT_NE(request.find("\r\nVia: "), std::string::npos);  // the proxy's mark
}

}  // namespace
}  // namespace quorvel
