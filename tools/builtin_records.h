// The built-in handset records (Source/resources/handset_records.bin),
// compiled into the native tools.
#pragma once

#include <string>

namespace quorvel {

std::string BuiltInRecordBytes();

}  // namespace quorvel
