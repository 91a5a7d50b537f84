// Call resolution from the country file cty.dat: which DXCC entity and
// continent a worked station belongs to, and its call-area digit.
//
// cty.dat holds one record per entity: a header line
//     Name:  CQ zone:  ITU zone:  continent:  lat:  lon:  UTC offset:  prefix:
// then alias lines of comma-separated prefixes ending with ';'. "=CALL" is an
// exact call rather than a prefix. An alias may carry overrides after it:
// (CQ zone) [ITU zone] <lat/lon> {continent} ~UTC offset~; only the continent
// override matters to us. A primary prefix beginning with '*' marks an entity
// that counts for WAE only; such entities are left out altogether (the file
// lists their calls again under the DXCC entity they belong to).
#pragma once

#include <cstddef>
#include <unordered_map>
#include <vector>

#include "host/log_model.h"
#include "platform/text.h"

class CallResolver {
public:
    struct Resolution {
        bool found = false;
        Text entityKey;  // the plug-in's key ("DL", "UA9", "FT/z")
        Text continent;  // "AF", "AN", "AS", "EU", "NA", "OC", "SA"
        Text areaText;   // the call-area digit ("1"), empty when there is none;
                         // given also when the call is not found
    };

    // Replaces what was loaded before. True when at least one entity was
    // read; entries that cannot be read are skipped and listed in Problems().
    // On false, `error` (when given) says why.
    bool Load(const Text& path, Text* error);
    bool LoadFromText(const Text& content, Text* error);

    const std::vector<LogProblem>& Problems() const { return m_problems; }
    size_t EntityCount() const { return m_entities.size(); }

    // Resolves a call as contest loggers do:
    //  - an exact-call entry for the whole call wins over everything else;
    //  - "/P", "/M", "/A", "/QRP", "/QRPP" and "/LH" after the call are
    //    ignored (and the exact-call entries are tried again without them);
    //  - "/MM" and "/AM" (maritime and aeronautical mobile) have no entity;
    //  - "/digit" keeps the entity of the call and replaces its area digit;
    //  - of two parts ("KH6/W1AW", "W1AW/KH6") the shorter one that resolves
    //    decides, the first one when both are as long;
    //  - a part is resolved by its exact-call entry, else by its longest
    //    prefix.
    // Case and surrounding blanks do not matter; a call with characters other
    // than letters, digits and '/' is not found.
    Resolution Resolve(const Text& call) const;

    // The plug-in's key for an entity that cty.dat names by `primaryPrefix`
    // (without the WAE '*'): "1A" -> "1A0", "VK0M" -> "VK0", "3Y/B" -> "3Y/b".
    // Prefixes the plug-in knows under the same name are returned unchanged.
    static Text EntityKeyFor(const Text& primaryPrefix);

private:
    struct Entity {
        Text name;
        Text key;
        Text continent;
    };
    struct Alias {
        size_t entity = 0;
        Text continent;  // override, or empty for the entity's own
    };

    const Alias* FindExact(const Text& call) const;
    const Alias* FindLongestPrefix(const Text& part) const;
    const Alias* FindPart(const Text& part) const;
    Resolution Found(const Alias& alias, const Text& areaText) const;

    std::vector<Entity> m_entities;
    std::unordered_map<Text, Alias> m_exact;
    std::unordered_map<Text, Alias> m_prefixes;
    size_t m_longestPrefix = 0;
    std::vector<LogProblem> m_problems;
};

// Fills country, continent and areaText of every QSO from its call, and
// ownCountry and ownContinent from ownCall. Calls that do not resolve get
// empty texts (the area digit is kept when the call has one).
void ResolveLog(const CallResolver& resolver, HostLog& log);
