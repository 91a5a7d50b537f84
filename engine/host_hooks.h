// What the contest engine asks of its surroundings: the windows, message
// boxes and the header editor. The plug-in installs the Windows versions when
// it loads; without them every hook does nothing, which is what the portable
// builds and the engine's own tests start from.
#pragma once

#include "platform/text.h"

struct CabrilloHeader;

class EngineHooks {
public:
    virtual ~EngineHooks() = default;
    // Post the refresh message to the setup window (only called while
    // g_setupWindow is set).
    virtual void PostStatsUpdate() {}
    // Reset the marks of the call-area window (only called while it is open).
    virtual void ResetCallAreaMarks() {}
    // Run the Cabrillo header editor; true on OK. Called without the state lock.
    virtual bool EditCabrilloHeader(CabrilloHeader& header) { return false; }
    // Show the closing message of a Cabrillo output run.
    virtual void ShowOutputMessage(const Text& text) {}
    // The window start of a reset. Called without the state lock.
    virtual void StartWindows() {}
};

// The hooks in force (never null). Passing null restores the do-nothing set.
EngineHooks& Hooks();
void SetHooks(EngineHooks* hooks);
