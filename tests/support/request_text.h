// Parts of an HTTP request's text, for tests that check what was sent.
#pragma once

#include <string>

namespace quorvel::test {

// The first line of a request, and the value of its Host header.
inline std::string RequestLine(const std::string& request) {
    return request.substr(0, request.find("\r\n"));
}

inline std::string HostHeader(const std::string& request) {
    const std::string name = "\r\nHost: ";
    const std::size_t start = request.find(name);
    if (start == std::string::npos) return {};
    const std::size_t value = start + name.size();
    return request.substr(value, request.find("\r\n", value) - value);
}

}  // namespace quorvel::test
