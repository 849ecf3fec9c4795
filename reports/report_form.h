// The boxes of the report window read into a register row: what each box
// accepts, and the box to go back to when one cannot be read.
#pragma once
#include <string>

#include "platform/utc_time.h"
#include "reports/register_row.h"

struct ReportBoxes {
    std::string Sinpo, Details, SentDate, Via, ReplyDate, Reply, ReplyNote;
};

enum class ReportBox { None, Sinpo, Details, SentDate, Via, ReplyDate, Reply, ReplyNote };

struct ReportFormResult {
    bool Ok = false;
    RegisterRow Row;  // texts and dates; no key
    ReportBox Bad = ReportBox::None;
    std::string Message;  // names the box and says what it takes
};

// Empty boxes are allowed; SINPO is 5 digits 1..5 or SIO 3; dates are real
// DD-MM-YYYY days; a reply date without a sent date is taken as it is.
ReportFormResult ReadReportBoxes(const ReportBoxes& boxes);
ReportBoxes BoxesOfRow(const RegisterRow& row);
// Today's UTC date as DD-MM-YYYY, for "Mark Sent".
std::string DashedDate(const UtcTime& time);
// "07 Mar 2004" from DD-MM-YYYY.
std::string LetterDate(const std::string& dashed);
