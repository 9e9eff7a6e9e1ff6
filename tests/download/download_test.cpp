// The download class over the scripted transport: URLs, the request, the
// reply's header and body, the close, redirects, cancels, partial sends, the
// header bound, the no-progress watch and event handlers that act on it.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "download/download.h"
#include "support/download_event_log.h"
#include "support/fake_transport.h"

namespace quorvel {
namespace {

using Events = std::vector<std::string>;
using test::RequestFor;

const std::string k200 = "HTTP/1.0 200 OK\r\n";
const std::string kRedirect = "HTTP/1.0 302 Found\r\nLocation: /x\r\n";
const std::string kNext = "|Fhttp://second.test/|RHTTP/1.0 404 N\r\nContent-Length: 3\r\n\r\nnew|C";
const std::string kNextEvents = "|Connected|QuerySent|Failed 4|Body new|Disconnected";

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
    // Fetches, then runs steps separated by '|': R receives the rest of the
    // step, U leaves it unread, F fetches it, C and W deliver a close and a
    // write, E hands its number to ProcessMessage, X toggles refusing
    // connections. Returns the events after the first two.
    std::string Run(const std::string& steps) {
        Start();
        std::istringstream stream(steps);
        for (std::string step; std::getline(stream, step, '|');) {
            const std::string text = step.substr(1);
            if (step[0] == 'R') Receive(text);
            if (step[0] == 'U') fake->Feed(text);
            if (step[0] == 'F') Start(text);
            if (step[0] == 'C') download->ProcessMessage(kCloseEvent);
            if (step[0] == 'W') download->ProcessMessage(kWriteEvent);
            if (step[0] == 'E') download->ProcessMessage(std::stoi(text));
            if (step[0] == 'X') fake->refuse = !fake->refuse;
        }
        std::string events;
        for (std::size_t i = 2; i < log.events.size(); ++i)
            events += (i > 2 ? "|" : "") + log.events[i];
        return events;
    }

    test::DownloadEventLog log;
    test::FakeTransport* fake;  // owned by download
    std::unique_ptr<C1> download;
};

TEST(DownloadUrl, AUrlOpensItsHostAndPortAndGoesWholeIntoTheRequestLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"http://example.test", "example.test:80"},
        {"http://example.test:8080/x", "example.test:8080"},
        {"http://example.test: 81/", "example.test:81"},
        {"http://example.test:80.6/", "example.test:81"},
        {"http://example.test:81abc/", "example.test:81"},
        {"http://example.test:70000", "example.test:70000"},
        {"http://example.test:1/p?next=http://other.test:9/", "example.test:1"},
        {"http://user@example.test/a b~", "user@example.test:80"}};
    for (const auto& [url, opened] : cases) {
        Rig rig;
        rig.Start(url);
        const std::string host = std::string(opened).substr(0, std::string(opened).find(':'));
        EXPECT_EQ(rig.fake->opens, Events({opened})) << url;
        EXPECT_EQ(rig.fake->Last().sent, RequestFor(url, host)) << url;
        EXPECT_EQ(rig.log.events, Events({"Connected", "QuerySent"})) << url;
    }
}

TEST(DownloadUrl, AnUnusableUrlFailsWithCode11AndOpensNothing) {
    for (const char* url :
         {"HTTP://example.test/", "https://example.test/", "example.test/path", "",
          "http:/example.test/", "http://", "http:///path", "http://:80/", "http://example.test:0/",
          "http://example.test:abc/", "http://example.test:-80/", "http://example.test:0.4/",
          " http://example.test/", "http://exa\r\nmple.test/", "http://example.test/\x1F",
          "http://example.test/\x7F"}) {
        Rig rig;
        rig.Start(url);
        EXPECT_EQ(rig.log.events, Events({"Failed 11"})) << url;
        EXPECT_TRUE(rig.fake->opens.empty()) << url;
    }
}

// Only the low 16 bits count, and their all-ones value is never connected to.
TEST(DownloadUrl, ConnectablePortIsTheLowSixteenBitsButNever65535) {
    const std::pair<std::int32_t, std::optional<std::uint16_t>> cases[] = {
        {80, 80},      {0, 0},     {65534, 65534},         {65535, std::nullopt},
        {70000, 4464}, {65536, 0}, {131071, std::nullopt}, {-1, std::nullopt}};
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
    EXPECT_EQ(rig.fake->Last().sent, RequestFor("http://example.test:8080/x", "example.test"));
    rig.fake->refuse = true;
    rig.Start();
    rig.download->ProxyUsed(false);
    rig.Start();
    EXPECT_EQ(rig.fake->opens,
              Events({"localhost:80", "proxy.test:3128", "proxy.test:3128", "example.test:80"}));
    EXPECT_EQ(rig.log.events, Events({"Connected", "QuerySent", "Disconnected", "Connected",
                                      "QuerySent", "Disconnected", "Failed 7", "Failed 5"}));
}

