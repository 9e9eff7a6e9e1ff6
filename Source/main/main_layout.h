// The main window's controls in tab order, with their places in pixels at
// 96 dpi (15 twips a pixel).
#pragma once

#include <array>

#include "ui/control_layout.h"

namespace quorvel {

// Control identifiers of F1, in tab order.
enum MainControlId : int {
    kLb1Id = 101,  // prompt for the IMEI box
    kTx1Id = 102,  // IMEI input
    kLbiId = 103,  // tip where to find the IMEI
    kTx2Id = 104,  // result text
    kCm1Id = 105,  // Analyze (default button)
    kCm2Id = 106,  // Save
    kCm3Id = 107,  // Clear
    kCm4Id = 108,  // Options
    kPxiId = 109,  // picture of the caption button's "i"
};

// Buttons of 1335 x 375 twips, 1440 twips apart.
inline constexpr int kMainMargin = 8;
inline constexpr int kMainButtonWidth = 89;
inline constexpr int kMainButtonHeight = 25;
inline constexpr int kMainButtonPitch = 96;
inline constexpr int kMainButtonTop = 266;
inline constexpr int kMainContentWidth = 3 * kMainButtonPitch + kMainButtonWidth;
inline constexpr int kMainClientWidth = kMainContentWidth + 2 * kMainMargin;
inline constexpr int kMainClientHeight = 300;

inline constexpr std::array<ControlPlace, 9> kMainControls = {{
    {kLb1Id, ControlKind::Label, kMainMargin, 12, 150, 16, false},
    {kTx1Id, ControlKind::TextBox, kMainMargin + 152, 8, kMainContentWidth - 152, 22, false},
    {kLbiId, ControlKind::Label, kMainMargin + 12, 38, kMainContentWidth - 12, 42, false},
    {kTx2Id, ControlKind::ResultBox, kMainMargin, 84, kMainContentWidth, 174, false},
    {kCm1Id, ControlKind::DefaultButton, kMainMargin, kMainButtonTop, kMainButtonWidth,
     kMainButtonHeight, false},
    {kCm2Id, ControlKind::Button, kMainMargin + kMainButtonPitch, kMainButtonTop, kMainButtonWidth,
     kMainButtonHeight, false},
    {kCm3Id, ControlKind::Button, kMainMargin + 2 * kMainButtonPitch, kMainButtonTop,
     kMainButtonWidth, kMainButtonHeight, false},
    {kCm4Id, ControlKind::Button, kMainMargin + 3 * kMainButtonPitch, kMainButtonTop,
     kMainButtonWidth, kMainButtonHeight, false},
    {kPxiId, ControlKind::Picture, kMainMargin, 42, 5, 9, false},
}};

}  // namespace quorvel
