#include "service/service_options.h"

#include <algorithm>

namespace quorvel {
namespace {

constexpr int kHighestPort = 65535;

std::optional<int> PortNumber(const std::string& text) {
    if (text.empty() || text.size() > 5 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    const int port = std::stoi(text);
    if (port > kHighestPort) return std::nullopt;
    return port;
}

}  // namespace

std::optional<ServiceOptions> ParseServiceOptions(const std::vector<std::string>& args,
                                                  std::string* error) {
    ServiceOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--require-login") {
            options.requireLogin = true;
            continue;
        }
        if (option == "--help") {
            options.help = true;
            continue;
        }
        if (option == "--version") {
            options.version = true;
            continue;
        }
        if (option != "--port" && option != "--bind" && option != "--data") {
            *error = "unknown option: " + option;
            return std::nullopt;
        }
        if (i + 1 >= args.size() || args[i + 1].empty()) {
            *error = option + " needs a value";
            return std::nullopt;
        }
        const std::string& value = args[++i];
        if (option == "--bind") {
            options.bindAddress = value;
        } else if (option == "--data") {
            options.dataFile = value;
        } else if (const std::optional<int> port = PortNumber(value)) {
            options.port = *port;
        } else {
            *error = "not a port number from 0 to 65535: " + value;
            return std::nullopt;
        }
    }
    return options;
}

std::string ServiceUsage(const std::string& defaultDataFile) {
    return "usage: quorvel-service [--port N] [--bind ADDR] [--data FILE] [--require-login]\n"
           "       quorvel-service --help | --version\n"
           "\n"
           "Serves the on-line IMEI analysis page that Quorvel fetches, at\n"
           "  /index.php?goto=imei&action=analyse&s=IMEI\n"
           "for direct requests and for requests sent as to a proxy.\n"
           "\n"
           "  --port N         port to listen on (default 8047; 0 picks a free one)\n"
           "  --bind ADDR      numeric address to listen on (default 127.0.0.1)\n"
           "  --data FILE      the handset list, tacdb.csv (default: " +
           defaultDataFile +
           ")\n"
           "  --require-login  answer every analysis with the login page\n"
           "  --help           print this text\n"
           "  --version        print the version and the date of the handset data\n"
           "\n"
           "The first line printed is \"listening on ADDR:PORT\", the second how many clients\n"
           "it serves at once (from the limit of open files). SIGINT or SIGTERM stops it.\n";
}

}  // namespace quorvel
