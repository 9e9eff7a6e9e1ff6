// The download class over the scripted transport: URLs, the request, the
// reply's header and body, the close, redirects, cancels, partial sends, the
// header bound, the no-progress watch and event handlers that act on it.
#include <gtest/gtest.h>

#include <array>
#include <sstream>

#include "download/download.h"
#include "support/fake_transport.h"

namespace quorvel {
namespace {

const std::string kOpen = "Open example.test:80|Connected", kStart = kOpen + "|QuerySent";
const std::string k200 = "HTTP/1.0 200 OK\r\n";
const std::string kRedirect = "HTTP/1.0 302 Found\r\nLocation: /x\r\n";
const std::string kFull(1024, 'a');  // a whole receive block
const std::string kClosed = "|Shutdown 1|Close|", kDone = kClosed + "Disconnected";
const std::string kCancel = "Shutdown 2|Shutdown 1|Close|";
// A fetch of a second page, the start of its connection, and a whole download of it.
const std::string kFetch2 = "Fhttp://two.test/", kStart2 = "Open two.test:80|Connected|QuerySent";
const std::string kNext = "|" + kFetch2 + "|RHTTP/1.0 404 N\r\nContent-Length: 3\r\n\r\nnew|C";
const std::string kNextEvents = "|" + kStart2 + "|Failed 4|Body new" + kDone;

// A download object on the scripted transport; its events and the transport's
// opens, shutdowns and closes are written down in order.
struct Rig {
    Rig() { fake->journal = &log.events; }
    // Runs steps separated by '|': F fetches the rest of the step (the page
    // when empty) and delivers a write; R receives it, U leaves it unread; C
    // and W deliver a close and a write, E the number; X toggles refusing;
    // S limits a send to the number (see sendLimits); L sets the time limit
    // to the number; D destroys the object; V writes down the watch's
    // settings so far; P1 and P0 turn the proxy on and off. Returns all that
    // was written down, joined by '|', without a leading kStart.
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
            if (step[0] == 'V') log.events.push_back("Watch" + fake->watches);
            if (step[0] == 'P') download->ProxyUsed(text == "1");
        }
        const std::string all = log.Joined();
        return all.rfind(kStart + "|", 0) == 0 ? all.substr(kStart.size() + 1) : all;
    }

    test::DownloadEventLog log;
    test::FakeTransport* fake = new test::FakeTransport;  // owned by download
    std::unique_ptr<C1> download = std::make_unique<C1>(std::unique_ptr<Transport>(fake), &log);
};

// Only the low 16 bits count, and their all-ones value is never connected to.
TEST(DownloadUrl, ConnectablePortIsTheLowSixteenBitsButNever65535) {
    const std::pair<std::int32_t, std::optional<std::uint16_t>> cases[] = {
        {80, 80},      {0, 0},     {65534, 65534},         {65535, std::nullopt},
        {70000, 4464}, {65536, 0}, {131071, std::nullopt}, {-1, std::nullopt}};
    for (const auto& [port, wire] : cases) EXPECT_EQ(ConnectablePort(port), wire) << port;
}

// The proxy (localhost:80 unless set) gets the connection and the same
// request, which goes out whole and once also when sends take only part of
// it; a redirect's new request goes to the same server or proxy with the
// old Host header, while the old connection's waiting notifications run out.
// The proxy values are read when a connection opens; a failed open is code 7
// through the proxy, 5 directly.
TEST(DownloadProxy, TheProxyGetsTheConnectionAndTheSameRequest) {
    Rig rig;
    int runs = 0;
    rig.fake->onPendingRun = [&] {
        if (++runs == 1) rig.download->ProcessMessage(kCloseEvent);
    };
    rig.Run("P1|S10|S0|S7|S5|Fhttp://example.test:8080/x|W|W|R" + kRedirect + "\r\n|W");
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(rig.fake->connections[0].sent,
              test::RequestFor("http://example.test:8080/x", "example.test"));
    EXPECT_EQ(rig.fake->Last().sent, test::RequestFor("/x", "example.test"));
    rig.download->ProxyAddress("proxy.test");
    rig.download->ProxyPort(3128);
    EXPECT_EQ(rig.Run("X|F|P0|F|X|F|R" + kRedirect + "\r\n"),
              "Open localhost:80|Connected|QuerySent|Close|Open localhost:80|QuerySent|" + kCancel +
                  "Disconnected|Open proxy.test:3128|Failed 7|Open example.test:80|Failed 5|" +
                  kStart + "|Close|Open example.test:80");
}

