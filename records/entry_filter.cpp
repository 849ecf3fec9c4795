#include "records/entry_filter.h"

#include <algorithm>
#include <string>

#include "records/text_trim.h"

namespace {

const char* BoxName(FilterBox box) {
    switch (box) {
        case FilterBox::Station: return "Station starts with";
        case FilterBox::DateFrom: return "Date from";
        case FilterBox::DateTo: return "Date to";
        case FilterBox::FrequencyFrom: return "Frequency from";
        case FilterBox::FrequencyTo: return "Frequency to";
    }
    return "";
}

std::string Quoted(FilterBox box) { return std::string("\"") + BoxName(box) + "\""; }

void Refuse(FilterReading* reading, FilterBox box, const std::string& message) {
    if (!reading->Ok) return;  // the first refusal is the one shown
    reading->Ok = false;
    reading->Box = box;
    reading->Message = message;
}

DateKey ReadDateBox(const std::string& typed, FilterBox box, uint64_t* order, FilterReading* reading) {
    std::string text = TrimBoth(typed);
    if (text.empty()) return kNoDate;
    DateKey key = ReadDashedDate(text.data(), text.size());
    if (key != kNoDate) *order = DateOrderKey(text.data());
    if (key == kNoDate) {
        Refuse(reading, box,
               Quoted(box) + " is not a date: " + text + ". Type a real day as DD-MM-YYYY, for example 14-08-2026.");
    }
    return key;
}

bool ReadFrequencyBox(const std::string& typed, FilterBox box, DecimalValue* value, FilterReading* reading) {
    std::string text = TrimBoth(typed);
    if (text.empty()) return false;
    DecimalView view;
    if (ReadDecimal(text.data(), text.size(), &view)) {
        *value = KeptDecimal(view);
        return true;
    }
    Refuse(reading, box,
           Quoted(box) + " is not a frequency: " + text +
               ". Type the kHz in digits, with a point before any decimals, for example 9660 or 9660.5.");
    return false;
}

void CheckOrder(FilterReading* reading) {
    const ReportFilter& f = reading->Filter;
    if (f.DateFrom != kNoDate && f.DateTo != kNoDate && f.DateFrom > f.DateTo) {
        Refuse(
            reading, FilterBox::DateFrom,
            Quoted(FilterBox::DateFrom) + " is later than " + Quoted(FilterBox::DateTo) + ", so nothing could match.");
    }
    if (f.HasFrequencyFrom && f.HasFrequencyTo && CompareDecimal(ViewOf(f.FrequencyFrom), ViewOf(f.FrequencyTo)) > 0) {
        Refuse(reading, FilterBox::FrequencyFrom,
               Quoted(FilterBox::FrequencyFrom) + " is higher than " + Quoted(FilterBox::FrequencyTo) +
                   ", so nothing could match.");
    }
}

bool DateMatches(const ReportFilter& filter, const LogEntry& entry) {
    if (filter.DateFrom == kNoDate && filter.DateTo == kNoDate) return true;
    uint64_t date = DateOrderKey(entry.Date);
    if (date < filter.DateFromOrder || date > filter.DateToOrder) return false;
    // Only a date within the bounds needs the calendar's check.
    return ReadDashedDate(entry.Date, sizeof entry.Date) != kNoDate;
}

// Any Freq that is a number, in whatever form it was typed.
bool AnyFrequencyMatches(const ReportFilter& filter, const LogEntry& entry) {
    int64_t scaled = 0;
    switch (ReadTenThousandths(entry.Freq, sizeof entry.Freq, &scaled)) {
        case ScaledNumber::NotANumber: return false;
        case ScaledNumber::Fits:
            return (!filter.HasFrequencyFrom || scaled >= filter.FrequencyFromScaled) &&
                   (!filter.HasFrequencyTo || scaled <= filter.FrequencyToScaled);
        case ScaledNumber::TooLong: break;
    }
    DecimalView freq;
    ReadDecimal(entry.Freq, sizeof entry.Freq, &freq);
    return (!filter.HasFrequencyFrom || CompareDecimal(freq, ViewOf(filter.FrequencyFrom)) >= 0) &&
           (!filter.HasFrequencyTo || CompareDecimal(freq, ViewOf(filter.FrequencyTo)) <= 0);
}

bool FrequencyMatches(const ReportFilter& filter, const LogEntry& entry) {
    if (!filter.HasFrequencyFrom && !filter.HasFrequencyTo) return true;
    // Most Freqs are ruled out by their text alone (see SetTextKeys), and most
    // of the rest are whole kHz typed plainly, compared by key in a few steps.
    uint64_t textKey = FreqTextKey(FreqWord(entry.Freq));
    bool leadingDigit = static_cast<unsigned char>(entry.Freq[0] - '1') < 9;
    if (leadingDigit && (textKey < filter.TextFromKey || textKey > filter.TextToKey)) return false;
    uint64_t key = 0;
    if (ReadPlainKhzKey(entry.Freq, &key)) return key >= filter.PlainFromKey && key <= filter.PlainToKey;
    return AnyFrequencyMatches(filter, entry);
}

// The bounds of whole kHz that a Freq of up to six digits can be.
void SetPlainKeys(ReportFilter* f) {
    constexpr int64_t kLargestKhz = 999999;
    if (f->HasFrequencyFrom) {
        int64_t scaled = f->FrequencyFromScaled;
        int64_t whole = scaled / 10000 + (scaled % 10000 != 0 ? 1 : 0);
        f->PlainFromKey = whole > kLargestKhz ? UINT64_MAX : KhzKeyOf(whole);
    }
    // Between bounds that hold no whole kHz (1000.5 to 1000.7) the keys cross,
    // and no plain Freq matches.
    if (f->HasFrequencyTo) f->PlainToKey = KhzKeyOf(std::min(f->FrequencyToScaled / 10000, kLargestKhz));
}

// The text key of the digits of `khz`, followed by `fill` up to six bytes.
uint64_t TextKeyOf(int64_t khz, char fill) {
    char text[6];
    std::string digits = std::to_string(khz);
    for (size_t i = 0; i < 6; ++i) text[i] = i < digits.size() ? digits[i] : fill;
    return FreqTextKey(FreqWord(text));
}

// A number of up to six bytes that begins with a digit 1..9 is its whole part
// I (d digits, no leading zero) followed by bytes no lower than a blank ('.',
// digits or blanks). In range, I lies between the whole parts of the bounds,
// so the text's key lies between the key of the lowest such I followed by
// blanks and that of the highest followed by bytes 0xFF, over every d. Any
// Freq outside these keys that begins so is out of range, without reading it.
void SetTextKeys(ReportFilter* f) {
    int64_t lowest = f->HasFrequencyFrom ? f->FrequencyFromScaled / 10000 : 0;
    int64_t highest = f->HasFrequencyTo ? f->FrequencyToScaled / 10000 : INT64_MAX;
    f->TextFromKey = UINT64_MAX;
    f->TextToKey = 0;   // no such Freq in range, unless a length below has one
    int64_t first = 1;  // the lowest whole part of d digits
    for (int digits = 1; digits <= 6; ++digits, first *= 10) {
        int64_t low = std::max(lowest, first);
        int64_t high = std::min(highest, first * 10 - 1);
        if (low > high) continue;
        f->TextFromKey = std::min(f->TextFromKey, TextKeyOf(low, ' '));
        f->TextToKey = std::max(f->TextToKey, TextKeyOf(high, '\xFF'));
    }
}

int32_t ChooseEntries(const LogEntry* block, int32_t count, int64_t first, int32_t* chosen, const void* context) {
    const ReportFilter& filter = *static_cast<const ReportFilter*>(context);
    int32_t outputs = 0;
    for (int32_t i = 0; i < count; ++i) {
        if (EntryChosen(filter, block[i], first + i)) chosen[outputs++] = i;
    }
    return outputs;
}

}  // namespace

