// Our dialog layer: a window bound to a dialog template, run modally or
// modelessly, with its messages and control notifications routed to handler
// functions and its member fields exchanged with its controls.
//
// A dialog class derives from `Dialog`, names its template in the
// constructor, routes what it handles there and lists its fields in
// `DoDataExchange`:
//
//     Setup::Setup() : Dialog(ModuleInstance(), IDD_SETUP) {
//         RouteCommand(IDC_SETUP_DXCC, [this] { OnShowDxcc(); });
//         RouteMessage(WM_SETCURSOR, [this](WPARAM, LPARAM) { SavePosition(); return kDefault; });
//         RouteControlColor([this](HDC dc, HWND) { return m_brush.Get(); });
//     }
//     void Setup::DoDataExchange(DataExchange& dx) { dx.Check(IDC_SETUP_DXCC, m_showDxcc); }
//
// Everything runs on the thread that owns the window. No exception leaves a
// handler: the dialog procedure stops it, the message counts as not handled,
// and a modal dialog ends with `kFailed`.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <utility>

#include "platform/text.h"

// Resource type of a dialog's initial data, stored under the dialog's own
// id: a list of entries (control id as a 16-bit word, request as a word,
// length of the data as a 32-bit word, the data) ending with a zero word.
// Request 0x0403 adds the zero-terminated text to a combo box, 0x0401 to a
// list box; others are skipped.
constexpr WORD kDialogInitResourceType = 240;

// Moves values between a dialog's fields and its controls, in one direction
// per pass. A control that does not exist leaves its field alone.
class DataExchange {
public:
    enum class Direction { ToControls, FromControls };

    DataExchange(HWND dialog, Direction direction) : m_dialog(dialog), m_direction(direction) {}
    bool ToControls() const { return m_direction == Direction::ToControls; }

    // An edit or any control with a text: the field becomes the text, or the
    // whole text becomes the field.
    void Edit(int id, Text& value);
    // A check box: 0 unchecked, 1 checked, 2 indeterminate.
    void Check(int id, int& value);
    // A combo box. To the control: the first item that begins with the value,
    // ignoring ASCII case, is selected; an empty value or one that begins no
    // item selects nothing and stands in the edit part as it is. From the
    // control: the text the box shows.
    void List(int id, Text& value);

private:
    HWND Item(int id) const { return GetDlgItem(m_dialog, id); }

    HWND m_dialog;
    Direction m_direction;
};

class Dialog {
public:
    // What a message handler answers: a result, or kDefault for the system's
    // own processing of the message.
    using Reply = std::optional<LRESULT>;
    static constexpr std::nullopt_t kDefault = std::nullopt;
    // The result of a modal run that could not start or whose handler failed.
    static constexpr INT_PTR kFailed = -1;

    Dialog(HINSTANCE resources, int templateId) : m_resources(resources), m_templateId(templateId) {}
    // A modeless window that is still open is destroyed with its object.
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally and returns the code it ended with (IDOK,
    // IDCANCEL...), or kFailed. Without an owner the dialog is owned by the
    // calling thread's active top-level window, if any, which is disabled
    // while the dialog runs.
    INT_PTR RunModal();
    INT_PTR RunModal(HWND owner);
    // Creates the window modelessly (hidden unless the template says
    // WS_VISIBLE); false when it could not be created.
    bool Create(HWND owner = nullptr);

    HWND Handle() const { return m_window; }
    bool IsOpen() const { return m_window != nullptr; }
    HWND Item(int id) const { return m_window ? GetDlgItem(m_window, id) : nullptr; }

    // Ends the dialog: a modal one returns `result` from RunModal, a
    // modeless one is destroyed.
    void End(INT_PTR result);

    // The fields to the controls, or the controls to the fields.
    void PushToControls() { Exchange(DataExchange::Direction::ToControls); }
    void PullFromControls() { Exchange(DataExchange::Direction::FromControls); }

protected:
    // The field list, run by PushToControls and PullFromControls.
    virtual void DoDataExchange(DataExchange&) {}
    // The window exists and its initial lists are filled. By default the
    // fields go to the controls. True lets the system set the focus.
    virtual bool OnInitDialog();
    // OK (button IDOK or Enter): by default the controls to the fields, then
    // End(IDOK).
    virtual void OnOK();
    // Cancel (button IDCANCEL, Esc or the close box): by default End(IDCANCEL).
    virtual void OnCancel();

    // ---- Routing: call these in the constructor ------------------------------
    // A window message. WM_INITDIALOG, WM_COMMAND and WM_NOTIFY have routes
    // of their own (OnInitDialog, RouteCommand, RouteNotify).
    void RouteMessage(UINT message, std::function<Reply(WPARAM, LPARAM)> handler);
    // A command from a control or menu: `code` is the notification code
    // (BN_CLICKED for a button click, CBN_SELCHANGE, EN_CHANGE...).
    void RouteCommand(int id, WORD code, std::function<void()> handler);
    void RouteCommand(int id, std::function<void()> handler) { RouteCommand(id, BN_CLICKED, std::move(handler)); }
    // A WM_NOTIFY from a common control.
    void RouteNotify(int id, UINT code, std::function<Reply(const NMHDR&)> handler);
    // Every WM_CTLCOLOR* message (dialog, static, edit, button, list box,
    // scroll bar, message box): the handler gets the device context and the
    // control (the dialog itself for WM_CTLCOLORDLG) and returns the brush to
    // paint with, or null for the system's default.
    void RouteControlColor(std::function<HBRUSH(HDC, HWND)> handler);
    // WM_DRAWITEM of one owner-drawn control.
    void RouteDrawItem(int id, std::function<void(const DRAWITEMSTRUCT&)> handler);

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    // The result of a handled message as the dialog procedure gives it back.
    INT_PTR Handled(UINT message, LRESULT result);
    void FillInitialLists();
    void Exchange(DataExchange::Direction direction);

    HINSTANCE m_resources;
    int m_templateId;
    HWND m_window = nullptr;
    bool m_modal = false;
    std::map<UINT, std::function<Reply(WPARAM, LPARAM)>> m_messages;
    std::map<std::pair<int, WORD>, std::function<void()>> m_commands;
    std::map<std::pair<int, UINT>, std::function<Reply(const NMHDR&)>> m_notifications;
    std::function<HBRUSH(HDC, HWND)> m_controlColor;
    std::map<int, std::function<void(const DRAWITEMSTRUCT&)>> m_drawItems;
};
