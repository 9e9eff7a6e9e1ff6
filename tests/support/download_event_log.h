// A download listener for tests that writes the events down as lines:
// "Connected", "QuerySent", "Body <bytes>" (chunks in a row joined, so that
// the lines do not depend on how the bytes were cut), "Failed <code>" and
// "Disconnected". An id other than 0 is added to its line, and a
// BytesReceived that is missing or does not carry the running total of the
// body writes a line of its own.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "download/download.h"

namespace quorvel::test {

// The request the download class sends for url, naming host in its Host header.
inline std::string RequestFor(const std::string& url, const std::string& host) {
    return "GET " + url + " HTTP/1.0\r\nAccept: */*\r\nUser-Agent: Brindle Download Class\r\n" +
           "Host: " + host + "\r\nPragma: no-cache\r\nCache-Control: no-cache\r\n\r\n";
}

class DownloadEventLog : public DownloadListener {
public:
    void Connected(std::int32_t id) override {
        total_ = 0;
        Add("Connected", id);
        Notify("Connected");
    }
    void Disconnected(std::int32_t id) override {
        Add("Disconnected", id);
        Notify("Disconnected");
    }
    void DownloadFailed(std::int32_t why, std::int32_t id) override {
        Add("Failed " + std::to_string(why), id);
        Notify("DownloadFailed");
    }
    void QuerySent(std::int32_t id) override {
        Add("QuerySent", id);
        Notify("QuerySent");
    }
    void StreamBytes(std::int32_t count, const char* bytes, std::int32_t id) override {
        total_ += count;
        const std::string chunk(bytes, static_cast<std::size_t>(count));
        if (!events.empty() && events.back().compare(0, 5, "Body ") == 0 && id == 0)
            events.back() += chunk;
        else
            Add("Body " + chunk, id);
        awaitingTotal_ = true;
        Notify("StreamBytes");
    }
    void BytesReceived(std::int64_t total, std::int32_t id) override {
        if (!std::exchange(awaitingTotal_, false) || total != total_ || id != 0)
            events.push_back("BytesReceived " + std::to_string(total));
        Notify("BytesReceived");
    }

    // The download has ended: its last event has come.
    bool Ended() const {
        return !events.empty() &&
               (events.back() == "Disconnected" ||
                (events.back().compare(0, 7, "Failed ") == 0 && events.back() != "Failed 4"));
    }

    std::vector<std::string> events;
    // Called after each event is written down, with the event's name.
    std::function<void(const std::string& name)> onEvent;

private:
    void Add(const std::string& line, std::int32_t id) {
        if (std::exchange(awaitingTotal_, false)) events.push_back("no BytesReceived");
        events.push_back(id == 0 ? line : line + " id " + std::to_string(id));
    }
    void Notify(const char* name) {
        if (onEvent) onEvent(name);
    }
    std::int64_t total_ = 0;
    bool awaitingTotal_ = false;
};

}  // namespace quorvel::test
