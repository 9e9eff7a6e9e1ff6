// The executable's folder from the /proc/self/exe link.
#include <unistd.h>

#include <climits>

#include "cli/executable_folder.h"

namespace quorvel {

std::string ExecutableFolder() { return LinkTargetFolder("/proc/self/exe"); }

std::string LinkTargetFolder(const char* link) {
    char path[PATH_MAX];
    const ssize_t length = readlink(link, path, sizeof path);
    if (length <= 0 || static_cast<std::size_t>(length) == sizeof path) return ".";
    const std::string target(path, static_cast<std::size_t>(length));
    const std::string::size_type slash = target.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : target.substr(0, slash);
}

}  // namespace quorvel
