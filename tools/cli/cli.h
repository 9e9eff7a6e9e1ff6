// quorvel-cli: the Analyze command's local analysis for IMEIs given as
// arguments or read from standard input, as text, CSV or JSON Lines.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "cli/handset_index.h"
#include "cli/online_posix.h"

namespace quorvel {

inline constexpr int kExitAllValid = 0;
inline constexpr int kExitSomeInvalid = 1;
inline constexpr int kExitUsageError = 2;

struct CliOptions {
    bool csv = false;
    bool json = false;
    bool fix = false;
    bool help = false;
    bool version = false;
    bool online = false;                      // --online
    OnlineOptions onlineOptions;              // --service, --proxy
    std::optional<std::string> userDatabase;  // --user-db FILE
    std::vector<std::string> imeis;           // none: read standard input
};

extern const char* const kCliUsage;

// The options of the arguments (without the program name), or nullopt with
// error set to what is wrong with them.
std::optional<CliOptions> ParseCliArguments(const std::vector<std::string>& arguments,
                                            std::string& error);

// Analyses every input and writes the results to out and the complaints
// to err, all in UTF-8, with control characters of the values shown as "?"
// (in JSON, escaped). Returns kExitAllValid or kExitSomeInvalid, or
// kExitUsageError when out cannot be written.
int RunCli(const CliOptions& options, HandsetIndex& sources, std::istream& in, std::ostream& out,
           std::ostream& err);

}  // namespace quorvel
