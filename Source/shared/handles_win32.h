// Move-only owners of Win32 handles: one type per kind of handle, each with
// its own release call, so that acquiring code never releases by hand; and
// the owner of a window subclass, which hands the window's messages to the
// object that owns the subclass.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

#include "shared/system_function_win32.h"

namespace quorvel {

template <typename Handle, typename Releaser, Handle kNone = Handle{}>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != kNone; }
    Handle Release() { return std::exchange(handle_, kNone); }
    void Reset(Handle handle = kNone) {
        Handle old = std::exchange(handle_, handle);
        if (old != kNone) Releaser::Free(old);
    }

private:
    Handle handle_ = kNone;
};

struct DestroyWindowRelease {
    static void Free(HWND window) { DestroyWindow(window); }
};
struct DeleteGdiObjectRelease {
    static void Free(HGDIOBJ object) { DeleteObject(object); }
};
struct DeleteDcRelease {
    static void Free(HDC dc) { DeleteDC(dc); }
};
struct UnhookRelease {
    static void Free(HHOOK hook) { UnhookWindowsHookEx(hook); }
};
struct CloseFileRelease {
    static void Free(HANDLE file) { CloseHandle(file); }
};
// A Winsock SOCKET is a UINT_PTR. The release call (closesocket) is defined
// with the Winsock transport, so that this header brings in no Winsock header
// and each file chooses its own.
struct CloseSocketRelease {
    static void Free(UINT_PTR socket);
};

using UniqueWindow = UniqueHandle<HWND, DestroyWindowRelease>;
using UniqueFont = UniqueHandle<HFONT, DeleteGdiObjectRelease>;
using UniqueBitmap = UniqueHandle<HBITMAP, DeleteGdiObjectRelease>;
using UniqueMemoryDc = UniqueHandle<HDC, DeleteDcRelease>;
using UniqueHook = UniqueHandle<HHOOK, UnhookRelease>;
// CreateFileA reports failure as INVALID_HANDLE_VALUE, not as null; a file
// owner holds null when it has no file.
using UniqueFile = UniqueHandle<HANDLE, CloseFileRelease>;
// INVALID_SOCKET, all bits set, stands for no socket.
using UniqueSocket = UniqueHandle<UINT_PTR, CloseSocketRelease, ~UINT_PTR{0}>;

// The device context of a whole window (GetWindowDC), released with its window.
class UniqueWindowDc {
public:
    explicit UniqueWindowDc(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
    ~UniqueWindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    UniqueWindowDc(const UniqueWindowDc&) = delete;
    UniqueWindowDc& operator=(const UniqueWindowDc&) = delete;

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context for a scope; the previous object
// of its kind is selected back at the end.
class ScopedSelection {
public:
    ScopedSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelection() {
        if (previous_) SelectObject(dc_, previous_);
    }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// GetWindowSubclass, looked up in comctl32 when first used: MinGW-w64's
// 64-bit import library lacks it, although the library has it at each width.
inline bool FindSubclassData(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR* data) {
    using GetWindowSubclassProc = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR*);
    static const auto getWindowSubclass =
        SystemFunction<GetWindowSubclassProc>("comctl32.dll", "GetWindowSubclass");
    return getWindowSubclass && getWindowSubclass(window, procedure, id, data);
}

// A procedure put over a window's own with SetWindowSubclass (a subclass),
// and the owner of that installation. The procedure is a member function of
// the object that owns the subclass, which receives it on every call as the
// subclass's reference data: the window's state is that object's. It passes
// a message on with CallPreviousProcedure. The subclass leaves the window by
// Remove, by the destructor, or, when the window is destroyed first, at its
// WM_NCDESTROY, before the object sees that message (so the object may end
// with its window). A window takes one subclass of each kind, which Find
// reaches from the window. The owner's address is the reference data, so it
// stays where it was made (not movable).
template <typename Object, LRESULT (Object::*Procedure)(HWND, UINT, WPARAM, LPARAM)>
class WindowSubclass {
public:
    explicit WindowSubclass(Object& object) : object_(object) {}
    ~WindowSubclass() { Remove(); }
    WindowSubclass(const WindowSubclass&) = delete;
    WindowSubclass& operator=(const WindowSubclass&) = delete;

    // False, and nothing installed, when the window cannot be subclassed or
    // has a subclass of this kind already.
    bool Install(HWND window) {
        Remove();
        if (Find(window)) return false;
        if (!SetWindowSubclass(window, Dispatch, kId, reinterpret_cast<DWORD_PTR>(this))) {
            return false;
        }
        window_ = window;
        return true;
    }

    void Remove() {
        if (window_) RemoveWindowSubclass(std::exchange(window_, nullptr), Dispatch, kId);
    }

    bool Installed() const { return window_ != nullptr; }

    // The object of the window's subclass of this kind; null when it has none.
    static Object* Find(HWND window) {
        DWORD_PTR owner = 0;
        if (!FindSubclassData(window, Dispatch, kId, &owner) || !owner) return nullptr;
        return &reinterpret_cast<WindowSubclass*>(owner)->object_;
    }

private:
    static constexpr UINT_PTR kId = 0;  // the procedure alone tells the kinds apart

    static LRESULT CALLBACK Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR, DWORD_PTR owner) {
        auto* self = reinterpret_cast<WindowSubclass*>(owner);
        Object& object = self->object_;
        if (message == WM_NCDESTROY) self->Remove();
        return (object.*Procedure)(window, message, wParam, lParam);
    }

    Object& object_;
    HWND window_ = nullptr;
};

// What a subclass procedure calls for the window's own handling of a message:
// the procedure the window had before the subclass.
inline LRESULT CallPreviousProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace quorvel