TEST(DownloadFlow, EachScenarioRaisesItsEvents) {
    // Each download follows at most the bound of redirects; a header beyond
    // 64 KiB fails with code 4 and closes the connection.
    std::string redirects, followed, fill(C1::kMaxHeaderSize - 24, 'f');
    for (int i = 0; i < C1::kMaxRedirects; ++i) {
        redirects += "R" + kRedirect + "\r\n|W|";
        followed += "Close|Open example.test:80|QuerySent|";
    }
    const std::string z(1500, 'z'), gone = "F|RHTTP/1.0 404 Gone\r\n\r\n" + z + "|C";
    const std::string cancelled = kCancel + "no BytesReceived|Disconnected|" + kStart2;
    // The steps, the events, and a handler's steps that run on the first
    // event that begins with the trigger (the first event when none is given).
    std::vector<std::array<std::string, 4>> cases = {
        // clang-format off
        // A URL opens its host and port; an unusable one fails with code 11
        // and opens nothing.
        {"Fhttp://example.test", kStart},
        {"Fhttp://example.test:80.6/", "Open example.test:81|Connected|QuerySent"},
        {"Fhttp://example.test:70000", "Open example.test:70000|Connected|QuerySent"},
        {"Fhttp://example.test:1/p?next=http://other.test:9/",
         "Open example.test:1|Connected|QuerySent"},
        {"Fhttp://user@example.test/a b~", "Open user@example.test:80|Connected|QuerySent"},
        {"Fhttps://example.test/", "Failed 11"},
        {"Fhttp://", "Failed 11"},
        {"Fhttp://example.test:abc/", "Failed 11"},
        {"Fhttp://exa\r\nmple.test/", "Failed 11"},
        {"Fhttp://example.test/\x7F", "Failed 11"},
        {"F|" + redirects + "R" + k200 + "\r\n|C|F|" + redirects + "R" + kRedirect + "\r\n",
         followed + "Shutdown 1|Close|Disconnected|" + kStart + "|" + followed + "Failed 4"},
        // The block that ends the header holds no body: the body is read at the close.
        {"F|R" + k200 + "X: " + fill + "\r\n\r\nbody|C", "Shutdown 1|Body body|Close|Disconnected"},
        {"F|R" + k200 + "X: f" + fill + "\r\n\r\nbody|C", "Close|Failed 4"},
        // A notification reads on only while the blocks come back full (of
        // body bytes, when a block ends the header).
        {"F|R" + k200 + "\r\n|U" + kFull + "|U" + kFull + "|Uc|Ud|E1",
         "Body " + kFull + kFull + "c"},
        // Header-like lines after the blank line are body, also in the header's receive.
        {"F|R" + k200 + "\r\nContent-Length: 9\r\n|C", "Body Content-Length: 9\r\n" + kDone},
        // A header in pieces; its blank line over three of them.
        {"F|RHTTP/1.0 200 OK\r\nContent-Length: 4\r|R\n\r|R\na|Rbcd|C", "Body abcd" + kDone},
        // A redirect that cannot connect ends the download; the next is new.
        {"F|X|R" + kRedirect + "\r\n|X|" + kFetch2,
         "Close|Open example.test:80|Failed 5|" + kStart2},
        // A new fetch ends the download under way first, by the close rule;
        // the next starts afresh. A cancel follows no redirect.
        {"F|R" + k200 + "Content-Length: 10\r\n\r\nabc" + kNext,
         "Body abc|" + kCancel + "Failed 1" + kNextEvents},
        {"F|R|U" + kRedirect + "\r\nbody" + kNext, kCancel + "Disconnected" + kNextEvents},
        // A close notification carries an error (a reset) in its high 16 bits.
        {"F|R" + k200 + "\r\nabc|E" + std::to_string(10054 << 16 | kCloseEvent),
         "Body abc" + kDone},
        // A send that fails closes the connection with code 3, also after a part went out.
        {"S-1|F", kOpen + "|Close|Failed 3"},
        {"S12|S-1|F", kOpen + "|Close|Failed 3"},
        // The no-progress watch runs while connected, never past the time
        // limit counted from the fetch, and stops with the connection; an
        // event past the limit is code 0.
        {"F|R" + k200 + "\r\n|C|V", "Shutdown 1|Close|Disconnected|Watch 30000 30000 30000 0"},
        {"L0|F|V", kOpen + "|Close|Failed 0|Watch 1 0"},
        // Handlers run inside the object's processing. One that runs a message
        // loop (a message box) gets the notifications that arrive meanwhile only
        // after it returns, in wire order and for their own connection; one that
        // fetches anew ends the download under way, its read loop and its last
        // chunk's total; one may destroy the object, which then raises nothing more.
        {"F|RHTTP/1.0 404 Gone\r\n\r\nAAAA", "Failed 4|Body AAAABBBB" + kDone, "Failed",
         "RBBBB|C"},
        {"F|R" + k200 + "\r\n|U" + kFull + "|E1|E1",
         "Body " + kFull + "|" + cancelled + "|Body new", "Body",
         kFetch2 + "|U" + k200 + "\r\nnew"},
        {"F|R" + k200 + "\r\n|Uabc|C", "Shutdown 1|Body abc|" + cancelled, "Body", kFetch2},
        // Only read, write and close notifications are held.
        {"F|R" + k200 + "\r\nabc", "Body abc", "Body", "Umore|E3"},
        // Held notifications came in time: the time limit passing meanwhile drops none.
        {"F|R" + k200 + "\r\nabc|C", "Body abcmore" + kDone, "Body", "Umore|E1|L0"},
        {gone, kOpen, "Connected", "D"},
        {gone, "Failed 4|Body " + z.substr(497), "Body", "D"},
        {"F|" + kFetch2, kCancel + "Disconnected", "Disconnected", "D"},
        // clang-format on
    };
    // Replies with the body "abc": accepted or code 4, then how the close ends.
    const std::string ok = "Body abc" + kClosed, no = "Failed 4|Body abc" + kClosed;
    const std::pair<std::string, std::vector<std::string>> replies[] = {
        // clang-format off
        {ok + "Disconnected", {k200 + "content-length:3", k200 + "Content-Length : 4",
            k200 + "Content-Length: -1", k200 + "Content-Length: 5\r\nContent-Length: 3",
            k200 + "X-Content-Length: 4\r\nContent-Length",
            "HTTP/1.1 206 Partial", "HTTP/1.0 0200 OK"}},
        {ok + "Failed 0", {k200 + "Content-Length: 0", k200 + "Content-Length: abc"}},
        {no + "Failed 0", {"HTTP/1.0 404 No\r\nContent-Length: 4"}},
        // Status lines that are no 200 or 206, and redirects that cannot be followed.
        {no + "Disconnected", {"HTTP/1.0  200 OK", "HTTP/1.0 200OK", "", "HTTP/1.0 201 Created",
            "HTTP/1.0 302 Found\r\nLocation : /b", "HTTP/1.0 303 See Other\r\nLocation: /b"}},
        // clang-format on
    };
    for (const auto& [events, heads] : replies)
        for (const std::string& head : heads)
            cases.push_back({"F|R" + head + "\r\n\r\nabc|C", events});
    for (const auto& [steps, events, trigger, handler] : cases) {
        Rig rig;
        rig.log.onEvent = [&, done = false](const std::string& line) mutable {
            if (line.rfind(trigger, 0) == 0 && !std::exchange(done, true)) rig.Run(handler);
        };
        EXPECT_EQ(rig.Run(steps), events) << steps << " " << trigger;
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

}  // namespace
}  // namespace quorvel
