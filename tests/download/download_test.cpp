// The download class over the scripted transport: URLs, the request, the
// reply's header and body, the close, redirects, cancels, partial sends, the
// header bound, the no-progress watch and event handlers that act on it.
#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

#include "download/download.h"
#include "support/fake_transport.h"

namespace quorvel {
namespace {

const std::string kStart = "Open example.test:80|Connected|QuerySent";
const std::string k200 = "HTTP/1.0 200 OK\r\n";
const std::string kRedirect = "HTTP/1.0 302 Found\r\nLocation: /x\r\n";
const std::string kFull(1024, 'a');  // a whole receive block
const std::string kClosed = "|Shutdown 1|Close|";
const std::string kCancel = "Shutdown 2|Shutdown 1|Close|";
const std::string kNext = "|Fhttp://second.test/|RHTTP/1.0 404 N\r\nContent-Length: 3\r\n\r\nnew|C";
const std::string kNextEvents =
    "|Open second.test:80|Connected|QuerySent|Failed 4|Body new" + kClosed + "Disconnected";

// A download object on the scripted transport; its events and the transport's
// opens, shutdowns and closes are written down in order.
struct Rig {
    Rig() {
        auto transport = std::make_unique<test::FakeTransport>();
        fake = transport.get();
        fake->journal = &log.events;
        download = std::make_unique<C1>(std::move(transport), &log);
    }
    // Runs steps separated by '|': F fetches the rest of the step (the page
    // when empty) and delivers a write; R receives it, U leaves it unread; C
    // and W deliver a close and a write, E the number; X toggles refusing;
    // S limits a send to the number (see sendLimits); L sets the time limit
    // to the number; D destroys the object.
    void Steps(const std::string& steps) {
        std::istringstream stream(steps);
        for (std::string step; download && std::getline(stream, step, '|');) {
            const std::string text = step.substr(1);
            if (step[0] == 'F')
                download->FetchURLString(text.empty() ? "http://example.test/p" : text);
            if (step[0] == 'R' || step[0] == 'U') fake->Feed(text);
            if (step[0] == 'D') download.reset();
            if (!download) return;
            if (step[0] == 'R') download->ProcessMessage(kReadEvent);
            if (step[0] == 'C') download->ProcessMessage(kCloseEvent);
            if (step[0] == 'W' || step[0] == 'F') download->ProcessMessage(kWriteEvent);
            if (step[0] == 'E') download->ProcessMessage(std::stoi(text));
            if (step[0] == 'X') fake->refuse = !fake->refuse;
            if (step[0] == 'S') fake->sendLimits.push_back(std::stoi(text));
            if (step[0] == 'L') download->SetTimeLimit(std::stoi(text));
        }
    }
    // All that was written down, joined by '|', without a leading kStart.
    std::string Written() const {
        std::string all;
        for (const std::string& line : log.events) all += (all.empty() ? "" : "|") + line;
        const bool started = all.compare(0, kStart.size() + 1, kStart + "|") == 0;
        return started ? all.substr(kStart.size() + 1) : all;
    }
    // Fetches the page, then runs steps.
    std::string Run(const std::string& steps) {
        Steps("F|" + steps);
        return Written();
    }

    test::DownloadEventLog log;
    test::FakeTransport* fake;  // owned by download
    std::unique_ptr<C1> download;
};

TEST(DownloadUrl, AUrlOpensItsHostAndPortAndGoesWholeIntoTheRequestLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"http://example.test", "example.test:80"},
        {"http://example.test:80.6/", "example.test:81"},
        {"http://example.test:70000", "example.test:70000"},
        {"http://example.test:1/p?next=http://other.test:9/", "example.test:1"},
        {"http://user@example.test/a b~", "user@example.test:80"}};
    for (const auto& [url, target] : cases) {
        Rig rig;
        rig.Steps(std::string("F") + url);
        EXPECT_EQ(rig.Written(), std::string("Open ") + target + "|Connected|QuerySent");
        const std::string host(target, std::string(target).find(':'));
        EXPECT_EQ(rig.fake->Last().sent, test::RequestFor(url, host)) << url;
    }
}

