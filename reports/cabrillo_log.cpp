#include "reports/cabrillo_log.h"

#include "engine/contest_state.h"
#include "engine/host_hooks.h"
#include "platform/profile.h"
#include "platform/text_file.h"

namespace {

const char* const kQsoLineFormat = "QSO: %5i %2s %s %-13s 599 %-5s  %-12s  599 %s\r\n";

Text ReadKey(const char* key, const Text& defaultValue = Text()) {
    return ReadProfileTextFull(g_iniPath, g_iniSection, key, defaultValue);
}

void WriteKey(const char* key, const Text& value) { WriteProfileText(g_iniPath, g_iniSection, key, value); }

Text Tag(const char* tag, const Text& value) { return Text(tag) + ": " + value + "\r\n"; }

}  // namespace

Text CCabrilloLog::FileBaseFor(const Text& call) {
    const Text base = Trim(ReplaceAll(ReplaceAll(call, "/", "_"), "\\", "_"));
    return base.empty() ? Text("KLUB") : base;
}

Text CCabrilloLog::OneLine(const Text& value) {
    Text out;
    bool pendingBreak = false;
    for (char c : value) {
        if (c == '\r' || c == '\n') {
            pendingBreak = true;
            continue;
        }
        if (pendingBreak && !out.empty()) out += ' ';
        pendingBreak = false;
        out += c;
    }
    return out;
}

Text CCabrilloLog::SoapBoxDisplayFromStored(const Text& stored) {
    return ReplaceAll(ReplaceAll(stored, "<CR>", "\r"), "<LF>", "\n");
}

Text CCabrilloLog::SoapBoxStoredFromDisplay(const Text& display) {
    return ReplaceAll(ReplaceAll(display, "\r", "<CR>"), "\n", "<LF>");
}

Text CCabrilloLog::SoapBoxFileFromStored(const Text& stored) {
    return ReplaceAll(ReplaceAll(stored, "<CR>", "\r\nSOAPBOX: "), "<LF>", "");
}

CabrilloHeader CCabrilloLog::ToHeader() const {
    CabrilloHeader h;
    h.callsign = m_stationCall;
    h.claimed = m_claimed;
    h.club = m_club;
    h.categoryOperator = m_categoryOperator;
    h.contest = m_contest;
    h.email = m_email;
    h.name = m_name;
    h.operators = m_operators;
    h.soapBox = m_soapBox;
    h.address = m_address;
    h.categoryBand = m_categoryBand;
    h.categoryMode = m_categoryMode;
    h.categoryPower = m_categoryPower;
    h.categoryTransmitter = m_categoryTransmitter;
    h.categoryOverlay = m_categoryOverlay;
    h.addressCity = m_addressCity;
    h.addressPostalCode = m_addressPostalCode;
    h.addressCountry = m_addressCountry;
    return h;
}

// Every field but the claimed score, which the summary supplies. The soapbox
// keeps its line breaks; every other value is a one-line settings value and a
// one-line tag, so a break typed into it becomes a blank.
void CCabrilloLog::TakeBack(const CabrilloHeader& h) {
    m_stationCall = OneLine(h.callsign);
    m_club = OneLine(h.club);
    m_categoryOperator = OneLine(h.categoryOperator);
    m_contest = OneLine(h.contest);
    m_email = OneLine(h.email);
    m_name = OneLine(h.name);
    m_operators = OneLine(h.operators);
    m_soapBox = h.soapBox;
    m_address = OneLine(h.address);
    m_categoryBand = OneLine(h.categoryBand);
    m_categoryMode = OneLine(h.categoryMode);
    m_categoryPower = OneLine(h.categoryPower);
    m_categoryTransmitter = OneLine(h.categoryTransmitter);
    m_categoryOverlay = OneLine(h.categoryOverlay);
    m_addressCity = OneLine(h.addressCity);
    m_addressPostalCode = OneLine(h.addressPostalCode);
    m_addressCountry = OneLine(h.addressCountry);
}

