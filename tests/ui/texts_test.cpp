// The texts of the user interface in both languages, written out as the
// program quotes them, and the rules that pick and lay them out.
#include <gtest/gtest.h>

#include <string>

#include "imei/handset_database.h"
#include "support/cp1252.h"
#include "ui/about_text.h"
#include "ui/captions.h"
#include "ui/display_font.h"
#include "ui/message_prompt.h"
#include "ui/save_dialog_texts.h"

namespace quorvel {

using test::Cp1252;
using namespace std::literals;

// The six captions of the main window, one a line, in the order applied.
static std::string Shown(const MainCaptions& m) {
    return std::string(m.enterImeiLabel) + "\n" + m.imeiTipLabel + "\n" + m.analyzeButton + "\n" +
           m.saveButton + "\n" + m.clearButton + "\n" + m.optionsButton;
}

// The main window, About and the display font's; the message box and the
// Save As dialog.
TEST(Texts, OfEachWindowBoxAndDialog) {
    EXPECT_EQ(
        Shown(MainCaptionsFor(Language::Vietnamese)),
        Cp1252("&NhËp vªo sç IMEI:\n"
               "BÁn câ thÓ xem sç IMEI bÂng cÀch bÊm *#06# tô mªn hØnh ché cïa mÀy ¢iÖn thoÁi "
               "di ¢èng. Sç IMEI cñng th§éng ¢§íc in ê phÛa sau th¡n mÀy.\n"
               "&Ph¡n tÛch\n&L§u\n&XoÀ\n&Tuù chãn..."));
    EXPECT_EQ(Shown(MainCaptionsFor(Language::English)),
              "&Enter the IMEI number:\n"
              "You can get the IMEI by typing *#06# from the standby screen. It is also usually "
              "printed on the compliance plate under the battery.\n"
              "&Analyze\n&Save\n&Clear\n&Options...");
    EXPECT_EQ(kAboutTitle, Cp1252("Giìi thiÖu"));
    EXPECT_EQ(AboutText({1, 2, 0}, "contact"),
              Cp1252("PhÇn mÒm gi¶i mº th¤ng tin tô sç IMEI, phi£n b¶n 1.2.0\r\n\r\n") +
                  kAboutCreditLine + "\r\ncontact\r\n" + kHandsetDataCredit);
    EXPECT_EQ(DisplayFontFilePath("C:\\Temp"), "C:\\Temp\\~DF9BA6Z.vwf\xA0");
    EXPECT_EQ(DisplayFontFilePath(""), "");  // no folder: no file anywhere
    // The display font's failure reads without the font: English, or
    // Vietnamese without marks.
    EXPECT_EQ(DisplayFontUnavailableMessage(Language::Vietnamese, "C:\\T\\") + "|" +
                  DisplayFontUnavailableMessage(Language::English, "D:\\"),
              "Quorvel khong the cai dat phong chu hien thi tu thu muc tam:\r\nC:\\T\\\r\n\r\n"
              "Chuong trinh tiep tuc chay voi phong chu he thong, nen chu tieng Viet co the hien "
              "thi khong dung.|Quorvel could not install its display font from the temporary "
              "folder:\r\nD:\\\r\n\r\nIt runs on with the system font, so Vietnamese letters may "
              "not show correctly.");
    std::string buttons;
    for (const ButtonRelabel& b : kMessageBoxButtonRelabels)
        buttons += std::string(b.systemCaption) + "|" + b.replacement + "\n";
    EXPECT_EQ(buttons + kSaveButtonRelabel.systemCaption + "|" + kSaveButtonRelabel.replacement,
              Cp1252("OK|˜âng\n&Yes|&Câ\n&No|&Kh¤ng\n&Save|&L§u"));
    // The first of the longest lines gets seven spaces; every line then ends
    // with CR LF, and one more CR LF ends the text. Only CR LF ends a line.
    const std::pair<const char*, const char*> prompts[] = {
        {"ab\r\ncd", "ab       \r\ncd\r\n\r\n"},
        {"a\r\nbcd\r\nef", "a\r\nbcd       \r\nef\r\n\r\n"},
        {"ab\ncd\r\nxyz\r\n", "ab\ncd       \r\nxyz\r\n\r\n\r\n"},
    };
    for (const auto& [prompt, shown] : prompts) EXPECT_EQ(ReformatPrompt(prompt), shown) << prompt;
    const SaveDialogTexts& en = SaveDialogTextsFor(Language::English);
    const SaveDialogTexts& vi = SaveDialogTextsFor(Language::Vietnamese);
    EXPECT_EQ(en.filter, "Text Documents (*.txt)\0*.txt\0All Files (*.*)\0*.*\0\0"s);
    EXPECT_EQ(vi.filter, Cp1252("Tªi liÖu vŸn b¶n (*.txt)\0*.txt\0TÊt c¶ (*.*)\0*.*\0\0"sv));
    EXPECT_EQ(en.systemTitle, nullptr);
    EXPECT_STREQ(vi.systemTitle, " ");
    EXPECT_EQ(kSaveDialogTitle + "|"s + kSaveDefaultExtension, Cp1252("L§u TËp Tin|txt"));
    std::string relabels;
    for (const ControlRelabel& r : kSaveDialogRelabels)
        relabels += std::string(r.className) + "|" + r.systemCaption + "|" + r.replacement + "\n";
    EXPECT_EQ(relabels, Cp1252("Button|Cancel|&ThoÀt\n"
                               "static|Save &in:|&N¥i l§u:\n"
                               "static|File &name:|T£n tËp t&in:\n"
                               "static|Save as &type:|&DÁng tËp tin:\n"
                               "static|Files of &type:|&DÁng tËp tin:\n"));  // Wine's type list
}

}  // namespace quorvel
