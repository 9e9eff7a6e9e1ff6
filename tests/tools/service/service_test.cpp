// quorvel-service's answers, and its server's rules for clients, on 127.0.0.1.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/time.h>

#include <thread>

#include "main/page_reduction.h"
#include "service/analysis_service.h"
#include "service/service_server_posix.h"
#include "shared/unique_fd_posix.h"
#include "tacdb_csv.h"

namespace quorvel {
namespace {

using namespace std::chrono_literals;

// The odd values a handset list can hold: "&" and a tab, a model over two
// lines, tag brackets, an empty model, UTF-8 letters, ": " in the alias.
const char* const kList =
    "notice\r\ntac,name,name,aka\r\n49013920,Nokia,1610,\"1610+,1611\"\r\n"
    "35000001,Bang & Olufsen,BeoCOM\t950,\"Lumia 535\tDual,RM-1089\"\r\n"
    "35000002,Two,\"line\r\nmodel\",\r\n35000003,Tags,<b>bold</b>,\r\n35000004,Empty "
    "model,,RM-1\r\n"
    "35000005,M&N L\xC3\xB6sungen,X\xE2\x84\xA2 \xE4\xB8\xAD,DE: D1-988\r\n";

std::string Request(const std::string& imei, const std::string& method = "GET") {
    return method + " /index.php?goto=imei&action=analyse&s=" + imei +
           " HTTP/1.0\r\nAccept: */*\r\nHost: 127.0.0.1\r\nPragma: no-cache\r\n\r\n";
}
std::string StatusLine(const std::string& reply) { return reply.substr(0, reply.find("\r\n")); }
std::string Lines(const std::string& reply) {
    return ReducePage(reply.substr(reply.find("\r\n\r\n") + 4)).lines;
}

TEST(AnalysisService, AnswersWithTheHandsetOrItsErrorStatus) {
    const AnalysisService service(HandsetDirectory(ReadTacDatabase(kList)), false);
    const std::pair<std::string, std::string> cases[] = {
        {Request("490139200000001"),
         "Manufacturer: Nokia\r\nModel type: 1610\r\nReference: 1610+\r\nApproval body: RegTP, "
         "Germany (Regulierungsbehoerde F\xFCr Telekommunikation und Post)\r\nCheck digit: 1 "
         "(correct)\r\nCountry of handset approval: DE\r\n"},
        {Request("860000000000000"),
         "Manufacturer: N/A\r\nModel type: N/A\r\nReference: N/A\r\n"
         "Approval body: N/A\r\nCheck digit: 0 (wrong, should be 9)\r\n"
         "Country of handset approval: N/A\r\n"},
        {Request("350000010000000"),
         "Manufacturer: Bang & Olufsen\r\nModel type: BeoCOM 950\r\n"
         "Reference: Lumia 535 Dual\r\n"},
        {Request("350000020000000"), "Model type: line model\r\nReference: N/A\r\n"},
        {Request("350000030000000"), "Model type: &lt;b&gt;bold&lt;/b&gt;\r\n"},
        {Request("350000040000000"), "Model type: N/A\r\nReference: RM-1\r\n"},
        {Request("350000050000000"),
         "M&N L\xF6sungen\r\nModel type: X\x99 ?\r\nReference: DE: D1-988"},
        {"GET http://imei.example/index.php?goto=imei&action=analyse&s=450000000000000 "
         "HTTP/1.0\r\n\r\n",
         "Country of handset approval: DK\r\n"},
        {"hello\r\n\r\n", "HTTP/1.0 400 Bad Request"},
        {Request("49013920000000"), "HTTP/1.0 400 Bad Request"},
        {Request("49013920000000A"), "HTTP/1.0 400 Bad Request"},
        {Request("49013920000000%"), "HTTP/1.0 400 Bad Request"},
        {"GET /index.php?goto=news HTTP/1.0\r\n\r\n", "HTTP/1.0 404 Not Found"},
        {"GET /index.php?goto=imei&action=list&s=1 HTTP/1.0\r\n\r\n", "HTTP/1.0 404 Not Found"},
        {Request("490139200000001", "POST"), "HTTP/1.0 405 Method Not Allowed"},
    };
    for (const auto& [request, expected] : cases) {
        const std::string reply = service.Respond(request);
        const std::string shown =
            StatusLine(reply) == "HTTP/1.0 200 OK" ? Lines(reply) : StatusLine(reply);
        EXPECT_NE(shown.find(expected), std::string::npos) << request << shown;
    }
    const std::string login = AnalysisService(HandsetDirectory(ReadTacDatabase(kList)), true)
                                  .Respond(Request("490139200000001"));
    EXPECT_TRUE(ReducePage(login.substr(login.find("\r\n\r\n") + 4)).loginRequired);
    EXPECT_EQ(login.find("Nokia"), std::string::npos);
}

class ServiceServerTest : public ::testing::Test {
protected:
    void Start(ServerLimits limits) {
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
        UniqueFd socket(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(server_->port()));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        const timeval bound{10, 0};  // a server that hangs fails the test
        setsockopt(socket.Get(), SOL_SOCKET, SO_RCVTIMEO, &bound, sizeof bound);
        EXPECT_EQ(connect(socket.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        EXPECT_EQ(send(socket.Get(), text.data(), text.size(), MSG_NOSIGNAL), ssize_t(text.size()));
        return socket;
    }
    static std::string Receive(const UniqueFd& socket) {
        std::string received;
        char block[4096];
        for (ssize_t count; (count = recv(socket.Get(), block, sizeof block, 0)) > 0;)
            received.append(block, static_cast<std::size_t>(count));
        return received;
    }
    std::string Exchange(const std::string& request) const { return Receive(Connect(request)); }

    AnalysisService service_{HandsetDirectory(ReadTacDatabase(kList)), false};
    std::unique_ptr<ServiceServer> server_;
    std::thread runner_;
};

TEST_F(ServiceServerTest, UnreadableHeadsGet400AndSilentOrSlowClientsHoldUpNoOne) {
    Start({});
    const UniqueFd silent = Connect(), halfHead = Connect("GET /index.php?goto=imei");
    const std::string cases[] = {std::string("\x16\x03\x01\x02\x00\x01", 6),
                                 "GET /" + std::string(20000, 'a') + " HTTP/1.0\r\n\r\n",
                                 std::string(1 << 20, 'A')};
    for (const std::string& request : cases)
        EXPECT_EQ(StatusLine(Exchange(request)), "HTTP/1.0 400 Bad Request");
    const UniqueFd cut = Connect("GET /index.php?goto=imei HTTP/1.0\r\n");
    shutdown(cut.Get(), SHUT_WR);
    EXPECT_EQ(StatusLine(Receive(cut)), "HTTP/1.0 400 Bad Request");
}

TEST_F(ServiceServerTest, ASilentClientIsClosedAnUnfinishedHeadGets408) {
    ServerLimits limits;
    limits.headTimeout = 300ms;
    Start(limits);
    const UniqueFd silent = Connect(), unfinished = Connect("GET /index.php HTTP/1.0\r\n");
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
    EXPECT_EQ(send(slow.Get(), request.data() + 10, request.size() - 10, MSG_NOSIGNAL),
              ssize_t(request.size() - 10));
    EXPECT_EQ(StatusLine(Receive(slow)), "HTTP/1.0 200 OK");
}

}  // namespace
}  // namespace quorvel
