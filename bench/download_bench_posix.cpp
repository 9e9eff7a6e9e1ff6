// Benchmark of the download class over the POSIX transport: the time to
// download a 10 MB body from a loopback server, next to curl fetching the
// same body from the same server in the same run. Prints the figures and
// their ratio; run by bench/download-bench.sh.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "download/download.h"
#include "download/socket_transport_posix.h"
#include "support/test_socket.h"

namespace {

using quorvel::C1;
using quorvel::PosixTransport;
using Clock = std::chrono::steady_clock;
namespace test = quorvel::test;

constexpr std::size_t kBodySize = 10 * 1024 * 1024;
constexpr int kRuns = 7;

// Serves the same reply on every connection until stopped.
class BodyServer {
public:
    explicit BodyServer(const std::string& reply) : reply_(reply) {
        listener_ = test::ListenOnLoopback(16, &port_);
        thread_ = std::thread([this] { Serve(); });
    }
    ~BodyServer() {
        stop_ = true;
        thread_.join();
        test::CloseTestSocket(listener_);
    }
    std::string Url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/body"; }

private:
    void Serve() {
        while (!stop_) {
            const test::TestSocket connection = test::AcceptWithin(listener_, 50);
            if (connection == test::kNoTestSocket) continue;
            std::string request;
            char buffer[4096];
            while (request.find("\r\n\r\n") == std::string::npos) {
                const int n = test::ReceiveWithin(connection, buffer, sizeof buffer, 5000);
                if (n <= 0) break;
                request.append(buffer, static_cast<std::size_t>(n));
            }
            test::SendAll(connection, reply_);
            test::CloseTestSocket(connection);
        }
    }

    const std::string& reply_;
    test::TestSocket listener_ = test::kNoTestSocket;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

class CountingListener : public quorvel::DownloadListener {
public:
    void StreamBytes(std::int32_t count, const char*, std::int32_t) override { bytes += count; }
    void Disconnected(std::int32_t) override { succeeded = true; }
    std::int64_t bytes = 0;
    bool succeeded = false;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Seconds for one download with the download class, or a negative value
// when the body did not arrive whole.
double TimeDownloadClass(const std::string& url) {
    CountingListener listener;
    auto transport = std::make_unique<PosixTransport>();
    PosixTransport& loop = *transport;
    C1 download(std::move(transport), &listener);
    const auto start = Clock::now();
    download.FetchURLString(url);
    loop.Run([&](std::int32_t message) { download.ProcessMessage(message); });
    const std::chrono::duration<double> elapsed = Clock::now() - start;
    const bool whole = listener.succeeded && listener.bytes == static_cast<std::int64_t>(kBodySize);
    return whole ? elapsed.count() : -1;
}

// curl's own measure of the transfer (without its process start), or a
// negative value when curl failed or fetched another size.
double TimeCurl(const std::string& url) {
    const std::string command =
        "curl --http1.0 -s -o /dev/null -w '%{time_total} %{size_download}' '" + url + "'";
    FILE* output = popen(command.c_str(), "r");
    if (!output) return -1;
    double seconds = -1;
    double size = 0;
    const int read = std::fscanf(output, "%lf %lf", &seconds, &size);
    const int status = pclose(output);
    if (read != 2 || status != 0 || size != static_cast<double>(kBodySize)) return -1;
    return seconds;
}

}  // namespace

int main() {
    std::string reply = "HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(kBodySize) +
                        "\r\nContent-Type: application/octet-stream\r\n\r\n";
    for (std::size_t i = 0; i < kBodySize; ++i) reply.push_back(static_cast<char>(i * 31 + 7));
    BodyServer server(reply);

    std::vector<double> ours;
    std::vector<double> curls;
    for (int run = 0; run < kRuns; ++run) {
        ours.push_back(TimeDownloadClass(server.Url()));
        curls.push_back(TimeCurl(server.Url()));
        if (ours.back() < 0 || curls.back() < 0) {
            std::fprintf(stderr, "run %d: a download did not complete (C1 %.4f s, curl %.4f s)\n",
                         run + 1, ours.back(), curls.back());
            return 1;
        }
    }
    const double ourMedian = Median(ours);
    const double curlMedian = Median(curls);
    std::printf("10 MB body from 127.0.0.1, median of %d runs\n", kRuns);
    std::printf("  C1 over the POSIX transport: %8.2f ms\n", ourMedian * 1000);
    std::printf("  curl:                        %8.2f ms\n", curlMedian * 1000);
    std::printf("  ratio C1/curl:               %8.2f (target: at most 1.5)\n",
                ourMedian / curlMedian);
    return 0;
}
