// An in-memory folder for the result-file port, with faults to order: it
// refuses new files, stops a write part-way, or refuses to replace.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "ui/safe_save.h"

namespace quorvel::test {

class FakeResultFiles : public ResultFiles {
public:
    NewFileResult WriteNewFile(const std::string& path, const std::string& bytes) override {
        calls.push_back("write " + path);
        if (files.count(path)) return NewFileResult::kNameTaken;
        if (refuseNewFiles) return NewFileResult::kNotCreated;
        files[path] = bytes.substr(0, std::size_t(bytesBeforeWriteFails));  // -1: all of them
        return bytesBeforeWriteFails >= 0 ? NewFileResult::kNotWritten : NewFileResult::kWritten;
    }
    bool ReplaceWith(const std::string& from, const std::string& to) override {
        if (refuseReplace || !files.count(from)) return false;
        files[to] = files[from];
        return files.erase(from);
    }
    void Remove(const std::string& path) override { files.erase(path); }

    std::map<std::string, std::string> files;  // path -> bytes
    std::vector<std::string> calls;            // the new files tried, in order
    bool refuseNewFiles = false;
    int bytesBeforeWriteFails = -1;  // negative: writes succeed
    bool refuseReplace = false;
};

}  // namespace quorvel::test
