// The system's clock in UTC, read to the second: the one reading every part of
// the program uses (the logging window's clock, the names of dated backups).
#pragma once

struct UtcTime {
    int Year = 1970;
    int Month = 1;   // 1..12
    int Day = 1;     // 1..31
    int Hour = 0;    // 0..23
    int Minute = 0;  // 0..59
    int Second = 0;  // 0..60 (a leap second)
};

UtcTime UtcNow();
