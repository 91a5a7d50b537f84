// Scoped owners of Win32 handles: every GDI object, icon, device context and
// kernel handle the plug-in creates lives in one of these, so it is released
// on every path out of the code that made it. None of them can be copied;
// ownership can be moved.
#pragma once

#include <windows.h>

#include <utility>

// Owns one handle and frees it with `Traits::Free` when it goes (null is
// "nothing owned").
template <typename Handle, typename Traits>
class ScopedHandle {
public:
    ScopedHandle() = default;
    explicit ScopedHandle(Handle handle) : m_handle(handle) {}
    ~ScopedHandle() { Reset(); }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ScopedHandle(ScopedHandle&& other) noexcept : m_handle(other.Release()) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }

    Handle Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }
    // Gives the handle up without freeing it.
    Handle Release() { return std::exchange(m_handle, nullptr); }
    // Frees the handle held and takes `handle` instead.
    void Reset(Handle handle = nullptr) {
        if (m_handle && m_handle != handle) Traits::Free(m_handle);
        m_handle = handle;
    }

private:
    Handle m_handle = nullptr;
};

struct GdiObjectFree {
    static void Free(HGDIOBJ object) { DeleteObject(object); }
};
struct IconFree {
    static void Free(HICON icon) { DestroyIcon(icon); }
};
struct MemoryDcFree {
    static void Free(HDC dc) { DeleteDC(dc); }
};
struct KernelHandleFree {
    static void Free(HANDLE handle) { CloseHandle(handle); }
};

using Brush = ScopedHandle<HBRUSH, GdiObjectFree>;
using Pen = ScopedHandle<HPEN, GdiObjectFree>;
using Bitmap = ScopedHandle<HBITMAP, GdiObjectFree>;
using Font = ScopedHandle<HFONT, GdiObjectFree>;
// An icon made for us alone (LoadImage without LR_SHARED, CreateIcon...),
// never one of the system's shared icons.
using Icon = ScopedHandle<HICON, IconFree>;
// A device context from CreateCompatibleDC or CreateDC.
using MemoryDc = ScopedHandle<HDC, MemoryDcFree>;
// A thread, event or file handle (null when none; callers turn
// INVALID_HANDLE_VALUE into null before handing it over).
using KernelHandle = ScopedHandle<HANDLE, KernelHandleFree>;

inline Brush SolidBrush(COLORREF colour) { return Brush(CreateSolidBrush(colour)); }

// A window's device context (GetDC or GetWindowDC), given back on destruction.
class WindowDc {
public:
    enum class Area { Client, Whole };
    explicit WindowDc(HWND window, Area area = Area::Client)
        : m_window(window), m_dc(area == Area::Client ? GetDC(window) : GetWindowDC(window)) {}
    ~WindowDc() {
        if (m_dc) ReleaseDC(m_window, m_dc);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
    HWND m_window;
    HDC m_dc;
};

// BeginPaint and EndPaint around a WM_PAINT handler.
class PaintDc {
public:
    explicit PaintDc(HWND window) : m_window(window) { m_dc = BeginPaint(window, &m_paint); }
    ~PaintDc() { EndPaint(m_window, &m_paint); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC Get() const { return m_dc; }
    const RECT& Area() const { return m_paint.rcPaint; }

private:
    HWND m_window;
    HDC m_dc;
    PAINTSTRUCT m_paint{};
};

// Selects an object into a device context and puts the previous one back on
// destruction (before the object itself is deleted, when it is declared
// after the object's owner).
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(object ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() {
        if (m_previous) SelectObject(m_dc, m_previous);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};
