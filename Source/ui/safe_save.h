// Writing the result text to a file without ever losing the file that was
// there: the text goes to a new file in the same folder, which takes the
// chosen file's place only once it is complete. The file operations are a
// port, so that the rule runs over real files on Windows and over fakes in
// the native tests.
#pragma once

#include <string>

namespace quorvel {

enum class NewFileResult {
    kWritten,     // created and every byte written and flushed
    kNameTaken,   // a file or folder of that name exists; nothing was created
    kNotCreated,  // the folder is missing or refuses new files; nothing was created
    kNotWritten,  // created, but the bytes could not all be written
};

class ResultFiles {
public:
    virtual ~ResultFiles() = default;
    // Creates a file that did not exist and writes bytes into it, unchanged.
    virtual NewFileResult WriteNewFile(const std::string& path, const std::string& bytes) = 0;
    // Puts the file at from in the place of to in one step, whatever the
    // attributes of a file already at to (read-only, hidden). On failure
    // both files are as they were.
    virtual bool ReplaceWith(const std::string& from, const std::string& to) = 0;
    // Deletes a file; failures are not reported.
    virtual void Remove(const std::string& path) = 0;
};

enum class SaveOutcome {
    kSaved,
    kFolderRefused,  // no new file could be made beside the chosen one
    kWriteFailed,    // the new file could not be written completely
    kReplaceFailed,  // the chosen file could not be replaced
};

// How many names beside the chosen file are tried for the new file.
inline constexpr int kTemporaryNameAttempts = 100;

// The attempt-th (from 1) name of the new file: "~qv<attempt>.tmp" in the
// folder of path (after its last "\" or "/"; none means the current folder).
std::string TemporaryPathBeside(const std::string& path, int attempt);

// Writes text to path: to a new file beside it, which then replaces path.
// Whatever fails, the file at path is left as it was and the new file is
// removed.
SaveOutcome SaveReplacing(ResultFiles& files, const std::string& path, const std::string& text);

}  // namespace quorvel
