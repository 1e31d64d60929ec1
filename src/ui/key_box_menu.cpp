#include "ui/key_box_menu.h"

#include "texts.h"
#include "ui/command_list.h"
#include "ui/ui_kit.h"
#include "ui/window_text.h"

namespace ks::ui {
namespace {

// The edit commands' own identifiers, below every designed command's.
enum EditCommand : UINT { kUndo = 1, kCut, kCopy, kPaste, kDelete, kSelectAll };

void AppendEditCommands(HMENU menu, HWND keyBox) {
    DWORD start = 0, end = 0;
    SendMessageW(keyBox, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const UINT selected = start != end ? MF_ENABLED : MF_GRAYED;
    const bool readOnly = (GetWindowLongW(keyBox, GWL_STYLE) & ES_READONLY) != 0;
    const UINT writable = readOnly ? MF_GRAYED : MF_ENABLED;
    const auto add = [menu](UINT id, const char* caption, UINT state) {
        AppendMenuW(menu, MF_STRING | state, id, Wide(caption).c_str());
    };
    add(kUndo, KS_TEXT_EDIT_UNDO, SendMessageW(keyBox, EM_CANUNDO, 0, 0) ? writable : MF_GRAYED);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    add(kCut, KS_TEXT_EDIT_CUT, readOnly ? MF_GRAYED : selected);
    add(kCopy, KS_TEXT_EDIT_COPY, selected);
    add(kPaste, KS_TEXT_EDIT_PASTE,
        IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT)
            ? writable
            : MF_GRAYED);
    add(kDelete, KS_TEXT_EDIT_DELETE, readOnly ? MF_GRAYED : selected);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    const int length = GetWindowTextLengthW(keyBox);
    add(kSelectAll, KS_TEXT_EDIT_SELECT_ALL,
        length > 0 && !(start == 0 && static_cast<int>(end) == length) ? MF_ENABLED : MF_GRAYED);
}

void RunEditCommand(HWND keyBox, UINT command) {
    switch (command) {
    case kUndo: SendMessageW(keyBox, WM_UNDO, 0, 0); break;
    case kCut: SendMessageW(keyBox, WM_CUT, 0, 0); break;
    case kCopy: SendMessageW(keyBox, WM_COPY, 0, 0); break;
    case kPaste: SendMessageW(keyBox, WM_PASTE, 0, 0); break;
    case kDelete: SendMessageW(keyBox, WM_CLEAR, 0, 0); break;
    case kSelectAll: SendMessageW(keyBox, EM_SETSEL, 0, -1); break;
    default: break;
    }
}

POINT MenuPoint(HWND keyBox, LPARAM position) {
    if (position != -1)
        return {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    RECT box{};
    GetWindowRect(keyBox, &box);
    return {box.left + Scale(8, DpiOf(keyBox)), box.bottom};
}

}  // namespace

int ShowKeyBoxMenu(HWND keyBox, HWND owner, LPARAM position) {
    Menu menu(CreatePopupMenu());
    if (!menu) return 0;
    SetFocus(keyBox);
    AppendEditCommands(menu.Get(), keyBox);
    AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
    AppendCommandSubmenu(menu.Get(), KS_TEXT_CMD_COPY_AS);
    const POINT at = MenuPoint(keyBox, position);
    const auto chosen = static_cast<UINT>(TrackPopupMenu(
        menu.Get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, at.x, at.y, 0, owner, nullptr));
    if (chosen >= IDM_COPY_AS_LONG_NAMES && chosen <= IDM_COPY_AS_LINK) return static_cast<int>(chosen);
    RunEditCommand(keyBox, chosen);
    return 0;
}

}  // namespace ks::ui