int CCabrilloLog::EditHeader(const Text& stationCall) {
    CabrilloHeader header;
    {
        StateLock lock;
        m_stationCall = stationCall;
        m_fileBase = FileBaseFor(stationCall);
        // Read in full: a long soapbox in stored form is the usual victim of
        // a cut.
        m_operators = ReadKey("Operators", stationCall);
        m_name = ReadKey("Name");
        m_address = ReadKey("Address");
        m_addressCity = ReadKey("Address-City");
        m_addressPostalCode = ReadKey("Address-PostalCode");
        m_addressCountry = ReadKey("Address-Country");
        m_claimed = ReadKey("Claimed");
        m_contest = "SARTG-WW-RTTY";
        m_categoryOperator = "SINGLE-OP";
        m_categoryMode = "RTTY";
        m_categoryBand = "ALL";
        m_categoryPower = "HIGH";
        m_categoryTransmitter = "ONE";
        m_email = ReadKey("Email");
        m_club = ReadKey("Club");
        m_soapBox = SoapBoxDisplayFromStored(ReadKey("SoapBox"));
        header = ToHeader();
    }
    // The editor waits for the operator: no lock while it is up.
    const bool confirmed = Hooks().EditCabrilloHeader(header);
    StateLock lock;
    if (!confirmed) {
        g_cabrilloExport = 0;
        return 0;
    }
    TakeBack(header);
    m_soapBox = SoapBoxStoredFromDisplay(m_soapBox);
    WriteKey("Operators", m_operators);
    WriteKey("Name", m_name);
    WriteKey("Address", m_address);
    WriteKey("Address-City", m_addressCity);
    WriteKey("Address-PostalCode", m_addressPostalCode);
    WriteKey("Address-Country", m_addressCountry);
    WriteKey("Category", m_categoryOperator);
    WriteKey("Category_Overlay", m_categoryOverlay);
    WriteKey("Contest", m_contest);
    WriteKey("Email", m_email);
    WriteKey("Club", m_club);
    WriteKey("SoapBox", m_soapBox);
    m_soapBox = SoapBoxFileFromStored(m_soapBox);
    m_qsoLines.clear();
    return 1;
}

void CCabrilloLog::AddQsoLine(const Text& call, int freqKHz, const Text& modeCode, const DateTime& time,
                              const Text& nrSent, const Text& nrRcvd) {
    const Text when = time.Format("%Y-%m-%d %H%M");
    m_qsoLines.push_back(Format(kQsoLineFormat, freqKHz, modeCode.c_str(), when.c_str(), m_stationCall.c_str(),
                                nrSent.c_str(), call.c_str(), nrRcvd.c_str()));
}

Text CCabrilloLog::FileContent() const {
    Text out = "START-OF-LOG: 3.0\r\n";
    out += "CONTEST: SARTG-WW-RTTY\r\n";
    out += Tag("CALLSIGN", m_stationCall);
    out += Tag("CATEGORY-OPERATOR", m_categoryOperator);
    if (m_categoryOperator != "MULTI-OP") {
        out += Tag("CATEGORY-BAND", m_categoryBand);
        if (m_categoryBand == "ALL") out += Tag("CATEGORY-POWER", m_categoryPower);
    } else {
        out += Tag("CATEGORY-TRANSMITTER", m_categoryTransmitter);
    }
    out += Tag("CLAIMED-SCORE", Format("%lld", static_cast<long long>(g_claimedScore)));
    out += Tag("CLUB", m_club);
    out += Tag("CREATED-BY", "Vokt " + g_hostVersion);
    out += Tag("NAME", m_name);
    out += Tag("ADDRESS", m_address);
    out += Tag("ADDRESS-CITY", m_addressCity);
    out += Tag("ADDRESS-POSTALCODE", m_addressPostalCode);
    out += Tag("ADDRESS-COUNTRY", m_addressCountry);
    out += Tag("OPERATORS", m_operators);
    out += Tag("EMAIL", m_email);
    out += Tag("SOAPBOX", m_soapBox);
    for (const Text& line : m_qsoLines) out += line;
    out += "END-OF-LOG:\r\n";
    return out;
}

Text CCabrilloLog::WriteLog() {
    StateLock lock;
    const Text fileName = m_fileBase + ".cbr";
    const Text content = FileContent();
    TextFileWriter file;
    if (!file.Open(fileName, TextFileWriter::Mode::Truncate))
        return "File not produced: " + fileName + "\nThe file cannot be created: " + file.ErrorText();
    file.Write(content);
    if (!file.Close())
        return "File not produced: " + fileName + "\nThe file could not be written in full: " + file.ErrorText();
    return "File produced: " + fileName;
}

void CCabrilloLog::WriteOutputFromLog() {
    Text message;
    {
        StateLock lock;
        m_qsoLines.clear();
        for (const CInfo& e : g_log)
            AddQsoLine(e.m_call, e.m_freqKHz, e.m_mode == "RTTY" ? "RY" : "??", e.m_time, e.m_nrSent, e.m_nrRcvd);
        message = WriteLog();
    }
    // The message box waits for the operator: no lock while it is up.
    Hooks().ShowOutputMessage(message);
}
