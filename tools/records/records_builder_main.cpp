// quorvel-records-builder: writes the built-in handset records resource from
// the handset lists.
#include <exception>
#include <iostream>
#include <stdexcept>
#include <string>

#include "file_output.h"
#include "imei/handset_database.h"
#include "records/records_builder.h"
#include "tool_error.h"

namespace {

void PrintUsage(std::ostream& out) {
    out << "Usage: quorvel-records-builder TACDB.csv SAMSUNG-TACS.csv OUTPUT\n"
           "Writes the program's built-in handset records (resource 12341, type DATA) from\n"
           "the two handset lists of data/ in CSV (UTF-8, RFC 4180 quoting).\n\n"
        << quorvel::kRecordsBuilderRules;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--help") {
        PrintUsage(std::cout);
        return 0;
    }
    if (argc != 4) {
        PrintUsage(std::cerr);
        return 2;
    }
    try {
        const auto read = [](const char* path) {
            const std::optional<std::string> text = quorvel::ReadFileBytes(path);
            if (!text) throw std::runtime_error(std::string("cannot read ") + path);
            return *text;
        };
        const quorvel::RecordsBuild build =
            quorvel::BuildHandsetRecords(read(argv[1]), read(argv[2]));
        const std::string bytes = quorvel::EncodeHandsetRecords(build.records);
        if (!quorvel::WriteFileBytes(argv[3], bytes)) {
            throw std::runtime_error(std::string("cannot write ") + argv[3]);
        }
        std::cout << build.records.size() << " records, " << bytes.size() << " bytes, from "
                  << build.tacdb.rowsUsed << " rows of " << argv[1] << " ("
                  << build.tacdb.rowsSkipped << " skipped) and " << build.samsung.rowsUsed
                  << " lines of " << argv[2] << " (" << build.samsung.rowsSkipped << " skipped)\n"
                  << build.samsungTacsInTacdb << " TACs of " << argv[2] << " are in " << argv[1]
                  << ", which names another maker for " << build.otherMakerTacs.size()
                  << " of them (its record is kept):";
        for (const std::string& tac : build.otherMakerTacs) std::cout << ' ' << tac;
        std::cout << '\n';
        return 0;
    } catch (const std::exception& error) {
        return quorvel::ReportToolError("quorvel-records-builder", error.what());
    }
}
