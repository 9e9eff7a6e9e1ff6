// The main window F1: creates its controls, runs the start-up steps when it
// opens and the shutdown steps when it closes, dispatches its messages (the
// caption button's among them), and owns the busy switch.
#include "main/main_window_win32.h"

#include <array>
#include <string>
#include <utility>

#include "download/socket_transport_win32.h"
#include "imei/handset_database.h"
#include "imei/handset_sources_win32.h"
#include "main/analyze_command.h"
#include "main/save_command.h"
#include "main/startup_messages.h"
#include "options/options_dialog_win32.h"
#include "settings/profile_settings_win32.h"
#include "shared/data_resource_win32.h"
#include "shared/window_text_win32.h"
#include "ui/about_win32.h"
#include "ui/captions.h"
#include "ui/control_class_win32.h"
#include "ui/display_font.h"
#include "ui/display_font_win32.h"
#include "ui/message_box_win32.h"
#include "ui/message_prompt.h"
#include "ui/safe_save_win32.h"
#include "ui/save_dialog_win32.h"

namespace quorvel {
namespace {

constexpr DWORD kNumberStyle = ES_NUMBER;
static_assert(kNumberStyle == 0x2000, "the digits-only edit style");

// The captioned controls' font height as designed: 8 points at 96 dpi.
constexpr int kCaptionFontHeight = -11;

const std::array<MainControlId, 6> kCaptionedControls = {kLb1Id, kLbiId, kCm1Id,
                                                         kCm2Id, kCm3Id, kCm4Id};
const std::array<MainControlId, 4> kCommandButtons = {kCm1Id, kCm2Id, kCm3Id, kCm4Id};

UniqueFont CreateDesignFont(const char* face, int height, int weight) {
    return UniqueFont(CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, face));
}

bool RegisterMainWindowClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXA existing = {};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(instance, kMainWindowClass, &existing)) return true;
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(kProgramIconId));
    windowClass.hIconSm = windowClass.hIcon;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kMainWindowClass;
    return RegisterClassExA(&windowClass) != 0;
}

// A start-up failure of its own, like the display font's: the on-line
// look-up never sees code 2, and the buttons stay as the window opened them.
void ReportDownloadUnavailable(HWND owner, Language language) {
    ShowMessage(owner, NetworkEventsUnavailableMessage(language), kStyleExclamationOk,
                kStartupFailureTitle, nullptr);
}

}  // namespace

MainWindow::MainWindow(HWND window)
    : window_(window), online_(*this, ProgramSettings(), ProgramHandsetSources::UserFilePath()) {}

MainWindow* MainWindow::Open(HINSTANCE instance) {
    if (!RegisterMainWindowClass(instance, ClassWindowProc)) return nullptr;
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame = {0, 0, kMainClientWidth, kMainClientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_CONTROLPARENT);
    // WM_NCCREATE binds the object to the window; WM_CREATE adds the controls
    // and runs the start-up steps.
    HWND window = CreateWindowExA(WS_EX_CONTROLPARENT, kMainWindowClass, kMainWindowTitle, style,
                                  CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                                  frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (!window) return nullptr;
    return reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void MainWindow::Close() { DestroyWindow(window_); }

LRESULT CALLBACK MainWindow::ClassWindowProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(new MainWindow(window)));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    self->EnterHandler();
    LRESULT result = self->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
    }
    self->LeaveHandler();
    return result;
}

// F1 can close inside one of its handlers, from the loop of a message box
// that the handler shows: the object then lives until that handler is done.
void MainWindow::LeaveHandler() {
    if (--handlersRunning_ == 0 && !window_) delete this;
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            CreateControls(reinterpret_cast<CREATESTRUCTA*>(lParam)->hInstance);
            StartUp();
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case DM_GETDEFID:
            // CM1 is the default button: IsDialogMessageA presses it on Enter.
            return MAKELRESULT(kCm1Id, DC_HASDEFID);
        case WM_ACTIVATE:
            // Like a dialog: the focus returns to the control that had it, or
            // goes to the IMEI box, the first in tab order.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(window_, focus)) lastFocus_ = focus;
            } else {
                SetFocus(lastFocus_ && IsWindow(lastFocus_) ? lastFocus_ : Control(kTx1Id));
            }
            return 0;
        case WM_SETCURSOR:
            if (busy_) {
                SetCursor(LoadCursorA(nullptr, IDC_APPSTARTING));
                return TRUE;
            }
            break;
        case WM_DESTROY:
            ShutDown();
            return 0;
        // The caption button's messages. The system draws the bar first, then
        // the button goes over it.
        case WM_STYLECHANGED:
        case WM_NCPAINT:
        case WM_NCACTIVATE:
            DefWindowProcA(window_, message, wParam, lParam);
            captionButton_.Draw(kButtonNormal);
            return message == WM_NCACTIVATE ? TRUE : 0;
        case WM_NCLBUTTONDOWN:
            if (wParam == HTCAPTION && captionButton_.Press(ScreenPoint(lParam))) return 0;
            break;
        case WM_NCRBUTTONDOWN:
            if (wParam == HTCAPTION && captionButton_.Contains(ScreenPoint(lParam))) return 0;
            break;
        case WM_SYSCOMMAND:
            if (wParam == kAboutCommandId) ShowAbout();
            break;
        case WM_MOUSEMOVE:
            captionButton_.Move(PointToScreen(window_, lParam));
            break;
        case WM_LBUTTONUP:
            if (captionButton_.Release(PointToScreen(window_, lParam))) ShowAbout();
            break;
        case WM_CAPTURECHANGED:
            captionButton_.CaptureChanged(reinterpret_cast<HWND>(lParam));
            break;
        default:
            break;
    }
    // A handler's message box may have outlived F1.
    return window_ ? DefWindowProcA(window_, message, wParam, lParam) : 0;
}

