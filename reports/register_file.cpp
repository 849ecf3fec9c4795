#include "reports/register_file.h"

#include <algorithm>
#include <cstring>

#include "logstore/log_journal.h"
#include "platform/file.h"

namespace {

// Writes into a buffer sized beforehand: a register of ten thousand rows is
// encoded on every change, and appending field by field cost more than its write.
struct Writer {
    char* At;
    void Bytes(const void* bytes, size_t size) {
        std::memcpy(At, bytes, size);
        At += size;
    }
    void Int(uint64_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) *At++ = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    void Fixed(const std::string& text, size_t width) {
        size_t size = std::min(text.size(), width);
        Bytes(text.data(), size);
        std::memset(At, ' ', width - size);
        At += width - size;
    }
    void Text(const std::string& text, size_t limit) {
        size_t size = std::min(text.size(), limit);
        Int(size, 2);
        Bytes(text.data(), size);
    }
    void Key(const RegisterKey& key) {
        Bytes(&key.Record, sizeof(LogEntry));
        Int(key.Occurrence, 4);
    }
};

constexpr size_t kKeyBytes = sizeof(LogEntry) + 4;
constexpr size_t kHeaderBytes = sizeof(kRegisterMagic) + 4 + 1 + 8 + 8;
constexpr size_t kCheckBytes = 8;

struct Reader {
    const std::string& Bytes;
    size_t At = 0;
    bool Ok = true;

    bool Take(size_t size) {
        if (!Ok || Bytes.size() - At < size) return Ok = false;
        return true;
    }
    uint64_t Int(int bytes) {
        if (!Take(static_cast<size_t>(bytes))) return 0;
        uint64_t value = 0;
        for (int i = 0; i < bytes; ++i)
            value |= static_cast<uint64_t>(static_cast<unsigned char>(Bytes[At + i])) << (8 * i);
        At += static_cast<size_t>(bytes);
        return value;
    }
    std::string Fixed(size_t width) {
        if (!Take(width)) return std::string();
        std::string text = Bytes.substr(At, width);
        At += width;
        while (!text.empty() && text.back() == ' ') text.pop_back();
        return text;
    }
    std::string Text(size_t limit) {
        size_t size = static_cast<size_t>(Int(2));
        if (size > limit) Ok = false;
        if (!Take(size)) return std::string();
        std::string text = Bytes.substr(At, size);
        At += size;
        return text;
    }
    RegisterKey Key() {
        RegisterKey key;
        if (Take(sizeof(LogEntry))) {
            std::memcpy(&key.Record, Bytes.data() + At, sizeof(LogEntry));
            At += sizeof(LogEntry);
        }
        key.Occurrence = static_cast<uint32_t>(Int(4));
        if (key.Occurrence == 0) Ok = false;
        return key;
    }
};

// The smallest row: one key, the fixed fields, two empty texts.
constexpr size_t kMinRowBytes = kKeyBytes + 1 + kSinpoChars + 2 * kRegisterDateChars + 2 + 2 * 2;

size_t RowBytes(const RegisterRow& row) {
    return kMinRowBytes + (row.Pending != PendingState::None ? kKeyBytes : 0) +
           std::min(row.Details.size(), kMaxDetailsChars) + std::min(row.ReplyNote.size(), kMaxReplyNoteChars);
}

bool ReadRow(Reader& reader, RegisterRow* row, std::string* why) {
    row->Key = reader.Key();
    uint64_t pending = reader.Int(1);
    row->PendingKey = pending != 0 ? reader.Key() : row->Key;
    row->Sinpo = reader.Fixed(kSinpoChars);
    row->SentDate = reader.Fixed(kRegisterDateChars);
    uint64_t via = reader.Int(1);
    row->ReplyDate = reader.Fixed(kRegisterDateChars);
    uint64_t kind = reader.Int(1);
    row->Details = reader.Text(kMaxDetailsChars);
    row->ReplyNote = reader.Text(kMaxReplyNoteChars);
    if (!reader.Ok) return (*why = "a row is cut short or too long"), false;
    if (pending > static_cast<uint8_t>(PendingState::Removed) || via > kLastSentVia || kind > kLastReplyKind) {
        return (*why = "a row holds a value no register has"), false;
    }
    row->Pending = static_cast<PendingState>(pending);
    row->Via = static_cast<SentVia>(via);
    row->Reply = static_cast<ReplyKind>(kind);
    return true;
}

}  // namespace

std::string RegisterPath(const std::string& logPath) { return logPath + ".RRG"; }
std::string RegisterTemporaryPath(const std::string& logPath) { return logPath + ".RRG.TMP"; }

