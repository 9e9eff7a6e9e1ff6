// A fresh folder for a test's files, in the test program's working folder;
// it is emptied and removed when the test ends.
#pragma once

#include <string>
#include <vector>

namespace quorvel::test {

class TestFolder {
public:
    explicit TestFolder(const std::string& name);
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    // The full path of the folder, without a trailing "\".
    const std::string& Path() const { return path_; }
    // The full path of an entry of the folder.
    std::string PathOf(const std::string& name) const { return path_ + "\\" + name; }
    // The names of the folder's entries, sorted.
    std::vector<std::string> Entries() const;

private:
    std::string path_;
};

// The names of a folder's entries (with or without a final "\"), sorted.
std::vector<std::string> FolderEntries(const std::string& folder);

}  // namespace quorvel::test
