// The single lines a receiver-control server answers with: `RPRT n` (of either
// sign: rigctld sends -1, gqrx and SDR++ send 1), the mode line of `m` (two
// words on one line from some servers) and its all-digit passband line.
#pragma once
#include <string>
#include <string_view>

// "RPRT" then one blank and an optionally signed integer; `code` set when so.
bool ReadReportLine(std::string_view line, int* code);
// Digits only, at least one.
bool IsAllDigits(std::string_view line);
// The mode of a mode line: its first word, when that is 1..16 letters, digits,
// '-' or '_' and not all digits ("AM", "WFM_ST"). `hasPassband` says whether
// the passband followed on the same line ("AM 10000"). False for anything else.
bool ReadModeLine(std::string_view line, std::string* mode, bool* hasPassband);
