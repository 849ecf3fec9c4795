#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "exchange/filtered_export.h"
#include "logstore/log_walk.h"
#include "print/print_text.h"
#include "records/entry_filter.h"
#include "tests/unit/stored_outputs.h"

namespace {

ReportFilter Filter(const FilterTexts& texts) {
    FilterReading reading = ReadReportFilter(texts, UpperCaseWestern);
    EXPECT_TRUE(reading.Ok) << reading.Message;
    return reading.Filter;
}

FilterTexts Station(const std::string& text) {
    FilterTexts texts;
    texts.Station = text;
    return texts;
}

FilterTexts Dates(const std::string& from, const std::string& to) {
    FilterTexts texts;
    texts.DateFrom = from;
    texts.DateTo = to;
    return texts;
}

FilterTexts Frequencies(const std::string& from, const std::string& to) {
    FilterTexts texts;
    texts.FrequencyFrom = from;
    texts.FrequencyTo = to;
    return texts;
}

// Whether a run keeps the entry, asked as a run asks (a block at a time) and
// of the single entry: the two must agree.
bool Kept(const ReportFilter& filter, const LogEntry& entry, const std::string& shown) {
    EntryFilter hook;
    const EntryFilter* run = RunFilter(filter, &hook);
    int32_t chosen = -1;
    bool inRun = run == nullptr || run->Choose(&entry, 1, 1, &chosen, run->Context) == 1;
    EXPECT_EQ(inRun, EntryMatches(filter, entry)) << shown;
    return inRun;
}

bool DateKept(const ReportFilter& filter, const std::string& date) { return Kept(filter, MakeEntry("S", date), date); }

bool FreqKept(const ReportFilter& filter, const std::string& freq) {
    return Kept(filter, MakeEntry("S", "06-12-2026", "19:30", freq), freq);
}

FilterReading Refused(const FilterTexts& texts) {
    FilterReading reading = ReadReportFilter(texts, UpperCaseWestern);
    EXPECT_FALSE(reading.Ok);
    return reading;
}

bool AddRow(const LogEntry& entry, void* context) {
    static_cast<std::vector<std::string>*>(context)->push_back(PrintedRow(entry));
    return true;
}

std::vector<std::string> StoredRows() {
    std::string stored = StoredFile("printed_rows.txt");
    std::vector<std::string> rows;
    for (size_t at = 0; at < stored.size();) {
        size_t end = stored.find('\n', at);
        std::string line = stored.substr(at, end - at);
        if (!line.empty() && line.back() == '|') line.pop_back();
        rows.push_back(line);
        at = end + 1;
    }
    return rows;
}

}  // namespace

TEST(ReportFilter, EmptyBoxesKeepEveryEntryAndLeaveTheRunUnfiltered) {
    ReportFilter filter = Filter(FilterTexts{});
    EXPECT_TRUE(IsEmptyFilter(filter));
    EntryFilter hook;
    EXPECT_EQ(RunFilter(filter, &hook), nullptr);
    EXPECT_TRUE(EntryMatches(filter, MakeEntry("", "", "", "", "", "")));
    EXPECT_TRUE(EntryMatches(filter, MakeEntry("x", "31-02-2026", "99:99", "abc")));
    // Blanks alone in a date or frequency box are no bound either.
    FilterTexts blanks;
    blanks.DateFrom = "   ";
    blanks.FrequencyTo = " ";
    EXPECT_TRUE(IsEmptyFilter(Filter(blanks)));
}

TEST(ReportFilter, StationIsTheSearchPrefixRule) {
    ReportFilter ra = Filter(Station("ra"));
    EXPECT_TRUE(EntryMatches(ra, MakeEntry("Radio Alpha")));
    EXPECT_TRUE(EntryMatches(ra, MakeEntry("RADIO BETA")));
    EXPECT_FALSE(EntryMatches(ra, MakeEntry("Big Radio")));
    ReportFilter blank = Filter(Station("Radio "));
    EXPECT_TRUE(EntryMatches(blank, MakeEntry("Radio Alpha")));
    EXPECT_FALSE(EntryMatches(blank, MakeEntry("Radiola")));
    EXPECT_TRUE(EntryMatches(Filter(Station("\xE9mile")), MakeEntry("\xC9MILE FM")));  // é / É
    // Leading blanks count too.
    EXPECT_FALSE(EntryMatches(Filter(Station("  ")), MakeEntry("Radio")));
    EXPECT_TRUE(EntryMatches(Filter(Station("  r")), MakeEntry("  Radio Leading")));
}

