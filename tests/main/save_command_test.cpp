#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "main/save_command.h"
#include "support/fake_main_view.h"
#include "support/fake_result_files.h"
#include "support/fake_settings.h"

namespace quorvel {
namespace {

TEST(SaveCommand, WritesTheResultBoxOrReportsInTheLanguageOfTheSetting) {
    const std::string path = "C:\\results\\phone.txt", result = "Input IMEI: 35\r\n\xA4\xFC";
    const std::string en = "box 48 Warning|The results could not be saved to the file:\r\n" + path;
    const std::string enEnd = "\r\nNo file was changed.";
    const std::string vi = "box 48 Th\xA4ng b\xC0o|Kh\xA4ng l\xA7u \xA2\xA7\xED" +
                           std::string("c k\xD5t qu\xB6 v\xAAo t\xCBp tin:\r\n") + path;
    const std::string viEnd = "\r\nKh\xA4ng c\xE2 t\xCBp tin n\xAAo b\xDC thay \xA2\xE5i.";
    enum Fault { kNone, kNoNewFile, kWriteStops, kNoReplace };
    const Language english = Language::English, vietnamese = Language::Vietnamese;
    // LanguageID, the path chosen, the fault, the dialog's language, the report.
    const std::tuple<const char*, std::string, Fault, Language, std::string> cases[] = {
        {"", path, kNone, english, ""},
        {"00", "", kNone, english, ""},
        {"1", path, kNoNewFile, english,
         en + "\r\nThe folder does not exist or does not accept new files." + enEnd},
        {"1", path, kWriteStops, english,
         en + "\r\nThe file could not be written completely; the disk may be full." + enEnd},
        {"1", path, kNoReplace, english,
         en + "\r\nThe existing file could not be replaced; another program may be using it." +
             enEnd},
        {"0", path, kNoNewFile, vietnamese,
         vi + "\r\nTh\xA7 m\xF3" + "c kh\xA4ng t\xE4n t\xC1i hay kh\xA4ng cho t\xC1o t\xCBp tin " +
             "m\xECi." + viEnd},
        {"0", path, kWriteStops, vietnamese,
         vi + "\r\nKh\xA4ng ghi \xA2\xA7\xED" +
             "c h\xD5t t\xCBp tin, c\xE2 th\xD3 \xA2\xBA h\xD5t " + "dung l\xA7\xEDng." + viEnd},
        {"0", path, kNoReplace, vietnamese,
         vi + "\r\nKh\xA4ng thay \xA2\xA7\xED" + "c t\xCBp tin c\xF1, c\xE2 th\xD3 ch\xA7\xA5ng " +
             "tr\xD8nh kh\xC0" + "c \xA2" + "ang d\xEEng n\xE2." + viEnd},
    };
    for (const auto& [languageId, chosen, fault, language, report] : cases) {
        test::FakeMainView view;
        test::FakeSettings settings;
        test::FakeResultFiles files;
        settings.Set(kLanguageIdKey, languageId);
        view.resultBox = result;
        view.answers = {1};
        files.files[path] = "old";
        files.refuseNewFiles = fault == kNoNewFile;
        files.bytesBeforeWriteFails = fault == kWriteStops ? 3 : -1;
        files.refuseReplace = fault == kNoReplace;
        std::vector<Language> asked;
        RunSaveCommand(view, settings, files, [&, chosen = chosen](Language shown) {
            asked.push_back(shown);
            return chosen;
        });
        EXPECT_EQ(asked, std::vector<Language>{language}) << report;
        const bool written = !chosen.empty() && report.empty();
        EXPECT_EQ(files.files[path], written ? result : "old") << report;
        EXPECT_EQ(view.log, report.empty() ? std::vector<std::string>{} : std::vector{report});
    }
}

}  // namespace
}  // namespace quorvel
