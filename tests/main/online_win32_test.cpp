// End to end: the main window looks handsets up on-line at quorvel-service,
// started on 127.0.0.1 by the test fixtures, directly and through tinyproxy.
// What it shows and learns is the core's (online_lookup_test); here only that
// the window's downloader, settings, boxes and user file carry it.
#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "imei/handset_database.h"
#include "imei/imei.h"
#include "main/main_window_win32.h"
#include "settings/profile_settings_win32.h"
#include "support/message_box_script.h"
#include "support/test_files.h"
#include "support/win32_test_support.h"

namespace quorvel {
namespace {

using test::MessageBoxAnswerer;
using test::MessageBoxScript;
using test::WindowText;

std::string ReadWholeFile(const std::string& path) { return test::ReadTestFile(path).value_or(""); }

// The port a fixture wrote, read through Wine's Z: drive.
std::string FixturePort(const char* unixPath) {
    std::string port = ReadWholeFile(std::string("Z:") + unixPath);
    while (!port.empty() && (port.back() == '\n' || port.back() == '\r')) port.pop_back();
    return port;
}

// An IMEI of the TAC with a correct check digit.
std::string ImeiOf(const std::string& first14) { return first14 + CheckDigit(first14).value(); }

class OnlineWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::DeleteProgramFile(kSettingsFileName);
        test::DeleteProgramFile(kUserDatabaseFileName);
        servicePort_ = FixturePort(QUORVEL_SERVICE_PORT_FILE);
        ASSERT_FALSE(servicePort_.empty()) << "quorvel-service fixture not running";
        WriteSetting(kSettingsSection, "ServiceHost", "127.0.0.1:" + servicePort_);
        main_ = test::OpenShownMainWindow();
        ASSERT_NE(main_, nullptr);
    }
    void TearDown() override {
        if (main_) main_->Close();
        PumpPendingMessages(nullptr);
        test::DeleteProgramFile(kSettingsFileName);
        test::DeleteProgramFile(kUserDatabaseFileName);
    }

    // Presses Analyze for the text and handles messages until the look-up
    // has ended (the buttons are back) and every expected box is answered.
    void Analyze(const std::string& text, MessageBoxScript& script) {
        SetWindowTextA(main_->Control(kTx1Id), text.c_str());
        SendMessageA(main_->Control(kCm1Id), BM_CLICK, 0, 0);
        PumpUntil([&] { return !main_->IsBusy() && script.Unanswered() == 0; });
        PumpFor(150);  // whatever would still follow
    }

    void PumpUntil(const std::function<bool()>& done) {
        for (int i = 0; i < 500 && !done(); ++i) {
            PumpPendingMessages(main_->Handle());
            Sleep(20);
        }
        EXPECT_TRUE(done()) << "timed out";
    }
    void PumpFor(int milliseconds) {
        for (int waited = 0; waited < milliseconds; waited += 10) {
            PumpPendingMessages(main_ ? main_->Handle() : nullptr);
            Sleep(10);
        }
    }

    std::string Result() { return WindowText(main_->Control(kTx2Id)); }
    std::string UserFile() { return ReadWholeFile(test::ProgramFilePath(kUserDatabaseFileName)); }
    std::string Header() { return "\r\n[Information from 127.0.0.1:" + servicePort_ + "]\r\n"; }

    MainWindow* main_ = nullptr;
    std::string servicePort_;
};

const std::string kModelOneLines =
    "Manufacturer: Quorvel Test\r\nModel type: Model One\r\nReference: QT-1\r\n";

TEST_F(OnlineWindowTest, UnknownHandsetIsFetchedShownAndLearnt) {
    const std::string imei = ImeiOf("35999901000000");
    MessageBoxScript script({IDYES, IDYES});
    // Typed with separators: the record key is the 15 digits alone.
    Analyze("35 999901-000000/" + imei.substr(14), script);
    ASSERT_EQ(script.Seen().size(), 2u) << "search on-line? add it?";
    EXPECT_NE(Result().find(Header() + kModelOneLines), std::string::npos) << Result();
    EXPECT_EQ(UserFile(), imei + "=Quorvel Test\xB6Model One\xB6QT-1\r\n");
    EXPECT_TRUE(IsWindowEnabled(main_->Control(kCm2Id)));

    // Learnt: the next analysis finds it locally and asks nothing.
    MessageBoxScript again({});
    Analyze(imei, again);
    EXPECT_TRUE(again.Seen().empty());
    EXPECT_NE(Result().find("Manufacturer: Quorvel Test\r\n"), std::string::npos);
}

TEST_F(OnlineWindowTest, ThroughARealHttpProxy) {
    WriteSetting(kSettingsSection, kProxyUsedKey, "1");
    WriteSetting(kSettingsSection, kProxyAddressKey, "127.0.0.1");
    WriteSetting(kSettingsSection, kProxyPortKey, FixturePort(QUORVEL_PROXY_PORT_FILE));
    MessageBoxScript script({IDYES, IDNO});
    Analyze(ImeiOf("35999901000000"), script);
    ASSERT_EQ(script.Seen().size(), 2u);
    EXPECT_NE(Result().find(Header() + kModelOneLines), std::string::npos) << Result();
    EXPECT_EQ(UserFile(), "");
}

TEST_F(OnlineWindowTest, ALookUpsBoxIsModalToTheWindowWhichMayCloseUnderIt) {
    WriteSetting(kSettingsSection, "ServiceHost",
                 "127.0.0.1:" + FixturePort(QUORVEL_LOGIN_SERVICE_PORT_FILE));
    WriteSetting(kSettingsSection, kGetOnlineImeiKey, "1");
    // Another thread's window in front: this thread has no active window then.
    DWORD frontThread = 0;
    HANDLE frontShown = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread front([&] {
        HWND other = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 50,
                                     50, nullptr, nullptr, nullptr, nullptr);
        SetForegroundWindow(other);
        frontThread = GetCurrentThreadId();
        SetEvent(frontShown);
        for (MSG message; GetMessageA(&message, nullptr, 0, 0) > 0;) DispatchMessageA(&message);
        DestroyWindow(other);
    });
    WaitForSingleObject(frontShown, 5000);
    CloseHandle(frontShown);
    HWND window = main_->Handle();
    bool ownedAndModal = false;
    MessageBoxAnswerer answerer([&](HWND box) {  // the login box, raised by the download
        ownedAndModal = GetWindow(box, GW_OWNER) == window && !IsWindowEnabled(window);
        SendMessageA(window, WM_CLOSE, 0, 0);  // the box closes with its owner
        return IDOK;
    });
    SetWindowTextA(main_->Control(kTx1Id), ImeiOf("49015420323751").c_str());
    SendMessageA(main_->Control(kCm1Id), BM_CLICK, 0, 0);
    main_ = nullptr;  // not to be touched once it has closed
    for (int i = 0; i < 250 && IsWindow(window); ++i) PumpFor(20);
    EXPECT_TRUE(ownedAndModal);
    EXPECT_FALSE(IsWindow(window));
    PostThreadMessageA(frontThread, WM_QUIT, 0, 0);
    front.join();
}

}  // namespace
}  // namespace quorvel
