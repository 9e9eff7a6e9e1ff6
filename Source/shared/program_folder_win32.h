// The folder of the running program, where its settings and user file are.
#pragma once

#include <string>

namespace quorvel {

// The folder that holds the running executable, without a trailing "\".
std::string ProgramFolder();

}  // namespace quorvel
