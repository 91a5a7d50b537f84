#include "platform/win32/dialog.h"

#include <cstring>
#include <vector>

namespace {

// Requests of the initial-data resource and the messages they stand for.
constexpr WORD kInitListBoxAddString = 0x0401;
constexpr WORD kInitComboBoxAddString = 0x0403;

Text WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    if (length <= 0) return Text();
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, buffer.data(), length + 1);
    return Text(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

Text ComboItemText(HWND combo, int index) {
    const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR || length <= 0) return Text();
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied =
        SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
    return copied == CB_ERR ? Text() : Text(buffer.data(), static_cast<size_t>(copied));
}

bool BeginsWithNoCase(const Text& text, const Text& prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

// Messages whose result the dialog procedure returns itself instead of
// through DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message) {
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
        return true;
    default:
        return false;
    }
}

bool IsControlColor(UINT message) { return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC; }

}  // namespace

// ---- DataExchange ----------------------------------------------------------

void DataExchange::Edit(int id, Text& value) {
    HWND control = Item(id);
    if (!control) return;
    if (ToControls()) SetWindowTextA(control, value.c_str());
    else value = WindowText(control);
}

void DataExchange::Check(int id, int& value) {
    HWND control = Item(id);
    if (!control) return;
    if (ToControls()) {
        const WPARAM state = value == 1 ? BST_CHECKED : value == 2 ? BST_INDETERMINATE : BST_UNCHECKED;
        SendMessageA(control, BM_SETCHECK, state, 0);
    } else {
        const LRESULT state = SendMessageA(control, BM_GETCHECK, 0, 0);
        value = state == BST_CHECKED ? 1 : state == BST_INDETERMINATE ? 2 : 0;
    }
}

void DataExchange::List(int id, Text& value) {
    HWND combo = Item(id);
    if (!combo) return;
    if (!ToControls()) {
        value = WindowText(combo);
        return;
    }
    if (!value.empty()) {
        const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
        for (int i = 0; i < count; ++i)
            if (BeginsWithNoCase(ComboItemText(combo, i), value)) {
                SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
                return;
            }
    }
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SetWindowTextA(combo, value.c_str());
}

// ---- Dialog ------------------------------------------------------------------

Dialog::~Dialog() {
    // The derived parts are gone already: detach before the window goes, so
    // that no handler runs for its last messages.
    if (!m_window) return;
    HWND window = std::exchange(m_window, nullptr);
    SetWindowLongPtrA(window, DWLP_USER, 0);
    if (!m_modal) DestroyWindow(window);
}

INT_PTR Dialog::RunModal() {
    HWND active = GetActiveWindow();
    return RunModal(active ? GetAncestor(active, GA_ROOT) : nullptr);
}

INT_PTR Dialog::RunModal(HWND owner) {
    if (m_window) return kFailed;
    m_modal = true;
    const INT_PTR result = DialogBoxParamA(m_resources, MAKEINTRESOURCEA(m_templateId), owner, &Dialog::DialogProc,
                                           reinterpret_cast<LPARAM>(this));
    m_modal = false;
    m_window = nullptr;
    return result;
}

