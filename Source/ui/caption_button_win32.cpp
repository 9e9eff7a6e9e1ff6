// MainWindowProc: the caption bar's "i" button and the system menu's About
// item of the main window.
#include "ui/caption_button_win32.h"

#include "shared/handles_win32.h"
#include "ui/about_win32.h"
#include "ui/caption_text_win32.h"
#include "ui/transparent_blit_win32.h"

namespace quorvel {
namespace {

constexpr COLORREF kTransparentColour = RGB(0, 0, 0);
constexpr RGBQUAD kLetterColour = {0, 0, 128, 0};  // dark red (blue, green, red)

WindowSubclass gPrevMainWndProc;      // PrevMainWndProc
CaptionButtonTracker gCaptionButton;  // CaptionButtonDown
HWND gPicture = nullptr;              // PXi
UniqueBitmap gCaptionImage;           // the image PXi shows

LRESULT CallPrevious(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return WindowSubclass::CallPrevious(MainWindowProc, window, message, wParam, lParam);
}

// A 16-colour image of the "i": the letter's colour on black.
UniqueBitmap CreateCaptionImage() {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[16];
    } info = {};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = kCaptionImageWidth;
    info.header.biHeight = -kCaptionImageHeight;  // rows from the top down
    info.header.biPlanes = 1;
    info.header.biBitCount = 4;
    info.header.biCompression = BI_RGB;
    info.colours[1] = kLetterColour;  // colour 0 is black
    void* bits = nullptr;
    UniqueBitmap image(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info),
                                        DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!image || !bits) return UniqueBitmap();
    GdiFlush();  // before the bits are written directly
    // Two pixels a byte, the left one in the high half; rows padded to 32 bits.
    const int stride = (kCaptionImageWidth * 4 + 31) / 32 * 4;
    auto* bytes = static_cast<BYTE*>(bits);
    for (int y = 0; y < kCaptionImageHeight; ++y) {
        for (int x = 0; x < kCaptionImageWidth; ++x) {
            if (kCaptionImageRows[static_cast<std::size_t>(y)][x] != '#') continue;
            bytes[y * stride + x / 2] |= static_cast<BYTE>(x % 2 == 0 ? 0x10 : 0x01);
        }
    }
    return image;
}

HICON WindowIcon(HWND window) {
    if (auto icon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_BIG, 0))) {
        return icon;
    }
    return reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICON));
}

bool IsInButton(HWND window, POINT screenPoint) {
    const CaptionButtonPlace place = GetCaptionButtonRect(window);
    return IsInside(place.button, screenPoint.x - place.window.left,
                    screenPoint.y - place.window.top);
}

// The mouse position of a non-client message, already in screen coordinates.
POINT ScreenPoint(LPARAM lParam) {
    const auto packed = static_cast<std::uint32_t>(lParam);
    return {LoWord(packed), HiWord(packed)};
}

void Redraw(HWND window, CaptionButtonState state) {
    DrawCaptionButton(window, state, GetCaptionButtonRect(window).button);
}

}  // namespace

void AddAboutToSystemMenu(HWND window) {
    HMENU menu = GetSystemMenu(window, FALSE);
    AppendMenuA(menu, MF_SEPARATOR, 0, "");
    AppendMenuA(menu, MF_STRING, kAboutCommandId, kAboutMenuText);
}

void InstallMainWindowProc(HWND window, HWND picture) {
    gPicture = picture;
    gCaptionImage = CreateCaptionImage();
    SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(gCaptionImage.Get()));
    gCaptionButton = CaptionButtonTracker();
    gPrevMainWndProc.Install(window, MainWindowProc);
    KeepOwnCaptionDrawing(window);  // the caption button is drawn into the bar
}

