// Raw-data resources of the program: resources of the named type "DATA",
// read as bytes.
#pragma once

#include <windows.h>

#include <string>

namespace quorvel {

// The bytes of resource `id` of type "DATA" in the module, or the empty text
// when the module has no such resource.
std::string LoadDataResource(HMODULE module, int id);

}  // namespace quorvel
