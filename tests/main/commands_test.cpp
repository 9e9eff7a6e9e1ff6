// The commands of the main window: Analyze, Save and the on-line look-up
// with the page it reduces. Expected texts are quoted as their Windows-1252
// characters (test::Cp1252).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "main/analyze_command.h"
#include "main/main_view.h"
#include "main/online_lookup.h"
#include "main/online_session.h"
#include "main/page_reduction.h"
#include "main/save_command.h"
#include "main/startup_messages.h"
#include "support/cp1252.h"
#include "support/fake_result_files.h"
#include "support/fake_settings.h"
#include "support/fake_transport.h"
#include "support/test_files.h"

namespace quorvel {
namespace {

using test::Cp1252;
using Log = std::vector<std::string>;

// A main window that keeps the texts of its two boxes, logs its other calls
// in order and answers message boxes from a queue.
class FakeMainView : public MainView {
public:
    std::string ImeiText() override { return imeiBox; }
    std::string ResultText() override { return resultBox; }
    void SetImeiText(const std::string& text) override { imeiBox = text; }
    void SetResultText(const std::string& text) override { resultBox = text; }
    // Logged as "box STYLE TITLE|PROMPT"; a box beyond the answers gets 0,
    // which no button gives.
    int ShowMessage(const std::string& prompt, int style, const std::string& title) override {
        log.push_back("box " + std::to_string(style) + " " + title + "|" + prompt);
        const int answer = answers.empty() ? 0 : answers.front();
        if (!answers.empty()) answers.pop_front();
        if (whileBoxIsOpen) whileBoxIsOpen();
        return answer;
    }
    void EnableCommands(bool enable) override { log.push_back(enable ? "enable" : "disable"); }
    void StartOnlineLookup(const std::string& imei) override { log.push_back("online " + imei); }

