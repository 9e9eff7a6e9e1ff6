#include <gtest/gtest.h>
#include <sys/socket.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "main/page_reduction.h"
#include "service/analysis_service.h"
#include "service/service_server_posix.h"
#include "tools/service/loopback_client_posix.h"
#include "tools/service/service_fixture.h"

namespace quorvel {
namespace {

using namespace std::chrono_literals;
using testing::AnalysisTarget;
using testing::Body;
using testing::ConnectLoopback;
using testing::Exchange;
using testing::QuorvelRequest;
using testing::ReceiveAll;
using testing::SendAll;
using testing::StatusLine;

constexpr const char* kKnownImei = "490139200000001";

// Starts a server on a free loopback port for each test, and at the end
// checks that it still answers before stopping it.
class ServiceServerTest : public ::testing::Test {
protected:
    virtual ServerLimits Limits() const { return ServerLimits{}; }

    void SetUp() override {
        service_ = std::make_unique<AnalysisService>(testing::FixtureDirectory(), false);
        server_ = std::make_unique<ServiceServer>(
            [this](const std::string& head) { return service_->Respond(head); }, Limits());
        std::string error;
        ASSERT_TRUE(server_->Listen("127.0.0.1", 0, &error)) << error;
        port_ = server_->port();
        runner_ = std::thread([this] { server_->Run(); });
    }

    void TearDown() override {
        if (!runner_.joinable()) return;
        EXPECT_EQ(Analysis(kKnownImei).modelType, "1610") << "the server stopped serving";
        server_->Stop();
        runner_.join();
    }

    ReducedPage Analysis(const std::string& imei) const {
        const std::string reply = Exchange(port_, QuorvelRequest(AnalysisTarget(imei)));
        EXPECT_EQ(StatusLine(reply), "HTTP/1.0 200 OK");
        return ReducePage(Body(reply));
    }