TEST(ReportFilter, StationUsesTheRulesItIsGiven) {
    FilterReading asIs = ReadReportFilter(Station("ra"), [](char*, size_t) {});
    ASSERT_TRUE(asIs.Ok);
    EXPECT_TRUE(EntryMatches(asIs.Filter, MakeEntry("radio")));
    EXPECT_FALSE(EntryMatches(asIs.Filter, MakeEntry("Radio")));
}

TEST(ReportFilter, StationTextLongerThanTheFieldNeverMatches) {
    std::string twenty = "Twenty Character Stn";
    EXPECT_TRUE(EntryMatches(Filter(Station(twenty)), MakeEntry(twenty)));
    EXPECT_FALSE(EntryMatches(Filter(Station(twenty + " ")), MakeEntry(twenty)));
}

// From, to, the entry's value, and whether the filter keeps it.
struct BoundCase {
    const char* From;
    const char* To;
    const char* Value;
    bool Kept;
};

TEST(ReportFilter, DateBoundsAreInclusiveCalendarDates) {
    const BoundCase kCases[] = {
        // Inclusive calendar dates.
        {"14-08-2026", "16-08-2026", "13-08-2026", false},
        {"14-08-2026", "16-08-2026", "14-08-2026", true},
        {"14-08-2026", "16-08-2026", "15-08-2026", true},
        {"14-08-2026", "16-08-2026", "16-08-2026", true},
        {"14-08-2026", "16-08-2026", "17-08-2026", false},
        // Not the order of the texts: 01-09 is after 16-08, 15-07-2027 after both.
        {"14-08-2026", "16-08-2026", "01-09-2026", false},
        {"14-08-2026", "16-08-2026", "15-07-2027", false},
        {"14-08-2026", "16-08-2026", "15-08-2025", false},
        {"01-02-2026", "01-02-2026", "01-02-2026", true},
        {"01-02-2026", "01-02-2026", "31-01-2026", false},
        {"01-02-2026", "01-02-2026", "02-02-2026", false},
        // Across the year end.
        {"31-12-2025", "01-01-2026", "30-12-2025", false},
        {"31-12-2025", "01-01-2026", "31-12-2025", true},
        {"31-12-2025", "01-01-2026", "01-01-2026", true},
        {"31-12-2025", "01-01-2026", "02-01-2026", false},
        {"31-12-2025", "01-01-2026", "31-12-2026", false},
        {"31-12-2025", "01-01-2026", "01-01-2025", false},
        // One bound leaves the other side open.
        {"01-01-2026", "", "31-12-2025", false},
        {"01-01-2026", "", "01-01-2026", true},
        {"01-01-2026", "", "31-12-9999", true},
        {"", "31-12-2025", "01-01-0001", true},
        {"", "31-12-2025", "31-12-2025", true},
        {"", "31-12-2025", "01-01-2026", false},
    };
    for (const BoundCase& c : kCases) {
        EXPECT_EQ(DateKept(Filter(Dates(c.From, c.To)), c.Value), c.Kept) << c.From << ".." << c.To << ": " << c.Value;
    }
}

