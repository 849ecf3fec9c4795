#include "reports/register_row.h"

#include <cstring>

namespace {

constexpr const char* kViaTexts[] = {"", "post", "e-mail", "web form", "app"};
constexpr const char* kKindTexts[] = {"", "card", "letter", "e-mail", "e-card", "other"};

}  // namespace

const char* SentViaText(SentVia via) {
    auto index = static_cast<uint8_t>(via);
    return index <= kLastSentVia ? kViaTexts[index] : "";
}

const char* ReplyKindText(ReplyKind kind) {
    auto index = static_cast<uint8_t>(kind);
    return index <= kLastReplyKind ? kKindTexts[index] : "";
}

bool SentViaOfText(const std::string& text, SentVia* via) {
    for (uint8_t i = 0; i <= kLastSentVia; ++i) {
        if (text == kViaTexts[i]) {
            *via = static_cast<SentVia>(i);
            return true;
        }
    }
    return false;
}

bool ReplyKindOfText(const std::string& text, ReplyKind* kind) {
    for (uint8_t i = 0; i <= kLastReplyKind; ++i) {
        if (text == kKindTexts[i]) {
            *kind = static_cast<ReplyKind>(i);
            return true;
        }
    }
    return false;
}

bool SameRecord(const LogEntry& a, const LogEntry& b) { return std::memcmp(&a, &b, sizeof(LogEntry)) == 0; }

bool SameKey(const RegisterKey& a, const RegisterKey& b) {
    return a.Occurrence == b.Occurrence && SameRecord(a.Record, b.Record);
}

bool RowIsEmpty(const RegisterRow& row) {
    return row.Sinpo.empty() && row.SentDate.empty() && row.Via == SentVia::None && row.ReplyDate.empty() &&
           row.Reply == ReplyKind::None && row.Details.empty() && row.ReplyNote.empty();
}

bool SameRowValues(const RegisterRow& a, const RegisterRow& b) {
    return SameKey(a.Key, b.Key) && a.Pending == b.Pending &&
           (a.Pending == PendingState::None || SameKey(a.PendingKey, b.PendingKey)) && a.Sinpo == b.Sinpo &&
           a.SentDate == b.SentDate && a.Via == b.Via && a.ReplyDate == b.ReplyDate && a.Reply == b.Reply &&
           a.Details == b.Details && a.ReplyNote == b.ReplyNote;
}
