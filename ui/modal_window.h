// A modal window from its description: the frame, what it builds on opening,
// its colours and its own messages. The window writes only what is its own;
// making the frame, the icon, answering colours, Close and the modal loop are
// done here once.
#pragma once
#include <windows.h>

#include "ui/dialog_kit.h"

struct ModalWindow {
    DialogSpec Form;
    // Adds the control table and whatever else needs the window's handle.
    void (*Open)(HWND window) = nullptr;
    int FirstFocus = 0;                // the control focused on opening; 0: the first tab stop
    bool ProgramIcon = true;           // the program's icon in the caption
    DialogColours* Colours = nullptr;  // colour messages are answered from it before Messages
    HACCEL* Keys = nullptr;            // read after Open; applied before dialog navigation
    // Close (the close box, Alt+F4) ends the window with 0; without, the dialog
    // manager turns it into the Cancel button (IDCANCEL) as Escape does.
    bool CloseEnds = true;
    // The window's own messages: true when handled, with the answer in *result.
    bool (*Messages)(HWND window, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) = nullptr;
};

// Shows `window` modally over `owner` until EndModal; returns EndModal's
// result, or -1 when the window could not be made. The colours are freed
// afterwards.
INT_PTR ShowModalWindow(const ModalWindow& window, HWND owner);