TEST(DownloadUrl, AnUnusableUrlFailsWithCode11AndOpensNothing) {
    for (const char* url :
         {"HTTP://example.test/", "https://example.test/", "example.test/path",
          "http:/example.test/", "http://", "http:///path", "http://:80/", "http://example.test:0/",
          "http://example.test:abc/", "http://example.test:-80/", "http://example.test:0.4/",
          " http://example.test/", "http://exa\r\nmple.test/", "http://example.test/\x1F",
          "http://example.test/\x7F"}) {
        Rig rig;
        rig.Steps(std::string("F") + url);
        EXPECT_EQ(rig.Written(), "Failed 11") << url;
    }
}

// Only the low 16 bits count, and their all-ones value is never connected to.
TEST(DownloadUrl, ConnectablePortIsTheLowSixteenBitsButNever65535) {
    const std::pair<std::int32_t, std::optional<std::uint16_t>> cases[] = {
        {80, 80},      {0, 0},     {65534, 65534},         {65535, std::nullopt},
        {70000, 4464}, {65536, 0}, {131071, std::nullopt}, {-1, std::nullopt}};
    for (const auto& [port, wire] : cases) EXPECT_EQ(ConnectablePort(port), wire) << port;
}

// The proxy (localhost:80 unless set) gets the connection and the same
// request; a redirect's new request goes to the same server or proxy with the
// old Host header, while the old connection's waiting notifications run out.
// The proxy values are read when a connection opens; a failed open is code 7
// through the proxy, 5 directly.
TEST(DownloadProxy, TheProxyGetsTheConnectionAndTheSameRequest) {
    Rig rig;
    rig.download->ProxyUsed(true);
    rig.Steps("Fhttp://example.test:8080/x");
    EXPECT_EQ(rig.fake->Last().sent,
              test::RequestFor("http://example.test:8080/x", "example.test"));
    int runs = 0;
    rig.fake->onPendingRun = [&] {
        if (++runs == 1) rig.download->ProcessMessage(kCloseEvent);
    };
    rig.Steps("R" + kRedirect + "\r\n|W");
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(rig.fake->Last().sent, test::RequestFor("/x", "example.test"));
    rig.download->ProxyAddress("proxy.test");
    rig.download->ProxyPort(3128);
    rig.Steps("X|F");
    rig.download->ProxyUsed(false);
    rig.Steps("F|X|F|R" + kRedirect + "\r\n");
    EXPECT_EQ(rig.Written(),
              "Open localhost:80|Connected|QuerySent|Close|Open localhost:80|QuerySent|" + kCancel +
                  "Disconnected|Open proxy.test:3128|Failed 7|" + "Open example.test:80|Failed 5|" +
                  kStart + "|Close|Open example.test:80");
}

