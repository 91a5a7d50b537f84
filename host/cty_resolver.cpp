#include "host/cty_resolver.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool IsLower(char c) { return c >= 'a' && c <= 'z'; }
bool IsCallChar(char c) { return IsDigit(c) || IsUpper(c) || IsLower(c) || c == '/'; }

char ToUpper(char c) { return IsLower(c) ? static_cast<char>(c - 'a' + 'A') : c; }
char ToLower(char c) { return IsUpper(c) ? static_cast<char>(c - 'A' + 'a') : c; }

Text UpperAscii(Text text) {
    for (char& c : text) c = ToUpper(c);
    return text;
}

bool IsContinent(const Text& text) {
    static const char* const kContinents[] = {"AF", "AN", "AS", "EU", "NA", "OC", "SA"};
    for (const char* c : kContinents)
        if (text == c) return true;
    return false;
}

// Entities the plug-in's windows know under another name than cty.dat's
// primary prefix. Written as EntityKeyFor() compares them: upper case, with
// the letter after a '/' in lower case.
struct KeyRename {
    const char* cty;
    const char* key;
};
const KeyRename kKeyRenames[] = {
    {"1A", "1A0"},     // Sovereign Military Order of Malta
    {"VK0M", "VK0"},   // Macquarie Island
    {"HK0/m", "HK0"},  // Malpelo Island
    {"PY0S", "PY0P"},  // St. Peter & St. Paul Rocks
    // The windows have one key each where DXCC now counts two entities.
    {"E5/n", "E5"},    // North Cook Islands
    {"E5/s", "E5"},    // South Cook Islands
    {"FO/a", "FO0"},   // Austral Islands
    {"FO/m", "FO0"},   // Marquesas Islands
    // Names used by earlier editions of cty.dat.
    {"FT5W", "FT/w"},  // Crozet Island
    {"FT5X", "FT/x"},  // Kerguelen Islands
    {"FT5Z", "FT/z"},  // Amsterdam & St. Paul Islands
    {"FR/j", "FT/j"},  // Juan de Nova & Europa
    {"FR/t", "FT/t"},  // Tromelin Island
};

// Designators after a call that say nothing about where the station is.
bool IsIgnoredDesignator(const Text& part) {
    static const char* const kIgnored[] = {"P", "M", "A", "QRP", "QRPP", "LH"};
    for (const char* d : kIgnored)
        if (part == d) return true;
    return false;
}

Text LastDigit(const Text& part) {
    for (size_t i = part.size(); i-- > 0;)
        if (IsDigit(part[i])) return Text(1, part[i]);
    return Text();
}

TextList SplitNonEmpty(const Text& text, char separator) {
    TextList parts;
    size_t start = 0;
    for (;;) {
        size_t end = text.find(separator, start);
        Text part = text.substr(start, end == Text::npos ? Text::npos : end - start);
        if (!part.empty()) parts.push_back(part);
        if (end == Text::npos) break;
        start = end + 1;
    }
    return parts;
}

// One alias of an alias line: "=CALL" or "PREFIX", then overrides.
struct ParsedAlias {
    bool exact = false;
    Text call;
    Text continent;  // from "{..}", else empty
};

bool ParseAlias(const Text& token, ParsedAlias& out) {
    size_t i = 0;
    out = ParsedAlias();
    if (i < token.size() && token[i] == '=') {
        out.exact = true;
        ++i;
    }
    const size_t callStart = i;
    while (i < token.size() && IsCallChar(token[i])) ++i;
    out.call = UpperAscii(token.substr(callStart, i - callStart));
    if (out.call.empty() || out.call.find_first_not_of('/') == Text::npos) return false;
    while (i < token.size()) {
        char close;
        switch (token[i]) {
        case '(': close = ')'; break;
        case '[': close = ']'; break;
        case '<': close = '>'; break;
        case '{': close = '}'; break;
        case '~': close = '~'; break;
        default: return false;
        }
        const size_t end = token.find(close, i + 1);
        if (end == Text::npos) return false;
        if (token[i] == '{') {
            out.continent = UpperAscii(Trim(token.substr(i + 1, end - i - 1)));
            if (!IsContinent(out.continent)) return false;
        }
        i = end + 1;
    }
    return true;
}

}  // namespace

