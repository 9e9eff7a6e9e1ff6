#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "service/http_message.h"
#include "service/service_options.h"
#include "shared/text.h"

namespace quorvel {
namespace {

TEST(ScanRequestHead, FindsTheBlankLineWithinTheLimit) {
    const HeadScan complete = HeadScan::kComplete, incomplete = HeadScan::kIncomplete,
                   tooLarge = HeadScan::kTooLarge, malformed = HeadScan::kMalformed;
    const struct {
        std::string received;
        std::size_t limit;
        HeadScan scan;
        std::size_t headLength;  // 0: left as it was
    } cases[] = {
        {"GET / HTTP/1.0\r\nHost: a\r\n\r\n", 100, complete, 27},
        {"GET / HTTP/1.0\nHost: a\n\nbody", 100, complete, 24},
        {"GET / HTTP/1.0\r\nHost: a\r\n", 100, incomplete, 0},
        {"GET / HTTP/1.0\r\r\r\r", 100, incomplete, 0},  // lone CRs end nothing
        {"GET / HTTP/1.0\r\n\r\n", 18, complete, 18},    // exactly at the limit
        {"GET / HTTP/1.0\r\n\r\n", 17, tooLarge, 0},
        {std::string(40, 'A'), 32, tooLarge, 0},
        {"GET /\x01", 32, malformed, 0},
        {std::string("GET / HTTP/1.0\r\nA: \0", 20), 32, malformed, 0},
        {"GET / HTTP/1.0\r\nA:\tb\r\n", 32, incomplete, 0},
    };
    for (const auto& c : cases) {
        std::size_t headLength = 0;
        EXPECT_EQ(ScanRequestHead(c.received, c.limit, &headLength), c.scan) << c.received;
        EXPECT_EQ(headLength, c.headLength) << c.received;
    }
}

// Each head with its "method path ? query".
TEST(ParseRequestHead, ReadsPathsAndAbsoluteUrls) {
    const std::pair<std::string, const char*> cases[] = {
        {"GET /index.php?goto=imei HTTP/1.0\r\nHost: h\r\n\r\n", "GET /index.php ? goto=imei"},
        {"GET http://imei.example/index.php?s=1 HTTP/1.0\r\n\r\n", "GET /index.php ? s=1"},
        {"GET http://host HTTP/1.0\r\n\r\n", "GET  ? "},
        {"GET http://host?q=1 HTTP/1.0\r\n\r\n", "GET  ? q=1"},
        {"GET /p?q=1#frag HTTP/1.0\r\n\r\n", "GET /p ? q=1"},
        {"POST /p HTTP/1.0\nA: b\n\n", "POST /p ? "},
        {"\r\nGET /p HTTP/1.0\r\n\r\n", "GET /p ? "},
        {"GET /p HTTP/1.0\r\nA: b\r\n  c\r\n\r\n", "GET /p ? "},
    };
    for (const auto& [head, expected] : cases) {
        const std::optional<RequestLine> line = ParseRequestHead(head);
        EXPECT_EQ(line ? line->method + " " + line->path + " ? " + line->query : "", expected)
            << head;
    }
}

TEST(ParseRequestHead, RefusesMalformedHeads) {
    for (const char* head :
         {"", "\r\n\r\n", "hello there\r\n\r\n", "GET /index.php\r\n\r\n", "GET / HTTP/1\r\n\r\n",
          "GET  / HTTP/1.0\r\n\r\n", "GET index.php HTTP/1.0\r\n\r\n",
          "GET https://host/index.php HTTP/1.0\r\n\r\n", "GET http:///index.php HTTP/1.0\r\n\r\n",
          "GET http://:80/index.php HTTP/1.0\r\n\r\n", "GE(T / HTTP/1.0\r\n\r\n",
          "GET / HTTP/1.0\r\nHost h\r\n\r\n", "GET / HTTP/1.0\r\nHost : h\r\n\r\n",
          "GET / HTTP/1.0\r\n A: b\r\n\r\n", "GET /\x01 HTTP/1.0\r\n\r\n"}) {
        EXPECT_FALSE(ParseRequestHead(head)) << head;
    }
}

// Each command line with what it gives: "bind port data login help version",
// or the error.
TEST(ParseServiceOptions, EveryOptionAndBadArguments) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "127.0.0.1 8047  0 0 0"},
        {"--port 65535 --bind ::1 --data t.csv --require-login --help --version",
         "::1 65535 t.csv 1 1 1"},
        {"--port", "--port needs a value"},
        {"--port 65536", "not a port number from 0 to 65535: 65536"},
        {"--port 99999999999999999999", "not a port number from 0 to 65535: 99999999999999999999"},
        {"8047", "unknown option: 8047"},
    };
    for (const auto& [args, expected] : cases) {
        std::string error;
        const auto o =
            ParseServiceOptions(*args ? SplitText(args, " ") : std::vector<std::string>(), &error);
        EXPECT_EQ(o ? o->bindAddress + " " + std::to_string(o->port) + " " + o->dataFile + " " +
                          std::to_string(o->requireLogin) + " " + std::to_string(o->help) + " " +
                          std::to_string(o->version)
                    : error,
                  expected)
            << args;
    }
}

}  // namespace
}  // namespace quorvel