    std::string imeiBox, resultBox;
    std::deque<int> answers;
    std::function<void()> whileBoxIsOpen;  // what the user does before answering
    std::vector<std::string> log;
};

std::string FakeLookup(const std::string& tac) {
    if (tac == "35209900") return "Nokia||NHL-10|extra";  // an empty field, one too many
    if (tac == "35000000") return "Maker";                // two fields missing
    throw std::runtime_error("unreadable");               // counts as unknown
}

// The message boxes and the busy switch, in order; where given, the IMEI box
// and the result box after.
TEST(AnalyzeCommand, AsksSwitchesTheButtonsAndWritesTheResultAsTheTextAndSettingsRequire) {
    const std::string en = "enable", off = "disable", q = "box 36 Warning|", vi = "Th¤ng bÀo|";
    const std::string length = "box 48 Warning|Invalid IMEI. The IMEI should be 15-digit number.";
    const std::string digit = q + "Invalid IMEI. The last check digit should be {";
    const std::string correct = "}.\r\nDo you want to correct it?",
                      online = "online 490154203237518";
    const std::string search = q +
                               "The information for this IMEI was not found in the local "
                               "database.\r\nDo you want to search from the Internet?";
    const std::string head = "\r\n[Local information]\r\nManufacturer: ";
    const std::string babt =
        "Issued by: BABT, Great Britain (British Approvals Board for Telecommunications)\r\n";
    const std::tuple<const char*, const char*, const char*, std::deque<int>, Log, std::string>
        cases[] = {
            // clang-format off
            {"", "", "3520990017614 ", {1}, {length}, "3520990017614|"},
            {"", "", "35209900176x481", {1}, {length}, ""},
            {"", "", "35 209900-176148/2", {6}, {digit + "1" + correct, off, en},
             "35 209900-176148/1|Input IMEI: 35 209900-176148/2\r\n"
             "Valid IMEI: 35 209900-176148/1\r\n" + head +
             "Nokia\r\nModel type: N/A\r\nReference: NHL-10\r\n" + babt},
            {"", "", " 350000000000006 ", {}, {off, en},
             "350000000000006|Input IMEI: 350000000000006\r\n" + head + "Maker\r\n" + babt},
            // An unknown TAC: the lines that learning looks for.
            {"", "", "350001000000004", {7}, {off, search, en},
             "350001000000004|Input IMEI: 350001000000004\r\n" + head +
             "unknown\r\nModel type: unknown\r\nReference: unknown\r\n" + babt},
            {"", "0", "490154203237519", {6, 6}, {digit + "8" + correct, off, search, online}, ""},
            {"", "1", "352099001761481", {}, {off, "online 352099001761481"}, ""},
            {"", " 1", "352099001761481", {}, {off, en}, ""},
            {"0", "", "35209900176148", {1},
             {"box 48 " + vi + "Sç IMEI kh¤ng híp lÖ. ˜è dªi cïa sç IMEI ph¶i lª 15 chö sç."}, ""},
            {"0", "", "352099001761482", {7}, {"box 36 " + vi + "Sç IMEI kh¤ng híp lÖ. Chö sç "
             "cuçi cîng ph¶i lª {1}.\r\nBÁn câ muçn sõa thªnh sç IMEI híp lÖ kh¤ng?"}, ""},
            {"0", "", "490154203237518", {7}, {off, "box 36 " + vi + "Kh¤ng câ th¤ng tin vÒ sç "
             "IMEI trong CSDL cïa ch§¥ng trØnh.\r\nBÁn câ muçn tØm th¤ng tin IMEI tô Internet "
             "kh¤ng?", en}, ""},
            // clang-format on
        };
    for (auto [languageId, getOnline, typed, answers, expected, shown] : cases) {
        for (std::string& call : expected) call = Cp1252(call);
        FakeMainView view;
        test::FakeSettings settings{{kLanguageIdKey, languageId}, {kGetOnlineImeiKey, getOnline}};
        view.imeiBox = typed;
        view.resultBox = "earlier result";
        view.answers = answers;
        RunAnalyzeCommand(view, settings, FakeLookup);
        EXPECT_EQ(view.log, expected) << typed;
        EXPECT_EQ(shown.empty() ? "" : view.imeiBox + "|" + view.resultBox, shown) << typed;
    }
}

TEST(SaveCommand, WritesTheResultBoxOrReportsInTheLanguageOfTheSetting) {
    const std::string path = "C:\\results\\phone.txt", result = "Input IMEI: 35\r\n\xA4\xFC";
    // The report's first and last lines; the path and the reason stand between them.
    const std::string en[] = {"box 48 Warning|The results could not be saved to the file:",
                              "No file was changed."};
    const std::string vi[] = {"box 48 Th¤ng bÀo|Kh¤ng l§u ¢§íc kÕt qu¶ vªo tËp tin:",
                              "Kh¤ng câ tËp tin nªo bÜ thay ¢åi."};
    // LanguageID, the path chosen, the fault (the folder refuses a new file,
    // the write stops, the old file is not replaced) and the reason reported.
    const std::tuple<const char*, std::string, char, std::string> cases[] = {
        {"", path, '-', ""},
        {"00", "", '-', ""},
        {"1", path, 'n', "The folder does not exist or does not accept new files."},
        {"1", path, 'w', "The file could not be written completely; the disk may be full."},
        {"1", path, 'r',
         "The existing file could not be replaced; another program may be using it."},
        {"0", path, 'n', "Th§ móc kh¤ng tän tÁi hay kh¤ng cho tÁo tËp tin mìi."},
        {"0", path, 'w', "Kh¤ng ghi ¢§íc hÕt tËp tin, câ thÓ ¢º hÕt dung l§íng."},
        {"0", path, 'r', "Kh¤ng thay ¢§íc tËp tin cñ, câ thÓ ch§¥ng trØnh khÀc ¢ang dîng nâ."},
    };
    for (const auto& [languageId, chosen, fault, reason] : cases) {
        FakeMainView view;
        test::FakeSettings settings{{kLanguageIdKey, languageId}};
        test::FakeResultFiles files;
        view.resultBox = result;
        files.files[path] = "old";
        files.refuseNewFiles = fault == 'n';
        files.bytesBeforeWriteFails = fault == 'w' ? 3 : -1;
        files.refuseReplace = fault == 'r';
        RunSaveCommand(view, settings, files, [chosen = chosen](Language) { return chosen; });
        const std::string left = !chosen.empty() && reason.empty() ? result : "old";
        EXPECT_EQ(files.files, (std::map<std::string, std::string>{{path, left}}));  // alone
        const std::string* lines = languageId == std::string("0") ? vi : en;
        const std::string report = lines[0] + "\r\n" + path + "\r\n" + reason + "\r\n" + lines[1];
        EXPECT_EQ(view.log, reason.empty() ? Log{} : Log{Cp1252(report)});
    }
}

// What a start-up failure says, in each language.
TEST(StartupMessages, NameTheFailureInTheInterfaceLanguage) {
    std::string texts;
    for (Language language : {Language::English, Language::Vietnamese}) {
        texts += NetworkEventsUnavailableMessage(language) + "\n" +
                 MainWindowUnavailableMessage(language) + "\n";
    }
    EXPECT_EQ(texts,
              Cp1252("Quorvel could not set up its network events (Unable to create a "
                     "necessary window).\r\n\r\nIt runs on, but every on-line look-up will "
                     "fail.\nQuorvel could not open its main window.\nQuorvel kh¤ng thÓ "
                     "thiÕt lËp viÖc nhËn sø kiÖn mÁng (Unable to create a necessary window)."
                     "\r\n\r\nCh§¥ng trØnh tiÕp tóc chÁy, nh§ng mãi lÇn lÊy th¤ng tin trøc "
                     "tuyÕn ¢Òu thÊt bÁi.\nQuorvel khong the mo cua so chinh.\n"));
}

std::string Row(const std::string& label, const std::string& value) {
    return "<tr><td>" + label + "</td><td>" + value + "</td></tr>";
}
// A page of the analysis service: the results table's rows, then the country table's.
std::string Page(const std::string& results, const std::string& country = "") {
    return "<html><body><h1>IMEI number analysis results</h1><table>" + results +
           "</table><h2>Country of handset approval</h2><table>" + country +
           "</table><h2>IMEI number break-down</h2></body></html>";
}

TEST(ReducePage, CellsBecomeLabelledLinesAndTheCountryLineFollows) {
    const std::string heading = "<h1>IMEI number analysis results</h1>";
    const std::string breakDown = "<h2>IMEI number break-down</h2>";
    const std::pair<std::string, std::string> cases[] = {
        // A blank piece does not end an entry; a label with ": " is one; the country line
        // comes from the first piece after "Short name".
        {Page("<td>Manufacturer</td> \r\n\t <td>Nokia</td>" + Row("Model type", "6600") +
                  "<p>Note: see</p>" + Row("Frequency", "GSM 900"),
              Row("Short name", "FI") + Row("Name", "Finland")),
         "Manufacturer: Nokia\r\nModel type: 6600\r\nNote: see\r\nFrequency: GSM 900\r\n"
         "Country of handset approval: FI\r\n"},
        // Breaks become spaces (CR LF two), "<BR>" in any case one, also inside a tag; only
        // spaces are trimmed.
        {Page(Row("Manufacturer", "\r\n  Nokia\tCorp  ") + Row("Model type", "<b<br>x>66<br>00") +
              Row("Reference", "NHL<Br>-10<BR>x") + Row("Note", "a\r\nb\xA0")),
         "Manufacturer: Nokia Corp\r\nModel type: 66 00\r\nReference: NHL -10 x\r\nNote: a  "
         "b\xA0\r\n"},
        // Every other control byte, a NUL too, is a space; 0x80 and above stay.
        {Page(Row("Model\x1Ftype", std::string("No\0kia", 6) + "\x01\x1F\x7F" + "C\x80\x07")),
         "Model type: No kia   C\x80\r\n"},
        // A pending label and trailing text are dropped, a "<BR>" at the very end too.
        {heading + Row("Model type", "A") + Row("Model type", "B") +
             "<td>Reference</td><td>Dangling<BR>IMEI number break-down",
         "Model type: A\r\nModel type: B\r\n"},
        {Page("", "<tr><td>Short name</td>\r\n<td> <b>\r\nDE </b></td></tr>"),
         "Country of handset approval: DE\r\n"},
        {"<td>Short name: GB</td>", "Country of handset approval: : GB\r\n"},
        // The country block before the heading: only the country line.
        {"<h2>Country of handset approval</h2>" + Row("Short name", "FI") + heading +
             Row("Manufacturer", "N"),
         "Country of handset approval: FI\r\n"},
        // Without the heading the first 27 characters are passed over.
        {"<td>Manufacturer</td><td>Nokia</td><td>Model type</td><td>6600</td>" + breakDown,
         "kia: Model type\r\n"},
    };
    for (const auto& [page, lines] : cases) EXPECT_EQ(ReducePage(page).lines, lines) << page;
}

class FakeDownloader : public PageDownloader {
public:
    void SetProxy(bool, const std::string&, std::int32_t) override {}
    void FetchURLString(const std::string&) override { ++downloads; }
    std::uint32_t DownloadNumber() const override { return downloads; }
    std::uint32_t downloads = 0;
};

const std::string kMiss = "Manufacturer: unknown\r\n";  // the local result's line that matters
const std::string kHeader = "\r\n[Information from 127.0.0.1:8047]\r\n";

// A page, the lines it shows and the record it teaches.
struct Handset {
    std::string page, lines, record;
};
Handset Of(const std::string& maker, const std::string& model, const std::string& ref) {
    return {Page(Row("Manufacturer", maker) + Row("Model type", model) + Row("Reference", ref),
                 Row("Short name", "GB")),
            "Manufacturer: " + maker + "\r\nModel type: " + model + "\r\n" +
                (ref.empty() ? "" : "Reference: " + ref + "\r\n") +
                "Country of handset approval: GB\r\n",
            "351234000000000=" + maker + "\xB6" + model + "\xB6" + ref + "\r\n"};
}

class OnlineLookupTest : public ::testing::Test {
protected:
    void TearDown() override { std::remove(userFile.c_str()); }
    std::string UserFileText() const { return test::ReadTestFile(userFile).value_or(""); }

