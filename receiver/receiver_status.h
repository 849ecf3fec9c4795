// The one-line status of the receiver link, as the Receiver window and the
// logging window show it.
#pragma once
#include <string>

#include "receiver/receiver_protocol.h"

// Short enough for the logging window's form at 640 x 480: "9410 kHz AM",
// "connecting to 127.0.0.1:4532", "connection refused; trying again",
// "not a frequency: 0 Hz".
std::string ReceiverStatusText(const ReceiverProtocol& link, const std::string& host, int port);
