// The About message: reads the program's version record and shows the text.
#include "ui/about_win32.h"

#include <vector>

#include "ui/message_box_win32.h"
#include "ui/message_prompt.h"

namespace quorvel {
namespace {

// The module's file name, however long it is.
std::string ModulePath(HMODULE module) {
    std::vector<char> path(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return std::string();
        if (length < path.size()) return std::string(path.data(), length);
        path.resize(path.size() * 2);
    }
}

// A text value of the record, or the empty text when it has none.
std::string QueryText(std::vector<char>& record, const std::string& name) {
    char* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(record.data(), name.c_str(), reinterpret_cast<void**>(&value), &length) ||
        !value) {
        return std::string();
    }
    std::string text(value, length);
    // The length counts the terminating null.
    if (const auto end = text.find('\0'); end != std::string::npos) text.resize(end);
    return text;
}

// The string table of the record's first translation; US English in the
// ANSI code page when the record lists none.
std::string StringTablePath(std::vector<char>& record) {
    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translation = nullptr;
    UINT length = 0;
    Translation chosen = {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), 1252};  // 0x0409, cp 1252
    if (VerQueryValueA(record.data(), "\\VarFileInfo\\Translation",
                       reinterpret_cast<void**>(&translation), &length) &&
        translation && length >= sizeof(Translation)) {
        chosen = *translation;
    }
    char path[40] = {};
    wsprintfA(path, "\\StringFileInfo\\%04x%04x\\", chosen.language, chosen.codePage);
    return path;
}

}  // namespace

std::optional<VersionRecord> ReadVersionRecord(HMODULE module) {
    const std::string path = ModulePath(module);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return std::nullopt;
    std::vector<char> record(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, record.data())) return std::nullopt;

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(record.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || !fixed ||
        length < sizeof(VS_FIXEDFILEINFO)) {
        return std::nullopt;
    }
    VersionRecord result;
    result.version = {HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                      HIWORD(fixed->dwFileVersionLS)};
    result.companyName = QueryText(record, StringTablePath(record) + "CompanyName");
    return result;
}

void ShowAbout(HWND owner, HICON icon) {
    // The program always carries its record; without one the numbers read 0.
    const VersionRecord record = ReadVersionRecord(nullptr).value_or(VersionRecord{});
    ShowMessage(owner, AboutText(record.version, record.companyName), kStyleInformationOk,
                kAboutTitle, icon);
}

}  // namespace quorvel
