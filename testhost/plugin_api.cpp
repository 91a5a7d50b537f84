#include "testhost/plugin_api.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include "plugin/exports.h"
#endif

const ExportName kExportTable[22] = {
    {1, "?AddData0@@YAHPBD0PAVCOleDateTime@ATL@@111II000000000000000HHHNN00000@Z", "AddData0"},
    {2, "?CheckCallFunc0@@YAHPBDII00000000000HHHNN0000000PAD1@Z", "CheckCall0"},
    {3, "?GetNumberOfSets@@YAHXZ", "GetNumberOfSets"},
    {4, "?GetResult0@@YAPBDPAH@Z", "GetResult0"},
    {5, "?GetSetName@@YAPBDH@Z", "GetSetName"},
    {6, "?RemoveData0@@YAHPBD0PAVCOleDateTime@ATL@@111II000000000000000HHHNN00000@Z", "RemoveData0"},
    {7, "?ResetStats0@@YAHPBDH0PAVCOleDateTime@ATL@@10000000000HHHNN000@Z", "ResetStats0"},
    {8, "?SetupSet0@@YAXXZ", "SetupSet0"},
    {9, "?StatsGetExchgCount0@@YAHPBD00@Z", "GetExchgCount0"},
    {10, "?StatsIsValidExchg0@@YAHPBD000HHH@Z", "IsValidExchg0"},
    {11, "?setVersion@@YAKPBD@Z", "setVersion"},
    {12, nullptr, "AddData0"},
    {13, nullptr, "CheckCall0"},
    {14, nullptr, "GetExchgCount0"},
    {15, nullptr, "GetNumberOfSets"},
    {16, nullptr, "GetResult0"},
    {17, nullptr, "GetSetName"},
    {18, nullptr, "IsValidExchg0"},
    {19, nullptr, "RemoveData0"},
    {20, nullptr, "ResetStats0"},
    {21, nullptr, "SetupSet0"},
    {22, nullptr, "setVersion"},
};

#if defined(_WIN32)

bool PluginLibrary::Load(const Text& path, Text* error) {
    Unload();
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module) {
        if (error) *error = Format("LoadLibrary(%s) failed, error %lu", path.c_str(), GetLastError());
        return false;
    }
    m_module = module;
    // Both names of every function must lead to the same address.
    for (int i = 0; i < 11; ++i) {
        const ExportName& e = kExportTable[i];
        FARPROC byDecorated = GetProcAddress(module, e.decorated);
        FARPROC byPlain = GetProcAddress(module, e.plain);
        if (!byDecorated || !byPlain || byDecorated != byPlain) {
            if (error) *error = Format("export %s / %s missing or different", e.decorated, e.plain);
            Unload();
            return false;
        }
    }
    auto get = [&](const char* name) { return reinterpret_cast<void (*)()>(GetProcAddress(module, name)); };
    m_api.setVersion = reinterpret_cast<SetVersionFn>(get("?setVersion@@YAKPBD@Z"));
    m_api.GetNumberOfSets = reinterpret_cast<GetNumberOfSetsFn>(get("?GetNumberOfSets@@YAHXZ"));
    m_api.GetExchgCount0 = reinterpret_cast<GetExchgCountFn>(get("?StatsGetExchgCount0@@YAHPBD00@Z"));
    m_api.GetSetName = reinterpret_cast<GetSetNameFn>(get("?GetSetName@@YAPBDH@Z"));
    m_api.SetupSet0 = reinterpret_cast<SetupSetFn>(get("?SetupSet0@@YAXXZ"));
    m_api.IsValidExchg0 = reinterpret_cast<IsValidExchgFn>(get("?StatsIsValidExchg0@@YAHPBD000HHH@Z"));
    m_api.ResetStats0 = reinterpret_cast<ResetStatsFn>(get(kExportTable[6].decorated));
    m_api.AddData0 = reinterpret_cast<QsoFn>(get(kExportTable[0].decorated));
    m_api.RemoveData0 = reinterpret_cast<QsoFn>(get(kExportTable[5].decorated));
    m_api.CheckCall0 = reinterpret_cast<CheckCallFn>(get(kExportTable[1].decorated));
    m_api.GetResult0 = reinterpret_cast<GetResultFn>(get(kExportTable[3].decorated));
    return true;
}

void PluginLibrary::Unload() {
    if (m_module) FreeLibrary(static_cast<HMODULE>(m_module));
    m_module = nullptr;
    m_api = PluginApi();
}

#else

bool PluginLibrary::Load(const Text&, Text*) {
    m_api.setVersion = &setVersion;
    m_api.GetNumberOfSets = &GetNumberOfSets;
    m_api.GetExchgCount0 = reinterpret_cast<GetExchgCountFn>(reinterpret_cast<void (*)()>(&GetNumberOfSets));
    m_api.GetSetName = &GetSetName;
    m_api.SetupSet0 = &SetupSet0;
    m_api.IsValidExchg0 = &IsValidExchg0;
    m_api.ResetStats0 = &ResetStats0;
    m_api.AddData0 = &AddData0;
    m_api.RemoveData0 = &RemoveData0;
    m_api.CheckCall0 = &CheckCall0;
    m_api.GetResult0 = &GetResult0;
    return true;
}

