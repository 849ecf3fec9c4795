// Test driver for ulmar.exe, run under the same Wine prefix and display.
// Reads one command per line from standard input and answers one line:
// "OK ..." or "ERR ...". Texts travel as hex of their ANSI bytes so that any
// byte (blanks, 0xFF markers) passes unharmed. A control id of -1 means the
// window itself.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

std::string ToHex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out.empty() ? "-" : out;
}

std::string FromHex(const std::string& hex) {
    std::string out;
    if (hex == "-") return out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) {
        out += static_cast<char>(std::strtol(hex.substr(i, 2).c_str(), nullptr, 16));
    }
    return out;
}

std::vector<std::string> Split(const std::string& line) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && line[i] == ' ') ++i;
        size_t start = i;
        while (i < line.size() && line[i] != ' ') ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

HWND AsWindow(const std::string& word) {
    return reinterpret_cast<HWND>(static_cast<intptr_t>(std::strtoll(word.c_str(), nullptr, 10)));
}

std::string WindowNumber(HWND window) { return std::to_string(reinterpret_cast<intptr_t>(window)); }

HWND Target(HWND window, const std::string& idWord) {
    int id = std::atoi(idWord.c_str());
    return id == -1 ? window : GetDlgItem(window, id);
}

std::string TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &length)) return "";
    std::vector<char> buffer(length + 2, 0);
    DWORD_PTR got = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()), SMTO_NORMAL, 5000,
                        &got);
    return std::string(buffer.data(), got);
}

struct FindRequest {
    std::string Prefix;
    bool Boxes;
    std::vector<HWND> Excluded;
    HWND Found;
};

std::string BoxText(HWND box) {
    HWND label = GetDlgItem(box, 0xFFFF);
    return label ? TextOf(label) : "";
}

bool IsMessageBox(HWND window) {
    char cls[64] = {0};
    GetClassNameA(window, cls, sizeof cls);
    return std::strcmp(cls, "#32770") == 0 && GetDlgItem(window, 0xFFFF) != nullptr;
}

BOOL CALLBACK FindProc(HWND window, LPARAM param) {
    FindRequest* request = reinterpret_cast<FindRequest*>(param);
    if (!IsWindowVisible(window)) return TRUE;
    for (HWND excluded : request->Excluded) {
        if (excluded == window) return TRUE;
    }
    if (request->Boxes) {
        if (!IsMessageBox(window)) return TRUE;
        // A box counts once its text is set: then it has shown and takes an answer.
        std::string text = BoxText(window);
        if (text.empty() || text.find(request->Prefix) == std::string::npos) return TRUE;
    } else {
        char title[1024] = {0};
        GetWindowTextA(window, title, sizeof title);
        if (std::strncmp(title, request->Prefix.c_str(), request->Prefix.size()) != 0) return TRUE;
        if (IsMessageBox(window)) return TRUE;
    }
    request->Found = window;
    return FALSE;
}

HWND FindTopLevel(const std::string& prefix, bool boxes, int timeoutMs, const std::vector<HWND>& excluded = {}) {
    DWORD start = GetTickCount();
    for (;;) {
        FindRequest request = {prefix, boxes, excluded, nullptr};
        EnumWindows(FindProc, reinterpret_cast<LPARAM>(&request));
        if (request.Found) return request.Found;
        if (static_cast<int>(GetTickCount() - start) > timeoutMs) return nullptr;
        Sleep(50);
    }
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    DWORD thread = GetWindowThreadProcessId(window, nullptr);
    if (!GetGUIThreadInfo(thread, &info)) return nullptr;
    return info.hwndFocus;
}

std::string ListText(HWND list, int index) {
    LRESULT length = SendMessageW(list, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR) return "";
    std::vector<WCHAR> wide(static_cast<size_t>(length) + 2, 0);
    SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(wide.data()));
    int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), -1, nullptr, 0, nullptr, nullptr);
    std::vector<char> bytes(static_cast<size_t>(n > 0 ? n : 1), 0);
    WideCharToMultiByte(CP_ACP, 0, wide.data(), -1, bytes.data(), n, nullptr, nullptr);
    return std::string(bytes.data());
}

struct ChildList {
    std::string Out;
};

