// quorvel-service: its request parsing and options, its answers, and its
// server's rules for clients, on 127.0.0.1.
#include <gtest/gtest.h>
#include <pthread.h>
#include <sys/resource.h>
#include <sys/socket.h>

#include <csignal>
#include <optional>
#include <thread>
#include <tuple>
#include <vector>

#include "main/page_reduction.h"
#include "service/analysis_service.h"
#include "service/http_message.h"
#include "service/service_options.h"
#include "service/service_server_posix.h"
#include "shared/text.h"
#include "shared/unique_fd_posix.h"
#include "support/test_socket.h"
#include "tacdb_csv.h"

namespace quorvel {
namespace {

TEST(ScanRequestHead, FindsTheBlankLineWithinTheLimit) {
    // What was received, the limit, the scan and the head's length (0: left as it was).
    const std::tuple<std::string, std::size_t, HeadScan, std::size_t> cases[] = {
        {"GET / HTTP/1.0\r\nHost: a\r\n\r\n", 100, HeadScan::kComplete, 27},
        {"GET / HTTP/1.0\nHost: a\n\nbody", 100, HeadScan::kComplete, 24},
        {"GET / HTTP/1.0\r\nHost: a\r\n", 100, HeadScan::kIncomplete, 0},
        {"GET / HTTP/1.0\r\r\r\r", 100, HeadScan::kIncomplete, 0},  // lone CRs end nothing
        {"GET / HTTP/1.0\r\n\r\n", 18, HeadScan::kComplete, 18},    // exactly at the limit
        {"GET / HTTP/1.0\r\n\r\n", 17, HeadScan::kTooLarge, 0},
        {"GET /\x01", 32, HeadScan::kMalformed, 0},
        {std::string("GET / HTTP/1.0\r\nA: \0", 20), 32, HeadScan::kMalformed, 0},
        {"GET / HTTP/1.0\r\nA:\tb\r\n", 32, HeadScan::kIncomplete, 0}};
    for (const auto& [received, limit, scan, length] : cases) {
        std::size_t headLength = 0;
        EXPECT_EQ(ScanRequestHead(received, limit, &headLength), scan) << received;
        EXPECT_EQ(headLength, length) << received;
    }
}

// Each head with its "method path ? query", or "" when it is refused.
TEST(ParseRequestHead, ReadsPathsAndAbsoluteUrlsRefusesMalformedHeads) {
    const std::pair<std::string, const char*> cases[] = {
        {"GET /index.php?goto=imei HTTP/1.0\r\nHost: h\r\n\r\n", "GET /index.php ? goto=imei"},
        {"GET http://imei.example/index.php?s=1 HTTP/1.0\r\n\r\n", "GET /index.php ? s=1"},
        {"GET http://host?q=1 HTTP/1.0\r\n\r\n", "GET  ? q=1"},
        {"GET /p?q=1#frag HTTP/1.0\r\n\r\n", "GET /p ? q=1"},
        {"POST /p HTTP/1.0\nA: b\n\n", "POST /p ? "},
        {"\r\nGET /p HTTP/1.0\r\n\r\n", "GET /p ? "},
        {"GET /p HTTP/1.0\r\nA: b\r\n  c\r\n\r\n", "GET /p ? "},
        {"GET /p HTTP/1.9", "GET /p ? "},  // a last line without its line end
    };
    for (const auto& [head, expected] : cases) {
        const std::optional<RequestLine> line = ParseRequestHead(head);
        EXPECT_EQ(line ? line->method + " " + line->path + " ? " + line->query : "", expected)
            << head;
    }
    for (const char* head :
         {"", "\r\n\r\n", "hello there\r\n\r\n", "GET /index.php\r\n\r\n", "GET / HTTP/1\r\n\r\n",
          "GET  / HTTP/1.0\r\n\r\n", "GET index.php HTTP/1.0\r\n\r\n",
          "GET https://host/index.php HTTP/1.0\r\n\r\n", "GET http:///index.php HTTP/1.0\r\n\r\n",
          "GET http://:80/index.php HTTP/1.0\r\n\r\n", "GE(T / HTTP/1.0\r\n\r\n",
          "GET / HTTP/1.0\r\nHost h\r\n\r\n", "GET / HTTP/1.0\r\nHost : h\r\n\r\n",
          "GET / HTTP/1.0\r\n A: b\r\n\r\n", "GET / HTTP/1.0\r\n\tA: b\r\n\r\n",
          "GET /\x01 HTTP/1.0\r\n\r\n"})
        EXPECT_FALSE(ParseRequestHead(head)) << head;
}

// The first value of "s", its escapes decoded, hex digits of both cases;
// nothing for a bad escape or an absent name. A reply's head.
TEST(HttpMessage, QueryValuesAndReplies) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"goto=imei&s=1&s=2", "1"},
        {"a&s", ""},
        {"a=1", {}},
        {"s=%4", {}},
        {"s=%7G", {}},
        {"s=%G7", {}},
        {"s=%0A%9f%aF%Fa", "\x0A\x9F\xAF\xFA"},
    };
    for (const auto& [query, value] : cases) EXPECT_EQ(QueryValue(query, "s"), value) << query;
    EXPECT_EQ(FormatReply(405, "x"),
              "HTTP/1.0 405 Method Not Allowed\r\nAllow: GET\r\nContent-Type: text/html\r\n"
              "Content-Length: 1\r\nConnection: close\r\n\r\nx");
}