TEST(DownloadReply, TheStatusAndTheAnnouncedLengthDecideTheOutcome) {
    // The status line and header lines, whether accepted, the body, the outcome.
    std::vector<std::tuple<std::string, bool, std::string, std::string>> cases = {
        {"HTTP/1.0 200 OK\r\nContent-Length: 10", true, "0123456789", "Disconnected"},
        {"HTTP/1.0 200 OK\r\nContent-Length: 10", true, "01234567", "Failed 0"},
        {"HTTP/1.0 200 OK\r\nContent-Length: 10", true, "0123456789ab", "Failed 0"},
        {"HTTP/1.0 404 No\r\nContent-Length: 10", false, "01234567", "Failed 0"},
        {"HTTP/1.0 200 OK\r\nCONTENT-LENGTH: 4", true, "abc", "Failed 0"},
        {"HTTP/1.0 200 OK\r\ncontent-length:10", true, "0123456789", "Disconnected"},
        {"HTTP/1.0 200 OK\r\nContent-Length : 4", true, "abc", "Disconnected"},
        {"HTTP/1.0 200 OK\r\nContent-Length: 0", true, "abc", "Failed 0"},
        {"HTTP/1.0 200 OK\r\nContent-Length: -1", true, "abc", "Disconnected"},
        {"HTTP/1.0 200 OK\r\nContent-Length: abc", true, "abc", "Failed 0"},
        {"HTTP/1.0 200 OK\r\nContent-Length: 5\r\nContent-Length: 3", true, "abc", "Disconnected"},
        {"HTTP/1.0 200 OK\r\nX-Content-Length: 4\r\nContent-Length", true, "abc", "Disconnected"},
        // Header-like lines after the blank line are body, also in the header's receive.
        {"HTTP/1.0 200 OK", true, "Content-Length: 9\r\n", "Disconnected"}};
    // Status lines alone, and redirects that cannot be followed.
    for (const char* status :
         {"HTTP/1.0 200 OK", "HTTP/1.1 206 Partial", "HTTP/1.0 0200 OK", "HTTP/1.0 200 "})
        cases.emplace_back(status, true, "abc", "Disconnected");
    for (const char* status :
         {"HTTP/1.0 200", "HTTP/1.0  200 OK", "HTTP/1.0 200OK", "", "HTTP/1.0 201 Created",
          "HTTP/1.0 x200 OK", "HTTP/1.0 302 Found",
          "HTTP/1.0 302 Found\r\nLocation:  ", "HTTP/1.0 302 Found\r\nLocation : /b",
          "HTTP/1.0 302 Found\r\nLocation: /\x01", "HTTP/1.0 303 See Other\r\nLocation: /b"})
        cases.emplace_back(status, false, "abc", "Disconnected");
    for (const auto& [head, accepted, body, outcome] : cases) {
        EXPECT_EQ(Rig().Run("R" + head + "\r\n\r\n" + body + "|C"),
                  (accepted ? "Body " : "Failed 4|Body ") + body + kClosed + outcome)
            << head;
    }
}

TEST(DownloadFlow, EachScenarioRaisesItsEvents) {
    const std::string kFollowed =
        "Close|Open example.test:80|QuerySent|Body new" + kClosed + "Disconnected";
    const std::pair<std::string, std::string> cases[] = {
        // A notification reads on only while the blocks come back full (of
        // body bytes, when a block ends the header).
        {"R" + k200 + "\r\n|U" + kFull + "|U" + kFull + "|Uc|Ud|E1", "Body " + kFull + kFull + "c"},
        {"U" + k200 + "\r\n" + kFull.substr(19) + "|Umore|E1", "Body " + kFull.substr(19)},
        // A header in pieces; its blank line over three of them.
        {"RHTTP/1.0 200 OK\r\nContent-Length: 4\r|R\n\r|R\nab|Rcd|C",
         "Body abcd" + kClosed + "Disconnected"},
        // Events of other values, and the high 16 bits (an error code), are
        // not looked at; nothing acts without a connection.
        {"U" + k200 + "\r\nbody|E0|E4|E8|E16|E64|E65536|E658374688|E32|E1|E2|E16384",
         "Shutdown 1|Body body|Close|Disconnected"},
        // A close before a whole header, on a redirect's connection too.
        {"C|C", "Shutdown 1|Close|Failed 0"},
        {"RHTTP/1.0 200 OK\r\nContent-Le|C|C", "Shutdown 1|Close|Failed 0"},
        {"R" + kRedirect + "\r\n|W|RHTTP/1.0 200 O|C|C",
         "Close|Open example.test:80|QuerySent|Shutdown 1|Close|Failed 0"},
        // A redirect is followed on a new connection that raises no Connected;
        // its body never shows.
        {"RHTTP/1.0 302 Found\r\nContent-Length: 8\r\nLocation:   /b  \r\n\r\nredirect|W|R" + k200 +
             "\r\nnew|C",
         kFollowed},
        {"RHTTP/1.0 301 Moved\r\nLocation: /b\r\n\r\n|W|R" + k200 + "\r\nnew|C", kFollowed},
        // A redirect that cannot connect ends the download; the next is new.
        {"X|R" + kRedirect + "\r\n|X|Fhttp://second.test/",
         "Close|Open example.test:80|Failed 5|Open second.test:80|Connected|QuerySent"},
        // A new fetch ends the download under way first, by the close rule;
        // the next starts afresh. A cancel follows no redirect.
        {"R" + k200 + "Content-Length: 10\r\n\r\nabc" + kNext,
         "Body abc|" + kCancel + "Failed 1" + kNextEvents},
        {"R" + k200 + "\r\nabc" + kNext, "Body abc|" + kCancel + "Disconnected" + kNextEvents},
        {"R" + k200 + "Content-Le" + kNext, kCancel + "Disconnected" + kNextEvents},
        {"R|U" + kRedirect + "\r\nbody" + kNext, kCancel + "Disconnected" + kNextEvents},
        {"R" + kRedirect + "|UContent-Length: 4\r\n\r\nbody" + kNext,
         kCancel + "Failed 1" + kNextEvents},
        {"R" + k200 + "Content-Length: 10\r\n\r\nabc|Fhttps://example.test/",
         "Body abc|" + kCancel + "Failed 1|Failed 11"},
        // The end of the no-progress watch closes with code 0, and so does a
        // read that comes after the time limit, unread.
        {"R" + k200 + "\r\npart|E16384|C|E16384", "Body part|Close|Failed 0"},
        {"R" + k200 + "\r\nab|L0|Rcd|C", "Body ab|Close|Failed 0"},
    };
    for (const auto& [steps, events] : cases) EXPECT_EQ(Rig().Run(steps), events) << steps;
}

