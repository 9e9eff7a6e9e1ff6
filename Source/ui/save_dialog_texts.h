// The texts of the Save As dialog in each interface language: the file-type
// filter, the title handed to the system, and the captions that replace the
// system's own in the Vietnamese dialog.
#pragma once

#include <array>
#include <string>

#include "ui/captions.h"

namespace quorvel {

struct SaveDialogTexts {
    // Pairs of a type name and its pattern, each ended by NUL, and one more
    // NUL after the last pair.
    std::string filter;
    // The title handed to the system; null leaves the system's own.
    const char* systemTitle;
};

const SaveDialogTexts& SaveDialogTextsFor(Language language);

// The title drawn into the Vietnamese dialog's caption bar.
// "Lưu Tập Tin"
inline constexpr const char* kSaveDialogTitle = "L\xA7u T\xCBp Tin";

// The default extension appended to a name typed without one.
inline constexpr const char* kSaveDefaultExtension = "txt";

// A control of the system's dialog found by its class (in any case) and exact
// caption, and the caption it is given.
struct ControlRelabel {
    const char* className;
    const char* systemCaption;
    const char* replacement;
};

// Relabelled in this order at every notification of the Vietnamese dialog;
// the Save button ("&Save") follows them, after the file-type list's font.
// Wine's dialog labels the file-type list "Files of &type:" where Windows
// says "Save as &type:"; both get the same caption.
inline constexpr std::array<ControlRelabel, 5> kSaveDialogRelabels = {{
    // "&Thoát"
    {"Button", "Cancel", "&Tho\xC0t"},
    // "&Nơi lưu:"
    {"static", "Save &in:", "&N\xA5i l\xA7u:"},
    // "Tên tập t&in:"
    {"static", "File &name:", "T\xA3n t\xCBp t&in:"},
    // "&Dạng tập tin:"
    {"static", "Save as &type:", "&D\xC1ng t\xCBp tin:"},
    // "&Dạng tập tin:"
    {"static", "Files of &type:", "&D\xC1ng t\xCBp tin:"},
}};

}  // namespace quorvel
