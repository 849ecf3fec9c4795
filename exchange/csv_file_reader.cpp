#include "exchange/csv_file_reader.h"

#include <cstring>

#include "records/code_page_1252.h"

namespace {

std::string_view Held(const CsvWindow& window) { return window.reader.text; }

void Tally(CsvWindow* window, size_t to) {
    if (window->notUtf8 || to <= window->tallyFrom) return;
    std::string_view part = Held(*window).substr(window->tallyFrom, to - window->tallyFrom);
    window->notUtf8 = ValidUtf8Length(part, &window->beyondAscii) != part.size();
}

// Drops the bytes before `keepFrom` and reads more of the file behind the
// rest; a window full of one row is made larger instead.
bool Refill(CsvWindow* window, size_t keepFrom) {
    if (window->atEnd) return false;
    std::vector<char>& buffer = window->buffer;
    size_t kept = Held(*window).size() - keepFrom;
    Tally(window, keepFrom);
    window->tallyFrom = window->tallyFrom > keepFrom ? window->tallyFrom - keepFrom : 0;
    std::memmove(buffer.data(), buffer.data() + keepFrom, kept);
    if (kept == buffer.size()) buffer.resize(buffer.size() * 2);
    size_t got = 0;
    if (!FileReadAt(window->source->file, window->nextOffset, buffer.data() + kept, buffer.size() - kept, &got)) {
        window->readFailed = true;
        window->atEnd = true;
        return false;
    }
    window->nextOffset += static_cast<int64_t>(got);
    window->atEnd = got == 0 || window->nextOffset >= window->source->size;
    window->reader.text = std::string_view(buffer.data(), kept + got);
    window->reader.at -= keepFrom;
    return got > 0;
}

}  // namespace

void OpenCsvWindow(CsvWindow* window, const ByteSource& source) {
    window->source = &source;
    window->reader = CsvReader{};
    window->readFailed = false;
    window->tallyFrom = 0;
    window->notUtf8 = false;
    window->beyondAscii = false;
    if (!source.file.IsOpen()) {
        window->reader.text = source.memory;
        window->atEnd = true;
        return;
    }
    window->buffer.assign(source.windowBytes, '\0');
    window->reader.text = std::string_view(window->buffer.data(), 0);
    window->nextOffset = 0;
    window->atEnd = false;
    Refill(window, 0);
}

bool WidenCsvWindow(CsvWindow* window) { return Refill(window, 0); }

bool NextWindowRow(CsvWindow* window, CsvRow* row) {
    for (;;) {
        CsvReader& reader = window->reader;
        size_t rowStart = reader.at;
        int64_t rowLine = reader.line;
        bool read = NextCsvRow(&reader, row);
        // A row that ends at the window's end may go on in the file: its last
        // field, or a CR whose LF is still to come.
        if (window->atEnd || (read && reader.at < reader.text.size())) return read && !window->readFailed;
        reader.at = rowStart;
        reader.line = rowLine;
        Refill(window, rowStart);
    }
}

void FinishCsvWindow(CsvWindow* window) {
    Tally(window, Held(*window).size());
    window->tallyFrom = Held(*window).size();
}
