// Adding the reports of an import to the open log as one operation.
#pragma once
#include <string>
#include <vector>

#include "logstore/log_store.h"

// Writes `records` after the last entry as one journaled change (AppendEntries),
// flushed once at the end. Only when all of them are written and flushed is
// EntryCount raised (and EntryBuffer left holding the last of them); on any
// failure the file is put back to its old length, LastError says why and
// nothing is added; after a kill the next opening cuts the log back.
bool AddImportedReports(LogStore& log, const std::vector<LogEntry>& records);

// "Added N reports to <logPath>."
std::string ImportDoneText(size_t count, const std::string& logPath);
// Why nothing was added, after AddImportedReports failed.
std::string ImportFailedText(const LogStore& log, const std::string& logPath);