TEST(DownloadFlow, EachScenarioRaisesItsEvents) {
    const std::pair<std::string, std::string> cases[] = {
        // The status code.
        {"R" + k200 + "\r\nabc|C", "Body abc|Disconnected"},
        {"RHTTP/1.1 206 Partial\r\n\r\nabc|C", "Body abc|Disconnected"},
        {"RHTTP/1.0 0200 OK\r\n\r\nabc|C", "Body abc|Disconnected"},
        {"RHTTP/1.0 200 \r\n\r\nabc|C", "Body abc|Disconnected"},
        {"RHTTP/1.0 200\r\n\r\nabc|C", "Failed 4|Body abc|Disconnected"},
        {"RHTTP/1.0  200 OK\r\n\r\nabc|C", "Failed 4|Body abc|Disconnected"},
        {"RHTTP/1.0 200OK\r\n\r\nabc|C", "Failed 4|Body abc|Disconnected"},
        {"R\r\n\r\nabc|C", "Failed 4|Body abc|Disconnected"},
        {"RHTTP/1.0 201 Created\r\n\r\nabc|C", "Failed 4|Body abc|Disconnected"},
        {"RHTTP/1.0 x200 OK\r\n\r\nabc|C", "Failed 4|Body abc|Disconnected"},
        // The announced length against the body at the close.
        {"R" + k200 + "Content-Length: 10\r\n\r\n0123456789|C", "Body 0123456789|Disconnected"},
        {"R" + k200 + "Content-Length: 10\r\n\r\n01234567|C", "Body 01234567|Failed 0"},
        {"R" + k200 + "Content-Length: 10\r\n\r\n0123456789ab|C", "Body 0123456789ab|Failed 0"},
        {"R" + k200 + "\r\n|C", "Disconnected"},
        {"R" + k200 + "CONTENT-LENGTH: 4\r\n\r\nabc|C", "Body abc|Failed 0"},
        {"R" + k200 + "content-length:4\r\n\r\nabc|C", "Body abc|Failed 0"},
        {"R" + k200 + "Content-Length : 4\r\n\r\nabc|C", "Body abc|Disconnected"},
        {"R" + k200 + "Content-Length: 0\r\n\r\nabc|C", "Body abc|Failed 0"},
        {"R" + k200 + "Content-Length: -1\r\n\r\nabc|C", "Body abc|Disconnected"},
        {"R" + k200 + "Content-Length: abc\r\n\r\nabc|C", "Body abc|Failed 0"},
        {"R" + k200 + "Content-Length: 5\r\nContent-Length: 3\r\n\r\nabc|C",
         "Body abc|Disconnected"},
        {"R" + k200 + "Content-Length: 3.4\r\n\r\nabc|C", "Body abc|Disconnected"},
        {"R" + k200 + "X-Content-Length: 4\r\nNoColon\r\n\r\nabc|C", "Body abc|Disconnected"},
        // A header in pieces; the blank line over three of them.
        {"RHTTP/1.0 200 OK\r\nContent-Length: 4\r|R\n\r|R\nab|Rcd|C", "Body abcd|Disconnected"},
        // Events of other values and the high 16 bits (an error code) are not
        // looked at; nothing acts after the close.
        {"U" + k200 + "\r\nbody|E0|E4|E8|E16|E64|E65536|E658374688|C|E1|W|E16384",
         "Body body|Disconnected"},
        // A close before a whole header, on a redirect's connection too.
        {"C|C", "Failed 0"},
        {"RHTTP/1.0 200 OK\r\nContent-Le|C|C", "Failed 0"},
        {"R" + kRedirect + "\r\n|W|RHTTP/1.0 200 O|C|C", "QuerySent|Failed 0"},
        // A redirect is followed on a new connection that raises no Connected;
        // its body never shows.
        {"RHTTP/1.0 302 Found\r\nContent-Length: 8\r\nLocation:   /b  \r\n\r\nredirect|W|R" + k200 +
             "\r\nnew|C",
         "QuerySent|Body new|Disconnected"},
        {"RHTTP/1.0 301 Moved\r\nLocation: /b\r\n\r\n|W|R" + k200 + "\r\nnew|C",
         "QuerySent|Body new|Disconnected"},
        // Redirects that cannot be followed.
        {"RHTTP/1.0 302 Found\r\n\r\nbody|C", "Failed 4|Body body|Disconnected"},
        {"RHTTP/1.0 302 Found\r\nLocation:  \r\n\r\nbody|C", "Failed 4|Body body|Disconnected"},
        {"RHTTP/1.0 302 Found\r\nLocation : /b\r\n\r\nbody|C", "Failed 4|Body body|Disconnected"},
        {"RHTTP/1.0 302 Found\r\nLocation: /\x01\r\n\r\nbody|C", "Failed 4|Body body|Disconnected"},
        {"RHTTP/1.0 303 See Other\r\nLocation: /b\r\n\r\nbody|C",
         "Failed 4|Body body|Disconnected"},
        // A redirect that cannot connect ends the download; the next is a new request.
        {"X|R" + kRedirect + "\r\n|X|Fhttp://second.test/", "Failed 5|Connected|QuerySent"},
        // A new fetch ends the download under way first, by the close rule, and
        // the next download starts afresh; a cancel follows no redirect.
        {"R" + k200 + "Content-Length: 10\r\n\r\nabc" + kNext, "Body abc|Failed 1" + kNextEvents},
        {"R" + k200 + "\r\nabc" + kNext, "Body abc|Disconnected" + kNextEvents},
        {"R" + k200 + "Content-Le" + kNext, "Disconnected" + kNextEvents},
        {"R|U" + kRedirect + "\r\nbody" + kNext, "Disconnected" + kNextEvents},
        {"R" + kRedirect + "|UContent-Length: 4\r\n\r\nbody" + kNext, "Failed 1" + kNextEvents},
        {"R" + k200 + "Content-Length: 10\r\n\r\nabc|Fhttps://example.test/",
         "Body abc|Failed 1|Failed 11"},
        // The end of the no-progress watch closes with code 0.
        {"R" + k200 + "\r\npart|E16384|C|E16384", "Body part|Failed 0"},
    };
    for (const auto& [steps, events] : cases) EXPECT_EQ(Rig().Run(steps), events) << steps;
}

