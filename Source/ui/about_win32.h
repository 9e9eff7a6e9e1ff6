// The About message, with the version and contact line of the running
// program's version record.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "ui/about_text.h"

namespace quorvel {

// What the About message takes from a module's version record: the file
// version's first three numbers and the CompanyName text.
struct VersionRecord {
    ProgramVersion version;
    std::string companyName;
};

// The version record of the module (null: the program itself); nullopt when
// the module has none.
std::optional<VersionRecord> ReadVersionRecord(HMODULE module);

// Shows the About message of the running program through ShowMessage:
// information style, the About title, and the given icon (the main window's),
// owned by owner.
void ShowAbout(HWND owner, HICON icon);

}  // namespace quorvel