    FakeMainView view;
    test::FakeSettings settings;
    FakeDownloader downloader;
    std::string userFile = test::PerTestFileName("quorvel-online-", ".dat");
    std::unique_ptr<OnlineLookup> online =
        std::make_unique<OnlineLookup>(view, settings, downloader, userFile);
};

TEST_F(OnlineLookupTest, WhatTheEndOfADownloadShowsAndLearns) {
    const std::string en = "enable", vi = "Th¤ng bÀo|";
    const std::string ask =
        "box 36 Warning|This IMEI was not found in the local database.\r\nDo you want to add it?";
    const std::string login =
        "box 48 Warning|Can not access to the database on the server.\r\n"
        "Login is required before you can continue.";
    const std::string fail =
        "box 16 Warning|Error while connecting to the online server.\r\n"
        "Check your Internet connection.\r\n\r\nError cause: \r\n<";
    const std::string rejected = fail + "The server did not reply with a 200 or 206 reply code>";
    const Handset nokia = Of("Nokia", "6600", "NHL-10"), none;
    const Handset empty{Page("<p>Nothing</p>"), "", ""};  // a page that names nothing
    const Handset loginPage{nokia.page + "Login for on-line services", "", ""};
    // A page past the buffer's bound is not seen.
    const Handset pastTheBound{std::string(kMaxPageBytes, 'x') + nokia.page, "", ""};
    const std::string noFolder = ::testing::TempDir() + "no/such/dir/q.dat";
    // LanguageID, AddMissingIMEI, the local result, the page, the failure code (0: none;
    // after code 4 the download still ends normally), the answers; the other calls on the
    // window and the user file: the page's record learnt (l), left as it was (-), or
    // in a folder that does not exist (x); what the user does while its box is open:
    // nothing (-), starts a new look-up (n) or closes the window (c), after which the
    // handler does nothing more. The page's lines are shown.
    const std::tuple<const char*, const char*, std::string, Handset, int, std::deque<int>, Log,
                     char, char>
        cases[] = {
            // clang-format off
            {"", "", kMiss, nokia, 0, {6}, {en, ask}, 'l', '-'},
            {"", "1", kMiss, Of("Nokia", "6600", ""), 0, {}, {en}, 'l', '-'},
            {"", "1", kMiss, empty, 0, {}, {en}, '-', '-'},
            {"", "1", "Manufacturer: Nokia", nokia, 0, {}, {en}, '-', '-'},
            {"", "1", kMiss, Of("N/A", "6600", "X"), 0, {}, {en}, '-', '-'},
            {"", "1", kMiss, Of("Nokia", "N/A", "X"), 0, {}, {en}, 'l', '-'},
            {"", "1", kMiss, Of("Nokia", "N/A", "N/A"), 0, {}, {en}, '-', '-'},
            {"", "1", kMiss, loginPage, 0, {1}, {login, en}, '-', '-'},
            {"", "1", kMiss, nokia, 4, {1}, {rejected, en, en}, '-', '-'},
            {"", "", kMiss, none, 5, {1}, {fail + "Unable to connect to the host>", en}, '-', '-'},
            {"0", "", kMiss, none, 11, {1}, {"box 16 " + vi + "Ch§¥ng trØnh kh¤ng thÓ kÕt nçi ¢Õn "
             "CSDL tr£n mÀy chï.\r\nBÁn hºy kiÓm tra lÁi ¢§éng truyÒn Internet.\r\n\r\nNguy£n "
             "nh¡n: \r\n<Unknown error>", en}, '-', '-'},
            {"0", "0", kMiss, nokia, 0, {7}, {en, "box 36 " + vi + "Sç IMEI nªy ch§a câ trong CSDL "
             "cïa ch§¥ng trØnh.\r\nBÁn câ muçn th£m vªo kh¤ng?"}, '-', '-'},
            {"0", "", kMiss, loginPage, 0, {1}, {"box 48 " + vi + "Kh¤ng thÓ truy cËp CSDL tr£n "
             "mÀy chï.\r\nBÁn cÇn ph¶i ¢Ÿng nhËp ¢Ó tiÕp tóc sõ dóng.", en}, '-', '-'},
            {"1", "1", kMiss, nokia, 0, {1}, {en, "box 16 Warning|The handset could not be added "
             "to the local database file:\r\n" + noFolder}, 'x', '-'},
            {"0", "1", kMiss, nokia, 0, {1}, {en, "box 16 " + vi + "Kh¤ng thÓ ghi vªo tËp tin CSDL "
             "cïa ch§¥ng trØnh:\r\n" + noFolder}, 'x', '-'},
            {"", "1", kMiss, pastTheBound, 0, {}, {en}, '-', '-'},
            {"", "", kMiss, loginPage, 0, {1}, {login}, '-', 'n'},
            {"", "", kMiss, nokia, 0, {6}, {en, ask}, '-', 'n'},
            {"", "", kMiss, none, 5, {1}, {fail + "Unable to connect to the host>"}, '-', 'c'},
            // clang-format on
        };
    for (auto [languageId, add, local, handset, failure, answers, events, file, then] : cases) {
        SCOPED_TRACE(handset.page.substr(0, 400));
        for (std::string& call : events) call = Cp1252(call);
        test::WriteTestFile(userFile, "35=A");  // a record goes on a line of its own
        online = std::make_unique<OnlineLookup>(view, settings, downloader,
                                                file == 'x' ? noFolder : userFile);
        settings = {{kLanguageIdKey, languageId}, {kAddMissingImeiKey, add}};
        view = FakeMainView();
        view.resultBox = local;
        view.answers = answers;
        online->Start("351234000000001");  // after the local result; the page comes in pieces
        for (std::size_t i = 0; i < handset.page.size(); i += 7) {
            const std::string piece = handset.page.substr(i, 7);
            online->StreamBytes(piece.data(), piece.size());
        }
        view.whileBoxIsOpen = [&, then = then] {
            if (then == 'c') online.reset();
            if (then == 'n') online->Start("352099001761481");
        };
        if (failure) online->DownloadFailed(failure);
        if (failure == 0 || failure == 4) online->Disconnected();
        EXPECT_EQ(view.resultBox, local + kHeader + handset.lines + (then == 'n' ? kHeader : ""));
        EXPECT_EQ(view.log, events);
        EXPECT_EQ(UserFileText(), file == 'l' ? "35=A\r\n" + handset.record : "35=A");
    }
}

// A new look-up starts afresh while the old download still sends: a reply
// rejected with code 4 (the old download then ends with Disconnected), or a
// page half-way (with a length: it ends with code 1). Nothing of it reaches
// the new look-up: no page, no rejection, no event.
TEST_F(OnlineLookupTest, TheNextLookUpIgnoresWhatTheOldDownloadStillSends) {
    const std::string old = Of("Old", "Reply", "OR-1").page;
    const std::tuple<std::string, std::deque<int>, int> cases[] = {
        {"HTTP/1.0 404 Not Found\r\n\r\n", {1, 6}, 2},
        {"HTTP/1.0 200 OK\r\nContent-Length: 5000\r\n\r\n" + old.substr(0, 200), {6}, 1}};
    settings = {{kServiceHostKey, "imei.test:81"},
                {kProxyUsedKey, "2"},
                {kProxyAddressKey, "proxy.test"},
                {kProxyPortKey, "3128"}};
    for (const auto& [reply, answers, enables] : cases) {
        std::remove(userFile.c_str());
        view = FakeMainView();
        OnlineSession session(view, settings, userFile);
        EXPECT_FALSE(session.Start("351234000000001"));  // no download object yet
        auto* fake = new test::FakeTransport;            // owned by the session's download object
        Log journal;
        fake->journal = &journal;
        session.Connect(std::unique_ptr<Transport>(fake));
        view.resultBox = kMiss;
        view.answers = answers;
        EXPECT_TRUE(session.Start("351234000000001"));
        session.ProcessMessage(kWriteEvent);  // the request goes out
        fake->Feed(reply);
        session.ProcessMessage(kReadEvent);
        fake->Feed(old);  // not read yet
        session.Start("352099001761481");
        fake->Feed("HTTP/1.0 200 OK\r\n\r\n" + Of("New", "Page", "NP-2").page);
        session.ProcessMessage(kReadEvent);
        session.ProcessMessage(kCloseEvent);
        EXPECT_EQ(std::count(journal.begin(), journal.end(), "Open proxy.test:3128"), 2);
        EXPECT_EQ(fake->connections[0].sent.substr(0, 77),
                  "GET http://imei.test:81/index.php?goto=imei&action=analyse&s=351234000000001 ");
        const std::string header = "\r\n[Information from IMEI.TEST:81]\r\n";
        EXPECT_EQ(view.resultBox, kMiss + header + header + Of("New", "Page", "NP-2").lines);
        EXPECT_EQ(std::count(view.log.begin(), view.log.end(), "enable"), enables) << reply;
        EXPECT_EQ(UserFileText(), "352099001761481=New\xB6Page\xB6NP-2\r\n");
    }
}

}  // namespace
}  // namespace quorvel
