// Reads "DATA" resources with FindResourceA, LoadResource and LockResource.
#include "shared/data_resource_win32.h"

namespace quorvel {

std::string LoadDataResource(HMODULE module, int id) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), "DATA");
    if (!found) return std::string();
    // Resource memory belongs to the module: nothing to free.
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return std::string();
    return std::string(static_cast<const char*>(bytes), SizeofResource(module, found));
}

}  // namespace quorvel
