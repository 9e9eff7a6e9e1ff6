#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "service/http_message.h"
#include "service/service_options.h"
#include "shared/text.h"

namespace quorvel {
namespace {

TEST(ScanRequestHead, FindsTheBlankLineWithinTheLimit) {
    const struct {
        const char* name;
        std::string received;
        std::size_t limit;
        HeadScan scan;
        std::size_t headLength;  // 0: left as it was
    } cases[] = {
        {"CR LF head", "GET / HTTP/1.0\r\nHost: a\r\n\r\n", 100, HeadScan::kComplete, 27},
        {"bare LF head", "GET / HTTP/1.0\nHost: a\n\n", 100, HeadScan::kComplete, 24},
        {"bytes after the head", "GET / HTTP/1.0\r\n\r\nbody", 100, HeadScan::kComplete, 18},
        {"head not yet ended", "GET / HTTP/1.0\r\nHost: a\r\n", 100, HeadScan::kIncomplete, 0},
        {"lone CRs end nothing", "GET / HTTP/1.0\r\r\r\r", 100, HeadScan::kIncomplete, 0},
        {"head exactly at the limit", "GET / HTTP/1.0\r\n\r\n", 18, HeadScan::kComplete, 18},
        {"blank line one byte past the limit", "GET / HTTP/1.0\r\n\r\n", 17, HeadScan::kTooLarge,
         0},
        {"long line without end", std::string(40, 'A'), 32, HeadScan::kTooLarge, 0},
        {"nothing yet", "", 32, HeadScan::kIncomplete, 0},
        {"control byte in the request line", "GET /\x01", 32, HeadScan::kMalformed, 0},
        {"escape in the request line", "\x1B[A", 32, HeadScan::kMalformed, 0},
        {"NUL in a header", std::string("GET / HTTP/1.0\r\nA: \0", 20), 32, HeadScan::kMalformed,
         0},
        {"tab in a header", "GET / HTTP/1.0\r\nA:\tb\r\n", 32, HeadScan::kIncomplete, 0},
    };
    for (const auto& c : cases) {
        std::size_t headLength = 0;
        EXPECT_EQ(ScanRequestHead(c.received, c.limit, &headLength), c.scan) << c.name;
        EXPECT_EQ(headLength, c.headLength) << c.name;
    }
}

TEST(ParseRequestHead, ReadsPathsAndAbsoluteUrls) {
    const struct {
        const char* name;
        std::string head;
        const char* method;
        const char* path;
        const char* query;
    } cases[] = {
        {"path", "GET /index.php?goto=imei HTTP/1.0\r\nHost: h\r\n\r\n", "GET", "/index.php",
         "goto=imei"},
        {"absolute URL", "GET http://imei.example/index.php?s=1 HTTP/1.0\r\n\r\n", "GET",
         "/index.php", "s=1"},
        {"scheme in capitals", "GET HTTP://host/x HTTP/1.0\r\n\r\n", "GET", "/x", ""},
        {"absolute URL without a path", "GET http://host HTTP/1.0\r\n\r\n", "GET", "", ""},
        {"query right after the host", "GET http://host?q=1 HTTP/1.0\r\n\r\n", "GET", "", "q=1"},
        {"fragment dropped", "GET /p?q=1#frag HTTP/1.0\r\n\r\n", "GET", "/p", "q=1"},
        {"bare LF lines", "POST /p HTTP/1.0\nA: b\n\n", "POST", "/p", ""},
        {"blank line before the request line", "\r\nGET /p HTTP/1.0\r\n\r\n", "GET", "/p", ""},
        {"folded header line", "GET /p HTTP/1.0\r\nA: b\r\n  c\r\n\r\n", "GET", "/p", ""},
    };
    for (const auto& c : cases) {
        const std::optional<RequestLine> parsed = ParseRequestHead(c.head);
        ASSERT_TRUE(parsed) << c.name;
        EXPECT_EQ(parsed->method, c.method) << c.name;
        EXPECT_EQ(parsed->path, c.path) << c.name;
        EXPECT_EQ(parsed->query, c.query) << c.name;
    }
}

TEST(ParseRequestHead, RefusesMalformedHeads) {
    const struct {
        const char* name;
        std::string head;
    } cases[] = {
        {"empty", ""},
        {"only blank lines", "\r\n\r\n"},
        {"garbage", "hello there\r\n\r\n"},
        {"no version", "GET /index.php\r\n\r\n"},
        {"bad version", "GET / HTTP/1\r\n\r\n"},
        {"two blanks", "GET  / HTTP/1.0\r\n\r\n"},
        {"relative target", "GET index.php HTTP/1.0\r\n\r\n"},
        {"other scheme", "GET https://host/index.php HTTP/1.0\r\n\r\n"},
        {"no host", "GET http:///index.php HTTP/1.0\r\n\r\n"},
        {"port without host", "GET http://:80/index.php HTTP/1.0\r\n\r\n"},
        {"method with separators", "GE(T / HTTP/1.0\r\n\r\n"},
        {"header without colon", "GET / HTTP/1.0\r\nHost h\r\n\r\n"},
        {"header name with a blank", "GET / HTTP/1.0\r\nHost : h\r\n\r\n"},
        {"folded first header", "GET / HTTP/1.0\r\n A: b\r\n\r\n"},
        {"control in the target", "GET /\x01 HTTP/1.0\r\n\r\n"},
    };
    for (const auto& c : cases) EXPECT_FALSE(ParseRequestHead(c.head)) << c.name;
}

TEST(QueryValue, FindsTheFirstPairAndDecodesEscapes) {
    const struct {
        const char* query;
        const char* name;
        std::optional<std::string> value;
    } cases[] = {
        {"goto=imei&action=analyse&s=1", "action", "analyse"},
        {"s=1&s=2", "s", "1"},
        {"s=35%36%37", "s", "3567"},
        {"%73=9", "s", "9"},
        {"a=1&s", "s", ""},
        {"s=1%2", "s", std::nullopt},
        {"ss=1&xs=2", "s", std::nullopt},
        {"", "s", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(QueryValue(c.query, c.name), c.value) << c.query << " " << c.name;
    }
}

TEST(FormatReply, AnnouncesTheBodyAndClosesAfterIt) {
    EXPECT_EQ(FormatReply(200, "<p>\xE9</p>"),
              "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: 8\r\n"
              "Connection: close\r\n\r\n<p>\xE9</p>");
    EXPECT_EQ(ErrorReply(405).rfind("HTTP/1.0 405 Method Not Allowed\r\nAllow: GET\r\n", 0), 0u);
}

TEST(ParseServiceOptions, EveryOptionAndBadArguments) {
    std::string error;
    const std::optional<ServiceOptions> defaults = ParseServiceOptions({}, &error);
    ASSERT_TRUE(defaults);
    EXPECT_EQ(defaults->bindAddress + ":" + std::to_string(defaults->port), "127.0.0.1:8047");
    EXPECT_TRUE(defaults->dataFile.empty() && !defaults->requireLogin && !defaults->help);
    const std::optional<ServiceOptions> all = ParseServiceOptions(
        {"--port", "65535", "--bind", "::1", "--data", "t.csv", "--require-login", "--help"},
        &error);
    ASSERT_TRUE(all) << error;
    EXPECT_EQ(all->bindAddress + " " + std::to_string(all->port) + " " + all->dataFile,
              "::1 65535 t.csv");
    EXPECT_TRUE(all->requireLogin && all->help);
    const std::pair<const char*, const char*> cases[] = {
        {"--port", "--port needs a value"},
        {"--data ", "--data needs a value"},
        {"--bind", "--bind needs a value"},
        {"--port 65536", "not a port number from 0 to 65535: 65536"},
        {"--port -1", "not a port number from 0 to 65535: -1"},
        {"--port 80a", "not a port number from 0 to 65535: 80a"},
        {"--port 99999999999999999999", "not a port number from 0 to 65535: 99999999999999999999"},
        {"8047", "unknown option: 8047"},
    };
    for (const auto& [args, message] : cases) {
        EXPECT_FALSE(ParseServiceOptions(SplitText(args, " "), &error)) << args;
        EXPECT_EQ(error, message);
    }
}

}  // namespace
}  // namespace quorvel
