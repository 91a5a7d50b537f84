// Our dialog layer (platform/win32/dialog.h) on a real template: the
// plug-in's header editor, 101, loaded from Stats.dll. The dialog runs
// modelessly on the test's own thread, so every message is handled before
// SendMessage returns; the modal path ends itself from its own handlers.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

#include "platform/win32/dialog.h"
#include "platform/win32/handles.h"

namespace {

constexpr int kTemplate = 101;
constexpr int kCallsign = 1010, kSoapBox = 1001, kOperator = 1012, kBand = 1013, kOverlay = 1020;
constexpr int kBox = 4000;      // a three-state check box the test adds
constexpr int kThrower = 4001;  // a button whose handler throws

class TestDialog : public Dialog {
public:
    explicit TestDialog(HINSTANCE resources) : Dialog(resources, kTemplate) {
        RouteCommand(kThrower, [] { throw std::runtime_error("handler failed"); });
        RouteCommand(kCallsign, EN_CHANGE, [this] { ++m_changes; });
        RouteControlColor([this](HDC, HWND control) { return control == Item(kCallsign) ? m_brush.Get() : nullptr; });
        RouteMessage(WM_APP, [](WPARAM w, LPARAM) -> Reply {
            if (w == 0) return kDefault;
            return static_cast<LRESULT>(w * 2);
        });
    }

    Text m_callsign, m_soapBox, m_operator, m_band, m_overlay;
    int m_box = 0;
    int m_changes = 0;
    bool m_throwAtInit = false;
    bool m_okAtInit = false;
    Brush m_brush = SolidBrush(RGB(255, 250, 198));

protected:
    void DoDataExchange(DataExchange& dx) override {
        dx.Edit(kCallsign, m_callsign);
        dx.Edit(kSoapBox, m_soapBox);
        dx.List(kOperator, m_operator);
        dx.List(kBand, m_band);
        dx.List(kOverlay, m_overlay);
        dx.Check(kBox, m_box);
    }
    bool OnInitDialog() override {
        if (m_throwAtInit) throw std::runtime_error("init failed");
        CreateWindowA("BUTTON", "box", WS_CHILD | BS_AUTO3STATE, 0, 0, 40, 10, Handle(),
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kBox)), nullptr, nullptr);
        CreateWindowA("BUTTON", "throw", WS_CHILD | BS_PUSHBUTTON, 0, 0, 40, 10, Handle(),
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kThrower)), nullptr, nullptr);
        const bool focus = Dialog::OnInitDialog();
        if (m_okAtInit) PostMessageA(Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return focus;
    }
};

Text TextOf(HWND window) {
    char buffer[1024] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

class DialogLayerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const char* path = std::getenv("STATS_DLL");
        s_module = LoadLibraryA(path && *path ? path : "Stats.dll");
    }
    static void TearDownTestSuite() {
        if (s_module) FreeLibrary(s_module);
    }
    void SetUp() override {
        ASSERT_TRUE(std::getenv("DISPLAY")) << "the dialog tests need an X server: start Xvfb and set DISPLAY";
        ASSERT_NE(s_module, nullptr);
    }
    static HMODULE s_module;
};
HMODULE DialogLayerTest::s_module = nullptr;

TEST_F(DialogLayerTest, TheTemplateListsAreFilledWhenTheDialogOpens) {
    TestDialog dialog(s_module);
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(SendMessageA(dialog.Item(kBand), CB_GETCOUNT, 0, 0), 6);
    EXPECT_EQ(SendMessageA(dialog.Item(kOperator), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(dialog.Item(kOverlay), CB_GETCOUNT, 0, 0), 1);
}

TEST_F(DialogLayerTest, AListValueSelectsTheFirstItemItBegins) {
    struct Case {
        const char* value;
        int selected;
        const char* shown;
    } cases[] = {
        {"20", 3, "20M"},    {"20m", 3, "20M"},   {"ALL", 0, "ALL"},  {"a", 0, "ALL"},
        {"1", 4, "15M"},     // the first of "15M" and "10M"
        {"20M+", -1, "20M+"}, {"M", -1, "M"},      {"FREE WORD", -1, "FREE WORD"},
        {"", -1, ""},        // an empty value selects nothing
    };
    TestDialog dialog(s_module);
    ASSERT_TRUE(dialog.Create());
    HWND band = dialog.Item(kBand);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        SendMessageA(band, CB_SETCURSEL, 2, 0);  // something else before
        dialog.m_band = c.value;
        dialog.PushToControls();
        EXPECT_EQ(SendMessageA(band, CB_GETCURSEL, 0, 0), c.selected);
        EXPECT_EQ(TextOf(band), c.shown);
        dialog.m_band = "stale";
        dialog.PullFromControls();
        EXPECT_EQ(dialog.m_band, c.shown);  // back from the control: the text shown
    }
}

