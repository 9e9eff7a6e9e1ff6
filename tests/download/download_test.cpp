#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "download/download.h"
#include "download/transport.h"
#include "support/download_rig.h"

namespace quorvel {
namespace {

using test::DownloadEventLog;
using test::FakeTransport;
using Events = std::vector<std::string>;

std::string RequestFor(const std::string& requestUrl, const std::string& host) {
    return "GET " + requestUrl +
           " HTTP/1.0\r\nAccept: */*\r\nUser-Agent: Brindle Download Class\r\nHost: " + host +
           "\r\nPragma: no-cache\r\nCache-Control: no-cache\r\n\r\n";
}

using Rig = test::DownloadRig;

TEST(DownloadUrl, UnusableUrlsFailWithCode11AndOpenNothing) {
    const char* const urls[] = {
        "HTTP://example.test/",
        "Http://example.test/",
        "https://example.test/",
        "example.test/path",
        "",
        "http:/example.test/",
        "ftp://example.test/",
        "http://",
        "http:///path",
        "http://:80/",
        "http://example.test:0/",
        "http://example.test:abc/",
        "http://example.test:/",
        "http://example.test:-80/",
        "http://example.test:0.4/",
        " http://example.test/",
        "http://exa\r\nmple.test/",
        "http://example.test/a\nb",
        "http://example.test/\x01",
        "http://example.test/\x7F",
    };
    for (const char* url : urls) {
        Rig rig;
        rig.download->FetchURLString(url);
        EXPECT_EQ(rig.log.events, Events({"DownloadFailed 11 0"})) << "URL \"" << url << "\"";
        EXPECT_TRUE(rig.fake->opens.empty()) << url;
    }
}

// Only the low 16 bits count, and their all-ones value is never connected to.
TEST(DownloadUrl, ConnectablePortIsTheLowSixteenBitsButNever65535) {
    const std::pair<std::int32_t, std::optional<std::uint16_t>> cases[] = {
        {80, 80},      {0, 0},     {65534, 65534},         {65535, std::nullopt},
        {70000, 4464}, {65536, 0}, {131071, std::nullopt}, {-1, std::nullopt},
    };
    for (const auto& [port, wire] : cases) EXPECT_EQ(ConnectablePort(port), wire) << port;
}

TEST(DownloadUrl, TheHostAndPortComeFromTheUrlAndTheRequestLineKeepsItWhole) {
    struct Case {
        const char* url;
        const char* opened;
        const char* host;
    };
    const Case cases[] = {
        {"http://example.test", "example.test:80", "example.test"},
        {"http://example.test/x", "example.test:80", "example.test"},
        {"http://example.test:8080/x", "example.test:8080", "example.test"},
        {"http://example.test:8080", "example.test:8080", "example.test"},
        {"http://example.test: 81/", "example.test:81", "example.test"},
        {"http://example.test:80.6/", "example.test:81", "example.test"},
        {"http://example.test:81abc/", "example.test:81", "example.test"},
        {"http://example.test:70000/", "example.test:70000", "example.test"},
        {"http://10.1.2.3:1/", "10.1.2.3:1", "10.1.2.3"},
        {"http://example.test/p?next=http://other.test:9/", "example.test:80", "example.test"},
        {"http://user@example.test/", "user@example.test:80", "user@example.test"},
    };
    for (const Case& c : cases) {
        Rig rig;
        rig.Start(c.url);
        EXPECT_EQ(rig.fake->opens, Events({c.opened})) << c.url;
        ASSERT_EQ(rig.fake->connections.size(), 1u) << c.url;
        EXPECT_EQ(rig.fake->Last().sent, RequestFor(c.url, c.host)) << c.url;
        EXPECT_EQ(rig.log.events, Events({"Connected 0", "QuerySent 0"})) << c.url;
    }
}

TEST(DownloadProxy, TheProxyGetsTheConnectionAndTheSameAbsoluteRequest) {
    Rig rig;
    rig.download->ProxyUsed(true);
    rig.download->ProxyAddress("proxy.test");
    rig.download->ProxyPort(3128);
    rig.Start("http://example.test:8080/x");
    EXPECT_EQ(rig.fake->opens, Events({"proxy.test:3128"}));
    EXPECT_EQ(rig.fake->Last().sent, RequestFor("http://example.test:8080/x", "example.test"));

    // The proxy values are read when a connection opens: a change reaches the next one.
    rig.download->ProxyPort(8000);
    rig.download->ProxyUsed(false);
    EXPECT_EQ(rig.fake->opens.size(), 1u);
    rig.Start("http://example.test/y");
    EXPECT_EQ(rig.fake->opens.back(), "example.test:80");
}

TEST(DownloadProxy, WithoutAnAddressTheProxyIsLocalhostPort80) {
    Rig rig;
    rig.download->ProxyUsed(true);
    rig.Start();
    EXPECT_EQ(rig.fake->opens, Events({"localhost:80"}));
}

TEST(DownloadProxy, AFailedConnectionIsCode7ViaTheProxyAndCode5Directly) {
    for (bool viaProxy : {true, false}) {
        Rig rig;
        rig.fake->refuse = true;
        rig.download->ProxyUsed(viaProxy);
        rig.Start();
        EXPECT_EQ(rig.log.events, Events({viaProxy ? "DownloadFailed 7 0" : "DownloadFailed 5 0"}));
        // Still usable afterwards.
        rig.fake->refuse = false;
        rig.Start();
        EXPECT_EQ(rig.log.events.back(), "QuerySent 0");
    }
}

TEST(DownloadEvents, ANormalDownloadInOrderWithEveryReceiveAskingForOneBlock) {
    Rig rig;
    rig.Start();
    rig.Receive("HTTP/1.0 200 OK\r\nContent-Length: 5\r\n\r\nhello");
    rig.Close();
    EXPECT_EQ(rig.log.events, Events({"Connected 0", "QuerySent 0", "StreamBytes 5 hello 0",
                                      "BytesReceived 5 0", "Disconnected 0"}));
    for (std::int32_t size : rig.fake->receiveSizes) EXPECT_EQ(size, 1024);
    EXPECT_TRUE(rig.fake->Last().closed);
    EXPECT_EQ(rig.fake->Last().shutdowns, std::vector<ShutdownHow>({kShutdownSend}));
}

TEST(DownloadEvents, TheStatusCodeDecidesWhetherTheReplyIsAccepted) {
    struct Case {
        const char* statusLine;
        bool accepted;
    };
    const Case cases[] = {
        {"HTTP/1.0 200 OK", true},         {"HTTP/1.1 206 Partial Content", true},
        {"HTTP/1.0 0200 OK", true},        {"HTTP/1.0 200 ", true},
        {"HTTP/1.0 200", false},           {"HTTP/1.0  200 OK", false},
        {"HTTP/1.0 200OK", false},         {"", false},
        {"HTTP/1.0 404 Not Found", false}, {"HTTP/1.0 500 Internal Server Error", false},
        {"HTTP/1.0 201 Created", false},   {"HTTP/1.0 302 Found", false},  // no Location
        {"HTTP/1.0 x200 OK", false},
    };
    for (const Case& c : cases) {
        Rig rig;
        rig.Start();
        rig.Receive(std::string(c.statusLine) + "\r\n\r\nabc");
        rig.Close();
        const Events expected =
            c.accepted ? Events({"Body abc 0", "Disconnected 0"})
                       : Events({"DownloadFailed 4 0", "Body abc 0", "Disconnected 0"});
        EXPECT_EQ(rig.After(), expected) << "status line \"" << c.statusLine << "\"";
    }
}

TEST(DownloadEvents, TheCloseComparesTheBodyWithTheAnnouncedLength) {
    struct Case {
        const char* headers;
        const char* body;
        const char* outcome;
    };
    const Case cases[] = {
        {"Content-Length: 10\r\n", "0123456789", "Disconnected 0"},
        {"Content-Length: 10\r\n", "01234567", "DownloadFailed 0 0"},
        {"Content-Length: 10\r\n", "0123456789ab", "DownloadFailed 0 0"},
        {"", "any amount at all", "Disconnected 0"},
        {"", "", "Disconnected 0"},
        {"CONTENT-LENGTH: 10\r\n", "01234567", "DownloadFailed 0 0"},
        {"content-length:10\r\n", "01234567", "DownloadFailed 0 0"},
        {"Content-Length : 10\r\n", "01234567", "Disconnected 0"},
        {"Content-Length: 0\r\n", "", "Disconnected 0"},
        {"Content-Length: abc\r\n", "", "Disconnected 0"},
        {"Content-Length: abc\r\n", "xyz", "DownloadFailed 0 0"},
        {"Content-Length: 5\r\nContent-Length: 3\r\n", "xyz", "Disconnected 0"},
        {"Content-Length: 3.4\r\n", "xyz", "Disconnected 0"},
        {"X-Content-Length: 10\r\nNoColonHere\r\n", "xyz", "Disconnected 0"},
    };
    for (const Case& c : cases) {
        Rig rig;
        rig.Start();
        rig.Receive(std::string("HTTP/1.0 200 OK\r\n") + c.headers + "\r\n" + c.body);
        rig.Close();
        Events expected;
        if (*c.body) expected.push_back(std::string("Body ") + c.body + " 0");
        expected.push_back(c.outcome);
        EXPECT_EQ(rig.After(), expected) << c.headers << "/" << c.body;
    }
}

TEST(DownloadEvents, AHeaderInManyReceivesIsGatheredWholeAndItsLastPieceCarriesBody) {
    Rig rig;
    rig.Start();
    const std::string header = "HTTP/1.0 200 OK\r\nContent-Length: 4\r\n\r";
    for (char c : header) rig.Receive(std::string(1, c));
    EXPECT_EQ(rig.log.events, Events({"Connected 0", "QuerySent 0"}));
    // The last byte of the blank line and the first body bytes share a receive.
    rig.Receive("\nab");
    EXPECT_EQ(rig.log.events,
              Events({"Connected 0", "QuerySent 0", "StreamBytes 2 ab 0", "BytesReceived 2 0"}));
    rig.Receive("cd");
    rig.Close();
    EXPECT_EQ(rig.After(), Events({"Body abcd 0", "Disconnected 0"}));
}

TEST(DownloadEvents, ANotificationReadsOnWhileTheBlocksComeBackFull) {
    Rig rig;
    rig.Start();
    rig.Receive("HTTP/1.0 200 OK\r\n\r\n");
    const std::string full(1024, 'a');
    rig.fake->Feed(full);
    rig.fake->Feed(full);
    rig.fake->Feed("tail");
    rig.fake->Feed("later");
    rig.download->ProcessMessage(kReadEvent);
    EXPECT_EQ(rig.log.events.back(), "BytesReceived 2052 0");  // stopped after the short block
    rig.download->ProcessMessage(kReadEvent);
    EXPECT_EQ(rig.log.events.back(), "BytesReceived 2057 0");

    // A block that holds the end of the header counts only its body bytes,
    // so the loop stops there even when the block was full.
    Rig second;
    second.Start();
    second.fake->Feed("HTTP/1.0 200 OK\r\n\r\n" + std::string(1024 - 19, 'b'));
    second.fake->Feed("more");
    second.download->ProcessMessage(kReadEvent);
    EXPECT_EQ(second.log.events.back(), "BytesReceived 1005 0");
}

TEST(DownloadEvents, NotificationsOutsideADownloadAndUnknownEventsDoNothing) {
    Rig rig;
    for (NetworkEvent message : {kReadEvent, kWriteEvent, kCloseEvent, kNoProgressEvent}) {
        rig.download->ProcessMessage(message);
    }
    EXPECT_TRUE(rig.log.events.empty());
    EXPECT_TRUE(rig.fake->opens.empty());
    EXPECT_TRUE(rig.fake->receiveSizes.empty());

    rig.Start();
    rig.fake->Feed("HTTP/1.0 200 OK\r\n\r\nbody");
    for (std::int32_t message : {0, 4, 8, static_cast<int>(kConnectEvent), 64, 0x10000}) {
        rig.download->ProcessMessage(message);
    }
    EXPECT_EQ(rig.log.events, Events({"Connected 0", "QuerySent 0"}));
    // The high 16 bits (a Winsock error code) are not looked at: a reset is a close.
    rig.download->ProcessMessage((10054 << 16) | kCloseEvent);
    EXPECT_EQ(rig.After(), Events({"Body body 0", "Disconnected 0"}));
    // A second close of the same connection is ignored.
    rig.Close();
    EXPECT_EQ(rig.log.Outcomes(), 1);
}

TEST(DownloadEvents, ACloseBeforeAWholeHeaderIsAFailureNotASuccess) {
    for (const char* received : {"", "HTTP/1.0 200 OK\r\nContent-Le"}) {
        Rig rig;
        rig.Start();
        if (*received) rig.Receive(received);
        rig.Close();
        EXPECT_EQ(rig.After(), Events({"DownloadFailed 0 0"})) << received;
    }
}

TEST(DownloadErrorTextTest, EachCodeHasItsTextAndEveryOtherValueIsUnknown) {
    struct Case {
        std::int32_t code;
        const char* text;
    };
    const Case cases[] = {
        {0,
         "The connection with the proxy or host has been closed, before downloading the entire "
         "file"},
        {1, "The download has been aborted by the user"},
        {2, "Unable to create a necessary window"},
        {3, "Unable to send data to the host or proxy"},
        {4, "The server did not reply with a 200 or 206 reply code"},
        {5, "Unable to connect to the host"},
        {6, "Unable to create the file"},
        {7, "Unable to connect to the proxy or unable to send data to it"},
        {8, "The connection request has failed or the proxy server has rejected it"},
        {9, "The selected authentication method was not accepted by the proxy"},
        {10, "The user/password combination was not accepted by the proxy"},
        {11, "Unknown error"},
        {12, "Unknown error"},
        {-1, "Unknown error"},
        {INT32_MIN, "Unknown error"},
        {INT32_MAX, "Unknown error"},
    };
    for (const Case& c : cases) EXPECT_EQ(DownloadErrorText(c.code), c.text) << c.code;
}

// The owner reports it as a start-up failure of its own: the listener, the
// main window's look-up, never sees code 2.
TEST(DownloadConstruction, ATransportThatCannotNotifyRaisesNothingAndIsToldToTheOwner) {
    for (bool canNotify : {false, true}) {
        DownloadEventLog log;
        auto transport = std::make_unique<FakeTransport>();
        transport->canNotify = canNotify;
        C1 download(std::move(transport), &log);
        EXPECT_TRUE(log.events.empty());
        EXPECT_EQ(download.CanNotify(), canNotify);
    }
}

}  // namespace
}  // namespace quorvel
