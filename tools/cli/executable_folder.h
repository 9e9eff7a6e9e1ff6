// Where the running program lives.
#pragma once

#include <string>

namespace quorvel {

// The folder of the running executable, without a trailing "/"; "." when
// it cannot be found.
std::string ExecutableFolder();

}  // namespace quorvel
