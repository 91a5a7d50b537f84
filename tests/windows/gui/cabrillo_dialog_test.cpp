// The Cabrillo export through the real Stats.dll under Wine: the host's
// thread sits in ResetStats0 while the operator thread finds the header
// dialog by its caption, reads and works its controls with window messages,
// and closes it; then the log goes in, the summary writes the file and the
// operator answers the "Output" box. The settings file and the Cabrillo file
// are checked as they lie on disk.
//
// With STATS_SCREENSHOT_DIR set (a Windows path, or a Unix path, which is
// reached through drive Z:), the open dialog is saved there as
// cabrillo_header.png.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "tests/windows/gui/operator.h"
#include "tests/windows/gui/png_writer.h"
#include "tests/windows/plugin_test_support.h"

namespace {

const char* const kCaption = "SARTG-WW-RTTY Contest ";
const char* const kIni = "Plugins\\SARTG-WW-RTTY.ini";

// The header dialog's controls, by the ids of its layout.
enum Control : int {
    kSoapBox = 1001,
    kAddress = 1002,
    kCity = 1003,
    kEmail = 1004,
    kClub = 1005,
    kOperators = 1006,
    kName = 1007,
    kClaimed = 1008,
    kContest = 1009,
    kCallsign = 1010,
    kOperator = 1012,
    kBand = 1013,
    kCountry = 1014,
    kMode = 1017,
    kPower = 1018,
    kTransmitter = 1019,
    kOverlay = 1020,
    kPostalCode = 1021,
};

HostQso Qso(const Text& call, const Text& band, const Text& mode, unsigned kHz, const Text& nrSent,
            const Text& nrRcvd, const Text& country, const Text& continent, int minute) {
    HostQso q;
    q.call = call;
    q.band = band;
    q.mode = mode;
    q.frequencyHz = kHz * 1000;
    q.time = DateTime::FromParts(2017, 8, 19, 8, minute);
    q.rstSent = q.rstRcvd = "599";
    q.nrSent = nrSent;
    q.nrRcvd = nrRcvd;
    q.country = country;
    q.continent = continent;
    return q;
}

// Four QSOs: five- and four-digit frequencies, a mode other than exactly
// "RTTY", a dupe. 35 points x 3 entities = 105.
const std::vector<HostQso> kLog = {
    Qso("DL1ABC", "20m", "RTTY", 14085, "001", "017", "DL", "EU", 5),
    Qso("OH2BH", "40m", "RTTY", 7040, "002", "1234", "OH", "EU", 6),
    Qso("UA9XYZ", "15m", "rtty", 21080, "003", "12", "UA9", "AS", 7),
    Qso("DL1ABC", "20m", "RTTY", 14086, "004", "018", "DL", "EU", 8),
};

const char* const kLogLines =
    "QSO: 14085 RY 2017-08-19 0805 SM7XYZ        599 001    DL1ABC        599 017\r\n"
    "QSO:  7040 RY 2017-08-19 0806 SM7XYZ        599 002    OH2BH         599 1234\r\n"
    "QSO: 21080 ?? 2017-08-19 0807 SM7XYZ        599 003    UA9XYZ        599 12\r\n"
    "QSO: 14086 RY 2017-08-19 0808 SM7XYZ        599 004    DL1ABC        599 018\r\n";

Text Stored(const char* key) {
    std::vector<char> buffer(65536, '\0');
    GetPrivateProfileStringA("Settings", key, "", buffer.data(), static_cast<DWORD>(buffer.size()), kIni);
    return buffer.data();
}

void Store(const char* key, const Text& value) {
    ASSERT_TRUE(WritePrivateProfileStringA("Settings", key, value.c_str(), kIni));
}

// The header lines from CATEGORY-OPERATOR up to CLAIMED-SCORE.
Text CategoryLines(const Text& file) {
    const size_t from = file.find("CATEGORY-OPERATOR: "), to = file.find("CLAIMED-SCORE: ");
    return from == Text::npos || to == Text::npos ? Text() : file.substr(from, to - from);
}

bool FileExists(const Text& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void SaveScreenshot(const DialogWindow& dialog, const Text& name) {
    const char* dir = std::getenv("STATS_SCREENSHOT_DIR");
    if (!dir || !*dir) return;
    Text folder = dir;
    if (folder[0] == '/') folder = "Z:" + folder;
    RedrawWindow(dialog.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    Sleep(300);  // let the host's thread paint
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    ASSERT_TRUE(CaptureWindow(dialog.Handle(), width, height, rgb));
    EXPECT_TRUE(WritePng(folder + "\\" + name, width, height, rgb)) << folder;
}

class CabrilloDialogTest : public PluginTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::getenv("DISPLAY")) << "the dialog tests need an X server: start Xvfb and set DISPLAY";
        PluginTest::SetUp();
        WriteFile("Vokt2.ini", "[Vokt]\r\nVokt=2.19\r\n");
    }

