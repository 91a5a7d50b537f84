#include "tests/windows/gui/operator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/handles.h"

namespace {

constexpr int kMessageBoxTextId = 0xFFFF;

Text WindowText(HWND window) {
    const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) return Text();
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = SendMessageA(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    return Text(buffer.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}

// The control that takes the keys: a combo box's edit part, or the control.
HWND KeyTarget(HWND control) {
    char className[32] = {};
    GetClassNameA(control, className, sizeof className);
    if (EqualsNoCase(className, "ComboBox")) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (GetComboBoxInfo(control, &info) && info.hwndItem) return info.hwndItem;
    }
    return control;
}

bool WaitUntilGone(HWND window, int milliseconds) {
    for (int waited = 0; waited < milliseconds; waited += 5) {
        if (!IsWindow(window) || !IsWindowVisible(window)) return true;
        Sleep(5);
    }
    return !IsWindow(window) || !IsWindowVisible(window);
}

struct DialogSearch {
    Text caption;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<DialogSearch*>(param);
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    if (IsWindowVisible(window) && Text(className) == "#32770" && WindowText(window) == search->caption) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

struct TextSearch {
    Text text;
    HWND found;
};

BOOL CALLBACK MatchChildText(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TextSearch*>(param);
    if (WindowText(window) == search->text) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindThreadDialog(DWORD thread, const Text& caption) {
    DialogSearch search{caption, nullptr};
    EnumThreadWindows(thread, &MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// ---- DialogWindow --------------------------------------------------------------

HWND DialogWindow::ChildWithText(const Text& text) const {
    TextSearch search{text, nullptr};
    EnumChildWindows(m_window, &MatchChildText, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

Text DialogWindow::Caption() const { return WindowText(m_window); }

Text DialogWindow::TextOf(int id) const { return WindowText(Control(id)); }

ComboView DialogWindow::Combo(int id) const {
    HWND combo = Control(id);
    ComboView view{WindowText(combo), static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)), {},
                   IsWindowEnabled(combo) != FALSE};
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char item[256] = {};
        SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
        view.items.push_back(item);
    }
    return view;
}

void DialogWindow::Type(int id, const Text& keys) const {
    HWND target = KeyTarget(Control(id));
    SendMessageA(target, EM_SETSEL, 0, -1);
    for (unsigned char c : keys) SendMessageA(target, WM_CHAR, c, 1);
}

void DialogWindow::Pick(int id, const Text& prefix) const {
    HWND combo = Control(id);
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(prefix.c_str()));
    SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
    SendMessageA(m_window, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void DialogWindow::Paste(int id, const Text& text) const {
    HWND target = KeyTarget(Control(id));
    if (!OpenClipboard(m_window)) return;
    EmptyClipboard();
    auto put = [](UINT format, const void* bytes, size_t size) {
        // Zeroed: the block is rounded up in size, and a reader that goes by
        // the block's size instead of the terminating zero must find zeros.
        if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size)) {
            if (void* p = GlobalLock(block)) {
                std::memcpy(p, bytes, size);
                GlobalUnlock(block);
                if (!SetClipboardData(format, block)) GlobalFree(block);  // owned by the clipboard once set
            } else {
                GlobalFree(block);
            }
        }
    };
    put(CF_TEXT, text.c_str(), text.size() + 1);
    // The wide form too, so that no conversion of the system's is needed.
    std::wstring wide(text.size() + 1, L'\0');
    const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size() + 1), &wide[0],
                                      static_cast<int>(wide.size()));
    if (n > 0) put(CF_UNICODETEXT, wide.data(), static_cast<size_t>(n) * sizeof(wchar_t));
    CloseClipboard();
    SendMessageA(target, EM_SETSEL, 0, -1);
    SendMessageA(target, WM_PASTE, 0, 0);
}

void DialogWindow::SetText(int id, const Text& text) const {
    SendMessageA(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void DialogWindow::Click(int id) const { SendMessageA(Control(id), BM_CLICK, 0, 0); }

void DialogWindow::PressKey(int id, WPARAM key) const {
    HWND target = KeyTarget(Control(id));
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

void DialogWindow::CloseBox() const { PostMessageA(m_window, WM_SYSCOMMAND, SC_CLOSE, 0); }

// ---- Operator ----------------------------------------------------------------------

Operator::Operator(DWORD hostThread, const Text& caption, Script script)
    : m_hostThread(hostThread), m_caption(caption), m_script(std::move(script)) {
    m_thread = std::thread([this] { Watch(); });
}

void Operator::Stop() {
    if (!m_running.exchange(false)) return;
    if (m_thread.joinable()) m_thread.join();
}

TextList Operator::OutputMessages() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_messages;
}

void Operator::Watch() {
    bool scripted = false;
    while (m_running) {
        if (!scripted) {
            if (HWND found = FindThreadDialog(m_hostThread, m_caption)) {
                scripted = true;
                m_sawDialog = true;
                DialogWindow dialog(found);
                if (m_script) m_script(dialog);
                if (!WaitUntilGone(found, 3000)) {
                    ADD_FAILURE() << "the script left the dialog open; cancelling it";
                    dialog.Click(IDCANCEL);
                    WaitUntilGone(found, 3000);
                }
            }
        }
        if (HWND box = FindThreadDialog(m_hostThread, "Output")) {
            const Text text = WindowText(GetDlgItem(box, kMessageBoxTextId));
            SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
            if (WaitUntilGone(box, 3000)) {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_messages.push_back(text);
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

// ---- Screenshots -------------------------------------------------------------------

bool CaptureWindow(HWND window, int& width, int& height, std::vector<unsigned char>& rgb) {
    RECT r{};
    if (!GetWindowRect(window, &r)) return false;
    width = r.right - r.left;
    height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return false;
    WindowDc screen(nullptr);
    MemoryDc memory(CreateCompatibleDC(screen.Get()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Bitmap picture(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !picture || !bits) return false;
    {
        SelectedObject selected(memory.Get(), picture.Get());
        // The screen as it shows the window: the dialog with its controls.
        if (!BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), r.left, r.top, SRCCOPY)) return false;
        GdiFlush();
    }
    rgb.resize(static_cast<size_t>(width) * height * 3);
    const auto* bgra = static_cast<const unsigned char*>(bits);
    for (size_t i = 0, n = static_cast<size_t>(width) * height; i < n; ++i) {
        rgb[3 * i] = bgra[4 * i + 2];
        rgb[3 * i + 1] = bgra[4 * i + 1];
        rgb[3 * i + 2] = bgra[4 * i];
    }
    return true;
}
