// quorvel-service: the on-line IMEI analysis service that Quorvel asks for
// the analysis page of an IMEI, serving the handsets of data/tacdb.csv.
#include <signal.h>

#include <cstdio>
#include <iostream>
#include <optional>

#include "imei/handset_database.h"
#include "service/analysis_service.h"
#include "service/service_options.h"
#include "service/service_server_posix.h"
#include "tacdb_csv.h"
#include "tool_error.h"
#include "tool_version.h"

namespace {

using quorvel::ServiceServer;

ServiceServer* serverToStop = nullptr;

extern "C" void StopOnSignal(int) {
    if (serverToStop) serverToStop->Stop();
}

int Fail(const std::string& message) {
    return quorvel::ReportToolError("quorvel-service", message);
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    const std::optional<quorvel::ServiceOptions> options =
        quorvel::ParseServiceOptions(std::vector<std::string>(argv + 1, argv + argc), &error);
    if (!options) {
        return quorvel::ReportToolError("quorvel-service", error + "\n(--help lists the options)",
                                        2);
    }
    if (options->help) {
        std::cout << quorvel::ServiceUsage(QUORVEL_DEFAULT_TACDB);
        return 0;
    }
    if (options->version) {
        std::cout << quorvel::ToolVersionLine("quorvel-service");
        return 0;
    }

    const std::string dataFile =
        options->dataFile.empty() ? QUORVEL_DEFAULT_TACDB : options->dataFile;
    const std::optional<std::string> csv = quorvel::ReadFileBytes(dataFile);
    if (!csv) return Fail("cannot read " + dataFile);
    quorvel::TacDatabase database;
    try {
        database = quorvel::ReadTacDatabase(*csv);
    } catch (const quorvel::CsvError& e) {
        return Fail(dataFile + ": " + e.what());
    }
    if (!database.skippedLines.empty()) {
        std::cerr << "quorvel-service: " << dataFile << ": left out "
                  << database.skippedLines.size() << " records without an eight-digit TAC"
                  << " (the first on line " << database.skippedLines.front() << ")\n";
    }
    const quorvel::AnalysisService service(quorvel::HandsetDirectory(database),
                                           options->requireLogin);

    quorvel::ServerLimits limits;
    limits.maxClients = quorvel::ClientSlotsWithinDescriptorLimit();
    ServiceServer server([&service](const std::string& head) { return service.Respond(head); },
                         limits);
    if (!server.Listen(options->bindAddress, options->port, &error)) return Fail(error);
    std::cout << "listening on " << server.LocalAddress() << "\nserving up to " << limits.maxClients
              << " clients at once" << std::endl;

    serverToStop = &server;
    struct sigaction stop {};
    stop.sa_handler = StopOnSignal;
    sigemptyset(&stop.sa_mask);
    sigaction(SIGINT, &stop, nullptr);
    sigaction(SIGTERM, &stop, nullptr);
    server.Run();
    return 0;
}
