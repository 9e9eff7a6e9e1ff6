// The Winsock transport's notification window and the route of its
// notifications to the download object held by the main window.
#include <windows.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "download/socket_transport_win32.h"
#include "download/socket_window_win32.h"
#include "main/main_window_win32.h"
#include "settings/settings_store.h"
#include "support/download_event_log.h"
#include "support/script_server.h"
#include "support/win32_test_support.h"

namespace quorvel {
namespace {

using test::ClientEnding;
using test::DownloadEventLog;
using Events = std::vector<std::string>;

struct Notification {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class RecordingSink final : public SocketNotificationSink {
public:
    RecordingSink() : previous_(CurrentSocketNotificationSink()) {
        SetSocketNotificationSink(this);
    }
    ~RecordingSink() { SetSocketNotificationSink(previous_); }
    LRESULT ThuTucXuLy(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) override {
        received.push_back({hwnd, uMsg, wParam, lParam});
        return 0;
    }
    std::vector<Notification> received;

private:
    SocketNotificationSink* previous_;
};

// Handles the messages of this thread for the given time.
void PumpFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
}

bool gSawCreation = false;
CREATESTRUCTA gCreation = {};
std::string gCreationClass;

LRESULT CALLBACK RecordCreationHookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        if (create->lpszName && std::string(create->lpszName) == kNotificationWindowCaption) {
            gSawCreation = true;
            gCreation = *create;
            // The class is a name here, not an atom.
            gCreationClass = HIWORD(reinterpret_cast<UINT_PTR>(create->lpszClass))
                                 ? create->lpszClass
                                 : "(atom)";
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(NotificationWindow, IsAHiddenTopLevelStaticWindowRunningSocketWindowProc) {
    gSawCreation = false;
    UniqueHook hook(
        SetWindowsHookExA(WH_CBT, RecordCreationHookProc, nullptr, GetCurrentThreadId()));
    WinsockTransport transport;
    hook.Reset();
    ASSERT_TRUE(gSawCreation);
    EXPECT_STRCASEEQ(gCreationClass.c_str(), "STATIC");
    EXPECT_EQ(gCreation.dwExStyle, 0u);
    EXPECT_EQ(gCreation.style, 0);
    EXPECT_EQ(gCreation.x, 0);
    EXPECT_EQ(gCreation.y, 0);
    EXPECT_EQ(gCreation.cx, 0);
    EXPECT_EQ(gCreation.cy, 0);
    EXPECT_EQ(gCreation.hwndParent, nullptr);
    EXPECT_EQ(gCreation.hMenu, nullptr);
    EXPECT_EQ(gCreation.hInstance, nullptr);
    EXPECT_EQ(gCreation.lpCreateParams, nullptr);

    ASSERT_TRUE(transport.CanNotify());
    HWND window = transport.NotificationWindow();
    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(test::WindowText(window), "VLT_WINSOCK_SUBCLASS_LABEL");
    EXPECT_EQ(GetWindowLongPtrA(window, GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(SocketWindowProc));
}

TEST(NotificationWindow, Message1025GoesToTheReceiverUnchangedAndOthersToTheStaticProcedure) {
    WinsockTransport transport;
    HWND window = transport.NotificationWindow();
    RecordingSink sink;
    const LPARAM resetClose = MAKELPARAM(kCloseEvent, 10054);
    EXPECT_EQ(SendMessageA(window, 1025, 1234, resetClose), 0);
    ASSERT_EQ(sink.received.size(), 1u);
    EXPECT_EQ(sink.received[0].hwnd, window);
    EXPECT_EQ(sink.received[0].message, 1025u);
    EXPECT_EQ(sink.received[0].wParam, 1234u);
    EXPECT_EQ(sink.received[0].lParam, resetClose);

    // The static control's own procedure still handles its text.
    SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("changed"));
    EXPECT_EQ(test::WindowText(window), "changed");
    EXPECT_EQ(sink.received.size(), 1u);
}

TEST(NotificationWindow, TheNoProgressWatchArrivesOnceThroughTheSameRoute) {
    WinsockTransport transport;
    RecordingSink sink;
    transport.WatchProgress(30);
    PumpFor(300);
    ASSERT_EQ(sink.received.size(), 1u);
    EXPECT_EQ(sink.received[0].message, 1025u);
    EXPECT_EQ(sink.received[0].lParam, kNoProgressEvent);

    transport.WatchProgress(30);
    transport.WatchProgress(0);
    PumpFor(150);
    EXPECT_EQ(sink.received.size(), 1u) << "a stopped watch stays silent";
}

HWND gWatched = nullptr;
bool gDestroyed = false;
LONG_PTR gProcedureAtDestroy = 0;

LRESULT CALLBACK RecordDestroyHookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_DESTROYWND && reinterpret_cast<HWND>(wParam) == gWatched) {
        gDestroyed = true;
        gProcedureAtDestroy = GetWindowLongPtrA(gWatched, GWLP_WNDPROC);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(NotificationWindow, DestructionPutsTheProcedureBackBeforeDestroyingTheWindow) {
    auto transport = std::make_unique<WinsockTransport>();
    HWND window = transport->NotificationWindow();
    gWatched = window;
    gDestroyed = false;
    UniqueHook hook(
        SetWindowsHookExA(WH_CBT, RecordDestroyHookProc, nullptr, GetCurrentThreadId()));
    transport.reset();
    hook.Reset();
    EXPECT_TRUE(gDestroyed);
    EXPECT_NE(gProcedureAtDestroy, reinterpret_cast<LONG_PTR>(SocketWindowProc));
    EXPECT_NE(gProcedureAtDestroy, 0);
    EXPECT_FALSE(IsWindow(window));
}

LRESULT CALLBACK RefuseNotificationWindowHookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        if (create->lpszName && std::string(create->lpszName) == kNotificationWindowCaption) {
            return 1;  // the window is not created
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(NotificationWindow, WithoutItTheOwnerIsToldAndEveryConnectionFails) {
    test::ScriptServer server({});
    DownloadEventLog log;
    std::unique_ptr<C1> download;
    {
        UniqueHook hook(SetWindowsHookExA(WH_CBT, RefuseNotificationWindowHookProc, nullptr,
                                          GetCurrentThreadId()));
        download = std::make_unique<C1>(std::make_unique<WinsockTransport>(), &log);
    }
    EXPECT_FALSE(download->CanNotify());
    download->FetchURLString(server.Base() + "/");
    download->ProxyUsed(true);
    download->ProxyAddress("127.0.0.1");
    download->ProxyPort(server.Port());
    download->FetchURLString("http://imei.example/");
    EXPECT_EQ(log.events, Events({"DownloadFailed 5 0", "DownloadFailed 7 0"}));
}

class MainWindowRoute : public ::testing::Test {
protected:
    void SetUp() override { test::DeleteProgramFile(kSettingsFileName); }
    void TearDown() override {
        if (window_ && IsWindow(window_)) DestroyWindow(window_);
        test::DeleteProgramFile(kSettingsFileName);
    }
    MainWindow& Open() {
        MainWindow* main = MainWindow::Open(GetModuleHandleA(nullptr));
        EXPECT_NE(main, nullptr);
        window_ = main->Handle();
        return *main;
    }
    // Runs the program's message handling until done() or five seconds.
    template <typename Done>
    bool PumpUntil(Done done) {
        const DWORD start = GetTickCount();
        while (!done()) {
            if (GetTickCount() - start > 5000) return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            PumpPendingMessages(window_);
        }
        return true;
    }
    // Gives the main window a new download object on the Winsock transport.
    C1& AttachDownload(MainWindow& main) {
        auto transport = std::make_unique<WinsockTransport>();
        transport_ = transport.get();
        auto download = std::make_unique<C1>(std::move(transport), &log_);
        C1& attached = *download;
        main.AttachDownload(std::move(download));
        return attached;
    }

    HWND window_ = nullptr;
    WinsockTransport* transport_ = nullptr;  // owned by the main window's download object
    DownloadEventLog log_;
};

TEST_F(MainWindowRoute, AWaitingNotificationOfACancelledConnectionDoesNotReachTheNextOne) {
    test::ScriptServer first(
        {{test::ReadRequest(), test::Send("HTTP/1.0 200 OK\r\nContent-Length: 9\r\n\r\nsome"),
          test::AwaitClose()}});
    test::ScriptServer second({{test::ReadRequest(), test::Send("HTTP/1.0 200 OK\r\n\r\nnext")}});
    MainWindow& main = Open();
    C1& download = AttachDownload(main);
    download.FetchURLString(first.Base() + "/");
    ASSERT_TRUE(PumpUntil([&] { return log_.events.size() >= 4; }));
    // The first connection's close is already queued when the next fetch
    // cancels it; it must run out with the old connection.
    PostMessageA(transport_->NotificationWindow(), kSocketMessage, 0, kCloseEvent);
    download.FetchURLString(second.Base() + "/");
    ASSERT_TRUE(PumpUntil([&] { return log_.Outcomes() == 2; }));
    PumpFor(100);
    EXPECT_EQ(log_.Merged(),
              Events({"Connected 0", "QuerySent 0", "Body some 0", "DownloadFailed 1 0",
                      "Connected 0", "QuerySent 0", "Body next 0", "Disconnected 0"}));
}

TEST_F(MainWindowRoute, ClosingTheMainWindowDropsADownloadUnderWaySilently) {
    test::ScriptServer server(
        {{test::ReadRequest(), test::Send("HTTP/1.0 200 OK\r\nContent-Length: 99\r\n\r\nsome"),
          test::AwaitClose()}});
    MainWindow& main = Open();
    AttachDownload(main).FetchURLString(server.Base() + "/");
    ASSERT_TRUE(PumpUntil([&] { return log_.events.size() >= 4; }));
    const Events before = log_.events;
    main.Close();
    window_ = nullptr;
    PumpFor(100);
    EXPECT_EQ(log_.events, before) << "no event after the main window closed";
    EXPECT_NE(server.Endings().at(0), ClientEnding::kStillOpen);
    EXPECT_EQ(CurrentSocketNotificationSink(), nullptr);
}

}  // namespace
}  // namespace quorvel
