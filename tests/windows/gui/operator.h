// The operator at the screen, for tests that drive the plug-in's dialogs:
// a second thread that waits for a dialog of the host's thread, reads and
// works its controls with window messages (as the keyboard and mouse would)
// and answers the "Output" message box.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

#include "platform/text.h"

// One combo box as the operator sees it.
struct ComboView {
    Text shown;     // the text in the box
    int selected;   // the selected item, -1 for none
    TextList items; // the list, in its order
    bool enabled;
};

// An open dialog, worked through its child windows.
class DialogWindow {
public:
    explicit DialogWindow(HWND window) : m_window(window) {}
    HWND Handle() const { return m_window; }
    HWND Control(int id) const { return GetDlgItem(m_window, id); }
    // A child (a label, say) by its text; null when there is none.
    HWND ChildWithText(const Text& text) const;

    Text Caption() const;
    Text TextOf(int id) const;
    ComboView Combo(int id) const;
    bool Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }

    // Selects the whole content of an edit (or a combo box's edit part) and
    // types `keys` over it, character by character; '\r' is the Enter key.
    void Type(int id, const Text& keys) const;
    // Opens a combo box's list and picks the first item that begins with
    // `prefix`, as typing it into the list and pressing Enter does.
    void Pick(int id, const Text& prefix) const;
    // Puts `text` on the clipboard and pastes it over the control's content.
    void Paste(int id, const Text& text) const;
    // Sets a control's text directly (for a control the operator cannot reach).
    void SetText(int id, const Text& text) const;

    void Click(int id) const;             // a button
    void PressKey(int id, WPARAM key) const;  // a key down and up in a control, through the dialog's loop
    void CloseBox() const;                // the title bar's close button

private:
    HWND m_window;
};

class Operator {
public:
    using Script = std::function<void(DialogWindow&)>;

    // Watches the windows of `hostThread`; runs `script` on the first dialog
    // captioned `caption`. A script that leaves the dialog open gets it
    // cancelled (and fails the test). Every "Output" box is read and OK'd.
    Operator(DWORD hostThread, const Text& caption, Script script);
    ~Operator() { Stop(); }
    Operator(const Operator&) = delete;
    Operator& operator=(const Operator&) = delete;

    void Stop();
    bool SawDialog() const { return m_sawDialog; }
    TextList OutputMessages() const;

private:
    void Watch();

    DWORD m_hostThread;
    Text m_caption;
    Script m_script;
    std::atomic<bool> m_running{true};
    std::atomic<bool> m_sawDialog{false};
    mutable std::mutex m_mutex;
    TextList m_messages;
    std::thread m_thread;
};

// A visible dialog ("#32770") of `thread` with this caption, or null.
HWND FindThreadDialog(DWORD thread, const Text& caption);

// The pixels of a window as it stands on the screen, as rows of RGB.
bool CaptureWindow(HWND window, int& width, int& height, std::vector<unsigned char>& rgb);
