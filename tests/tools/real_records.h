// The project's own TAC list and built-in records, for tests of the tools.
#pragma once

#include <string>

#include "records/records_builder.h"

namespace quorvel::test {

// A file of the source tree, read whole; the test fails without it.
std::string SourceFile(const std::string& relativePath);

// The records built from data/tacdb.csv, built once per test run.
const RecordsBuild& RealRecordsBuild();

}  // namespace quorvel::test