// Each command line with what it gives: "bind port data" and the flags
// require-login, help and version, or the error.
TEST(ParseServiceOptions, EveryOptionAndBadArguments) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{}, "127.0.0.1 8047  000"},
        {SplitText("--port 65535 --bind ::1 --data t.csv --require-login --help --version", " "),
         "::1 65535 t.csv 111"},
        {{"--port"}, "--port needs a value"},
        {{"--port", "65536"}, "not a port number from 0 to 65535: 65536"},
        {{"--port", "99999999999999999999"},
         "not a port number from 0 to 65535: 99999999999999999999"},
        {{"8047"}, "unknown option: 8047"},
    };
    for (const auto& [args, expected] : cases) {
        std::string error;
        const std::optional<ServiceOptions> o = ParseServiceOptions(args, &error);
        EXPECT_EQ((o ? o->bindAddress + " " + std::to_string(o->port) + " " + o->dataFile + " " +
                           std::string{"01"[o->requireLogin], "01"[o->help], "01"[o->version]}
                     : error),
                  expected);
    }
}

// Tag brackets, blanks, "&", UTF-8 letters and ": " in a handset list's values.
const char* const kList =
    "notice\r\ntac,name,name,aka\r\n49013920,Nokia,1610,\"1610+,1611\"\r\n"
    "35000003,Tags,\" <b>\t \r\nbold</b> \",\r\n"
    "35000005,M&N L\xC3\xB6sungen,X\xE2\x84\xA2 \xE4\xB8\xAD,DE: D1-988\r\n";

std::string Request(const std::string& imei) {
    return "GET /index.php?goto=imei&action=analyse&s=" + imei + " HTTP/1.0\r\nHost: a\r\n\r\n";
}
std::string StatusLine(const std::string& reply) { return reply.substr(0, reply.find("\r\n")); }
std::string Body(const std::string& reply) { return reply.substr(reply.find("\r\n\r\n") + 4); }

