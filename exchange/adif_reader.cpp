#include "exchange/adif_reader.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "records/byte_words.h"
#include "records/code_page_1252.h"

namespace {

// The longest tag looked for: "<NAME:LENGTH:TYPE>" of any real field.
constexpr size_t kLongestTag = 256;
// More digits than any length within a file the import takes.
constexpr size_t kLongestLength = 18;

int64_t SourceSize(const ByteSource& source) {
    return source.File.IsOpen() ? source.Size : static_cast<int64_t>(source.Memory.size());
}

size_t Held(const AdifReader* reader) { return reader->Buffer.size() - reader->At; }

int64_t NextOffset(const AdifReader* reader) { return reader->BufferOffset + static_cast<int64_t>(reader->At); }

bool ReadInto(AdifReader* reader, int64_t offset, size_t count) {
    size_t old = reader->Buffer.size();
    reader->Buffer.resize(old + count);
    const ByteSource& source = *reader->Source;
    if (!source.File.IsOpen()) {
        std::memcpy(reader->Buffer.data() + old, source.Memory.data() + offset, count);
        return true;
    }
    size_t got = 0;
    while (got < count) {
        size_t part = 0;
        if (!FileReadAt(source.File, offset + static_cast<int64_t>(got), reader->Buffer.data() + old + got, count - got,
                        &part) ||
            part == 0) {
            reader->Buffer.resize(old + got);
            reader->ReadFailed = true;
            return false;
        }
        got += part;
    }
    TellReadProgress(source, offset + static_cast<int64_t>(count));
    return true;
}

// Tallies the held bytes before `to`; returns how many of them, at the end,
// begin a character that the bytes after `to` may complete.
size_t TallyHeld(AdifReader* reader, size_t to) {
    if (!reader->Tally || reader->NotUtf8 || to <= reader->TallyFrom) return 0;
    std::string_view part(reader->Buffer.data() + reader->TallyFrom, to - reader->TallyFrom);
    size_t cut = part.size() - ValidUtf8Length(part, &reader->BeyondAscii);
    if (cut >= 4) reader->NotUtf8 = true;  // no character is that long: a byte that is not UTF-8
    if (reader->NotUtf8) cut = 0;
    reader->TallyFrom = to - cut;
    return cut;
}

// Reads more of the file behind the held bytes, dropping those already read.
bool HoldMore(AdifReader* reader, size_t need) {
    size_t drop = reader->At - TallyHeld(reader, reader->At);
    reader->Buffer.erase(reader->Buffer.begin(), reader->Buffer.begin() + static_cast<ptrdiff_t>(drop));
    reader->BufferOffset += static_cast<int64_t>(drop);
    reader->At -= drop;
    reader->TallyFrom = reader->TallyFrom > drop ? reader->TallyFrom - drop : 0;
    int64_t end = reader->BufferOffset + static_cast<int64_t>(reader->Buffer.size());
    int64_t remaining = reader->Size - end;
    size_t want = std::max(need - Held(reader), reader->Source->WindowBytes);
    want = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(want), std::max<int64_t>(remaining, 0)));
    if (want > 0 && !reader->ReadFailed) ReadInto(reader, end, want);
    return Held(reader) >= need;
}

// Makes `need` bytes from `at` on held, or as many as the file still has;
// true when `need` are held. Mostly they are: that case is the quick one.
inline bool Hold(AdifReader* reader, size_t need) { return Held(reader) >= need || HoldMore(reader, need); }

void Pass(AdifReader* reader, int64_t count) {
    if (count <= static_cast<int64_t>(Held(reader))) {
        reader->At += static_cast<size_t>(count);
        return;
    }
    if (reader->Tally) reader->TallyMissed = true;
    reader->BufferOffset = NextOffset(reader) + count;
    reader->Buffer.clear();
    reader->At = 0;
    reader->TallyFrom = 0;
}

