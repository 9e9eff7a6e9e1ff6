// The Analyze and Save commands of the main window.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "imei/handset_database.h"
#include "main/analyze_command.h"
#include "main/save_command.h"
#include "support/fake_main_view.h"
#include "support/fake_result_files.h"
#include "support/fake_settings.h"

namespace quorvel {
namespace {

const std::string kBabt =
    "Issued by: BABT, Great Britain (British Approvals Board for Telecommunications)\r\n";
const std::string kHead = "\r\n[Local information]\r\n";

std::string FakeLookup(const std::string& tac) {
    if (tac == "35209900") return "Nokia||NHL-10|extra";  // an empty field, one too many
    if (tac == "35000000") return "Maker";                // two fields missing
    throw std::runtime_error("unreadable");               // counts as unknown
}

test::FakeMainView Analyze(const char* languageId, const char* getOnline, const std::string& typed,
                           std::deque<int> answers, const TacLookup& lookup = FakeLookup) {
    test::FakeMainView view;
    test::FakeSettings settings;
    settings.Set(kLanguageIdKey, languageId);
    settings.Set(kGetOnlineImeiKey, getOnline);
    view.imeiBox = typed;
    view.resultBox = "earlier result";
    view.answers = answers;
    RunAnalyzeCommand(view, settings, lookup);
    return view;
}

// The message boxes and the busy switch, in order.
TEST(AnalyzeCommand, AsksAndSwitchesTheButtonsAsTheTextAndSettingsRequire) {
    const std::string en = "enable", off = "disable", w = "Warning|", vi = "Th\xA4ng b\xC0o|";
    const std::string length = "box 48 " + w + "Invalid IMEI. The IMEI should be 15-digit number.";
    const std::string digit = "box 36 " + w + "Invalid IMEI. The last check digit should be {";
    const std::string correct = "}.\r\nDo you want to correct it?";
    const std::string search = "box 36 " + w +
                               "The information for this IMEI was not found in the local "
                               "database.\r\nDo you want to search from the Internet?";
    const std::string viLength = "box 48 " + vi +
                                 "S\xE7 IMEI kh\xA4ng h\xEDp l\xD6. \x98\xE8 d\xAAi c\xEF" +
                                 "a s\xE7 IMEI ph\xB6i l\xAA 15 ch\xF6 s\xE7.";
    const std::string viDigit = "box 36 " + vi +
                                "S\xE7 IMEI kh\xA4ng h\xEDp l\xD6. Ch\xF6 s\xE7 cu\xE7i c\xEEng "
                                "ph\xB6i l\xAA {1}.\r\nB\xC1n c\xE2 mu\xE7n s\xF5" +
                                "a th\xAAnh s\xE7 IMEI h\xEDp l\xD6 kh\xA4ng?";
    const std::string viSearch = "box 36 " + vi +
                                 "Kh\xA4ng c\xE2 th\xA4ng tin v\xD2 s\xE7 IMEI trong CSDL c\xEF" +
                                 "a ch\xA7\xA5ng tr\xD8nh.\r\nB\xC1n c\xE2 mu\xE7n t\xD8m th\xA4ng "
                                 "tin IMEI t\xF4 Internet kh\xA4ng?";
    const std::string online = "online 490154203237518";
    const std::tuple<const char*, const char*, const char*, std::deque<int>,
                     std::vector<std::string>>
        cases[] = {
            {"", "", "35209900176148", {1}, {length}},
            {"00", "", "352099-00176148", {1}, {length}},
            {"", "", "35209900176x481", {1}, {length}},
            {"", "", "352099001761482", {2}, {digit + "1" + correct}},
            {"", "", "352099001761482", {6}, {digit + "1" + correct, off, en}},
            {"", "", "490154203237518", {7}, {off, search, en}},
            {"", "0", "490154203237519", {6, 6}, {digit + "8" + correct, off, search, online}},
            {"", "1", "352099001761481", {}, {off, "online 352099001761481"}},
            {"", "1", "490154203237518", {}, {off, online}},
            {"", " 1", "352099001761481", {}, {off, en}},
            {"0", "", "35209900176148", {1}, {viLength}},
            {"0", "", "352099001761482", {7}, {viDigit}},
            {"0", "", "490154203237518", {7}, {off, viSearch, en}},
        };
    for (const auto& [languageId, getOnline, typed, answers, expected] : cases) {
        EXPECT_EQ(Analyze(languageId, getOnline, typed, answers).log, expected) << typed;
    }
}

TEST(AnalyzeCommand, WritesTheTrimmedOrCorrectedTextAndTheLocalResult) {
    const std::string nokia =
        kHead + "Manufacturer: Nokia\r\nModel type: N/A\r\nReference: NHL-10\r\n";
    const std::tuple<const char*, int, const char*, std::string> cases[] = {
        {" 35-209900-176148-1 ", 0, "35-209900-176148-1",
         "Input IMEI: 35-209900-176148-1\r\n" + nokia + kBabt},
        {"35 209900-176148/2", 6, "35 209900-176148/1",
         "Input IMEI: 35 209900-176148/2\r\nValid IMEI: 35 209900-176148/1\r\n" + nokia + kBabt},
        {"3520990017614 ", 1, "3520990017614", ""},
        {"350000000000006", 0, "350000000000006",
         "Input IMEI: 350000000000006\r\n" + kHead + "Manufacturer: Maker\r\n" + kBabt},
        // An unknown TAC (no list knows 350001): the lines that learning looks for.
        {"350001000000004", 7, "350001000000004",
         "Input IMEI: 350001000000004\r\n" + kHead +
             "Manufacturer: unknown\r\nModel type: unknown\r\nReference: unknown\r\n" + kBabt},
    };
    for (const auto& [typed, answer, imei, result] : cases) {
        const test::FakeMainView view =
            Analyze("0", "", typed, std::deque<int>(answer ? 1u : 0u, answer));
        EXPECT_EQ(view.imeiBox, imei);
        EXPECT_EQ(view.resultBox, result) << typed;
    }
}

// Over the committed records: a TAC that no list holds is unknown, and so
// asks to search on-line, even where other TACs of its block name a maker
// (350139: Nokia 3310 in tacdb.csv, 35013967 Samsung's).
TEST(AnalyzeCommand, AsksToSearchOnlineForATacOnlyItsBlockKnows) {
    FileHandsetSources records(ReadFileBytes(QUORVEL_RECORDS_PATH), "");
    const TacLookup lookup = [&records](const std::string& tac) {
        return LookupTac(tac, records).fields;
    };
    const std::string search =
        "box 36 Warning|The information for this IMEI was not found in the "
        "local database.\r\nDo you want to search from the Internet?";
    const test::FakeMainView unknown = Analyze("", "", "350139990000004", {7}, lookup);
    EXPECT_EQ(unknown.log, (std::vector<std::string>{"disable", search, "enable"}));
    EXPECT_NE(unknown.resultBox.find("Manufacturer: unknown\r\n"), std::string::npos);
    const test::FakeMainView known = Analyze("", "", "350139670000001", {}, lookup);
    EXPECT_EQ(known.log, (std::vector<std::string>{"disable", "enable"}));
    EXPECT_NE(known.resultBox.find("Manufacturer: Samsung\r\n"), std::string::npos);
}

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
