// The values of an ADIF record as the log keeps them: the date, the time and
// the frequency in kHz.
#pragma once
#include <string>
#include <string_view>

// YYYYMMDD as DD-MM-YYYY; false when it is not a real date.
bool AdifDateToLog(std::string_view text, char (&date)[10]);
// HHMM or HHMMSS as HH:MM (seconds dropped); false when it is not a real time.
bool AdifTimeToLog(std::string_view text, char (&time)[5]);
// A frequency in MHz as the kHz text in its shortest form, fitted to the
// `width` characters of `khz` (blanks after it) and rounded only when it must
// be ("14.074123" -> "14074"); false when it is not a number or its whole kHz
// do not fit.
bool MegahertzToKhz(std::string_view megahertz, char* khz, size_t width);
