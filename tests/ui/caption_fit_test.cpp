// Every caption of the two windows fits its control in both languages, measured
// with the widths of the display font file that Quorvel.exe carries.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

#include "main/main_layout.h"
#include "options/options_layout.h"
#include "options/options_texts.h"
#include "support/test_files.h"
#include "ui/captions.h"

namespace quorvel {
namespace {

constexpr int kCellHeight = 13;
constexpr int kTwipsPerPixel = 15;  // at 96 dpi

int U16(const std::string& b, std::size_t at) {
    return static_cast<std::uint8_t>(b.at(at)) | static_cast<std::uint8_t>(b.at(at + 1)) << 8;
}

// The pixel widths of codes 0-255 of the one raster font in a .FON module.
std::vector<int> FontWidths(const std::string& fon) {
    const std::size_t ne = static_cast<std::size_t>(U16(fon, 0x3C));
    std::size_t at = ne + static_cast<std::size_t>(U16(fon, ne + 0x24));
    const int shift = U16(fon, at);
    for (at += 2; U16(fon, at) != 0x8008;
         at += 8 + 12 * static_cast<std::size_t>(U16(fon, at + 2))) {
    }
    const std::size_t fnt = static_cast<std::size_t>(U16(fon, at + 8)) << shift;
    const int first = static_cast<std::uint8_t>(fon.at(fnt + 95));
    const int last = static_cast<std::uint8_t>(fon.at(fnt + 96));
    const int fallback = U16(fon, fnt + 118 + 4 * static_cast<std::uint8_t>(fon.at(fnt + 97)));
    std::vector<int> widths(256, fallback);
    for (int code = first; code <= last; ++code) {
        widths[static_cast<std::size_t>(code)] =
            U16(fon, fnt + 118 + 4 * static_cast<std::size_t>(code - first));
    }
    return widths;
}

// Width of a run of text as drawn: "&" marks the access key and is not drawn.
int Width(const std::vector<int>& widths, const std::string& text) {
    int width = 0;
    for (char c : text) width += c == '&' ? 0 : widths[static_cast<unsigned char>(c)];
    return width;
}

// Lines the text takes when wrapped at spaces into the given width; a word
// wider than the width takes a line of its own and does not fit.
int Lines(const std::vector<int>& widths, const std::string& text, int width) {
    int lines = 1, used = 0;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos) end = text.size();
        const int word = Width(widths, text.substr(start, end - start));
        if (word > width) return 1000;
        const int needed = used == 0 ? word : used + widths[' '] + word;
        if (needed <= width) {
            used = needed;
        } else {
            ++lines;
            used = word;
        }
        start = end + 1;
    }
    return lines;
}

// The room a control leaves its text, in pixels: a check box's text starts
// after its 13-pixel box and a gap of 4, a button keeps 4 pixels of edge and
// focus rectangle on each side, a frame's text sits 7 pixels in from each
// end, and a drop-down list keeps its 16-pixel arrow and the edges.
int TextRoom(const ControlPlace& place, int width) {
    switch (place.kind) {
        case ControlKind::CheckBox:
            return width - 17;
        case ControlKind::Button:
        case ControlKind::DefaultButton:
            return width - 8;
        case ControlKind::Frame:
            return width - 14;
        case ControlKind::DropDownList:
            return width - 22;
        default:
            return width;
    }
}

template <std::size_t N>
ControlPlace PlaceOf(const std::array<ControlPlace, N>& table, int id) {
    for (const ControlPlace& place : table) {
        if (place.id == id) return place;
    }
    ADD_FAILURE() << "no control " << id;
    return {};
}

struct Caption {
    int window;  // 0 main window (pixels), 1 options dialog (twips)
    ControlPlace place;
    const char* text;
};

std::vector<Caption> AllCaptions() {
    std::vector<Caption> all;
    for (Language language : {Language::Vietnamese, Language::English}) {
        const MainCaptions& m = MainCaptionsFor(language);
        for (auto [id, text] : {std::pair{kLb1Id, m.enterImeiLabel},
                                {kLbiId, m.imeiTipLabel},
                                {kCm1Id, m.analyzeButton},
                                {kCm2Id, m.saveButton},
                                {kCm3Id, m.clearButton},
                                {kCm4Id, m.optionsButton}}) {
            all.push_back({0, PlaceOf(kMainControls, id), text});
        }
        const OptionsCaptions& o = OptionsCaptionsFor(language);
        using C = OptionsControl;
        for (auto [id, text] : {std::pair{C::Lb1, o.languageLabel},
                                {C::Ck1, o.getOnlineCheck},
                                {C::Ck2, o.addMissingCheck},
                                {C::Cm1, o.okButton},
                                {C::Cm2, o.cancelButton},
                                {C::Cm3, o.applyButton},
                                {C::Fr1, o.connectionFrame},
                                {C::Cki, o.useProxyCheck},
                                {C::Lb2, o.proxyAddressLabel},
                                {C::Lb3, o.proxyPortLabel},
                                {C::Cb1, kVietnameseEntry},
                                {C::Cb1, kEnglishEntry}}) {
            all.push_back({1, PlaceOf(kOptionsControls, static_cast<int>(id)), text});
        }
    }
    return all;
}

TEST(CaptionFit, EveryCaptionFitsItsControlInTheDisplayFont) {
    const auto fon = test::ReadTestFile(QUORVEL_DISPLAY_FONT);
    ASSERT_TRUE(fon) << QUORVEL_DISPLAY_FONT;
    const std::vector<int> widths = FontWidths(*fon);
    const char* const windows[] = {"main window", "options dialog"};
    std::string tightest[2];
    int smallestMargin[2] = {1000, 1000};
    for (const Caption& caption : AllCaptions()) {
        const int scale = caption.window == 0 ? 1 : kTwipsPerPixel;
        const ControlPlace& place = caption.place;
        const int room = TextRoom(place, place.width / scale);
        const int lines = place.kind == ControlKind::Label ? place.height / scale / kCellHeight : 1;
        const int needed = Lines(widths, caption.text, room);
        EXPECT_LE(needed, lines) << windows[caption.window] << " control " << place.id << ": \""
                                 << caption.text << "\" needs " << needed << " lines of " << room
                                 << " pixels";
        const int margin = room - Width(widths, caption.text);
        if (needed == 1 && margin < smallestMargin[caption.window]) {
            smallestMargin[caption.window] = margin;
            tightest[caption.window] = caption.text;
        }
    }
    for (int window : {0, 1}) {  // for the record: the tightest one-line caption
        std::cout << windows[window] << ": \"" << tightest[window] << "\" leaves "
                  << smallestMargin[window] << " pixels\n";
    }
}

}  // namespace
}  // namespace quorvel
