// The download class over the platform's real transport against servers the
// tests start on 127.0.0.1: what the transport adds (connect, send, receive,
// close and reset, the proxy, the no-progress watch). The same tests run
// natively over POSIX sockets and under Wine over Winsock.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "download/network_harness.h"
#include "support/fake_transport.h"
#include "support/test_socket.h"

namespace quorvel {
namespace {

using namespace test;
using Events = std::vector<std::string>;

class NetworkDownload : public ::testing::Test {
protected:
    C1& Make() {
        download_.reset();
        log_ = DownloadEventLog();
        auto transport = MakePlatformTransport();
        transport_ = transport.get();
        download_ = std::make_unique<C1>(std::move(transport), &log_);
        return *download_;
    }

    DownloadEventLog log_;
    Transport* transport_ = nullptr;  // owned by download_
    std::unique_ptr<C1> download_;
};

// The server is reached as "localhost", looked up, at a port above 65535
// whose low 16 bits are its own; or as the proxy of a host that does not exist.
TEST_F(NetworkDownload, EachReplyShapeEndsWithItsEvents) {
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
        {{{ok + "Content-Length: 10\r\n\r\nabc", Exchange::kReset}}, {"Body abc", "Failed 0"}},
        {{{"", Exchange::kAwaitClose}}, {"Failed 0"}}};
    for (const Shape& shape : shapes) {
        ScriptServer server(shape.exchanges);
        const std::string host = shape.viaProxy ? "imei.invalid" : "localhost";
        const std::string url =
            "http://" + host + ":" + std::to_string(server.Port() + 65536) + "/a";
        C1& download = Make();
        download.ProxyUsed(shape.viaProxy);
        download.ProxyAddress("localhost");
        download.ProxyPort(server.Port() + 65536);
        download.SetNoProgressTimeout(300);
        download.FetchURLString(url);
        // Until the download has ended (at most 8 s), and a little longer for late notifications.
        for (int turn = 0; turn < 400 && !log_.Ended(); ++turn) Turn(download, *transport_);
        for (int turn = 0; turn < 3; ++turn) Turn(download, *transport_);
        Events expected = {"Connected", "QuerySent"};
        expected.insert(expected.end(), shape.events.begin(), shape.events.end());
        EXPECT_EQ(log_.events, expected);
        const std::vector<Served>& served = server.Results();
        ASSERT_EQ(served.size(), shape.exchanges.size());
        EXPECT_EQ(served[0].request, RequestFor(url, host));
        EXPECT_EQ(served.back().request, RequestFor(served.size() > 1 ? "/b" : url, host));
        EXPECT_EQ(served[0].clientClosed, shape.exchanges[0].ending == Exchange::kAwaitClose);
    }
}

TEST_F(NetworkDownload, TargetsThatCannotBeReachedAreCode5DirectlyAnd7ViaTheProxy) {
    int refused = 0;
    CloseTestSocket(ListenOnLoopback(1, &refused));  // nothing listens there now
    const std::pair<std::string, int> targets[] = {{"127.0.0.1", refused},
                                                   {"127.0.0.1", 65535},
                                                   {"255.255.255.255", 80},
                                                   {"no-such.invalid", 80}};
    for (const auto& [host, port] : targets) {
        for (bool viaProxy : {false, true}) {
            C1& download = Make();
            download.ProxyUsed(viaProxy);
            download.ProxyAddress(host);
            download.ProxyPort(port);
            const std::string target = viaProxy ? "127.0.0.1:" + std::to_string(refused)
                                                : host + ":" + std::to_string(port);
            download.FetchURLString("http://" + target + "/");
            EXPECT_EQ(log_.events, Events({viaProxy ? "Failed 7" : "Failed 5"})) << host << port;
        }
    }
}

}  // namespace
}  // namespace quorvel
