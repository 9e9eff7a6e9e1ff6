#include "settings/settings_store.h"

namespace quorvel {

std::string AddBackslash(const std::string& path) {
    if (!path.empty() && path.back() == '\\') return path;
    return path + "\\";
}

}  // namespace quorvel
