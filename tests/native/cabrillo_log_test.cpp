// The Cabrillo export without Windows: the header editor is a fake that
// records what it was shown and answers as the test says; the files are
// real, in a scratch folder per test.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>

#include "engine/contest_state.h"
#include "engine/host_hooks.h"
#include "platform/profile.h"
#include "platform/text_file.h"
#include "reports/cabrillo_log.h"

namespace {

const char* const kIni = "Plugins/SARTG-WW-RTTY.ini";

class FakeEditor : public EngineHooks {
public:
    bool EditCabrilloHeader(CabrilloHeader& header) override {
        ++opened;
        shown = header;
        if (edit) edit(header);
        return confirm;
    }
    void ShowOutputMessage(const Text& text) override { messages.push_back(text); }

    bool confirm = true;
    std::function<void(CabrilloHeader&)> edit;
    int opened = 0;
    CabrilloHeader shown;
    TextList messages;
};

CInfo Qso(const Text& call, int freqKHz, const Text& mode, const DateTime& time, const Text& nrSent,
          const Text& nrRcvd, int dupe = 0) {
    CInfo r;
    r.m_call = call;
    r.m_freqKHz = freqKHz;
    r.m_mode = mode;
    r.m_band = "20m";
    r.m_time = time;
    r.m_nrSent = nrSent;
    r.m_nrRcvd = nrRcvd;
    r.m_dupe = r.m_notCounted = dupe;
    return r;
}

Text FileText(const Text& path) {
    Text content;
    ReadFileBytes(path, content);
    return content;
}

Text Stored(const char* key) { return ReadProfileTextFull("Plugins\\SARTG-WW-RTTY.ini", "Settings", key); }

void Store(const char* key, const Text& value) {
    ASSERT_TRUE(WriteProfileText("Plugins\\SARTG-WW-RTTY.ini", "Settings", key, value));
}

// The header lines between CATEGORY-OPERATOR and CLAIMED-SCORE.
Text CategoryLines(const Text& file) {
    const size_t from = file.find("CATEGORY-OPERATOR: ");
    const size_t to = file.find("CLAIMED-SCORE: ");
    return from == Text::npos || to == Text::npos ? Text() : file.substr(from, to - from);
}

class CabrilloLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/cabrillo_log_test.XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_folder = pattern;
        ASSERT_EQ(getcwd(m_previous, sizeof m_previous), m_previous);
        ASSERT_EQ(chdir(m_folder.c_str()), 0);
        ASSERT_EQ(mkdir("Plugins", 0777), 0);
        SetHooks(&editor);
        StateLock lock;
        g_log.Clear();
        g_cabrilloExport = 1;
        g_hostVersion = "2.19";
        g_claimedScore = 12345;
        g_cabrilloLog = CCabrilloLog();
    }
    void TearDown() override {
        SetHooks(nullptr);
        ASSERT_EQ(chdir(m_previous), 0);
        std::system(("rm -rf '" + m_folder + "'").c_str());
    }

    // One output run: the editor, the log, the summary's output step.
    Text Export(const Text& call, const std::vector<CInfo>& qsos = {}) {
        if (!g_cabrilloLog.EditHeader(call)) return Text();
        for (const CInfo& q : qsos) g_log.Append(q);
        g_cabrilloLog.WriteOutputFromLog();
        return FileText(g_cabrilloLog.m_fileBase + ".cbr");
    }

    FakeEditor editor;
    Text m_folder;
    char m_previous[4096] = {};
};