TEST_F(DialogLayerTest, TextsAndCheckBoxesGoBothWays) {
    TestDialog dialog(s_module);
    dialog.m_callsign = "SM7XYZ";
    dialog.m_soapBox = Text(300, 'x') + "\r\nline two";
    dialog.m_box = 1;
    ASSERT_TRUE(dialog.Create());  // opening pushes the fields
    EXPECT_EQ(TextOf(dialog.Item(kCallsign)), "SM7XYZ");
    EXPECT_EQ(SendMessageA(dialog.Item(kBox), BM_GETCHECK, 0, 0), BST_CHECKED);

    SetWindowTextA(dialog.Item(kCallsign), "OH2BH");
    for (int state : {BST_UNCHECKED, BST_INDETERMINATE, BST_CHECKED}) {
        SendMessageA(dialog.Item(kBox), BM_SETCHECK, static_cast<WPARAM>(state), 0);
        dialog.PullFromControls();
        EXPECT_EQ(dialog.m_box, state);
    }
    EXPECT_EQ(dialog.m_callsign, "OH2BH");
    EXPECT_EQ(dialog.m_soapBox, Text(300, 'x') + "\r\nline two");  // longer than any fixed buffer
}

TEST_F(DialogLayerTest, MessagesReachTheirRoutes) {
    TestDialog dialog(s_module);
    ASSERT_TRUE(dialog.Create());
    HWND window = dialog.Handle();
    const int before = dialog.m_changes;
    SetWindowTextA(dialog.Item(kCallsign), "DL1ABC");  // the edit notifies EN_CHANGE
    EXPECT_EQ(dialog.m_changes, before + 1);

    HWND callsign = dialog.Item(kCallsign), name = dialog.Item(1007);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(SendMessageA(window, WM_CTLCOLOREDIT, 0, reinterpret_cast<LPARAM>(callsign))),
              dialog.m_brush.Get());
    EXPECT_NE(reinterpret_cast<HBRUSH>(SendMessageA(window, WM_CTLCOLOREDIT, 0, reinterpret_cast<LPARAM>(name))),
              dialog.m_brush.Get());  // null from the route: the system's own colours

    // A result through DWLP_MSGRESULT, or the default processing.
    EXPECT_EQ(SendMessageA(window, WM_APP, 21, 0), 42);
    EXPECT_EQ(SendMessageA(window, WM_APP, 0, 0), 0);
}

TEST_F(DialogLayerTest, AThrowingHandlerIsStoppedAtTheDialogProcedure) {
    TestDialog dialog(s_module);
    ASSERT_TRUE(dialog.Create());
    SendMessageA(dialog.Handle(), WM_COMMAND, MAKEWPARAM(kThrower, BN_CLICKED),
                 reinterpret_cast<LPARAM>(dialog.Item(kThrower)));
    EXPECT_TRUE(IsWindow(dialog.Handle()));  // a modeless dialog carries on

    TestDialog modal(s_module);
    modal.m_throwAtInit = true;
    EXPECT_EQ(modal.RunModal(nullptr), Dialog::kFailed);
    EXPECT_FALSE(modal.IsOpen());
}

TEST_F(DialogLayerTest, OkEndsAModalDialogWithTheFieldsTakenBack) {
    TestDialog dialog(s_module);
    dialog.m_band = "40";
    dialog.m_okAtInit = true;
    EXPECT_EQ(dialog.RunModal(nullptr), IDOK);
    EXPECT_EQ(dialog.m_band, "40M");
    EXPECT_FALSE(dialog.IsOpen());
}

TEST_F(DialogLayerTest, AModelessWindowGoesWithItsObject) {
    HWND window;
    {
        TestDialog dialog(s_module);
        ASSERT_TRUE(dialog.Create());
        window = dialog.Handle();
        EXPECT_TRUE(IsWindow(window));
        EXPECT_FALSE(dialog.Create());  // one window per object
    }
    EXPECT_FALSE(IsWindow(window));
}

}  // namespace
