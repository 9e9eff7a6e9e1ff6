// Functions of system libraries looked up at run time: one the import library
// lacks at some width, or one of a library that the program needs only now
// and then and would otherwise load, with the libraries it loads in turn, at
// every start.
#pragma once

#include <windows.h>

namespace quorvel {

// The function name of library, loading the library if it is not loaded; the
// library then stays loaded until the program ends. Null when the library or
// the function is missing. Callers keep the result (a function-local static).
template <typename Function>
Function SystemFunction(const char* library, const char* name) {
    HMODULE module = LoadLibraryA(library);
    if (!module) return nullptr;
    // Through a plain function type, which GCC lets any function pointer pass.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace quorvel
