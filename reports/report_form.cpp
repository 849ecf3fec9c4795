#include "reports/report_form.h"

#include <cstdio>

#include "logstore/log_entry.h"
#include "records/record_texts.h"
#include "records/record_values.h"
#include "records/text_trim.h"

namespace {

bool IsSinpo(const std::string& text) {
    if (text.size() != 3 && text.size() != 5) return false;
    for (char c : text) {
        if (c < '1' || c > '5') return false;
    }
    return true;
}

bool IsDate(const std::string& text) {
    if (text.size() != kRegisterDateChars) return false;
    return ReadDashedDate(text.data(), text.size()) != kNoDate;
}

ReportFormResult Refuse(ReportBox box, const std::string& message) {
    ReportFormResult result;
    result.Bad = box;
    result.Message = message;
    return result;
}

}  // namespace

ReportFormResult ReadReportBoxes(const ReportBoxes& boxes) {
    RegisterRow row;
    row.Sinpo = TrimBoth(boxes.Sinpo);
    if (!row.Sinpo.empty() && !IsSinpo(row.Sinpo)) {
        return Refuse(ReportBox::Sinpo, "SINPO: five digits 1 to 5 (SINPO) or three (SIO), or nothing.");
    }
    if (boxes.Details.size() > kMaxDetailsChars) {
        return Refuse(ReportBox::Details, "Programme details: at most 2000 characters.");
    }
    row.Details = boxes.Details;
    row.SentDate = TrimBoth(boxes.SentDate);
    if (!row.SentDate.empty() && !IsDate(row.SentDate)) {
        return Refuse(ReportBox::SentDate, "Sent: a date as DD-MM-YYYY that exists, or nothing.");
    }
    if (!SentViaOfText(boxes.Via, &row.Via)) return Refuse(ReportBox::Via, "Via: post, e-mail, web form or app.");
    row.ReplyDate = TrimBoth(boxes.ReplyDate);
    if (!row.ReplyDate.empty() && !IsDate(row.ReplyDate)) {
        return Refuse(ReportBox::ReplyDate, "Reply: a date as DD-MM-YYYY that exists, or nothing.");
    }
    if (!ReplyKindOfText(boxes.Reply, &row.Reply)) {
        return Refuse(ReportBox::Reply, "What came back: card, letter, e-mail, e-card, other, or nothing.");
    }
    if (boxes.ReplyNote.size() > kMaxReplyNoteChars) {
        return Refuse(ReportBox::ReplyNote, "Reply note: at most 200 characters.");
    }
    row.ReplyNote = boxes.ReplyNote;
    ReportFormResult result;
    result.Ok = true;
    result.Row = row;
    return result;
}

ReportBoxes BoxesOfRow(const RegisterRow& row) {
    return {row.Sinpo,    row.Details, row.SentDate, SentViaText(row.Via), row.ReplyDate, ReplyKindText(row.Reply),
            row.ReplyNote};
}

std::string DashedDate(const UtcTime& time) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d-%02d-%04d", time.Day % 100, time.Month % 100, time.Year % 10000);
    return text;
}

std::string LetterDate(const std::string& dashed) {
    LogEntry entry{};
    FillField(entry.Date, dashed);
    return ReportDate(entry);
}
