// The options dialog window: creates F2's controls, implements the view that
// OptionsForm drives, and turns the controls' notifications into its events.
#include "options/options_dialog_win32.h"

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "settings/profile_settings_win32.h"
#include "shared/handles_win32.h"
#include "shared/window_text_win32.h"
#include "ui/captions.h"
#include "ui/control_class_win32.h"
#include "ui/dialog_window_win32.h"

namespace quorvel {
namespace {

constexpr int kTwipsPerInch = 1440;
// The design font of the controls, in points (the dialog template's font).
constexpr WORD kDesignFontPoints = 8;
// The drop-down part of the language list, in pixels below its field.
constexpr int kDropDownHeight = 60;

constexpr DWORD kDialogStyle =
    DS_SETFONT | DS_MODALFRAME | DS_3DLOOK | WS_POPUP | WS_CAPTION | WS_SYSMENU;

static_assert(static_cast<int>(OptionsControl::Cm1) == IDOK &&
                  static_cast<int>(OptionsControl::Cm2) == IDCANCEL,
              "OK and Cancel carry the system's ids");

// The controls that carry the display font, in the order it is set on them.
constexpr OptionsControl kCaptionedControls[] = {
    OptionsControl::Lb1, OptionsControl::Cb1, OptionsControl::Ck1, OptionsControl::Ck2,
    OptionsControl::Cm1, OptionsControl::Cm2, OptionsControl::Cm3, OptionsControl::Fr1,
    OptionsControl::Cki, OptionsControl::Lb2, OptionsControl::Lb3};

// An in-memory dialog template without controls: empty title, no menu, the
// system's dialog class and the design font. Its strings are 16-bit by the
// template's format; the face name is ASCII.
std::vector<WORD> DialogTemplate() {
    DLGTEMPLATE header = {};
    header.style = kDialogStyle;
    std::vector<WORD> words(sizeof header / sizeof(WORD));
    std::memcpy(words.data(), &header, sizeof header);
    words.insert(words.end(), {0, 0, 0, kDesignFontPoints});  // menu, class, title, points
    for (const char* c = kDesignCaptionFontFace; *c; ++c) words.push_back(static_cast<WORD>(*c));
    words.push_back(0);
    return words;
}

class OptionsDialogWindow final : public OptionsView {
public:
    explicit OptionsDialogWindow(std::function<void()> applyMainCaptions)
        : form_(*this, ProgramSettings(), std::move(applyMainCaptions)) {}

    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    void AddLanguageEntry(const std::string& entry) override {
        SendMessageA(Item(OptionsControl::Cb1), CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(entry.c_str()));
    }
    int SelectedLanguageEntry() override {
        return static_cast<int>(SendMessageA(Item(OptionsControl::Cb1), CB_GETCURSEL, 0, 0));
    }
    void SelectLanguageEntry(int position) override {
        SendMessageA(Item(OptionsControl::Cb1), CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    }
    std::string Text(OptionsControl control) override { return WindowText(Item(control)); }
    void SetText(OptionsControl control, const std::string& text) override {
        SetWindowTextA(Item(control), text.c_str());
    }
    bool IsChecked(OptionsControl control) override {
        return SendMessageA(Item(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    void SetChecked(OptionsControl control, bool checked) override {
        SendMessageA(Item(control), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    bool IsEnabled(OptionsControl control) override { return IsWindowEnabled(Item(control)); }
    void Enable(OptionsControl control, bool enable) override {
        // A disabled control loses the focus to nowhere: keyboard users would
        // be left without one, so it moves on to the next control first.
        if (!enable && GetFocus() == Item(control)) {
            SendMessageA(dialog_, WM_NEXTDLGCTL, 0, FALSE);
        }
        EnableWindow(Item(control), enable ? TRUE : FALSE);
    }
    // The title lives in the dialog's dressing, from which it is drawn.
    void SetTitle(const std::string& title) override {
        if (DressedDialog* dressed = DressedDialog::Of(dialog_)) dressed->SetTitle(title);
    }
    void RedrawTitle() override {
        SendMessageA(dialog_, WM_NCACTIVATE, static_cast<WPARAM>(-1), 0);
    }
    void Close() override { EndDialog(dialog_, IDOK); }

private:
    HWND Item(OptionsControl control) const { return OptionsItem(dialog_, control); }
    void OnInitDialog(HWND dialog);
    void OnCommand(OptionsControl control, int notification);
    void PlaceOverOwner();
    void CreateControls();
    void SetDisplayFontFace();

    HWND dialog_ = nullptr;
    UniqueFont displayFont_;  // outlives the dialog and its controls
    OptionsForm form_;
};

int TwipsToPixels(int twips, int pixelsPerInch) {
    return MulDiv(twips, pixelsPerInch, kTwipsPerInch);
}

INT_PTR CALLBACK OptionsDialogWindow::DialogProc(HWND dialog, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        reinterpret_cast<OptionsDialogWindow*>(lParam)->OnInitDialog(dialog);
        return FALSE;  // the focus is set already
    }
    auto* self = reinterpret_cast<OptionsDialogWindow*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!self) return FALSE;
    switch (message) {
        case WM_COMMAND:
            self->OnCommand(static_cast<OptionsControl>(LOWORD(wParam)), HIWORD(wParam));
            return TRUE;
        case WM_CLOSE:  // the close box and Alt+F4 close without writing
            self->form_.Cancel();
            return TRUE;
        default:
            return FALSE;
    }
}

void OptionsDialogWindow::OnInitDialog(HWND dialog) {
    dialog_ = dialog;
    PlaceOverOwner();
    CreateControls();
    SendMessageA(dialog_, DM_SETDEFID, IDOK, 0);
    SetDisplayFontFace();
    // Dressed before the form opens, which gives the dressing its title; the
    // dialog is not shown yet.
    DressedDialog::Dress(dialog_, {std::string(), TitleFrame::kSizing, false});
    form_.Open();
    SetFocus(Item(OptionsControl::Cb1));
}

void OptionsDialogWindow::OnCommand(OptionsControl control, int notification) {
    switch (control) {
        case OptionsControl::Cb1:
            if (notification == CBN_SELCHANGE) form_.OnLanguageChosen();
            return;
        case OptionsControl::Tx1:
        case OptionsControl::Tx2:
            if (notification == EN_CHANGE) form_.OnProxyTextChanged();
            return;
        default:
            break;
    }
    if (notification != BN_CLICKED) return;
    switch (control) {
        case OptionsControl::Ck1:
            form_.OnGetOnlineClicked();
            break;
        case OptionsControl::Ck2:
            form_.OnAddMissingClicked();
            break;
        case OptionsControl::Cki:
            form_.OnUseProxyClicked();
            break;
        case OptionsControl::Cm1:
            form_.Ok();
            break;
        case OptionsControl::Cm2:
            form_.Cancel();
            break;
        case OptionsControl::Cm3:
            form_.Apply();
            break;
        default:
            break;
    }
}

// Sizes the window to its client area and centres it over its owner (over
// the screen when it has none).
void OptionsDialogWindow::PlaceOverOwner() {
    UniqueWindowDc screen(nullptr);
    RECT frame = {
        0, 0, TwipsToPixels(kOptionsClientWidthTwips, GetDeviceCaps(screen.Get(), LOGPIXELSX)),
        TwipsToPixels(kOptionsClientHeightTwips, GetDeviceCaps(screen.Get(), LOGPIXELSY))};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(dialog_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(dialog_, GWL_EXSTYLE)));
    HWND owner = GetWindow(dialog_, GW_OWNER);
    RECT over;
    GetWindowRect(owner ? owner : GetDesktopWindow(), &over);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(dialog_, nullptr, over.left + (over.right - over.left - width) / 2,
                 over.top + (over.bottom - over.top - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void OptionsDialogWindow::CreateControls() {
    UniqueWindowDc screen(nullptr);
    const int dpiX = GetDeviceCaps(screen.Get(), LOGPIXELSX);
    const int dpiY = GetDeviceCaps(screen.Get(), LOGPIXELSY);
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog_, GWLP_HINSTANCE));
    const HFONT designFont = reinterpret_cast<HFONT>(SendMessageA(dialog_, WM_GETFONT, 0, 0));
    // Creation order is the order of the TAB key; a label's access key moves
    // the focus to the control after it.
    const ControlPlace* frame = nullptr;
    for (const ControlPlace& place : kOptionsControls) {
        if (place.id == static_cast<int>(OptionsControl::Fr1)) frame = &place;
        const int originX = place.insideFrame && frame ? frame->left : 0;
        const int originY = place.insideFrame && frame ? frame->top : 0;
        int height = TwipsToPixels(place.height, dpiY);
        if (place.kind == ControlKind::DropDownList) height += kDropDownHeight;
        const ControlClass controlClass = ControlClassOf(place.kind);
        HWND control = CreateWindowExA(
            controlClass.exStyle, controlClass.name, "",
            WS_CHILD | WS_VISIBLE | WS_GROUP | controlClass.style,
            TwipsToPixels(originX + place.left, dpiX), TwipsToPixels(originY + place.top, dpiY),
            TwipsToPixels(place.width, dpiX), height, dialog_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.id)), instance, nullptr);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(designFont), FALSE);
    }
}

// Only the face name changes: size, weight and the rest stay the design font's.
void OptionsDialogWindow::SetDisplayFontFace() {
    LOGFONTA face = {};
    HFONT designFont = reinterpret_cast<HFONT>(SendMessageA(dialog_, WM_GETFONT, 0, 0));
    if (!designFont || !GetObjectA(designFont, sizeof face, &face)) return;
    lstrcpynA(face.lfFaceName, kDisplayFontFace, LF_FACESIZE);
    displayFont_.Reset(CreateFontIndirectA(&face));
    for (OptionsControl control : kCaptionedControls) {
        SendMessageA(Item(control), WM_SETFONT, reinterpret_cast<WPARAM>(displayFont_.Get()), TRUE);
    }
}

}  // namespace

bool ShowOptionsDialog(HWND owner, std::function<void()> applyMainCaptions) {
    OptionsDialogWindow window(std::move(applyMainCaptions));
    const std::vector<WORD> dialogTemplate = DialogTemplate();
    const INT_PTR result = DialogBoxIndirectParamA(
        GetModuleHandleA(nullptr), reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()),
        owner, OptionsDialogWindow::DialogProc, reinterpret_cast<LPARAM>(&window));
    return result != -1;
}

}  // namespace quorvel
