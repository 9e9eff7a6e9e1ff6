// The fixture of the network tests of the download class.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "download/network_harness.h"
#include "support/download_event_log.h"

namespace quorvel::test {

inline constexpr int kRunMilliseconds = 8000;

// A download object on the platform's transport, its events written down,
// and the platform's loop turned until something has happened.
class NetworkDownload : public ::testing::Test {
protected:
    void SetUp() override { harness_ = MakePlatformHarness(); }

    C1& Make(int connectMilliseconds = 5000) {
        log_ = DownloadEventLog();
        return harness_->Make(log_, connectMilliseconds);
    }

    // Turns the loop until done() holds; false when the time ran out first.
    bool RunUntil(const std::function<bool()>& done, int milliseconds = kRunMilliseconds) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            harness_->Turn(20);
        }
        return true;
    }

    // Until the download has ended and its connection is closed.
    bool RunToEnd(int milliseconds = kRunMilliseconds) {
        return RunUntil([&] { return log_.Outcomes() > 0 && !harness_->HasOpenConnection(); },
                        milliseconds);
    }

    std::unique_ptr<DownloadHarness> harness_;
    DownloadEventLog log_;
};

// A 200 reply with the given header lines and body.
inline std::string Ok(const std::string& headers, const std::string& body) {
    return "HTTP/1.0 200 OK\r\n" + headers + "\r\n" + body;
}

}  // namespace quorvel::test
