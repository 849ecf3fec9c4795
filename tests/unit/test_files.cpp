#include "tests/unit/test_files.h"

#include <unistd.h>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

TempDir::TempDir() {
    char pattern[] = "/tmp/ulmar-test-XXXXXX";
    Root = mkdtemp(pattern);
}

TempDir::~TempDir() {
    std::string command = "chmod -R u+w '" + Root + "' && rm -rf '" + Root + "'";
    if (std::system(command.c_str()) != 0) {}
}

std::string TempDir::Path(const std::string& name) const { return Root + "/" + name; }

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

LogEntry MakeEntry(const std::string& station, const std::string& date, const std::string& time,
                   const std::string& freq, const std::string& location, const std::string& remarks) {
    LogEntry entry;
    FillField(entry.Date, date);
    FillField(entry.Time, time);
    FillField(entry.Freq, freq);
    FillField(entry.Station, station);
    FillField(entry.Location, location);
    FillField(entry.Remarks, remarks);
    return entry;
}

std::string EntryBytes(const LogEntry& entry) {
    return std::string(reinterpret_cast<const char*>(&entry), sizeof entry);
}
