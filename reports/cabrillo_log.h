// The Cabrillo 3.0 export: the header kept between runs, the QSO lines and
// the file.
#pragma once

#include "platform/date_time.h"
#include "platform/text.h"

// The header as the editor shows it (the soapbox in display form).
struct CabrilloHeader {
    Text callsign, claimed, club, categoryOperator, contest, email, name, operators, soapBox, address,
        categoryBand, categoryMode, categoryPower, categoryTransmitter, categoryOverlay, addressCity,
        addressPostalCode, addressCountry;
};

class CCabrilloLog {
public:
    // Runs the header editor for an output run; 1 on OK, 0 on cancel.
    int EditHeader(const Text& stationCall);
    void AddQsoLine(const Text& call, int freqKHz, const Text& modeCode, const DateTime& time, const Text& nrSent,
                    const Text& nrRcvd);
    // Writes the file; returns the message for the operator.
    Text WriteLog();
    // The end of an output run's summary: the QSO lines from the log, the
    // file, the message box.
    void WriteOutputFromLog();

    Text m_stationCall, m_name, m_address, m_addressCity, m_addressPostalCode, m_addressCountry, m_claimed,
        m_contest, m_email, m_club, m_operators, m_soapBox, m_categoryOperator, m_categoryOverlay,
        m_categoryMode, m_categoryBand, m_categoryPower, m_categoryTransmitter, m_fileBase;
    TextList m_qsoLines;
};

extern CCabrilloLog g_cabrilloLog;
