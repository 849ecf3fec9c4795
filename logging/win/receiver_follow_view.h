// The logging window's receiver parts, only with a receiver set: the Tune
// button, the status line, and the Frequency box following the dial.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "receiver/follow.h"

struct LoggingReceiverState {
    bool Enabled = false;
    FollowState Follow;
    uint64_t SeenReadings = 0;
    uint64_t SeenTunes = 0;
    std::string Status;  // as last shown
};

// Adds the Tune button and the status line and aims the program's link at the
// receiver set; nothing at all without one.
void AddReceiverControls(HWND window, LoggingReceiverState* state);
void StopReceiverControls(HWND window, const LoggingReceiverState& state);
// Moves the link on; following writes the Frequency box when the dial moves.
void OnReceiverTick(HWND window, LoggingReceiverState* state);
// The Frequency box's text changed (by anyone).
void OnFrequencyTextChanged(HWND window, LoggingReceiverState* state);
// Sets the receiver to the frequency in the box.
void TuneToBox(HWND window, LoggingReceiverState* state);
// The text of a schedule frequency in tenths of a kHz, as the box shows it: "9410", "9410.5".
std::string KhzTextOfTenths(int32_t tenths);
