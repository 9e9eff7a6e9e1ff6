// The download class over the scripted transport: URLs, the request, the
// reply's header and body, the close, redirects, cancels, partial sends, the
// header bound, the no-progress watch and event handlers that act on it.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "download/download.h"
#include "support/download_event_log.h"
#include "support/fake_transport.h"

namespace quorvel {
namespace {

using Events = std::vector<std::string>;

std::string RequestFor(const std::string& url, const std::string& host) {
    return "GET " + url + " HTTP/1.0\r\nAccept: */*\r\nUser-Agent: Brindle Download Class\r\n" +
           "Host: " + host + "\r\nPragma: no-cache\r\nCache-Control: no-cache\r\n\r\n";
}

const std::string kRedirect = "HTTP/1.0 302 Found\r\nLocation: /x\r\n";

// A download object on the scripted transport, its events written down.
struct Rig {
    Rig() {
        auto transport = std::make_unique<test::FakeTransport>();
        fake = transport.get();
        download = std::make_unique<C1>(std::move(transport), &log);
    }
    // Fetches url and lets the request go out.
    void Start(const std::string& url = "http://example.test/page") {
        download->FetchURLString(url);
        download->ProcessMessage(kWriteEvent);
    }
    void Receive(const std::string& piece) {
        fake->Feed(piece);
        download->ProcessMessage(kReadEvent);
    }
    void Close() { download->ProcessMessage(kCloseEvent); }
    // The events after Connected and QuerySent.
    Events After() const { return Events(log.events.begin() + 2, log.events.end()); }