FilterReading ReadReportFilter(const FilterTexts& texts, UpperCaseFn upper) {
    FilterReading reading;
    ReportFilter& f = reading.Filter;
    if (!texts.Station.empty()) {
        f.HasStation = true;
        f.Cases = MakeCaseTable(upper);
        f.StationKey = UpperText(texts.Station, f.Cases);
    }
    f.DateFrom = ReadDateBox(texts.DateFrom, FilterBox::DateFrom, &f.DateFromOrder, &reading);
    f.DateTo = ReadDateBox(texts.DateTo, FilterBox::DateTo, &f.DateToOrder, &reading);
    f.HasFrequencyFrom = ReadFrequencyBox(texts.FrequencyFrom, FilterBox::FrequencyFrom, &f.FrequencyFrom, &reading);
    f.HasFrequencyTo = ReadFrequencyBox(texts.FrequencyTo, FilterBox::FrequencyTo, &f.FrequencyTo, &reading);
    f.FrequencyFromScaled = BoundTenThousandths(ViewOf(f.FrequencyFrom), true);
    f.FrequencyToScaled = BoundTenThousandths(ViewOf(f.FrequencyTo), false);
    SetPlainKeys(&f);
    SetTextKeys(&f);
    CheckOrder(&reading);
    return reading;
}

bool IsEmptyFilter(const ReportFilter& filter) {
    return filter.Replies == RepliesChoice::All && !filter.HasStation && filter.DateFrom == kNoDate &&
           filter.DateTo == kNoDate && !filter.HasFrequencyFrom && !filter.HasFrequencyTo;
}

bool EntryMatches(const ReportFilter& filter, const LogEntry& entry) {
    // The date, the quickest to rule an entry out, is looked at first.
    if (!DateMatches(filter, entry)) return false;
    if (filter.HasStation) {
        if (filter.StationKey.size() > sizeof entry.Station) return false;
        if (!StationPrefixMatches(entry.Station, filter.StationKey, filter.Cases)) return false;
    }
    return FrequencyMatches(filter, entry);
}

bool ReplyMatches(const ReportFilter& filter, int64_t number) {
    if (filter.Replies == RepliesChoice::All) return true;
    ReplyState state = ReplyState::NoReport;
    const std::vector<ReplyState>* states = filter.ReplyStates;
    if (states && number >= 1 && static_cast<uint64_t>(number) <= states->size()) {
        state = (*states)[static_cast<size_t>(number - 1)];
    }
    switch (filter.Replies) {
        case RepliesChoice::Awaiting: return state == ReplyState::Awaiting;
        case RepliesChoice::Replied: return state == ReplyState::Replied;
        case RepliesChoice::NoReport: return state == ReplyState::NoReport;
        case RepliesChoice::All: break;
    }
    return true;
}

bool EntryChosen(const ReportFilter& filter, const LogEntry& entry, int64_t number) {
    return EntryMatches(filter, entry) && ReplyMatches(filter, number);
}

const EntryFilter* RunFilter(const ReportFilter& filter, EntryFilter* hook) {
    if (IsEmptyFilter(filter)) return nullptr;
    hook->Choose = ChooseEntries;
    hook->Context = &filter;
    return hook;
}
