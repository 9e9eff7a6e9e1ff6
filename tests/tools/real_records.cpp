#include "tools/real_records.h"

#include <stdexcept>

#include "imei/handset_database.h"

namespace quorvel::test {

std::string SourceFile(const std::string& relativePath) {
    const std::string path = std::string(QUORVEL_SOURCE_DIR) + "/" + relativePath;
    std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes) throw std::runtime_error("cannot read " + path);
    return *bytes;
}

const RecordsBuild& RealRecordsBuild() {
    static const RecordsBuild build = BuildHandsetRecords(SourceFile("data/tacdb.csv"));
    return build;
}

}  // namespace quorvel::test
