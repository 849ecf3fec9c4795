// What the register says at a glance: the reports awaiting a reply (oldest
// first, with the days waiting), the replies received, the rows whose report
// is gone, and the totals.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "records/entry_filter.h"
#include "reports/register_row.h"

struct SummaryLine {
    size_t Row = 0;    // index into the rows
    int64_t Days = 0;  // awaiting: days since sent; replies: days from sent to reply (-1: unknown)
    std::string Text;  // the list box line
};

struct RegisterSummary {
    std::vector<SummaryLine> Awaiting;
    std::vector<SummaryLine> Replies;
    std::vector<SummaryLine> NotInLog;
    int Sent = 0;        // rows with a sent date or a way sent
    int Replied = 0;     // rows with a reply date or kind
    std::string Totals;  // "Reports sent: 12   Replies: 5   Reply rate: 42%   Median days to a reply: 31"
};

// The days from one DD-MM-YYYY date to another; false when either is not a date.
bool DaysBetween(const std::string& from, const std::string& to, int64_t* days);

// `today` is DD-MM-YYYY (UTC). `records` holds each row's record (any record for rows not in the log).
RegisterSummary SummarizeRegister(const std::vector<RegisterRow>& rows, const std::vector<LogEntry>& records,
                                  const std::string& today);

// The Replies choice's items, in the order of RepliesChoice.
constexpr const char* kRepliesChoiceTexts[] = {"all", "report sent, awaiting reply", "reply received",
                                               "no report sent"};
// True when a report with `row` (nullptr: none) is chosen.
bool RowMatchesChoice(const RegisterRow* row, RepliesChoice choice);
// What the row says of its report for the filter (nullptr: no row).
ReplyState ReplyStateOf(const RegisterRow* row);
// Each entry's state, by entry number - 1, for a run's filter: the first row on an entry counts.
std::vector<ReplyState> ReplyStatesOf(const std::vector<RegisterRow>& rows, int32_t entryCount);
bool RowIsSent(const RegisterRow& row);
bool RowIsReplied(const RegisterRow& row);
