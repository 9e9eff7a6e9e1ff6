// Where the running program lives.
#pragma once

#include <string>

namespace quorvel {

// The folder of the running executable, without a trailing "/"; "." when
// it cannot be found.
std::string ExecutableFolder();

// The folder of the path a symbolic link holds, the same way: "/" for a file
// at the root, "." when the link cannot be read or its path names no folder.
std::string LinkTargetFolder(const char* link);

}  // namespace quorvel
