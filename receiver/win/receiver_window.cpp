// The Receiver window: the host and port boxes, a status line that shows at
// once whether what they name answers (the program's one link is re-targeted
// as they change), and an Exit button; Escape stores the boxes like Exit.
#include "receiver/win/receiver_window.h"

#include <string>

#include "receiver/receiver_link.h"
#include "receiver/win/receiver_window_ids.h"
#include "records/text_trim.h"
#include "settings/settings_file.h"
#include "ui/control_table.h"
#include "ui/control_text.h"
#include "ui/modal_window.h"
#include "ui/scale.h"

namespace {

constexpr const char* kWindowTitle = "Receiver";
constexpr const char* kWindowFont = "Courier";
constexpr WORD kWindowPoints = 8;
constexpr DWORD kWindowStyle = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_CENTER;
constexpr int kClientWidth = 300;  // scaled
constexpr int kClientHeight = 76;  // scaled
constexpr DWORD kHostBoxStyle = ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kPortBoxStyle = ES_LEFT | ES_NUMBER | WS_BORDER | WS_TABSTOP;
constexpr DWORD kStatusStyle = SS_LEFT | SS_NOPREFIX;
constexpr UINT_PTR kPumpTimer = 1;
constexpr UINT kPumpPeriodMs = 100;
constexpr const char* kBadHost = "a host name has no blanks, quotes or commas";

struct ReceiverWindowState {
    std::string PortText;  // the port as the box first shows it
    int Port = 0;          // the last possible port the box held
    std::string Status;    // as last shown
    bool HostRefused = false;
};

ReceiverWindowState g_receiver;

void AddControls(HWND dialog) {
    const ControlRow rows[] = {
        {kIdLabelHost, "STATIC", "Host:", SS_LEFT, 0, U(5), U(8), U(30), U(10)},
        {kIdEditHost, "EDIT", Settings.ReceiverHost.c_str(), kHostBoxStyle, 0, U(40), U(7), U(150), U(12)},
        {kIdLabelPort, "STATIC", "Port:", SS_LEFT, 0, U(5), U(26), U(30), U(10)},
        {kIdEditPort, "EDIT", g_receiver.PortText.c_str(), kPortBoxStyle, 0, U(40), U(25), U(36), U(12)},
        {kIdLabelStatus, "STATIC", "Status:", SS_LEFT, 0, U(5), U(44), U(34), U(10)},
        {kIdLabelReceiverStatus, "STATIC", "", kStatusStyle, 0, U(40), U(44), U(255), U(28)},
        {kIdButtonExit, "BUTTON", "E&xit", BS_PUSHBUTTON | WS_TABSTOP, 0, U(260), U(7), U(30), U(20)},
    };
    AddControlTable(dialog, rows);
}

// The host as typed, without blanks around it; false when it cannot be a host.
bool TypedHost(HWND dialog, std::string* host) {
    *host = std::string(Trimmed(ControlText(dialog, kIdEditHost)));
    if (host->empty()) return true;
    std::string parsed;
    int port = 0;
    return ParseReceiverAddress(*host + ":1", &parsed, &port);
}

// An empty port box is the usual port; an impossible one keeps the port set before.
int TypedPort(HWND dialog) {
    ParseReceiverPort(ControlText(dialog, kIdEditPort), &g_receiver.Port);
    return g_receiver.Port;
}

void ShowStatus(HWND dialog) {
    std::string status = g_receiver.HostRefused ? kBadHost : ReceiverStatus(Receiver);
    if (status == g_receiver.Status) return;
    g_receiver.Status = status;
    SetDlgItemTextA(dialog, kIdLabelReceiverStatus, status.c_str());
}

void OnBoxChanged(HWND dialog) {
    std::string host;
    g_receiver.HostRefused = !TypedHost(dialog, &host);
    if (!g_receiver.HostRefused) RetargetReceiver(&Receiver, host, TypedPort(dialog), ReceiverClockNow());
    ShowStatus(dialog);
}

void OnPumpTick(HWND dialog) {
    PumpReceiver(&Receiver, ReceiverClockNow());
    ShowStatus(dialog);
}

// The boxes become the setting; an impossible host keeps the one set before,
// and the link follows the setting kept.
void OnExit(HWND dialog) {
    std::string host;
    if (TypedHost(dialog, &host)) Settings.ReceiverHost = host;
    Settings.ReceiverPort = TypedPort(dialog);
    RetargetReceiver(&Receiver, Settings.ReceiverHost, Settings.ReceiverPort, ReceiverClockNow());
    KillTimer(dialog, kPumpTimer);
    EndModal(dialog, 0);
}

void OnCommand(HWND dialog, int id, int code) {
    switch (id) {
        case kIdButtonExit: OnExit(dialog); break;
        case kIdEditHost:
        case kIdEditPort:
            if (code == EN_CHANGE) OnBoxChanged(dialog);
            break;
        default: break;
    }
}

bool OnMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM, INT_PTR*) {
    switch (message) {
        case WM_COMMAND: OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)); return true;
        case WM_TIMER: OnPumpTick(dialog); return true;
        default: return false;
    }
}

void OpenWindow(HWND dialog) {
    AddControls(dialog);
    OnBoxChanged(dialog);
    SetTimer(dialog, kPumpTimer, kPumpPeriodMs, nullptr);
}

}  // namespace

void ShowReceiverWindow(HWND owner) {
    g_receiver = ReceiverWindowState{};
    g_receiver.PortText = std::to_string(Settings.ReceiverPort);
    g_receiver.Port = Settings.ReceiverPort;
    ModalWindow window;
    window.Form = {kWindowTitle,         kWindowFont,          kWindowPoints, kWindowStyle, 0, 0,
                   Scaled(kClientWidth), Scaled(kClientHeight)};
    window.Open = OpenWindow;
    window.FirstFocus = kIdEditHost;
    window.CloseEnds = false;  // Close stores like Exit
    window.Messages = OnMessage;
    ShowModalWindow(window, owner);
    g_receiver = ReceiverWindowState{};
}
