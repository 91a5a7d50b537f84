#include "engine/call_area.h"

void SetCallArea(CInfo& record, std::string_view country, std::string_view areaText) {
    int* field = nullptr;
    if (country == "K") field = &record.m_areaK;
    else if (country == "VE") field = &record.m_areaVE;
    else if (country == "VK") field = &record.m_areaVK;
    else if (country == "JA") field = &record.m_areaJA;
    if (!field) return;
    for (char c : areaText)
        if (c >= '0' && c <= '9') *field = c - '0';
}

int UsesRussianUi(const Text& country) {
    static const char* const kRussian[] = {"UA", "UA2", "UA2/f", "UA9", "UN", "UR", "EU"};
    for (const char* key : kRussian)
        if (country == key) return 1;
    return 0;
}
