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
    Rig() { fake->journal = &log.events; }
    // Runs steps separated by '|': F fetches the rest of the step (the page
    // when empty) and delivers a write; R receives it, U leaves it unread; C
    // and W deliver a close and a write, E the number; X toggles refusing;
    // S limits a send to the number (see sendLimits); L sets the time limit
    // to the number; D destroys the object. Returns all that was written
    // down, joined by '|', without a leading kStart.
    std::string Run(const std::string& steps) {
        std::istringstream stream(steps);
        for (std::string step; download && std::getline(stream, step, '|');) {
            const std::string text = step.substr(1);
            if (step[0] == 'F')
                download->FetchURLString(text.empty() ? "http://example.test/p" : text);
            if (step[0] == 'R' || step[0] == 'U') fake->Feed(text);
            if (step[0] == 'D') download.reset();
            if (!download) break;
            if (step[0] == 'R') download->ProcessMessage(kReadEvent);
            if (step[0] == 'C') download->ProcessMessage(kCloseEvent);
            if (step[0] == 'W' || step[0] == 'F') download->ProcessMessage(kWriteEvent);
            if (step[0] == 'E') download->ProcessMessage(std::stoi(text));
            if (step[0] == 'X') fake->refuse = !fake->refuse;
            if (step[0] == 'S') fake->sendLimits.push_back(std::stoi(text));
            if (step[0] == 'L') download->SetTimeLimit(std::stoi(text));
        }
        const std::string all = log.Joined();
        return all.rfind(kStart + "|", 0) == 0 ? all.substr(kStart.size() + 1) : all;
    }

    test::DownloadEventLog log;
    test::FakeTransport* fake = new test::FakeTransport;  // owned by download
    std::unique_ptr<C1> download = std::make_unique<C1>(std::unique_ptr<Transport>(fake), &log);
};

// The whole request goes out once, also when sends take only part of it; an
// unusable URL fails with code 11 and opens nothing.
TEST(DownloadUrl, AUrlOpensItsHostAndPortAndGoesWholeIntoTheRequestLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"http://example.test", "example.test:80"},
        {"http://example.test:80.6/", "example.test:81"},
        {"http://example.test:70000", "example.test:70000"},
        {"http://example.test:1/p?next=http://other.test:9/", "example.test:1"},
        {"http://user@example.test/a b~", "user@example.test:80"}};
    for (const auto& [url, target] : cases) {
        Rig rig;
        EXPECT_EQ(rig.Run("S10|S0|S7|S5|F" + url + "|W|W"),
                  "Open " + target + "|Connected|QuerySent");
        EXPECT_EQ(rig.fake->Last().sent, test::RequestFor(url, target.substr(0, target.find(':'))));
    }
    for (const char* url : {"https://example.test/", "http://", "http://example.test:abc/",
                            "http://exa\r\nmple.test/", "http://example.test/\x7F"})
        EXPECT_EQ(Rig().Run(std::string("F") + url), "Failed 11") << url;
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
    int runs = 0;
    rig.fake->onPendingRun = [&] {
        if (++runs == 1) rig.download->ProcessMessage(kCloseEvent);
    };
    rig.Run("Fhttp://example.test:8080/x|R" + kRedirect + "\r\n|W");
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(rig.fake->connections[0].sent,
              test::RequestFor("http://example.test:8080/x", "example.test"));
    EXPECT_EQ(rig.fake->Last().sent, test::RequestFor("/x", "example.test"));
    rig.download->ProxyAddress("proxy.test");
    rig.download->ProxyPort(3128);
    rig.Run("X|F");
    rig.download->ProxyUsed(false);
    EXPECT_EQ(rig.Run("F|X|F|R" + kRedirect + "\r\n"),
              "Open localhost:80|Connected|QuerySent|Close|Open localhost:80|QuerySent|" + kCancel +
                  "Disconnected|Open proxy.test:3128|Failed 7|" + "Open example.test:80|Failed 5|" +
                  kStart + "|Close|Open example.test:80");
}

TEST(DownloadReply, TheStatusAndTheAnnouncedLengthDecideTheOutcome) {
    // Replies with the body "abc": accepted or code 4, then how the close ends.
    const std::string ok = "Body abc" + kClosed, no = "Failed 4|Body abc" + kClosed;
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {ok + "Disconnected",
         {k200 + "content-length:3", k200 + "Content-Length : 4", k200 + "Content-Length: -1",
          k200 + "Content-Length: 5\r\nContent-Length: 3",
          k200 + "X-Content-Length: 4\r\nContent-Length", "HTTP/1.1 206 Partial",
          "HTTP/1.0 0200 OK"}},
        {ok + "Failed 0", {k200 + "Content-Length: 0", k200 + "Content-Length: abc"}},
        {no + "Failed 0", {"HTTP/1.0 404 No\r\nContent-Length: 4"}},
        // Status lines that are no 200 or 206, and redirects that cannot be followed.
        {no + "Disconnected",
         {"HTTP/1.0  200 OK", "HTTP/1.0 200OK", "", "HTTP/1.0 201 Created",
          "HTTP/1.0 302 Found\r\nLocation : /b", "HTTP/1.0 303 See Other\r\nLocation: /b"}}};
    for (const auto& [events, heads] : cases) {
        for (const std::string& head : heads)
            EXPECT_EQ(Rig().Run("F|R" + head + "\r\n\r\nabc|C"), events) << head;
    }
}