void RestoreMainWindowProc(HWND /*window*/) {
    gPrevMainWndProc.Restore();
    gCaptionButton = CaptionButtonTracker();
    // The control does not delete an image it was given; it lets go of it first.
    if (gPicture) SendMessageA(gPicture, STM_SETIMAGE, IMAGE_BITMAP, 0);
    gCaptionImage.Reset();
    gPicture = nullptr;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_STYLECHANGED:
        case WM_NCPAINT:
            CallPrevious(window, message, wParam, lParam);
            Redraw(window, kButtonNormal);
            return 0;
        case WM_NCACTIVATE:
            CallPrevious(window, message, wParam, lParam);
            Redraw(window, kButtonNormal);
            return TRUE;
        case WM_NCLBUTTONDOWN:
            if (wParam == HTCAPTION &&
                gCaptionButton.Press(IsInButton(window, ScreenPoint(lParam)))) {
                SetCapture(window);
                Redraw(window, kButtonPushed);
                if (GetActiveWindow() != window) SetFocus(window);
                return 0;
            }
            break;
        case WM_NCRBUTTONDOWN:
            if (wParam == HTCAPTION && IsInButton(window, ScreenPoint(lParam))) return 0;
            break;
        case WM_SYSCOMMAND:
            if (wParam == kAboutCommandId) ShowAbout(window, WindowIcon(window));
            break;
        case WM_MOUSEMOVE:
            if (gCaptionButton.IsHeld()) {
                Redraw(window,
                       gCaptionButton.Move(IsInButton(window, PointToScreen(window, lParam))));
            }
            break;
        case WM_LBUTTONUP:
            if (gCaptionButton.IsHeld()) {
                const bool opens =
                    gCaptionButton.Release(IsInButton(window, PointToScreen(window, lParam)));
                ReleaseCapture();
                Redraw(window, kButtonNormal);
                if (opens) ShowAbout(window, WindowIcon(window));
            }
            break;
        case WM_CAPTURECHANGED:
            // Another window took the mouse (a message box, a window switch):
            // no release will come, so the button must not stay pushed.
            if (gCaptionButton.IsHeld() && reinterpret_cast<HWND>(lParam) != window) {
                gCaptionButton.Abandon();
                Redraw(window, kButtonNormal);
            }
            break;
        default:
            break;
    }
    return CallPrevious(window, message, wParam, lParam);
}

CaptionButtonPlace GetCaptionButtonRect(HWND window) {
    CaptionButtonPlace place = {};
    RECT client = {};
    GetWindowRect(window, &place.window);
    GetClientRect(window, &client);
    const CaptionMetrics metrics = {GetSystemMetrics(SM_CXSIZE), GetSystemMetrics(SM_CYSIZE),
                                    GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CYEDGE),
                                    GetSystemMetrics(SM_CYCAPTION)};
    place.button =
        CaptionButtonRect(place.window.right - place.window.left,
                          place.window.bottom - place.window.top, client.bottom, metrics);
    return place;
}

void DrawCaptionButton(HWND window, CaptionButtonState state, const PixelRect& button) {
    UniqueWindowDc dc(window);
    if (!dc) return;
    RECT frame = {button.left, button.top, button.right, button.bottom};
    DrawFrameControl(dc.Get(), &frame, DFC_BUTTON, DFCS_BUTTONPUSH | state);

    // The image comes from the picture control's bitmap, not from its
    // pixels on screen, which another window may cover.
    RECT picture = {};
    GetClientRect(gPicture, &picture);
    auto image = reinterpret_cast<HBITMAP>(SendMessageA(gPicture, STM_GETIMAGE, IMAGE_BITMAP, 0));
    if (!image) return;
    UniqueMemoryDc source(CreateCompatibleDC(dc.Get()));
    ScopedSelection selection(source.Get(), image);
    const PixelOffset offset = CaptionImageOffset(button, picture.right, picture.bottom, state);
    TransparentBlit(dc.Get(), button.left + offset.dx, button.top + offset.dy, picture.right,
                    picture.bottom, source.Get(), 0, 0, kTransparentColour);
}

POINT PointToScreen(HWND window, LPARAM point) {
    POINT screen = ScreenPoint(point);
    ClientToScreen(window, &screen);
    return screen;
}

}  // namespace quorvel
