// The command line of quorvel-service.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quorvel {

struct ServiceOptions {
    std::string bindAddress = "127.0.0.1";
    int port = 8047;       // 0: any free port
    std::string dataFile;  // empty: the handset list of the source tree
    bool requireLogin = false;
    bool help = false;
    bool version = false;
};

// Reads the arguments that follow the program name. Nothing, with the
// reason in *error, for an unknown option, a missing value or a port that
// is not a number from 0 to 65535.
std::optional<ServiceOptions> ParseServiceOptions(const std::vector<std::string>& args,
                                                  std::string* error);

// The text that --help prints, naming the handset list read without --data.
std::string ServiceUsage(const std::string& defaultDataFile);

}  // namespace quorvel
