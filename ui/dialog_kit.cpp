#include "ui/dialog_kit.h"

#include <cstring>
#include <vector>

namespace {

void AppendWord(std::vector<WORD>* out, WORD w) { out->push_back(w); }

void AppendWide(std::vector<WORD>* out, const char* text) {
    int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::vector<WCHAR> wide(static_cast<size_t>(n > 0 ? n : 1), 0);
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), n);
    for (WCHAR c : wide) out->push_back(static_cast<WORD>(c));
}

struct ModalFrame {
    HWND Dialog;
    bool Done;
    INT_PTR Result;
};
// Nested modal windows: the innermost is last.
std::vector<ModalFrame> g_modalFrames;

ModalFrame* FindFrame(HWND dialog) {
    for (ModalFrame& frame : g_modalFrames) {
        if (frame.Dialog == dialog) return &frame;
    }
    return nullptr;
}

HBRUSH MakeBrush(COLORREF colour) { return CreateSolidBrush(colour); }

}  // namespace

HWND CreateDialogInCode(const DialogSpec& form, HWND owner, DLGPROC proc, LPARAM param) {
    // DLGTEMPLATE, then menu, class, title and font, all WORD-aligned.
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    DLGTEMPLATE header = {};
    header.style = form.Style | DS_SETFONT;
    header.cdit = 0;
    header.x = static_cast<short>(form.X);
    header.y = static_cast<short>(form.Y);
    header.cx = static_cast<short>(form.Width);
    header.cy = static_cast<short>(form.Height);
    std::memcpy(words.data(), &header, sizeof header);
    AppendWord(&words, 0);  // no menu
    AppendWord(&words, 0);  // standard dialog class
    AppendWide(&words, form.Title);
    AppendWord(&words, form.PointSize);
    AppendWide(&words, form.FontName);
    if (words.size() % 2) AppendWord(&words, 0);
    return CreateDialogIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(words.data()), owner,
                                      proc, param);
}

void SetProgramIcon(HWND window) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HICON big = LoadIconA(instance, "ICON");
    // The caption takes the icon's own small picture rather than a shrunken
    // large one; shared, so opening windows again creates no new objects.
    HANDLE small = LoadImageA(instance, "ICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                              GetSystemMetrics(SM_CYSMICON), LR_SHARED);
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small ? small : big));
}

void SetWindowBackground(DialogColours* colours, COLORREF background) {
    if (colours->BackgroundBrush) DeleteObject(colours->BackgroundBrush);
    colours->HasBackground = true;
    colours->Background = background;
    colours->BackgroundBrush = MakeBrush(background);
}

void SetControlColours(DialogColours* colours, int id, COLORREF text, COLORREF back) {
    if (colours->Count >= kMaxColouredControls) return;
    colours->Controls[colours->Count++] = {id, text, back, MakeBrush(back)};
}

void FreeColours(DialogColours* colours) {
    if (colours->BackgroundBrush) DeleteObject(colours->BackgroundBrush);
    for (int i = 0; i < colours->Count; ++i) DeleteObject(colours->Controls[i].Brush);
    *colours = DialogColours{};
}

bool HandleColourMessage(const DialogColours& colours, HWND, UINT message, WPARAM wParam, LPARAM lParam,
                         INT_PTR* result) {
    if (message == WM_CTLCOLORDLG) {
        if (!colours.HasBackground) return false;
        *result = reinterpret_cast<INT_PTR>(colours.BackgroundBrush);
        return true;
    }
    if (message != WM_CTLCOLORSTATIC && message != WM_CTLCOLOREDIT && message != WM_CTLCOLORBTN &&
        message != WM_CTLCOLORLISTBOX) {
        return false;
    }
    int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
    HDC dc = reinterpret_cast<HDC>(wParam);
    for (int i = 0; i < colours.Count; ++i) {
        const DialogColours::Entry& entry = colours.Controls[i];
        if (entry.Id != id) continue;
        SetTextColor(dc, entry.Text);
        SetBkColor(dc, entry.Back);
        *result = reinterpret_cast<INT_PTR>(entry.Brush);
        return true;
    }
    return false;
}

INT_PTR RunModal(HWND dialog, HWND owner, HACCEL accelerators) {
    g_modalFrames.push_back({dialog, false, 0});
    if (owner) EnableWindow(owner, FALSE);
    ShowWindow(dialog, SW_SHOW);
    // Controls are added after the dialog is created, so the dialog manager had
    // nothing to focus at WM_INITDIALOG; unless the window chose a control
    // itself, start on the first tab stop.
    HWND focus = GetFocus();
    if (!focus || focus == dialog || !IsChild(dialog, focus)) {
        HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
        if (first) SetFocus(first);
    }
    UpdateWindow(dialog);
    MSG msg;
    for (;;) {
        ModalFrame* frame = FindFrame(dialog);
        if (!frame || frame->Done) break;
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0) break;
        if (accelerators && TranslateAcceleratorA(dialog, accelerators, &msg)) continue;
        if (IsDialogMessageA(dialog, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    INT_PTR result = 0;
    ModalFrame* frame = FindFrame(dialog);
    if (frame) result = frame->Result;
    for (size_t i = g_modalFrames.size(); i-- > 0;) {
        if (g_modalFrames[i].Dialog == dialog) g_modalFrames.erase(g_modalFrames.begin() + static_cast<long>(i));
    }
    // Enable the owner before the dialog goes, so activation returns to it.
    if (owner) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
    DestroyWindow(dialog);
    return result;
}

void EndModal(HWND dialog, INT_PTR result) {
    ModalFrame* frame = FindFrame(dialog);
    if (!frame) return;
    frame->Done = true;
    frame->Result = result;
    PostMessageA(dialog, WM_NULL, 0, 0);  // wake the loop
}