    struct Run {
        bool sawDialog = false;
        TextList messages;  // of the "Output" boxes
        Text settingsAfterReset;
    };

    // One export run: the reset with the header dialog worked by `script`,
    // the log, `summaries` summaries.
    Run Export(const Text& call, const std::vector<HostQso>& log, Operator::Script script, int summaries = 1) {
        Run run;
        Operator op(GetCurrentThreadId(), kCaption, std::move(script));
        PluginCalls calls = Calls();
        calls.Reset(HostFolder(), 1, call, DateTime::FromParts(2017, 8, 19), DateTime::FromParts(2017, 8, 20), "SM",
                    "EU");
        run.settingsAfterReset = ReadFile(kIni);
        for (const HostQso& q : log) calls.Add(call, q);
        for (int i = 0; i < summaries; ++i) calls.Result();
        op.Stop();
        run.sawDialog = op.SawDialog();
        run.messages = op.OutputMessages();
        return run;
    }
};

TEST_F(CabrilloDialogTest, OpensWithTheStoredHeaderAndTheFixedValues) {
    Store("Name", "Erik Svensson");
    Store("Address-City", "Lund");
    Store("Claimed", "4711");
    Store("SoapBox", "First line<CR><LF>Second line");
    Store("Category", "MULTI-OP");  // not read: the category starts as SINGLE-OP
    const Run run = Export("SM7XYZ", {}, [](DialogWindow& d) {
        EXPECT_EQ(d.Caption(), kCaption);
        EXPECT_EQ(d.TextOf(kContest), "SARTG-WW-RTTY");
        EXPECT_EQ(d.TextOf(kCallsign), "SM7XYZ");
        EXPECT_EQ(d.TextOf(kClaimed), "4711");
        EXPECT_EQ(d.TextOf(kMode), "RTTY");
        EXPECT_EQ(d.TextOf(kName), "Erik Svensson");
        EXPECT_EQ(d.TextOf(kCity), "Lund");
        EXPECT_EQ(d.TextOf(kOperators), "SM7XYZ");  // no stored operators: the call
        EXPECT_EQ(d.TextOf(kSoapBox), "First line\r\nSecond line");
        for (int id : {kAddress, kPostalCode, kCountry, kClub, kEmail}) EXPECT_EQ(d.TextOf(id), "") << id;

        struct List {
            int id;
            const char* shown;
            int selected;
            TextList items;
            bool enabled;
        } lists[] = {
            {kOperator, "SINGLE-OP", 0, {"SINGLE-OP", "MULTI-OP", "CHECKLOG"}, true},
            {kBand, "ALL", 0, {"ALL", "80M", "40M", "20M", "15M", "10M"}, true},
            {kPower, "HIGH", 0, {"HIGH", "LOW"}, true},
            {kTransmitter, "ONE", 0, {"ONE", "TWO", "UNLIMITED"}, true},
            {kOverlay, "", -1, {"WIRES"}, false},
        };
        for (const List& l : lists) {
            SCOPED_TRACE(l.id);
            const ComboView view = d.Combo(l.id);
            EXPECT_EQ(view.shown, l.shown);
            EXPECT_EQ(view.selected, l.selected);
            EXPECT_EQ(view.items, l.items);
            EXPECT_EQ(view.enabled, l.enabled);
        }
        HWND overlayLabel = d.ChildWithText("CATEGORY-OVERLAY");
        ASSERT_NE(overlayLabel, nullptr);
        EXPECT_FALSE(IsWindowEnabled(overlayLabel));
        SaveScreenshot(d, "cabrillo_header.png");
        d.Click(IDCANCEL);
    });
    EXPECT_TRUE(run.sawDialog);
}