TEST(ReportFilter, UndatedOrDamagedRecordNeverMatchesADateBound) {
    ReportFilter from = Filter(Dates("01-01-0001", ""));
    ReportFilter to = Filter(Dates("", "31-12-9999"));
    for (const std::string& date :
         {std::string(""), std::string("15-13-2020"), std::string("31-02-2026"), std::string("29-02-2025"),
          std::string("00-01-2026"), std::string("1-8-2026"), std::string("14/08/2026"), std::string("14-08-26"),
          std::string("2026-08-14"), std::string("14-08-0000"), std::string("\xFF\xFF-08-2026")}) {
        EXPECT_FALSE(DateKept(from, date)) << date;
        EXPECT_FALSE(DateKept(to, date)) << date;
        EXPECT_TRUE(DateKept(Filter(FilterTexts{}), date)) << date;
    }
    EXPECT_TRUE(DateKept(from, "29-02-2024"));
    EXPECT_TRUE(DateKept(from, "29-02-2000"));
    EXPECT_FALSE(DateKept(from, "29-02-1900"));
}

TEST(ReportFilter, FrequencyBoundsAreInclusiveNumbers) {
    const BoundCase kCases[] = {
        // Inclusive numbers.
        {"9000", "10000", "8999.9", false},
        {"9000", "10000", "9000", true},
        {"9000", "10000", "9660", true},
        {"9000", "10000", "  9660", true},
        {"9000", "10000", "9660.5", true},
        {"9000", "10000", "09660", true},
        {"9000", "10000", "10000", true},
        {"9000", "10000", "9000.0", true},
        {"9000", "10000", "10000.1", false},
        // Compared by value, not as texts: "900" and "15100" are outside.
        {"9000", "10000", "900", false},
        {"9000", "10000", "15100", false},
        // Whole kHz against bounds between them, and against bounds beyond any field.
        {"999.5", "1000.5", "999", false},
        {"999.5", "1000.5", "1000", true},
        {"999.5", "1000.5", "1001", false},
        {"999999.01", "", "999999", false},
        {"", "1000000", "999999", true},
        {"1000.5", "1000.7", "1000", false},
        {"1000.5", "1000.7", "1001", false},
        {"1000.5", "1000.7", "1000.6", true},
        {"9999.01", "", "9999", false},
        {"9999.01", "", "9999.5", true},
        {"9999.01", "", "10000", true},
        {"", "0.5", "0", true},
        {"", "0.5", "000", true},
        {"", "0.5", "1", false},
        // Decimal bounds compare by value.
        {"966.50", "966.5", "966.5", true},
        {"966.50", "966.5", "0966.5", true},
        {"966.50", "966.5", "966.4", false},
        {"966.50", "966.5", "966.51", false},
        {"0.25", "0.5", "0.3", true},
        {"0.25", "0.5", "0.25", true},
        {"0.25", "0.5", "0.2", false},
        {"0.25", "0.5", "0.51", false},
        // Bounds finer than any field: compared by their exact value.
        {"0.40001", "0.50009", "0.4", false},
        {"0.40001", "0.50009", "0.41", true},
        {"0.40001", "0.50009", "0.5", true},
        {"0.40001", "0.50009", "0.5000", true},
        {"0.40001", "0.50009", "0.5001", false},
        {"99999999999999999999", "", "999999", false},
        // A bound far beyond any field still reads.
        {"", "123456789012345678901234567890", "153000", true},
    };
    for (const BoundCase& c : kCases) {
        EXPECT_EQ(FreqKept(Filter(Frequencies(c.From, c.To)), c.Value), c.Kept)
            << c.From << ".." << c.To << ": " << c.Value;
    }
}

TEST(ReportFilter, FreqThatIsNotANumberNeverMatchesAFrequencyBound) {
    ReportFilter from = Filter(Frequencies("0", ""));
    ReportFilter to = Filter(Frequencies("", "999999"));
    for (const std::string& freq : {std::string(""), std::string("abc"), std::string("96a0"), std::string("9660k"),
                                    std::string("9.6.6"), std::string(".5"), std::string("5."), std::string("-5"),
                                    std::string("96 60"), std::string("1e3"), std::string("+5")}) {
        EXPECT_FALSE(FreqKept(from, freq)) << freq;
        EXPECT_FALSE(FreqKept(to, freq)) << freq;
    }
    EXPECT_TRUE(FreqKept(from, "0"));
}