Text CallResolver::EntityKeyFor(const Text& primaryPrefix) {
    Text key = Trim(primaryPrefix);
    if (!key.empty() && key[0] == '*') key.erase(0, 1);
    const size_t slash = key.find('/');
    for (size_t i = 0; i < key.size(); ++i)
        key[i] = (slash != Text::npos && i > slash) ? ToLower(key[i]) : ToUpper(key[i]);
    for (const KeyRename& rename : kKeyRenames)
        if (key == rename.cty) return rename.key;
    return key;
}

bool CallResolver::Load(const Text& path, Text* error) {
    std::ifstream in(path.c_str(), std::ios::in | std::ios::binary);
    if (!in) {
        *this = CallResolver();
        if (error) *error = "cannot open " + path;
        return false;
    }
    std::ostringstream content;
    content << in.rdbuf();
    Text reason;
    if (!LoadFromText(content.str(), &reason)) {
        if (error) *error = path + ": " + reason;
        return false;
    }
    return true;
}

bool CallResolver::LoadFromText(const Text& content, Text* error) {
    *this = CallResolver();
    auto problem = [this](int line, const Text& message) { m_problems.push_back(LogProblem{line, message}); };

    // Between entities; inside the alias lines of an entity (kept or, when
    // WAE-only, read and dropped); or passing over the rest of an entity
    // whose header could not be read.
    enum class State { Between, Aliases, Skipping } state = State::Between;
    bool keepAliases = false;
    int entityLine = 0;
    size_t entity = 0;

    int lineNumber = 0;
    size_t pos = 0;
    while (pos < content.size()) {
        size_t end = content.find('\n', pos);
        if (end == Text::npos) end = content.size();
        const Text line = Trim(content.substr(pos, end - pos));
        pos = end + 1;
        ++lineNumber;
        if (line.empty()) continue;

        if (line.find(':') != Text::npos) {
            if (state == State::Aliases)
                problem(entityLine, Format("the entity begun on line %d is not ended by ';'", entityLine));
            state = State::Skipping;
            entityLine = lineNumber;

            TextList fields;
            size_t start = 0;
            for (;;) {
                size_t colon = line.find(':', start);
                fields.push_back(Trim(line.substr(start, colon == Text::npos ? Text::npos : colon - start)));
                if (colon == Text::npos) break;
                start = colon + 1;
            }
            bool extra = false;
            for (size_t i = 8; i < fields.size(); ++i) extra = extra || !fields[i].empty();
            if (fields.size() < 8 || extra) {
                problem(lineNumber, "entity line without the eight fields name: CQ: ITU: continent: "
                                    "latitude: longitude: UTC offset: prefix: -- entity skipped");
                continue;
            }
            const Text continent = UpperAscii(fields[3]);
            const Text& primary = fields[7];
            if (fields[0].empty() || !IsContinent(continent)) {
                problem(lineNumber, Format("entity line with name '%s' and continent '%s' -- entity skipped",
                                           fields[0].c_str(), fields[3].c_str()));
                continue;
            }
            const bool waeOnly = !primary.empty() && primary[0] == '*';
            const Text prefix = waeOnly ? primary.substr(1) : primary;
            if (prefix.empty() || !std::all_of(prefix.begin(), prefix.end(), IsCallChar)) {
                problem(lineNumber, Format("entity line with prefix '%s' -- entity skipped", primary.c_str()));
                continue;
            }
            state = State::Aliases;
            keepAliases = !waeOnly;
            if (keepAliases) {
                entity = m_entities.size();
                m_entities.push_back(Entity{fields[0], EntityKeyFor(primary), continent});
            }
            continue;
        }

        if (state == State::Between) {
            problem(lineNumber, "alias line outside an entity -- skipped");
            continue;
        }
        const size_t semicolon = line.find(';');
        const Text aliases = line.substr(0, semicolon);
        if (state == State::Aliases && keepAliases) {
            for (const Text& raw : SplitNonEmpty(aliases, ',')) {
                const Text token = Trim(raw);
                if (token.empty()) continue;
                ParsedAlias parsed;
                if (!ParseAlias(token, parsed)) {
                    problem(lineNumber, "unreadable alias '" + token + "' -- skipped");
                    continue;
                }
                auto& table = parsed.exact ? m_exact : m_prefixes;
                auto inserted = table.emplace(parsed.call, Alias{entity, parsed.continent});
                if (!inserted.second) {
                    problem(lineNumber, Format("'%s' already belongs to %s -- kept there", token.c_str(),
                                               m_entities[inserted.first->second.entity].name.c_str()));
                    continue;
                }
                if (!parsed.exact) m_longestPrefix = std::max(m_longestPrefix, parsed.call.size());
            }
        }
        if (semicolon != Text::npos) {
            if (!Trim(line.substr(semicolon + 1)).empty())
                problem(lineNumber, "text after ';' -- ignored");
            state = State::Between;
        }
    }
    if (state == State::Aliases)
        problem(entityLine, Format("the entity begun on line %d is not ended by ';'", entityLine));

    if (m_entities.empty()) {
        if (error)
            *error = m_problems.empty() ? Text("no entities")
                                        : Format("no entities (line %d: %s)", m_problems[0].line,
                                                 m_problems[0].message.c_str());
        return false;
    }
    return true;
}

