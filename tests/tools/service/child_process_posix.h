// quorvel-service started as a child process by the tests, with every wait
// bounded so that a hanging child fails the test instead of the run.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "shared/unique_fd_posix.h"

namespace quorvel::testing {

struct Finished {
    int exitCode = -1;   // -1 when it did not exit normally in time
    std::string output;  // standard output and error together
};

// Runs the program with args to its end.
Finished RunToEnd(const std::string& program, const std::vector<std::string>& args);

// A child that keeps running; the first line of its standard output is read
// at start, its error output goes to the test's.
class RunningChild {
public:
    RunningChild(const std::string& program, const std::vector<std::string>& args);
    ~RunningChild() { Terminate(); }
    RunningChild(const RunningChild&) = delete;
    RunningChild& operator=(const RunningChild&) = delete;

    const std::string& firstLine() const { return firstLine_; }
    // Sends SIGTERM and waits; the exit code, or -1.
    int Terminate();

private:
    pid_t pid_ = -1;
    UniqueFd out_;
    std::string firstLine_;
};

}  // namespace quorvel::testing