// Every Freq of six bytes over digits, blanks, a point, a letter and a
// non-ASCII byte: the quick readers of the filter give what the plain
// reading of the number gives (ReadDecimal, then its digits scaled by hand),
// the key of plain whole kHz included.
TEST(ReportFilter, QuickFreqReadingsAgreeWithTheNumberRule) {
    const char kAlphabet[] = {' ', '0', '1', '7', '9', '.', 'k', '\xB9'};
    int plainSeen = 0;
    char freq[6];
    for (int code = 0; code < 262144; ++code) {  // 8^6
        for (int i = 0, rest = code; i < 6; ++i, rest /= 8) freq[i] = kAlphabet[rest % 8];
        DecimalView view;
        bool isNumber = ReadDecimal(freq, 6, &view);
        int64_t expected = 0;
        for (char c : view.Whole) expected = expected * 10 + (c - '0');
        for (size_t i = 0; i < 4; ++i)
            expected = expected * 10 + (i < view.Fraction.size() ? view.Fraction[i] - '0' : 0);
        int64_t scaled = -1;
        ScaledNumber read = ReadTenThousandths(freq, 6, &scaled);
        std::string shown(freq, 6);
        ASSERT_EQ(read, isNumber ? ScaledNumber::Fits : ScaledNumber::NotANumber) << shown;
        if (isNumber) {
            ASSERT_EQ(scaled, expected) << shown;
        }
        uint64_t key = 0;
        bool plain = freq[0] >= '0' && freq[0] <= '9' && view.Fraction.empty() &&
                     std::string(freq, 6).find('.') == std::string::npos;
        ASSERT_EQ(ReadPlainKhzKey(freq, &key), isNumber && plain) << shown;
        if (isNumber && plain) {
            ASSERT_EQ(key, KhzKeyOf(expected / 10000)) << shown;
            ++plainSeen;
        }
    }
    EXPECT_EQ(plainSeen, 4 + 16 + 64 + 256 + 1024 + 4096);  // digits 1..6 long, then blanks
}

// The date's quick key holds its characters year first, then month, then day.
TEST(ReportFilter, DateOrderKeyHoldsYearMonthDay) {
    EXPECT_EQ(DateOrderKey("14-08-2026"), 0x3230323630383134u);
    EXPECT_EQ(DateOrderKey("\xFF\x01-\x80\x7F-\x00\x02\xFE\x03"), 0x0002FE03807FFF01u);
    EXPECT_LT(DateOrderKey("31-12-2025"), DateOrderKey("01-01-2026"));
    EXPECT_LT(DateOrderKey("28-02-2026"), DateOrderKey("01-03-2026"));
}

TEST(ReportFilter, KhzKeysOrderAsTheValues) {
    EXPECT_EQ(KhzKeyOf(0), 0u);
    EXPECT_EQ(KhzKeyOf(9660), 0x09060600u);
    for (int64_t khz = 0; khz < 999999; ++khz) ASSERT_LT(KhzKeyOf(khz), KhzKeyOf(khz + 1)) << khz;
}

TEST(ReportFilter, LongNumbersReadExactlyOrAsTooLong) {
    int64_t scaled = 0;
    EXPECT_EQ(ReadTenThousandths("00000000000000012345678901234.5", 31, &scaled), ScaledNumber::Fits);
    EXPECT_EQ(scaled, 123456789012345000);
    EXPECT_EQ(ReadTenThousandths("12345678901234.56780000", 23, &scaled), ScaledNumber::Fits);
    EXPECT_EQ(scaled, 123456789012345678);
    EXPECT_EQ(ReadTenThousandths("123456789012345", 15, &scaled), ScaledNumber::TooLong);
    EXPECT_EQ(ReadTenThousandths("1.00001", 7, &scaled), ScaledNumber::TooLong);
    EXPECT_EQ(ReadTenThousandths("123456789012345x", 16, &scaled), ScaledNumber::NotANumber);
    EXPECT_EQ(ReadTenThousandths("1.00001.", 8, &scaled), ScaledNumber::NotANumber);
}

