#include "logging/win/receiver_follow_view.h"

#include "logging/win/logging_window_ids.h"
#include "receiver/receiver_link.h"
#include "settings/settings_file.h"
#include "ui/control_table.h"
#include "ui/control_text.h"
#include "ui/scale.h"

namespace {

constexpr UINT_PTR kReceiverTimer = 2;
// Often enough that a change shows well within half a second; the link itself
// polls the receiver at its own pace.
constexpr UINT kReceiverPeriodMs = 100;
constexpr DWORD kStatusStyle = SS_LEFTNOWORDWRAP | SS_NOPREFIX;

void ShowStatus(HWND window, LoggingReceiverState* state) {
    std::string status = ReceiverStatus(Receiver);
    if (state->Follow.Paused && Receiver.Protocol.Phase == LinkPhase::Connected) status += " - paused";
    if (status == state->Status) return;
    state->Status = status;
    SetDlgItemTextA(window, kIdLabelReceiverStatus, status.c_str());
}

}  // namespace

void AddReceiverControls(HWND window, LoggingReceiverState* state) {
    if (Settings.ReceiverHost.empty()) return;
    // Tune beside the form, right of Log On; the status on the form's last row,
    // under Remarks, where it covers nothing at 640 x 480.
    const ControlRow rows[] = {
        {kIdButtonTune, "BUTTON", "&Tune", BS_PUSHBUTTON | BS_CENTER, 0, S(265), S(178), U(36), U(13)},
        {kIdLabelReceiverStatus, "STATIC", "", kStatusStyle, 0, U(7), S(247), S(250), U(10)},
    };
    AddControlTable(window, rows);
    state->Enabled = true;
    RetargetReceiver(&Receiver, Settings.ReceiverHost, Settings.ReceiverPort, ReceiverClockNow());
    // The link may have read a frequency before the window opened: it counts as a change.
    state->SeenReadings = 0;
    state->SeenTunes = Receiver.Protocol.TunesAnswered;
    ShowStatus(window, state);
    SetTimer(window, kReceiverTimer, kReceiverPeriodMs, nullptr);
}

void StopReceiverControls(HWND window, const LoggingReceiverState& state) {
    if (state.Enabled) KillTimer(window, kReceiverTimer);
}

void OnReceiverTick(HWND window, LoggingReceiverState* state) {
    if (!state->Enabled) return;
    PumpReceiver(&Receiver, ReceiverClockNow());
    const ReceiverProtocol& link = Receiver.Protocol;
    if (link.TunesAnswered != state->SeenTunes) {
        state->SeenTunes = link.TunesAnswered;
        if (link.LastTuneRefused) FollowTuneRefused(&state->Follow);
    }
    if (link.HasFrequency && link.Readings != state->SeenReadings) {
        state->SeenReadings = link.Readings;
        std::string text;
        if (FollowReading(&state->Follow, link.Hertz, &text)) SetDlgItemTextA(window, kIdEditFrequency, text.c_str());
    }
    ShowStatus(window, state);
}

void OnFrequencyTextChanged(HWND window, LoggingReceiverState* state) {
    if (!state->Enabled) return;
    FollowBoxChanged(&state->Follow, ControlText(window, kIdEditFrequency));
    ShowStatus(window, state);
}

void TuneToBox(HWND window, LoggingReceiverState* state) {
    if (!state->Enabled) return;
    int64_t hertz = FollowTune(&state->Follow, ControlText(window, kIdEditFrequency));
    if (hertz != 0) TuneReceiver(&Receiver, hertz, ReceiverClockNow());
    ShowStatus(window, state);
}

std::string KhzTextOfTenths(int32_t tenths) {
    std::string text = std::to_string(tenths / 10);
    if (tenths % 10 != 0) text += "." + std::to_string(tenths % 10);
    return text;
}
