// Installs the display font for the run: writes resource 12340 to the
// temporary font file, registers it with AddFontResourceA, and undoes both.
#include "ui/display_font_win32.h"

#include "shared/handles_win32.h"
#include "ui/display_font.h"
#include "ui/message_box_win32.h"
#include "ui/message_prompt.h"

namespace quorvel {
namespace {

constexpr DWORD kTempPathBufferLength = 256;

UniqueFile OpenFile(const std::string& path, DWORD access, DWORD disposition) {
    HANDLE file = CreateFileA(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    return UniqueFile(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

// The whole file replaced by the bytes; a file cut short is not left behind.
bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    bool written = false;
    {
        UniqueFile file = OpenFile(path, GENERIC_WRITE, CREATE_ALWAYS);
        if (!file) return false;
        DWORD count = 0;
        written = WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &count,
                            nullptr) &&
                  count == bytes.size();
    }
    if (!written) DeleteFileA(path.c_str());
    return written;
}

bool FileHoldsExactly(const std::string& path, const std::string& bytes) {
    UniqueFile file = OpenFile(path, GENERIC_READ, OPEN_EXISTING);
    if (!file || GetFileSize(file.Get(), nullptr) != bytes.size()) return false;
    std::string content(bytes.size(), '\0');
    DWORD count = 0;
    return ReadFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &count,
                    nullptr) &&
           count == bytes.size() && content == bytes;
}

}  // namespace

std::string GetTempFolder() {
    std::string buffer(kTempPathBufferLength, ' ');
    DWORD length = GetTempPathA(kTempPathBufferLength, buffer.data());
    if (length >= buffer.size()) {
        // Too long for the buffer: the length asked for includes the NUL.
        buffer.assign(length, ' ');
        length = GetTempPathA(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length >= buffer.size()) return std::string();
    }
    buffer.resize(length);  // 0 when the system gives no folder
    return buffer;
}

std::string CurrentDisplayFontFilePath() { return DisplayFontFilePath(GetTempFolder()); }

bool DisplayFontInstallation::Extract(const std::string& fontBytes) {
    const std::string path = CurrentDisplayFontFilePath();
    if (fontBytes.empty() || path.empty()) return false;
    extracted_ = WriteWholeFile(path, fontBytes) || FileHoldsExactly(path, fontBytes);
    return extracted_;
}

bool DisplayFontInstallation::Register() {
    if (!extracted_ || registered_) return registered_;
    // No font-change broadcast: only this program uses the face.
    registered_ = AddFontResourceA(CurrentDisplayFontFilePath().c_str()) > 0;
    return registered_;
}

void DisplayFontInstallation::Remove() {
    const std::string path = CurrentDisplayFontFilePath();
    if (registered_) RemoveFontResourceA(path.c_str());
    registered_ = false;
    if (extracted_) DeleteFileA(path.c_str());
    extracted_ = false;
}

void ReportDisplayFontUnavailable(HWND owner, Language language) {
    ShowMessage(owner, DisplayFontUnavailableMessage(language, GetTempFolder()),
                kStyleExclamationOk, kStartupFailureTitle, nullptr);
}

}  // namespace quorvel
