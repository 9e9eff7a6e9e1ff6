// quorvel-cli --online against the analysis service, run in this process on
// 127.0.0.1.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include "cli/cli.h"
#include "imei/handset_database.h"
#include "service/analysis_service.h"
#include "service/service_server_posix.h"
#include "tacdb_csv.h"

namespace quorvel {
namespace {

const char* const kHandsets =
    "notice\r\ntac,name,name,contributor,comment,gsmarena,gsmarena,aka\r\n"
    "35999901,Quorvel Test,Model One,tests,,,,\"QT-1,QT-1b\"\r\n";

class CliOnlineTest : public ::testing::Test {
protected:
    void Serve(bool requireLogin) {
        auto service = std::make_shared<AnalysisService>(
            HandsetDirectory(ReadTacDatabase(kHandsets)), requireLogin);
        server_ = std::make_unique<ServiceServer>(
            [service](const std::string& head) { return service->Respond(head); });
        std::string error;
        ASSERT_TRUE(server_->Listen("127.0.0.1", 0, &error)) << error;
        runner_ = std::thread([this] { server_->Run(); });
    }
    void TearDown() override {
        if (server_) server_->Stop();
        if (runner_.joinable()) runner_.join();
    }

    int Run(std::vector<std::string> arguments) {
        std::string error;
        const std::optional<CliOptions> options = ParseCliArguments(arguments, error);
        EXPECT_TRUE(options) << error;
        if (!options) return -1;
        HandsetIndex sources(std::string(3, '\0'), nullptr);
        std::istringstream in;
        return RunCli(*options, sources, in, out_, err_);
    }

    std::string Service() { return "127.0.0.1:" + std::to_string(server_->port()); }

    std::unique_ptr<ServiceServer> server_;
    std::thread runner_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(CliOnlineTest, AppendsTheOnlineLinesAfterTheLocalResult) {
    Serve(false);
    EXPECT_EQ(Run({"--online", "--service", Service(), "359999010000008"}), 0);
    const std::string out = out_.str();
    EXPECT_NE(out.find("Reference: unknown\nIssued by: BABT, Great Britain (British Approvals "
                       "Board for Telecommunications)\n\n[Information from " +
                       Service() +
                       "]\nManufacturer: Quorvel Test\nModel type: Model One\n"
                       "Reference: QT-1\n"),
              std::string::npos)
        << out;
    const std::string last = "\nCountry of handset approval: GB\n";
    EXPECT_EQ(out.substr(out.size() - last.size()), last);
    EXPECT_EQ(err_.str(), "");
}

TEST_F(CliOnlineTest, TheCorrectedImeiGoesOnlineWithFix) {
    Serve(false);
    EXPECT_EQ(Run({"--online", "--fix", "--service", Service(), "35-999901-000000-1"}), 1);
    EXPECT_NE(out_.str().find("Valid IMEI: 35-999901-000000-8\n"), std::string::npos);
    EXPECT_NE(out_.str().find("Model type: Model One\n"), std::string::npos);
}

TEST_F(CliOnlineTest, LoginPageAndFailuresGoToStandardError) {
    Serve(true);
    EXPECT_EQ(Run({"--online", "--service", Service(), "359999010000008"}), 1);
    EXPECT_EQ(err_.str(),
              "quorvel-cli: Can not access to the database on the server.\n"
              "quorvel-cli: Login is required before you can continue.\n");
    EXPECT_EQ(out_.str().find("Manufacturer: Quorvel"), std::string::npos);

    err_.str("");
    EXPECT_EQ(Run({"--online", "--service", "127.0.0.1:1", "359999010000008"}), 1);
    EXPECT_EQ(err_.str(),
              "quorvel-cli: Error while connecting to the online server.\n"
              "quorvel-cli: Check your Internet connection.\n"
              "quorvel-cli: Error cause: \n"
              "quorvel-cli: <Unable to connect to the host>\n");
}

TEST(CliOnlineArguments, OnlineOptionsAndTheirUsageErrors) {
    std::string error;
    std::optional<CliOptions> options =
        ParseCliArguments({"--online", "--service", "h:1", "--proxy", "p:2", "1"}, error);
    ASSERT_TRUE(options);
    EXPECT_TRUE(options->online);
    EXPECT_EQ(options->onlineOptions.service, "h:1");
    EXPECT_EQ(options->onlineOptions.proxy, "p:2");
    for (const std::vector<std::string>& bad : {std::vector<std::string>{"--online", "--csv"},
                                                {"--service", "h:1"},
                                                {"--proxy", "p:2"},
                                                {"--online", "--service"}}) {
        EXPECT_FALSE(ParseCliArguments(bad, error)) << bad.back();
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
}  // namespace quorvel
