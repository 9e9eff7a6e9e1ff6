#include "ui/safe_save.h"

namespace quorvel {

std::string TemporaryPathBeside(const std::string& path, int attempt) {
    const std::size_t separator = path.find_last_of("\\/");
    const std::string folder = separator == std::string::npos ? "" : path.substr(0, separator + 1);
    return folder + "~qv" + std::to_string(attempt) + ".tmp";
}

SaveOutcome SaveReplacing(ResultFiles& files, const std::string& path, const std::string& text) {
    std::string temporary;
    NewFileResult written = NewFileResult::kNameTaken;
    for (int attempt = 1; attempt <= kTemporaryNameAttempts; ++attempt) {
        temporary = TemporaryPathBeside(path, attempt);
        // The chosen file itself is never the new file, even when its name
        // looks like one of ours.
        if (temporary == path) continue;
        written = files.WriteNewFile(temporary, text);
        if (written != NewFileResult::kNameTaken) break;
    }
    switch (written) {
        case NewFileResult::kWritten:
            break;
        case NewFileResult::kNotWritten:
            files.Remove(temporary);
            return SaveOutcome::kWriteFailed;
        case NewFileResult::kNameTaken:
        case NewFileResult::kNotCreated:
            return SaveOutcome::kFolderRefused;
    }
    if (!files.ReplaceWith(temporary, path)) {
        files.Remove(temporary);
        return SaveOutcome::kReplaceFailed;
    }
    return SaveOutcome::kSaved;
}

}  // namespace quorvel
