// Raw-data resources of the program: resources of the named type "DATA",
// read as bytes.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// The bytes of resource `id` of type "DATA" in the module, or the empty text
// when the module has no such resource.
std::string LoadDataResource(HMODULE module, int id);

// The bytes of resource `id` of type "DATA" where the module holds them, not
// copied; nothing when the module has no such resource.
std::optional<std::string_view> DataResourceBytes(HMODULE module, int id);

}  // namespace quorvel
