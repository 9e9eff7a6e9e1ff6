// Redirects, cancels, partial sends, the header bound, the no-progress watch
// and event handlers that act on the download object.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "download/download.h"
#include "support/download_rig.h"
#include "support/request_text.h"

namespace quorvel {
namespace {

using test::DownloadEventLog;
using test::FakeTransport;
using Events = std::vector<std::string>;

using Rig = test::DownloadRig;
using test::HostHeader;
using test::RequestLine;

TEST(DownloadRedirect, A302IsFollowedOnANewConnectionToTheSameServer) {
    for (const char* status : {"HTTP/1.0 302 Found", "HTTP/1.1 301 Moved Permanently"}) {
        Rig rig;
        rig.Start("http://example.test:8080/page");
        rig.Receive(std::string(status) + "\r\nLocation:   /other  \r\n\r\nredirect body");
        ASSERT_EQ(rig.fake->connections.size(), 2u) << status;
        EXPECT_TRUE(rig.fake->connections[0].closed);
        EXPECT_EQ(rig.fake->opens, Events({"example.test:8080", "example.test:8080"}));
        rig.download->ProcessMessage(kWriteEvent);
        EXPECT_EQ(RequestLine(rig.fake->Last().sent), "GET /other HTTP/1.0");
        EXPECT_EQ(HostHeader(rig.fake->Last().sent), "example.test");
        rig.Receive("HTTP/1.0 200 OK\r\n\r\nnew");
        rig.Close();
        // No Connected for the new connection; the redirect's body never shows.
        EXPECT_EQ(rig.log.Merged(), Events({"Connected 0", "QuerySent 0", "QuerySent 0",
                                            "Body new 0", "Disconnected 0"}))
            << status;
    }
}

TEST(DownloadRedirect, TheOldConnectionsWaitingNotificationsRunOutWithoutEffect) {
    Rig rig;
    rig.Start();
    rig.fake->onPendingRun = [&] {
        // Late notifications of the dropped connection arrive during the pass.
        rig.download->ProcessMessage(kCloseEvent);
        rig.download->ProcessMessage(kReadEvent);
        rig.download->ProcessMessage(kWriteEvent);
    };
    rig.Receive("HTTP/1.0 302 Found\r\nLocation: /other\r\n\r\n");
    EXPECT_EQ(rig.fake->pendingRuns, 1);
    EXPECT_EQ(rig.fake->Last().sent, "");
    EXPECT_EQ(rig.log.events, Events({"Connected 0", "QuerySent 0"}));
}

TEST(DownloadRedirect, ViaAProxyTheNewRequestGoesToTheSameProxy) {
    Rig rig;
    rig.download->ProxyUsed(true);
    rig.download->ProxyAddress("proxy.test");
    rig.download->ProxyPort(3128);
    rig.Start();
    rig.Receive("HTTP/1.0 302 Found\r\nLocation: http://elsewhere.test/x\r\n\r\n");
    rig.download->ProcessMessage(kWriteEvent);
    EXPECT_EQ(rig.fake->opens, Events({"proxy.test:3128", "proxy.test:3128"}));
    EXPECT_EQ(RequestLine(rig.fake->Last().sent), "GET http://elsewhere.test/x HTTP/1.0");
    EXPECT_EQ(HostHeader(rig.fake->Last().sent), "example.test");
}

TEST(DownloadRedirect, RedirectsThatCannotBeFollowedAreCode4AndTheBodyStillComes) {
    const char* const headers[] = {
        "HTTP/1.0 302 Found\r\n",
        "HTTP/1.0 302 Found\r\nLocation:   \r\n",
        "HTTP/1.0 302 Found\r\nLocation : /x\r\n",
        "HTTP/1.0 302 Found\r\nLocation: /a\x01"
        "b\r\n",
        "HTTP/1.0 303 See Other\r\nLocation: /x\r\n",
        "HTTP/1.0 307 Temporary Redirect\r\nLocation: /x\r\n",
    };
    for (const char* header : headers) {
        Rig rig;
        rig.Start();
        rig.Receive(std::string(header) + "\r\nbody");
        rig.Close();
        EXPECT_EQ(rig.fake->connections.size(), 1u) << header;
        EXPECT_EQ(rig.log.Merged(), Events({"Connected 0", "QuerySent 0", "DownloadFailed 4 0",
                                            "Body body 0", "Disconnected 0"}))
            << header;
    }
}

TEST(DownloadRedirect, AnEndlessChainOfRedirectsStopsWithCode4) {
    Rig rig;
    rig.Start();
    for (int i = 0; i <= C1::kMaxRedirects; ++i) {
        rig.Receive("HTTP/1.0 302 Found\r\nLocation: /again\r\n\r\n");
        rig.download->ProcessMessage(kWriteEvent);
    }
    EXPECT_EQ(rig.fake->connections.size(), static_cast<std::size_t>(C1::kMaxRedirects + 1));
    EXPECT_EQ(rig.log.events.back(), "DownloadFailed 4 0");
    EXPECT_EQ(rig.log.Outcomes(), 1);
}

TEST(DownloadRedirect, EveryDownloadMayFollowTheWholeNumberOfRedirects) {
    Rig rig;
    for (int download = 0; download < 2; ++download) {
        rig.Start();
        for (int i = 0; i < C1::kMaxRedirects; ++i) {
            rig.Receive("HTTP/1.0 302 Found\r\nLocation: /again\r\n\r\n");
            rig.download->ProcessMessage(kWriteEvent);
        }
        rig.Receive("HTTP/1.0 200 OK\r\n\r\nbody");
        rig.Close();
    }
    EXPECT_EQ(rig.log.events.back(), "Disconnected 0");
    for (const std::string& event : rig.log.events)
        EXPECT_EQ(event.find("Failed"), std::string::npos);
}

TEST(DownloadRedirect, AFailedReconnectionEndsTheDownloadAndLeavesTheObjectIdle) {
    Rig rig;
    rig.Start();
    rig.fake->refuse = true;
    rig.Receive("HTTP/1.0 302 Found\r\nLocation: /other\r\n\r\n");
    EXPECT_EQ(rig.log.events, Events({"Connected 0", "QuerySent 0", "DownloadFailed 5 0"}));
    // A new download is a new request: Connected again, nothing for the old one.
    rig.fake->refuse = false;
    rig.Start();
    EXPECT_EQ(rig.log.events, Events({"Connected 0", "QuerySent 0", "DownloadFailed 5 0",
                                      "Connected 0", "QuerySent 0"}));
}

TEST(DownloadRedirect, ACloseOfTheNewConnectionBeforeItsHeaderEndsTheDownloadOnce) {
    Rig rig;
    rig.Start();
    rig.Receive("HTTP/1.0 302 Found\r\nLocation: /other\r\n\r\n");
    rig.download->ProcessMessage(kWriteEvent);
    rig.Receive("HTTP/1.0 200 O");
    rig.Close();
    rig.Close();
    EXPECT_EQ(rig.log.events,
              Events({"Connected 0", "QuerySent 0", "QuerySent 0", "DownloadFailed 0 0"}));
}

TEST(DownloadCancel, ANewFetchEndsTheDownloadUnderWayFirst) {
    struct Case {
        std::string received;
        std::string unread;  // still waiting when the new fetch comes
        Events after;        // the events after QuerySent
    };
    const std::string redirect = "HTTP/1.0 302 Found\r\nLocation: /x\r\n";
    const Case cases[] = {
        {"HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\nabc",
         "",
         {"Body abc 0", "DownloadFailed 1 0", "Connected 0"}},
        {"HTTP/1.0 200 OK\r\n\r\nabc", "", {"Body abc 0", "Disconnected 0", "Connected 0"}},
        // No length announced yet.
        {"HTTP/1.0 200 OK\r\nContent-Le", "", {"Disconnected 0", "Connected 0"}},
        // The cancel's read never follows a redirect, nor delivers its body.
        {"", redirect + "\r\nbody", {"Disconnected 0", "Connected 0"}},
        {redirect, "Content-Length: 4\r\n\r\nbody", {"DownloadFailed 1 0", "Connected 0"}},
    };
    for (const Case& c : cases) {
        Rig rig;
        rig.Start();
        rig.Receive(c.received);
        rig.fake->Feed(c.unread);
        rig.download->FetchURLString("http://second.test/");
        EXPECT_EQ(rig.After(), c.after) << c.received << c.unread;
        EXPECT_EQ(rig.fake->opens, Events({"example.test:80", "second.test:80"}));
        const FakeTransport::Connection& old = rig.fake->connections[0];
        EXPECT_TRUE(old.closed);
        EXPECT_EQ(old.shutdowns, std::vector<ShutdownHow>({kShutdownBoth, kShutdownSend}));
        // Late notifications of the old connection do not reach the new one.
        rig.Close();
        EXPECT_EQ(rig.log.Outcomes(), 2) << "the close ends the new download";
        EXPECT_TRUE(rig.fake->Last().closed);
    }
}

TEST(DownloadCancel, AnUnusableNewUrlStillEndsTheOldDownload) {
    Rig rig;
    rig.Start();
    rig.Receive("HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\nabc");
    rig.download->FetchURLString("https://example.test/");
    EXPECT_EQ(rig.log.events.back(), "DownloadFailed 11 0");
    EXPECT_EQ(rig.log.events[rig.log.events.size() - 2], "DownloadFailed 1 0");
    EXPECT_EQ(rig.fake->connections.size(), 1u);
}

TEST(DownloadSend, TheWholeRequestGoesOutEvenWhenASendTakesOnlyPart) {
    Rig rig;
    rig.fake->sendLimits = {10, 0};
    rig.Start();
    EXPECT_EQ(rig.fake->Last().sent.size(), 10u);
    EXPECT_EQ(rig.log.events, Events({"Connected 0"}));
    rig.fake->sendLimits = {7, 5};
    rig.download->ProcessMessage(kWriteEvent);
    EXPECT_EQ(rig.log.events, Events({"Connected 0", "QuerySent 0"}));
    EXPECT_EQ(RequestLine(rig.fake->Last().sent), "GET http://example.test/page HTTP/1.0");
    EXPECT_EQ(rig.fake->Last().sent.substr(rig.fake->Last().sent.size() - 4), "\r\n\r\n");
    const std::size_t sent = rig.fake->Last().sent.size();
    // Later write notifications send nothing more.
    rig.download->ProcessMessage(kWriteEvent);
    EXPECT_EQ(rig.fake->Last().sent.size(), sent);
}

TEST(DownloadSend, AFailedSendClosesTheConnectionWithCode3) {
    for (std::deque<std::int32_t> limits :
         {std::deque<std::int32_t>{-1}, std::deque<std::int32_t>{12, -1}}) {
        Rig rig;
        rig.fake->sendLimits = limits;
        rig.Start();
        EXPECT_EQ(rig.log.events, Events({"Connected 0", "DownloadFailed 3 0"}));
        EXPECT_TRUE(rig.fake->Last().closed);
        rig.Close();
        rig.download->ProcessMessage(kReadEvent);
        EXPECT_EQ(rig.log.Outcomes(), 1);
    }
}

TEST(DownloadHeaderBound, AHeaderBeyond64KiBFailsWithCode4AndClosesTheConnection) {
    struct Case {
        std::size_t headerSize;  // blank line included
        bool accepted;
    };
    for (const Case& c : {Case{C1::kMaxHeaderSize, true}, Case{C1::kMaxHeaderSize + 1, false}}) {
        Rig rig;
        rig.Start();
        const std::string status = "HTTP/1.0 200 OK\r\nX-Filler: ";
        std::string header =
            status + std::string(c.headerSize - status.size() - 4, 'f') + "\r\n\r\n";
        for (std::size_t at = 0; at < header.size(); at += 1000)
            rig.fake->Feed(header.substr(at, 1000));
        rig.fake->Feed("body");
        for (int i = 0; i < 80; ++i) rig.download->ProcessMessage(kReadEvent);
        rig.Close();
        const Events expected =
            c.accepted ? Events({"Body body 0", "Disconnected 0"}) : Events({"DownloadFailed 4 0"});
        Events after = rig.log.Merged();
        after.erase(after.begin(), after.begin() + 2);
        EXPECT_EQ(after, expected) << c.headerSize;
        EXPECT_TRUE(rig.fake->Last().closed);
    }
}

TEST(DownloadProgress, TheWatchRunsWhileConnectedAndItsEndClosesWithCode0) {
    Rig rig;
    rig.download->SetNoProgressTimeout(250);
    rig.Start();
    rig.Receive("HTTP/1.0 200 OK\r\n\r\npart");
    EXPECT_EQ(rig.fake->watches, std::vector<int>({250, 250, 250}));
    rig.download->ProcessMessage(kNoProgressEvent);
    EXPECT_EQ(rig.log.events.back(), "DownloadFailed 0 0");
    EXPECT_TRUE(rig.fake->Last().closed);
    EXPECT_EQ(rig.fake->watches.back(), 0);
    rig.Close();
    rig.download->ProcessMessage(kNoProgressEvent);
    EXPECT_EQ(rig.log.Outcomes(), 1);
}

// A server that trickles bytes or sends without end is bounded by the time
// limit from the request: the watch never runs past it, and an event past it
// ends the download with code 0.
TEST(DownloadProgress, TheWatchIsThirtySecondsWithinTheTimeLimit) {
    struct Case {
        int timeLimit;  // milliseconds; -1 keeps the default
        int firstWatch;
        Events events;
    };
    const Case cases[] = {
        {-1, 30000, {"Connected 0", "QuerySent 0", "Body x 0"}},
        {0, 1, {"Connected 0", "DownloadFailed 0 0"}},
    };
    for (const Case& c : cases) {
        Rig rig;
        if (c.timeLimit >= 0) rig.download->SetTimeLimit(c.timeLimit);
        rig.Start();
        rig.Receive("HTTP/1.0 200 OK\r\n\r\nx");
        EXPECT_EQ(rig.fake->watches.front(), c.firstWatch) << c.timeLimit;
        EXPECT_EQ(rig.log.Merged(), c.events) << c.timeLimit;
    }
}

// Event handlers that start a new download or destroy the object.
TEST(DownloadHandlers, ANewFetchFromAHandlerEndsTheOldDownloadAndItsReadLoop) {
    Rig rig;
    bool restarted = false;
    rig.log.onEvent = [&](const std::string& line) {
        if (!restarted && line.compare(0, 11, "StreamBytes") == 0) {
            restarted = true;
            rig.download->FetchURLString("http://second.test/");
        }
    };
    rig.Start();
    const std::string header = "HTTP/1.0 200 OK\r\nContent-Length: 2000\r\n\r\n";
    rig.fake->Feed(header + std::string(1024, 'x'));
    rig.fake->Feed(std::string(976, 'y'));
    rig.download->ProcessMessage(kReadEvent);
    // The cancel's close handling takes what the old connection still holds
    // in the same receive piece; the outer loop then stops.
    const std::size_t first = 1024 - header.size();
    const std::size_t rest = 1024 - first;
    EXPECT_EQ(rig.log.events,
              Events({"Connected 0", "QuerySent 0",
                      "StreamBytes " + std::to_string(first) + " " + std::string(first, 'x') + " 0",
                      "StreamBytes " + std::to_string(rest) + " " + std::string(rest, 'x') + " 0",
                      "BytesReceived 1024 0", "DownloadFailed 1 0", "Connected 0"}));
    EXPECT_EQ(rig.fake->opens.back(), "second.test:80");
    EXPECT_EQ(rig.fake->connections[0].pieces.size(), 1u) << "the old connection is not read on";
}

// A handler that runs a message loop (a message box) gets the notifications
// that arrive meanwhile only after it returns, in wire order.
TEST(DownloadHandlers, EventsKeepWireOrderWhenAHandlerRunsAMessageLoop) {
    Rig rig;
    rig.log.onEvent = [&](const std::string& line) {
        if (line != "DownloadFailed 4 0") return;
        rig.Receive("BBBB");
        rig.Close();
    };
    rig.Start();
    rig.Receive("HTTP/1.0 404 Gone\r\n\r\nAAAA");
    EXPECT_EQ(rig.After(), Events({"DownloadFailed 4 0", "Body AAAABBBB 0", "Disconnected 0"}));
}

// A download started from the last event of one that a new fetch cancels
// is itself cancelled by that fetch, with a last event of its own.
TEST(DownloadHandlers, ADownloadStartedDuringACancelEndsWithItsOwnEvent) {
    Rig rig;
    rig.log.onEvent = [&](const std::string& line) {
        if (line != "Disconnected 0" || rig.fake->opens.size() != 1) return;
        rig.Close();  // a late notification of the cancelled connection
        rig.download->FetchURLString("http://from-handler.test/");
    };
    rig.Start();
    rig.download->FetchURLString("http://second.test/");
    EXPECT_EQ(rig.After(),
              Events({"Disconnected 0", "Connected 0", "Disconnected 0", "Connected 0"}));
    EXPECT_EQ(rig.fake->opens.back(), "second.test:80");
}

TEST(DownloadHandlers, AHandlerMayDestroyTheObject) {
    for (const char* trigger : {"Connected", "QuerySent", "StreamBytes", "BytesReceived",
                                "DownloadFailed", "Disconnected"}) {
        Rig rig;
        const std::string name = trigger;
        rig.log.onEvent = [&](const std::string& line) {
            if (line.compare(0, name.size(), name) == 0) rig.download.reset();
        };
        rig.download->FetchURLString("http://example.test/page");
        if (rig.download) rig.download->ProcessMessage(kWriteEvent);
        if (rig.download) {
            rig.fake->Feed("HTTP/1.0 404 Gone\r\n\r\n" + std::string(1500, 'z'));
            rig.download->ProcessMessage(kReadEvent);
        }
        if (rig.download) rig.download->ProcessMessage(kCloseEvent);
        EXPECT_EQ(rig.download, nullptr) << trigger;
        EXPECT_EQ(rig.log.events.back().compare(0, name.size(), name), 0)
            << trigger << ": no event after the object is gone";
    }
}

}  // namespace
}  // namespace quorvel
