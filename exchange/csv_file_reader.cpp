#include "exchange/csv_file_reader.h"

#include <cstring>

#include "records/code_page_1252.h"

ReadProgress ImportProgress;

void TellReadProgress(const ByteSource& source, int64_t end) {
    if (source.Progress && source.Progress->Tell) source.Progress->Tell(end, source.Size, source.Progress->Context);
}

namespace {

std::string_view Held(const CsvWindow& window) { return window.Reader.Text; }

void Tally(CsvWindow* window, size_t to) {
    if (window->NotUtf8 || to <= window->TallyFrom) return;
    std::string_view part = Held(*window).substr(window->TallyFrom, to - window->TallyFrom);
    window->NotUtf8 = ValidUtf8Length(part, &window->BeyondAscii) != part.size();
}

// Drops the bytes before `keepFrom` and reads more of the file behind the
// rest; a window full of one row is made larger instead.
bool Refill(CsvWindow* window, size_t keepFrom) {
    if (window->AtEnd) return false;
    std::vector<char>& buffer = window->Buffer;
    size_t kept = Held(*window).size() - keepFrom;
    Tally(window, keepFrom);
    window->TallyFrom = window->TallyFrom > keepFrom ? window->TallyFrom - keepFrom : 0;
    std::memmove(buffer.data(), buffer.data() + keepFrom, kept);
    if (kept == buffer.size()) buffer.resize(buffer.size() * 2);
    size_t got = 0;
    if (!FileReadAt(window->Source->File, window->NextOffset, buffer.data() + kept, buffer.size() - kept, &got)) {
        window->ReadFailed = true;
        window->AtEnd = true;
        return false;
    }
    window->NextOffset += static_cast<int64_t>(got);
    TellReadProgress(*window->Source, window->NextOffset);
    window->AtEnd = got == 0 || window->NextOffset >= window->Source->Size;
    window->Reader.Text = std::string_view(buffer.data(), kept + got);
    window->Reader.At -= keepFrom;
    return got > 0;
}

}  // namespace

void OpenCsvWindow(CsvWindow* window, const ByteSource& source) {
    window->Source = &source;
    window->Reader = CsvReader{};
    window->ReadFailed = false;
    window->TallyFrom = 0;
    window->NotUtf8 = false;
    window->BeyondAscii = false;
    if (!source.File.IsOpen()) {
        window->Reader.Text = source.Memory;
        window->AtEnd = true;
        return;
    }
    window->Buffer.assign(source.WindowBytes, '\0');
    window->Reader.Text = std::string_view(window->Buffer.data(), 0);
    window->NextOffset = 0;
    window->AtEnd = false;
    Refill(window, 0);
}

bool WidenCsvWindow(CsvWindow* window) { return Refill(window, 0); }

bool NextWindowRow(CsvWindow* window, CsvRow* row) {
    for (;;) {
        CsvReader& reader = window->Reader;
        size_t rowStart = reader.At;
        int64_t rowLine = reader.Line;
        bool read = NextCsvRow(&reader, row);
        // A row that ends at the window's end may go on in the file: its last
        // field, or a CR whose LF is still to come.
        if (window->AtEnd || (read && reader.At < reader.Text.size())) return read && !window->ReadFailed;
        reader.At = rowStart;
        reader.Line = rowLine;
        Refill(window, rowStart);
    }
}

void FinishCsvWindow(CsvWindow* window) {
    Tally(window, Held(*window).size());
    window->TallyFrom = Held(*window).size();
}
