#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "service/service_options.h"

namespace quorvel {
namespace {

TEST(ParseServiceOptions, ReadsEveryOption) {
    std::string error;
    const std::optional<ServiceOptions> defaults = ParseServiceOptions({}, &error);
    ASSERT_TRUE(defaults);
    EXPECT_EQ(defaults->bindAddress, "127.0.0.1");
    EXPECT_EQ(defaults->port, 8047);
    EXPECT_EQ(defaults->dataFile, "");
    EXPECT_FALSE(defaults->requireLogin);
    EXPECT_FALSE(defaults->help);

    const std::optional<ServiceOptions> all = ParseServiceOptions(
        {"--port", "0", "--bind", "::1", "--data", "/tmp/t.csv", "--require-login", "--help"},
        &error);
    ASSERT_TRUE(all) << error;
    EXPECT_EQ(all->port, 0);
    EXPECT_EQ(all->bindAddress, "::1");
    EXPECT_EQ(all->dataFile, "/tmp/t.csv");
    EXPECT_TRUE(all->requireLogin);
    EXPECT_TRUE(all->help);

    const std::optional<ServiceOptions> highest = ParseServiceOptions({"--port", "65535"}, &error);
    ASSERT_TRUE(highest);
    EXPECT_EQ(highest->port, 65535);
}

TEST(ParseServiceOptions, RefusesBadArguments) {
    const struct {
        std::vector<std::string> args;
        const char* error;
    } cases[] = {
        {{"--port"}, "--port needs a value"},
        {{"--data", ""}, "--data needs a value"},
        {{"--bind"}, "--bind needs a value"},
        {{"--port", "65536"}, "not a port number from 0 to 65535: 65536"},
        {{"--port", "-1"}, "not a port number from 0 to 65535: -1"},
        {{"--port", "80a"}, "not a port number from 0 to 65535: 80a"},
        {{"--port", "99999999999999999999"},
         "not a port number from 0 to 65535: 99999999999999999999"},
        {{"--verbose"}, "unknown option: --verbose"},
        {{"8047"}, "unknown option: 8047"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(ParseServiceOptions(c.args, &error)) << c.error;
        EXPECT_EQ(error, c.error);
    }
}

}  // namespace
}  // namespace quorvel