void MainWindow::CreateControls(HINSTANCE instance) {
    resultFont_ = CreateDesignFont(kResultFontFace, 0, FW_NORMAL);
    captionFont_ = CreateDesignFont(kDesignCaptionFontFace, kCaptionFontHeight, FW_NORMAL);
    for (const ControlPlace& control : kMainControls) {
        const ControlClass controlClass = ControlClassOf(control.kind);
        DWORD style = WS_CHILD | WS_VISIBLE | controlClass.style;
        if (control.id == kCm2Id) style |= WS_DISABLED;  // until an analysis has run
        HWND child = CreateWindowExA(
            controlClass.exStyle, controlClass.name, "", style, control.left, control.top,
            control.width, control.height, window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
        const bool isTextBox = control.id == kTx1Id || control.id == kTx2Id;
        HFONT font = isTextBox ? resultFont_.Get() : captionFont_.Get();
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    imeiBox_.Install(Control(kTx1Id));
}

void MainWindow::StartUp() {
    ExtractDisplayFont();
    GiveImeiBoxNumberStyle();
    AddAboutToSystemMenu();
    InstallCaptionButton();
    RegisterDisplayFont();
    SetDisplayFontOnCaptionedControls();
    ApplyMainCaptions();
    CreateDownloadObject();
}

// Every step runs even when an earlier one failed; none of them throws.
void MainWindow::ShutDown() {
    ReleaseDownloadObject();
    RemoveDisplayFont();
    RemoveCaptionButton();
}

void MainWindow::ExtractDisplayFont() {
    const std::string fontBytes =
        LoadDataResource(GetModuleHandleA(nullptr), kDisplayFontResourceId);
    if (!displayFont_.Extract(fontBytes)) {
        ReportDisplayFontUnavailable(window_, CurrentLanguage(ProgramSettings()));
    }
}

void MainWindow::GiveImeiBoxNumberStyle() {
    HWND imeiBox = Control(kTx1Id);
    LONG style = GetWindowLongA(imeiBox, GWL_STYLE);
    SetWindowLongA(imeiBox, GWL_STYLE, style | static_cast<LONG>(kNumberStyle));
}

void MainWindow::AddAboutToSystemMenu() { quorvel::AddAboutToSystemMenu(window_); }

void MainWindow::InstallCaptionButton() { captionButton_.Install(window_, Control(kPxiId)); }

void MainWindow::RegisterDisplayFont() {
    // A file that could not be written has been reported already.
    if (displayFont_.IsExtracted() && !displayFont_.Register()) {
        ReportDisplayFontUnavailable(window_, CurrentLanguage(ProgramSettings()));
    }
}

void MainWindow::SetDisplayFontOnCaptionedControls() {
    // Without the display font the controls keep the design font.
    if (!displayFont_.IsRegistered()) return;
    UniqueFont displayFont = CreateDesignFont(kDisplayFontFace, kCaptionFontHeight, FW_NORMAL);
    for (MainControlId id : kCaptionedControls) {
        SendMessageA(Control(id), WM_SETFONT, reinterpret_cast<WPARAM>(displayFont.Get()), TRUE);
    }
    captionFont_ = std::move(displayFont);  // the design font is no longer in use
}

void MainWindow::ApplyMainCaptions() {
    const MainCaptions& captions = MainCaptionsFor(CurrentLanguage(ProgramSettings()));
    const std::array<const char*, 6> texts = {captions.enterImeiLabel, captions.imeiTipLabel,
                                              captions.analyzeButton,  captions.saveButton,
                                              captions.clearButton,    captions.optionsButton};
    for (std::size_t i = 0; i < kCaptionedControls.size(); ++i) {
        SetWindowTextA(Control(kCaptionedControls[i]), texts[i]);
    }
}

void MainWindow::CreateDownloadObject() {
    auto transport = std::make_unique<WinsockTransport>();
    transport->SetNotificationSink(this);
    if (!online_.Connect(std::move(transport)).CanNotify()) {
        ReportDownloadUnavailable(window_, CurrentLanguage(ProgramSettings()));
    }
}

// A download still under way is dropped with the object; no event follows.
void MainWindow::ReleaseDownloadObject() { online_.Disconnect(); }

LRESULT MainWindow::ThuTucXuLy(HWND, UINT, WPARAM, LPARAM lParam) {
    EnterHandler();
    // A notification's value is two 16-bit halves (event, error) at either
    // width: the cast to 32 bits keeps all of it.
    online_.ProcessMessage(static_cast<std::int32_t>(lParam));
    LeaveHandler();
    return 0;
}

void MainWindow::RemoveDisplayFont() { displayFont_.Remove(); }

void MainWindow::RemoveCaptionButton() { captionButton_.Remove(); }

// About, with the window's icon.
void MainWindow::ShowAbout() {
    auto icon = reinterpret_cast<HICON>(SendMessageA(window_, WM_GETICON, ICON_BIG, 0));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrA(window_, GCLP_HICON));
    quorvel::ShowAbout(window_, icon);
}

void MainWindow::OnCommand(int controlId, int notification) {
    if (notification != BN_CLICKED) return;
    switch (controlId) {
        case kCm1Id:
            Analyze();
            break;
        case kCm2Id:
            Save();
            break;
        case kCm3Id:
            Clear();
            break;
        case kCm4Id:
            Options();
            break;
        default:
            break;
    }
}

void MainWindow::Analyze() {
    // The last look-up's download may still send; none of it is this one's.
    online_.Lookup().Supersede();
    ProgramHandsetSources sources;
    RunAnalyzeCommand(*this, ProgramSettings(), [&sources](const std::string& tac) {
        return LookupTac(tac, sources).fields;
    });
}

void MainWindow::Save() {
    WindowsResultFiles files;
    RunSaveCommand(*this, ProgramSettings(), files,
                   [this](Language language) { return AskSavePath(window_, language); });
}

void MainWindow::Clear() {
    SetWindowTextA(Control(kTx1Id), "");
    SetWindowTextA(Control(kTx2Id), "");
    EnableWindow(Control(kCm2Id), FALSE);
    SetFocus(Control(kTx1Id));
}

void MainWindow::Options() {
    ShowOptionsDialog(window_, [this] { ApplyMainCaptions(); });
}

std::string MainWindow::ImeiText() { return WindowText(Control(kTx1Id)); }

std::string MainWindow::ResultText() { return WindowText(Control(kTx2Id)); }

void MainWindow::SetImeiText(const std::string& text) {
    SetWindowTextA(Control(kTx1Id), text.c_str());
}

void MainWindow::SetResultText(const std::string& text) {
    SetWindowTextA(Control(kTx2Id), text.c_str());
}

// After F1 has closed, no box opens and none counts as answered: the handler
// that asked does nothing more.
int MainWindow::ShowMessage(const std::string& prompt, int style, const std::string& title) {
    if (!window_) return 0;
    const int result = quorvel::ShowMessage(window_, prompt, style, title, nullptr);
    return window_ ? result : 0;
}

void MainWindow::StartOnlineLookup(const std::string& imei) {
    if (!online_.Start(imei)) EnableCommands(true);  // only while the window is closing
}

void MainWindow::EnableCommands(bool enable) {
    for (MainControlId id : kCommandButtons) EnableWindow(Control(id), enable ? TRUE : FALSE);
    busy_ = !enable;
    SetCursor(LoadCursorA(nullptr, busy_ ? IDC_APPSTARTING : IDC_ARROW));
}

namespace {

void DispatchOne(HWND mainWindow, MSG& message) {
    if (mainWindow && IsWindow(mainWindow) && IsDialogMessageA(mainWindow, &message)) return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

}  // namespace

int RunMessageLoop(HWND mainWindow) {
    // Ends when F1 is gone, so the window never posts a quit message of its
    // own (tests open and close it many times in one process).
    MSG message;
    while (IsWindow(mainWindow) && GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchOne(mainWindow, message);
    }
    return 0;
}

void PumpPendingMessages(HWND mainWindow) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchOne(mainWindow, message);
}

}  // namespace quorvel