// The entries of `block` a run outputs, chosen as a run chooses them.
std::vector<int32_t> ChosenInRun(const ReportFilter& filter, const std::vector<LogEntry>& block) {
    std::vector<int32_t> chosen(block.size());
    EntryFilter hook;
    const EntryFilter* run = RunFilter(filter, &hook);
    chosen.resize(static_cast<size_t>(
        run->Choose(block.data(), static_cast<int32_t>(block.size()), 1, chosen.data(), run->Context)));
    return chosen;
}

// The entries of `block` that `kept` accepts, each asked on its own.
template <typename Rule>
std::vector<int32_t> ChosenByRule(const std::vector<LogEntry>& block, Rule kept) {
    std::vector<int32_t> chosen;
    for (size_t i = 0; i < block.size(); ++i) {
        if (kept(block[i])) chosen.push_back(static_cast<int32_t>(i));
    }
    return chosen;
}

// The quick steps of the frequency test (the text key, the key of whole kHz)
// against the plain rule, the number read digit by digit and compared with
// the bounds: over random bands and random Freqs a run keeps exactly those.
TEST(ReportFilter, ARunOfRandomBandsKeepsWhatTheNumberRuleKeeps) {
    std::mt19937 random(12);
    const std::string alphabet = "0123456789012345 .x";
    std::vector<LogEntry> block;
    for (int i = 0; i < 4000; ++i) {
        std::string freq;
        for (size_t n = random() % 7; n > 0; --n) freq += alphabet[random() % alphabet.size()];
        block.push_back(MakeEntry("S", "06-12-2026", "19:30", freq));
    }
    auto randomBound = [&]() {
        std::string bound = std::to_string(random() % (random() % 2 ? 100 : 2000000));
        if (random() % 3 == 0) bound += "." + std::to_string(random() % 1000);
        return random() % 6 == 0 ? std::string() : bound;
    };
    for (int bands = 0; bands < 300;) {
        FilterReading reading = ReadReportFilter(Frequencies(randomBound(), randomBound()), UpperCaseWestern);
        if (!reading.Ok || IsEmptyFilter(reading.Filter)) continue;
        ++bands;
        const ReportFilter& f = reading.Filter;
        std::vector<int32_t> byNumber = ChosenByRule(block, [&](const LogEntry& entry) {
            DecimalView freq;
            return ReadDecimal(entry.Freq, sizeof entry.Freq, &freq) &&
                   (!f.HasFrequencyFrom || CompareDecimal(freq, ViewOf(f.FrequencyFrom)) >= 0) &&
                   (!f.HasFrequencyTo || CompareDecimal(freq, ViewOf(f.FrequencyTo)) <= 0);
        });
        ASSERT_EQ(ChosenInRun(f, block), byNumber) << bands;
        ASSERT_EQ(ChosenByRule(block, [&](const LogEntry& entry) { return EntryMatches(f, entry); }), byNumber);
    }
}

// The quick date key against the calendar rule: over random date bounds and
// dates, valid or damaged, a run keeps exactly the real days within them.
TEST(ReportFilter, ARunOfRandomDatesKeepsWhatTheCalendarRuleKeeps) {
    std::mt19937 random(13);
    auto randomDate = [&]() {
        char text[11];
        std::snprintf(text, sizeof text, "%02d-%02d-%04d", static_cast<int>(random() % 32),
                      static_cast<int>(random() % 14), static_cast<int>(1999 + random() % 4));
        return std::string(text);
    };
    std::vector<LogEntry> block;
    for (int i = 0; i < 4000; ++i) {
        std::string date = randomDate();
        if (i % 10 == 0) date[random() % 10] = "x- 9"[random() % 4];  // damaged
        block.push_back(MakeEntry("S", date));
    }
    for (int runs = 0; runs < 300;) {
        FilterTexts texts = Dates(random() % 5 ? randomDate() : "", random() % 5 ? randomDate() : "");
        FilterReading reading = ReadReportFilter(texts, UpperCaseWestern);
        if (!reading.Ok || IsEmptyFilter(reading.Filter)) continue;
        ++runs;
        const ReportFilter& f = reading.Filter;
        std::vector<int32_t> byCalendar = ChosenByRule(block, [&](const LogEntry& entry) {
            DateKey day = ReadDashedDate(entry.Date, sizeof entry.Date);
            return day != kNoDate && (f.DateFrom == kNoDate || day >= f.DateFrom) &&
                   (f.DateTo == kNoDate || day <= f.DateTo);
        });
        ASSERT_EQ(ChosenInRun(f, block), byCalendar) << runs;
        ASSERT_EQ(ChosenByRule(block, [&](const LogEntry& entry) { return EntryMatches(f, entry); }), byCalendar);
    }
}

