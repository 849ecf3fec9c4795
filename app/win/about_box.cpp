#include "app/win/about_box.h"
#include "ui/message_box.h"

#include <windows.h>

namespace {
constexpr const char* kAboutText =
    "Written by the ULMAR developers, listener ID XU-0417, 2012\r\n\n"
    "Last update: 12 August 2012\r\n\n"
    "www.example.org/ulmar";
}  // namespace

void ShowAboutBox() { ShowMessageBox(nullptr, kCaptionAbout, kAboutText); }
