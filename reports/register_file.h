// The register file `<log file name>.RRG` beside the log (MYLOG.ULM.RRG): its
// bytes, its reading and its replacement in one flushed step. Its name never
// matches *.ULM.
//
// Layout, integers little-endian: the magic "ULMARRG1"; the row count (u32);
// the pending change (u8 0 or 1, then the log's entry count before and after
// it, i64 each); the rows; a check value (u64, RecordCheck over every byte
// before it). A row: the key (115 record bytes, u32 occurrence); the pending
// state (u8) and, unless it is 0, the pending key (115 bytes, u32); the SINPO (5 bytes, blank
// padded), the sent date (10), the way sent (u8), the reply date (10), the
// reply's kind (u8); the details and the reply note (u16 length, bytes each).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "reports/register_row.h"

constexpr char kRegisterMagic[8] = {'U', 'L', 'M', 'A', 'R', 'R', 'G', '1'};
// Far above 10,000 rows of full details: a larger file is not a register.
constexpr size_t kMaxRegisterBytes = 64u << 20;

// What the register says about a change of the log it announced before making it.
struct PendingChange {
    bool Active = false;
    int64_t CountBefore = 0;  // the log's entries before the change
    int64_t CountAfter = 0;   // and once it is made
};

struct RegisterContent {
    PendingChange Change;
    std::vector<RegisterRow> Rows;
};

std::string RegisterPath(const std::string& logPath);
std::string RegisterTemporaryPath(const std::string& logPath);

std::string EncodeRegister(const RegisterContent& content);
std::string EncodeRegister(const PendingChange& change, const std::vector<RegisterRow>& rows);
// The same into `*out`, whose memory is reused: a change of a large register
// then touches no fresh pages.
void EncodeRegisterInto(const PendingChange& change, const std::vector<RegisterRow>& rows, std::string* out);
// False, with `*why` in plain words, when the bytes are not a whole register.
bool DecodeRegister(const std::string& bytes, RegisterContent* content, std::string* why);

enum class RegisterRead { Missing, Read, Unreadable };
RegisterRead ReadRegisterFile(const std::string& path, RegisterContent* content, std::string* why);
// Writes the register to its temporary file, flushes it and renames it over
// `path` with the folder flushed: a kill or a power cut leaves the old file or
// the new one. With no rows and no pending change the file is deleted instead.
// `*scratch` holds the encoding.
bool ReplaceRegisterFile(const std::string& path, const std::string& temporary, const PendingChange& change,
                         const std::vector<RegisterRow>& rows, std::string* scratch);
