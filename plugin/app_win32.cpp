// The library on Windows: load and unload, and the hooks through which the
// engine reaches the user.
#include <windows.h>

#include "engine/contest_state.h"
#include "engine/host_hooks.h"
#include "plugin/app.h"
#include "plugin/module.h"

namespace {

HINSTANCE g_module = nullptr;

// The owner of our message boxes: the thread's active window, or none.
HWND MessageOwner() { return GetActiveWindow(); }

class Win32Hooks : public EngineHooks {
public:
    void ShowOutputMessage(const Text& text) override {
        MessageBoxA(MessageOwner(), text.c_str(), "Output", MB_OK | MB_ICONINFORMATION);
    }
    bool EditCabrilloHeader(CabrilloHeader& header) override { return RunCabrilloHeaderDialog(header); }
};

Win32Hooks g_win32Hooks;

}  // namespace

HINSTANCE ModuleInstance() { return g_module; }

void ShowSetupMessage() { MessageBoxA(MessageOwner(), kSetupMessage, nullptr, MB_OK); }

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        g_module = instance;
        DisableThreadLibraryCalls(instance);
        SetHooks(&g_win32Hooks);
        break;
    case DLL_PROCESS_DETACH:
        SetHooks(nullptr);
        break;
    }
    return TRUE;
}
