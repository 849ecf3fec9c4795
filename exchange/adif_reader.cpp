#include "exchange/adif_reader.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "records/code_page_1252.h"

namespace {

// The longest tag looked for: "<NAME:LENGTH:TYPE>" of any real field.
constexpr size_t kLongestTag = 256;
// More digits than any length within a file the import takes.
constexpr size_t kLongestLength = 18;

int64_t SourceSize(const ByteSource& source) {
    return source.file.IsOpen() ? source.size : static_cast<int64_t>(source.memory.size());
}

size_t Held(const AdifReader* reader) { return reader->buffer.size() - reader->at; }

int64_t NextOffset(const AdifReader* reader) { return reader->bufferOffset + static_cast<int64_t>(reader->at); }

bool ReadInto(AdifReader* reader, int64_t offset, size_t count) {
    size_t old = reader->buffer.size();
    reader->buffer.resize(old + count);
    const ByteSource& source = *reader->source;
    if (!source.file.IsOpen()) {
        std::memcpy(reader->buffer.data() + old, source.memory.data() + offset, count);
        return true;
    }
    size_t got = 0;
    while (got < count) {
        size_t part = 0;
        if (!FileReadAt(source.file, offset + static_cast<int64_t>(got), reader->buffer.data() + old + got, count - got,
                        &part) ||
            part == 0) {
            reader->buffer.resize(old + got);
            reader->readFailed = true;
            return false;
        }
        got += part;
    }
    return true;
}

// Reads more of the file behind the held bytes, dropping those already read.
bool HoldMore(AdifReader* reader, size_t need) {
    reader->buffer.erase(reader->buffer.begin(), reader->buffer.begin() + static_cast<ptrdiff_t>(reader->at));
    reader->bufferOffset += static_cast<int64_t>(reader->at);
    reader->at = 0;
    int64_t end = reader->bufferOffset + static_cast<int64_t>(reader->buffer.size());
    int64_t remaining = SourceSize(*reader->source) - end;
    size_t want = std::max(need - reader->buffer.size(), reader->source->windowBytes);
    want = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(want), std::max<int64_t>(remaining, 0)));
    if (want > 0 && !reader->readFailed) ReadInto(reader, end, want);
    return Held(reader) >= need;
}

// Makes `need` bytes from `at` on held, or as many as the file still has;
// true when `need` are held. Mostly they are: that case is the quick one.
inline bool Hold(AdifReader* reader, size_t need) { return Held(reader) >= need || HoldMore(reader, need); }

void Pass(AdifReader* reader, int64_t count) {
    if (count <= static_cast<int64_t>(Held(reader))) {
        reader->at += static_cast<size_t>(count);
        return;
    }
    reader->bufferOffset = NextOffset(reader) + count;
    reader->buffer.clear();
    reader->at = 0;
}

// Moves to the next '<'; false at the end of the file.
bool FindTagStart(AdifReader* reader) {
    // Fields are mostly written one after the other: the next byte, or the one after a blank.
    for (size_t look = reader->at; look < reader->buffer.size() && look < reader->at + 2; ++look) {
        if (reader->buffer[look] == '<') {
            reader->at = look;
            return true;
        }
    }
    for (;;) {
        const char* from = reader->buffer.data() + reader->at;
        const void* found = Held(reader) ? std::memchr(from, '<', Held(reader)) : nullptr;
        if (found) {
            reader->at += static_cast<size_t>(static_cast<const char*>(found) - from);
            return true;
        }
        reader->at = reader->buffer.size();
        if (!Hold(reader, 1)) return false;
    }
}

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The name in upper case, kept in the item (a tag is shorter than its room).
void SetName(std::string_view text, AdifItem* item) {
    size_t length = std::min(text.size(), sizeof item->nameBytes);
    for (size_t i = 0; i < length; ++i) item->nameBytes[i] = UpperAscii(text[i]);
    item->name = std::string_view(item->nameBytes, length);
}

void Damage(AdifItem* item, const std::string& why) {
    item->kind = AdifItemKind::Damaged;
    item->damage = why;
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
    if (at >= reader->buffer.size()) return true;  // the end of the file: all that remains is held
    char c = reader->buffer[at];
    return c == '<' || c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The bytes of `count` UTF-8 characters from `at`, 0 when they are not all there.
size_t CharacterBytes(const AdifReader* reader, size_t count) {
    std::string_view held(reader->buffer.data(), reader->buffer.size());
    size_t at = reader->at;
    for (size_t i = 0; i < count; ++i) {
        uint32_t code = 0;
        size_t length = DecodeUtf8Char(held, at, &code);
        if (length == 0) return 0;
        at += length;
    }
    return at - reader->at;
}

void ReadData(AdifReader* reader, int64_t length, AdifItem* item) {
    item->kind = AdifItemKind::Field;
    size_t count = static_cast<size_t>(length);
    // The file was measured to hold the data; one that shrank since is a file that cannot be read.
    if (!Hold(reader, std::min(count, kAdifKeptData))) {
        reader->readFailed = true;
        item->kind = AdifItemKind::End;
        return;
    }
    if (count > kAdifKeptData) {
        item->longData.assign(reader->buffer.data() + reader->at, kAdifKeptData);
        item->data = item->longData;
        Pass(reader, length);
        return;
    }
    Hold(reader, count + 1);
    size_t bytes = count;
    if (reader->utf8 && !EndsData(reader, reader->at + count)) {
        Hold(reader, 4 * count + 1);
        size_t characters = CharacterBytes(reader, count);
        if (characters > 0 && EndsData(reader, reader->at + characters)) bytes = characters;
    }
    item->data = std::string_view(reader->buffer.data() + reader->at, bytes);
    reader->at += bytes;
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
        if (item->name == "EOR")
            item->kind = AdifItemKind::EndOfRecord;
        else if (item->name == "EOH")
            item->kind = AdifItemKind::EndOfHeader;
        else
            Damage(item, "the tag <" + std::string(item->name) + "> has no length");
        return;
    }
    std::string_view lengthText = tag.substr(colon + 1);
    lengthText = lengthText.substr(0, ColonIn(lengthText));  // without the type indicator
    int64_t length = 0;
    if (!ReadLength(lengthText, item->name, &length, item)) return;
    // The tag's view is not used past here.
    if (length > SourceSize(*reader->source) - NextOffset(reader)) {
        reader->pastEnd = true;
        Damage(item, "the field " + std::string(item->name) + " runs past the end of the file");
        return;
    }
    ReadData(reader, length, item);
}

}  // namespace

void OpenAdifReader(AdifReader* reader, const ByteSource& source, bool utf8) {
    *reader = AdifReader();
    reader->source = &source;
    reader->utf8 = utf8;
    Hold(reader, 3);
    reader->at = Utf8BomLength(std::string_view(reader->buffer.data(), reader->buffer.size()));
}

void NextAdifItem(AdifReader* reader, AdifItem* item) {
    item->kind = AdifItemKind::End;
    item->name = {};
    item->data = {};
    if (reader->pastEnd || !FindTagStart(reader)) return;
    Hold(reader, kLongestTag);
    std::string_view held(reader->buffer.data() + reader->at, std::min(Held(reader), kLongestTag));
    // A '<' before the '>' starts the next tag: this one has no end.
    size_t close = 1;
    while (close < held.size() && held[close] != '>' && held[close] != '<') ++close;
    if (close == held.size() || held[close] == '<') {
        reader->at += 1;
        Damage(item, "a tag has no '>'");
        return;
    }
    std::string_view tag = held.substr(1, close - 1);
    reader->at += close + 1;
    ReadTag(reader, tag, item);
}
