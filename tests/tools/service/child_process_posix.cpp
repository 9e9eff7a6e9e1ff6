#include "tools/service/child_process_posix.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace quorvel::testing {
namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::seconds kBound{10};

// Starts program with its standard output, and its error output too when
// mergeErrors, on a new pipe; *output gets the pipe's reading end.
pid_t Spawn(const std::string& program, const std::vector<std::string>& args, bool mergeErrors,
            UniqueFd* output) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) {
        ADD_FAILURE() << "pipe2 failed";
        return -1;
    }
    output->Reset(ends[0]);
    const UniqueFd writeEnd(ends[1]);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(writeEnd.Get(), STDOUT_FILENO);
        if (mergeErrors) dup2(writeEnd.Get(), STDERR_FILENO);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    if (pid < 0) ADD_FAILURE() << "fork failed";
    return pid;
}

// Reads until EOF, the stop text or the deadline.
std::string ReadUntil(const UniqueFd& fd, Clock::time_point deadline, const std::string& stop) {
    std::string text;
    char block[4096];
    while (stop.empty() || text.find(stop) == std::string::npos) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd polled{fd.Get(), POLLIN, 0};
        if (left.count() <= 0 || poll(&polled, 1, static_cast<int>(left.count())) <= 0) {
            ADD_FAILURE() << "no output in time; so far: " << text;
            break;
        }
        const ssize_t count = read(fd.Get(), block, sizeof block);
        if (count <= 0) break;
        text.append(block, static_cast<std::size_t>(count));
    }
    return text;
}

// Waits for the child until the deadline, then kills it; its exit code or -1.
int Reap(pid_t pid, Clock::time_point deadline) {
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (Clock::now() >= deadline) {
            ADD_FAILURE() << "the child did not end in time";
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

Finished RunToEnd(const std::string& program, const std::vector<std::string>& args) {
    UniqueFd output;
    const pid_t pid = Spawn(program, args, true, &output);
    const Clock::time_point deadline = Clock::now() + kBound;
    Finished finished;
    finished.output = ReadUntil(output, deadline, "");
    finished.exitCode = pid > 0 ? Reap(pid, deadline) : -1;
    return finished;
}

RunningChild::RunningChild(const std::string& program, const std::vector<std::string>& args) {
    pid_ = Spawn(program, args, false, &out_);
    const std::string text = ReadUntil(out_, Clock::now() + kBound, "\n");
    firstLine_ = text.substr(0, text.find('\n'));
}

int RunningChild::Terminate() {
    if (pid_ <= 0) return -1;
    kill(pid_, SIGTERM);
    const int code = Reap(pid_, Clock::now() + kBound);
    pid_ = -1;
    return code;
}

}  // namespace quorvel::testing
