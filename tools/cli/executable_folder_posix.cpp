// The executable's folder from the /proc/self/exe link.
#include <unistd.h>

#include <climits>

#include "cli/executable_folder.h"

namespace quorvel {

std::string ExecutableFolder() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    if (length <= 0 || static_cast<std::size_t>(length) == sizeof path) return ".";
    const std::string executable(path, static_cast<std::size_t>(length));
    const std::string::size_type slash = executable.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : executable.substr(0, slash);
}

}  // namespace quorvel