// Moves to the next '<'; false at the end of the file.
bool FindTagStart(AdifReader* reader) {
    // Fields are mostly written one after the other: the next byte, or the one after a blank.
    for (size_t look = reader->At; look < reader->Buffer.size() && look < reader->At + 2; ++look) {
        if (reader->Buffer[look] == '<') {
            reader->At = look;
            return true;
        }
    }
    for (;;) {
        const char* from = reader->Buffer.data() + reader->At;
        const void* found = Held(reader) ? std::memchr(from, '<', Held(reader)) : nullptr;
        if (found) {
            reader->At += static_cast<size_t>(static_cast<const char*>(found) - from);
            return true;
        }
        reader->At = reader->Buffer.size();
        if (!Hold(reader, 1)) return false;
    }
}

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// ':', '>' and '<' end a tag's name; one test a byte, for most bytes are letters.
bool EndsName(char c) { return static_cast<unsigned char>(c) <= '>' && (c == ':' || c == '>' || c == '<'); }

// Zeros after the item's name to the end of its last word (or in the word
// after it, when the name fills its last).
void PadName(AdifItem* item, size_t length) {
    char* last = item->NameBytes + length / sizeof(uint64_t) * sizeof(uint64_t);
    size_t kept = length % sizeof(uint64_t);
    PutWord(last, kept ? WordAt(last) & ((uint64_t{1} << (8 * kept)) - 1) : 0);
}

// Copies the name after the tag's '<' into the item in upper case, eight
// bytes at a time while the held bytes last: every field has a name, and
// most are over eight letters. Returns where the byte that ends it is (the
// size of `held`, at most kLongestTag, without one).
size_t CopyNameInUpperCase(std::string_view held, AdifItem* item) {
    char* name = item->NameBytes;  // name[at - 1] is the byte of held[at]
    size_t at = 1;
    for (; at + sizeof(uint64_t) <= held.size(); at += sizeof(uint64_t)) {
        uint64_t word = WordAt(held.data() + at);
        // ':' to '>' takes in '<' and two bytes no name holds, which the full reading then reads.
        uint64_t ends = BytesWithin(word, ':', '>');
        if (ends) {
            size_t within = FirstMarkedByte(ends);
            PutWord(name + at - 1, UpperAsciiWord(word) & ((uint64_t{1} << (8 * within)) - 1));
            return at + within;
        }
        PutWord(name + at - 1, UpperAsciiWord(word));
    }
    for (; at < held.size() && !EndsName(held[at]); ++at) name[at - 1] = UpperAscii(held[at]);
    PadName(item, at - 1);
    return at;
}

// The name in upper case, kept in the item (a tag is shorter than its room).
void SetName(std::string_view text, AdifItem* item) {
    size_t length = std::min(text.size(), kLongestTag);
    for (size_t i = 0; i < length; ++i) item->NameBytes[i] = UpperAscii(text[i]);
    PadName(item, length);
    item->Name = std::string_view(item->NameBytes, length);
}

void Damage(AdifItem* item, const std::string& why) {
    item->Kind = AdifItemKind::Damaged;
    item->Damage = why;
}

// The length of a field, or false with the damage said.
bool ReadLength(std::string_view text, std::string_view fieldName, int64_t* length, AdifItem* item) {
    if (!text.empty() && text[0] == '-') {
        Damage(item, "the length of " + std::string(fieldName) + " is negative");
        return false;
    }
    bool digits = !text.empty();
    for (char c : text) digits = digits && c >= '0' && c <= '9';
    if (!digits) {
        Damage(item, "the length of " + std::string(fieldName) + " is not a number");
        return false;
    }
    size_t significant = 0;
    while (significant < text.size() && text[significant] == '0') ++significant;
    if (text.size() - significant > kLongestLength) {
        Damage(item, "the length of " + std::string(fieldName) + " is absurdly large");
        return false;
    }
    *length = 0;
    for (char c : text) *length = *length * 10 + (c - '0');
    return true;
}

