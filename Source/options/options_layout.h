// The options dialog's controls in tab order, with their places in twips
// (1/1440 inch) in the dialog's client area, or in the frame FR1 for the five
// controls inside it.
#pragma once

#include <array>

#include "options/options_form.h"
#include "ui/control_layout.h"

namespace quorvel {

inline constexpr int kOptionsClientWidthTwips = 5565;
inline constexpr int kOptionsClientHeightTwips = 3990;

inline constexpr std::array<ControlPlace, 13> kOptionsControls = {{
    {static_cast<int>(OptionsControl::Lb1), ControlKind::Label, 360, 360, 1815, 195, false},
    {static_cast<int>(OptionsControl::Cb1), ControlKind::DropDownList, 2280, 300, 2895, 315, false},
    {static_cast<int>(OptionsControl::Ck1), ControlKind::CheckBox, 360, 780, 4815, 315, false},
    {static_cast<int>(OptionsControl::Ck2), ControlKind::CheckBox, 360, 1200, 4815, 315, false},
    {static_cast<int>(OptionsControl::Fr1), ControlKind::Frame, 360, 1620, 4815, 1335, false},
    {static_cast<int>(OptionsControl::Cki), ControlKind::CheckBox, 300, 300, 3975, 315, true},
    {static_cast<int>(OptionsControl::Lb2), ControlKind::Label, 300, 780, 735, 195, true},
    {static_cast<int>(OptionsControl::Tx1), ControlKind::TextBox, 1080, 720, 1575, 315, true},
    {static_cast<int>(OptionsControl::Lb3), ControlKind::Label, 3120, 780, 495, 195, true},
    {static_cast<int>(OptionsControl::Tx2), ControlKind::TextBox, 3720, 720, 735, 315, true},
    {static_cast<int>(OptionsControl::Cm1), ControlKind::DefaultButton, 1320, 3240, 1215, 375,
     false},
    {static_cast<int>(OptionsControl::Cm2), ControlKind::Button, 2640, 3240, 1215, 375, false},
    {static_cast<int>(OptionsControl::Cm3), ControlKind::Button, 3960, 3240, 1215, 375, false},
}};

}  // namespace quorvel