TEST_F(CabrilloLogTest, TheWholeFileByteForByte) {
    Store("Name", "Erik Svensson");
    Store("Address", "Box 1");
    Store("Address-City", "Lund");
    Store("Address-PostalCode", "22100");
    Store("Address-Country", "Sweden");
    Store("Email", "sm7xyz@example.org");
    Store("Club", "SARTG");
    Store("SoapBox", "Fine conditions");
    const DateTime t = DateTime::FromParts(2017, 8, 19, 8, 5);
    const Text file = Export("SM7XYZ", {
        Qso("DL1ABC", 14085, "RTTY", t, "1", "7"),
        Qso("OH2BH", 7040, "RTTY", t, "2", "1234"),
        Qso("UA9XYZ", 21080, "rtty", t, "3", "12"),
        Qso("DL1ABC", 14085, "RTTY", t, "4", "8", 1),
        Qso("VERYLONGCALL/MM", 28080, "RTTY", DateTime::Invalid(), "123456", "5"),
        Qso("K1AR", 3580, "RTTY", DateTime::Null(), "6", "99"),
    });
    EXPECT_EQ(file,
              "START-OF-LOG: 3.0\r\n"
              "CONTEST: SARTG-WW-RTTY\r\n"
              "CALLSIGN: SM7XYZ\r\n"
              "CATEGORY-OPERATOR: SINGLE-OP\r\n"
              "CATEGORY-BAND: ALL\r\n"
              "CATEGORY-POWER: HIGH\r\n"
              "CLAIMED-SCORE: 12345\r\n"
              "CLUB: SARTG\r\n"
              "CREATED-BY: Vokt 2.19\r\n"
              "NAME: Erik Svensson\r\n"
              "ADDRESS: Box 1\r\n"
              "ADDRESS-CITY: Lund\r\n"
              "ADDRESS-POSTALCODE: 22100\r\n"
              "ADDRESS-COUNTRY: Sweden\r\n"
              "OPERATORS: SM7XYZ\r\n"
              "EMAIL: sm7xyz@example.org\r\n"
              "SOAPBOX: Fine conditions\r\n"
              "QSO: 14085 RY 2017-08-19 0805 SM7XYZ        599 1      DL1ABC        599 7\r\n"
              "QSO:  7040 RY 2017-08-19 0805 SM7XYZ        599 2      OH2BH         599 1234\r\n"
              "QSO: 21080 ?? 2017-08-19 0805 SM7XYZ        599 3      UA9XYZ        599 12\r\n"
              "QSO: 14085 RY 2017-08-19 0805 SM7XYZ        599 4      DL1ABC        599 8\r\n"
              "QSO: 28080 RY Invalid DateTime SM7XYZ        599 123456  VERYLONGCALL/MM  599 5\r\n"
              "QSO:  3580 RY  SM7XYZ        599 6      K1AR          599 99\r\n"
              "END-OF-LOG:\r\n");
    ASSERT_EQ(editor.messages.size(), 1u);
    EXPECT_EQ(editor.messages[0], "File produced: SM7XYZ.cbr");
}

TEST_F(CabrilloLogTest, EmptyValuesStillWriteTheirTags) {
    const Text file = Export("SM7XYZ");
    EXPECT_NE(file.find("CLUB: \r\nCREATED-BY: Vokt 2.19\r\nNAME: \r\nADDRESS: \r\n"), Text::npos) << file;
    EXPECT_NE(file.find("EMAIL: \r\nSOAPBOX: \r\nEND-OF-LOG:\r\n"), Text::npos) << file;
}

TEST_F(CabrilloLogTest, TheEditorShowsTheStoredHeaderAndTheFixedValues) {
    Store("Address-City", "Lund");
    Store("Claimed", "999");
    Store("Category", "MULTI-OP");  // never read: the operator category starts as SINGLE-OP
    Store("Contest", "OTHER");
    g_cabrilloLog.m_categoryOverlay = "WIRES";  // the last confirmed choice
    editor.confirm = false;
    EXPECT_EQ(g_cabrilloLog.EditHeader("SM7XYZ"), 0);
    const CabrilloHeader& h = editor.shown;
    EXPECT_EQ(h.callsign, "SM7XYZ");
    EXPECT_EQ(h.operators, "SM7XYZ");  // no "Operators" key: the call
    EXPECT_EQ(h.addressCity, "Lund");
    EXPECT_EQ(h.claimed, "999");
    EXPECT_EQ(h.contest, "SARTG-WW-RTTY");
    EXPECT_EQ(h.categoryOperator, "SINGLE-OP");
    EXPECT_EQ(h.categoryMode, "RTTY");
    EXPECT_EQ(h.categoryBand, "ALL");
    EXPECT_EQ(h.categoryPower, "HIGH");
    EXPECT_EQ(h.categoryTransmitter, "ONE");
    EXPECT_EQ(h.categoryOverlay, "WIRES");
}

TEST_F(CabrilloLogTest, OkStoresTheHeaderAndTheFileUsesIt) {
    Store("Address-City", "Lund");
    editor.edit = [](CabrilloHeader& h) {
        h.callsign = "SM7XYZ/P";  // changes the CALLSIGN line, not the file name
        h.name = "Erik";
        h.operators = "SM7XYZ SM7ABC";
        h.club = "SARTG";
        h.email = "e@example.org";
        h.categoryOperator = "FREEWORD";
        h.categoryOverlay = "WIRES";
        h.contest = "SARTG-WW-RTTY 2017";
        h.claimed = "1000000";  // dropped: the score comes from the summary
    };
    const Text file = Export("SM7XYZ");
    EXPECT_EQ(Stored("Operators"), "SM7XYZ SM7ABC");
    EXPECT_EQ(Stored("Name"), "Erik");
    EXPECT_EQ(Stored("Address-City"), "Lund");  // untouched, saved back as it was
    EXPECT_EQ(Stored("Category"), "FREEWORD");
    EXPECT_EQ(Stored("Category_Overlay"), "WIRES");
    EXPECT_EQ(Stored("Contest"), "SARTG-WW-RTTY 2017");
    EXPECT_EQ(Stored("Club"), "SARTG");
    EXPECT_EQ(Stored("Email"), "e@example.org");
    EXPECT_EQ(Stored("Claimed"), "");  // written by the summary, not here
    EXPECT_NE(file.find("CONTEST: SARTG-WW-RTTY\r\nCALLSIGN: SM7XYZ/P\r\nCATEGORY-OPERATOR: FREEWORD\r\n"),
              Text::npos);
    EXPECT_NE(file.find("CLAIMED-SCORE: 12345\r\n"), Text::npos);
    EXPECT_EQ(g_cabrilloLog.m_fileBase, "SM7XYZ");
}

