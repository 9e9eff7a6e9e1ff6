// Fakes of the download class's ports for core tests: a scripted transport,
// whose receives return the next scripted piece of the current connection
// and whose opens, shutdowns and closes go to the journal; and a listener
// that writes the events down.
#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "download/download.h"

namespace quorvel::test {

class FakeTransport : public Transport {
public:
    struct Connection {
        std::string sent;
        std::deque<std::string> pieces;  // each receive returns at most one
    };

    bool CanNotify() const override { return true; }
    SocketId OpenSocket(const std::string& host, std::int32_t port) override {
        journal->push_back("Open " + host + ":" + std::to_string(port));
        if (refuse) return kNoSocket;
        connections.emplace_back();
        return open_ = static_cast<SocketId>(connections.size() + 99);
    }
    std::int32_t SendText(SocketId socket, std::string_view text) override {
        auto taken = static_cast<std::int32_t>(text.size());
        if (!sendLimits.empty()) taken = std::min(taken, sendLimits.front());
        if (!sendLimits.empty()) sendLimits.pop_front();
        if (Find(socket) && taken > 0) Find(socket)->sent += text.substr(0, std::size_t(taken));
        return Find(socket) ? taken : -1;
    }
    std::int32_t Receive(SocketId socket, char* block, std::int32_t size) override {
        if (!Find(socket) || Last().pieces.empty()) return -1;
        std::string& piece = Last().pieces.front();
        const std::size_t count = piece.copy(block, static_cast<std::size_t>(size));
        piece.erase(0, count);
        if (piece.empty()) Last().pieces.pop_front();
        return static_cast<std::int32_t>(count);
    }
    void Shutdown(SocketId socket, ShutdownHow how) override {
        if (Find(socket)) journal->push_back("Shutdown " + std::to_string(how));
    }
    void CloseSocket(SocketId socket) override {
        if (!Find(socket)) return;
        journal->push_back("Close");
        open_ = 0;
    }
    void RunPendingNotifications() override { onPendingRun(); }
    void WatchProgress(int milliseconds) override { watches += " " + std::to_string(milliseconds); }

    Connection& Last() { return connections.back(); }
    void Feed(const std::string& piece) { Last().pieces.push_back(piece); }

    std::vector<std::string>* journal = nullptr;  // must be set
    bool refuse = false;
    // What each send call takes, in order: at most a count, 0 for no room
    // now, -1 for a failure. Without limits every send takes everything.
    std::deque<std::int32_t> sendLimits;
    std::vector<Connection> connections;
    std::string watches;  // each setting of the watch after a space
    std::function<void()> onPendingRun = [] {};

private:
    // Only the newest connection can be open, as with the real transports.
    Connection* Find(SocketId socket) { return socket == open_ ? &Last() : nullptr; }
    SocketId open_ = 0;  // none (ids start at 100)
};

// The request the download class sends for url, naming host in its Host header.
inline std::string RequestFor(const std::string& url, const std::string& host) {
    return "GET " + url + " HTTP/1.0\r\nAccept: */*\r\nUser-Agent: Brindle Download Class\r\n" +
           "Host: " + host + "\r\nPragma: no-cache\r\nCache-Control: no-cache\r\n\r\n";
}

// Writes the events down as lines: "Connected", "QuerySent", "Body <bytes>"
// (chunks in a row joined, so that the lines do not depend on how the bytes
// were cut), "Failed <code>", "Disconnected". A chunk's missing
// BytesReceived writes "no BytesReceived". onEvent sees each line.
class DownloadEventLog : public DownloadListener {
public:
    void Connected(std::int32_t) override { Add("Connected"); }
    void Disconnected(std::int32_t) override { Add("Disconnected"); }
    void DownloadFailed(std::int32_t why, std::int32_t) override {
        Add("Failed " + std::to_string(why));
    }
    void QuerySent(std::int32_t) override { Add("QuerySent"); }
    void StreamBytes(std::int32_t count, const char* bytes, std::int32_t) override {
        if (events.empty() || events.back().compare(0, 5, "Body ") != 0) events.push_back("Body ");
        events.back().append(bytes, static_cast<std::size_t>(count));
        // Also ends the wait of a chunk whose handler brought this one.
        awaitingTotal_ = true;
        if (onEvent) onEvent(events.back());
    }
    void BytesReceived(std::int64_t, std::int32_t) override { awaitingTotal_ = false; }

    // The lines joined by '|'.
    std::string Joined() const {
        std::string all;
        for (const std::string& line : events) all += (all.empty() ? "" : "|") + line;
        return all;
    }

    std::vector<std::string> events;
    std::function<void(const std::string& line)> onEvent;

private:
    void Add(const std::string& line) {
        if (std::exchange(awaitingTotal_, false)) events.push_back("no BytesReceived");
        events.push_back(line);
        if (onEvent) onEvent(line);
    }
    bool awaitingTotal_ = false;
};

}  // namespace quorvel::test
