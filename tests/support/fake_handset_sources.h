// Handset database sources held in memory for core tests; nullopt stands for
// a source that cannot be read. Counts the reads of each source.
#pragma once

#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>

#include "imei/handset_database.h"

namespace quorvel::test {

class FakeHandsetSources : public HandsetSources {
public:
    SourceAnswer SearchBuiltIn(const std::string& tac) override {
        ++recordReads;
        if (failWithException) throw std::runtime_error("cannot read the records");
        return records ? SearchBuiltInRecords(*records, tac) : SourceAnswer();
    }
    SourceAnswer SearchUserFile(const std::string& tac) override {
        ++userFileReads;
        if (!userFile) return {};
        std::istringstream in(*userFile);
        return SearchUserLines(
            [&in](char* buffer, std::size_t size) {
                in.read(buffer, static_cast<std::streamsize>(size));
                return static_cast<std::size_t>(in.gcount());
            },
            tac);
    }

    std::optional<std::string> records;
    std::optional<std::string> userFile;
    bool failWithException = false;
    int recordReads = 0;
    int userFileReads = 0;
};

// Built-in records of (TAC, fields) pairs, with the closing zero bytes.
inline std::string RecordsOf(std::initializer_list<std::pair<const char*, const char*>> records) {
    std::string bytes;
    for (const auto& [tac, fields] : records) bytes += EncodeBuiltInRecord(tac, fields);
    return bytes + std::string(kRecordsTrailerLength, '\0');
}

}  // namespace quorvel::test
