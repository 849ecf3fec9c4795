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
    bool Late = false;     // Date or Time not valid
    bool Numeric = false;  // Freq is a number
    DecimalView Value;     // looks into the item's Freq
    std::string FreqText;  // trimmed, for frequencies that are not numbers
    DateKey Date = kNoDate;
    int Minutes = 0;
    int32_t Number = 0;
    size_t Index = 0;
};

BulletinKey KeyOf(const BulletinItem& item, size_t index) {
    const LogEntry& entry = item.Entry;
    BulletinKey key;
    TimeOfDay time;
    key.Date = ReadDashedDate(entry.Date, sizeof entry.Date);
    bool timeValid = ReadColonTime(entry.Time, sizeof entry.Time, &time);
    key.Late = key.Date == kNoDate || !timeValid;
    key.Numeric = ReadDecimal(entry.Freq, sizeof entry.Freq, &key.Value);
    if (!key.Numeric) key.FreqText = TrimBoth(FieldText(entry.Freq));
    key.Minutes = time.Hour * 60 + time.Minute;
    key.Number = item.Number;
    key.Index = index;
    return key;
}

int CompareFrequency(const BulletinKey& a, const BulletinKey& b) {
    if (a.Numeric != b.Numeric) return a.Numeric ? -1 : 1;
    if (a.Numeric) return CompareDecimal(a.Value, b.Value);
    // std::string compares its bytes as unsigned values.
    int order = a.FreqText.compare(b.FreqText);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

bool KeyBefore(const BulletinKey& a, const BulletinKey& b) {
    if (a.Late != b.Late) return !a.Late;
    int byFrequency = CompareFrequency(a, b);
    if (byFrequency != 0) return byFrequency < 0;
    if (!a.Late) {
        if (a.Date != b.Date) return a.Date < b.Date;
        if (a.Minutes != b.Minutes) return a.Minutes < b.Minutes;
    }
    return a.Number < b.Number;
}

struct Collector {
    const ReportFilter* Filter;
    int64_t NextNumber;
    std::vector<BulletinItem> Items;
};

bool CollectEntry(const LogEntry& entry, void* context) {
    Collector* collector = static_cast<Collector*>(context);
    int64_t number = collector->NextNumber++;
    if (EntryChosen(*collector->Filter, entry, number))
        collector->Items.push_back({entry, static_cast<int32_t>(number)});
    return true;
}

bool WriteLines(PlatformFile file, const std::vector<BulletinItem>& items) {
    std::string block;
    int64_t offset = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        block += BulletinLine(items[i].Entry);
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
    for (const BulletinKey& key : keys) sorted.push_back((*items)[key.Index]);
    items->swap(sorted);
}

ExportResult WriteBulletin(LogStore& log, int64_t start, const std::string& fileName, const ReportFilter& filter) {
    ExportResult result;
    PlatformFile file;
    result.Status = CreateOutputFile(log, fileName, &file);
    if (result.Status != ExportStatus::Written) return result;
    // The walk starts at entry 1 for anything below it.
    Collector collector{&filter, std::max<int64_t>(start, 1), {}};
    WalkResult walk = WalkLog(log, start, CollectEntry, &collector);
    SortBulletin(&collector.Items);
    bool written = WriteLines(file, collector.Items);
    result.Count = static_cast<int32_t>(collector.Items.size());
    result.Status = FinishOutputFile(&file, fileName, written, walk.ReadFailed);
    return result;
}

std::string BulletinNameFromUpperPath(const std::string& upperPath) {
    return OutputNameFromUpperPath(upperPath, ".TXT");
}
