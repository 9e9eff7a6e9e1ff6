#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "ui/caption_button.h"

namespace quorvel {
namespace {

std::string Describe(const PixelRect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

// Metrics: SM_CXSIZE, SM_CYSIZE, SM_CXEDGE, SM_CYEDGE, SM_CYCAPTION. The button
// is SM_CXSIZE - 2 by SM_CYSIZE - 4; left = (width - 2 cx edge) - 4 bw - 5; top =
// (height - client height - 2 cy edge - caption) / 2 toward zero + cy edge + 2.
TEST(CaptionButton, RectInsideTestAndImageOffset) {
    const struct {
        int width, height, clientHeight;
        CaptionMetrics metrics;
        const char* rect;
    } rects[] = {
        {400, 330, 300, {18, 18, 2, 2, 18}, "327,8,343,22"},
        {500, 331, 300, {18, 18, 2, 2, 18}, "427,8,443,22"},
        {400, 334, 300, {18, 18, 2, 2, 18}, "327,10,343,24"},
        {400, 19, 0, {18, 18, 2, 2, 18}, "327,3,343,17"},  // -3 / 2 is -1
        {400, 340, 300, {26, 24, 3, 1, 26}, "293,9,317,29"},
    };
    for (const auto& c : rects) {
        EXPECT_EQ(Describe(CaptionButtonRect(c.width, c.height, c.clientHeight, c.metrics)),
                  c.rect);
    }

    const PixelRect button = {10, 20, 30, 40};
    const struct {
        int x, y;
        bool inside;
    } points[] = {{10, 20, true},  {29, 39, true},  {9, 30, false},
                  {20, 19, false}, {30, 30, false}, {20, 40, false}};
    for (const auto& p : points)
        EXPECT_EQ(IsInside(button, p.x, p.y), p.inside) << p.x << "," << p.y;

    // Centred, halves toward zero; pushed one pixel right and down.
    const struct {
        PixelRect button;
        int width, height, dx, dy;
    } images[] = {{{327, 8, 343, 22}, 5, 9, 5, 2}, {{0, 0, 4, 4}, 5, 9, 0, -2}};
    for (const auto& c : images) {
        const PixelOffset normal = CaptionImageOffset(c.button, c.width, c.height, kButtonNormal);
        const PixelOffset pushed = CaptionImageOffset(c.button, c.width, c.height, kButtonPushed);
        EXPECT_EQ(Describe({normal.dx, normal.dy, pushed.dx, pushed.dy}),
                  Describe({c.dx, c.dy, c.dx + 1, c.dy + 1}));
    }
}

TEST(CaptionButton, WordsAreSignedSixteenBitHalves) {
    const struct {
        std::uint32_t value;
        int low, high;
    } cases[] = {{0x00140064u, 100, 20},
                 {0xFFEC0064u, 100, -20},
                 {0x0001FFFEu, -2, 1},
                 {0x80007FFFu, 32767, -32768}};
    for (const auto& c : cases) {
        EXPECT_EQ(LoWord(c.value), c.low) << std::hex << c.value;
        EXPECT_EQ(HiWord(c.value), c.high) << std::hex << c.value;
    }
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

}  // namespace
}  // namespace quorvel
