// The window class and styles of each kind of control the windows create.
#pragma once

#include <windows.h>

#include "ui/control_layout.h"

namespace quorvel {

// The captioned controls' face until the display font replaces it.
inline constexpr const char* kDesignCaptionFontFace = "MS Sans Serif";

struct ControlClass {
    const char* name;
    DWORD style;
    DWORD exStyle;
};

inline ControlClass ControlClassOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
            return {"STATIC", SS_LEFT, 0};
        case ControlKind::TextBox:
            return {"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case ControlKind::ResultBox:
            return {"EDIT", WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                    WS_EX_CLIENTEDGE};
        case ControlKind::Button:
            return {"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0};
        case ControlKind::DefaultButton:
            return {"BUTTON", WS_TABSTOP | BS_DEFPUSHBUTTON, 0};
        case ControlKind::CheckBox:
            return {"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0};
        case ControlKind::Frame:
            return {"BUTTON", BS_GROUPBOX, 0};
        case ControlKind::DropDownList:
            return {"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
        case ControlKind::Picture:
            break;
    }
    return {"STATIC", SS_BITMAP, 0};
}

}  // namespace quorvel
