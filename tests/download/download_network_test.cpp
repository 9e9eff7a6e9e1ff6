// The download class over the platform's real transport, against servers
// that the tests start on 127.0.0.1. The same tests run natively over POSIX
// sockets and under Wine over Winsock.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "download/network_download_fixture.h"
#include "support/script_server.h"

namespace quorvel {
namespace {

using namespace test;
using Events = std::vector<std::string>;

// One reply shape: what the server does on each connection, and what the
// download reports.
struct Shape {
    const char* name;
    std::vector<ServerScript> scripts;
    Events events;  // after Connected and QuerySent, bodies merged
    int noProgressMilliseconds = 2000;
};

std::vector<Shape> Shapes() {
    const std::string megabyte = [] {
        std::string body(1 << 20, '\0');
        for (std::size_t i = 0; i < body.size(); ++i) body[i] = static_cast<char>(i * 7 + i / 251);
        return body;
    }();
    ServerScript trickledHeader = {ReadRequest()};
    for (const ServerStep& step : Trickle("HTTP/1.0 200 OK\r\nContent-Length: 3\r\n\r\n", 2)) {
        trickledHeader.push_back(step);
    }
    trickledHeader.push_back(Send("abc"));
    ServerScript trickledBody = {ReadRequest(), Send(Ok("", ""))};
    for (const ServerStep& step : Trickle("body in pieces", 5)) trickledBody.push_back(step);
    const std::string hugeHeader = "HTTP/1.0 200 OK\r\nX-Filler: " + std::string(70000, 'f');

    return {
        {"announced length arrives",
         {{ReadRequest(), Send(Ok("Content-Length: 10\r\n", "0123456789"))}},
         {"Body 0123456789 0", "Disconnected 0"}},
        {"8 of 10 bytes",
         {{ReadRequest(), Send(Ok("Content-Length: 10\r\n", "01234567"))}},
         {"Body 01234567 0", "DownloadFailed 0 0"}},
        {"12 of 10 bytes",
         {{ReadRequest(), Send(Ok("Content-Length: 10\r\n", "0123456789ab"))}},
         {"Body 0123456789ab 0", "DownloadFailed 0 0"}},
        {"no length",
         {{ReadRequest(), Send(Ok("", "whatever comes"))}},
         {"Body whatever comes 0", "Disconnected 0"}},
        {"length in capitals",
         {{ReadRequest(), Send(Ok("CONTENT-LENGTH: 10\r\n", "01234567"))}},
         {"Body 01234567 0", "DownloadFailed 0 0"}},
        {"blank before the colon",
         {{ReadRequest(), Send(Ok("Content-Length : 10\r\n", "0123"))}},
         {"Body 0123 0", "Disconnected 0"}},
        {"status without reason",
         {{ReadRequest(), Send("HTTP/1.0 200\r\n\r\nbody")}},
         {"DownloadFailed 4 0", "Body body 0", "Disconnected 0"}},
        {"not found",
         {{ReadRequest(), Send("HTTP/1.0 404 Not Found\r\nContent-Length: 4\r\n\r\ngone")}},
         {"DownloadFailed 4 0", "Body gone 0", "Disconnected 0"}},
        {"302 without Location",
         {{ReadRequest(), Send("HTTP/1.0 302 Found\r\n\r\nbody")}},
         {"DownloadFailed 4 0", "Body body 0", "Disconnected 0"}},
        {"302 to /other",
         {{ReadRequest(), Send("HTTP/1.0 302 Found\r\nLocation: /other\r\n\r\nnot this"),
           AwaitClose()},
          {ReadRequest(), Send(Ok("Content-Length: 3\r\n", "new"))}},
         {"QuerySent 0", "Body new 0", "Disconnected 0"}},
        {"redirect's new connection closes before its header",
         {{ReadRequest(), Send("HTTP/1.0 301 Moved\r\nLocation: /other\r\n\r\n")},
          {ReadRequest(), Send("HTTP/1.0 200 OK\r\nContent-")}},
         {"QuerySent 0", "DownloadFailed 0 0"}},
        {"header byte by byte", {trickledHeader}, {"Body abc 0", "Disconnected 0"}},
        {"body byte by byte", {trickledBody}, {"Body body in pieces 0", "Disconnected 0"}},
        {"a megabyte",
         {{ReadRequest(), Send(Ok("Content-Length: 1048576\r\n", megabyte))}},
         {"Body " + megabyte + " 0", "Disconnected 0"}},
        {"reset after a body without length",
         {{ReadRequest(), Send(Ok("", "abc")), Pause(50), Reset()}},
         {"Body abc 0", "Disconnected 0"}},
        {"reset half-way",
         {{ReadRequest(), Send(Ok("Content-Length: 10\r\n", "abc")), Pause(50), Reset()}},
         {"Body abc 0", "DownloadFailed 0 0"}},
        {"closed without a reply", {{ReadRequest(), Close()}}, {"DownloadFailed 0 0"}},
        {"silent after accepting", {{ReadRequest(), AwaitClose()}}, {"DownloadFailed 0 0"}, 300},
        {"stops half-way",
         {{ReadRequest(), Send(Ok("Content-Length: 10\r\n", "abc")), AwaitClose()}},
         {"Body abc 0", "DownloadFailed 0 0"},
         300},
        {"header beyond 64 KiB",
         {{ReadRequest(), Send(hugeHeader), AwaitClose()}},
         {"DownloadFailed 4 0"}},
    };
}

TEST_F(NetworkDownload, EveryReplyShapeEndsWithItsEventsInOrder) {
    for (const Shape& shape : Shapes()) {
        ScriptServer server(shape.scripts);
        C1& download = Make();
        download.SetNoProgressTimeout(shape.noProgressMilliseconds);
        download.FetchURLString(server.Base() + "/page");
        EXPECT_TRUE(RunToEnd()) << shape.name;
        // Late notifications must not add a second outcome.
        RunUntil([] { return false; }, 50);
        Events events = log_.Merged();
        ASSERT_GE(events.size(), 2u) << shape.name;
        EXPECT_EQ(Events(events.begin(), events.begin() + 2),
                  Events({"Connected 0", "QuerySent 0"}))
            << shape.name;
        events.erase(events.begin(), events.begin() + 2);
        if (events != shape.events) {
            ADD_FAILURE() << shape.name << ": "
                          << (events.empty() ? "" : events.back().substr(0, 80)) << " ("
                          << events.size() << " events)";
        }
        const std::vector<std::string> requests = server.Requests();
        ASSERT_EQ(requests.size(), shape.scripts.size()) << shape.name;
        EXPECT_EQ(RequestLine(requests[0]), "GET " + server.Base() + "/page HTTP/1.0")
            << shape.name;
        EXPECT_EQ(HostHeader(requests[0]), "127.0.0.1") << shape.name;
        if (requests.size() > 1) {
            EXPECT_EQ(RequestLine(requests[1]), "GET /other HTTP/1.0") << shape.name;
            EXPECT_EQ(HostHeader(requests[1]), "127.0.0.1") << shape.name;
        }
        for (std::size_t i = 0; i < shape.scripts.size(); ++i) {
            if (shape.scripts[i].back().kind == ServerStep::Kind::kAwaitClose) {
                EXPECT_NE(server.Endings()[i], ClientEnding::kStillOpen)
                    << shape.name << ": connection " << i;
            }
        }
    }
}

TEST_F(NetworkDownload, APortAbove65535ConnectsToItsLow16Bits) {
    ScriptServer server({{ReadRequest(), Send(Ok("", "low bits"))}});
    const std::string url = "http://127.0.0.1:" + std::to_string(65536 + server.Port()) + "/x";
    Make().FetchURLString(url);
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(log_.Merged(),
              Events({"Connected 0", "QuerySent 0", "Body low bits 0", "Disconnected 0"}));
    EXPECT_EQ(RequestLine(server.Requests()[0]), "GET " + url + " HTTP/1.0");
}

TEST_F(NetworkDownload, AHostNameIsLookedUp) {
    ScriptServer server({{ReadRequest(), Send(Ok("", "named"))}});
    Make().FetchURLString("http://localhost:" + std::to_string(server.Port()) + "/");
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(log_.events.back(), "Disconnected 0");
    EXPECT_EQ(HostHeader(server.Requests()[0]), "localhost");
}

TEST_F(NetworkDownload, TargetsThatCannotBeReachedFailWithCode5DirectlyAnd7ViaAProxy) {
    const std::string refused = std::to_string(UnusedLoopbackPort());
    struct Case {
        const char* what;
        std::string host;
        std::string port;
    };
    const Case cases[] = {
        {"nothing listens", "127.0.0.1", refused},
        {"port 65535", "127.0.0.1", "65535"},
        {"all-ones address", "255.255.255.255", "80"},
        {"unknown name", "no-such-host.invalid", "80"},
    };
    for (const Case& c : cases) {
        for (bool viaProxy : {false, true}) {
            C1& download = Make();
            download.ProxyUsed(viaProxy);
            download.ProxyAddress(c.host);
            download.ProxyPort(std::stoi(c.port));
            const std::string url = viaProxy ? "http://127.0.0.1:" + refused + "/"
                                             : "http://" + c.host + ":" + c.port + "/";
            download.FetchURLString(url);
            RunUntil([] { return false; }, 50);
            EXPECT_EQ(log_.events, Events({viaProxy ? "DownloadFailed 7 0" : "DownloadFailed 5 0"}))
                << c.what << (viaProxy ? " via proxy" : "");
        }
    }
}

TEST_F(NetworkDownload, AConnectThatNeitherSucceedsNorFailsIsBoundedInTime) {
    // A listener whose queue is full drops further connection requests, so
    // their connect neither completes nor fails.
    int port = 0;
    const TestSocket listener = ListenOnLoopback(0, &port);
    ASSERT_NE(listener, kNoTestSocket);
    std::vector<TestSocket> fillers;
    for (int i = 0; i < 8; ++i) {
        const TestSocket filler = ConnectToLoopback(port, 200);
        if (filler == kNoTestSocket) break;
        fillers.push_back(filler);
    }
    C1& download = Make(300);
    const auto start = std::chrono::steady_clock::now();
    download.FetchURLString("http://127.0.0.1:" + std::to_string(port) + "/");
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(log_.events, Events({"DownloadFailed 5 0"}));
    EXPECT_LT(waited, std::chrono::seconds(5)) << "the bound, not the system's own time-out";
    for (TestSocket filler : fillers) CloseTestSocket(filler);
    CloseTestSocket(listener);
}

TEST_F(NetworkDownload, ANewFetchCancelsTheDownloadUnderWay) {
    struct Case {
        const char* headers;
        const char* oldOutcome;
    };
    for (const Case& c :
         {Case{"Content-Length: 100\r\n", "DownloadFailed 1 0"}, Case{"", "Disconnected 0"}}) {
        ScriptServer first({{ReadRequest(), Send(Ok(c.headers, "part")), AwaitClose()}});
        ScriptServer second({{ReadRequest(), Send(Ok("", "second"))}});
        C1& download = Make();
        download.FetchURLString(first.Base() + "/");
        ASSERT_TRUE(RunUntil([&] { return log_.events.size() >= 4; }));
        download.FetchURLString(second.Base() + "/");
        ASSERT_TRUE(RunToEnd());
        EXPECT_EQ(log_.Merged(),
                  Events({"Connected 0", "QuerySent 0", "Body part 0", c.oldOutcome, "Connected 0",
                          "QuerySent 0", "Body second 0", "Disconnected 0"}))
            << c.headers;
        EXPECT_NE(first.Endings()[0], ClientEnding::kStillOpen);
    }
}

TEST_F(NetworkDownload, BytesThatHaveArrivedAreDeliveredWithoutWaitingForMore) {
    const std::string body(3000, 'b');
    ScriptServer server(
        {{ReadRequest(), Send(Ok("Content-Length: 3000\r\n", body)), AwaitClose()}});
    Make().FetchURLString(server.Base() + "/");
    EXPECT_TRUE(RunUntil(
        [&] { return !log_.events.empty() && log_.events.back() == "BytesReceived 3000 0"; },
        3000));
    Make();  // the old object closes its connection
    EXPECT_NE(server.Endings().at(0), ClientEnding::kStillOpen);
}

TEST_F(NetworkDownload, OneObjectServesDownloadsOneAfterTheOther) {
    ScriptServer server(
        {{ReadRequest(), Send(Ok("", "one"))}, {ReadRequest(), Send(Ok("", "two"))}});
    C1& download = Make();
    for (const char* path : {"/1", "/2"}) {
        download.FetchURLString(server.Base() + path);
        ASSERT_TRUE(RunUntil([&] { return !harness_->HasOpenConnection(); })) << path;
    }
    EXPECT_EQ(log_.Merged(),
              Events({"Connected 0", "QuerySent 0", "Body one 0", "Disconnected 0", "Connected 0",
                      "QuerySent 0", "Body two 0", "Disconnected 0"}));
}

}  // namespace
}  // namespace quorvel
