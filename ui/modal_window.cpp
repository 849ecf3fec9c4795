#include "ui/modal_window.h"

#include "ui/control_text.h"

namespace {

const ModalWindow* DescriptionOf(HWND window) {
    return reinterpret_cast<const ModalWindow*>(GetWindowLongPtrA(window, DWLP_USER));
}

INT_PTR CALLBACK ModalWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        return TRUE;
    }
    const ModalWindow* description = DescriptionOf(window);
    if (!description) return FALSE;  // messages before WM_INITDIALOG (the font)
    INT_PTR result = 0;
    if (description->Colours && HandleColourMessage(*description->Colours, window, message, wParam, lParam, &result)) {
        return result;
    }
    if (description->Messages && description->Messages(window, message, wParam, lParam, &result)) return result;
    if (message == WM_CLOSE && description->CloseEnds) {
        EndModal(window, 0);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR ShowModalWindow(const ModalWindow& description, HWND owner) {
    HWND window = CreateDialogInCode(description.Form, owner, ModalWindowProc, reinterpret_cast<LPARAM>(&description));
    if (!window) return -1;
    if (description.ProgramIcon) SetProgramIcon(window);
    if (description.Open) description.Open(window);
    if (description.FirstFocus) FocusControl(window, description.FirstFocus);
    INT_PTR result = RunModal(window, owner, description.Keys ? *description.Keys : nullptr);
    if (description.Colours) FreeColours(description.Colours);
    return result;
}
