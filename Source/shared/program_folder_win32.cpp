// Finds the program folder with GetModuleFileNameA.
#include "shared/program_folder_win32.h"

#include <windows.h>

namespace quorvel {

std::string ProgramFolder() {
    char path[MAX_PATH + 1] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    std::string::size_type slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : folder.substr(0, slash);
}

}  // namespace quorvel
