// quorvel-records-builder: writes the built-in handset records resource from
// the TAC list.
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
    out << "Usage: quorvel-records-builder TACLIST.csv OUTPUT\n"
           "Writes the program's built-in handset records (resource 12341, type DATA) from\n"
           "a TAC list in CSV (UTF-8, RFC 4180 quoting).\n\n"
        << quorvel::kRecordsBuilderRules;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--help") {
        PrintUsage(std::cout);
        return 0;
    }
    if (argc != 3) {
        PrintUsage(std::cerr);
        return 2;
    }
    try {
        const std::optional<std::string> csv = quorvel::ReadFileBytes(argv[1]);
        if (!csv) throw std::runtime_error(std::string("cannot read ") + argv[1]);
        const quorvel::RecordsBuild build = quorvel::BuildHandsetRecords(*csv);
        const std::string bytes = quorvel::EncodeHandsetRecords(build.records);
        if (!quorvel::WriteFileBytes(argv[2], bytes)) {
            throw std::runtime_error(std::string("cannot write ") + argv[2]);
        }
        std::cout << build.records.size() << " records from " << build.rowsUsed << " rows ("
                  << build.rowsSkipped << " skipped), " << bytes.size() << " bytes\n";
        return 0;
    } catch (const std::exception& error) {
        return quorvel::ReportToolError("quorvel-records-builder", error.what());
    }
}
