// The quorvel-service program as the end-to-end tests start it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "main/page_reduction.h"
#include "tools/service/child_process_posix.h"
#include "tools/service/loopback_client_posix.h"

namespace quorvel {
namespace {

using testing::AnalysisTarget;
using testing::Body;
using testing::Exchange;
using testing::QuorvelRequest;
using testing::RunningChild;
using testing::RunToEnd;

constexpr const char* kListeningPrefix = "listening on 127.0.0.1:";

// The port named by the first line, or 0.
int ListeningPort(const std::string& firstLine) {
    if (firstLine.rfind(kListeningPrefix, 0) != 0) return 0;
    return std::atoi(firstLine.c_str() + std::string(kListeningPrefix).size());
}

TEST(QuorvelService, ServesTheRepositoryHandsetListUntilTerminated) {
    RunningChild service(QUORVEL_SERVICE_EXE, {"--port", "0"});
    const int port = ListeningPort(service.firstLine());
    ASSERT_GT(port, 0) << service.firstLine();

    // A handset of data/tacdb.csv.
    const ReducedPage apple =
        ReducePage(Body(Exchange(port, QuorvelRequest(AnalysisTarget("011948000000007")))));
    EXPECT_EQ(apple.manufacturer, "Apple");
    EXPECT_EQ(apple.modelType, "iPhone 3GS");

    EXPECT_EQ(service.Terminate(), 0);
}

TEST(QuorvelService, AsksForALoginWhenToldTo) {
    RunningChild service(QUORVEL_SERVICE_EXE, {"--require-login", "--port", "0"});
    const int port = ListeningPort(service.firstLine());
    ASSERT_GT(port, 0) << service.firstLine();
    EXPECT_TRUE(ReducePage(Body(Exchange(port, QuorvelRequest(AnalysisTarget("490139200000001")))))
                    .loginRequired);
    EXPECT_EQ(service.Terminate(), 0);
}

TEST(QuorvelService, ExplainsWhyItCannotStart) {
    const std::string broken = ::testing::TempDir() + "service-broken.csv";
    std::ofstream(broken, std::ios::binary) << "notice\ntac,name,name,aka\n\"49013920,Nokia,\n";
    const std::string folder = ::testing::TempDir();
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string message;
    } cases[] = {
        {{"--data", "/nonexistent/tacdb.csv"}, 1, "cannot read /nonexistent/tacdb.csv"},
        {{"--data", folder, "--port", "0"}, 1, "cannot read " + folder},
        {{"--data", broken, "--port", "0"}, 1, "line 3: a quoted field is not closed"},
        {{"--quiet"}, 2, "unknown option: --quiet"},
    };
    for (const auto& c : cases) {
        const testing::Finished finished = RunToEnd(QUORVEL_SERVICE_EXE, c.args);
        EXPECT_EQ(finished.exitCode, c.exitCode) << c.message;
        EXPECT_NE(finished.output.find(c.message), std::string::npos) << finished.output;
    }
}

TEST(QuorvelService, HelpNamesEveryOption) {
    const testing::Finished finished = RunToEnd(QUORVEL_SERVICE_EXE, {"--help"});
    EXPECT_EQ(finished.exitCode, 0);
    for (const char* option : {"--port", "--bind", "--data", "--require-login", "--help"}) {
        EXPECT_NE(finished.output.find(option), std::string::npos) << option;
    }
}

}  // namespace
}  // namespace quorvel
