#include "support/test_folder_win32.h"

#include <windows.h>

#include <algorithm>

#include "settings/settings_store.h"
#include "shared/text.h"

namespace quorvel::test {
namespace {

void RemoveTree(const std::string& path) {
    for (const std::string& name : FolderEntries(path)) {
        const std::string entry = path + "\\" + name;
        SetFileAttributesA(entry.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!DeleteFileA(entry.c_str())) RemoveTree(entry);
    }
    RemoveDirectoryA(path.c_str());
}

}  // namespace

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((AddBackslash(folder) + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

TestFolder::TestFolder(const std::string& name) {
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    path_ = std::string(current) + "\\" + name;
    RemoveTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
}

TestFolder::~TestFolder() { RemoveTree(path_); }

std::vector<std::string> TestFolder::Entries() const { return FolderEntries(path_); }

}  // namespace quorvel::test
