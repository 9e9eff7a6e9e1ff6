// quorvel-cli: the entry point; everything else is in cli.cpp.
#include <exception>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "builtin_records.h"
#include "cli/cli.h"
#include "cli/executable_folder.h"
#include "cli/handset_index.h"
#include "imei/handset_database.h"
#include "tool_error.h"
#include "tool_version.h"

int main(int argc, char** argv) {
    using namespace quorvel;
    // Standard streams unhooked from C stdio, and reading no longer flushes
    // the output: a million lines take a fraction of a second, not seconds.
    std::ios::sync_with_stdio(false);
    std::cin.tie(nullptr);
    std::string error;
    const std::optional<CliOptions> options =
        ParseCliArguments(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        return ReportToolError("quorvel-cli", error + "\nTry 'quorvel-cli --help'.",
                               kExitUsageError);
    }
    if (options->help) {
        std::cout << kCliUsage;
        return kExitAllValid;
    }
    if (options->version) {
        std::cout << ToolVersionLine("quorvel-cli");
        return kExitAllValid;
    }
    try {
        const std::string userFile =
            options->userDatabase.value_or(ExecutableFolder() + "/" + kUserDatabaseFileName);
        auto file = std::make_unique<std::ifstream>(userFile, std::ios::binary);
        // A folder opens and fails only when read.
        if (!*file || (file->peek(), file->bad())) file.reset();
        HandsetIndex sources(BuiltInRecordBytes(), std::move(file));
        return RunCli(*options, sources, std::cin, std::cout, std::cerr);
    } catch (const std::exception& failure) {
        return ReportToolError("quorvel-cli", failure.what(), kExitUsageError);
    }
}
