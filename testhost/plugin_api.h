// The plug-in as the host sees it: its exports, resolved by name, and calls
// with the host's full argument lists.
//
// On Windows `PluginLibrary` loads Stats.dll with LoadLibrary, resolves every
// export under both of its names (decorated and plain) and checks that both
// lead to the same address. In the native build the same exports are linked
// in directly, so the host-side code runs unchanged against either.
//
// `PluginCalls` fills the positions the plug-in ignores with distinct junk
// (texts "junk<position>", numbers 1000 + position, distinct date-times), so
// that a plug-in reading a wrong position shows it.
#pragma once

#include <vector>

#include "host/log_model.h"
#include "platform/date_time.h"

#if defined(_WIN32)
#define HOST_CDECL __cdecl
#else
#define HOST_CDECL
#endif

extern "C" {
typedef unsigned long(HOST_CDECL* SetVersionFn)(const char*);
typedef int(HOST_CDECL* GetNumberOfSetsFn)();
typedef int(HOST_CDECL* GetExchgCountFn)(const char*, const char*, const char*);
typedef const char*(HOST_CDECL* GetSetNameFn)(int);
typedef void(HOST_CDECL* SetupSetFn)();
typedef int(HOST_CDECL* IsValidExchgFn)(const char*, const char*, const char*, const char*, int, int, int);
typedef int(HOST_CDECL* ResetStatsFn)(const char*, int, const char*, HostDateTime*, HostDateTime*, const char*,
                                   const char*, const char*, const char*, const char*, const char*, const char*,
                                   const char*, const char*, const char*, int, int, int, double, double,
                                   const char*, const char*, const char*);
typedef int(HOST_CDECL* QsoFn)(const char*, const char*, HostDateTime*, HostDateTime*, HostDateTime*, HostDateTime*,
                            unsigned, unsigned, const char*, const char*, const char*, const char*, const char*,
                            const char*, const char*, const char*, const char*, const char*, const char*,
                            const char*, const char*, const char*, const char*, int, int, int, double, double,
                            const char*, const char*, const char*, const char*, const char*);
typedef int(HOST_CDECL* CheckCallFn)(const char*, unsigned, unsigned, const char*, const char*, const char*,
                                  const char*, const char*, const char*, const char*, const char*, const char*,
                                  const char*, const char*, int, int, int, double, double, const char*,
                                  const char*, const char*, const char*, const char*, const char*, const char*,
                                  char*, char*);
typedef const char*(HOST_CDECL* GetResultFn)(int*);
}

// One export: its ordinal, decorated name and plain name.
struct ExportName {
    int ordinal;
    const char* decorated;  // null for the plain-only ordinals 12 to 22
    const char* plain;
};
// The 22 names of the export table in ordinal order.
extern const ExportName kExportTable[22];

struct PluginApi {
    SetVersionFn setVersion = nullptr;
    GetNumberOfSetsFn GetNumberOfSets = nullptr;
    GetExchgCountFn GetExchgCount0 = nullptr;
    GetSetNameFn GetSetName = nullptr;
    SetupSetFn SetupSet0 = nullptr;
    IsValidExchgFn IsValidExchg0 = nullptr;
    ResetStatsFn ResetStats0 = nullptr;
    QsoFn AddData0 = nullptr;
    QsoFn RemoveData0 = nullptr;
    CheckCallFn CheckCall0 = nullptr;
    GetResultFn GetResult0 = nullptr;
};

class PluginLibrary {
public:
    PluginLibrary() = default;
    ~PluginLibrary() { Unload(); }
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    // Loads the library (ignored natively) and resolves every export; false
    // with a reason when something is missing or the two names differ.
    bool Load(const Text& path, Text* error);
    void Unload();
    const PluginApi& Api() const { return m_api; }

private:
    void* m_module = nullptr;
    PluginApi m_api;
};

// The host's calls with their complete argument lists.
class PluginCalls {
public:
    explicit PluginCalls(const PluginApi& api) : m_api(api) {}

    int Reset(const Text& hostFolder, int cabrilloExport, const Text& ownCall, const DateTime& start,
              const DateTime& end, const Text& ownCountry, const Text& ownContinent);
    int Add(const Text& ownCall, const HostQso& qso);
    int Remove(const HostQso& qso);
    int Check(const Text& call, const Text& band, const Text& mode, const Text& country, const Text& continent,
              const Text& areaText, const char* compareBand = nullptr);
    Text Result(int* stored = nullptr);

    // The same calls with raw pointers, for tests of odd input (any may be null).
    int AddRaw(const char* ownCall, const char* call, HostDateTime* time, unsigned frequencyHz, const char* mode,
               const char* rstSent, const char* rstRcvd, const char* nrSent, const char* nrRcvd,
               const char* areaText, const char* country, const char* continent, const char* band);
    int RemoveRaw(const char* call, HostDateTime* time, const char* mode, const char* band);
    int CheckRaw(const char* call, const char* mode, const char* areaText, const char* country,
                 const char* continent, const char* band, const char* compareBand);
    int ResetRaw(const char* hostFolder, int cabrilloExport, const char* ownCall, HostDateTime* start,
                 HostDateTime* end, const char* ownCountry, const char* ownContinent);

private:
    const PluginApi& m_api;
};
