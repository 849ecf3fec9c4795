// The Reception Report window's control ids. The end-to-end tests read them from this
// file (tests/e2e/ids.py), so each is written here once.
#pragma once
#include <windows.h>

// Controls, in creation (tab) order.
constexpr int kIdHeading = 400;  // the entry's date, time, kHz and station
constexpr int kIdLabelSinpo = 420;
constexpr int kIdSinpo = 401;
constexpr int kIdLabelDetails = 421;
constexpr int kIdDetails = 402;
constexpr int kIdLabelTemplate = 422;
constexpr int kIdTemplate = 403;
constexpr int kIdLabelLetterFile = 423;
constexpr int kIdLetterFile = 405;
constexpr int kIdWriteLetter = 404;
constexpr int kIdLabelSent = 424;
constexpr int kIdSentDate = 406;
constexpr int kIdMarkSent = 407;
constexpr int kIdLabelVia = 425;
constexpr int kIdVia = 408;
constexpr int kIdLabelReply = 426;
constexpr int kIdReplyDate = 409;
constexpr int kIdLabelReplyKind = 427;
constexpr int kIdReplyKind = 410;
constexpr int kIdLabelReplyNote = 428;
constexpr int kIdReplyNote = 411;
constexpr int kIdExit = IDCANCEL;  // 2: Escape presses it too