bool EndsData(const AdifReader* reader, size_t at) {
    if (at >= reader->Buffer.size()) return true;  // the end of the file: all that remains is held
    char c = reader->Buffer[at];
    return c == '<' || c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The bytes of `count` UTF-8 characters from `at`, 0 when they are not all there.
size_t CharacterBytes(const AdifReader* reader, size_t count) {
    std::string_view held(reader->Buffer.data(), reader->Buffer.size());
    size_t at = reader->At;
    for (size_t i = 0; i < count; ++i) {
        uint32_t code = 0;
        size_t length = DecodeUtf8Char(held, at, &code);
        if (length == 0) return 0;
        at += length;
    }
    return at - reader->At;
}

void ReadData(AdifReader* reader, int64_t length, AdifItem* item) {
    item->Kind = AdifItemKind::Field;
    size_t count = static_cast<size_t>(length);
    // The file was measured to hold the data; one that shrank since is a file that cannot be read.
    if (!Hold(reader, std::min(count, kAdifKeptData))) {
        reader->ReadFailed = true;
        item->Kind = AdifItemKind::End;
        return;
    }
    if (count > kAdifKeptData) {
        item->LongData.assign(reader->Buffer.data() + reader->At, kAdifKeptData);
        item->Data = item->LongData;
        Pass(reader, length);
        return;
    }
    Hold(reader, count + 1);
    size_t bytes = count;
    if (reader->Utf8 && !EndsData(reader, reader->At + count)) {
        Hold(reader, 4 * count + 1);
        size_t characters = CharacterBytes(reader, count);
        if (characters > 0 && EndsData(reader, reader->At + characters)) bytes = characters;
    }
    item->Data = std::string_view(reader->Buffer.data() + reader->At, bytes);
    reader->At += bytes;
}

// Where the first ':' is, npos without one; tags are short, so byte by byte.
size_t ColonIn(std::string_view tag) {
    for (size_t i = 0; i < tag.size(); ++i) {
        if (tag[i] == ':') return i;
    }
    return std::string_view::npos;
}

// The tag's text between '<' and '>' (in the buffer, which reading the data
// may move: it is read before) as an item, reading the data of a field.
void ReadTag(AdifReader* reader, std::string_view tag, AdifItem* item) {
    size_t colon = ColonIn(tag);
    SetName(tag.substr(0, colon), item);
    if (colon == std::string_view::npos) {
        if (item->Name == "EOR")
            item->Kind = AdifItemKind::EndOfRecord;
        else if (item->Name == "EOH")
            item->Kind = AdifItemKind::EndOfHeader;
        else
            Damage(item, "the tag <" + std::string(item->Name) + "> has no length");
        return;
    }
    std::string_view lengthText = tag.substr(colon + 1);
    lengthText = lengthText.substr(0, ColonIn(lengthText));  // without the type indicator
    int64_t length = 0;
    if (!ReadLength(lengthText, item->Name, &length, item)) return;
    // The tag's view is not used past here.
    if (length > reader->Size - NextOffset(reader)) {
        reader->PastEnd = true;
        Damage(item, "the field " + std::string(item->Name) + " runs past the end of the file");
        return;
    }
    ReadData(reader, length, item);
}

// "<EOR>" in any letter case, its four bytes after '<' tested at once: the
// case bit cleared, only 'e', 'o' and 'r' become 'E', 'O' and 'R'.
bool IsEndOfRecordTag(std::string_view held) {
    if (held.size() < 5) return false;
    uint32_t four = 0;
    std::memcpy(&four, held.data() + 1, sizeof four);
    constexpr uint32_t kEndOfRecord = 'E' | 'O' << 8 | 'R' << 16 | uint32_t{'>'} << 24;  // the first byte lowest
    return (four & 0xFFDFDFDF) == kEndOfRecord;
}

// The common tag, "<NAME:LENGTH>" or "<NAME:LENGTH:TYPE>" with the length in
// plain digits, read in one pass over `held` (from its '<'). False for any
// other form, which the full reading then says what is wrong with.
bool ReadPlainTag(AdifReader* reader, std::string_view held, AdifItem* item) {
    // Every record ends with the one tag that has no length.
    if (IsEndOfRecordTag(held)) {
        item->Kind = AdifItemKind::EndOfRecord;
        reader->At += 5;
        return true;
    }
    size_t at = CopyNameInUpperCase(held, item);
    size_t nameLength = at - 1;
    if (at == held.size() || held[at] != ':' || nameLength == 0) return false;
    uint64_t length = 0;  // unsigned: more digits than kLongestLength may wrap, and are refused below
    size_t digits = ++at;
    for (unsigned digit; at < held.size() && (digit = static_cast<unsigned char>(held[at]) - '0') <= 9; ++at) {
        length = length * 10 + digit;
    }
    if (at == digits || at == held.size() || at - digits > kLongestLength) return false;
    if (held[at] == ':') {
        while (++at < held.size() && held[at] != '>' && held[at] != '<' && held[at] != ':') {}
    }
    if (at == held.size() || held[at] != '>') return false;
    item->Name = std::string_view(item->NameBytes, nameLength);
    if (static_cast<int64_t>(length) > reader->Size - NextOffset(reader) - static_cast<int64_t>(at + 1)) return false;
    reader->At += at + 1;
    // Mostly the data and the byte after it are held, and the length counts bytes.
    size_t count = static_cast<size_t>(length);
    if (count < Held(reader) && count <= kAdifKeptData && (!reader->Utf8 || EndsData(reader, reader->At + count))) {
        item->Kind = AdifItemKind::Field;
        item->Data = std::string_view(reader->Buffer.data() + reader->At, count);
        reader->At += count;
        return true;
    }
    ReadData(reader, static_cast<int64_t>(length), item);
    return true;
}

}  // namespace

