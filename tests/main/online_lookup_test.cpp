#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "main/online_lookup.h"
#include "main/online_session.h"
#include "support/analysis_page.h"
#include "support/fake_main_view.h"
#include "support/fake_settings.h"
#include "support/fake_transport.h"
#include "support/test_files.h"
#include "ui/message_prompt.h"

namespace quorvel {
namespace {

class FakeDownloader : public PageDownloader {
public:
    void SetProxy(bool used, const std::string& address, std::int32_t port) override {
        proxyUsed = used;
        proxyAddress = address;
        proxyPort = port;
    }
    void FetchURLString(const std::string& url) override { urls.push_back(url); }
    std::uint32_t DownloadNumber() const override {
        return static_cast<std::uint32_t>(urls.size());
    }

    bool proxyUsed = false;
    std::string proxyAddress = "unset";
    std::int32_t proxyPort = -1;
    std::vector<std::string> urls;
};

using test::Page;

const std::string kLocalMiss =
    "Input IMEI: 35-123400-000000-1\r\n\r\n[Local information]\r\nManufacturer: unknown\r\n"
    "Model type: unknown\r\nReference: unknown\r\nIssued by: x\r\n";
const std::string kLocalHit =
    "Input IMEI: 352099001761481\r\n\r\n[Local information]\r\nManufacturer: Nokia\r\n"
    "Model type: 6600\r\nReference: NHL-10\r\nIssued by: x\r\n";

class OnlineLookupTest : public ::testing::Test {
protected:
    void SetUp() override { std::remove(userFile.c_str()); }
    void TearDown() override { std::remove(userFile.c_str()); }
    std::string UserFileText() const { return test::ReadTestFile(userFile).value_or(""); }

    // Starts a look-up after a local result, delivers the page in small
    // pieces, and ends the download.
    void LookUp(const std::string& localResult, const std::string& page,
                std::deque<int> answers = {}) {
        view.resultBox = localResult;
        view.answers = std::move(answers);
        lookup.Start("351234000000001");
        for (std::size_t i = 0; i < page.size(); i += 7) {
            lookup.StreamBytes(page.data() + i, std::min<std::size_t>(7, page.size() - i));
        }
        lookup.Disconnected();
        EXPECT_TRUE(view.answers.empty()) << "fewer message boxes than expected";
    }

    test::FakeMainView view;
    test::FakeSettings settings;
    FakeDownloader downloader;
    std::string userFile = ::testing::TempDir() + test::PerTestFileName("quorvel-online-", ".dat");
    std::unique_ptr<OnlineLookup> online =
        std::make_unique<OnlineLookup>(view, settings, downloader, userFile);
    OnlineLookup& lookup = *online;
};

TEST_F(OnlineLookupTest, StartAddsTheHeaderAndFetchesFromTheDefaultService) {
    view.resultBox = kLocalHit;
    lookup.Start("352099001761481");
    EXPECT_EQ(view.resultBox, kLocalHit + "\r\n[Information from 127.0.0.1:8047]\r\n");
    EXPECT_EQ(downloader.urls,
              std::vector<std::string>{"http://127.0.0.1:8047/index.php?goto=imei&action=analyse&s="
                                       "352099001761481"});
    EXPECT_FALSE(downloader.proxyUsed);
    EXPECT_EQ(downloader.proxyAddress, "");
    EXPECT_EQ(downloader.proxyPort, 0);
}

TEST_F(OnlineLookupTest, TheServiceHostSettingIsReadAtEachLookUpAndShownInCapitals) {
    settings.Set(kServiceHostKey, "imei.example.test:81");
    lookup.Start("352099001761481");
    EXPECT_NE(view.resultBox.find("[Information from IMEI.EXAMPLE.TEST:81]\r\n"),
              std::string::npos);
    EXPECT_EQ(downloader.urls.back().rfind("http://imei.example.test:81/index.php?", 0), 0u);
    settings.Set(kServiceHostKey, "");
    lookup.Start("352099001761481");
    EXPECT_EQ(downloader.urls.back().rfind("http://127.0.0.1:8047/", 0), 0u);
}

TEST_F(OnlineLookupTest, ProxySettingsGoByTheirNumericValues) {
    struct Case {
        const char* used;
        const char* port;
        bool expectedUsed;
        std::int32_t expectedPort;
    };
    const Case cases[] = {{"1", "8080", true, 8080},    {"", "", false, 0},
                          {"abc", "abc", false, 0},     {"2", "8080   ", true, 8080},
                          {"0", "80.5", false, 80},     {"0.4", "81.5", true, 82},
                          {" 1", "&H1F90", true, 8080}, {"-1", "99999999999", true, 2147483647}};
    for (const Case& c : cases) {
        settings.Set(kProxyUsedKey, c.used);
        settings.Set(kProxyPortKey, c.port);
        settings.Set(kProxyAddressKey, " proxy.local ");
        lookup.Start("352099001761481");
        EXPECT_EQ(downloader.proxyUsed, c.expectedUsed) << "ProxyUsed \"" << c.used << "\"";
        EXPECT_EQ(downloader.proxyPort, c.expectedPort) << "ProxyPort \"" << c.port << "\"";
        EXPECT_EQ(downloader.proxyAddress, " proxy.local ");
    }
}

TEST_F(OnlineLookupTest, FailureShowsTheLocalisedMessageWithTheEnglishCause) {
    lookup.Start("351234000000001");
    view.resultBox = kLocalMiss;
    view.answers = {1};
    lookup.DownloadFailed(5);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].prompt,
              "Error while connecting to the online server.\r\nCheck your Internet connection.\r\n"
              "\r\nError cause: \r\n<Unable to connect to the host>");
    EXPECT_EQ(view.messages[0].style, 16);
    EXPECT_EQ(view.messages[0].title, "Warning");
    EXPECT_EQ(view.log.back(), "enable");
    EXPECT_EQ(view.resultBox, kLocalMiss);

