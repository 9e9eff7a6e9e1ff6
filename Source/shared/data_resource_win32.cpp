// Reads "DATA" resources with FindResourceA, LoadResource and LockResource.
#include "shared/data_resource_win32.h"

namespace quorvel {

std::optional<std::string_view> DataResourceBytes(HMODULE module, int id) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), "DATA");
    if (!found) return std::nullopt;
    // Resource memory belongs to the module: nothing to free.
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return std::nullopt;
    return std::string_view(static_cast<const char*>(bytes), SizeofResource(module, found));
}

std::string LoadDataResource(HMODULE module, int id) {
    return std::string(DataResourceBytes(module, id).value_or(std::string_view()));
}

}  // namespace quorvel