TEST(DownloadFlow, EachScenarioRaisesItsEvents) {
    // Each download follows at most the bound of redirects; a header beyond
    // 64 KiB fails with code 4 and closes the connection.
    std::string redirects, followed;
    for (int i = 0; i < C1::kMaxRedirects; ++i) {
        redirects += "R" + kRedirect + "\r\n|W|";
        followed += "Close|Open example.test:80|QuerySent|";
    }
    const auto header = [](std::size_t size) {
        return "F|R" + k200 + "X: " + std::string(size - 24, 'f') + "\r\n\r\nbody|C";
    };
    const std::pair<std::string, std::string> cases[] = {
        {"F|" + redirects + "R" + k200 + "\r\n|C|F|" + redirects + "R" + kRedirect + "\r\n",
         followed + "Shutdown 1|Close|Disconnected|" + kStart + "|" + followed + "Failed 4"},
        // The block that ends the header holds no body: the body is read at the close.
        {header(C1::kMaxHeaderSize), "Shutdown 1|Body body|Close|Disconnected"},
        {header(C1::kMaxHeaderSize + 1), "Close|Failed 4"},
        // A notification reads on only while the blocks come back full (of
        // body bytes, when a block ends the header).
        {"F|R" + k200 + "\r\n|U" + kFull + "|U" + kFull + "|Uc|Ud|E1",
         "Body " + kFull + kFull + "c"},
        // Header-like lines after the blank line are body, also in the header's receive.
        {"F|R" + k200 + "\r\nContent-Length: 9\r\n|C",
         "Body Content-Length: 9\r\n" + kClosed + "Disconnected"},
        // A header in pieces; its blank line over three of them.
        {"F|RHTTP/1.0 200 OK\r\nContent-Length: 4\r|R\n\r|R\na|Rbcd|C",
         "Body abcd" + kClosed + "Disconnected"},
        // A redirect that cannot connect ends the download; the next is new.
        {"F|X|R" + kRedirect + "\r\n|X|Fhttp://second.test/",
         "Close|Open example.test:80|Failed 5|Open second.test:80|Connected|QuerySent"},
        // A new fetch ends the download under way first, by the close rule;
        // the next starts afresh. A cancel follows no redirect.
        {"F|R" + k200 + "Content-Length: 10\r\n\r\nabc" + kNext,
         "Body abc|" + kCancel + "Failed 1" + kNextEvents},
        {"F|R|U" + kRedirect + "\r\nbody" + kNext, kCancel + "Disconnected" + kNextEvents},
        // A close notification carries an error (a reset) in its high 16 bits.
        {"F|R" + k200 + "\r\nabc|E" + std::to_string(10054 << 16 | kCloseEvent),
         "Body abc" + kClosed + "Disconnected"},
        // A send that fails closes the connection with code 3, also after a part went out.
        {"S-1|F", "Open example.test:80|Connected|Close|Failed 3"},
        {"S12|S-1|F", "Open example.test:80|Connected|Close|Failed 3"},
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
        {"Body", "Fhttp://second.test/|U" + k200 + "\r\nnew", "R" + k200 + "\r\n|U" + x + "|E1|E1",
         "Body " + x + "|" + kCancel +
             "no BytesReceived|Disconnected|Open second.test:80|Connected|QuerySent|Body new"},
        {"Body", "Fhttp://second.test/", "R" + k200 + "\r\n|Uabc|C",
         "Shutdown 1|Body abc|" + kCancel +
             "no BytesReceived|Disconnected|Open second.test:80|Connected|QuerySent"},
        // Only read, write and close notifications are held.
        {"Body", "Umore|E3", "R" + k200 + "\r\nabc", "Body abc"},
        // Held notifications came in time: the time limit passing meanwhile drops none.
        {"Body", "Umore|E1|L0", "R" + k200 + "\r\nabc|C",
         "Body abcmore" + kClosed + "Disconnected"},
        {"Connected", "D", gone, "Open example.test:80|Connected"},
        {"Body", "D", gone, "Failed 4|Body " + z.substr(497)},
        {"Disconnected", "D", "Fhttp://second.test/", kCancel + "Disconnected"}};
    for (const auto& [trigger, handlerSteps, steps, events] : cases) {
        Rig rig;
        bool done = false;
        rig.log.onEvent = [&](const std::string& line) {
            if (line.rfind(trigger, 0) == 0 && !std::exchange(done, true)) rig.Run(handlerSteps);
        };
        EXPECT_EQ(rig.Run("F|" + steps), events) << trigger << " " << handlerSteps;
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

// The watch runs while connected, never past the time limit counted from the
// fetch, and stops with the connection; an event past the limit is code 0.
TEST(DownloadProgress, TheWatchIsThirtySecondsWithinTheTimeLimit) {
    Rig rig;
    rig.Run("F|R" + k200 + "\r\n|C");
    EXPECT_EQ(rig.fake->watches, std::vector<int>({30000, 30000, 30000, 0}));
    Rig limited;
    EXPECT_EQ(limited.Run("L0|F"), "Open example.test:80|Connected|Close|Failed 0");
    EXPECT_EQ(limited.fake->watches, std::vector<int>({1, 0}));
}

}  // namespace
}  // namespace quorvel