    settings.Set(kLanguageIdKey, "0");
    view.answers = {1};
    lookup.DownloadFailed(11);
    EXPECT_EQ(view.messages[1].prompt,
              "Ch\xA7\xA5ng tr\xD8nh kh\xA4ng th\xD3 k\xD5t n\xE7i \xA2\xD5n CSDL tr\xA3n m\xC0y "
              "ch\xEF.\r\nB\xC1n h\xBAy ki\xD3m tra l\xC1i \xA2\xA7\xE9ng truy\xD2n Internet.\r\n"
              "\r\nNguy\xA3n nh\xA1n: \r\n<Unknown error>");
    EXPECT_EQ(view.messages[1].title, "Th\xA4ng b\xC0o");
}

TEST_F(OnlineLookupTest, LoginPageGivesTheLoginMessageAndNothingElse) {
    LookUp(kLocalMiss, Page("Nokia", "6600", "NHL-10") + "Login for on-line services", {1});
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].prompt,
              "Can not access to the database on the server.\r\n"
              "Login is required before you can continue.");
    EXPECT_EQ(view.messages[0].style, 48);
    EXPECT_EQ(view.resultBox, kLocalMiss + "\r\n[Information from 127.0.0.1:8047]\r\n");
    EXPECT_EQ(view.log.back(), "enable");
    EXPECT_EQ(UserFileText(), "");
}

TEST_F(OnlineLookupTest, ResultLinesAreAppendedThenTheRecordIsOffered) {
    LookUp(kLocalMiss, Page("Nokia", "6600", "NHL-10"), {kResultYes});
    EXPECT_EQ(view.resultBox, kLocalMiss +
                                  "\r\n[Information from 127.0.0.1:8047]\r\n"
                                  "Manufacturer: Nokia\r\nModel type: 6600\r\nReference: NHL-10\r\n"
                                  "Country of handset approval: GB\r\n");
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].prompt,
              "This IMEI was not found in the local database.\r\nDo you want to add it?");
    EXPECT_EQ(view.messages[0].style, 36);
    // The buttons come back before the question.
    EXPECT_EQ(view.log[view.log.size() - 2], "enable");
    EXPECT_EQ(UserFileText(),
              "351234000000000=Nokia\xB6"
              "6600\xB6NHL-10\r\n");
}

TEST_F(OnlineLookupTest, AnsweringNoAddsNothing) {
    LookUp(kLocalMiss, Page("Nokia", "6600", "NHL-10"), {7});
    EXPECT_EQ(UserFileText(), "");
}

TEST_F(OnlineLookupTest, AddMissingImeiOneAddsWithoutAskingOtherValuesAsk) {
    settings.Set(kAddMissingImeiKey, "1");
    LookUp(kLocalMiss, Page("Nokia", "6600", ""));
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(UserFileText(),
              "351234000000000=Nokia\xB6"
              "6600\xB6\r\n");
    for (const char* value : {"0", "", "01", "yes"}) {
        settings.Set(kAddMissingImeiKey, value);
        view = test::FakeMainView();
        LookUp(kLocalMiss, Page("Nokia", "6600", ""), {7});
        EXPECT_EQ(view.messages.size(), 1u) << value;
    }
}

