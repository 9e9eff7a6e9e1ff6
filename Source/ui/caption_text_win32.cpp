// Display fonts created by the program and the caption-title drawing.
#include "ui/caption_text_win32.h"

#if __has_include(<dwmapi.h>)
#include <dwmapi.h>
#endif

#include "shared/system_function_win32.h"
#include "ui/captions.h"

namespace quorvel {
namespace {

// One vertically centred line, clipped to its rectangle (no DT_NOCLIP).
constexpr UINT kCaptionTextFlags = DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS;
static_assert(kCaptionTextFlags == 0x64, "the caption text's drawing flags");
constexpr int kDisplayFontHeight = 8;

// DWMWA_NCRENDERING_POLICY and DWMNCRP_DISABLED: MinGW's headers may lack them.
constexpr DWORD kNcRenderingPolicy = 2;
constexpr DWORD kNcRenderingDisabled = 1;
#if __has_include(<dwmapi.h>)
static_assert(kNcRenderingPolicy == DWMWA_NCRENDERING_POLICY &&
                  kNcRenderingDisabled == DWMNCRP_DISABLED,
              "the attribute that keeps the program's caption drawing");
#endif

using SetWindowAttributeProc = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);

// Looked up once.
SetWindowAttributeProc DwmSetWindowAttributeProc() {
    static const auto proc =
        SystemFunction<SetWindowAttributeProc>("dwmapi.dll", "DwmSetWindowAttribute");
    return proc;
}

// Ends a font enumeration at its first font, which makes it return 0.
int CALLBACK StopAtFirstFont(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM) { return 0; }

}  // namespace

void KeepOwnCaptionDrawing(HWND window) {
    if (SetWindowAttributeProc setAttribute = DwmSetWindowAttributeProc()) {
        setAttribute(window, kNcRenderingPolicy, &kNcRenderingDisabled,
                     sizeof kNcRenderingDisabled);
    }
}

UniqueFont CreateDisplayFont(int weight) {
    return UniqueFont(CreateFontA(kDisplayFontHeight, 0, 0, 0, weight, FALSE, FALSE, FALSE, 0, 0, 0,
                                  0, 0, kDisplayFontFace));
}

bool IsDisplayFaceInstalled() {
    // The installed faces, not a created font: a font of a face removed since
    // may still be drawn from the system's cache.
    LOGFONTA wanted = {};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(wanted.lfFaceName, kDisplayFontFace, LF_FACESIZE);
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    return EnumFontFamiliesExA(dc.Get(), &wanted, StopAtFirstFont, 0, 0) == 0;
}

void DrawCaptionText(HDC dc, const RECT& rect, const std::string& text, bool bold,
                     int colourIndex) {
    SetBkMode(dc, TRANSPARENT);
    const COLORREF previousColour = SetTextColor(dc, GetSysColor(colourIndex));
    UniqueFont font = CreateDisplayFont(kDisplayFontWeight + (bold ? kBoldExtraWeight : 0));
    {
        ScopedSelection selection(dc, font.Get());
        RECT bounds = rect;
        // DrawTextExA takes a writable buffer; without DT_MODIFYSTRING it is
        // left as it is.
        std::string buffer = text;
        DrawTextExA(dc, buffer.data(), static_cast<int>(buffer.size()), &bounds, kCaptionTextFlags,
                    nullptr);
    }
    SetTextColor(dc, previousColour);
}

}  // namespace quorvel
