#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "main/online_lookup.h"
#include "main/online_session.h"
#include "main/page_reduction.h"
#include "support/fake_main_view.h"
#include "support/fake_settings.h"
#include "support/fake_transport.h"
#include "support/test_files.h"

namespace quorvel {
namespace {

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
        // Breaks become spaces (CR LF two), "<BR>" in any case one; only spaces are trimmed.
        {Page(Row("Manufacturer", "\r\n  Nokia\tCorp  ") + Row("Model type", "66<br>00") +
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
        {"Short name</td><td>DE", ""},
        {"<td>Short name: GB</td>", "Country of handset approval: : GB\r\n"},
        // Without a country block the section ends at the break-down.
        {heading + Row("Manufacturer", "N") + breakDown + Row("TAC", "352099"),
         "Manufacturer: N\r\n"},
        {heading + Row("Manufacturer", "N") + Row("Name", "Germany"), ""},  // neither marker
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
const std::string kVi = "Th\xA4ng b\xC0o";

// The page that names a handset, the lines it gives and the record it teaches.
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

    // Starts a look-up after the local result and streams the page in pieces.
    void Start(const std::string& local, const std::string& page, std::deque<int> answers = {}) {
        view = test::FakeMainView();
        view.resultBox = local;
        view.answers = std::move(answers);
        online->Start("351234000000001");
        for (std::size_t i = 0; i < page.size(); i += 7) {
            online->StreamBytes(page.data() + i, std::min<std::size_t>(7, page.size() - i));
        }
    }
    test::FakeMainView view;
    test::FakeSettings settings;
    FakeDownloader downloader;
    std::string userFile = ::testing::TempDir() + test::PerTestFileName("quorvel-online-", ".dat");
    std::unique_ptr<OnlineLookup> online =
        std::make_unique<OnlineLookup>(view, settings, downloader, userFile);
};

TEST_F(OnlineLookupTest, WhatTheEndOfADownloadShowsAndLearns) {
    const std::string en = "enable";
    const std::string ask =
        "box 36 Warning|This IMEI was not found in the local database.\r\nDo you want to add it?";
    const std::string login =
        "box 48 Warning|Can not access to the database on the server.\r\nLogin is required "
        "before you can continue.";
    const std::string failed =
        "box 16 Warning|Error while connecting to the online server.\r\nCheck your Internet "
        "connection.\r\n\r\nError cause: \r\n<";
    const std::string rejected = failed + "The server did not reply with a 200 or 206 reply code>";
    const std::string viFailed =
        "box 16 " + kVi +
        "|Ch\xA7\xA5ng tr\xD8nh kh\xA4ng th\xD3 k\xD5t n\xE7i \xA2\xD5n CSDL tr\xA3n m\xC0y ch\xEF."
        "\r\nB\xC1n h\xBAy ki\xD3m tra l\xC1i \xA2\xA7\xE9ng truy\xD2n Internet.\r\n\r\nNguy\xA3n "
        "nh\xA1n: \r\n<Unknown error>";
    const std::string viAsk =
        "box 36 " + kVi + "|S\xE7 IMEI n\xAAy ch\xA7" + "a c\xE2 trong CSDL c\xEF" +
        "a ch\xA7\xA5ng tr\xD8nh.\r\nB\xC1n c\xE2 mu\xE7n th\xA3m v\xAAo kh\xA4ng?";
    const std::string viLogin =
        "box 48 " + kVi +
        "|Kh\xA4ng th\xD3 truy c\xCBp CSDL tr\xA3n m\xC0y ch\xEF.\r\nB\xC1n "
        "c\xC7n ph\xB6i \xA2\x9Fng nh\xCBp \xA2\xD3 ti\xD5p t\xF3" +
        "c s\xF5 d\xF3ng.";
    const Handset nokia = Of("Nokia", "6600", "NHL-10"), noRef = Of("Nokia", "6600", "");
    const Handset noMaker = Of("N/A", "6600", "X"), noModel = Of("Nokia", "N/A", "X");
    const Handset noModelNorRef = Of("Nokia", "N/A", "N/A");
    const std::string loginPage = nokia.page + "Login for on-line services";
    // LanguageID, AddMissingIMEI, the local result, the page, the failure code (0: none;
    // after code 4 the download still ends normally), the answers; what is shown below the
    // header, the other calls on the window, the record learnt.
    const std::tuple<const char*, const char*, std::string, std::string, int, std::deque<int>,
                     std::string, std::vector<std::string>, std::string>
        cases[] = {
            {"", "", kMiss, nokia.page, 0, {6}, nokia.lines, {en, ask}, nokia.record},
            {"", "1", kMiss, noRef.page, 0, {}, noRef.lines, {en}, noRef.record},
            {"", "1", "Manufacturer: Nokia", nokia.page, 0, {}, nokia.lines, {en}, ""},
            {"", "1", kMiss, noMaker.page, 0, {}, noMaker.lines, {en}, ""},
            {"", "1", kMiss, noModelNorRef.page, 0, {}, noModelNorRef.lines, {en}, ""},
            {"", "1", kMiss, noModel.page, 0, {}, noModel.lines, {en}, noModel.record},
            {"", "1", kMiss, Page("<p>Nothing</p>"), 0, {}, "", {en}, ""},  // teaches nothing
            {"", "1", kMiss, loginPage, 0, {1}, "", {login, en}, ""},
            {"", "1", kMiss, nokia.page, 4, {1}, nokia.lines, {rejected, en, en}, ""},
            {"", "", kMiss, "", 5, {1}, "", {failed + "Unable to connect to the host>", en}, ""},
            {"0", "", kMiss, "", 11, {1}, "", {viFailed, en}, ""},
            {"0", "0", kMiss, nokia.page, 0, {7}, nokia.lines, {en, viAsk}, ""},
            {"0", "", kMiss, loginPage, 0, {1}, "", {viLogin, en}, ""},
        };
    for (const auto& [languageId, add, local, page, failure, answers, shown, events, record] :
         cases) {
        test::WriteTestFile(userFile, "35=A");  // a record goes on a line of its own
        settings.Set(kLanguageIdKey, languageId);
        settings.Set(kAddMissingImeiKey, add);
        Start(local, page, answers);
        if (failure) online->DownloadFailed(failure);
        if (failure == 0 || failure == 4) online->Disconnected();
        EXPECT_EQ(view.resultBox, local + kHeader + shown) << page;
        EXPECT_EQ(view.log, events) << page;
        EXPECT_EQ(UserFileText(), record.empty() ? "35=A" : "35=A\r\n" + record) << page;
    }
}

TEST_F(OnlineLookupTest, AnUnwritableUserFileIsReported) {
    userFile = ::testing::TempDir() + "no/such/dir/q.dat";
    online = std::make_unique<OnlineLookup>(view, settings, downloader, userFile);
    settings.Set(kAddMissingImeiKey, "1");
    for (const std::string& box :
         {std::string(
              "box 16 Warning|The handset could not be added to the local database file:\r\n"),
          "box 16 " + kVi + "|Kh\xA4ng th\xD3 ghi v\xAAo t\xCBp tin CSDL c\xEF" +
              "a ch\xA7\xA5ng tr\xD8nh:\r\n"}) {
        settings.Set(kLanguageIdKey, box[7] == 'W' ? "1" : "0");
        Start(kMiss, Of("Nokia", "6600", "X").page, {1});
        online->Disconnected();
        EXPECT_EQ(view.log, (std::vector<std::string>{"enable", box + userFile}));
    }
}

// While a handler's box is open the user closes the window or starts a new
// look-up: when the box returns, the handler does nothing more.
TEST_F(OnlineLookupTest, AHandlerWhoseLookUpEndedWhileItsBoxWasOpenDoesNothingMore) {
    const std::pair<std::string, bool> cases[] = {{"Login for on-line services", false},
                                                  {Of("Nokia", "6600", "X").page, false},
                                                  {"", true}};  // a failed download
    for (const auto& [page, windowCloses] : cases) {
        Start(kMiss, page, {6});
        view.whileBoxIsOpen = [&, closes = windowCloses] {
            view.whileBoxIsOpen = nullptr;
            view.log.clear();  // what follows the box
            closes ? online.reset() : online->Start("352099001761481");
        };
        page.empty() ? online->DownloadFailed(5) : online->Disconnected();
        EXPECT_EQ(view.log, std::vector<std::string>{}) << page;
        EXPECT_EQ(UserFileText(), "");
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
    settings.Set(kServiceHostKey, "imei.test:81");
    settings.Set(kProxyUsedKey, "2");
    settings.Set(kProxyAddressKey, "proxy.test");
    settings.Set(kProxyPortKey, "3128");
    for (const auto& [reply, answers, enables] : cases) {
        std::remove(userFile.c_str());
        view = test::FakeMainView();
        OnlineSession session(view, settings, userFile);
        EXPECT_FALSE(session.Start("351234000000001"));  // no download object yet
        auto* fake = new test::FakeTransport;            // owned by the session's download object
        std::vector<std::string> journal;
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
        EXPECT_EQ(
            fake->connections[0].sent.rfind(
                "GET http://imei.test:81/index.php?goto=imei&action=analyse&s=351234000000001 ", 0),
            0u);
        const std::string header = "\r\n[Information from IMEI.TEST:81]\r\n";
        EXPECT_EQ(view.resultBox, kMiss + header + header + Of("New", "Page", "NP-2").lines);
        EXPECT_EQ(std::count(view.log.begin(), view.log.end(), "enable"), enables) << reply;
        EXPECT_EQ(UserFileText(), "352099001761481=New\xB6Page\xB6NP-2\r\n");
    }
}

TEST_F(OnlineLookupTest, TheBufferStopsGrowingAtItsBound) {
    Start("local", "");
    for (const std::string& piece :
         {std::string(kMaxPageBytes, 'x'), Of("Nokia", "6600", "X").page})
        online->StreamBytes(piece.data(), piece.size());
    online->Disconnected();  // the page past the bound is not seen
    EXPECT_EQ(view.resultBox, "local" + kHeader);
}

}  // namespace
}  // namespace quorvel
