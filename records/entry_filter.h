// The filter of a print or export run: station prefix, dates from/to and
// frequencies from/to, every part optional, the parts combined.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "logstore/log_entry.h"
#include "logstore/log_walk.h"
#include "records/record_values.h"
#include "records/station_prefix.h"

// The filter's text boxes, as typed.
struct FilterTexts {
    std::string Station;   // "Station starts with": blanks count
    std::string DateFrom;  // DD-MM-YYYY
    std::string DateTo;
    std::string FrequencyFrom;  // kHz
    std::string FrequencyTo;
};

enum class FilterBox { Station, DateFrom, DateTo, FrequencyFrom, FrequencyTo };

// Which reports a run takes by the report register beside the log.
enum class RepliesChoice : uint8_t { All = 0, Awaiting = 1, Replied = 2, NoReport = 3 };
// What the register holds for one entry.
enum class ReplyState : uint8_t { NoReport = 0, Awaiting = 1, Replied = 2 };

struct ReportFilter {
    RepliesChoice Replies = RepliesChoice::All;
    // The entries' states by entry number - 1 (one beyond its end: NoReport);
    // needed unless Replies is All, and must outlive the run.
    const std::vector<ReplyState>* ReplyStates = nullptr;
    bool HasStation = false;
    std::string StationKey;  // upper-cased by the system's rules
    CaseTable Cases{};
    DateKey DateFrom = kNoDate;  // kNoDate: no bound
    DateKey DateTo = kNoDate;
    uint64_t DateFromOrder = 0;         // DateOrderKey of the bounds; without a
    uint64_t DateToOrder = UINT64_MAX;  // bound, the lowest and highest keys
    bool HasFrequencyFrom = false;
    bool HasFrequencyTo = false;
    DecimalValue FrequencyFrom;
    DecimalValue FrequencyTo;
    int64_t FrequencyFromScaled = 0;  // BoundTenThousandths of the bounds
    int64_t FrequencyToScaled = 0;
    uint64_t PlainFromKey = 0;         // KhzKeyOf the bounds for whole kHz:
    uint64_t PlainToKey = UINT64_MAX;  // "from" rounded up, "to" rounded down
    uint64_t TextFromKey = 0;          // FreqTextKey bounds that hold every Freq
    uint64_t TextToKey = UINT64_MAX;   // in range that begins with a digit 1..9
};

struct FilterReading {
    bool Ok = true;
    FilterBox Box = FilterBox::Station;  // with !ok: the box to correct
    std::string Message;                 // with !ok: why, naming the box
    ReportFilter Filter;
};

// Reads the boxes; `upper` gives the system's upper-case rules. A date that is
// not a real DD-MM-YYYY day, a frequency that is not a number, or a "from"
// later than its "to" is refused, naming the box.
FilterReading ReadReportFilter(const FilterTexts& texts, UpperCaseFn upper);

bool IsEmptyFilter(const ReportFilter& filter);
// A station text longer than the field never matches; a Date that is not a
// valid DD-MM-YYYY never matches a date bound, a Freq that is not a number
// never matches a frequency bound.
bool EntryMatches(const ReportFilter& filter, const LogEntry& entry);
// The register's part of the filter for entry `number`.
bool ReplyMatches(const ReportFilter& filter, int64_t number);
// Both: whether a run outputs entry `number`.
bool EntryChosen(const ReportFilter& filter, const LogEntry& entry, int64_t number);
// The filter as a run takes it: no filter at all when it is empty, so such a
// run reads and writes exactly what an unfiltered run does. `filter` must
// outlive the run.
const EntryFilter* RunFilter(const ReportFilter& filter, EntryFilter* hook);
