#include "main/save_command.h"

#include "ui/message_prompt.h"

namespace quorvel {
namespace {

struct SaveMessages {
    const char* title;
    const char* lead;  // followed by the path on a line of its own
    const char* folderRefused;
    const char* writeFailed;
    const char* replaceFailed;
    const char* nothingChanged;  // ends every report
};

// Byte literals are split after a hex escape whenever a hex digit follows.
constexpr SaveMessages kVietnamese = {
    "Th\xA4ng b\xC0o",
    "Kh\xA4ng l\xA7u \xA2"
    "\xA7"
    "\xED"
    "c k\xD5t qu\xB6 v\xAAo t\xCBp tin:",
    "Th\xA7 m\xF3"
    "c kh\xA4ng t\xE4n t\xC1i hay kh\xA4ng cho t\xC1o t\xCBp tin m\xECi.",
    "Kh\xA4ng ghi \xA2"
    "\xA7"
    "\xED"
    "c h\xD5t t\xCBp tin, c\xE2 th\xD3 \xA2"
    "\xBA h\xD5t dung l\xA7"
    "\xEDng.",
    "Kh\xA4ng thay \xA2"
    "\xA7"
    "\xED"
    "c t\xCBp tin c\xF1, c\xE2 th\xD3 ch\xA7"
    "\xA5ng tr\xD8nh kh\xC0"
    "c \xA2"
    "ang d\xEEng n\xE2.",
    "Kh\xA4ng c\xE2 t\xCBp tin n\xAAo b\xDC thay \xA2"
    "\xE5i.",
};

constexpr SaveMessages kEnglish = {
    "Warning",
    "The results could not be saved to the file:",
    "The folder does not exist or does not accept new files.",
    "The file could not be written completely; the disk may be full.",
    "The existing file could not be replaced; another program may be using it.",
    "No file was changed.",
};

const SaveMessages& SaveMessagesFor(Language language) {
    return language == Language::Vietnamese ? kVietnamese : kEnglish;
}

}  // namespace

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
    return std::string(messages.lead) + "\r\n" + path + "\r\n" + reason + "\r\n" +
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
