#pragma once
#include <windows.h>

// The Receiver window ("&Set Up" / "&Receiver"), modal over the main window:
// the host and port of the receiver followed in the logging window, and
// whether it answers.
void ShowReceiverWindow(HWND owner);
