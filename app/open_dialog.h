// The standard Open dialog as every file choice of the shell shows it: placed
// at (100, 100), and the process's working folder restored afterwards.
#pragma once
#include <windows.h>

#include <string>

struct OpenDialogAsk {
    const char* title;
    const char* filter;            // description and pattern, each ended by a zero
    const char* defaultExtension;  // nullptr for none
    DWORD flags;                   // OFN_… beside OFN_EXPLORER | OFN_ENABLEHOOK
};

constexpr int kFileNameCapacity = 260;

// Shows the dialog, starting in the working folder; true when the user chose
// a file, whose name is then in `fileName` (kFileNameCapacity bytes). The
// settings file and a log kept by a relative name both live in the working
// folder, so browsing to another folder must not move it: it is set back.
bool AskForFile(HWND owner, const OpenDialogAsk& ask, char* fileName);
