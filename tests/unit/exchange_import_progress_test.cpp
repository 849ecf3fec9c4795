// Both imports tell how far they have read their file, while planning and
// while adding, so that the program can show the progress of a long one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exchange/adif_import.h"
#include "exchange/csv_import.h"
#include "exchange/import_append.h"
#include "tests/unit/stored_outputs.h"

namespace {

// Enough for the adding's quarter-megabyte windows to be more than one.
constexpr int kReports = 10000;

struct Told {
    std::vector<int64_t> Done;
    std::vector<int64_t> Totals;
};

void Record(int64_t done, int64_t total, void* context) {
    Told* told = static_cast<Told*>(context);
    told->Done.push_back(done);
    told->Totals.push_back(total);
}

// Sets the program-wide progress for one test, and clears it after.
struct ToldProgress {
    Told Calls;
    ToldProgress() { ImportProgress = ReadProgress{Record, &Calls}; }
    ~ToldProgress() { ImportProgress = ReadProgress{}; }
};

struct ProgressCase {
    const char* Name;
    std::string File;
    ImportPlan (*Plan)(const std::string& path, const ReportSink* sink, ImportText text, size_t windowBytes);
    ImportWriting (*Add)(LogStore& log, const std::string& path, const ImportPlan& plan);
};

std::string CsvFile(int rows) {
    std::string file = "Date,Time,Freq,Station\r\n";
    for (int n = 0; n < rows; ++n) file += "15-01-2026,19:30,9610,Station " + std::to_string(n) + "\r\n";
    return file;
}

std::string AdifFile(int records) {
    std::string file;
    for (int n = 0; n < records; ++n) file += "<QSO_DATE:8>20260115 <TIME_ON:4>1930 <CALL:4>Test <EOR>\r\n";
    return file;
}

// Every figure told is of the file's size, rises, and the last is all of it.
void ExpectRisingToTheEnd(const Told& told, size_t from, size_t to, int64_t size, const char* name) {
    ASSERT_LT(from, to) << name;
    EXPECT_GT(to - from, 1u) << name << ": a file of several windows is told of more than once";
    for (size_t i = from; i < to; ++i) {
        EXPECT_EQ(told.Totals[i], size) << name;
        if (i > from) {
            EXPECT_GT(told.Done[i], told.Done[i - 1]) << name;
        }
    }
    EXPECT_EQ(told.Done[to - 1], size) << name;
}

TEST(ImportProgress, PlanningAndAddingEachTellTheirWayThroughTheFile) {
    const ProgressCase cases[] = {
        {"CSV", CsvFile(kReports), ReadImportFile, AddImportedFile},
        {"ADIF", AdifFile(kReports), ReadAdifImportFile, AddImportedAdifFile},
    };
    for (const ProgressCase& c : cases) {
        TempDir dir;
        std::string path = dir.Path("IN.TXT");
        WriteBytes(path, c.File);
        ToldProgress progress;
        ImportPlan plan = c.Plan(path, nullptr, ImportText::Unknown, 4096);
        ASSERT_EQ(plan.Reports, kReports) << c.Name;
        size_t planned = progress.Calls.Done.size();
        ExpectRisingToTheEnd(progress.Calls, 0, planned, static_cast<int64_t>(c.File.size()), c.Name);
        OpenTestLog t(std::vector<LogEntry>{});
        ASSERT_EQ(c.Add(t.Log, path, plan), ImportWriting::Added) << c.Name;
        ExpectRisingToTheEnd(progress.Calls, planned, progress.Calls.Done.size(), static_cast<int64_t>(c.File.size()),
                             c.Name);
    }
}

}  // namespace
