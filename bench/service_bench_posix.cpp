// Benchmark of quorvel-service under load, on 127.0.0.1 only: the latency of
// a normal client's requests while 300 slow clients each send one byte a
// second. Run by bench/service-bench.sh with the port of a service it
// started (which measures the answers a second with wrk).
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int kSlowClients = 300;
constexpr auto kSlowWarmUp = 3s;
constexpr int kLatencySamples = 300;
// The sampling stops here even when a slow service has not answered them all.
constexpr auto kLatencyTimeLimit = 20s;
// A request that gets no answer in this time counts with this latency.
constexpr int kReceiveBoundSeconds = 5;

const std::string kRequest =
    "GET /index.php?goto=imei&action=analyse&s=490139200000001 HTTP/1.0\r\n"
    "Accept: */*\r\nHost: 127.0.0.1\r\n\r\n";

int Connect(int port) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const timeval bound{kReceiveBoundSeconds, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &bound, sizeof bound);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

// One whole request; true when the reply was a 200.
bool Request(int port) {
    const int fd = Connect(port);
    if (fd < 0) return false;
    bool ok = send(fd, kRequest.data(), kRequest.size(), MSG_NOSIGNAL) ==
              static_cast<ssize_t>(kRequest.size());
    std::string reply;
    char block[8192];
    for (ssize_t n; ok && (n = recv(fd, block, sizeof block, 0)) != 0;) {
        if (n < 0)
            ok = false;
        else if (reply.size() < 16)
            reply.append(block, static_cast<std::size_t>(n));
    }
    close(fd);
    return ok && reply.compare(0, 12, "HTTP/1.0 200") == 0;
}

// Clients that each send the request one byte a second; one the server
// closed connects again at its next turn.
class SlowClients {
public:
    explicit SlowClients(int port) : port_(port), thread_([this] { Run(); }) {}
    ~SlowClients() {
        stop_ = true;
        thread_.join();
        for (const Client& client : clients_)
            if (client.fd >= 0) close(client.fd);
    }

private:
    struct Client {
        int fd = -1;
        std::size_t sent = 0;
    };

    void Run() {
        clients_.resize(kSlowClients);
        constexpr std::size_t kTicks = 10;  // a tenth of the clients every 100 ms
        for (std::size_t tick = 0; !stop_; tick = (tick + 1) % kTicks) {
            for (std::size_t i = tick; i < clients_.size(); i += kTicks) Turn(clients_[i]);
            std::this_thread::sleep_for(100ms);
        }
    }

    void Turn(Client& client) {
        if (client.fd >= 0) {
            pollfd closed{client.fd, POLLIN, 0};
            if (poll(&closed, 1, 0) != 0) {  // a reply (408) or the end
                close(client.fd);
                client.fd = -1;
            }
        }
        if (client.fd < 0) {
            client.fd = Connect(port_);
            client.sent = 0;
        }
        if (client.fd < 0) return;
        const char byte = kRequest[client.sent % (kRequest.size() - 4)];
        if (send(client.fd, &byte, 1, MSG_NOSIGNAL) == 1) ++client.sent;
    }

    int port_;
    std::atomic<bool> stop_{false};
    std::vector<Client> clients_;
    std::thread thread_;
};

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: service_bench PORT\n");
        return 2;
    }
    const int port = std::atoi(argv[1]);

    std::vector<double> latencies;
    int failed = 0;
    {
        SlowClients slow(port);
        std::this_thread::sleep_for(kSlowWarmUp);
        const Clock::time_point end = Clock::now() + kLatencyTimeLimit;
        for (int i = 0; i < kLatencySamples && Clock::now() < end; ++i) {
            const Clock::time_point start = Clock::now();
            if (!Request(port)) ++failed;
            latencies.push_back(Milliseconds(Clock::now() - start));
            std::this_thread::sleep_for(10ms);
        }
    }
    std::sort(latencies.begin(), latencies.end());
    const double p99 = latencies[latencies.size() * 99 / 100];
    std::printf(
        "normal client beside %d slow ones: p99 %.1f ms, max %.1f ms, %d of %d failed"
        " (target: p99 at most 200 ms)\n",
        kSlowClients, p99, latencies.back(), failed, static_cast<int>(latencies.size()));
    return 0;
}
