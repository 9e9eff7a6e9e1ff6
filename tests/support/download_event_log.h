// A download listener for tests that writes every event down as a line of
// text, with its arguments, in the order the events came.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "download/download.h"

namespace quorvel::test {

class DownloadEventLog : public DownloadListener {
public:
    void Connected(std::int32_t id) override;
    void Disconnected(std::int32_t id) override;
    void DownloadFailed(std::int32_t why, std::int32_t id) override;
    void BytesReceived(std::int64_t total, std::int32_t id) override;
    void StreamBytes(std::int32_t count, const char* bytes, std::int32_t id) override;
    void QuerySent(std::int32_t id) override;

    // Lines such as "Connected 0", "StreamBytes 5 hello 0", "BytesReceived 5 0".
    std::vector<std::string> events;

    // The same events with each StreamBytes and the BytesReceived that must
    // follow it merged into one "Body <bytes>" line, and consecutive body
    // lines merged, so that the lines do not depend on how the network cut
    // the body. A BytesReceived that does not follow its StreamBytes with
    // the right running total stays as it is and so fails the comparison.
    std::vector<std::string> Merged() const;

    // The number of events that end a download: Disconnected and DownloadFailed.
    int Outcomes() const { return outcomes_; }

    // Called after each event is written down, with the event's line.
    std::function<void(const std::string&)> onEvent;

private:
    void Add(std::string line);
    int outcomes_ = 0;
};

}  // namespace quorvel::test