const CallResolver::Alias* CallResolver::FindExact(const Text& call) const {
    auto it = m_exact.find(call);
    return it == m_exact.end() ? nullptr : &it->second;
}

const CallResolver::Alias* CallResolver::FindLongestPrefix(const Text& part) const {
    for (size_t n = std::min(part.size(), m_longestPrefix); n > 0; --n) {
        auto it = m_prefixes.find(part.substr(0, n));
        if (it != m_prefixes.end()) return &it->second;
    }
    return nullptr;
}

const CallResolver::Alias* CallResolver::FindPart(const Text& part) const {
    if (const Alias* alias = FindExact(part)) return alias;
    return FindLongestPrefix(part);
}

CallResolver::Resolution CallResolver::Found(const Alias& alias, const Text& areaText) const {
    const Entity& entity = m_entities[alias.entity];
    Resolution r;
    r.found = true;
    r.entityKey = entity.key;
    r.continent = alias.continent.empty() ? entity.continent : alias.continent;
    r.areaText = areaText;
    return r;
}

CallResolver::Resolution CallResolver::Resolve(const Text& rawCall) const {
    Resolution none;
    const Text call = UpperAscii(Trim(rawCall));
    if (call.empty() || !std::all_of(call.begin(), call.end(), IsCallChar)) return none;
    const TextList parts = SplitNonEmpty(call, '/');
    if (parts.empty()) return none;

    // What follows the call: designators, a new area digit, or a location.
    bool mobileAtSea = false;
    Text areaDigit;
    TextList kept{parts[0]};
    Text withoutDesignators = parts[0];
    for (size_t i = 1; i < parts.size(); ++i) {
        const Text& part = parts[i];
        if (IsIgnoredDesignator(part)) continue;
        withoutDesignators += "/" + part;
        if (part == "MM" || part == "AM")
            mobileAtSea = true;
        else if (part.size() == 1 && IsDigit(part[0]))
            areaDigit = part;
        else
            kept.push_back(part);
    }

    // The part that tells the entity: the shortest one that resolves.
    std::vector<size_t> order(kept.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&kept](size_t a, size_t b) { return kept[a].size() < kept[b].size(); });
    const Alias* alias = nullptr;
    Text decider = kept[order[0]];
    for (size_t i : order) {
        if ((alias = FindPart(kept[i])) != nullptr) {
            decider = kept[i];
            break;
        }
    }
    const Text area = areaDigit.empty() ? LastDigit(decider) : areaDigit;

    if (const Alias* exact = FindExact(call)) return Found(*exact, area);
    if (mobileAtSea) {
        none.areaText = area;
        return none;
    }
    if (withoutDesignators != call)
        if (const Alias* exact = FindExact(withoutDesignators)) return Found(*exact, area);
    if (!alias) {
        none.areaText = area;
        return none;
    }
    return Found(*alias, area);
}

void ResolveLog(const CallResolver& resolver, HostLog& log) {
    const CallResolver::Resolution own = resolver.Resolve(log.ownCall);
    log.ownCountry = own.entityKey;
    log.ownContinent = own.continent;
    for (HostQso& qso : log.qsos) {
        const CallResolver::Resolution r = resolver.Resolve(qso.call);
        qso.country = r.entityKey;
        qso.continent = r.continent;
        qso.areaText = r.areaText;
    }
}
