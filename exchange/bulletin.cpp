#include "exchange/bulletin.h"

#include <algorithm>

#include "exchange/output_name.h"
#include "logstore/log_walk.h"
#include "platform/file.h"
#include "records/text_trim.h"

namespace {

constexpr const char* kLineEnd = "\r\n";
// Lines are gathered and written in blocks of about a megabyte.
constexpr size_t kWriteBlock = 1 << 20;

template <size_t N>
std::string Piece(const char (&field)[N]) {
    std::string text(field, N);
    // A line break would split the report over two lines of the bulletin.
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return TrimBoth(text);
}

void AddPiece(const std::string& piece, const char* separator, std::string* line) {
    if (piece.empty()) return;
    *line += piece;
    *line += separator;
}

// The keys of one item, worked out once before sorting.
struct BulletinKey {
    bool late = false;     // Date or Time not valid
    bool numeric = false;  // Freq is a number
    DecimalView value;     // looks into the item's Freq
    std::string freqText;  // trimmed, for frequencies that are not numbers
    DateKey date = kNoDate;
    int minutes = 0;
    int32_t number = 0;
    size_t index = 0;
};

BulletinKey KeyOf(const BulletinItem& item, size_t index) {
    const LogEntry& entry = item.entry;
    BulletinKey key;
    TimeOfDay time;
    key.date = ReadDashedDate(entry.Date, sizeof entry.Date);
    bool timeValid = ReadColonTime(entry.Time, sizeof entry.Time, &time);
    key.late = key.date == kNoDate || !timeValid;
    key.numeric = ReadDecimal(entry.Freq, sizeof entry.Freq, &key.value);
    if (!key.numeric) key.freqText = TrimBoth(FieldText(entry.Freq));
    key.minutes = time.hour * 60 + time.minute;
    key.number = item.number;
    key.index = index;
    return key;
}

int CompareFrequency(const BulletinKey& a, const BulletinKey& b) {
    if (a.numeric != b.numeric) return a.numeric ? -1 : 1;
    if (a.numeric) return CompareDecimal(a.value, b.value);
    // std::string compares its bytes as unsigned values.
    int order = a.freqText.compare(b.freqText);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

bool KeyBefore(const BulletinKey& a, const BulletinKey& b) {
    if (a.late != b.late) return !a.late;
    int byFrequency = CompareFrequency(a, b);
    if (byFrequency != 0) return byFrequency < 0;
    if (!a.late) {
        if (a.date != b.date) return a.date < b.date;
        if (a.minutes != b.minutes) return a.minutes < b.minutes;
    }
    return a.number < b.number;
}

struct Collector {
    const ReportFilter* filter;
    int64_t nextNumber;
    std::vector<BulletinItem> items;
};

bool CollectEntry(const LogEntry& entry, void* context) {
    Collector* collector = static_cast<Collector*>(context);
    int64_t number = collector->nextNumber++;
    if (EntryMatches(*collector->filter, entry)) collector->items.push_back({entry, static_cast<int32_t>(number)});
    return true;
}

bool WriteLines(PlatformFile file, const std::vector<BulletinItem>& items) {
    std::string block;
    int64_t offset = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        block += BulletinLine(items[i].entry);
        block += kLineEnd;
        if (block.size() < kWriteBlock && i + 1 < items.size()) continue;
        if (!FileWriteAt(file, offset, block.data(), block.size())) return false;
        offset += static_cast<int64_t>(block.size());
        block.clear();
    }
    return true;
}

}  // namespace

std::string BulletinLine(const LogEntry& entry) {
    std::string line;
    AddPiece(Piece(entry.Freq), " ", &line);
    TimeOfDay time;
    bool timeValid = ReadColonTime(entry.Time, sizeof entry.Time, &time);
    // A damaged time is shown as it stands rather than dropped.
    std::string timeText = timeValid ? std::string(entry.Time, 2) + std::string(entry.Time + 3, 2) : Piece(entry.Time);
    AddPiece(timeText, " ", &line);
    AddPiece(Piece(entry.Station), ", ", &line);
    AddPiece(Piece(entry.Location), ". ", &line);
    AddPiece(Piece(entry.Remarks), " ", &line);
    DateKey date = ReadDashedDate(entry.Date, sizeof entry.Date);
    if (date != kNoDate && timeValid) line += std::to_string(date % 100) + "/" + std::to_string(date / 100 % 100);
    return TrimRight(line);
}

void SortBulletin(std::vector<BulletinItem>* items) {
    std::vector<BulletinKey> keys;
    keys.reserve(items->size());
    for (size_t i = 0; i < items->size(); ++i) keys.push_back(KeyOf((*items)[i], i));
    std::sort(keys.begin(), keys.end(), KeyBefore);
    std::vector<BulletinItem> sorted;
    sorted.reserve(items->size());
    for (const BulletinKey& key : keys) sorted.push_back((*items)[key.index]);
    items->swap(sorted);
}

ExportResult WriteBulletin(LogStore& log, int64_t start, const std::string& fileName, const ReportFilter& filter) {
    ExportResult result;
    PlatformFile file;
    result.status = CreateOutputFile(log, fileName, &file);
    if (result.status != ExportStatus::Written) return result;
    // The walk starts at entry 1 for anything below it.
    Collector collector{&filter, std::max<int64_t>(start, 1), {}};
    WalkResult walk = WalkLog(log, start, CollectEntry, &collector);
    SortBulletin(&collector.items);
    bool written = WriteLines(file, collector.items);
    FileClose(&file);
    result.count = static_cast<int32_t>(collector.items.size());
    if (!written) {
        result.status = ExportStatus::WriteFailed;
    } else if (walk.readFailed) {
        result.status = ExportStatus::ReadFailed;
    }
    return result;
}

std::string BulletinNameFromUpperPath(const std::string& upperPath) {
    return OutputNameFromUpperPath(upperPath, ".TXT");
}