    int port_ = 0;

private:
    std::unique_ptr<AnalysisService> service_;
    std::unique_ptr<ServiceServer> server_;
    std::thread runner_;
};

// The service answers the heads it gets; the server answers those it cannot read.
TEST_F(ServiceServerTest, UnreadableHeadsGet400) {
    const std::pair<const char*, std::string> cases[] = {
        {"TLS hello without line ends", std::string("\x16\x03\x01\x02\x00\x01", 6)},
        {"head beyond the size bound", "GET /" + std::string(20000, 'a') + " HTTP/1.0\r\n\r\n"},
        {"a megabyte without a line end", std::string(1 << 20, 'A')},
    };
    for (const auto& [name, request] : cases)
        EXPECT_EQ(StatusLine(Exchange(port_, request)), "HTTP/1.0 400 Bad Request") << name;
}

TEST_F(ServiceServerTest, HeadCutShortByTheClientGets400) {
    const UniqueFd socket = ConnectLoopback(port_);
    ASSERT_TRUE(SendAll(socket, "GET /index.php?goto=imei HTTP/1.0\r\n"));
    shutdown(socket.Get(), SHUT_WR);
    EXPECT_EQ(StatusLine(ReceiveAll(socket)), "HTTP/1.0 400 Bad Request");
}

TEST_F(ServiceServerTest, FiftyClientsAtOnceEachGetTheirOwnPage) {
    constexpr std::size_t kClients = 50;
    std::vector<UniqueFd> sockets;
    for (std::size_t i = 0; i < kClients; ++i) sockets.push_back(ConnectLoopback(port_));
    std::vector<std::string> imeis;
    for (std::size_t i = 0; i < kClients; ++i) {
        const std::string serial = std::to_string(100000 + i);
        imeis.push_back("49013920" + serial + "0");
        ASSERT_TRUE(SendAll(sockets[i], QuorvelRequest(AnalysisTarget(imeis.back()))));
    }
    // Read in reverse order: the last client is not kept waiting by the first.
    for (std::size_t i = kClients; i-- > 0;) {
        const std::string reply = ReceiveAll(sockets[i]);
        EXPECT_EQ(StatusLine(reply), "HTTP/1.0 200 OK") << i;
        EXPECT_NE(reply.find("<p>IMEI " + imeis[i] + "</p>"), std::string::npos) << i;
        EXPECT_EQ(ReducePage(Body(reply)).modelType, "1610") << i;
    }
}

TEST_F(ServiceServerTest, SilentAndSlowClientsDoNotHoldUpOthers) {
    const UniqueFd silent = ConnectLoopback(port_);
    const UniqueFd halfHead = ConnectLoopback(port_);
    ASSERT_TRUE(SendAll(halfHead, "GET /index.php?goto=imei&action=analyse&s=4901"));
    EXPECT_EQ(Analysis(kKnownImei).manufacturer, "Nokia");

    // The slow client's head, sent a few bytes at a time, is served whole.
    const std::string request = QuorvelRequest(AnalysisTarget(kKnownImei));
    const UniqueFd slow = ConnectLoopback(port_);
    for (std::size_t at = 0; at < request.size(); at += 7) {
        ASSERT_TRUE(SendAll(slow, request.substr(at, 7)));
        std::this_thread::sleep_for(1ms);
    }
    EXPECT_EQ(ReducePage(Body(ReceiveAll(slow))).reference, "1610+");
}

TEST_F(ServiceServerTest, ClientsThatLeaveEarlyAreDropped) {
    { const UniqueFd connectedOnly = ConnectLoopback(port_); }
    {
        // Sends a request and closes without reading: the reply meets a
        // closed connection.
        const UniqueFd socket = ConnectLoopback(port_);
        ASSERT_TRUE(SendAll(socket, QuorvelRequest(AnalysisTarget(kKnownImei)) + "trailing"));
    }
    {
        // Resets the connection half-way through its head.
        const UniqueFd socket = ConnectLoopback(port_);
        const linger reset{1, 0};
        ASSERT_EQ(setsockopt(socket.Get(), SOL_SOCKET, SO_LINGER, &reset, sizeof reset), 0);
        ASSERT_TRUE(SendAll(socket, "GET /index.php"));
    }
}

// Short time limits for the head; the whole exchange may take longer than
// the test client waits.
class ServiceServerTimeoutTest : public ServiceServerTest {
protected:
    ServerLimits Limits() const override {
        ServerLimits limits;
        limits.headTimeout = 500ms;
        limits.exchangeTimeout = 60s;
        limits.lingerTimeout = 500ms;
        return limits;
    }
};

TEST_F(ServiceServerTimeoutTest, SilentClientIsClosedWithoutAReply) {
    const UniqueFd silent = ConnectLoopback(port_);
    EXPECT_EQ(ReceiveAll(silent), "");
}

TEST_F(ServiceServerTimeoutTest, UnfinishedHeadGetsATimeoutReply) {
    const UniqueFd socket = ConnectLoopback(port_);
    ASSERT_TRUE(SendAll(socket, "GET /index.php?goto=imei&action=analyse HTTP/1.0\r\n"));
    EXPECT_EQ(StatusLine(ReceiveAll(socket)), "HTTP/1.0 408 Request Timeout");
}

// Room for two clients only.
class ServiceServerTwoSlotTest : public ServiceServerTest {
protected:
    ServerLimits Limits() const override {
        ServerLimits limits;
        limits.maxClients = 2;
        return limits;
    }
};

TEST_F(ServiceServerTwoSlotTest, ANewClientTakesTheSlotOfTheOldestUnfinishedHead) {
    const std::string request = QuorvelRequest(AnalysisTarget(kKnownImei));
    const UniqueFd oldest = ConnectLoopback(port_);
    const UniqueFd slow = ConnectLoopback(port_);
    ASSERT_TRUE(SendAll(oldest, request.substr(0, 10)));
    ASSERT_TRUE(SendAll(slow, request.substr(0, 10)));
    EXPECT_EQ(Analysis(kKnownImei).modelType, "1610");
    // Closed to make room, before its head deadline could send it a 408.
    char byte = 0;
    EXPECT_LE(recv(oldest.Get(), &byte, 1, 0), 0);
    ASSERT_TRUE(SendAll(slow, request.substr(10)));
    EXPECT_EQ(StatusLine(ReceiveAll(slow)), "HTTP/1.0 200 OK");
}

TEST(ServiceServer, ReportsAnAddressItCannotUse) {
    ServiceServer first([](const std::string&) { return std::string(); });
    std::string error;
    ASSERT_TRUE(first.Listen("127.0.0.1", 0, &error)) << error;
    EXPECT_EQ(first.LocalAddress(), "127.0.0.1:" + std::to_string(first.port()));

    ServiceServer second([](const std::string&) { return std::string(); });
    EXPECT_FALSE(second.Listen("127.0.0.1", first.port(), &error));
    EXPECT_NE(error.find("cannot listen on 127.0.0.1 port " + std::to_string(first.port())),
              std::string::npos)
        << error;
    EXPECT_FALSE(second.Listen("localhost", 0, &error));
    EXPECT_NE(error.find("not a numeric address: localhost"), std::string::npos) << error;
}

}  // namespace
}  // namespace quorvel
