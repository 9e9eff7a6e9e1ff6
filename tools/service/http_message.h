// HTTP/1.0 requests as the analysis service reads them, and its replies.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace quorvel {

enum class HeadScan {
    kIncomplete,  // no blank line yet, and still within the limit
    kComplete,    // the head, up to and including its blank line, is there
    kTooLarge,    // no blank line within the limit
    kMalformed,   // a NUL byte, or a control byte in the request line
};

// Looks for the blank line (CR LF CR LF, or bare LFs) that ends a request
// head in the bytes received so far. On kComplete *headLength is the length
// of the head including that blank line. Bytes that no request can hold
// are caught at once, so that a client speaking another protocol (a TLS
// hello, say) is answered without waiting for a line end that never comes.
HeadScan ScanRequestHead(const std::string& received, std::size_t limit, std::size_t* headLength);

struct RequestLine {
    std::string method;
    std::string path;   // "/index.php"; empty when an absolute URL has no path
    std::string query;  // the text after "?", without a fragment
};

// Reads a request head: a request line "METHOD TARGET HTTP/x.y" whose target
// is a path ("/...") or an absolute "http://host[:port]/..." URL as sent to a
// proxy, then header lines "Name: value". Nothing when any of it is
// malformed.
std::optional<RequestLine> ParseRequestHead(const std::string& head);

// The value of the first name=value pair of query with this name, its
// %XX escapes decoded; nothing when the name is absent or an escape is bad.
std::optional<std::string> QueryValue(const std::string& query, const std::string& name);

// A whole HTTP/1.0 reply with an HTML body, closed after sending.
std::string FormatReply(int status, const std::string& body);

// The reason phrase of the statuses the service uses ("Bad Request").
std::string ReasonPhrase(int status);

// A reply holding the small error page of status.
std::string ErrorReply(int status);

}  // namespace quorvel
