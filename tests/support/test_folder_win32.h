// A fresh folder for a test's files, in the test program's working folder;
// it is emptied and removed when the test ends.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace quorvel::test {

// The names of a folder's entries, sorted.
inline std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
        if (found.cFileName[0] != '.') names.push_back(found.cFileName);  // not "." nor ".."
    }
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

// Empties and removes a folder, its read-only files included.
inline void RemoveTree(const std::string& path) {
    for (const std::string& name : FolderEntries(path)) {
        const std::string entry = path + "\\" + name;
        SetFileAttributesA(entry.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!DeleteFileA(entry.c_str())) RemoveTree(entry);
    }
    RemoveDirectoryA(path.c_str());
}

// The full path of an entry of the test program's working folder.
inline std::string WorkingFolderPath(const std::string& name) {
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    return std::string(current) + "\\" + name;
}

class TestFolder {
public:
    explicit TestFolder(const std::string& name) : path_(WorkingFolderPath(name)) {
        RemoveTree(path_);
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~TestFolder() { RemoveTree(path_); }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    // The full path of an entry of the folder.
    std::string PathOf(const std::string& name) const { return path_ + "\\" + name; }
    // The names of the folder's entries, sorted.
    std::vector<std::string> Entries() const { return FolderEntries(path_); }

private:
    std::string path_;
};

}  // namespace quorvel::test