void PluginLibrary::Unload() { m_api = PluginApi(); }

#endif

namespace {

// Junk for the positions the plug-in ignores.
const char* J(int position) {
    static const char* const kJunk[] = {
        "junk0",  "junk1",  "junk2",  "junk3",  "junk4",  "junk5",  "junk6",  "junk7",  "junk8",
        "junk9",  "junk10", "junk11", "junk12", "junk13", "junk14", "junk15", "junk16", "junk17",
        "junk18", "junk19", "junk20", "junk21", "junk22", "junk23", "junk24", "junk25", "junk26",
        "junk27", "junk28", "junk29", "junk30", "junk31", "junk32", "junk33"};
    return kJunk[position];
}
unsigned U(int position) { return 1000u + static_cast<unsigned>(position); }
int I(int position) { return 1000 + position; }
double D(int position) { return 1000.5 + position; }

struct JunkTimes {
    HostDateTime t4{40000.25, 0, 0}, t5{40001.5, 1, 0}, t6{40002.75, 2, 0};
};

}  // namespace

int PluginCalls::ResetRaw(const char* hostFolder, int cabrilloExport, const char* ownCall, HostDateTime* start,
                          HostDateTime* end, const char* ownCountry, const char* ownContinent) {
    return m_api.ResetStats0(hostFolder, cabrilloExport, ownCall, start, end, J(6), J(7), J(8), J(9), J(10), J(11),
                             J(12), J(13), J(14), ownCountry, I(16), I(17), I(18), D(19), D(20), J(21), ownContinent,
                             J(23));
}

int PluginCalls::AddRaw(const char* ownCall, const char* call, HostDateTime* time, unsigned frequencyHz,
                        const char* mode, const char* rstSent, const char* rstRcvd, const char* nrSent,
                        const char* nrRcvd, const char* areaText, const char* country, const char* continent,
                        const char* band) {
    JunkTimes junk;
    return m_api.AddData0(ownCall, call, time, &junk.t4, &junk.t5, &junk.t6, U(7), frequencyHz, mode, rstSent,
                          rstRcvd, nrSent, nrRcvd, J(14), J(15), J(16), J(17), J(18), J(19), J(20), J(21), areaText,
                          country, I(24), I(25), I(26), D(27), D(28), J(29), continent, J(31), band, J(33));
}

int PluginCalls::RemoveRaw(const char* call, HostDateTime* time, const char* mode, const char* band) {
    JunkTimes junk;
    return m_api.RemoveData0(J(1), call, time, &junk.t4, &junk.t5, &junk.t6, U(7), U(8), mode, J(10), J(11), J(12),
                             J(13), J(14), J(15), J(16), J(17), J(18), J(19), J(20), J(21), J(22), J(23), I(24),
                             I(25), I(26), D(27), D(28), J(29), J(30), J(31), band, J(33));
}

int PluginCalls::CheckRaw(const char* call, const char* mode, const char* areaText, const char* country,
                          const char* continent, const char* band, const char* compareBand) {
    // The two char* positions must stay untouched: give them guarded buffers.
    char out27[16] = "keep27", out28[16] = "keep28";
    return m_api.CheckCall0(call, U(2), U(3), mode, J(5), J(6), J(7), J(8), J(9), J(10), J(11), J(12), areaText,
                            country, I(15), I(16), I(17), D(18), D(19), J(20), continent, J(22), J(23), J(24), band,
                            compareBand, out27, out28);
}

int PluginCalls::Reset(const Text& hostFolder, int cabrilloExport, const Text& ownCall, const DateTime& start,
                       const DateTime& end, const Text& ownCountry, const Text& ownContinent) {
    HostDateTime s = start.ToHost(), e = end.ToHost();
    return ResetRaw(hostFolder.c_str(), cabrilloExport, ownCall.c_str(), &s, &e, ownCountry.c_str(),
                    ownContinent.c_str());
}

int PluginCalls::Add(const Text& ownCall, const HostQso& q) {
    HostDateTime t = q.time.ToHost();
    return AddRaw(ownCall.c_str(), q.call.c_str(), &t, q.frequencyHz, q.mode.c_str(), q.rstSent.c_str(),
                  q.rstRcvd.c_str(), q.nrSent.c_str(), q.nrRcvd.c_str(), q.areaText.c_str(), q.country.c_str(),
                  q.continent.c_str(), q.band.c_str());
}

int PluginCalls::Remove(const HostQso& q) {
    HostDateTime t = q.time.ToHost();
    return RemoveRaw(q.call.c_str(), &t, q.mode.c_str(), q.band.c_str());
}

int PluginCalls::Check(const Text& call, const Text& band, const Text& mode, const Text& country,
                       const Text& continent, const Text& areaText, const char* compareBand) {
    return CheckRaw(call.c_str(), mode.c_str(), areaText.c_str(), country.c_str(), continent.c_str(), band.c_str(),
                    compareBand);
}

Text PluginCalls::Result(int* stored) {
    int value = 12345;
    const char* text = m_api.GetResult0(&value);
    if (stored) *stored = value;
    return FromHost(text);
}