void OpenAdifReader(AdifReader* reader, const ByteSource& source, bool utf8) {
    *reader = AdifReader();
    reader->Source = &source;
    reader->Size = SourceSize(source);
    reader->Utf8 = utf8;
    Hold(reader, 3);
    reader->At = Utf8BomLength(std::string_view(reader->Buffer.data(), reader->Buffer.size()));
    reader->TallyFrom = reader->At;
}

void NextAdifItem(AdifReader* reader, AdifItem* item) {
    item->Kind = AdifItemKind::End;
    item->Name = {};
    item->Data = {};
    if (reader->PastEnd || !FindTagStart(reader)) return;
    Hold(reader, kLongestTag);
    std::string_view held(reader->Buffer.data() + reader->At, std::min(Held(reader), kLongestTag));
    if (ReadPlainTag(reader, held, item)) return;
    // A '<' before the '>' starts the next tag: this one has no end.
    size_t close = 1;
    while (close < held.size() && held[close] != '>' && held[close] != '<') ++close;
    if (close == held.size() || held[close] == '<') {
        reader->At += 1;
        Damage(item, "a tag has no '>'");
        return;
    }
    std::string_view tag = held.substr(1, close - 1);
    reader->At += close + 1;
    ReadTag(reader, tag, item);
}

AdifText FinishAdifTally(AdifReader* reader) {
    bool whole = reader->BufferOffset + static_cast<int64_t>(reader->Buffer.size()) == reader->Size;
    if (!reader->Tally || reader->TallyMissed || reader->ReadFailed || !whole) return AdifText::Unknown;
    if (TallyHeld(reader, reader->Buffer.size()) > 0) reader->NotUtf8 = true;  // the file ends inside a character
    if (reader->NotUtf8) return AdifText::NotUtf8;
    return reader->BeyondAscii ? AdifText::Utf8 : AdifText::Ascii;
}