// The whole page of a known handset, as a browser gets it; the lines the
// program reads from other pages; the country of each approval body; the
// login page; the error statuses.
TEST(AnalysisService, AnswersWithTheHandsetOrItsErrorStatus) {
    const AnalysisService service(HandsetDirectory(ReadTacDatabase(kList)), false);
    const std::string nokia = service.Respond(Request("490139200000001"));
    EXPECT_EQ(
        Body(nokia),
        "<html>\r\n<head>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; "
        "charset=windows-1252\">\r\n<title>Quorvel on-line IMEI analysis</title>\r\n</head>\r\n"
        "<body>\r\n<p>IMEI 490139200000001</p>\r\n<h1>IMEI number analysis results</h1>\r\n"
        "<table>\r\n<tr><td>Manufacturer</td><td>Nokia</td></tr>\r\n<tr><td>Model type</td><td>"
        "1610</td></tr>\r\n<tr><td>Reference</td><td>1610+</td></tr>\r\n<tr><td>Approval body"
        "</td><td>RegTP, Germany (Regulierungsbehoerde F\xFCr Telekommunikation und Post)</td>"
        "</tr>\r\n<tr><td>Check digit</td><td>1 (correct)</td></tr>\r\n</table>\r\n<h2>Country "
        "of handset approval</h2>\r\n<table>\r\n<tr><td>Short name</td><td>DE</td></tr>\r\n<tr>"
        "<td>Name</td><td>Germany</td></tr>\r\n</table>\r\n<h2>IMEI number break-down</h2>\r\n"
        "<table>\r\n<tr><th>TAC</th><th>FAC</th><th>SNR</th><th>Check digit</th></tr>\r\n<tr>"
        "<td>490139</td><td>20</td><td>000000</td><td>1</td></tr>\r\n</table>\r\n<p>Handset "
        "data: Osmocom TAC database, CC-BY-SA 3.0, (c) Harald Welte 2016 and its contributors."
        "</p>\r\n</body>\r\n</html>\r\n");
    // A piece of each other reply, or of the lines the program reads from it.
    const auto error = [](const char* status) {
        return std::string("<body>\r\n<h1>") + status + "</h1>\r\n</body>";
    };
    const std::pair<std::string, std::string> cases[] = {
        {Request("860000000000000"),
         "Manufacturer: N/A\r\nModel type: N/A\r\nReference: N/A\r\nApproval body: N/A\r\n"
         "Check digit: 0 (wrong, should be 9)\r\nCountry of handset approval: N/A\r\n"},
        {Request("350000030000000"), "Model type: &lt;b&gt; bold&lt;/b&gt;\r"},
        {Request("350000050000000"),
         "M&N L\xF6sungen\r\nModel type: X\x99 ?\r\nReference: DE: D1-988\r"},
        {"hi\r\n\r\n", error("400 Bad Request")},
        {Request("49013920000000"), error("400 Bad Request")},
        {Request("49013920000000A"), error("400 Bad Request")},
        {Request("49013920000000%3"), error("400 Bad Request")},
        {Request("1&s=490139200000001"), error("400 Bad Request")},
        {"GET /index.php?goto=news HTTP/1.0\r\n\r\n", error("404 Not Found")},
        {"GET /index.php?goto=imei&action=list&s=1 HTTP/1.0\r\n\r\n", error("404 Not Found")},
        {"POST" + Request("490139200000001").substr(3), error("405 Method Not Allowed")},
    };
    for (const auto& [request, piece] : cases) {
        const std::string reply = service.Respond(request);
        EXPECT_NE((reply + ReducePage(Body(reply)).lines).find(piece), std::string::npos)
            << request;
    }
    const std::tuple<const char*, const char*, const char*> countries[] = {
        {"01", "US", "United States"},  {"33", "FR", "France"},  {"35", "GB", "United Kingdom"},
        {"44", "GB", "United Kingdom"}, {"45", "DK", "Denmark"}, {"50", "DE", "Germany"},
        {"51", "DE", "Germany"},        {"52", "DE", "Germany"}, {"86", "N/A", "N/A"}};
    for (const auto& [prefix, code, name] : countries) {
        const std::string row = std::string(code) + "</td></tr>\r\n<tr><td>Name</td><td>" + name;
        EXPECT_NE(service.Respond(Request(prefix + std::string(13, '0'))).find(row + "<"),
                  std::string::npos)
            << prefix;
    }
    const std::string login = AnalysisService(HandsetDirectory(ReadTacDatabase(kList)), true)
                                  .Respond(Request("490139200000001"));
    EXPECT_NE(login.find("<body>\r\n<h1>Login for on-line services</h1>\r\n<p>The analysis of "
                         "IMEI 490139200000001 is open to registered users only.</p>\r\n<form "
                         "method=\"post\" action=\"/index.php?goto=login\">\r\nUser name <input "
                         "name=\"user\"> Password <input type=\"password\" name=\"password\"> "
                         "<input type=\"submit\" value=\"Log in\">\r\n</form>\r\n</body>"),
              std::string::npos)
        << login;
    EXPECT_EQ(StatusLine(login), "HTTP/1.0 200 OK");
}

class ServiceServerTest : public ::testing::Test {
protected:
    // A server of the default limits but those set by limit, started at once.
    void Listen(void (*limit)(ServerLimits&)) {
        ServerLimits limits;
        limit(limits);
        server_ = std::make_unique<ServiceServer>(
            [this](const std::string& head) { return service_.Respond(head); }, limits);
        std::string error;
        ASSERT_TRUE(server_->Listen("127.0.0.1", 0, &error)) << error;
        runner_ = std::thread([this] { server_->Run(); });
    }
    void TearDown() override {
        EXPECT_EQ(StatusLine(Exchange(Request("490139200000001"))), "HTTP/1.0 200 OK");
        server_->Stop();
        runner_.join();
    }
    UniqueFd Connect(const std::string& text = "") const {
        UniqueFd socket(static_cast<int>(test::ConnectToLoopback(server_->port(), 10000)));
        EXPECT_TRUE(test::SendAll(socket.Get(), text));
        return socket;
    }
    static std::string Receive(const UniqueFd& socket) {
        std::string received;
        char block[4096];
        for (int count;
             (count = test::ReceiveWithin(socket.Get(), block, sizeof block, 10000)) > 0;)
            received.append(block, static_cast<std::size_t>(count));
        return received;
    }
    std::string Exchange(const std::string& request) const { return Receive(Connect(request)); }

