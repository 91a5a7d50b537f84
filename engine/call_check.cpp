// The call check while the operator types.
#include "engine/call_area.h"
#include "engine/contest_state.h"
#include "engine/engine.h"
#include "engine/host_hooks.h"

int CheckCall(const CheckArgs& a) {
    StateLock lock;
    if (g_setupWindow.load()) {
        int expected = 1;
        if (g_refreshPending.compare_exchange_strong(expected, 0)) Hooks().PostStatsUpdate();
    }
    const int cannotJudge = (g_hostVersion == "2.19" || g_hostVersion == "2.20") ? 1 : 4;
    if (a.band && a.compareBand && !EqualsNoCase(a.band, a.compareBand)) return cannotJudge;
    if (!g_bandRules.Contains(a.band) || !g_modeRules.Contains(a.mode)) return cannotJudge;

    CInfo record;
    record.m_call = FromHost(a.call);
    record.m_band = FromHost(a.band);
    record.m_country = FromHost(a.country);
    if (record.m_country.empty()) return 1;
    SetCallArea(record, record.m_country, FromHost(a.areaText));

    if (g_log.HasCallBand(record.m_call, record.m_band)) return 0;
    if (!g_log.HasBandCountry(record.m_band, record.m_country)) return 2;
    int digit;
    const AreaField field = SetAreaField(record, digit);
    if (field == AreaField::None) {
        // Not a call-area entity: nothing new. A call-area entity whose
        // area text holds no digit matches no stored area: new area.
        const Text& c = record.m_country;
        return (c == "K" || c == "VE" || c == "VK" || c == "JA") ? 3 : 1;
    }
    return g_log.HasBandArea(record.m_band, field, digit) ? 1 : 3;
}
