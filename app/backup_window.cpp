#include "app/backup.h"

void ShowBackupDriveWindow(HWND) {}
void BackUpLog() {}
