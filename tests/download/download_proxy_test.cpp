// The proxy path through a real HTTP proxy (tinyproxy), which CTest starts on
// a loopback port before these tests and ends after them; its port and log
// are in the folder "tinyproxy" of the test's working folder.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "download/network_download_fixture.h"
#include "support/script_server.h"
#include "support/test_files.h"

namespace quorvel {
namespace {

using namespace test;
using Events = std::vector<std::string>;

std::string ReadFile(const char* path) { return ReadTestFile(path).value_or(""); }

class RealProxy : public NetworkDownload {
protected:
    void SetUp() override {
        NetworkDownload::SetUp();
        proxyPort_ = std::atoi(ReadFile("tinyproxy/port").c_str());
        ASSERT_GT(proxyPort_, 0) << "no tinyproxy: run the tests through ctest, whose fixture "
                                    "starts it";
    }

    C1& MakeViaProxy() {
        C1& download = Make();
        download.ProxyUsed(true);
        download.ProxyAddress("127.0.0.1");
        download.ProxyPort(proxyPort_);
        return download;
    }

    // Whether the proxy's log holds line, waiting a little for it to be written.
    bool LogHolds(const std::string& line) {
        for (int i = 0; i < 40; ++i) {
            if (ReadFile("tinyproxy/tinyproxy.log").find(line) != std::string::npos) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        }
        return false;
    }

    int proxyPort_ = 0;
};

TEST_F(RealProxy, ForwardsTheDownloadAndReceivesTheAbsoluteUrl) {
    ScriptServer origin({{ReadRequest(), Send(Ok("Content-Length: 7\r\n", "proxied"))}});
    const std::string url = origin.Base() + "/through-the-proxy?s=1";
    MakeViaProxy().FetchURLString(url);
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(log_.Merged(),
              Events({"Connected 0", "QuerySent 0", "Body proxied 0", "Disconnected 0"}));
    EXPECT_TRUE(LogHolds("): GET " + url + " HTTP/1.0")) << "the request line the proxy received";
    // The proxy asked the origin for the path alone.
    const std::string forwarded = RequestLine(origin.Requests().at(0));
    EXPECT_EQ(forwarded.substr(0, forwarded.find(" HTTP/")), "GET /through-the-proxy?s=1");
}

TEST_F(RealProxy, AHostTheProxyCannotReachIsAReplyNotAccepted) {
    const std::string url = "http://127.0.0.1:" + std::to_string(UnusedLoopbackPort()) + "/";
    MakeViaProxy().FetchURLString(url);
    ASSERT_TRUE(RunToEnd());
    ASSERT_GE(log_.events.size(), 3u);
    EXPECT_EQ(log_.events[2], "DownloadFailed 4 0");
}

}  // namespace
}  // namespace quorvel