TEST(ReportFilter, PartsCombine) {
    FilterTexts texts = Dates("01-08-2026", "31-08-2026");
    texts.Station = "r";
    texts.FrequencyFrom = "5000";
    ReportFilter f = Filter(texts);
    EXPECT_TRUE(EntryMatches(f, MakeEntry("R. Rumbos", "14-08-2026", "08:59", "9660")));
    EXPECT_FALSE(EntryMatches(f, MakeEntry("Big Radio", "14-08-2026", "08:59", "9660")));
    EXPECT_FALSE(EntryMatches(f, MakeEntry("R. Rumbos", "14-09-2026", "08:59", "9660")));
    EXPECT_FALSE(EntryMatches(f, MakeEntry("R. Rumbos", "14-08-2026", "08:59", "4960")));
}

TEST(ReportFilter, UnreadableDatesAreRefusedNamingTheBox) {
    FilterReading february = Refused(Dates("31-02-2026", ""));
    EXPECT_EQ(february.Box, FilterBox::DateFrom);
    EXPECT_NE(february.Message.find("\"Date from\""), std::string::npos) << february.Message;
    EXPECT_NE(february.Message.find("31-02-2026"), std::string::npos) << february.Message;
    for (std::string text : {"14-8-2026", "14/08/2026", "2026-08-14", "29-02-2025", "14-13-2026", "today"}) {
        FilterReading reading = Refused(Dates("", text));
        EXPECT_EQ(reading.Box, FilterBox::DateTo) << text;
        EXPECT_NE(reading.Message.find("\"Date to\""), std::string::npos) << reading.Message;
    }
    // Blanks around a date are not part of it.
    EXPECT_EQ(Filter(Dates(" 14-08-2026 ", "")).DateFrom, 20260814);
}

TEST(ReportFilter, UnreadableFrequenciesAreRefusedNamingTheBox) {
    FilterReading letters = Refused(Frequencies("96a0", ""));
    EXPECT_EQ(letters.Box, FilterBox::FrequencyFrom);
    EXPECT_NE(letters.Message.find("\"Frequency from\""), std::string::npos) << letters.Message;
    EXPECT_NE(letters.Message.find("96a0"), std::string::npos) << letters.Message;
    for (std::string text : {"9660kHz", "-5", "9.6.6", ".5", "5.", "1e3", "9 660"}) {
        FilterReading reading = Refused(Frequencies("", text));
        EXPECT_EQ(reading.Box, FilterBox::FrequencyTo) << text;
        EXPECT_NE(reading.Message.find("\"Frequency to\""), std::string::npos) << reading.Message;
    }
}

TEST(ReportFilter, FromLaterThanToIsRefused) {
    FilterReading dates = Refused(Dates("01-01-2026", "31-12-2025"));
    EXPECT_EQ(dates.Box, FilterBox::DateFrom);
    EXPECT_NE(dates.Message.find("\"Date from\" is later than \"Date to\""), std::string::npos) << dates.Message;
    FilterReading freqs = Refused(Frequencies("10000", "9999.99"));
    EXPECT_EQ(freqs.Box, FilterBox::FrequencyFrom);
    EXPECT_NE(freqs.Message.find("\"Frequency from\" is higher than \"Frequency to\""), std::string::npos)
        << freqs.Message;
    // Equal bounds are a range of one value.
    EXPECT_TRUE(ReadReportFilter(Dates("01-01-2026", "01-01-2026"), UpperCaseWestern).Ok);
    EXPECT_TRUE(ReadReportFilter(Frequencies("9660", "9660.000"), UpperCaseWestern).Ok);
}