// Handlers run inside the object's processing. One that runs a message loop
// (a message box) gets the notifications that arrive meanwhile only after it
// returns, in wire order and for their own connection; one that fetches anew
// ends the download under way, its read loop and its last chunk's total; one
// may destroy the object, which then raises nothing more.
TEST(DownloadHandlers, AHandlersStepsActInsideTheProcessingOfItsEvent) {
    const std::string x(1024, 'x'), z(1500, 'z'), gone = "RHTTP/1.0 404 Gone\r\n\r\n" + z + "|C";
    const std::tuple<const char*, std::string, std::string, std::string> cases[] = {
        {"Failed", "RBBBB|C", "RHTTP/1.0 404 Gone\r\n\r\nAAAA",
         "Failed 4|Body AAAABBBB" + kClosed + "Disconnected"},
        {"Failed", "C|Fhttp://second.test/", "RHTTP/1.0 404 Gone\r\n\r\n",
         "Failed 4|" + kCancel + "Disconnected|Open second.test:80|Connected|QuerySent"},
        {"Body", "Fhttp://second.test/|U" + k200 + "\r\nnew", "R" + k200 + "\r\n|U" + x + "|E1|E1",
         "Body " + x + "|" + kCancel +
             "no BytesReceived|Disconnected|Open second.test:80|Connected|QuerySent|Body new"},
        {"Body", "Fhttps://bad/", "R" + k200 + "Content-Length: 10\r\n\r\nabc",
         "Body abc|" + kCancel + "no BytesReceived|Failed 1|Failed 11"},
        {"Disconnected", "C|Fhttp://from-handler.test/", "Fhttp://second.test/",
         kCancel + "Disconnected|Open from-handler.test:80|Connected|" + kCancel +
             "Disconnected|Open second.test:80|Connected|QuerySent"},
        {"Body", "Fhttp://second.test/", "R" + k200 + "\r\n|Uabc|C",
         "Shutdown 1|Body abc|" + kCancel +
             "no BytesReceived|Disconnected|Open second.test:80|Connected|QuerySent"},
        // Held notifications came in time: the time limit passing meanwhile drops none.
        {"Body", "Umore|E1|L0", "R" + k200 + "\r\nabc|C",
         "Body abcmore" + kClosed + "Disconnected"},
        {"Connected", "D", gone, "Open example.test:80|Connected"},
        {"QuerySent", "D", gone, kStart},
        {"Failed", "D", gone, "Failed 4"},
        {"Body", "D", gone, "Failed 4|Body " + z.substr(497)},
        {"Disconnected", "D", "Fhttp://second.test/", kCancel + "Disconnected"}};
    for (const auto& [trigger, handlerSteps, steps, events] : cases) {
        Rig rig;
        bool done = false;
        rig.log.onEvent = [&](const std::string& line) {
            if (line.rfind(trigger, 0) == 0 && !std::exchange(done, true)) rig.Steps(handlerSteps);
        };
        EXPECT_EQ(rig.Run(steps), events) << trigger << " " << handlerSteps;
    }
}

