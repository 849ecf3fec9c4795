// Asking a receiver once for its frequency, waiting up to a limit: for the
// command-line tool, which may block (the program's windows never do).
#pragma once
#include <cstdint>
#include <string>

constexpr int64_t kOnceLimitMs = 3000;

// True with `hertz` once the receiver at `host`:`port` has reported a
// frequency; false with `reason` ("connection refused", "no answer", "not a
// frequency: 0 Hz") when it has not within `limitMs`.
bool ReadReceiverOnce(const std::string& host, int port, int64_t limitMs, int64_t* hertz, std::string* reason);
