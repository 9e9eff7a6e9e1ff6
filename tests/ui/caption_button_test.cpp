#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ui/caption_button.h"

namespace quorvel {
namespace {

std::string Describe(const PixelRect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

TEST(CaptionButtonRect, SitsLeftOfTheMinimiseButtonForTheWindowsPresentSize) {
    struct Case {
        const char* name;
        int windowWidth, windowHeight, clientHeight;
        CaptionMetrics metrics;  // cx size, cy size, cx edge, cy edge, cy caption
        PixelRect expected;
    };
    const CaptionMetrics usual = {18, 18, 2, 2, 18};
    const Case cases[] = {
        // bw 16, bh 14; left 396 - 64 - 5; top (330 - 300 - 4 - 18) / 2 + 4
        {"usual metrics", 400, 330, 300, usual, {327, 8, 343, 22}},
        {"a wider window moves it right", 500, 330, 300, usual, {427, 8, 443, 22}},
        {"an odd frame height truncates", 400, 331, 300, usual, {327, 8, 343, 22}},
        {"a taller frame moves it down", 400, 334, 300, usual, {327, 10, 343, 24}},
        // (19 - 0 - 4 - 18) / 2 is -1 toward zero (-2 rounding down).
        {"negative half truncates toward zero", 400, 19, 0, usual, {327, 3, 343, 17}},
        {"large caption metrics", 400, 340, 300, {26, 26, 2, 2, 26}, {295, 9, 319, 31}},
        {"wider edges", 400, 330, 300, {18, 18, 3, 3, 18}, {325, 8, 341, 22}},
        {"a window narrower than its buttons", 60, 330, 300, usual, {-13, 8, 3, 22}},
    };
    for (const Case& c : cases) {
        const PixelRect rect =
            CaptionButtonRect(c.windowWidth, c.windowHeight, c.clientHeight, c.metrics);
        EXPECT_EQ(Describe(rect), Describe(c.expected)) << c.name;
    }
}

TEST(IsInside, TakesLeftAndTopButNotRightAndBottom) {
    struct Case {
        PixelRect rect;
        int x, y;
        bool inside;
    };
    const PixelRect button = {10, 20, 30, 40};
    const PixelRect aboveAndLeft = {-10, -10, 0, 0};
    const Case cases[] = {
        {button, 10, 20, true},       {button, 29, 39, true},       {button, 20, 30, true},
        {button, 30, 30, false},      {button, 20, 40, false},      {button, 9, 30, false},
        {button, 20, 19, false},      {button, -1, -1, false},      {aboveAndLeft, -10, -10, true},
        {aboveAndLeft, -1, -1, true}, {aboveAndLeft, 0, -5, false}, {aboveAndLeft, -5, 0, false},
        {{5, 5, 5, 9}, 5, 6, false},  // an empty rectangle holds nothing
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsInside(c.rect, c.x, c.y), c.inside)
            << Describe(c.rect) << " at " << c.x << "," << c.y;
    }
}

TEST(Words, AreSignedSixteenBitHalves) {
    struct Case {
        std::uint32_t value;
        int low, high;
    };
    const Case cases[] = {
        {0x00000000u, 0, 0},          {0x00140064u, 100, 20}, {0xFFEC0064u, 100, -20},
        {0x0001FFFEu, -2, 1},         {0xFFFFFFFFu, -1, -1},  {0x7FFF8000u, -32768, 32767},
        {0x80007FFFu, 32767, -32768}, {0x00010000u, 0, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LoWord(c.value), c.low) << std::hex << c.value;
        EXPECT_EQ(HiWord(c.value), c.high) << std::hex << c.value;
    }
}

TEST(CaptionImageOffset, CentresAndMovesOnePixelWhenPushed) {
    struct Case {
        const char* name;
        PixelRect button;
        int width, height;
        int dx, dy;  // when normal; pushed adds one to both
    };
    const Case cases[] = {
        {"usual button", {327, 8, 343, 22}, 5, 9, 5, 2},
        {"odd room truncates", {0, 0, 10, 12}, 5, 9, 2, 1},
        {"exact fit", {0, 0, 5, 9}, 5, 9, 0, 0},
        // (4 - 5) / 2 and (4 - 9) / 2 truncate toward zero.
        {"image larger than the button", {0, 0, 4, 4}, 5, 9, 0, -2},
        {"no image", {0, 0, 16, 14}, 0, 0, 8, 7},
    };
    for (const Case& c : cases) {
        const PixelOffset normal = CaptionImageOffset(c.button, c.width, c.height, kButtonNormal);
        const PixelOffset pushed = CaptionImageOffset(c.button, c.width, c.height, kButtonPushed);
        EXPECT_EQ(normal.dx, c.dx) << c.name;
        EXPECT_EQ(normal.dy, c.dy) << c.name;
        EXPECT_EQ(pushed.dx, c.dx + 1) << c.name;
        EXPECT_EQ(pushed.dy, c.dy + 1) << c.name;
    }
}

TEST(CaptionImage, IsALetterOnTransparentBlack) {
    int letterPixels = 0;
    for (const char* row : kCaptionImageRows) {
        ASSERT_EQ(std::string(row).size(), static_cast<std::size_t>(kCaptionImageWidth)) << row;
        for (const char* p = row; *p; ++p) {
            ASSERT_TRUE(*p == '#' || *p == '.') << row;
            letterPixels += *p == '#';
        }
    }
    EXPECT_GT(letterPixels, 0);
    EXPECT_LT(letterPixels, kCaptionImageWidth * kCaptionImageHeight);
}

// Steps of the left mouse button against the tracker: press (p), move (m),
// release (r), each inside (+) or outside (-), and the capture lost (x).
TEST(CaptionButtonTracker, FollowsPressMoveAndRelease) {
    struct Case {
        const char* name;
        std::vector<std::string> steps;
        // After each step: "held" or "idle", then what the step gave: for a
        // press "taken"/"passed", a move "pushed"/"normal", a release
        // "opens"/"closed", for a lost capture nothing.
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"press and release inside", {"p+", "r+"}, {"held taken", "idle opens"}},
        {"release outside", {"p+", "r-"}, {"held taken", "idle closed"}},
        {"press outside is not the button's", {"p-", "r+"}, {"idle passed", "idle closed"}},
        {"drag out and back in",
         {"p+", "m-", "m+", "r+"},
         {"held taken", "held normal", "held pushed", "idle opens"}},
        {"drag out and release",
         {"p+", "m+", "m-", "r-"},
         {"held taken", "held pushed", "held normal", "idle closed"}},
        {"capture lost while held", {"p+", "x", "r+"}, {"held taken", "idle", "idle closed"}},
        {"a second release does nothing",
         {"p+", "r+", "r+"},
         {"held taken", "idle opens", "idle closed"}},
        {"pressed again after a release",
         {"p+", "r-", "p+", "r+"},
         {"held taken", "idle closed", "held taken", "idle opens"}},
    };
    for (const Case& c : cases) {
        CaptionButtonTracker tracker;
        ASSERT_EQ(c.steps.size(), c.expected.size()) << c.name;
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            const std::string& step = c.steps[i];
            const bool inside = step.size() > 1 && step[1] == '+';
            std::string gave;
            if (step[0] == 'p') gave = tracker.Press(inside) ? " taken" : " passed";
            if (step[0] == 'm')
                gave = tracker.Move(inside) == kButtonPushed ? " pushed" : " normal";
            if (step[0] == 'r') gave = tracker.Release(inside) ? " opens" : " closed";
            if (step[0] == 'x') tracker.Abandon();
            const std::string state = tracker.IsHeld() ? "held" : "idle";
            EXPECT_EQ(state + gave, c.expected[i]) << c.name << ", step " << i;
        }
    }
}

}  // namespace
}  // namespace quorvel