TEST_F(CabrilloLogTest, CancelWritesNothingAndEndsTheOutputMode) {
    Store("Name", "Erik");
    const Text before = FileText(kIni);
    editor.confirm = false;
    editor.edit = [](CabrilloHeader& h) { h.name = "Changed"; };
    EXPECT_EQ(g_cabrilloLog.EditHeader("SM7XYZ"), 0);
    EXPECT_EQ(g_cabrilloExport, 0);
    EXPECT_EQ(FileText(kIni), before);
    EXPECT_EQ(g_cabrilloLog.m_name, "Erik");  // the values read before the editor
    EXPECT_NE(access("SM7XYZ.cbr", F_OK), 0);
}

TEST_F(CabrilloLogTest, CategoryLinesFollowTheOperatorAndTheBand) {
    struct Case {
        const char* op;
        const char* band;
        const char* lines;
    } cases[] = {
        {"SINGLE-OP", "ALL", "CATEGORY-OPERATOR: SINGLE-OP\r\nCATEGORY-BAND: ALL\r\nCATEGORY-POWER: HIGH\r\n"},
        {"SINGLE-OP", "20M", "CATEGORY-OPERATOR: SINGLE-OP\r\nCATEGORY-BAND: 20M\r\n"},
        {"CHECKLOG", "ALL", "CATEGORY-OPERATOR: CHECKLOG\r\nCATEGORY-BAND: ALL\r\nCATEGORY-POWER: HIGH\r\n"},
        {"CHECKLOG", "80M", "CATEGORY-OPERATOR: CHECKLOG\r\nCATEGORY-BAND: 80M\r\n"},
        {"MULTI-OP", "ALL", "CATEGORY-OPERATOR: MULTI-OP\r\nCATEGORY-TRANSMITTER: ONE\r\n"},
        {"MULTI-OP", "20M", "CATEGORY-OPERATOR: MULTI-OP\r\nCATEGORY-TRANSMITTER: ONE\r\n"},
        {"multi-op", "all", "CATEGORY-OPERATOR: multi-op\r\nCATEGORY-BAND: all\r\n"},  // exact comparisons
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Text(c.op) + " " + c.band);
        editor.edit = [&](CabrilloHeader& h) {
            h.categoryOperator = c.op;
            h.categoryBand = c.band;
        };
        EXPECT_EQ(CategoryLines(Export("SM7XYZ")), c.lines);
    }
}

TEST_F(CabrilloLogTest, FileNameFromTheCall) {
    struct Case {
        const char* call;
        const char* file;
    } cases[] = {
        {"SM7XYZ", "SM7XYZ.cbr"},
        {"OH0/SM7XYZ/P", "OH0_SM7XYZ_P.cbr"},
        {"SM7XYZ\\M", "SM7XYZ_M.cbr"},
        {"  SM7XYZ \t", "SM7XYZ.cbr"},
        {"", "KLUB.cbr"},
        {"   ", "KLUB.cbr"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Text("call '") + c.call + "'");
        editor.messages.clear();
        const Text file = Export(c.call);
        EXPECT_EQ(FileText(c.file), file);
        EXPECT_NE(file.find(Text("CALLSIGN: ") + c.call + "\r\n"), Text::npos);  // the call as given
        ASSERT_EQ(editor.messages.size(), 1u);
        EXPECT_EQ(editor.messages[0], Text("File produced: ") + c.file);
    }
}

