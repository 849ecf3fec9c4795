// One reception report: 115 bytes of six blank-padded text fields, no
// terminators. The layout is the log file's; other copies of the program read it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

struct LogEntry {
    char Date[10];  // DD-MM-YYYY, UTC
    char Time[5];   // HH:MM, UTC
    char Freq[6];   // kHz, as typed
    char Station[20];
    char Location[24];
    char Remarks[50];
};

constexpr int64_t kEntrySize = 115;
static_assert(sizeof(LogEntry) == kEntrySize, "a log record is 115 bytes");
static_assert(offsetof(LogEntry, Date) == 0, "Date at 0");
static_assert(offsetof(LogEntry, Time) == 10, "Time at 10");
static_assert(offsetof(LogEntry, Freq) == 15, "Freq at 15");
static_assert(offsetof(LogEntry, Station) == 21, "Station at 21");
static_assert(offsetof(LogEntry, Location) == 41, "Location at 41");
static_assert(offsetof(LogEntry, Remarks) == 65, "Remarks at 65");

// Record n (numbered from 1) starts here in the log file.
constexpr int64_t RecordOffset(int64_t n) { return (n - 1) * kEntrySize; }

// Widths of the fields a user types, e.g. the most a text box may take.
constexpr int kFreqWidth = sizeof(LogEntry::Freq);
constexpr int kStationWidth = sizeof(LogEntry::Station);
constexpr int kLocationWidth = sizeof(LogEntry::Location);
constexpr int kRemarksWidth = sizeof(LogEntry::Remarks);

// Stores `text` in a fixed-width field: cut to the width, padded with blanks.
template <size_t N>
void FillField(char (&field)[N], std::string_view text) {
    size_t used = text.size() < N ? text.size() : N;
    if (used > 0) std::memcpy(field, text.data(), used);
    std::memset(field + used, ' ', N - used);
}

// The field as text, all of its bytes.
template <size_t N>
std::string FieldText(const char (&field)[N]) {
    return std::string(field, N);
}