std::string EncodeRegister(const RegisterContent& content) { return EncodeRegister(content.Change, content.Rows); }

std::string EncodeRegister(const PendingChange& change, const std::vector<RegisterRow>& rows) {
    std::string out;
    EncodeRegisterInto(change, rows, &out);
    return out;
}

void EncodeRegisterInto(const PendingChange& change, const std::vector<RegisterRow>& rows, std::string* out) {
    size_t size = kHeaderBytes + kCheckBytes;
    for (const RegisterRow& row : rows) size += RowBytes(row);
    out->resize(size);
    Writer put{&(*out)[0]};
    put.Bytes(kRegisterMagic, sizeof(kRegisterMagic));
    put.Int(rows.size(), 4);
    put.Int(change.Active ? 1 : 0, 1);
    put.Int(static_cast<uint64_t>(change.CountBefore), 8);
    put.Int(static_cast<uint64_t>(change.CountAfter), 8);
    for (const RegisterRow& row : rows) {
        put.Key(row.Key);
        put.Int(static_cast<uint8_t>(row.Pending), 1);
        if (row.Pending != PendingState::None) put.Key(row.PendingKey);
        put.Fixed(row.Sinpo, kSinpoChars);
        put.Fixed(row.SentDate, kRegisterDateChars);
        put.Int(static_cast<uint8_t>(row.Via), 1);
        put.Fixed(row.ReplyDate, kRegisterDateChars);
        put.Int(static_cast<uint8_t>(row.Reply), 1);
        put.Text(row.Details, kMaxDetailsChars);
        put.Text(row.ReplyNote, kMaxReplyNoteChars);
    }
    put.Int(RecordCheck(out->data(), size - kCheckBytes), static_cast<int>(kCheckBytes));
}

bool DecodeRegister(const std::string& bytes, RegisterContent* content, std::string* why) {
    *content = RegisterContent();
    if (bytes.size() < kHeaderBytes + kCheckBytes ||
        std::memcmp(bytes.data(), kRegisterMagic, sizeof(kRegisterMagic)) != 0) {
        return (*why = "it is not a report register"), false;
    }
    size_t body = bytes.size() - kCheckBytes;
    Reader check{bytes, body};
    if (check.Int(static_cast<int>(kCheckBytes)) != RecordCheck(bytes.data(), body))
        return (*why = "its check value does not match"), false;
    Reader reader{bytes, sizeof(kRegisterMagic)};
    uint64_t rows = reader.Int(4);
    uint64_t active = reader.Int(1);
    content->Change.CountBefore = static_cast<int64_t>(reader.Int(8));
    content->Change.CountAfter = static_cast<int64_t>(reader.Int(8));
    if (active > 1 || content->Change.CountBefore < 0 || content->Change.CountAfter < 0) {
        return (*why = "its header holds a value no register has"), false;
    }
    content->Change.Active = active == 1;
    if (rows > (body - reader.At) / kMinRowBytes) return (*why = "it names more rows than it holds"), false;
    content->Rows.resize(static_cast<size_t>(rows));
    for (RegisterRow& row : content->Rows) {
        if (!ReadRow(reader, &row, why)) return false;
    }
    if (reader.At != body) return (*why = "it holds bytes after its last row"), false;
    return true;
}

RegisterRead ReadRegisterFile(const std::string& path, RegisterContent* content, std::string* why) {
    *content = RegisterContent();
    if (!FileExists(path.c_str())) return RegisterRead::Missing;
    std::string bytes;
    if (!FileReadAll(path.c_str(), &bytes, kMaxRegisterBytes + 1)) {
        *why = "it cannot be opened";
        return RegisterRead::Unreadable;
    }
    if (bytes.size() > kMaxRegisterBytes) {
        *why = "it is larger than any register";
        return RegisterRead::Unreadable;
    }
    return DecodeRegister(bytes, content, why) ? RegisterRead::Read : RegisterRead::Unreadable;
}

bool ReplaceRegisterFile(const std::string& path, const std::string& temporary, const PendingChange& change,
                         const std::vector<RegisterRow>& rows, std::string* scratch) {
    if (rows.empty() && !change.Active) {
        if (!FileExists(path.c_str())) return true;
        return FileDelete(path.c_str()) && FolderFlush(FolderOfPath(path).c_str());
    }
    EncodeRegisterInto(change, rows, scratch);
    return FileWriteAllReplacing(path.c_str(), temporary.c_str(), *scratch);
}
