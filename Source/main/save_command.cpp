#include "main/save_command.h"

#include "main/save_messages.h"
#include "shared/text.h"
#include "ui/message_prompt.h"

namespace quorvel {

std::string SaveFailedMessage(Language language, SaveOutcome outcome, const std::string& path) {
    const SaveMessages& messages = SaveMessagesFor(language);
    const char* reason = nullptr;
    switch (outcome) {
        case SaveOutcome::kFolderRefused:
            reason = messages.folderRefused;
            break;
        case SaveOutcome::kWriteFailed:
            reason = messages.writeFailed;
            break;
        case SaveOutcome::kReplaceFailed:
            reason = messages.replaceFailed;
            break;
        case SaveOutcome::kSaved:
            return std::string();
    }
    return std::string(messages.lead) + kCrLf + path + kCrLf + reason + kCrLf +
           messages.nothingChanged;
}

const char* SaveFailedTitle(Language language) { return SaveMessagesFor(language).title; }

void RunSaveCommand(MainView& view, SettingsStore& settings, ResultFiles& files,
                    const SavePathQuestion& askPath) {
    const Language language = CurrentLanguage(settings);
    const std::string path = askPath(language);
    if (path.empty()) return;
    const SaveOutcome outcome = SaveReplacing(files, path, view.ResultText());
    if (outcome == SaveOutcome::kSaved) return;
    view.ShowMessage(SaveFailedMessage(language, outcome, path), kStyleExclamationOk,
                     SaveFailedTitle(language));
}

}  // namespace quorvel
