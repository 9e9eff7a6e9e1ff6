// Writing whole files, for the tools that make them.
#pragma once

#include <string>

namespace quorvel {

// Writes bytes as the file at path: first to path + ".tmp", which is then
// renamed over path, so that a failure at any step leaves no half-written
// file and an earlier file at path as it was. False when a step fails.
bool WriteFileBytes(const std::string& path, const std::string& bytes);

}  // namespace quorvel
