// The standard Open dialog as the Files menu shows it: at (100, 100) on the
// screen, and the working folder put back afterwards.
#pragma once
#include <windows.h>
#include <commdlg.h>

#include <cstddef>

struct OpenDialogSpec {
    const char* Title;
    const char* Filter;  // descriptions and patterns, each ended by a zero
    DWORD Flags;         // OFN_EXPLORER | OFN_ENABLEHOOK are added
    const char* DefaultExtension;
};

// Shows the dialog; true when the user chose a file, whose name is in
// `fileName` (`capacity` bytes). The settings file and a log kept by a
// relative name both live in the working folder, so browsing to another
// folder must not move it: it is restored before this returns.
bool AskForFile(HWND owner, const OpenDialogSpec& wanted, char* fileName, size_t capacity);
