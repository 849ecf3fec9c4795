#include "app/win/schedule_selection.h"

#include <string>
#include <utility>

#include "app/win/open_dialog.h"
#include "schedule/schedule.h"
#include "settings/settings_file.h"
#include "ui/message_box.h"

namespace {

constexpr const char* kDialogTitle = "Choose a schedule file";
// Description and pattern, each ended by a zero, then an empty entry.
constexpr char kFilter[] = "Schedules (*.csv)\0*.csv\0";
constexpr int kFileNameCapacity = 260;
constexpr OpenDialogSpec kScheduleSpec = {kDialogTitle, kFilter, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, nullptr};

void Report(HWND owner, const std::string& text, UINT icon) {
    ShowMessageBox(owner, kCaptionUlmar, text, MB_OK | icon);
}

std::string UnreadableText(const std::string& path, const std::string& reason) {
    return "The schedule " + path + " cannot be read: " + reason;
}

}  // namespace

void ChooseSchedule(HWND mainWindow) {
    char fileName[kFileNameCapacity] = {};
    if (!AskForFile(mainWindow, kScheduleSpec, fileName, sizeof fileName)) return;
    std::string path(fileName);
    if (path.empty()) return;
    Schedule loaded;
    std::string reason;
    if (!LoadSchedule(path.c_str(), &loaded, &reason)) {
        Report(mainWindow, UnreadableText(path, reason), MB_ICONEXCLAMATION);
        return;
    }
    LoadedSchedule = std::move(loaded);
    Settings.SchedulePath = path;
    if (LoadedSchedule.LinesSkipped > 0)
        Report(mainWindow, path + ": " + LoadSummary(LoadedSchedule), MB_ICONINFORMATION);
}

void ClearSchedule() {
    LoadedSchedule = Schedule{};
    Settings.SchedulePath.clear();
}

void LoadScheduleAtStartUp() {
    if (Settings.SchedulePath.empty()) return;
    std::string reason;
    if (!LoadSchedule(Settings.SchedulePath.c_str(), &LoadedSchedule, &reason)) {
        Report(nullptr, UnreadableText(Settings.SchedulePath, reason), MB_ICONEXCLAMATION);
    }
}
