#include "support/download_event_log.h"

#include <utility>

namespace quorvel::test {

void DownloadEventLog::Add(std::string line) {
    events.push_back(std::move(line));
    if (onEvent) onEvent(events.back());
}

void DownloadEventLog::Connected(std::int32_t id) { Add("Connected " + std::to_string(id)); }

void DownloadEventLog::Disconnected(std::int32_t id) {
    ++outcomes_;
    Add("Disconnected " + std::to_string(id));
}

void DownloadEventLog::DownloadFailed(std::int32_t why, std::int32_t id) {
    ++outcomes_;
    Add("DownloadFailed " + std::to_string(why) + " " + std::to_string(id));
}

void DownloadEventLog::BytesReceived(std::int64_t total, std::int32_t id) {
    Add("BytesReceived " + std::to_string(total) + " " + std::to_string(id));
}

void DownloadEventLog::StreamBytes(std::int32_t count, const char* bytes, std::int32_t id) {
    Add("StreamBytes " + std::to_string(count) + " " + std::string(bytes, bytes + count) + " " +
        std::to_string(id));
}

void DownloadEventLog::QuerySent(std::int32_t id) { Add("QuerySent " + std::to_string(id)); }

std::vector<std::string> DownloadEventLog::Merged() const {
    std::vector<std::string> merged;
    std::int64_t total = 0;
    bool previousWasBody = false;
    for (std::size_t i = 0; i < events.size(); ++i) {
        const std::string& line = events[i];
        const std::string prefix = "StreamBytes ";
        if (line.compare(0, prefix.size(), prefix) != 0) {
            if (line.compare(0, 9, "Connected") == 0) total = 0;
            merged.push_back(line);
            previousWasBody = false;
            continue;
        }
        // "StreamBytes <count> <bytes> <id>"
        const std::size_t countEnd = line.find(' ', prefix.size());
        const long count = std::stol(line.substr(prefix.size(), countEnd - prefix.size()));
        const std::string bytes = line.substr(countEnd + 1, static_cast<std::size_t>(count));
        const std::string id = line.substr(countEnd + 1 + static_cast<std::size_t>(count) + 1);
        total += count;
        const std::string expectedTotal = "BytesReceived " + std::to_string(total) + " " + id;
        if (i + 1 < events.size() && events[i + 1] == expectedTotal)
            ++i;
        else
            previousWasBody = false;  // the unmatched line below shows the fault
        if (previousWasBody) {
            merged.back().insert(merged.back().size() - id.size() - 1, bytes);
        } else {
            merged.push_back("Body " + bytes + " " + id);
        }
        previousWasBody = events[i] == expectedTotal;
    }
    return merged;
}

}  // namespace quorvel::test
