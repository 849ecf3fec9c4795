// Texts of the browse window that do not depend on the window system.
#pragma once
#include <string>

// The heading over the list: "Date" at column 2, "Time" 12, "Station" 20,
// "Location" 42, "Freq" 65, "Remarks" 90; 99 characters.
extern const char* const kColumnHeading;

// "CORVANE v6    Browse Log", 30 blanks, then the log's path.
std::string BrowseWindowTitle(const std::string& logPath);
