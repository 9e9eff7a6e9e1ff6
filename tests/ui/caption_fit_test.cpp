// The display font file that Quorvel.exe carries, read byte by byte: its
// header, a glyph of its own for every letter, and every caption of the two
// windows fitting its control in both languages with the font's widths.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <tuple>

#include "main/main_layout.h"
#include "options/options_layout.h"
#include "options/options_texts.h"
#include "support/cp1252.h"
#include "support/test_files.h"
#include "ui/captions.h"

namespace quorvel {

using U = std::size_t;

// The one raster font of the .FON module: its header fields, widths and glyphs.
struct Font {
    Font() : bytes(test::ReadTestFile(QUORVEL_DISPLAY_FONT).value_or(std::string(64, '\0'))) {
        U at = U16(U16(0x3C) + 0x24) + U16(0x3C);  // the resource table
        const U shift = U16(at);
        for (at += 2; U16(at) != 0x8008;) at += 8 + 12 * U16(at + 2);
        fnt = U16(at + 8) << shift;
    }
    U Byte(U at) const { return std::uint8_t(bytes.at(at)); }
    U U16(U at) const { return Byte(at) | Byte(at + 1) << 8; }
    U Field(U offset, U size) const { return size == 1 ? Byte(fnt + offset) : U16(fnt + offset); }
    U Width(U code) const { return U16(fnt + 118 + 4 * (code - 32)); }
    std::string Glyph(U code) const {  // the width and the bits
        return std::to_string(Width(code)) +
               bytes.substr(fnt + U16(fnt + 120 + 4 * (code - 32)), (Width(code) + 7) / 8 * 13);
    }
    // The lines a text takes wrapped at spaces into the width; "&" is not drawn.
    U Lines(const std::string& text, U width) const {
        U lines = 1, used = 0;
        for (U start = 0, end; start <= text.size(); start = end + 1) {
            end = std::min(text.find(' ', start), text.size());
            U word = 0;
            for (U i = start; i < end; ++i)
                word += text[i] == '&' ? 0 : Width(std::uint8_t(text[i]));
            if (word > width) return 99;  // a word wider than the control never fits
            used += (used ? Width(' ') : 0) + word;
            if (used > width) ++lines, used = word;
        }
        return lines;
    }

    std::string bytes;
    U fnt = 0;
};

// The header and its face, and a glyph of its own for every letter. Then the
// room a control leaves its text: a check box's text starts after its
// 13-pixel box and a gap of 4, a button keeps 4 pixels of edge and focus
// rectangle each side, a frame's text sits 7 pixels in from each end, a
// drop-down list keeps its 16-pixel arrow and the edges (kMargins, in the
// order of ControlKind); other controls use their width. Labels wrap into as
// many 13-pixel lines as their height holds. The options dialog is in twips,
// 15 a pixel.
TEST(DisplayFontFile, HeaderGlyphsAndEveryCaptionFittingItsControl) {
    const Font font;
    EXPECT_EQ(font.bytes.substr(font.U16(0x3C) + font.U16(font.U16(0x3C) + 0x26), 8),
              "\x07QUORVEL");
    EXPECT_STREQ(font.bytes.c_str() + font.fnt + font.Field(105, 2), "QuorvelFont");
    // Offset, size and value: version 2.0, 8 points at 96 x 96 dpi, ascent 11,
    // leading 2 and 0, not italic, underlined or struck out, weight 400,
    // character set 0, height 13, pitch and family 0x21, widths 5 and 11,
    // codes 32 to 255, default 128.
    const std::tuple<U, U, U> fields[] = {
        // clang-format off
        {0, 2, 0x200}, {68, 2, 8}, {70, 2, 96}, {72, 2, 96}, {74, 2, 11}, {76, 2, 2}, {78, 2, 0},
        {80, 1, 0}, {81, 1, 0}, {82, 1, 0}, {83, 2, 400}, {85, 1, 0}, {88, 2, 13}, {90, 1, 0x21},
        {91, 2, 5}, {93, 2, 11}, {95, 1, 32}, {96, 1, 255}, {97, 1, 128 - 32}};
    // clang-format on
    for (const auto& [offset, size, value] : fields)
        EXPECT_EQ(font.Field(offset, size), value) << offset;
    for (U code = 127; code < 150; code += code == 144 ? 3 : 1)  // all but 145 and 146
        EXPECT_EQ(font.Glyph(code), font.Glyph(128)) << code;
    std::set<std::string> seen = {font.Glyph(128), font.Glyph(' ')};
    for (char c : "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz:.&-()" +
                      test::Cp1252("˜Ÿ¡¢£¤¥§ª¶ºÀÁÂÇÊËÒÓÕÖØÙÛÜßâãäåçèéêìíîïñóôõöøùü"))
        EXPECT_TRUE(seen.insert(font.Glyph(std::uint8_t(c))).second) << int(std::uint8_t(c));
    const auto fits = [&font](const auto& table, int id, int scale, const char* text) {
        const ControlPlace& place = *std::find_if(
            table.begin(), table.end(), [id](const ControlPlace& p) { return p.id == id; });
        constexpr int kMargins[] = {0, 0, 0, 8, 8, 17, 14, 22, 0};
        const int room = place.width / scale - kMargins[static_cast<int>(place.kind)];
        const int lines = place.kind == ControlKind::Label ? place.height / scale / 13 : 1;
        EXPECT_LE(font.Lines(text, U(room)), U(lines)) << id << " " << text << " " << room;
    };
    for (Language language : {Language::Vietnamese, Language::English}) {
        const MainCaptions& m = MainCaptionsFor(language);
        const OptionsCaptions& o = OptionsCaptionsFor(language);
        using C = OptionsControl;
        // clang-format off
        for (const auto& [id, text] : {std::pair{kLb1Id, m.enterImeiLabel}, {kLbiId, m.imeiTipLabel}, {kCm1Id, m.analyzeButton},
                                       {kCm2Id, m.saveButton}, {kCm3Id, m.clearButton}, {kCm4Id, m.optionsButton}})
            fits(kMainControls, id, 1, text);
        for (const auto& [id, text] : {std::pair{C::Lb1, o.languageLabel}, {C::Ck1, o.getOnlineCheck}, {C::Ck2, o.addMissingCheck},
                                       {C::Cm1, o.okButton}, {C::Cm2, o.cancelButton}, {C::Cm3, o.applyButton},
                                       {C::Fr1, o.connectionFrame}, {C::Cki, o.useProxyCheck}, {C::Lb2, o.proxyAddressLabel},
                                       {C::Lb3, o.proxyPortLabel}, {C::Cb1, kVietnameseEntry}, {C::Cb1, kEnglishEntry}})
            fits(kOptionsControls, static_cast<int>(id), 15, text);
        // clang-format on
    }
}

}  // namespace quorvel
