#include "exchange/adif_register.h"

#include "exchange/adif_values.h"
#include "records/code_page_1252.h"

namespace {

void PutField(std::string* out, const char* name, const std::string& data) {
    if (data.empty()) return;
    *out += std::string("<") + name + ":" + std::to_string(data.size()) + ">" + data + " ";
}

// YYYYMMDD of a DD-MM-YYYY date.
std::string AdifDate(const std::string& dashed) {
    if (dashed.size() != 10) return std::string();
    return dashed.substr(6, 4) + dashed.substr(3, 2) + dashed.substr(0, 2);
}

std::string LogDate(const std::string& adif) {
    char date[10];
    if (!AdifDateToLog(adif, date)) return std::string();
    return std::string(date, sizeof date);
}

const char* ReceivedVia(ReplyKind kind) {
    switch (kind) {
        case ReplyKind::Card:
        case ReplyKind::Letter: return "D";
        case ReplyKind::Email:
        case ReplyKind::ECard: return "E";
        default: return "";
    }
}

bool IsSinpoText(const std::string& text) {
    if (text.size() != 3 && text.size() != 5) return false;
    for (char c : text) {
        if (c < '1' || c > '5') return false;
    }
    return true;
}

bool IsYes(const std::string& text) { return text == "Y" || text == "y"; }

}  // namespace

std::string AdifRegisterFields(const RegisterRow& row) {
    std::string out;
    bool sent = !row.SentDate.empty() || row.Via != SentVia::None;
    bool replied = !row.ReplyDate.empty() || row.Reply != ReplyKind::None;
    PutField(&out, "RST_SENT", row.Sinpo);
    PutField(&out, "QSL_SENT", sent ? "Y" : "");
    PutField(&out, "QSLSDATE", AdifDate(row.SentDate));
    PutField(&out, "QSL_SENT_VIA", row.Via == SentVia::None ? "" : row.Via == SentVia::Post ? "D" : "E");
    PutField(&out, "QSL_RCVD", replied ? "Y" : "");
    PutField(&out, "QSLRDATE", AdifDate(row.ReplyDate));
    PutField(&out, "QSL_RCVD_VIA", ReceivedVia(row.Reply));
    std::string ascii = CodePage1252ToAscii(row.ReplyNote);
    PutField(&out, "QSLMSG_RCVD", ascii);
    PutField(&out, "APP_ULMAR_SINPO", row.Sinpo);
    PutField(&out, "APP_ULMAR_DETAILS", CodePage1252ToUtf8(row.Details));
    PutField(&out, "APP_ULMAR_SENT_VIA", SentViaText(row.Via));
    PutField(&out, "APP_ULMAR_REPLY_KIND", ReplyKindText(row.Reply));
    if (ascii != row.ReplyNote) PutField(&out, "APP_ULMAR_REPLY_NOTE", CodePage1252ToUtf8(row.ReplyNote));
    return out;
}

RegisterRow RegisterRowOfAdif(const AdifRegisterValues& values) {
    RegisterRow row;
    const std::string& sinpo = values.Sinpo.empty() ? values.RstSent : values.Sinpo;
    if (IsSinpoText(sinpo)) row.Sinpo = sinpo;
    row.Details = values.Details.substr(0, kMaxDetailsChars);
    row.SentDate = LogDate(values.QslSentDate);
    if (!SentViaOfText(values.SentVia, &row.Via) || row.Via == SentVia::None) {
        row.Via = values.QslSentVia == "D" || values.QslSentVia == "d" ? SentVia::Post
                  : values.QslSentVia.empty()                          ? SentVia::None
                                                                       : SentVia::Email;
    }
    row.ReplyDate = LogDate(values.QslReceivedDate);
    if (!ReplyKindOfText(values.ReplyKind, &row.Reply) || row.Reply == ReplyKind::None) {
        const std::string& via = values.QslReceivedVia;
        row.Reply = via == "D" || via == "d"   ? ReplyKind::Card
                    : via == "E" || via == "e" ? ReplyKind::Email
                    : IsYes(values.QslReceived) && row.ReplyDate.empty()
                        ? ReplyKind::Other  // replied, nothing more known
                        : ReplyKind::None;
    }
    const std::string& note = values.ReplyNote.empty() ? values.QslMessage : values.ReplyNote;
    row.ReplyNote = note.substr(0, kMaxReplyNoteChars);
    return row;
}
