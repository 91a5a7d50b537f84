// The Cabrillo 3.0 export: the header kept between runs, the QSO lines and
// the file.
//
// An output run: ResetStats0 with its export argument calls EditHeader,
// which reads the stored header from the settings file, lets the operator
// edit it (through the engine hooks, so the Windows dialog or a test's fake)
// and stores it again; the summary of that run then calls
// WriteOutputFromLog, which turns the log into QSO lines, writes the file
// and shows the operator the outcome.
//
// The soapbox comes in three forms: display form (real line breaks, as the
// editor shows it), stored form (each CR as "<CR>", each LF as "<LF>", one
// line in the settings file) and file form (each line break followed by
// "SOAPBOX: ", so every soapbox line is a tag line of its own).
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
    // Runs the header editor for an output run; 1 on OK, 0 on cancel (which
    // also ends the output mode).
    int EditHeader(const Text& stationCall);
    // Formats one QSO line and appends it to m_qsoLines.
    void AddQsoLine(const Text& call, int freqKHz, const Text& modeCode, const DateTime& time, const Text& nrSent,
                    const Text& nrRcvd);
    // Writes the file from the header and m_qsoLines; returns the message for
    // the operator: "File produced: <name>", or why the file was not produced.
    Text WriteLog();
    // The end of an output run's summary: the QSO lines rebuilt from the log
    // (so a repeated summary writes every QSO once), the file, the message box.
    void WriteOutputFromLog();

    // The file base of a call: "/" and "\" become "_", surrounding white space
    // goes; "KLUB" when nothing is left.
    static Text FileBaseFor(const Text& call);
    // A header value as one line: every run of CR and LF becomes one blank,
    // and breaks at either end disappear.
    static Text OneLine(const Text& value);
    static Text SoapBoxDisplayFromStored(const Text& stored);
    static Text SoapBoxStoredFromDisplay(const Text& display);
    static Text SoapBoxFileFromStored(const Text& stored);

    Text m_stationCall, m_name, m_address, m_addressCity, m_addressPostalCode, m_addressCountry, m_claimed,
        m_contest, m_email, m_club, m_operators, m_soapBox, m_categoryOperator, m_categoryOverlay,
        m_categoryMode, m_categoryBand, m_categoryPower, m_categoryTransmitter, m_fileBase;
    TextList m_qsoLines;

private:
    CabrilloHeader ToHeader() const;
    void TakeBack(const CabrilloHeader& header);
    Text FileContent() const;
};

extern CCabrilloLog g_cabrilloLog;
