#include "testhost/dialog_answerer.h"

#include <chrono>

#if defined(_WIN32)
#include <windows.h>
#else
#include "reports/cabrillo_log.h"
#endif
#include "engine/host_hooks.h"

DialogAnswerer::DialogAnswerer() = default;
DialogAnswerer::~DialogAnswerer() { Stop(); }

void DialogAnswerer::Note(const Text& line) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_transcript += line + "\n";
}

Text DialogAnswerer::Transcript() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_transcript;
}

#if defined(_WIN32)

namespace {

const char* const kHeaderCaption = "SARTG-WW-RTTY Contest ";
const char* const kOutputCaption = "Output";
constexpr int kMessageBoxTextId = 0xFFFF;

Text WindowText(HWND window) {
    char buffer[4096] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

struct DialogSearch {
    const char* caption;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<DialogSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) && Text(className) == "#32770" &&
        WindowText(window) == search->caption) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// A visible dialog of this process with this caption, or null.
HWND FindOwnDialog(const char* caption) {
    DialogSearch search{caption, nullptr};
    EnumWindows(&MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Presses the dialog's OK button the way a click does; true once it is gone.
bool PressOk(HWND dialog) {
    HWND ok = GetDlgItem(dialog, IDOK);
    if (!ok) return false;
    SendMessageA(ok, BM_CLICK, 0, 0);
    for (int i = 0; i < 100 && IsWindow(dialog) && IsWindowVisible(dialog); ++i) Sleep(10);
    return !IsWindow(dialog) || !IsWindowVisible(dialog);
}

}  // namespace

void DialogAnswerer::Watch() {
    while (m_running) {
        if (HWND header = FindOwnDialog(kHeaderCaption)) {
            if (PressOk(header)) Note("Header dialog: OK");
        }
        if (HWND output = FindOwnDialog(kOutputCaption)) {
            const Text text = WindowText(GetDlgItem(output, kMessageBoxTextId));
            if (PressOk(output)) Note("Output: " + text);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

void DialogAnswerer::Start() {
    if (m_running.exchange(true)) return;
    m_watcher = std::thread([this] { Watch(); });
}

void DialogAnswerer::Stop() {
    if (!m_running.exchange(false)) return;
    if (m_watcher.joinable()) m_watcher.join();
}

#else

namespace {

// The operator who accepts every header as shown and reads every message.
class AnsweringHooks : public EngineHooks {
public:
    explicit AnsweringHooks(DialogAnswerer& answerer) : m_answerer(answerer) {}
    bool EditCabrilloHeader(CabrilloHeader&) override {
        m_answerer.Note("Header dialog: OK");
        return true;
    }
    void ShowOutputMessage(const Text& text) override { m_answerer.Note("Output: " + text); }

private:
    DialogAnswerer& m_answerer;
};

}  // namespace

void DialogAnswerer::Start() {
    if (m_running.exchange(true)) return;
    m_hooks = std::make_unique<AnsweringHooks>(*this);
    SetHooks(m_hooks.get());
}

void DialogAnswerer::Stop() {
    if (!m_running.exchange(false)) return;
    SetHooks(nullptr);
    m_hooks.reset();
}

void DialogAnswerer::Watch() {}

#endif