TEST(DownloadErrorTextTest, EachCodeHasItsTextAndEveryOtherValueIsUnknown) {
    std::string texts;
    for (std::int32_t code = -1; code <= 12; ++code) texts += DownloadErrorText(code) + "|";
    EXPECT_EQ(
        texts,
        "Unknown error|The connection with the proxy or host has been closed, before downloading "
        "the entire file|The download has been aborted by the user|Unable to create a necessary "
        "window|Unable to send data to the host or proxy|The server did not reply with a 200 or "
        "206 reply code|Unable to connect to the host|Unable to create the file|Unable to connect "
        "to the proxy or unable to send data to it|The connection request has failed or the proxy "
        "server has rejected it|The selected authentication method was not accepted by the "
        "proxy|The user/password combination was not accepted by the proxy|Unknown error|Unknown "
        "error|");
}

TEST(DownloadRedirect, EachDownloadFollowsAtMostTheBoundOfRedirects) {
    std::string steps, first, second;
    for (int i = 0; i < C1::kMaxRedirects; ++i) {
        steps += "R" + kRedirect + "\r\n|W|";
        first += "Close|Open example.test:80|QuerySent|";
        second += "Close|Open second.test:80|QuerySent|";
    }
    EXPECT_EQ(Rig().Run(steps + "R" + k200 + "\r\n|C|Fhttp://second.test/|" + steps + "R" +
                        kRedirect + "\r\n"),
              first + "Shutdown 1|Close|Disconnected|Open second.test:80|Connected|QuerySent|" +
                  second + "Failed 4");
}

// A send that takes a part is completed on later write notifications; one
// that fails closes the connection with code 3, also after a part went out.
TEST(DownloadSend, TheWholeRequestGoesOutOnceEvenWhenASendTakesOnlyPart) {
    const std::string failed = "Open example.test:80|Connected|Close|Failed 3";
    const std::tuple<std::string, std::string, std::size_t> cases[] = {
        {"S10|S0|S7|S5|F|W|W", kStart, 1000},
        {"S-1|F|W|C", failed, 0},
        {"S12|S-1|F|W|C", failed, 12}};
    for (const auto& [steps, events, sent] : cases) {
        Rig rig;
        rig.Steps(steps);
        EXPECT_EQ(rig.Written(), events);
        EXPECT_EQ(rig.fake->Last().sent,
                  test::RequestFor("http://example.test/p", "example.test").substr(0, sent));
    }
}

TEST(DownloadHeaderBound, AHeaderBeyond64KiBFailsWithCode4AndClosesTheConnection) {
    for (std::size_t size : {C1::kMaxHeaderSize, C1::kMaxHeaderSize + 1}) {
        const std::string header =
            k200 + "X: " + std::string(size - k200.size() - 7, 'f') + "\r\n\r\n";
        std::string steps;
        for (std::size_t at = 0; at < header.size(); at += 1000)
            steps += "R" + header.substr(at, 1000) + "|";
        EXPECT_EQ(Rig().Run(steps + "Rbody|C"), size == C1::kMaxHeaderSize
                                                    ? "Body body" + kClosed + "Disconnected"
                                                    : "Close|Failed 4");
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
    EXPECT_EQ(limited.Run(""), "Open example.test:80|Connected|Close|Failed 0");
    EXPECT_EQ(limited.fake->watches, std::vector<int>({1, 0}));
}

}  // namespace
}  // namespace quorvel
