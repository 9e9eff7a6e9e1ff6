// quorvel-service's answers, and its server's rules for clients, on 127.0.0.1.
#include <gtest/gtest.h>
#include <sys/socket.h>

#include <thread>
#include <vector>

#include "main/page_reduction.h"
#include "service/analysis_service.h"
#include "service/service_server_posix.h"
#include "shared/unique_fd_posix.h"
#include "support/test_socket.h"
#include "tacdb_csv.h"

namespace quorvel {
namespace {

// Tag brackets, "&", UTF-8 letters and ": " in a handset list's values.
const char* const kList =
    "notice\r\ntac,name,name,aka\r\n49013920,Nokia,1610,\"1610+,1611\"\r\n35000003,Tags,<b>bold</"
    "b>,\r\n"
    "35000005,M&N L\xC3\xB6sungen,X\xE2\x84\xA2 \xE4\xB8\xAD,DE: D1-988\r\n";

std::string Request(const std::string& imei) {
    return "GET /index.php?goto=imei&action=analyse&s=" + imei + " HTTP/1.0\r\nHost: a\r\n\r\n";
}
std::string StatusLine(const std::string& reply) { return reply.substr(0, reply.find("\r\n")); }
ReducedPage Page(const std::string& reply) {
    return ReducePage(reply.substr(reply.find("\r\n\r\n") + 4));
}

// Each IMEI with (part of) the page lines it gets, then the error statuses.
TEST(AnalysisService, AnswersWithTheHandsetOrItsErrorStatus) {
    const AnalysisService service(HandsetDirectory(ReadTacDatabase(kList)), false);
    const auto lines = [&](const std::string& request) {
        return Page(service.Respond(request)).lines;
    };
    const std::pair<const char*, const char*> pages[] = {
        {"490139200000001",
         "Manufacturer: Nokia\r\nModel type: 1610\r\nReference: 1610+\r\nApproval body: RegTP, "
         "Germany (Regulierungsbehoerde F\xFCr Telekommunikation und Post)\r\nCheck digit: 1 "
         "(correct)\r\nCountry of handset approval: DE\r\n"},
        {"860000000000000",
         "Manufacturer: N/A\r\nModel type: N/A\r\nReference: N/A\r\nApproval body: N/A\r\n"
         "Check digit: 0 (wrong, should be 9)\r\nCountry of handset approval: N/A\r\n"},
        {"350000030000000", "Model type: &lt;b&gt;bold&lt;/b&gt;\r"},
        {"49013920000000%31&s=1", "Model type: 1610\r"},
        {"350000050000000", "M&N L\xF6sungen\r\nModel type: X\x99 ?\r\nReference: DE: D1-988\r"},
    };
    for (const auto& [imei, expected] : pages)
        EXPECT_NE(lines(Request(imei)).find(expected), std::string::npos) << imei;
    EXPECT_EQ(lines("GET http://a.example/index.php?goto=imei&action=analyse&s=490139200000001 "
                    "HTTP/1.0\r\n\r\n"),
              lines(Request("490139200000001")));  // as a proxy asks
    const std::pair<const char*, std::vector<std::string>> errors[] = {
        {"HTTP/1.0 400 Bad Request",
         {"hi\r\n\r\n", Request("49013920000000"), Request("49013920000000A"),
          Request("49013920000000%"), Request("49013920000000%3"), Request("1&s=490139200000001")}},
        {"HTTP/1.0 404 Not Found",
         {"GET /index.php?goto=news HTTP/1.0\r\n\r\n",
          "GET /index.php?goto=imei&action=list&s=1 HTTP/1.0\r\n\r\n"}},
        {"HTTP/1.0 405 Method Not Allowed", {"POST" + Request("490139200000001").substr(3)}},
    };
    for (const auto& [status, requests] : errors) {
        for (const std::string& request : requests)
            EXPECT_EQ(StatusLine(service.Respond(request)), status) << request;
    }
    const std::string login = AnalysisService(HandsetDirectory(ReadTacDatabase(kList)), true)
                                  .Respond(Request("490139200000001"));
    EXPECT_TRUE(Page(login).loginRequired && login.find("Nokia") == std::string::npos);
}

class ServiceServerTest : public ::testing::Test {
protected:
    void Listen(ServerLimits limits) {
        server_ = std::make_unique<ServiceServer>(
            [this](const std::string& head) { return service_.Respond(head); }, limits);
        std::string error;
        ASSERT_TRUE(server_->Listen("127.0.0.1", 0, &error)) << error;
    }
    void Run() {
        runner_ = std::thread([this] { server_->Run(); });
    }
    void Start(ServerLimits limits) {
        Listen(limits);
        Run();
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
    ServerLimits limits;
    limits.headTimeout = std::chrono::seconds(1);
    Start(limits);
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

TEST_F(ServiceServerTest, ANewClientTakesTheSlotOfTheOldestUnfinishedHead) {
    ServerLimits limits;
    limits.maxClients = 2;
    Start(limits);
    const std::string request = Request("490139200000001");
    const UniqueFd oldest = Connect(request.substr(0, 10));
    const UniqueFd slow = Connect(request.substr(0, 10));
    EXPECT_EQ(StatusLine(Exchange(request)), "HTTP/1.0 200 OK");
    EXPECT_EQ(Receive(oldest), "");  // closed to make room, before any 408
    EXPECT_TRUE(test::SendAll(slow.Get(), request.substr(10)));
    EXPECT_EQ(StatusLine(Receive(slow)), "HTTP/1.0 200 OK");
}

// Clients that connected while the server was busy are all in its queue at
// once; none of them is slow, so none is closed to make room.
TEST_F(ServiceServerTest, ABurstOfMoreClientsThanSlotsIsAnsweredWhole) {
    ServerLimits limits;
    limits.maxClients = 4;
    Listen(limits);
    std::vector<UniqueFd> burst;
    for (int i = 0; i < 12; ++i) burst.push_back(Connect(Request("490139200000001")));
    Run();
    for (UniqueFd& client : burst) {
        EXPECT_EQ(StatusLine(Receive(client)), "HTTP/1.0 200 OK");
        client.Reset();  // frees its slot for the next
    }
}

}  // namespace
}  // namespace quorvel
