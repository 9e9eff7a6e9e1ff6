#include "service/http_message.h"

#include <algorithm>
#include <vector>

#include "service/analysis_page.h"
#include "shared/text.h"

namespace quorvel {
namespace {

// Splits the head into its lines, each without its CR LF or LF; the blank
// line that ends the head is dropped, and so are blank lines before the
// request line.
std::vector<std::string> HeadLines(const std::string& head) {
    std::vector<std::string> lines;
    std::string::size_type at = 0;
    while (at < head.size()) {
        std::string::size_type end = head.find('\n', at);
        if (end == std::string::npos) end = head.size();
        std::string line = head.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        at = end + 1;
        if (line.empty()) {
            if (lines.empty()) continue;
            break;
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

bool IsTokenText(const std::string& text) {
    static const std::string kSeparators = "()<>@,;:\\\"/[]?={} \t";
    return !text.empty() && std::none_of(text.begin(), text.end(), [](char c) {
        return IsAsciiControl(c) || static_cast<unsigned char>(c) >= 0x80 ||
               kSeparators.find(c) != std::string::npos;
    });
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsVersion(const std::string& text) {
    return text.size() == 8 && text.compare(0, 5, "HTTP/") == 0 && IsDigit(text[5]) &&
           text[6] == '.' && IsDigit(text[7]);
}

bool IsHeaderLine(const std::string& line) {
    // A line that starts with a blank continues the previous header.
    if (line[0] == ' ' || line[0] == '\t') return true;
    const std::string::size_type colon = line.find(':');
    return colon != std::string::npos && IsTokenText(line.substr(0, colon));
}

// Splits a request target into path and query; nothing for a target that is
// neither a path nor an absolute http URL with a host.
std::optional<RequestLine> SplitTarget(const std::string& target) {
    std::string rest = target.substr(0, target.find('#'));
    if (rest.empty()) return std::nullopt;
    if (rest[0] != '/') {
        const std::string::size_type schemeEnd = rest.find("://");
        if (schemeEnd == std::string::npos || AsciiLower(rest.substr(0, schemeEnd)) != "http") {
            return std::nullopt;
        }
        const std::string::size_type hostStart = schemeEnd + 3;
        const std::string::size_type hostEnd =
            std::min(rest.find('/', hostStart), rest.find('?', hostStart));
        const std::string host = rest.substr(hostStart, hostEnd - hostStart);
        if (host.empty() || host[0] == ':') return std::nullopt;
        rest = hostEnd == std::string::npos ? std::string() : rest.substr(hostEnd);
    }
    RequestLine line;
    const std::string::size_type question = rest.find('?');
    line.path = rest.substr(0, question);
    if (question != std::string::npos) line.query = rest.substr(question + 1);
    return line;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<std::string> PercentDecoded(const std::string& text) {
    std::string decoded;
    for (std::string::size_type i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            decoded.push_back(text[i]);
            continue;
        }
        if (i + 2 >= text.size()) return std::nullopt;
        const int high = HexValue(text[i + 1]);
        const int low = HexValue(text[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        decoded.push_back(static_cast<char>(high * 16 + low));
        i += 2;
    }
    return decoded;
}

}  // namespace

HeadScan ScanRequestHead(const std::string& received, std::size_t limit, std::size_t* headLength) {
    const std::string::size_type searched = std::min(received.size(), limit);
    const std::string::size_type requestLineEnd = std::min(received.find('\n'), searched);
    for (std::string::size_type at = 0; at < searched; ++at) {
        const char c = received[at];
        if (c == '\0' || (at < requestLineEnd && IsAsciiControl(c) && c != '\r')) {
            return HeadScan::kMalformed;
        }
    }
    for (std::string::size_type at = received.find('\n'); at != std::string::npos && at < searched;
         at = received.find('\n', at + 1)) {
        // A blank line follows this line end: LF or CR LF.
        std::string::size_type next = at + 1;
        if (next < searched && received[next] == '\r') ++next;
        if (next < searched && received[next] == '\n') {
            *headLength = next + 1;
            return HeadScan::kComplete;
        }
    }
    return received.size() >= limit ? HeadScan::kTooLarge : HeadScan::kIncomplete;
}

std::optional<RequestLine> ParseRequestHead(const std::string& head) {
    if (head.find('\0') != std::string::npos) return std::nullopt;
    const std::vector<std::string> lines = HeadLines(head);
    if (lines.empty()) return std::nullopt;

    const std::string& requestLine = lines[0];
    const std::string::size_type firstSpace = requestLine.find(' ');
    const std::string::size_type lastSpace = requestLine.rfind(' ');
    if (firstSpace == std::string::npos || firstSpace == lastSpace) return std::nullopt;
    const std::string method = requestLine.substr(0, firstSpace);
    const std::string target = requestLine.substr(firstSpace + 1, lastSpace - firstSpace - 1);
    if (!IsTokenText(method) || !IsVersion(requestLine.substr(lastSpace + 1))) return std::nullopt;
    if (target.empty() || std::any_of(target.begin(), target.end(),
                                      [](char c) { return IsAsciiControl(c) || c == ' '; })) {
        return std::nullopt;
    }
    if (!std::all_of(lines.begin() + 1, lines.end(), IsHeaderLine) ||
        (lines.size() > 1 && (lines[1][0] == ' ' || lines[1][0] == '\t'))) {
        return std::nullopt;
    }
    std::optional<RequestLine> parsed = SplitTarget(target);
    if (parsed) parsed->method = method;
    return parsed;
}

std::optional<std::string> QueryValue(const std::string& query, const std::string& name) {
    std::string::size_type at = 0;
    while (at <= query.size()) {
        std::string::size_type end = query.find('&', at);
        if (end == std::string::npos) end = query.size();
        const std::string pair = query.substr(at, end - at);
        const std::string::size_type equals = pair.find('=');
        const std::optional<std::string> key = PercentDecoded(pair.substr(0, equals));
        if (key && *key == name) {
            if (equals == std::string::npos) return std::string();
            return PercentDecoded(pair.substr(equals + 1));
        }
        at = end + 1;
    }
    return std::nullopt;
}

std::string ReasonPhrase(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 400:
            return "Bad Request";
        case 404:
            return "Not Found";
        case 405:
            return "Method Not Allowed";
        case 408:
            return "Request Timeout";
        default:
            return "Internal Server Error";
    }
}

std::string FormatReply(int status, const std::string& body) {
    std::string reply = "HTTP/1.0 " + std::to_string(status) + " " + ReasonPhrase(status) + kCrLf;
    if (status == 405) reply += std::string("Allow: GET") + kCrLf;
    return reply + "Content-Type: text/html" + kCrLf +
           "Content-Length: " + std::to_string(body.size()) + kCrLf + "Connection: close" + kCrLf +
           kCrLf + body;
}

std::string ErrorReply(int status) {
    return FormatReply(status, RenderErrorPage(status, ReasonPhrase(status)));
}

}  // namespace quorvel