TEST(ReportFilter, TheFirstBoxInOrderIsTheOneNamed) {
    FilterTexts texts = Dates("1-1-2026", "x");
    texts.FrequencyTo = "y";
    EXPECT_EQ(Refused(texts).Box, FilterBox::DateFrom);
    texts.DateFrom = "";
    EXPECT_EQ(Refused(texts).Box, FilterBox::DateTo);
}

TEST(FilteredExport, EmptyFilterWritesTodaysFileByteForByte) {
    std::vector<LogEntry> entries = StoredEntries();
    entries.pop_back();  // the stored export holds the first three
    OpenTestLog t(entries);
    std::string csv = t.Folder.Path("MYLOG.CSV");
    ExportResult result = ExportReports(t.Log, 1, csv, Filter(FilterTexts{}));
    EXPECT_EQ(result.Status, ExportStatus::Written);
    EXPECT_EQ(result.Count, 3);
    EXPECT_EQ(ReadBytes(csv), StoredFile("export_three.csv"));
}

TEST(FilteredExport, WritesAndCountsOnlyTheMatchingEntries) {
    std::vector<LogEntry> entries = StoredEntries();
    entries.pop_back();
    OpenTestLog t(entries);
    std::string csv = t.Folder.Path("MYLOG.CSV");
    std::string stored = StoredFile("export_three.csv");
    size_t first = stored.find("\r\n") + 2;
    size_t second = stored.find("15 Nov");
    size_t third = stored.find("01 Dec");
    ExportResult result = ExportReports(t.Log, 1, csv, Filter(Dates("", "31-12-2019")));
    EXPECT_EQ(result.Count, 2);
    EXPECT_EQ(ReadBytes(csv), stored.substr(0, third));
    result = ExportReports(t.Log, 1, csv, Filter(Station("radio")));
    EXPECT_EQ(result.Count, 1);
    EXPECT_EQ(ReadBytes(csv), stored.substr(0, first) + stored.substr(third));
    // The walk still starts at the start number.
    result = ExportReports(t.Log, 2, csv, Filter(Frequencies("6000", "")));
    EXPECT_EQ(result.Count, 1);
    EXPECT_EQ(ReadBytes(csv), stored.substr(0, first) + stored.substr(second, third - second));
}

TEST(FilteredExport, NothingMatchingLeavesTheFileEmpty) {
    OpenTestLog t(StoredEntries());
    std::string csv = t.Folder.Path("MYLOG.CSV");
    WriteBytes(csv, "old contents");
    ExportResult result = ExportReports(t.Log, 1, csv, Filter(Station("zz")));
    EXPECT_EQ(result.Status, ExportStatus::Written);
    EXPECT_EQ(result.Count, 0);
    EXPECT_EQ(ReadBytes(csv), "");
}

TEST(FilteredRun, EmptyFilterHandsOnTodaysPrintedRows) {
    OpenTestLog t(StoredEntries());
    EntryFilter hook;
    std::vector<std::string> rows = {HeadingText()};
    WalkResult walk = WalkLog(t.Log, 1, AddRow, &rows, RunFilter(Filter(FilterTexts{}), &hook));
    EXPECT_EQ(walk.Count, 4);
    EXPECT_EQ(rows, StoredRows());
}

TEST(FilteredRun, OnlyMatchingRowsAreHandedOnAndCounted) {
    OpenTestLog t(StoredEntries());
    ReportFilter filter = Filter(Frequencies("9000", ""));
    EntryFilter hook;
    std::vector<std::string> rows = {HeadingText()};
    WalkResult walk = WalkLog(t.Log, 1, AddRow, &rows, RunFilter(filter, &hook));
    EXPECT_EQ(walk.Count, 2);
    std::vector<std::string> stored = StoredRows();
    EXPECT_EQ(rows, (std::vector<std::string>{stored[0], stored[2], stored[4]}));
}
