// Dialogs built in code: an in-memory template with the window's font (controls
// are added from a table, ui/control_table.h), per-control colours and a modal loop that disables the
// owner. Every window of the program is made with these pieces.
#pragma once
#include <windows.h>

struct DialogSpec {
    const char* Title;
    const char* FontName;
    WORD PointSize;
    DWORD Style;        // DS_SETFONT is added
    int X, Y;           // dialog units; only used with DS_ABSALIGN or without DS_CENTER
    int Width, Height;  // client size in dialog units
};

// Creates the dialog hidden; `proc` gets `param` with WM_INITDIALOG.
HWND CreateDialogInCode(const DialogSpec& form, HWND owner, DLGPROC proc, LPARAM param);

// Sets the icon resource "ICON" as the window's big and small icon.
void SetProgramIcon(HWND window);

// Background and text colours of a window and of some of its controls.
constexpr int kMaxColouredControls = 16;
struct DialogColours {
    bool HasBackground = false;
    COLORREF Background = 0;
    HBRUSH BackgroundBrush = nullptr;
    int Count = 0;
    struct Entry {
        int Id;
        COLORREF Text;
        COLORREF Back;
        HBRUSH Brush;
    } Controls[kMaxColouredControls] = {};
};

void SetWindowBackground(DialogColours* colours, COLORREF background);
void SetControlColours(DialogColours* colours, int id, COLORREF text, COLORREF back);
// Deletes the brushes; call when the window is gone.
void FreeColours(DialogColours* colours);
// Answers WM_CTLCOLOR* and WM_CTLCOLORDLG from the table; false when the
// message is not one of them or the control has no colours of its own.
bool HandleColourMessage(const DialogColours& colours, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                         INT_PTR* result);

// Shows `dialog` and runs its messages until EndModal is called for it. The
// owner is disabled meanwhile; afterwards it is enabled again and the dialog is
// destroyed. With accelerators, they are applied before dialog navigation.
INT_PTR RunModal(HWND dialog, HWND owner, HACCEL accelerators = nullptr);
// Ends the modal loop of `dialog` with `result`.
void EndModal(HWND dialog, INT_PTR result);