BOOL CALLBACK ChildProc(HWND child, LPARAM param) {
    ChildList* list = reinterpret_cast<ChildList*>(param);
    char cls[64] = {0};
    GetClassNameA(child, cls, sizeof cls);
    RECT r;
    GetWindowRect(child, &r);
    char row[256];
    std::snprintf(row, sizeof row, "%d:%s:%ld,%ld,%ld,%ld:%lx:%lx:%lld;", GetDlgCtrlID(child), cls, r.left, r.top,
                  r.right, r.bottom, static_cast<unsigned long>(GetWindowLongA(child, GWL_STYLE)),
                  static_cast<unsigned long>(GetWindowLongA(child, GWL_EXSTYLE)),
                  static_cast<long long>(reinterpret_cast<intptr_t>(child)));
    list->Out += row;
    return TRUE;
}

// Visible top-level windows as "class:title;", for a failure to say what the screen showed.
BOOL CALLBACK ShownProc(HWND window, LPARAM param) {
    if (!IsWindowVisible(window)) return TRUE;
    char cls[64] = {0}, title[256] = {0};
    GetClassNameA(window, cls, sizeof cls);
    GetWindowTextA(window, title, sizeof title);
    *reinterpret_cast<std::string*>(param) += std::string(cls) + ":" + title + ";";
    return TRUE;
}

std::set<ULONG_PTR> clicksHandled;

VOID CALLBACK ClickHandled(HWND, UINT, ULONG_PTR click, LRESULT) { clicksHandled.insert(click); }

BOOL CALLBACK CollectShown(HWND window, LPARAM param) {
    if (IsWindowVisible(window)) reinterpret_cast<std::set<HWND>*>(param)->insert(window);
    return TRUE;
}

std::set<HWND> ShownWindows(DWORD thread) {
    std::set<HWND> shown;
    EnumThreadWindows(thread, CollectShown, reinterpret_cast<LPARAM>(&shown));
    return shown;
}

// Clicks a button and returns once the program has handled the click, or once
// the click has opened a window (a message box, a dialog) whose modal loop now
// runs. The click is sent, not posted: the answer then says when the button's
// handler has returned, whatever it did on the way.
std::string Click(HWND button, int timeoutMs) {
    static ULONG_PTR nextClick = 0;
    ULONG_PTR click = ++nextClick;
    DWORD thread = GetWindowThreadProcessId(button, nullptr);
    std::set<HWND> before = ShownWindows(thread);
    if (!SendMessageCallbackA(button, BM_CLICK, 0, 0, ClickHandled, click)) return "ERR click not sent";
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);  // runs ClickHandled
        if (clicksHandled.count(click)) return "OK handled";
        if (!IsWindow(button)) return "OK gone";
        for (HWND shown : ShownWindows(thread)) {
            if (!before.count(shown)) return "OK opened";
        }
        if (static_cast<int>(GetTickCount() - start) > timeoutMs) return "ERR click not handled";
        Sleep(20);
    }
}

// Waits until the thread of `window` has dispatched every message posted to it
// so far. A thread takes its posted messages in order, whichever of its windows
// they are for, so a marker posted after them tells: a WM_SETICON with a value
// of our own for one of its windows, taken as done once WM_GETICON gives that
// value back (the window's own icon is then put back). A window that goes
// away on the way ends the wait too. False when the thread took longer than
// `timeoutMs`.
bool WaitPostedHandled(HWND window, int timeoutMs) {
    static WPARAM nextMarker = 0x5A50000;
    HWND top = GetAncestor(window, GA_ROOT);
    HWND marked = top ? GetWindow(top, GW_CHILD) : nullptr;
    if (!marked) marked = window;
    DWORD_PTR own = 0;
    if (!SendMessageTimeoutA(marked, WM_GETICON, ICON_SMALL, 0, SMTO_NORMAL, timeoutMs, &own)) return true;
    LPARAM marker = static_cast<LPARAM>(++nextMarker);
    if (!PostMessageA(marked, WM_SETICON, ICON_SMALL, marker)) return true;
    DWORD start = GetTickCount();
    for (;;) {
        DWORD_PTR icon = 0;
        if (!SendMessageTimeoutA(marked, WM_GETICON, ICON_SMALL, 0, SMTO_NORMAL, timeoutMs, &icon)) return true;
        if (static_cast<LPARAM>(icon) == marker) break;
        if (static_cast<int>(GetTickCount() - start) > timeoutMs) return false;
        Sleep(10);
    }
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(marked, WM_SETICON, ICON_SMALL, static_cast<LPARAM>(own), SMTO_NORMAL, timeoutMs, &ignored);
    return true;
}

