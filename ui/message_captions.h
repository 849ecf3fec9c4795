// The captions of the program's message boxes, each named once. Window-free,
// so the native tests can hold the program to them.
#pragma once

constexpr const char* kCaptionUlmar = "Ulmar";  // no log, recovery, a schedule, a report not saved
constexpr const char* kCaptionAbout = "Ulmar v1.01";
constexpr const char* kCaptionLogPrint = "Log Print";  // a run's closing count, refusals, failed exports
constexpr const char* kCaptionPrinterReport = "Printer Report";
constexpr const char* kCaptionEndOfPage = "End of Page";
constexpr const char* kCaptionImport = "Import";
constexpr const char* kCaptionBackupFailed = "Corvane";
constexpr const char* kCaptionViewAndEdit = "View and Edit";
constexpr const char* kCaptionDeleteEntry = "Delete Entry";
constexpr const char* kCaptionStationSearch = "Station Search";