TEST_F(CabrilloLogTest, SoapBoxInItsThreeForms) {
    editor.edit = [](CabrilloHeader& h) { h.soapBox = "Fine conditions\r\n73 to all"; };
    const Text file = Export("SM7XYZ");
    EXPECT_EQ(Stored("SoapBox"), "Fine conditions<CR><LF>73 to all");
    EXPECT_NE(file.find("\r\nSOAPBOX: Fine conditions\r\nSOAPBOX: 73 to all\r\nEND-OF-LOG:\r\n"), Text::npos) << file;

    editor.edit = nullptr;
    editor.confirm = false;
    g_cabrilloLog.EditHeader("SM7XYZ");
    EXPECT_EQ(editor.shown.soapBox, "Fine conditions\r\n73 to all");
}

TEST_F(CabrilloLogTest, LongValuesAreReadInFull) {
    // 150 characters in stored form: the soapbox of three lines loses nothing.
    const Text soapBox = Text(60, 'a') + "<CR><LF>" + Text(60, 'b') + "<CR><LF>" + Text(14, 'c');
    const Text name = Text(120, 'n');
    Store("SoapBox", soapBox);
    Store("Name", name);
    const Text file = Export("SM7XYZ");
    EXPECT_EQ(editor.shown.soapBox, Text(60, 'a') + "\r\n" + Text(60, 'b') + "\r\n" + Text(14, 'c'));
    EXPECT_EQ(editor.shown.name, name);
    EXPECT_EQ(Stored("SoapBox"), soapBox);
    EXPECT_NE(file.find("NAME: " + name + "\r\n"), Text::npos);
    EXPECT_NE(file.find("SOAPBOX: " + Text(60, 'a') + "\r\nSOAPBOX: " + Text(60, 'b') + "\r\nSOAPBOX: " +
                        Text(14, 'c') + "\r\n"),
              Text::npos);
}

TEST_F(CabrilloLogTest, LineBreaksInOneLineFieldsBecomeBlanks) {
    struct Case {
        const char* typed;
        const char* kept;
    } cases[] = {
        {"Storgatan 1\r\nLgh 1102", "Storgatan 1 Lgh 1102"},
        {"Storgatan 1\r\n\r\nLgh 1102", "Storgatan 1 Lgh 1102"},
        {"A\nB\rC", "A B C"},
        {"\r\nLund\r\n", "Lund"},
        {"\r\n", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        editor.edit = [&](CabrilloHeader& h) {
            h.address = h.addressCity = h.addressPostalCode = h.addressCountry = h.name = c.typed;
        };
        const Text file = Export("SM7XYZ");
        for (const char* key : {"Address", "Address-City", "Address-PostalCode", "Address-Country", "Name"})
            EXPECT_EQ(Stored(key), c.kept) << key;
        for (const char* tag : {"ADDRESS", "ADDRESS-CITY", "ADDRESS-POSTALCODE", "ADDRESS-COUNTRY", "NAME"})
            EXPECT_NE(file.find(Text("\r\n") + tag + ": " + c.kept + "\r\n"), Text::npos) << tag;
    }
}

TEST_F(CabrilloLogTest, ARepeatedSummaryWritesEveryQsoOnce) {
    const DateTime t = DateTime::FromParts(2017, 8, 19, 8, 5);
    const Text first = Export("SM7XYZ", {Qso("DL1ABC", 14085, "RTTY", t, "1", "7"), Qso("OH2BH", 7040, "RTTY", t, "2", "3")});
    g_cabrilloLog.WriteOutputFromLog();
    const Text second = FileText("SM7XYZ.cbr");
    EXPECT_EQ(second, first);
    EXPECT_EQ(g_cabrilloLog.m_qsoLines.size(), 2u);
}

TEST_F(CabrilloLogTest, AFileThatCannotBeMadeIsNotAnnounced) {
    ASSERT_EQ(mkdir("SM7XYZ.cbr", 0777), 0);  // a folder in the way
    Export("SM7XYZ");
    ASSERT_EQ(editor.messages.size(), 1u);
    const Text& message = editor.messages[0];
    EXPECT_EQ(message.rfind("File not produced: SM7XYZ.cbr\nThe file cannot be created: ", 0), 0u) << message;
    EXPECT_GT(message.size(), Text("File not produced: SM7XYZ.cbr\nThe file cannot be created: ").size());
}

TEST_F(CabrilloLogTest, AFileThatCannotBeWrittenIsNotAnnounced) {
    if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full here";
    ASSERT_EQ(symlink("/dev/full", "SM7XYZ.cbr"), 0);  // every write fails: no space left
    ASSERT_EQ(g_cabrilloLog.EditHeader("SM7XYZ"), 1);  // (reading /dev/full would never end)
    g_cabrilloLog.WriteOutputFromLog();
    ASSERT_EQ(editor.messages.size(), 1u);
    EXPECT_EQ(editor.messages[0].rfind("File not produced: SM7XYZ.cbr\nThe file could not be written in full: ", 0), 0u)
        << editor.messages[0];
}

}  // namespace