    test::DownloadEventLog log;
    test::FakeTransport* fake;  // owned by download
    std::unique_ptr<C1> download;
};

TEST(DownloadUrl, AUrlOpensItsHostAndPortAndIsSentWholeOrFailsWithCode11) {
    struct Case {
        const char* url;
        const char* opened = nullptr;  // null: not usable
        const char* host = nullptr;
    };
    const Case cases[] = {
        {"http://example.test", "example.test:80", "example.test"},
        {"http://example.test:8080/x", "example.test:8080", "example.test"},
        {"http://example.test: 81/", "example.test:81", "example.test"},
        {"http://example.test:80.6/", "example.test:81", "example.test"},
        {"http://example.test:81abc/", "example.test:81", "example.test"},
        {"http://example.test:70000", "example.test:70000", "example.test"},
        {"http://10.1.2.3:1/", "10.1.2.3:1", "10.1.2.3"},
        {"http://example.test/p?next=http://other.test:9/", "example.test:80", "example.test"},
        {"http://user@example.test/a b~", "user@example.test:80", "user@example.test"},
        {"HTTP://example.test/"},
        {"https://example.test/"},
        {"ftp://example.test/"},
        {"example.test/path"},
        {""},
        {"http:/example.test/"},
        {"http://"},
        {"http:///path"},
        {"http://:80/"},
        {"http://example.test:0/"},
        {"http://example.test:abc/"},
        {"http://example.test:-80/"},
        {"http://example.test:0.4/"},
        {" http://example.test/"},
        {"http://exa\r\nmple.test/"},
        {"http://example.test/\x1F"},
        {"http://example.test/\x7F"},
    };
    for (const Case& c : cases) {
        Rig rig;
        rig.Start(c.url);
        EXPECT_EQ(rig.fake->opens, c.opened ? Events({c.opened}) : Events()) << c.url;
        EXPECT_EQ(rig.log.events,
                  c.opened ? Events({"Connected", "QuerySent"}) : Events({"Failed 11"}))
            << c.url;
        if (c.opened) {
            EXPECT_EQ(rig.fake->Last().sent, RequestFor(c.url, c.host)) << c.url;
        }
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

// The proxy values are read when a connection opens; a failed open is code 7
// through the proxy, 5 directly, and the object stays usable.
TEST(DownloadProxy, TheProxyGetsTheConnectionAndTheSameRequest) {
    Rig rig;
    rig.download->ProxyUsed(true);
    rig.Start();
    rig.download->ProxyAddress("proxy.test");
    rig.download->ProxyPort(3128);
    rig.Start("http://example.test:8080/x");
    rig.fake->refuse = true;
    rig.Start();
    rig.download->ProxyUsed(false);
    rig.Start();
    rig.fake->refuse = false;
    rig.Start();
    EXPECT_EQ(rig.fake->opens, Events({"localhost:80", "proxy.test:3128", "proxy.test:3128",
                                       "example.test:80", "example.test:80"}));
    EXPECT_EQ(rig.fake->connections[1].sent,
              RequestFor("http://example.test:8080/x", "example.test"));
    EXPECT_EQ(rig.log.events,
              Events({"Connected", "QuerySent", "Disconnected", "Connected", "QuerySent",
                      "Disconnected", "Failed 7", "Failed 5", "Connected", "QuerySent"}));
}

TEST(DownloadReply, TheStatusCodeDecidesWhetherTheReplyIsAccepted) {
    const std::pair<const char*, bool> cases[] = {
        {"HTTP/1.0 200 OK", true},         {"HTTP/1.1 206 Partial Content", true},
        {"HTTP/1.0 0200 OK", true},        {"HTTP/1.0 200 ", true},
        {"HTTP/1.0 200", false},           {"HTTP/1.0  200 OK", false},
        {"HTTP/1.0 200OK", false},         {"", false},
        {"HTTP/1.0 404 Not Found", false}, {"HTTP/1.0 201 Created", false},
        {"HTTP/1.0 302 Found", false},     {"HTTP/1.0 x200 OK", false},
    };
    for (const auto& [statusLine, accepted] : cases) {
        Rig rig;
        rig.Start();
        rig.Receive(std::string(statusLine) + "\r\n\r\nabc");
        rig.Close();
        EXPECT_EQ(rig.After(), accepted ? Events({"Body abc", "Disconnected"})
                                        : Events({"Failed 4", "Body abc", "Disconnected"}))
            << statusLine;
    }
}

TEST(DownloadReply, TheCloseComparesTheBodyWithTheAnnouncedLength) {
    struct Case {
        const char* headers;
        const char* body;
        const char* outcome;
    };
    const Case cases[] = {
        {"Content-Length: 10\r\n", "0123456789", "Disconnected"},
        {"Content-Length: 10\r\n", "01234567", "Failed 0"},
        {"Content-Length: 10\r\n", "0123456789ab", "Failed 0"},
        {"", "any amount", "Disconnected"},
        {"", "", "Disconnected"},
        {"CONTENT-LENGTH: 10\r\n", "01234567", "Failed 0"},
        {"content-length:10\r\n", "01234567", "Failed 0"},
        {"Content-Length : 10\r\n", "01234567", "Disconnected"},
        {"Content-Length: 0\r\n", "abc", "Failed 0"},
        {"Content-Length: -1\r\n", "abc", "Disconnected"},
        {"Content-Length: abc\r\n", "xyz", "Failed 0"},
        {"Content-Length: 5\r\nContent-Length: 3\r\n", "xyz", "Disconnected"},
        {"Content-Length: 3.4\r\n", "xyz", "Disconnected"},
        {"X-Content-Length: 10\r\nNoColonHere\r\n", "xyz", "Disconnected"},
    };
    for (const Case& c : cases) {
        Rig rig;
        rig.Start();
        rig.Receive(std::string("HTTP/1.0 200 OK\r\n") + c.headers + "\r\n" + c.body);
        rig.Close();
        EXPECT_EQ(rig.After(), *c.body ? Events({std::string("Body ") + c.body, c.outcome})
                                       : Events({c.outcome}))
            << c.headers << c.body;
    }
}

TEST(DownloadReply, AHeaderInManyReceivesIsGatheredWholeAndItsLastPieceCarriesBody) {
    Rig rig;
    rig.Start();
    for (char c : std::string("HTTP/1.0 200 OK\r\nContent-Length: 4\r\n\r")) rig.Receive({c});
    rig.Receive("\nab");
    EXPECT_EQ(rig.After(), Events({"Body ab"}));
    rig.Receive("cd");
    rig.Close();
    EXPECT_EQ(rig.After(), Events({"Body abcd", "Disconnected"}));
}

TEST(DownloadReply, ANotificationReadsOnOnlyWhileTheBlocksComeBackFull) {
    Rig rig;
    rig.Start();
    rig.Receive("HTTP/1.0 200 OK\r\n\r\n");
    for (std::size_t size : {1024u, 1024u, 1u, 1u}) rig.fake->Feed(std::string(size, 'a'));
    rig.download->ProcessMessage(kReadEvent);
    EXPECT_EQ(rig.fake->Last().pieces.size(), 1u);
    // A full block that ends the header counts only its body bytes.
    Rig second;
    second.Start();
    second.fake->Feed("HTTP/1.0 200 OK\r\n\r\n" + std::string(1024 - 19, 'b'));
    second.fake->Feed("more");
    second.download->ProcessMessage(kReadEvent);
    EXPECT_EQ(second.fake->Last().pieces.size(), 1u);
}

// Events of other values, and the high 16 bits (a Winsock error code), are
// not looked at; nothing acts without a connection or after its close.
TEST(DownloadReply, OnlyReadWriteAndCloseOfAnOpenConnectionAct) {
    Rig rig;
    for (std::int32_t m : {kReadEvent, kWriteEvent, kCloseEvent, kNoProgressEvent})
        rig.download->ProcessMessage(m);
    rig.Start();
    rig.fake->Feed("HTTP/1.0 200 OK\r\n\r\nbody");
    for (std::int32_t m : {0, 4, 8, 16, 64, 0x10000}) rig.download->ProcessMessage(m);
    rig.download->ProcessMessage((10054 << 16) | kCloseEvent);
    rig.Close();
    EXPECT_EQ(rig.log.events, Events({"Connected", "QuerySent", "Body body", "Disconnected"}));
    EXPECT_EQ(rig.fake->Last().shutdowns, std::vector<ShutdownHow>({kShutdownSend}));
    EXPECT_TRUE(rig.fake->Last().closed);
}

// Also on a redirect's new connection: no reply was accepted, so no success.
TEST(DownloadReply, ACloseBeforeAWholeHeaderIsCode0) {
    const std::vector<std::string> cases[] = {
        {}, {"HTTP/1.0 200 OK\r\nContent-Le"}, {kRedirect + "\r\n", "HTTP/1.0 200 O"}};
    for (const auto& pieces : cases) {
        Rig rig;
        rig.Start();
        for (const std::string& piece : pieces) {
            rig.Receive(piece);
            rig.download->ProcessMessage(kWriteEvent);
        }
        rig.Close();
        rig.Close();
        EXPECT_EQ(rig.After(),
                  pieces.size() == 2 ? Events({"QuerySent", "Failed 0"}) : Events({"Failed 0"}));
    }
}

TEST(DownloadErrorTextTest, EachCodeHasItsTextAndEveryOtherValueIsUnknown) {
    const std::pair<std::int32_t, const char*> cases[] = {
        {0,
         "The connection with the proxy or host has been closed, before downloading the "
         "entire file"},
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
    };
    for (const auto& [code, text] : cases) EXPECT_EQ(DownloadErrorText(code), text) << code;
}

// The owner reports it as a start-up failure of its own; the listener never sees code 2.
TEST(DownloadConstruction, ATransportThatCannotNotifyRaisesNothingAndIsToldToTheOwner) {
    for (bool canNotify : {false, true}) {
        Rig rig;
        rig.fake->canNotify = canNotify;
        EXPECT_EQ(rig.download->CanNotify(), canNotify);
        EXPECT_TRUE(rig.log.events.empty());
    }
}

// The same server or proxy gets the new request line with the old Host
// header; the new connection raises no Connected, the redirect's body never shows.
TEST(DownloadRedirect, A301Or302IsFollowedOnANewConnectionToTheSameServer) {
    for (const char* status : {"302 Found", "301 Moved Permanently"}) {
        Rig rig;
        const bool viaProxy = status[2] == '1';
        rig.download->ProxyUsed(viaProxy);
        rig.download->ProxyAddress("proxy.test");
        rig.Start("http://example.test:8080/page");
        rig.Receive(std::string("HTTP/1.0 ") + status +
                    "\r\nContent-Length: 8\r\nLocation:   /other  \r\n\r\nredirect");
        rig.download->ProcessMessage(kWriteEvent);
        rig.Receive("HTTP/1.0 200 OK\r\n\r\nnew");
        rig.Close();
        const std::string opened = viaProxy ? "proxy.test:80" : "example.test:8080";
        EXPECT_EQ(rig.fake->opens, Events({opened, opened}));
        EXPECT_TRUE(rig.fake->connections[0].closed);
        EXPECT_EQ(rig.fake->Last().sent, RequestFor("/other", "example.test"));
        EXPECT_EQ(rig.After(), Events({"QuerySent", "Body new", "Disconnected"})) << status;
    }
}

TEST(DownloadRedirect, TheOldConnectionsWaitingNotificationsRunOutWithoutEffect) {
    Rig rig;
    rig.Start();
    int runs = 0;
    rig.fake->onPendingRun = [&] {
        ++runs;
        for (std::int32_t m : {kCloseEvent, kReadEvent, kWriteEvent})
            rig.download->ProcessMessage(m);
    };
    rig.Receive(kRedirect + "\r\n");
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(rig.fake->Last().sent, "");
    EXPECT_EQ(rig.After(), Events());
}

TEST(DownloadRedirect, RedirectsThatCannotBeFollowedAreCode4AndTheBodyStillComes) {
    for (const char* header :
         {"HTTP/1.0 302 Found\r\n", "HTTP/1.0 302 Found\r\nLocation:   \r\n",
          "HTTP/1.0 302 Found\r\nLocation : /x\r\n", "HTTP/1.0 302 Found\r\nLocation: /a\x01/\r\n",
          "HTTP/1.0 303 See Other\r\nLocation: /x\r\n"}) {
        Rig rig;
        rig.Start();
        rig.Receive(std::string(header) + "\r\nbody");
        rig.Close();
        EXPECT_EQ(rig.fake->opens.size(), 1u) << header;
        EXPECT_EQ(rig.After(), Events({"Failed 4", "Body body", "Disconnected"})) << header;
    }
}

TEST(DownloadRedirect, EachDownloadFollowsAtMostTheBoundOfRedirects) {
    Rig rig;
    Events expected;
    for (int extra : {0, 1}) {
        rig.Start();
        for (int i = 0; i < C1::kMaxRedirects + extra; ++i) {
            rig.Receive(kRedirect + "\r\n");
            rig.download->ProcessMessage(kWriteEvent);
        }
        if (!extra) rig.Receive("HTTP/1.0 200 OK\r\n\r\n");
        if (!extra) rig.Close();
        expected.push_back("Connected");
        expected.insert(expected.end(), C1::kMaxRedirects + 1, "QuerySent");
        expected.push_back(extra ? "Failed 4" : "Disconnected");
    }
    EXPECT_EQ(rig.log.events, expected);
}

TEST(DownloadRedirect, AFailedReconnectionEndsTheDownloadAndTheNextIsANewRequest) {
    Rig rig;
    rig.Start();
    rig.fake->refuse = true;
    rig.Receive(kRedirect + "\r\n");
    EXPECT_EQ(rig.fake->watches.back(), 0);
    rig.fake->refuse = false;
    rig.Start();
    EXPECT_EQ(rig.After(), Events({"Failed 5", "Connected", "QuerySent"}));
}

// The old download ends first: code 1, or Disconnected when no length was
// announced; the cancel never follows a redirect nor delivers its body.
TEST(DownloadCancel, ANewFetchEndsTheDownloadUnderWayAndTheNewOneStartsAfresh) {
    struct Case {
        std::string received;
        std::string unread;
        Events ending;
    };
    const Case cases[] = {
        {"HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\nabc", "", {"Body abc", "Failed 1"}},
        {"HTTP/1.0 200 OK\r\n\r\nabc", "", {"Body abc", "Disconnected"}},
        {"HTTP/1.0 200 OK\r\nContent-Le", "", {"Disconnected"}},
        {"", kRedirect + "\r\nbody", {"Disconnected"}},
        {kRedirect, "Content-Length: 4\r\n\r\nbody", {"Failed 1"}},
    };
    for (const Case& c : cases) {
        Rig rig;
        rig.Start();
        rig.Receive(c.received);
        rig.fake->Feed(c.unread);
        rig.Start("http://second.test/");
        rig.Receive("HTTP/1.0 404 N\r\nContent-Length: 3\r\n\r\nnew");
        rig.Close();
        Events expected = c.ending;
        for (const char* event : {"Connected", "QuerySent", "Failed 4", "Body new", "Disconnected"})
            expected.push_back(event);
        EXPECT_EQ(rig.After(), expected) << c.received << c.unread;
        EXPECT_EQ(rig.fake->opens, Events({"example.test:80", "second.test:80"}));
        EXPECT_EQ(rig.fake->connections[0].shutdowns,
                  std::vector<ShutdownHow>({kShutdownBoth, kShutdownSend}));
        EXPECT_TRUE(rig.fake->connections[0].closed);
    }
}

TEST(DownloadCancel, AnUnusableNewUrlStillEndsTheOldDownload) {
    Rig rig;
    rig.Start();
    rig.Receive("HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\nabc");
    rig.download->FetchURLString("https://example.test/");
    EXPECT_EQ(rig.After(), Events({"Body abc", "Failed 1", "Failed 11"}));
}

TEST(DownloadSend, TheWholeRequestGoesOutOnceEvenWhenASendTakesOnlyPart) {
    Rig rig;
    rig.fake->sendLimits = {10, 0, 7, 5};
    rig.Start();
    EXPECT_EQ(rig.log.events, Events({"Connected"}));
    rig.download->ProcessMessage(kWriteEvent);
    rig.download->ProcessMessage(kWriteEvent);
    EXPECT_EQ(rig.fake->Last().sent, RequestFor("http://example.test/page", "example.test"));
    EXPECT_EQ(rig.log.events, Events({"Connected", "QuerySent"}));
}

TEST(DownloadSend, AFailedSendClosesTheConnectionWithCode3) {
    for (std::deque<std::int32_t> limits : {std::deque<std::int32_t>{-1}, {12, -1}}) {
        Rig rig;
        rig.fake->sendLimits = limits;
        rig.Start();
        rig.Close();
        rig.download->ProcessMessage(kReadEvent);
        EXPECT_EQ(rig.log.events, Events({"Connected", "Failed 3"}));
        EXPECT_TRUE(rig.fake->Last().closed);
    }
}

TEST(DownloadHeaderBound, AHeaderBeyond64KiBFailsWithCode4AndClosesTheConnection) {
    for (std::size_t size : {C1::kMaxHeaderSize, C1::kMaxHeaderSize + 1}) {
        Rig rig;
        rig.Start();
        const std::string status = "HTTP/1.0 200 OK\r\nX: ";
        const std::string header = status + std::string(size - status.size() - 4, 'f') + "\r\n\r\n";
        for (std::size_t at = 0; at < header.size(); at += 1000)
            rig.Receive(header.substr(at, 1000));
        rig.Receive("body");
        rig.Close();
        EXPECT_EQ(rig.After(), size == C1::kMaxHeaderSize ? Events({"Body body", "Disconnected"})
                                                          : Events({"Failed 4"}));
        EXPECT_TRUE(rig.fake->Last().closed);
    }
}

TEST(DownloadProgress, TheWatchRunsWhileConnectedAndItsEndClosesWithCode0) {
    Rig rig;
    rig.download->SetNoProgressTimeout(250);
    rig.Start();
    rig.Receive("HTTP/1.0 200 OK\r\n\r\npart");
    rig.download->ProcessMessage(kNoProgressEvent);
    rig.Close();
    rig.download->ProcessMessage(kNoProgressEvent);
    EXPECT_EQ(rig.fake->watches, std::vector<int>({250, 250, 250, 0}));
    EXPECT_EQ(rig.After(), Events({"Body part", "Failed 0"}));
    EXPECT_TRUE(rig.fake->Last().closed);
}

// The watch never runs past the time limit counted from the fetch, and an
// event past it ends the download with code 0.
TEST(DownloadProgress, TheWatchIsThirtySecondsWithinTheTimeLimit) {
    for (int timeLimit : {C1::kDefaultTimeLimitMilliseconds, 0}) {
        Rig rig;
        rig.download->SetTimeLimit(timeLimit);
        rig.Start();
        rig.Receive("HTTP/1.0 200 OK\r\n\r\nx");
        EXPECT_EQ(rig.fake->watches.front(), timeLimit ? 30000 : 1);
        EXPECT_EQ(rig.log.events, timeLimit ? Events({"Connected", "QuerySent", "Body x"})
                                            : Events({"Connected", "Failed 0"}));
    }
}

// The cancel's close handling takes what the old connection still holds in
// the same receive piece; the outer read loop then stops.
TEST(DownloadHandlers, ANewFetchFromAHandlerEndsTheOldDownloadAndItsReadLoop) {
    Rig rig;
    bool restarted = false;
    rig.log.onEvent = [&](const std::string& name) {
        if (name == "StreamBytes" && !std::exchange(restarted, true))
            rig.download->FetchURLString("http://second.test/");
    };
    rig.Start();
    rig.fake->Feed("HTTP/1.0 200 OK\r\nContent-Length: 2000\r\n\r\n" + std::string(1024, 'x'));
    rig.fake->Feed(std::string(976, 'y'));
    rig.download->ProcessMessage(kReadEvent);
    EXPECT_EQ(rig.After(), Events({"Body " + std::string(1024, 'x'), "Failed 1", "Connected"}));
    EXPECT_EQ(rig.fake->connections[0].pieces.size(), 1u);
}

// A handler that runs a message loop (a message box) gets the notifications
// that arrive meanwhile only after it returns, in wire order.
TEST(DownloadHandlers, EventsKeepWireOrderWhenAHandlerRunsAMessageLoop) {
    Rig rig;
    rig.log.onEvent = [&](const std::string& name) {
        if (name != "DownloadFailed") return;
        rig.Receive("BBBB");
        rig.Close();
    };
    rig.Start();
    rig.Receive("HTTP/1.0 404 Gone\r\n\r\nAAAA");
    EXPECT_EQ(rig.After(), Events({"Failed 4", "Body AAAABBBB", "Disconnected"}));
}

// Started from the last event of a download that a new fetch cancels, a
// download is itself cancelled by that fetch, with a last event of its own.
TEST(DownloadHandlers, ADownloadStartedDuringACancelEndsWithItsOwnEvent) {
    Rig rig;
    rig.log.onEvent = [&](const std::string& name) {
        if (name != "Disconnected" || rig.fake->opens.size() != 1) return;
        rig.Close();  // a late notification of the cancelled connection
        rig.download->FetchURLString("http://from-handler.test/");
    };
    rig.Start();
    rig.download->FetchURLString("http://second.test/");
    EXPECT_EQ(rig.After(), Events({"Disconnected", "Connected", "Disconnected", "Connected"}));
    EXPECT_EQ(rig.fake->opens.back(), "second.test:80");
}

TEST(DownloadHandlers, AHandlerMayDestroyTheObject) {
    for (const char* trigger : {"Connected", "QuerySent", "StreamBytes", "BytesReceived",
                                "DownloadFailed", "Disconnected"}) {
        Rig rig;
        std::string last;
        rig.log.onEvent = [&](const std::string& name) {
            last = name;
            if (name == trigger) rig.download.reset();
        };
        rig.download->FetchURLString("http://example.test/page");
        if (rig.download) rig.download->ProcessMessage(kWriteEvent);
        if (rig.download) rig.Receive("HTTP/1.0 404 Gone\r\n\r\n" + std::string(1500, 'z'));
        if (rig.download) rig.Close();
        EXPECT_EQ(rig.download, nullptr) << trigger;
        EXPECT_EQ(last, trigger) << "no event after the object is gone";
    }
}

}  // namespace
}  // namespace quorvel