TEST_F(CabrilloDialogTest, TheTemplateAsLaidOut) {
    Export("SM7XYZ", {}, [](DialogWindow& d) {
        HWND dialog = d.Handle();
        const LONG style = GetWindowLongA(dialog, GWL_STYLE);
        for (DWORD bit : {DWORD(WS_POPUP), DWORD(WS_CAPTION), DWORD(WS_SYSMENU), DWORD(WS_MINIMIZEBOX),
                          DWORD(WS_MAXIMIZEBOX), DWORD(DS_MODALFRAME)})
            EXPECT_EQ(static_cast<DWORD>(style) & bit, bit) << std::hex << bit;
        RECT size{0, 0, 255, 329}, client{};
        MapDialogRect(dialog, &size);
        GetClientRect(dialog, &client);
        EXPECT_EQ(client.right, size.right);
        EXPECT_EQ(client.bottom, size.bottom);
        LOGFONTA font{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");

        // Every label and field: where it stands (dialog units), what it is.
        enum Kind { Label, Line, Scrolling, Multi, Soap, Combo, SortedCombo, Button };
        struct Item {
            const char* label;  // found by its text when there is no id
            int id;
            int x, y, w, h;
            Kind kind;
        } items[] = {
            {"CONTEST", 0, 10, 10, 36, 11, Label}, {nullptr, kContest, 55, 9, 190, 12, Scrolling},
            {"CALLSIGN", 0, 9, 25, 39, 11, Label}, {nullptr, kCallsign, 55, 23, 88, 12, Line},
            {"CLAIMED", 0, 149, 25, 31, 11, Label}, {nullptr, kClaimed, 184, 23, 61, 12, Line},
            {"CATEGORY-OPERATOR", 0, 9, 41, 83, 11, Label}, {nullptr, kOperator, 92, 38, 79, 86, Combo},
            {"CATEGORY-BAND", 0, 9, 54, 79, 11, Label}, {nullptr, kBand, 92, 53, 79, 72, Combo},
            {"CATEGORY-MODE", 0, 9, 69, 73, 12, Label}, {nullptr, kMode, 92, 67, 79, 13, Line},
            {"CATEGORY-OVERLAY", 0, 9, 83, 78, 12, Label}, {nullptr, kOverlay, 91, 82, 80, 51, SortedCombo},
            {"CATEGORY-POWER", 0, 9, 100, 75, 11, Label}, {nullptr, kPower, 91, 97, 79, 51, SortedCombo},
            {"CATEGORY-TRANSMITTER", 0, 9, 113, 97, 9, Label},
            {nullptr, kTransmitter, 105, 112, 66, 49, SortedCombo},
            {"NAME", 0, 10, 130, 37, 11, Label}, {nullptr, kName, 55, 128, 191, 12, Line},
            {"ADDRESS", 0, 10, 144, 41, 11, Label}, {nullptr, kAddress, 55, 142, 191, 12, Multi},
            {"ADDRESS-CITY", 0, 10, 159, 56, 11, Label}, {nullptr, kCity, 69, 156, 177, 12, Multi},
            {"ADDRESS-POSTALCODE", 0, 10, 173, 87, 11, Label}, {nullptr, kPostalCode, 101, 171, 145, 12, Multi},
            {"ADDRESS-COUNTRY", 0, 9, 187, 87, 11, Label}, {nullptr, kCountry, 101, 186, 145, 12, Multi},
            {"OPERATORS", 0, 10, 202, 45, 11, Label}, {nullptr, kOperators, 55, 200, 191, 12, Line},
            {"CLUB", 0, 10, 216, 33, 11, Label}, {nullptr, kClub, 55, 214, 191, 12, Line},
            {"SOAPBOX", 0, 10, 240, 35, 16, Label}, {nullptr, kSoapBox, 55, 228, 191, 31, Soap},
            {"E-MAIL", 0, 10, 263, 36, 16, Label}, {nullptr, kEmail, 55, 261, 191, 12, Line},
            {nullptr, IDOK, 81, 281, 51, 21, Button}, {nullptr, IDCANCEL, 143, 281, 46, 21, Button},
        };
        for (const Item& item : items) {
            SCOPED_TRACE(item.label ? Text(item.label) : Format("id %d", item.id));
            HWND control = item.label ? d.ChildWithText(item.label) : d.Control(item.id);
            ASSERT_NE(control, nullptr);
            // The dialog manager scales position and size each on its own.
            RECT expected{item.x, item.y, item.w, item.h}, actual{};
            MapDialogRect(dialog, &expected);
            GetWindowRect(control, &actual);
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
            EXPECT_EQ(actual.left, expected.left);
            EXPECT_EQ(actual.top, expected.top);
            EXPECT_EQ(actual.right - actual.left, expected.right);
            // A combo box's height in the template is that of its open list.
            if (item.kind != Combo && item.kind != SortedCombo) {
                EXPECT_EQ(actual.bottom - actual.top, expected.bottom);
            }

            const LONG s = GetWindowLongA(control, GWL_STYLE);
            char className[32] = {};
            GetClassNameA(control, className, sizeof className);
            const bool multi = (s & ES_MULTILINE) != 0, wantReturn = (s & ES_WANTRETURN) != 0;
            switch (item.kind) {
            case Label:
                EXPECT_TRUE(EqualsNoCase(className, "Static"));
                break;
            case Line:
            case Scrolling:
                EXPECT_TRUE(EqualsNoCase(className, "Edit"));
                EXPECT_FALSE(multi);
                EXPECT_EQ((s & ES_AUTOHSCROLL) != 0, item.kind == Scrolling);
                break;
            case Multi:
            case Soap:
                EXPECT_TRUE(EqualsNoCase(className, "Edit"));
                EXPECT_TRUE(multi && wantReturn);
                EXPECT_EQ((s & WS_VSCROLL) != 0, item.kind == Soap);
                EXPECT_EQ((s & ES_AUTOVSCROLL) != 0, item.kind == Soap);
                break;
            case Combo:
            case SortedCombo:
                EXPECT_TRUE(EqualsNoCase(className, "ComboBox"));
                EXPECT_EQ(s & 3, CBS_DROPDOWN);  // editable drop-down
                EXPECT_EQ((s & CBS_SORT) != 0, item.kind == SortedCombo);
                break;
            case Button:
                EXPECT_TRUE(EqualsNoCase(className, "Button"));
                break;
            }
        }
        EXPECT_EQ(d.TextOf(IDOK), "OK");
        EXPECT_EQ(d.TextOf(IDCANCEL), "CANCEL");
        d.Click(IDCANCEL);
    });
}

TEST_F(CabrilloDialogTest, OkStoresTheHeaderAndWritesTheFileByteForByte) {
    Store("Address-City", "Lund");
    const Run run = Export("SM7XYZ", kLog, [](DialogWindow& d) {
        d.Type(kName, "Erik Svensson");
        d.Type(kAddress, "Box 1");
        d.Type(kPostalCode, "22100");
        d.Type(kCountry, "Sweden");
        d.Type(kOperators, "SM7XYZ SM7ABC");
        d.Type(kClub, "SARTG");
        d.Type(kEmail, "sm7xyz@example.org");
        d.Type(kSoapBox, "First line\rSecond line");  // Enter starts a new line
        EXPECT_EQ(d.TextOf(kSoapBox), "First line\r\nSecond line");
        d.Type(kClaimed, "99999999");  // editable, but the summary's score counts
        d.Click(IDOK);
    });
    ASSERT_EQ(run.messages, TextList{"File produced: SM7XYZ.cbr"});
    EXPECT_EQ(ReadFile("SM7XYZ.cbr"), Text("START-OF-LOG: 3.0\r\n"
                                           "CONTEST: SARTG-WW-RTTY\r\n"
                                           "CALLSIGN: SM7XYZ\r\n"
                                           "CATEGORY-OPERATOR: SINGLE-OP\r\n"
                                           "CATEGORY-BAND: ALL\r\n"
                                           "CATEGORY-POWER: HIGH\r\n"
                                           "CLAIMED-SCORE: 105\r\n"
                                           "CLUB: SARTG\r\n"
                                           "CREATED-BY: Vokt 2.19\r\n"
                                           "NAME: Erik Svensson\r\n"
                                           "ADDRESS: Box 1\r\n"
                                           "ADDRESS-CITY: Lund\r\n"
                                           "ADDRESS-POSTALCODE: 22100\r\n"
                                           "ADDRESS-COUNTRY: Sweden\r\n"
                                           "OPERATORS: SM7XYZ SM7ABC\r\n"
                                           "EMAIL: sm7xyz@example.org\r\n"
                                           "SOAPBOX: First line\r\n"
                                           "SOAPBOX: Second line\r\n") +
                                          kLogLines + "END-OF-LOG:\r\n");
    const struct {
        const char* key;
        const char* value;
    } keys[] = {
        {"Operators", "SM7XYZ SM7ABC"}, {"Name", "Erik Svensson"}, {"Address", "Box 1"},
        {"Address-City", "Lund"}, {"Address-PostalCode", "22100"}, {"Address-Country", "Sweden"},
        {"Category", "SINGLE-OP"}, {"Category_Overlay", ""}, {"Contest", "SARTG-WW-RTTY"},
        {"Email", "sm7xyz@example.org"}, {"Club", "SARTG"}, {"SoapBox", "First line<CR><LF>Second line"},
        {"Claimed", "105"},
    };
    for (const auto& k : keys) EXPECT_EQ(Stored(k.key), k.value) << k.key;

    // The next run shows what was stored, the soapbox as two lines again.
    Export("SM7XYZ", {}, [](DialogWindow& d) {
        EXPECT_EQ(d.TextOf(kSoapBox), "First line\r\nSecond line");
        EXPECT_EQ(d.TextOf(kOperators), "SM7XYZ SM7ABC");
        EXPECT_EQ(d.TextOf(kClaimed), "105");
        d.Click(IDCANCEL);
    });
}

TEST_F(CabrilloDialogTest, CategoryLinesFollowTheChoices) {
    struct Choice {
        int id;
        const char* value;
        bool typed;  // typed into the box, else picked from its list
    };
    struct Case {
        std::vector<Choice> choices;
        const char* shownBand;
        const char* lines;
        const char* storedCategory;
    } cases[] = {
        {{}, "ALL", "CATEGORY-OPERATOR: SINGLE-OP\r\nCATEGORY-BAND: ALL\r\nCATEGORY-POWER: HIGH\r\n", "SINGLE-OP"},
        {{{kBand, "20", false}}, "20M", "CATEGORY-OPERATOR: SINGLE-OP\r\nCATEGORY-BAND: 20M\r\n", "SINGLE-OP"},
        {{{kOperator, "CHECK", false}}, "ALL",
         "CATEGORY-OPERATOR: CHECKLOG\r\nCATEGORY-BAND: ALL\r\nCATEGORY-POWER: HIGH\r\n", "CHECKLOG"},
        {{{kOperator, "CHECK", false}, {kBand, "80", false}}, "80M",
         "CATEGORY-OPERATOR: CHECKLOG\r\nCATEGORY-BAND: 80M\r\n", "CHECKLOG"},
        {{{kOperator, "MULTI", false}}, "ALL", "CATEGORY-OPERATOR: MULTI-OP\r\nCATEGORY-TRANSMITTER: ONE\r\n",
         "MULTI-OP"},
        {{{kOperator, "MULTI", false}, {kBand, "15", false}, {kTransmitter, "UNL", false}}, "15M",
         "CATEGORY-OPERATOR: MULTI-OP\r\nCATEGORY-TRANSMITTER: UNLIMITED\r\n", "MULTI-OP"},
        {{{kPower, "L", false}}, "ALL", "CATEGORY-OPERATOR: SINGLE-OP\r\nCATEGORY-BAND: ALL\r\nCATEGORY-POWER: LOW\r\n",
         "SINGLE-OP"},
        // A word of one's own is taken back as typed (the box takes what fits
        // its width: it does not scroll sideways).
        {{{kOperator, "ASSISTED", true}}, "ALL",
         "CATEGORY-OPERATOR: ASSISTED\r\nCATEGORY-BAND: ALL\r\nCATEGORY-POWER: HIGH\r\n", "ASSISTED"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        DeleteFileA("SM7XYZ.cbr");
        const Run run = Export("SM7XYZ", kLog, [&](DialogWindow& d) {
            for (const Choice& choice : c.choices) {
                if (choice.typed) d.Type(choice.id, choice.value);
                else d.Pick(choice.id, choice.value);
            }
            EXPECT_EQ(d.Combo(kBand).shown, c.shownBand);
            d.Click(IDOK);
        });
        EXPECT_EQ(CategoryLines(ReadFile("SM7XYZ.cbr")), c.lines);
        EXPECT_EQ(Stored("Category"), c.storedCategory);
    }
}

TEST_F(CabrilloDialogTest, TheFileIsNamedAfterTheCall) {
    struct Case {
        const char* call;
        const char* file;
    } cases[] = {
        {"OH0/SM7XYZ/P", "OH0_SM7XYZ_P.cbr"},
        {"SM7XYZ\\MM", "SM7XYZ_MM.cbr"},
        {"", "KLUB.cbr"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        const Run run = Export(c.call, kLog, [&](DialogWindow& d) {
            EXPECT_EQ(d.TextOf(kCallsign), c.call);
            d.Click(IDOK);
        });
        EXPECT_EQ(run.messages, TextList{Text("File produced: ") + c.file});
        const Text file = ReadFile(c.file);
        EXPECT_NE(file.find(Text("\r\nCALLSIGN: ") + c.call + "\r\n"), Text::npos);
        EXPECT_NE(file.find(Format("QSO: 14085 RY 2017-08-19 0805 %-13s 599 001", c.call)), Text::npos);
    }
}

TEST_F(CabrilloDialogTest, ClosingTheDialog) {
    struct Case {
        const char* how;
        std::function<void(DialogWindow&)> close;
        bool confirmed;
    } cases[] = {
        {"OK button", [](DialogWindow& d) { d.Click(IDOK); }, true},
        {"Enter", [](DialogWindow& d) { d.PressKey(kCallsign, VK_RETURN); }, true},
        {"CANCEL button", [](DialogWindow& d) { d.Click(IDCANCEL); }, false},
        {"Esc", [](DialogWindow& d) { d.PressKey(kCallsign, VK_ESCAPE); }, false},
        {"close box", [](DialogWindow& d) { d.CloseBox(); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        DeleteFileA("SM7XYZ.cbr");
        DeleteFileA(kIni);
        Store("Name", "Erik");
        const Text before = ReadFile(kIni);
        const Run run = Export("SM7XYZ", kLog, [&](DialogWindow& d) {
            d.Type(kName, "Changed");
            c.close(d);
        });
        EXPECT_EQ(FileExists("SM7XYZ.cbr"), c.confirmed);
        EXPECT_EQ(run.messages.size(), c.confirmed ? 1u : 0u);
        if (c.confirmed) {
            EXPECT_EQ(Stored("Name"), "Changed");
        } else {
            EXPECT_EQ(run.settingsAfterReset, before);  // the settings as they were
        }
    }
}

TEST_F(CabrilloDialogTest, AFileThatCannotBeCreatedIsReportedAsSuch) {
    ASSERT_TRUE(CreateDirectoryA("SM7XYZ.cbr", nullptr));  // a folder in the way
    const Run run = Export("SM7XYZ", kLog, [](DialogWindow& d) { d.Click(IDOK); });
    ASSERT_EQ(run.messages.size(), 1u);
    const Text& message = run.messages[0];
    const Text start = "File not produced: SM7XYZ.cbr\nThe file cannot be created: ";
    EXPECT_EQ(message.substr(0, start.size()), start) << message;
    EXPECT_GT(message.size(), start.size()) << "the reason is missing";
}

TEST_F(CabrilloDialogTest, ARepeatedSummaryWritesEveryQsoOnce) {
    const Run run = Export("SM7XYZ", kLog, [](DialogWindow& d) { d.Click(IDOK); }, 2);
    EXPECT_EQ(run.messages, (TextList{"File produced: SM7XYZ.cbr", "File produced: SM7XYZ.cbr"}));
    const Text file = ReadFile("SM7XYZ.cbr");
    const size_t from = file.find("QSO: ");
    ASSERT_NE(from, Text::npos);
    EXPECT_EQ(file.substr(from), Text(kLogLines) + "END-OF-LOG:\r\n");
}

TEST_F(CabrilloDialogTest, LongHeaderValuesArriveInFull) {
    // 150 characters in stored form, 120 in the name.
    const Text a(60, 'a'), b(60, 'b'), c(14, 'c'), name(120, 'n');
    Store("SoapBox", a + "<CR><LF>" + b + "<CR><LF>" + c);
    Store("Name", name);
    const Run run = Export("SM7XYZ", {}, [&](DialogWindow& d) {
        EXPECT_EQ(d.TextOf(kSoapBox), a + "\r\n" + b + "\r\n" + c);
        EXPECT_EQ(d.TextOf(kName), name);
        d.Click(IDOK);
    });
    EXPECT_EQ(Stored("SoapBox"), a + "<CR><LF>" + b + "<CR><LF>" + c);
    EXPECT_EQ(Stored("Name"), name);
    const Text file = ReadFile("SM7XYZ.cbr");
    EXPECT_NE(file.find("\r\nNAME: " + name + "\r\n"), Text::npos);
    EXPECT_NE(file.find("\r\nSOAPBOX: " + a + "\r\nSOAPBOX: " + b + "\r\nSOAPBOX: " + c + "\r\n"), Text::npos);
}

TEST_F(CabrilloDialogTest, LineBreaksInTheAddressFieldsBecomeBlanks) {
    // The address fields are multi-line edits one line high: a typed Enter or
    // a pasted second line finds no room, but a text set by a program keeps
    // its line break. Whatever the field holds, the settings value and the
    // tag stay one line.
    struct Case {
        const char* how;
        std::function<void(DialogWindow&)> enter;
        bool holdsBreak;  // the field shows a line break when OK is pressed
    } cases[] = {
        {"typed", [](DialogWindow& d) { d.Type(kAddress, "Storgatan 1\rLgh 1102"); }, false},
        {"pasted", [](DialogWindow& d) { d.Paste(kAddress, "Storgatan 1\r\nLgh 1102"); }, false},
        {"set", [](DialogWindow& d) { d.SetText(kAddress, "Storgatan 1\r\nLgh 1102"); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        Text shown;
        Export("SM7XYZ", {}, [&](DialogWindow& d) {
            c.enter(d);
            d.SetText(kCity, "\r\nLund\r\n");
            shown = d.TextOf(kAddress);
            d.Click(IDOK);
        });
        EXPECT_EQ(shown.find("\r\n") != Text::npos, c.holdsBreak) << shown;
        if (Text(c.how) == "pasted" && shown.find_first_not_of("Storgatan 1\r\nLgh 1102") != Text::npos) {
            // Seen under 64-bit Wine on fresh machines: the edit control left
            // bytes after the pasted text that were never pasted. What the
            // plug-in does with a field's text is checked by the other cases.
            std::printf("note: the pasted case is not judged, the edit control added bytes: %s\n",
                        testing::PrintToString(shown).c_str());
            continue;
        }
        Text oneLine = shown;
        const size_t br = oneLine.find("\r\n");
        if (br != Text::npos) oneLine.replace(br, 2, " ");
        EXPECT_EQ(Stored("Address"), oneLine);
        EXPECT_EQ(Stored("Address-City"), "Lund");
        const Text file = ReadFile("SM7XYZ.cbr");
        EXPECT_NE(file.find("\r\nADDRESS: " + oneLine + "\r\nADDRESS-CITY: Lund\r\nADDRESS-POSTALCODE: \r\n"),
                  Text::npos)
            << file;
        EXPECT_EQ(ReadFile(kIni).find("\nLgh"), Text::npos);
    }
}

TEST_F(CabrilloDialogTest, AListValueSelectsTheItemItBegins) {
    // The overlay box is disabled: its value comes from the last confirmed
    // run. A value that begins an item ("wi") selects that item next time.
    Export("SM7XYZ", {}, [](DialogWindow& d) {
        d.SetText(kOverlay, "wi");
        d.Click(IDOK);
    });
    EXPECT_EQ(Stored("Category_Overlay"), "wi");
    Export("SM7XYZ", {}, [](DialogWindow& d) {
        const ComboView overlay = d.Combo(kOverlay);
        EXPECT_EQ(overlay.selected, 0);
        EXPECT_EQ(overlay.shown, "WIRES");
        d.Click(IDOK);
    });
    EXPECT_EQ(Stored("Category_Overlay"), "WIRES");
}

}  // namespace
