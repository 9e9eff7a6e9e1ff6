// The result-file port over the Win32 file functions: new files made with
// CreateFileA, the chosen file replaced with MoveFileExA.
#pragma once

#include <string>

#include "ui/safe_save.h"

namespace quorvel {

class WindowsResultFiles : public ResultFiles {
public:
    NewFileResult WriteNewFile(const std::string& path, const std::string& bytes) override;
    bool ReplaceWith(const std::string& from, const std::string& to) override;
    void Remove(const std::string& path) override;
};

}  // namespace quorvel