TEST_F(OnlineLookupTest, NothingIsOfferedForAKnownTacOrForUnavailableValues) {
    settings.Set(kAddMissingImeiKey, "1");
    LookUp(kLocalHit, Page("Nokia", "6600", "NHL-10"));
    LookUp(kLocalMiss, Page("N/A", "6600", "NHL-10"));
    LookUp(kLocalMiss, Page("Nokia", "N/A", "N/A"));
    // No labelled values at all: nothing learnt.
    LookUp(kLocalMiss,
           "<h1>IMEI number analysis results</h1><p>Nothing</p>"
           "<h2>IMEI number break-down</h2>");
    EXPECT_EQ(UserFileText(), "");
    // Model type alone unavailable still allows it.
    LookUp(kLocalMiss, Page("Nokia", "N/A", "NHL-10"));
    EXPECT_EQ(UserFileText(), "351234000000000=Nokia\xB6N/A\xB6NHL-10\r\n");
}

TEST_F(OnlineLookupTest, ARejectedReplyTeachesNothing) {
    settings.Set(kAddMissingImeiKey, "1");
    view.resultBox = kLocalMiss;
    lookup.Start("351234000000001");
    const std::string page = Page("Nokia", "6600", "NHL-10");
    lookup.StreamBytes(page.data(), page.size());
    view.answers = {1};
    lookup.DownloadFailed(4);
    lookup.Disconnected();
    EXPECT_NE(view.resultBox.find("Manufacturer: Nokia\r\n"), std::string::npos);
    EXPECT_EQ(UserFileText(), "");
}

// A look-up started while a rejected one is still sending starts afresh.
TEST_F(OnlineLookupTest, EachLookUpStartsWithAnEmptyPageAndNoRejection) {
    settings.Set(kAddMissingImeiKey, "1");
    view.answers = {kResultOk};
    lookup.Start("351234000000001");
    const std::string old = Page("Old", "Reply", "OR-1");
    lookup.StreamBytes(old.data(), old.size());
    lookup.DownloadFailed(4);
    LookUp(kLocalMiss, Page("New", "Page", "NP-2"));
    EXPECT_NE(view.resultBox.find("]\r\nManufacturer: New\r\n"), std::string::npos);
    EXPECT_EQ(UserFileText(), "351234000000000=New\xB6Page\xB6NP-2\r\n");
}

TEST_F(OnlineLookupTest, TheRecordNeverJoinsTheLastLineOfTheFile) {
    settings.Set(kAddMissingImeiKey, "1");
    const std::string record =
        "351234000000000=Nokia\xB6"
        "6600\xB6X\r\n";
    const std::pair<const char*, const char*> cases[] = {
        {"350000000000006=A\xB6"
         "C",
         "350000000000006=A\xB6"
         "C\r\n"},
        {"line\r\n", "line\r\n"},
        {"lf only\n", "lf only\n\r\n"},
        {"x", "x\r\n"},
        {"", ""},
    };
    for (const auto& [before, kept] : cases) {
        test::WriteTestFile(userFile, before);
        LookUp(kLocalMiss, Page("Nokia", "6600", "X"));
        EXPECT_EQ(UserFileText(), kept + record) << before;
    }
}

TEST_F(OnlineLookupTest, AnUnwritableUserFileIsReportedInEachLanguage) {
    const std::string path = ::testing::TempDir() + "no/such/dir/q.dat";
    OnlineLookup unwritable(view, settings, downloader, path);
    settings.Set(kAddMissingImeiKey, "1");
    const std::pair<const char*, std::string> cases[] = {
        {"1", "The handset could not be added to the local database file:\r\n" + path},
        {"0",
         "Kh\xA4ng th\xD3 ghi v\xAAo t\xCBp tin CSDL c\xEF"
         "a ch\xA7\xA5ng tr\xD8nh:\r\n" +
             path},
    };
    for (const auto& [languageId, prompt] : cases) {
        settings.Set(kLanguageIdKey, languageId);
        view = test::FakeMainView();
        view.resultBox = kLocalMiss;
        view.answers = {1};
        unwritable.Start("351234000000001");
        const std::string page = Page("Nokia", "6600", "X");
        unwritable.StreamBytes(page.data(), page.size());
        unwritable.Disconnected();
        ASSERT_EQ(view.messages.size(), 1u);
        EXPECT_EQ(view.messages[0].style, 16);
        EXPECT_EQ(view.messages[0].prompt, prompt);
    }
}