TEST(DownloadFlow, ACancelShutsTheOldConnectionDownAndClosesIt) {
    Rig rig;
    rig.Run("R" + k200 + "\r\nabc|Fhttp://second.test/");
    EXPECT_EQ(rig.fake->opens, Events({"example.test:80", "second.test:80"}));
    EXPECT_EQ(rig.fake->connections[0].shutdowns,
              std::vector<ShutdownHow>({kShutdownBoth, kShutdownSend}));
    EXPECT_TRUE(rig.fake->connections[0].closed);
}

TEST(DownloadFlow, ANotificationReadsOnOnlyWhileTheBlocksComeBackFull) {
    Rig rig;
    rig.Run("R" + k200 + "\r\n");
    for (std::size_t size : {1024u, 1024u, 1u, 1u}) rig.fake->Feed(std::string(size, 'a'));
    rig.download->ProcessMessage(kReadEvent);
    EXPECT_EQ(rig.fake->Last().pieces.size(), 1u);
    // A full block that ends the header counts only its body bytes.
    Rig second;
    second.Run("U" + k200 + "\r\n" + std::string(1024 - 19, 'b') + "|Umore|E1");
    EXPECT_EQ(second.fake->Last().pieces.size(), 1u);
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
        {-1, "Unknown error"}};
    for (const auto& [code, text] : cases) EXPECT_EQ(DownloadErrorText(code), text) << code;
}

// The same server or proxy gets the new request line with the old Host
// header; the old connection is closed and its waiting notifications run out.
TEST(DownloadRedirect, TheNewRequestGoesToTheSameServerOrProxy) {
    for (bool viaProxy : {false, true}) {
        Rig rig;
        rig.download->ProxyUsed(viaProxy);
        int runs = 0;
        rig.fake->onPendingRun = [&] {
            if (++runs == 1) rig.download->ProcessMessage(kCloseEvent);
        };
        rig.Run("R" + kRedirect + "\r\n|W");
        const std::string opened = viaProxy ? "localhost:80" : "example.test:80";
        EXPECT_EQ(rig.fake->opens, Events({opened, opened}));
        EXPECT_TRUE(rig.fake->connections[0].closed);
        EXPECT_EQ(rig.fake->Last().sent, RequestFor("/x", "example.test"));
        EXPECT_EQ(rig.log.events, Events({"Connected", "QuerySent", "QuerySent"}));
    }
}

TEST(DownloadRedirect, EachDownloadFollowsAtMostTheBoundOfRedirects) {
    Rig rig;
    std::string steps;
    for (int i = 0; i < C1::kMaxRedirects; ++i) steps += "R" + kRedirect + "\r\n|W|";
    std::string events;
    for (int i = 0; i < C1::kMaxRedirects; ++i) events += "QuerySent|";
    EXPECT_EQ(rig.Run(steps + "R" + k200 + "\r\n|C|Fhttp://second.test/|" + steps + "R" +
                      kRedirect + "\r\n"),
              events + "Disconnected|Connected|QuerySent|" + events + "Failed 4");
}

