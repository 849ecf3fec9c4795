// ADIF's fields for one report: the record a listener's entry becomes, and
// the values shared by the writer and the reader (the bands, MHz and kHz).
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "logstore/log_entry.h"

// The most bytes one record takes: every field at its longest, each character
// of the texts three bytes in UTF-8 and three more in its ASCII form.
constexpr size_t kAdifRecordRoom = 1024;

// Why an entry cannot be written as ADIF; None when it can.
enum class AdifDamage { None, Date, Time };

// The record of `entry`, ended by "<EOR>" and CR LF, written at `out` (room
// for kAdifRecordRoom bytes); returns the end. The entry must have no damage.
// `extra` (fields already written as ADIF, such as the register's) goes
// before "<EOR>"; the room must hold it too.
char* PutAdifRecord(const LogEntry& entry, char* out, std::string_view extra = {});
AdifDamage AdifDamageOf(const LogEntry& entry);

// The band of a frequency held as kHz × 10000, "" outside every ADIF band.
std::string_view AdifBandOf(int64_t tenThousandthsKhz);

// The shortest decimal of a kHz text in MHz ("9410" -> "9.41", "1512.5" ->
// "1.5125"); "" when the text (blanks aside) is not a number.
std::string MegahertzOfKhz(std::string_view khz);
// True when the text, without its trailing blanks, is the plain form of its
// number: no leading blank or zero, no trailing zero after the point.
bool IsPlainKhz(std::string_view khz);
