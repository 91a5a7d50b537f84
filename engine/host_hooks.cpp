#include "engine/host_hooks.h"

namespace {
EngineHooks g_noHooks;
EngineHooks* g_hooks = &g_noHooks;
}  // namespace

EngineHooks& Hooks() { return *g_hooks; }
void SetHooks(EngineHooks* hooks) { g_hooks = hooks ? hooks : &g_noHooks; }