TEST(DownloadSend, TheWholeRequestGoesOutOnceEvenWhenASendTakesOnlyPart) {
    Rig rig;
    rig.fake->sendLimits = {10, 0, 7, 5};
    rig.Run("");
    EXPECT_EQ(rig.log.events, Events({"Connected"}));
    rig.download->ProcessMessage(kWriteEvent);
    rig.download->ProcessMessage(kWriteEvent);
    EXPECT_EQ(rig.fake->Last().sent, RequestFor("http://example.test/page", "example.test"));
    EXPECT_EQ(rig.log.events, Events({"Connected", "QuerySent"}));
    // A failed send closes the connection with code 3, also after a part went out.
    for (std::deque<std::int32_t> limits : {std::deque<std::int32_t>{-1}, {12, -1}}) {
        Rig failing;
        failing.fake->sendLimits = limits;
        failing.Run("C|E1");
        EXPECT_EQ(failing.log.events, Events({"Connected", "Failed 3"}));
        EXPECT_TRUE(failing.fake->Last().closed);
    }
}

TEST(DownloadHeaderBound, AHeaderBeyond64KiBFailsWithCode4AndClosesTheConnection) {
    for (std::size_t size : {C1::kMaxHeaderSize, C1::kMaxHeaderSize + 1}) {
        const std::string header =
            k200 + "X: " + std::string(size - k200.size() - 7, 'f') + "\r\n\r\n";
        std::string steps;
        for (std::size_t at = 0; at < header.size(); at += 1000)
            steps += "R" + header.substr(at, 1000) + "|";
        Rig rig;
        EXPECT_EQ(rig.Run(steps + "Rbody|C"),
                  size == C1::kMaxHeaderSize ? "Body body|Disconnected" : "Failed 4");
        EXPECT_TRUE(rig.fake->Last().closed);
    }
}

// The watch runs while connected, never past the time limit counted from the
// fetch, and stops with the connection; an event past the limit is code 0.
TEST(DownloadProgress, TheWatchIsThirtySecondsWithinTheTimeLimit) {
    Rig rig;
    rig.Run("R" + k200 + "\r\n|C");
    EXPECT_EQ(rig.fake->watches, std::vector<int>({30000, 30000, 30000, 0}));
    Rig limited;
    limited.download->SetTimeLimit(0);
    limited.download->SetNoProgressTimeout(250);
    EXPECT_EQ(limited.Run(""), "");
    EXPECT_EQ(limited.log.events, Events({"Connected", "Failed 0"}));
    EXPECT_EQ(limited.fake->watches, std::vector<int>({1, 0}));
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
    const std::string body = std::string(1024, 'x');
    EXPECT_EQ(rig.Run("U" + k200 + "Content-Length: 2000\r\n\r\n" + body + "|U" + body + "|E1"),
              "Body " + body + "|Failed 1|Connected");
    EXPECT_EQ(rig.fake->connections[0].pieces.size(), 1u);
}

// A handler that runs a message loop (a message box) gets the notifications
// that arrive meanwhile only after it returns, in wire order.
TEST(DownloadHandlers, EventsKeepWireOrderWhenAHandlerRunsAMessageLoop) {
    Rig rig;
    rig.log.onEvent = [&](const std::string& name) {
        if (name != "DownloadFailed") return;
        rig.Receive("BBBB");
        rig.download->ProcessMessage(kCloseEvent);
    };
    EXPECT_EQ(rig.Run("RHTTP/1.0 404 Gone\r\n\r\nAAAA"), "Failed 4|Body AAAABBBB|Disconnected");
}

// Started from the last event of a download that a new fetch cancels, a
// download is itself cancelled by that fetch, with a last event of its own.
TEST(DownloadHandlers, ADownloadStartedDuringACancelEndsWithItsOwnEvent) {
    Rig rig;
    rig.log.onEvent = [&](const std::string& name) {
        if (name != "Disconnected" || rig.fake->opens.size() != 1) return;
        rig.download->ProcessMessage(kCloseEvent);  // a late notification of the old connection
        rig.download->FetchURLString("http://from-handler.test/");
    };
    EXPECT_EQ(rig.Run("Fhttp://second.test/"),
              "Disconnected|Connected|Disconnected|Connected|QuerySent");
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
        for (std::int32_t event : {kWriteEvent, kReadEvent, kCloseEvent}) {
            if (event == kReadEvent && rig.download)
                rig.fake->Feed("HTTP/1.0 404 Gone\r\n\r\n" + std::string(1500, 'z'));
            if (rig.download) rig.download->ProcessMessage(event);
        }
        EXPECT_EQ(rig.download, nullptr) << trigger;
        EXPECT_EQ(last, trigger) << "no event after the object is gone";
    }
}

}  // namespace
}  // namespace quorvel