TEST_F(OnlineLookupTest, VietnameseQuestionsAndTitles) {
    settings.Set(kLanguageIdKey, "0");
    LookUp(kLocalMiss, Page("Nokia", "6600", "X"), {7});
    LookUp(kLocalMiss, "Login for on-line services", {1});
    ASSERT_EQ(view.messages.size(), 2u);
    EXPECT_EQ(view.messages[0].prompt,
              "S\xE7 IMEI n\xAAy ch\xA7"
              "a c\xE2 trong CSDL c\xEF"
              "a ch\xA7\xA5ng tr\xD8nh.\r\n"
              "B\xC1n c\xE2 mu\xE7n th\xA3m v\xAAo kh\xA4ng?");
    EXPECT_EQ(view.messages[1].prompt,
              "Kh\xA4ng th\xD3 truy c\xCBp CSDL tr\xA3n m\xC0y ch\xEF.\r\nB\xC1n c\xC7n ph\xB6i "
              "\xA2\x9Fng nh\xCBp \xA2\xD3 ti\xD5p t\xF3"
              "c s\xF5 d\xF3ng.");
    for (const auto& message : view.messages) EXPECT_EQ(message.title, "Th\xA4ng b\xC0o");
}

// While a handler's box is open the user closes the window or starts a new
// look-up: when the box returns, the handler does nothing more.
TEST_F(OnlineLookupTest, AHandlerWhoseLookUpEndedWhileItsBoxWasOpenDoesNothingMore) {
    struct Case {
        std::string page;   // empty: the download failed
        bool windowClosed;  // else a new look-up began
    };
    const Case cases[] = {{"", true},
                          {"Login for on-line services", false},
                          {Page("Nokia", "6600", "X"), false},
                          {Page("Nokia", "6600", "X"), true}};
    for (const Case& c : cases) {
        online = std::make_unique<OnlineLookup>(view, settings, downloader, userFile);
        view = test::FakeMainView();
        view.resultBox = kLocalMiss;
        online->Start("351234000000001");
        online->StreamBytes(c.page.data(), c.page.size());
        view.answers = {kResultYes};
        view.whileBoxIsOpen = [&] {
            view.whileBoxIsOpen = nullptr;
            c.windowClosed ? online.reset() : online->Start("352099001761481");
        };
        c.page.empty() ? online->DownloadFailed(5) : online->Disconnected();
        const auto box = std::find(view.log.begin(), view.log.end(), "message");
        EXPECT_EQ(std::count(box, view.log.end(), "enable"), 0) << c.page;
        EXPECT_EQ(UserFileText(), "");
    }
}

// A reply rejected with code 4 gives the buttons back while the rest of it
// still comes; what comes belongs to that look-up, never to the next one.
TEST_F(OnlineLookupTest, TheNextLookUpIgnoresWhatARejectedReplyStillSends) {
    // The cancelled old download ends with Disconnected, or with a length with code 1.
    for (const char* length : {"", "Content-Length: 5000\r\n"}) {
        view = test::FakeMainView();
        std::remove(userFile.c_str());
        OnlineSession session(view, settings, userFile);
        auto* fake = new test::FakeTransport;  // owned by the session's download object
        session.Connect(std::unique_ptr<Transport>(fake));
        view.resultBox = kLocalMiss;
        view.answers = {kResultOk, kResultYes};
        session.Start("351234000000001");
        fake->Feed(std::string("HTTP/1.0 404 Not Found\r\n") + length + "\r\n");
        session.ProcessMessage(kReadEvent);
        fake->Feed(Page("Old", "Reply", "OR-1"));  // not read yet
        session.Start("352099001761481");
        fake->Feed("HTTP/1.0 200 OK\r\n\r\n" + Page("New", "Page", "NP-2"));
        session.ProcessMessage(kReadEvent);
        session.ProcessMessage(kCloseEvent);
        const std::string header = "\r\n[Information from 127.0.0.1:8047]\r\n";
        EXPECT_EQ(view.resultBox, kLocalMiss + header + header +
                                      "Manufacturer: New\r\nModel type: Page\r\nReference: "
                                      "NP-2\r\nCountry of handset approval: GB\r\n");
        // The buttons come back after the code 4 box and at the new page's end.
        EXPECT_EQ(std::count(view.log.begin(), view.log.end(), "enable"), 2) << length;
        EXPECT_EQ(UserFileText(), "352099001761481=New\xB6Page\xB6NP-2\r\n");
    }
}

TEST(OnlineLookupPage, TheBufferStopsGrowingAtItsBound) {
    test::FakeMainView view;
    test::FakeSettings settings;
    FakeDownloader downloader;
    OnlineLookup lookup(view, settings, downloader, "");
    view.resultBox = kLocalHit;
    lookup.Start("352099001761481");
    const std::string chunk(1024 * 1024, 'x');
    for (int i = 0; i < 8; ++i) lookup.StreamBytes(chunk.data(), chunk.size());
    const std::string page = Page("Nokia", "6600", "X");
    lookup.StreamBytes(page.data(), page.size());
    lookup.Disconnected();  // the page past the bound is not seen
    EXPECT_EQ(view.resultBox, kLocalHit + "\r\n[Information from 127.0.0.1:8047]\r\n");
}

}  // namespace
}  // namespace quorvel
