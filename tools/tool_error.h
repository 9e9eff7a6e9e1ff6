// How the native tools report a failure: "TOOL: MESSAGE" and a line end on
// standard error. Returns status, the exit status the tool then ends with.
#pragma once

#include <iostream>
#include <string_view>

namespace quorvel {

inline int ReportToolError(std::string_view tool, std::string_view message, int status = 1) {
    std::cerr << tool << ": " << message << "\n";
    return status;
}

}  // namespace quorvel
