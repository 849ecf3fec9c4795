#pragma once
#include <windows.h>

// "&Files" / "&Import CSV": chooses a CSV file, tells what it would add, asks,
// and appends its reports to the open log as one change.
void ImportCsvFile(HWND mainWindow);
// "&Files" / "Import &ADIF": the same for an ADIF file.
void ImportAdifFile(HWND mainWindow);