// Posts a key press and returns once it has been handled: the key down and up
// before the first marker, and the WM_CHAR that TranslateMessage posts on the
// way before the second.
bool PostKey(HWND target, int vk, int timeoutMs) {
    UINT scan = MapVirtualKeyA(static_cast<UINT>(vk), 0);
    PostMessageA(target, WM_KEYDOWN, static_cast<WPARAM>(vk), 1 | (scan << 16));
    PostMessageA(target, WM_KEYUP, static_cast<WPARAM>(vk), 1 | (scan << 16) | (3u << 30));
    return WaitPostedHandled(target, timeoutMs) && WaitPostedHandled(target, timeoutMs);
}

// Dialog units to pixels for a dialog font, the way the program's own dialogs
// convert them: a hidden dialog with that font in this process.
std::string MapDialogUnits(const std::string& font, int points, int x, int y, int cx, int cy) {
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    DLGTEMPLATE header = {};
    header.style = WS_POPUP | DS_SETFONT;
    header.cx = 10;
    header.cy = 10;
    std::memcpy(words.data(), &header, sizeof header);
    words.push_back(0);
    words.push_back(0);
    words.push_back(0);
    words.push_back(static_cast<WORD>(points));
    for (char c : font) words.push_back(static_cast<unsigned char>(c));
    words.push_back(0);
    if (words.size() % 2) words.push_back(0);
    HWND dialog = CreateDialogIndirectParamA(
        GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(words.data()), nullptr,
        [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    if (!dialog) return "ERR dialog";
    RECT r = {x, y, x + cx, y + cy};
    MapDialogRect(dialog, &r);
    DestroyWindow(dialog);
    return "OK " + std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + " " +
           std::to_string(r.bottom - r.top);
}

// What a font name resolves to on this system: the face name, the full name
// of the font file behind it ("-" for a bitmap font), its average character
// width and its height in pixels.
std::string FontFace(const std::string& name, int points) {
    HDC screen = GetDC(nullptr);
    LOGFONTA request = {};
    request.lfHeight = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    request.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(request.lfFaceName, name.c_str(), LF_FACESIZE);
    HFONT font = CreateFontIndirectA(&request);
    HGDIOBJ old = SelectObject(screen, font);
    char face[LF_FACESIZE] = {0};
    GetTextFaceA(screen, sizeof face, face);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(screen, &metrics);
    std::string full;
    UINT size = GetOutlineTextMetricsA(screen, 0, nullptr);
    if (size > 0) {
        std::vector<char> buffer(size, 0);
        OUTLINETEXTMETRICA* outline = reinterpret_cast<OUTLINETEXTMETRICA*>(buffer.data());
        if (GetOutlineTextMetricsA(screen, size, outline)) {
            full = buffer.data() + reinterpret_cast<uintptr_t>(outline->otmpFaceName);
        }
    }
    SelectObject(screen, old);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    return "OK " + ToHex(face) + " " + ToHex(full) + " " + std::to_string(metrics.tmAveCharWidth) + " " +
           std::to_string(metrics.tmHeight);
}

BOOL CALLBACK PendingPaintProc(HWND child, LPARAM param) {
    if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(param) = true;
        return FALSE;
    }
    return TRUE;
}

// Waits until the window and its children have nothing left to paint and the
// program's thread has gone back to its message loop (so the last WM_PAINT
// handler has ended and Wine has handed the picture to the X server).
std::string WaitPainted(HWND window, int timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        bool pending = GetUpdateRect(window, nullptr, FALSE) != FALSE;
        if (!pending) EnumChildWindows(window, PendingPaintProc, reinterpret_cast<LPARAM>(&pending));
        DWORD_PTR ignored = 0;
        if (!pending && SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored)) return "OK";
        if (!IsWindow(window)) return "ERR no such window";
        if (static_cast<int>(GetTickCount() - start) > timeoutMs) return "ERR still painting";
        Sleep(30);
    }
}

