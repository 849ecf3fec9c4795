// "&Schedule File" and "&No Schedule" of the Set Up menu, and the schedule
// loaded at start-up.
#pragma once
#include <windows.h>

// Asks for a schedule file with the standard Open dialog; a readable one
// becomes the choice and LoadedSchedule, and its skipped lines are reported
// once. Cancel, or a file that cannot be read, keeps the current choice.
void ChooseSchedule(HWND mainWindow);
// Forgets the choice; the logging window proposes nothing.
void ClearSchedule();
// Loads Settings.SchedulePath, if any. A file that cannot be read is
// reported once and the program goes on without it; the choice is kept, so
// the file is tried again at the next start (a drive may be missing today).
void LoadScheduleAtStartUp();
