#include "reports/register_summary.h"

#include <algorithm>
#include <cstdio>

#include "records/record_values.h"
#include "records/text_trim.h"

namespace {

// Days since 1 March of year 0 (the civil calendar's count), for differences.
int64_t DayNumber(DateKey key) {
    int64_t year = key / 10000, month = key / 100 % 100, day = key % 100;
    if (month <= 2) {
        --year;
        month += 12;
    }
    return 365 * year + year / 4 - year / 100 + year / 400 + (153 * (month - 3) + 2) / 5 + day;
}

std::string EntryText(const RegisterRow& row, const LogEntry& record) {
    std::string text = row.Entry > 0 ? std::to_string(row.Entry) : "-";
    text += "  " + FieldText(record.Date) + " " + FieldText(record.Time) + " " + TrimBoth(FieldText(record.Freq)) +
            " kHz  " + TrimBoth(FieldText(record.Station));
    return text;
}

}  // namespace

bool DaysBetween(const std::string& from, const std::string& to, int64_t* days) {
    DateKey a = ReadDashedDate(from.data(), from.size());
    DateKey b = ReadDashedDate(to.data(), to.size());
    if (a == kNoDate || b == kNoDate) return false;
    *days = DayNumber(b) - DayNumber(a);
    return true;
}

bool RowIsSent(const RegisterRow& row) { return !row.SentDate.empty() || row.Via != SentVia::None; }
bool RowIsReplied(const RegisterRow& row) { return !row.ReplyDate.empty() || row.Reply != ReplyKind::None; }

ReplyState ReplyStateOf(const RegisterRow* row) {
    if (!row) return ReplyState::NoReport;
    if (RowIsReplied(*row)) return ReplyState::Replied;
    return RowIsSent(*row) ? ReplyState::Awaiting : ReplyState::NoReport;
}

bool RowMatchesChoice(const RegisterRow* row, RepliesChoice choice) {
    ReportFilter filter;
    filter.Replies = choice;
    std::vector<ReplyState> states = {ReplyStateOf(row)};
    filter.ReplyStates = &states;
    return ReplyMatches(filter, 1);
}

std::vector<ReplyState> ReplyStatesOf(const std::vector<RegisterRow>& rows, int32_t entryCount) {
    std::vector<ReplyState> states(static_cast<size_t>(entryCount > 0 ? entryCount : 0), ReplyState::NoReport);
    std::vector<bool> seen(states.size(), false);
    for (const RegisterRow& row : rows) {
        if (row.Entry < 1 || row.Entry > entryCount || seen[static_cast<size_t>(row.Entry - 1)]) continue;
        seen[static_cast<size_t>(row.Entry - 1)] = true;
        states[static_cast<size_t>(row.Entry - 1)] = ReplyStateOf(&row);
    }
    return states;
}

RegisterSummary SummarizeRegister(const std::vector<RegisterRow>& rows, const std::vector<LogEntry>& records,
                                  const std::string& today) {
    RegisterSummary summary;
    std::vector<int64_t> replyDays;
    for (size_t i = 0; i < rows.size(); ++i) {
        const RegisterRow& row = rows[i];
        std::string entry = EntryText(row, records[i]);
        if (row.Entry == 0) summary.NotInLog.push_back({i, 0, entry + "  (not in the log)"});
        if (RowIsSent(row)) ++summary.Sent;
        int64_t days = -1;
        if (RowIsReplied(row)) {
            ++summary.Replied;
            if (DaysBetween(row.SentDate, row.ReplyDate, &days) && days >= 0) replyDays.push_back(days);
            std::string what = ReplyKindText(row.Reply);
            summary.Replies.push_back({i, days,
                                       entry + "  " + (row.ReplyDate.empty() ? "-" : row.ReplyDate) +
                                           (what.empty() ? "" : " " + what) +
                                           (days >= 0 ? ", " + std::to_string(days) + " days" : "")});
        } else if (RowIsSent(row)) {
            if (!DaysBetween(row.SentDate, today, &days)) days = -1;
            summary.Awaiting.push_back({i, days,
                                        entry + "  sent " + (row.SentDate.empty() ? "-" : row.SentDate) +
                                            (days >= 0 ? ", waiting " + std::to_string(days) + " days" : "")});
        }
    }
    std::stable_sort(summary.Awaiting.begin(), summary.Awaiting.end(),
                     [](const SummaryLine& a, const SummaryLine& b) { return a.Days > b.Days; });
    std::string totals =
        "Reports sent: " + std::to_string(summary.Sent) + "   Replies: " + std::to_string(summary.Replied);
    if (summary.Sent > 0) totals += "   Reply rate: " + std::to_string(summary.Replied * 100 / summary.Sent) + "%";
    if (!replyDays.empty()) {
        std::sort(replyDays.begin(), replyDays.end());
        size_t n = replyDays.size();
        int64_t median2 = n % 2 ? 2 * replyDays[n / 2] : replyDays[n / 2 - 1] + replyDays[n / 2];
        char text[32];
        std::snprintf(text, sizeof text, "%lld%s", static_cast<long long>(median2 / 2), median2 % 2 ? ".5" : "");
        totals += std::string("   Median days to a reply: ") + text;
    }
    summary.Totals = totals;
    return summary;
}
