// The one-line status of the receiver link, as the Receiver window and the
// logging window show it.
#pragma once
#include <string>

#include "receiver/receiver_protocol.h"

// "9410 kHz AM", "connecting to 127.0.0.1:4532", "connection refused by
// 127.0.0.1:4532; trying again", "the receiver reports 0 Hz, not a frequency".
std::string ReceiverStatusText(const ReceiverProtocol& link, const std::string& host, int port);