std::string Run(const std::vector<std::string>& w) {
    const std::string& op = w[0];
    auto need = [&](size_t n) { return w.size() >= n + 1; };
    if (op == "find" && need(2)) {
        std::vector<HWND> excluded;
        for (size_t i = 3; i < w.size(); ++i) excluded.push_back(AsWindow(w[i]));
        HWND found = FindTopLevel(FromHex(w[2]), false, std::atoi(w[1].c_str()), excluded);
        return found ? "OK " + WindowNumber(found) : "ERR no such window";
    }
    if (op == "findbox" && need(2)) {
        HWND box = FindTopLevel(FromHex(w[2]), true, std::atoi(w[1].c_str()));
        if (!box) return "ERR no message box";
        char caption[512] = {0};
        GetWindowTextA(box, caption, sizeof caption);
        return "OK " + WindowNumber(box) + " " + ToHex(caption) + " " + ToHex(BoxText(box));
    }
    if (op == "text" && need(2)) {
        HWND target = Target(AsWindow(w[1]), w[2]);
        if (!target) return "ERR no such control";
        return "OK " + ToHex(TextOf(target));
    }
    if (op == "settext" && need(3)) {
        HWND target = Target(AsWindow(w[1]), w[2]);
        if (!target) return "ERR no such control";
        std::string text = FromHex(w[3]);
        DWORD_PTR result = 0;
        SendMessageTimeoutA(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL, 5000, &result);
        return "OK";
    }
    if ((op == "post" || op == "send") && need(5)) {
        HWND target = Target(AsWindow(w[1]), w[2]);
        if (!target) return "ERR no such control";
        UINT message = static_cast<UINT>(std::strtoul(w[3].c_str(), nullptr, 0));
        WPARAM wParam = static_cast<WPARAM>(std::strtoll(w[4].c_str(), nullptr, 0));
        LPARAM lParam = static_cast<LPARAM>(std::strtoll(w[5].c_str(), nullptr, 0));
        if (op == "post") return PostMessageA(target, message, wParam, lParam) ? "OK" : "ERR post failed";
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(target, message, wParam, lParam, SMTO_NORMAL, 60000, &result)) {
            return "ERR send timed out";
        }
        return "OK " + std::to_string(static_cast<long long>(static_cast<LRESULT>(result)));
    }
    if ((op == "command" || op == "sendcommand") && need(3)) {
        HWND window = AsWindow(w[1]);
        int id = std::atoi(w[2].c_str());
        WPARAM wParam = MAKEWPARAM(id, std::atoi(w[3].c_str()));
        LPARAM control = reinterpret_cast<LPARAM>(GetDlgItem(window, id));
        if (op == "command") return PostMessageA(window, WM_COMMAND, wParam, control) ? "OK" : "ERR post failed";
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(window, WM_COMMAND, wParam, control, SMTO_NORMAL, 30000, &result)) {
            return "ERR send timed out";
        }
        return "OK";
    }
    if (op == "key" && need(3)) {
        HWND window = AsWindow(w[1]);
        HWND target = std::atoi(w[3].c_str()) == -1 ? FocusOf(window) : GetDlgItem(window, std::atoi(w[3].c_str()));
        if (!target) target = window;
        return PostKey(target, std::atoi(w[2].c_str()), 120000) ? "OK" : "ERR key not handled";
    }
    if (op == "focus" && need(1)) {
        HWND focus = FocusOf(AsWindow(w[1]));
        bool child = focus && (GetWindowLongA(focus, GWL_STYLE) & WS_CHILD);
        return "OK " + std::to_string(child ? GetDlgCtrlID(focus) : -1) + " " + WindowNumber(focus);
    }
    if (op == "listcount" && need(2)) {
        HWND list = Target(AsWindow(w[1]), w[2]);
        return list ? "OK " + std::to_string(SendMessageW(list, LB_GETCOUNT, 0, 0)) : "ERR no such control";
    }
    if (op == "listtext" && need(3)) {
        HWND list = Target(AsWindow(w[1]), w[2]);
        return list ? "OK " + ToHex(ListText(list, std::atoi(w[3].c_str()))) : "ERR no such control";
    }
    if ((op == "rect" || op == "client") && need(2)) {
        HWND target = Target(AsWindow(w[1]), w[2]);
        if (!target) return "ERR no such control";
        RECT r;
        if (op == "rect")
            GetWindowRect(target, &r);
        else
            GetClientRect(target, &r);
        return "OK " + std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) + " " +
               std::to_string(r.bottom);
    }
    if (op == "state" && need(2)) {
        HWND target = Target(AsWindow(w[1]), w[2]);
        if (!target) return "ERR no such control";
        char cls[64] = {0};
        GetClassNameA(target, cls, sizeof cls);
        return "OK " + std::to_string(IsWindowEnabled(target) ? 1 : 0) + " " +
               std::to_string(IsWindowVisible(target) ? 1 : 0) + " " +
               std::to_string(static_cast<unsigned long>(GetWindowLongA(target, GWL_STYLE))) + " " +
               std::to_string(static_cast<unsigned long>(GetWindowLongA(target, GWL_EXSTYLE))) + " " + cls;
    }
    if (op == "children" && need(1)) {
        ChildList list;
        EnumChildWindows(AsWindow(w[1]), ChildProc, reinterpret_cast<LPARAM>(&list));
        return "OK " + ToHex(list.Out);
    }
    if (op == "shown") {
        std::string shown;
        EnumWindows(ShownProc, reinterpret_cast<LPARAM>(&shown));
        return "OK " + ToHex(shown);
    }
    if (op == "origin" && need(1)) {
        POINT p = {0, 0};
        ClientToScreen(AsWindow(w[1]), &p);
        return "OK " + std::to_string(p.x) + " " + std::to_string(p.y);
    }
    if (op == "exists" && need(1)) return std::string("OK ") + (IsWindow(AsWindow(w[1])) ? "1" : "0");
    if (op == "gone" && need(2)) {
        DWORD start = GetTickCount();
        while (IsWindow(AsWindow(w[1]))) {
            if (static_cast<int>(GetTickCount() - start) > std::atoi(w[2].c_str())) return "ERR still there";
            Sleep(30);
        }
        return "OK";
    }
    if (op == "owner" && need(1)) return "OK " + WindowNumber(GetWindow(AsWindow(w[1]), GW_OWNER));
    if (op == "gdi" && need(1)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(AsWindow(w[1]), &pid);
        HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid);
        if (!process) return "ERR cannot open process";
        DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS);
        DWORD user = GetGuiResources(process, GR_USEROBJECTS);
        CloseHandle(process);
        return "OK " + std::to_string(gdi) + " " + std::to_string(user);
    }
    if (op == "dlu" && need(6)) {
        return MapDialogUnits(FromHex(w[1]), std::atoi(w[2].c_str()), std::atoi(w[3].c_str()), std::atoi(w[4].c_str()),
                              std::atoi(w[5].c_str()), std::atoi(w[6].c_str()));
    }
    if (op == "click" && need(3)) {
        HWND button = Target(AsWindow(w[1]), w[2]);
        return button ? Click(button, std::atoi(w[3].c_str())) : "ERR no such control";
    }
    if (op == "settle" && need(2)) {
        return WaitPostedHandled(AsWindow(w[1]), std::atoi(w[2].c_str())) ? "OK" : "ERR still busy";
    }
    if (op == "answers" && need(2)) {  // 1 when the window's thread answers a message within the time
        DWORD_PTR ignored = 0;
        UINT ms = static_cast<UINT>(std::atoi(w[2].c_str()));
        return std::string("OK ") +
               (SendMessageTimeoutA(AsWindow(w[1]), WM_NULL, 0, 0, SMTO_NORMAL, ms, &ignored) ? "1" : "0");
    }
    if (op == "guiflags" && need(1)) {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(AsWindow(w[1]), nullptr), &info)) return "ERR no thread";
        return "OK " + std::to_string(info.flags);
    }
    if (op == "folder" && need(1)) {  // a shell folder by its CSIDL, e.g. 5: the user's Documents
        char path[MAX_PATH] = {0};
        if (FAILED(SHGetFolderPathA(nullptr, std::atoi(w[1].c_str()), nullptr, SHGFP_TYPE_CURRENT, path))) {
            return "ERR no such folder";
        }
        return "OK " + ToHex(path);
    }
    if (op == "font" && need(2)) return FontFace(FromHex(w[1]), std::atoi(w[2].c_str()));
    if (op == "painted" && need(2)) return WaitPainted(AsWindow(w[1]), std::atoi(w[2].c_str()));
    if (op == "sleep" && need(1)) {
        Sleep(static_cast<DWORD>(std::atoi(w[1].c_str())));
        return "OK";
    }
    return "ERR unknown command " + op;
}

}  // namespace

int main() {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    char line[1 << 16];
    while (std::fgets(line, sizeof line, stdin)) {
        std::string text(line);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        std::vector<std::string> words = Split(text);
        if (words.empty()) continue;
        if (words[0] == "quit") break;
        std::string reply = Run(words);
        std::fputs((reply + "\n").c_str(), stdout);
        std::fflush(stdout);
    }
    return 0;
}
