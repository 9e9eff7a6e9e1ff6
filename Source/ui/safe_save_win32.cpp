// The result-file port over the Win32 file functions.
#include "ui/safe_save_win32.h"

#include <windows.h>

#include <algorithm>

#include "shared/handles_win32.h"

namespace quorvel {
namespace {

// WriteFile takes at most a DWORD at a time; chunks keep each call modest.
constexpr std::size_t kWriteChunk = 1 << 20;

bool WriteAll(HANDLE file, const std::string& bytes) {
    for (std::size_t offset = 0; offset < bytes.size();) {
        const DWORD chunk = static_cast<DWORD>(std::min(kWriteChunk, bytes.size() - offset));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + offset, chunk, &written, nullptr) || written == 0) {
            return false;
        }
        offset += written;
    }
    // The file must be on the disk before it takes the chosen file's place.
    return FlushFileBuffers(file) != 0;
}

}  // namespace

NewFileResult WindowsResultFiles::WriteNewFile(const std::string& path, const std::string& bytes) {
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        return NewFileResult::kNameTaken;
    }
    HANDLE created = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // Another program may have made the name since it was looked at.
        const bool taken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
        return taken ? NewFileResult::kNameTaken : NewFileResult::kNotCreated;
    }
    UniqueFile file(created);
    return WriteAll(file.Get(), bytes) ? NewFileResult::kWritten : NewFileResult::kNotWritten;
}

bool WindowsResultFiles::ReplaceWith(const std::string& from, const std::string& to) {
    const DWORD attributes = GetFileAttributesA(to.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    // A read-only file cannot be replaced; a file that is saved over is
    // written anew, so it does not keep its old attributes either.
    if (exists) SetFileAttributesA(to.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    if (exists) SetFileAttributesA(to.c_str(), attributes);
    return false;
}

void WindowsResultFiles::Remove(const std::string& path) { DeleteFileA(path.c_str()); }

}  // namespace quorvel
