// Move-only owners of Win32 handles: one type per kind of handle, each with
// its own release call, so that acquiring code never releases by hand; and
// the owner of a window subclass.
#pragma once

#include <windows.h>

#include <utility>

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

// A window procedure put over a window's own (a subclass), and the owner of
// the procedure it replaced. Every subclass procedure passes messages on
// through CallPrevious, which finds the owner by window and procedure. The
// previous procedure goes back by Restore, by the destructor, or, when the
// window is destroyed first, on its WM_NCDESTROY before that message is
// passed on. Installed owners are linked in one list, so an owner stays
// where it was installed (not movable).
class WindowSubclass {
public:
    WindowSubclass() = default;
    ~WindowSubclass() { Restore(); }
    WindowSubclass(const WindowSubclass&) = delete;
    WindowSubclass& operator=(const WindowSubclass&) = delete;

    // False, and nothing installed, when the window's procedure cannot be
    // replaced. The owner is listed first: the new procedure may be called
    // as soon as it is set.
    bool Install(HWND window, WNDPROC procedure) {
        Restore();
        window_ = window;
        procedure_ = procedure;
        next_ = std::exchange(First(), this);
        previous_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
        if (previous_) return true;
        Unlink();
        return false;
    }

    void Restore() {
        if (!window_) return;
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        Unlink();
    }

    bool Installed() const { return window_ != nullptr; }

    // The procedure that window had before procedure was put over it;
    // DefWindowProcA when there is none (a stray call after the restore).
    static LRESULT CallPrevious(WNDPROC procedure, HWND window, UINT message, WPARAM wParam,
                                LPARAM lParam) {
        WindowSubclass* owner = First();
        while (owner && (owner->window_ != window || owner->procedure_ != procedure)) {
            owner = owner->next_;
        }
        if (!owner || !owner->previous_) return DefWindowProcA(window, message, wParam, lParam);
        const WNDPROC previous = owner->previous_;
        if (message == WM_NCDESTROY) owner->Restore();
        return CallWindowProcA(previous, window, message, wParam, lParam);
    }

private:
    // The head of the list of installed owners; trivially destructible, so
    // owners with static storage can restore at exit.
    static WindowSubclass*& First() {
        static WindowSubclass* first = nullptr;
        return first;
    }

    void Unlink() {
        for (WindowSubclass** link = &First(); *link; link = &(*link)->next_) {
            if (*link == this) {
                *link = next_;
                break;
            }
        }
        window_ = nullptr;
        procedure_ = nullptr;
        previous_ = nullptr;
        next_ = nullptr;
    }

    HWND window_ = nullptr;
    WNDPROC procedure_ = nullptr;
    WNDPROC previous_ = nullptr;
    WindowSubclass* next_ = nullptr;
};

}  // namespace quorvel
