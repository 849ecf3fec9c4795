// One row of the report register: what was sent to a station about one report
// of the log and what came back. The log's 115-byte records stay as they are;
// the row names its report by the record's bytes and the occurrence among
// identical records (RegisterKey), which survives moves, edits and other
// programs' appends.
#pragma once
#include <cstdint>
#include <string>

#include "logstore/log_entry.h"

constexpr size_t kMaxDetailsChars = 2000;
constexpr size_t kMaxReplyNoteChars = 200;
constexpr size_t kSinpoChars = 5;  // SINPO; SIO takes 3
constexpr size_t kRegisterDateChars = 10;

enum class SentVia : uint8_t { None = 0, Post = 1, Email = 2, WebForm = 3, App = 4 };
enum class ReplyKind : uint8_t { None = 0, Card = 1, Letter = 2, Email = 3, ECard = 4, Other = 5 };
constexpr uint8_t kLastSentVia = 4;
constexpr uint8_t kLastReplyKind = 5;

// The k-th record (Occurrence, from 1) whose 115 bytes are Record.
struct RegisterKey {
    LogEntry Record{};
    uint32_t Occurrence = 1;
};

// A key written before ULMAR changes the log, folded in once the change is made.
enum class PendingState : uint8_t { None = 0, Moved = 1, Removed = 2 };

struct RegisterRow {
    RegisterKey Key;
    PendingState Pending = PendingState::None;
    RegisterKey PendingKey;
    std::string Sinpo;     // "" or 3 or 5 digits 1..5
    std::string SentDate;  // "" or DD-MM-YYYY
    SentVia Via = SentVia::None;
    std::string ReplyDate;  // "" or DD-MM-YYYY
    ReplyKind Reply = ReplyKind::None;
    std::string Details;    // the programme heard, up to kMaxDetailsChars, CR LF between lines
    std::string ReplyNote;  // up to kMaxReplyNoteChars
    // Not stored: the entry (1..EntryCount) the key names in the open log, 0 when it is not in the log.
    int32_t Entry = 0;
};

// The words the windows, the exports and the README use.
const char* SentViaText(SentVia via);       // "post", "e-mail", "web form", "app"; "" for None
const char* ReplyKindText(ReplyKind kind);  // "card", "letter", "e-mail", "e-card", "other"; ""
bool SentViaOfText(const std::string& text, SentVia* via);
bool ReplyKindOfText(const std::string& text, ReplyKind* kind);

bool SameRecord(const LogEntry& a, const LogEntry& b);
bool SameKey(const RegisterKey& a, const RegisterKey& b);
// True when the row holds nothing a listener entered: such a row is not kept.
bool RowIsEmpty(const RegisterRow& row);
// True when every stored value of the two rows is equal (keys, pending keys and texts).
bool SameRowValues(const RegisterRow& a, const RegisterRow& b);
