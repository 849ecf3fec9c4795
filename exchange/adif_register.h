// A report's register row in ADIF, both ways: the standard QSL fields another
// program reads, and ULMAR's own APP_ULMAR_ fields with what they cannot hold,
// exact, in UTF-8.
#pragma once
#include <string>

#include "reports/register_row.h"

// The row's fields, each "<NAME:LENGTH>DATA " (lengths in bytes), in the order
// RST_SENT, QSL_SENT, QSLSDATE, QSL_SENT_VIA, QSL_RCVD, QSLRDATE,
// QSL_RCVD_VIA, QSLMSG_RCVD, then APP_ULMAR_SINPO, _DETAILS, _SENT_VIA,
// _REPLY_KIND and _REPLY_NOTE (the note only when QSLMSG_RCVD is not it
// exactly). Empty for an empty row.
std::string AdifRegisterFields(const RegisterRow& row);

// The values a record's fields give a row, in the log's code page; a field
// named by its upper-case tag, "" when the record lacks it.
struct AdifRegisterValues {
    std::string RstSent, QslSent, QslSentDate, QslSentVia, QslReceived, QslReceivedDate, QslReceivedVia, QslMessage,
        Sinpo, Details, SentVia, ReplyKind, ReplyNote;
};
// The row a record gives: ULMAR's own fields first, else the standard ones.
// A value that is not one (an RST of 59, a date that does not exist) is left out.
RegisterRow RegisterRowOfAdif(const AdifRegisterValues& values);
