// The display font on Windows: the temporary folder, the temporary font file
// written from the program's resource, and its registration for the run.
#pragma once

#include <windows.h>

#include <string>

#include "ui/captions.h"

namespace quorvel {

// The system's temporary folder (GetTempPathA), ending in "\"; the empty text
// when the system gives none.
std::string GetTempFolder();

// The temporary font file in the current temporary folder, built anew on
// every call.
std::string CurrentDisplayFontFilePath();

// Owns the temporary font file and its registration: what it wrote and
// registered it removes again, at Remove() or when it is destroyed.
class DisplayFontInstallation {
public:
    DisplayFontInstallation() = default;
    ~DisplayFontInstallation() { Remove(); }
    DisplayFontInstallation(const DisplayFontInstallation&) = delete;
    DisplayFontInstallation& operator=(const DisplayFontInstallation&) = delete;

    // Writes the font's bytes to the temporary font file, over whatever file
    // is there. False when the file cannot be written and does not already
    // hold exactly these bytes (a second running copy may hold it open).
    bool Extract(const std::string& fontBytes);
    bool IsExtracted() const { return extracted_; }

    // Registers the extracted file with AddFontResourceA. False when there is
    // no file or the system does not take it as a font.
    bool Register();
    bool IsRegistered() const { return registered_; }

    // RemoveFontResourceA, then deletion of the file; each step on its own,
    // and only for what this object did. Failures are ignored.
    void Remove();

private:
    bool extracted_ = false;
    bool registered_ = false;
};

// Tells the user, in the interface language and in a message box that reads
// without the display font, that the program runs on without it.
void ReportDisplayFontUnavailable(HWND owner, Language language);

}  // namespace quorvel
