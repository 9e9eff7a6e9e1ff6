// The main window's caption button: its image, drawing and mouse handling.
#include "main/caption_button_win32.h"

#include "ui/caption_text_win32.h"
#include "ui/transparent_blit_win32.h"

namespace quorvel {
namespace {

constexpr COLORREF kTransparentColour = RGB(0, 0, 0);
constexpr RGBQUAD kLetterColour = {0, 0, 128, 0};  // dark red (blue, green, red)

static_assert(kButtonNormal == 0 && kButtonPushed == DFCS_PUSHED, "the button's drawing states");

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

}  // namespace

void AddAboutToSystemMenu(HWND window) {
    HMENU menu = GetSystemMenu(window, FALSE);
    AppendMenuA(menu, MF_SEPARATOR, 0, "");
    AppendMenuA(menu, MF_STRING, kAboutCommandId, kAboutMenuText);
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

POINT ScreenPoint(LPARAM point) {
    const auto packed = static_cast<std::uint32_t>(point);
    return {LoWord(packed), HiWord(packed)};
}

POINT PointToScreen(HWND window, LPARAM point) {
    POINT screen = ScreenPoint(point);
    ClientToScreen(window, &screen);
    return screen;
}

void CaptionButton::Install(HWND window, HWND picture) {
    window_ = window;
    picture_ = picture;
    image_ = CreateCaptionImage();
    SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(image_.Get()));
    tracker_ = CaptionButtonTracker();
    KeepOwnCaptionDrawing(window);  // the button is drawn into the bar
}

void CaptionButton::Remove() {
    tracker_ = CaptionButtonTracker();
    // The control does not delete an image it was given; it lets go of it first.
    if (picture_) SendMessageA(picture_, STM_SETIMAGE, IMAGE_BITMAP, 0);
    image_.Reset();
    picture_ = nullptr;
    window_ = nullptr;
}

void CaptionButton::Draw(CaptionButtonState state) const {
    if (!window_) return;
    const PixelRect button = GetCaptionButtonRect(window_).button;
    UniqueWindowDc dc(window_);
    if (!dc) return;
    RECT frame = {button.left, button.top, button.right, button.bottom};
    DrawFrameControl(dc.Get(), &frame, DFC_BUTTON, DFCS_BUTTONPUSH | state);

    // The image comes from the picture control's bitmap, not from its
    // pixels on screen, which another window may cover.
    RECT picture = {};
    GetClientRect(picture_, &picture);
    auto image = reinterpret_cast<HBITMAP>(SendMessageA(picture_, STM_GETIMAGE, IMAGE_BITMAP, 0));
    if (!image) return;
    UniqueMemoryDc source(CreateCompatibleDC(dc.Get()));
    ScopedSelection selection(source.Get(), image);
    const PixelOffset offset = CaptionImageOffset(button, picture.right, picture.bottom, state);
    TransparentBlit(dc.Get(), button.left + offset.dx, button.top + offset.dy, picture.right,
                    picture.bottom, source.Get(), 0, 0, kTransparentColour);
}

bool CaptionButton::Contains(POINT point) const {
    if (!window_) return false;
    const CaptionButtonPlace place = GetCaptionButtonRect(window_);
    return IsInside(place.button, point.x - place.window.left, point.y - place.window.top);
}

bool CaptionButton::Press(POINT point) {
    if (!tracker_.Press(Contains(point))) return false;
    SetCapture(window_);
    Draw(kButtonPushed);
    if (GetActiveWindow() != window_) SetFocus(window_);
    return true;
}

void CaptionButton::Move(POINT point) const {
    if (tracker_.IsHeld()) Draw(tracker_.Move(Contains(point)));
}

bool CaptionButton::Release(POINT point) {
    if (!tracker_.IsHeld()) return false;
    const bool opens = tracker_.Release(Contains(point));
    ReleaseCapture();
    Draw(kButtonNormal);
    return opens;
}

void CaptionButton::CaptureChanged(HWND capturing) {
    if (!tracker_.IsHeld() || capturing == window_) return;
    tracker_.Abandon();
    Draw(kButtonNormal);
}

}  // namespace quorvel
