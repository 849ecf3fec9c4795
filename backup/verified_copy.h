// One verified copy: the log copied to a temporary file in the target folder,
// flushed, read back past the cache and compared byte for byte with the log,
// and only then moved over the target in one step. A failure leaves the target
// exactly as it was and removes the temporary file where possible.
#pragma once
#include <cstdint>
#include <string>

// Told after each chunk the bytes done of all a verified copy does: the log's
// bytes copied, then read back (2 x its size); null: nothing told.
using CopyProgress = void (*)(int64_t done, int64_t total);

constexpr const char* kBackupTempName = "~ULMAR.TMP";

// Copies `logPath` to `tempPath` (a stale file there is deleted first),
// flushes it and verifies it. False with `*reason` in plain words when any step
// fails; the temporary file is then removed where possible.
bool MakeCheckedTemp(const std::string& logPath, const std::string& tempPath, std::string* reason,
                     CopyProgress progress = nullptr);
// Moves the checked `tempPath` over `targetPath` in one step; removes it when that fails.
bool ReplaceWithCheckedTemp(const std::string& tempPath, const std::string& targetPath, std::string* reason);
// MakeCheckedTemp, then ReplaceWithCheckedTemp.
bool MakeVerifiedCopy(const std::string& logPath, const std::string& tempPath, const std::string& targetPath,
                      std::string* reason, CopyProgress progress = nullptr);