bool Dialog::Create(HWND owner) {
    if (m_window) return false;
    m_modal = false;
    return CreateDialogParamA(m_resources, MAKEINTRESOURCEA(m_templateId), owner, &Dialog::DialogProc,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

void Dialog::End(INT_PTR result) {
    if (!m_window) return;
    if (m_modal) EndDialog(m_window, result);
    else DestroyWindow(m_window);
}

bool Dialog::OnInitDialog() {
    PushToControls();
    return true;
}

void Dialog::OnOK() {
    PullFromControls();
    End(IDOK);
}

void Dialog::OnCancel() { End(IDCANCEL); }

void Dialog::RouteMessage(UINT message, std::function<Reply(WPARAM, LPARAM)> handler) {
    m_messages[message] = std::move(handler);
}

void Dialog::RouteCommand(int id, WORD code, std::function<void()> handler) {
    m_commands[{id, code}] = std::move(handler);
}

void Dialog::RouteNotify(int id, UINT code, std::function<Reply(const NMHDR&)> handler) {
    m_notifications[{id, code}] = std::move(handler);
}

void Dialog::RouteControlColor(std::function<HBRUSH(HDC, HWND)> handler) { m_controlColor = std::move(handler); }

void Dialog::RouteDrawItem(int id, std::function<void(const DRAWITEMSTRUCT&)> handler) {
    m_drawItems[id] = std::move(handler);
}

void Dialog::Exchange(DataExchange::Direction direction) {
    if (!m_window) return;
    DataExchange dx(m_window, direction);
    DoDataExchange(dx);
}

void Dialog::FillInitialLists() {
    HRSRC found = FindResourceA(m_resources, MAKEINTRESOURCEA(m_templateId), MAKEINTRESOURCEA(kDialogInitResourceType));
    if (!found) return;
    HGLOBAL loaded = LoadResource(m_resources, found);
    const auto* data = static_cast<const unsigned char*>(loaded ? LockResource(loaded) : nullptr);
    const size_t size = SizeofResource(m_resources, found);
    if (!data) return;
    size_t pos = 0;
    while (pos + 8 <= size) {
        WORD id, request;
        DWORD length;
        std::memcpy(&id, data + pos, 2);
        if (id == 0) break;
        std::memcpy(&request, data + pos + 2, 2);
        std::memcpy(&length, data + pos + 4, 4);
        pos += 8;
        if (length > size - pos) break;
        Text item(reinterpret_cast<const char*>(data + pos), length);
        pos += length;
        const size_t end = item.find('\0');
        if (end != Text::npos) item.resize(end);
        UINT message = 0;
        if (request == kInitComboBoxAddString) message = CB_ADDSTRING;
        else if (request == kInitListBoxAddString) message = LB_ADDSTRING;
        if (message) SendDlgItemMessageA(m_window, id, message, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
}

INT_PTR Dialog::Handled(UINT message, LRESULT result) {
    if (ReturnsResultDirectly(message)) return static_cast<INT_PTR>(result);
    SetWindowLongPtrA(m_window, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        FillInitialLists();
        return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const WORD code = HIWORD(wParam);
        auto route = m_commands.find({id, code});
        if (route != m_commands.end()) {
            route->second();
            return TRUE;
        }
        if (code == BN_CLICKED && id == IDOK) {
            OnOK();
            return TRUE;
        }
        if (code == BN_CLICKED && id == IDCANCEL) {
            OnCancel();
            return TRUE;
        }
        return FALSE;
    }
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (!header) return FALSE;
        auto route = m_notifications.find({static_cast<int>(header->idFrom), header->code});
        if (route == m_notifications.end()) return FALSE;
        const Reply reply = route->second(*header);
        return reply ? Handled(message, *reply) : FALSE;
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        auto route = item ? m_drawItems.find(static_cast<int>(item->CtlID)) : m_drawItems.end();
        if (route != m_drawItems.end()) {
            route->second(*item);
            return Handled(message, TRUE);
        }
        break;
    }
    default:
        break;
    }
    if (IsControlColor(message) && m_controlColor) {
        HWND control = message == WM_CTLCOLORDLG ? m_window : reinterpret_cast<HWND>(lParam);
        HBRUSH brush = m_controlColor(reinterpret_cast<HDC>(wParam), control);
        return brush ? Handled(message, reinterpret_cast<LRESULT>(brush)) : FALSE;
    }
    auto route = m_messages.find(message);
    if (route == m_messages.end()) return FALSE;
    const Reply reply = route->second(wParam, lParam);
    return reply ? Handled(message, *reply) : FALSE;
}

INT_PTR CALLBACK Dialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* self;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        if (self) self->m_window = window;
    } else {
        self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(window, DWLP_USER));
    }
    if (!self) return FALSE;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, DWLP_USER, 0);
        self->m_window = nullptr;
        return FALSE;
    }
    try {
        return self->Dispatch(message, wParam, lParam);
    } catch (...) {
        // Nothing may reach the system's code (and from there the host): the
        // message counts as not handled, and a modal dialog gives up.
        if (self->m_modal && self->m_window) EndDialog(window, kFailed);
        return FALSE;
    }
}
