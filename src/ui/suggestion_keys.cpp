// The key box's keys while the suggestions follow it, and the mouse over
// the list: moving through the names, completing, jumping, closing.
#include "ui/suggestion_popup.h"

#include <commctrl.h>

#include "ui/message_loop.h"
#include "ui/ui_kit.h"
#include "ui/window_text.h"

namespace ks::ui {
namespace {

// A key's completion ends in the separator that asks for the next level;
// Enter jumps to the key itself.
std::string WithoutSeparator(const Suggestion& entry) {
    std::string text = entry.completion;
    if (entry.kind == SuggestionKind::Key || entry.kind == SuggestionKind::Root)
        while (!text.empty() && (text.back() == '\\' || text.back() == '/')) text.pop_back();
    return text;
}

}  // namespace

bool SuggestionPopup::OnKey(WPARAM key, bool alt) {
    if (!IsOpen()) {
        if (key != VK_DOWN) return false;
        // Down opens the list again after Escape; in an empty box, Down or
        // Alt+Down shows the recent jumps.
        Suggest(true);
        return true;
    }
    switch (key) {
    case VK_DOWN:
        if (alt) return true;
        MoveSelection(1);
        return true;
    case VK_UP:
        MoveSelection(-1);
        return true;
    case VK_TAB: {
        const int selected = static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0));
        Choose(selected >= 0 ? selected : 0);
        return true;
    }
    case VK_RETURN: {
        const int selected = static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0));
        if (selected >= 0 && static_cast<std::size_t>(selected) < shown_.entries.size())
            SetWindowTextTo(edit_, WithoutSeparator(shown_.entries[static_cast<std::size_t>(selected)]));
        Close();
        if (jump_) jump_();
        return true;
    }
    case VK_ESCAPE:
        Close();
        return true;
    default:
        return false;
    }
}

void SuggestionPopup::MoveSelection(int step) {
    // The "more" line is not a name: the selection stops before it, and Up
    // from the first entry goes back to the text as typed.
    const int count = static_cast<int>(shown_.entries.size());
    const int selected = static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0));
    int next = selected + step;
    if (step > 0 && next >= count) next = count - 1;
    if (next < -1) next = -1;
    SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(next), 0);
}

void SuggestionPopup::Choose(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= shown_.entries.size()) return;
    const std::string completion = shown_.entries[static_cast<std::size_t>(index)].completion;
    SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    // The box's change notice brings the next level's names.
    SetWindowTextTo(edit_, completion);
    const auto end = static_cast<WPARAM>(GetWindowTextLengthW(edit_));
    SendMessageW(edit_, EM_SETSEL, end, static_cast<LPARAM>(end));
}

LRESULT CALLBACK SuggestionPopup::EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<SuggestionPopup*>(data);
    // Enter jumps from here, and a jump may end with a box to show.
    return HandledGuarded(self->owner_, 0,
                          [&] { return self->OnEditMessage(window, message, wParam, lParam); });
}

LRESULT SuggestionPopup::OnEditMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    SuggestionPopup* self = this;
    switch (message) {
    case WM_GETDLGCODE:
        // While the list is open, Tab, Enter and Escape are its keys, not
        // the window's.
        if (self->IsOpen() && lParam) {
            const auto* msg = reinterpret_cast<const MSG*>(lParam);
            if (msg->message == WM_KEYDOWN &&
                (msg->wParam == VK_TAB || msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
                return DLGC_WANTALLKEYS;
        }
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (self->OnKey(wParam, message == WM_SYSKEYDOWN)) {
            self->swallowChar_ = wParam == VK_TAB ? '\t' : wParam == VK_RETURN ? '\r'
                                                           : wParam == VK_ESCAPE ? 0x1B
                                                                                 : 0;
            return 0;
        }
        break;
    case WM_CHAR:
        if (self->swallowChar_ && wParam == self->swallowChar_) {
            self->swallowChar_ = 0;
            return 0;
        }
        self->swallowChar_ = 0;
        break;
    case WM_NCDESTROY:
        self->edit_ = nullptr;
        break;
    default:
        break;
    }
    return PassOn(EditProc, kEditSubclass, window, message, wParam, lParam);
}

LRESULT CALLBACK SuggestionPopup::ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<SuggestionPopup*>(data);
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE: {
        // The list never takes the focus: a click chooses the name under
        // the mouse, which follows the mouse as in the shell's lists.
        const auto hit = static_cast<DWORD>(SendMessageW(window, LB_ITEMFROMPOINT, 0, lParam));
        const int index = LOWORD(hit);
        if (HIWORD(hit) || static_cast<std::size_t>(index) >= self->shown_.entries.size()) return 0;
        if (message == WM_LBUTTONDOWN)
            self->Choose(index);
        else if (SendMessageW(window, LB_GETCURSEL, 0, 0) != index)
            SendMessageW(window, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        return 0;
    }
    case WM_LBUTTONDBLCLK:
        return 0;
    case WM_NCDESTROY:
        self->list_ = nullptr;
        break;
    default:
        break;
    }
    return PassOn(ListProc, kListSubclass, window, message, wParam, lParam);
}

}  // namespace ks::ui