    AnalysisService service_{HandsetDirectory(ReadTacDatabase(kList)), false};
    std::unique_ptr<ServiceServer> server_;
    std::thread runner_;
};

// Other clients are served while these wait.
TEST_F(ServiceServerTest, UnreadableHeadsGet400ASilentClientIsClosedAnUnfinishedHeadGets408) {
    Listen([](ServerLimits& limits) { limits.headTimeout = std::chrono::seconds(1); });
    const UniqueFd silent = Connect(), unfinished = Connect("GET /index.php HTTP/1.0\r\n");
    for (const std::string& request : {std::string("\x16\x03\x01\x02\x00\x01", 6),
                                       "GET /" + std::string(20000, 'a') + " HTTP/1.0\r\n\r\n"})
        EXPECT_EQ(StatusLine(Exchange(request)), "HTTP/1.0 400 Bad Request");
    const UniqueFd cut = Connect("GET /index.php?goto=imei HTTP/1.0\r\n");
    shutdown(cut.Get(), SHUT_WR);
    EXPECT_EQ(StatusLine(Receive(cut)), "HTTP/1.0 400 Bad Request");
    EXPECT_EQ(Receive(silent), "");
    EXPECT_EQ(StatusLine(Receive(unfinished)), "HTTP/1.0 408 Request Timeout");
}

// A signal that interrupts the server's wait does not end it either (TearDown
// asks it).
TEST_F(ServiceServerTest, ANewClientTakesTheSlotOfTheOldestUnfinishedHeadASignalEndsNothing) {
    Listen([](ServerLimits& limits) { limits.maxClients = 2; });
    const std::string request = Request("490139200000001");
    const UniqueFd oldest = Connect(request.substr(0, 10));
    const UniqueFd slow = Connect(request.substr(0, 10));
    EXPECT_EQ(StatusLine(Exchange(request)), "HTTP/1.0 200 OK");
    EXPECT_EQ(Receive(oldest), "");  // closed to make room, before any 408
    EXPECT_TRUE(test::SendAll(slow.Get(), request.substr(10)));
    EXPECT_EQ(StatusLine(Receive(slow)), "HTTP/1.0 200 OK");
    struct sigaction handler = {};
    handler.sa_handler = [](int) {};
    ASSERT_EQ(sigaction(SIGUSR1, &handler, nullptr), 0);
    // Spaced out, so that one lands while the server waits, not while it closes.
    for (int i = 0; i < 3; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        pthread_kill(runner_.native_handle(), SIGUSR1);
    }
}

// A client that resets its connection half-way through its head gives up its
// slot at once, not at a timeout: the next client (TearDown's) is served.
TEST_F(ServiceServerTest, AClientThatResetsFreesItsSlotAtOnce) {
    Listen([](ServerLimits& limits) {
        limits.maxClients = 1;
        limits.headTimeout = limits.exchangeTimeout = limits.slowHeadGrace =
            std::chrono::minutes(1);
    });
    const UniqueFd reset = Connect("GET /index.php");
    std::this_thread::sleep_for(std::chrono::milliseconds(100));  // for the server to read it
    const linger abort = {1, 0};                                  // the close sends a reset
    ASSERT_EQ(setsockopt(reset.Get(), SOL_SOCKET, SO_LINGER, &abort, sizeof abort), 0);
}

// A wait that fails for another reason than a signal ends Run with its error:
// here poll refuses more descriptors than the limit, lowered while serving.
TEST(ServiceServer, AFailingWaitEndsRunWithItsError) {
    int spare[2];  // freed below the lowered limit for the sanitizers' own use
    ASSERT_EQ(pipe(spare), 0);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
    const rlimit low = {rlim_t(spare[1]) + 1, saved.rlim_max};
    ServiceServer server(
        [&](const std::string&) {
            close(spare[0]);
            close(spare[1]);
            setrlimit(RLIMIT_NOFILE, &low);
            return std::string("HTTP/1.0 200 OK\r\n\r\n");
        },
        ServerLimits{});
    std::string error;
    ASSERT_TRUE(server.Listen("127.0.0.1", 0, &error)) << error;
    std::vector<UniqueFd> clients;  // more than the lowered limit, waiting to be accepted
    while (clients.size() <= low.rlim_cur)
        clients.emplace_back(static_cast<int>(test::ConnectToLoopback(server.port(), 10000)));
    ASSERT_TRUE(test::SendAll(clients[0].Get(), Request("490139200000001")));
    EXPECT_THROW(server.Run(), std::system_error);
    setrlimit(RLIMIT_NOFILE, &saved);
}

}  // namespace
}  // namespace quorvel
