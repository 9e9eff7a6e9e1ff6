#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "ui/caption_button.h"

namespace quorvel {

// Metrics: SM_CXSIZE, SM_CYSIZE, SM_CXEDGE, SM_CYEDGE, SM_CYCAPTION. The button
// is SM_CXSIZE - 2 by SM_CYSIZE - 4; left = (width - 2 cx edge) - 4 bw - 5; top =
// (height - client height - 2 cy edge - caption) / 2 toward zero + cy edge + 2.
// The image is centred in it, halves toward zero, one pixel right and down
// when pushed; a point is inside from left and top to before right and bottom.
// A message's words are signed 16-bit halves.
TEST(CaptionButton, RectImageOffsetInsideTestAndWords) {
    const std::tuple<int, int, int, CaptionMetrics, PixelRect> rects[] = {
        {400, 330, 300, {18, 18, 2, 2, 18}, {327, 8, 343, 22}},
        {500, 331, 300, {18, 18, 2, 2, 18}, {427, 8, 443, 22}},
        {400, 334, 300, {18, 18, 2, 2, 18}, {327, 10, 343, 24}},
        {400, 19, 0, {18, 18, 2, 2, 18}, {327, 3, 343, 17}},  // -3 / 2 is -1
        {400, 340, 300, {26, 24, 3, 1, 26}, {293, 9, 317, 29}},
    };
    for (const auto& [width, height, clientHeight, metrics, rect] : rects)
        EXPECT_TRUE(CaptionButtonRect(width, height, clientHeight, metrics) == rect) << height;
    const std::tuple<PixelRect, CaptionButtonState, int, int> images[] = {
        {{327, 8, 343, 22}, kButtonNormal, 5, 2},
        {{327, 8, 343, 22}, kButtonPushed, 6, 3},
        {{0, 0, 4, 4}, kButtonNormal, 0, -2}};
    for (const auto& [button, state, dx, dy] : images) {
        const PixelOffset at = CaptionImageOffset(button, 5, 9, state);
        EXPECT_EQ(std::make_pair(at.dx, at.dy), std::make_pair(dx, dy)) << state;
    }
    const std::tuple<int, int, bool> points[] = {{10, 20, true},  {29, 39, true},  {9, 30, false},
                                                 {20, 19, false}, {30, 30, false}, {20, 40, false}};
    for (const auto& [x, y, inside] : points)
        EXPECT_EQ(IsInside({10, 20, 30, 40}, x, y), inside) << x << "," << y;
    EXPECT_EQ(std::make_tuple(LoWord(0xFFEC0064u), HiWord(0xFFEC0064u), LoWord(0x0001FFFEu),
                              HiWord(0x0001FFFEu)),
              std::make_tuple(100, -20, -2, 1));
}

// Steps: press (p), move (m), release (r), inside (+) or outside (-), capture
// lost (x.). After each step: held (H) or idle (I), then what the step gave:
// press taken (t) or passed (p), move pushed (P) or normal (n), release opens
// About (o) or not (c), nothing (.).
TEST(CaptionButton, TrackerFollowsPressMoveAndRelease) {
    const std::pair<std::string, std::string> cases[] = {
        {"p+r+", "HtIo"},         {"p+r-", "HtIc"},     {"p-r+", "IpIc"},
        {"p+m-m+r+", "HtHnHPIo"}, {"p+x.r+", "HtI.Ic"}, {"p+r+r+", "HtIoIc"},
    };
    for (const auto& [steps, expected] : cases) {
        CaptionButtonTracker tracker;
        std::string seen;
        for (std::size_t i = 0; i < steps.size(); i += 2) {
            const bool inside = steps[i + 1] == '+';
            char gave = '.';
            if (steps[i] == 'p') gave = tracker.Press(inside) ? 't' : 'p';
            if (steps[i] == 'm') gave = tracker.Move(inside) == kButtonPushed ? 'P' : 'n';
            if (steps[i] == 'r') gave = tracker.Release(inside) ? 'o' : 'c';
            if (steps[i] == 'x') tracker.Abandon();
            seen += std::string(1, tracker.IsHeld() ? 'H' : 'I') + gave;
        }
        EXPECT_EQ(seen, expected) << steps;
    }
}

}  // namespace quorvel
