// The download class over the platform's real transport against servers the
// tests start on 127.0.0.1: what the transport adds (connect, send, receive,
// close and reset, the proxy, the no-progress watch). The same tests run
// natively over POSIX sockets and under Wine over Winsock.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "download/network_harness.h"
#include "support/download_event_log.h"
#include "support/script_server.h"
#include "support/test_files.h"

namespace quorvel {
namespace {

using namespace test;
using Events = std::vector<std::string>;

class NetworkDownload : public ::testing::Test {
protected:
    C1& Make() {
        log_ = DownloadEventLog();
        return harness_->Make(log_);
    }
    // Turns the platform's loop until done() holds, at most 8 s.
    bool RunUntil(const std::function<bool()>& done) {
        for (int turn = 0; turn < 400 && !done(); ++turn) harness_->Turn();
        return done();
    }
    // Until the download has ended, and a little longer for late notifications.
    bool RunToEnd() {
        const bool ended = RunUntil([&] { return log_.Ended(); });
        for (int turn = 0; turn < 3; ++turn) harness_->Turn();
        return ended;
    }

    std::unique_ptr<DownloadHarness> harness_ = MakePlatformHarness();
    DownloadEventLog log_;
};

std::string Ok(const std::string& headers, const std::string& body) {
    return "HTTP/1.0 200 OK\r\n" + headers + "\r\n" + body;
}

// Each URL names the host "localhost", looked up, and a port above 65535,
// whose low 16 bits are the server's.
TEST_F(NetworkDownload, EachReplyShapeEndsWithItsEvents) {
    const std::string body(3000, 'b');
    struct Shape {
        std::vector<Exchange> exchanges;
        Events events;  // after Connected and QuerySent
    };
    const Shape shapes[] = {
        {{{Ok("Content-Length: 3000\r\n", body)}}, {"Body " + body, "Disconnected"}},
        {{{"HTTP/1.0 302 Found\r\nLocation: /other\r\n\r\n", Exchange::kAwaitClose},
          {Ok("", "new")}},
         {"QuerySent", "Body new", "Disconnected"}},
        {{{Ok("Content-Length: 10\r\n", "abc"), Exchange::kReset}}, {"Body abc", "Failed 0"}},
        {{{"", Exchange::kAwaitClose}}, {"Failed 0"}},
    };
    for (const Shape& shape : shapes) {
        ScriptServer server(shape.exchanges);
        const std::string url = "http://localhost:" + std::to_string(server.Port() + 65536) + "/p";
        C1& download = Make();
        download.SetNoProgressTimeout(300);
        download.FetchURLString(url);
        EXPECT_TRUE(RunToEnd()) << shape.events.back();
        Events expected = {"Connected", "QuerySent"};
        expected.insert(expected.end(), shape.events.begin(), shape.events.end());
        EXPECT_EQ(log_.events, expected);
        const std::vector<Served>& served = server.Results();
        ASSERT_EQ(served.size(), shape.exchanges.size());
        EXPECT_EQ(served[0].request, RequestFor(url, "localhost"));
        if (served.size() > 1) {
            EXPECT_EQ(served[1].request, RequestFor("/other", "localhost"));
        }
        EXPECT_EQ(served[0].clientClosed, shape.exchanges[0].ending == Exchange::kAwaitClose);
    }
}

TEST_F(NetworkDownload, TargetsThatCannotBeReachedAreCode5DirectlyAnd7ViaTheProxy) {
    const std::string refused = std::to_string(UnusedLoopbackPort());
    for (const std::string& host :
         {"127.0.0.1:" + refused, std::string("127.0.0.1:65535"), std::string("255.255.255.255:80"),
          std::string("no-such-host.invalid:80")}) {
        for (bool viaProxy : {false, true}) {
            C1& download = Make();
            download.ProxyUsed(viaProxy);
            download.ProxyAddress(host.substr(0, host.find(':')));
            download.ProxyPort(std::atoi(host.substr(host.find(':') + 1).c_str()));
            download.FetchURLString("http://" + (viaProxy ? "127.0.0.1:" + refused : host) + "/");
            EXPECT_EQ(log_.events, Events({viaProxy ? "Failed 7" : "Failed 5"}))
                << host << viaProxy;
        }
    }
}

// The bytes that came are delivered without waiting for more; a new fetch
// closes the old connection, and the object serves the next download.
TEST_F(NetworkDownload, ANewFetchClosesTheConnectionUnderWay) {
    ScriptServer first({{Ok("Content-Length: 100\r\n", "part"), Exchange::kAwaitClose}});
    ScriptServer second({{Ok("", "second")}});
    C1& download = Make();
    download.FetchURLString(first.Base() + "/");
    ASSERT_TRUE(RunUntil([&] { return log_.events.size() == 3; }));
    download.FetchURLString(second.Base() + "/");
    EXPECT_TRUE(RunToEnd());
    EXPECT_EQ(log_.events, Events({"Connected", "QuerySent", "Body part", "Failed 1", "Connected",
                                   "QuerySent", "Body second", "Disconnected"}));
    EXPECT_TRUE(first.Results()[0].clientClosed);
}

// Through tinyproxy, which CTest starts on a loopback port before these tests
// (its port is in the file "tinyproxy/port" of the working folder).
using RealProxy = NetworkDownload;

TEST_F(RealProxy, ForwardsTheAbsoluteRequestAndAnswersForAHostItCannotReach) {
    const int proxyPort = std::atoi(ReadTestFile("tinyproxy/port").value_or("0").c_str());
    ASSERT_GT(proxyPort, 0) << "no tinyproxy: run the tests through ctest";
    ScriptServer origin({{Ok("Content-Length: 7\r\n", "proxied")}});
    const std::string unreachable = "http://127.0.0.1:" + std::to_string(UnusedLoopbackPort());
    for (const std::string& url : {origin.Base() + "/via?s=1", unreachable + "/"}) {
        C1& download = Make();
        download.ProxyUsed(true);
        download.ProxyAddress("127.0.0.1");
        download.ProxyPort(proxyPort);
        download.FetchURLString(url);
        EXPECT_TRUE(RunToEnd()) << url;
        EXPECT_EQ(log_.events[2], url == unreachable + "/" ? "Failed 4" : "Body proxied") << url;
    }
    EXPECT_EQ(origin.Results()[0].request.substr(0, 13), "GET /via?s=1 ");
}

}  // namespace
}  // namespace quorvel
