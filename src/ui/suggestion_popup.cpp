#include "ui/suggestion_popup.h"

#include <commctrl.h>

#include <algorithm>

#include "filled_text.h"
#include "texts.h"
#include "ui/control_ids.h"
#include "ui/ui_kit.h"
#include "ui/window_text.h"

namespace ks::ui {
namespace {

constexpr wchar_t kPopupClass[] = L"Keystride Suggestions";
constexpr UINT_PTR kReadingTimer = 1;
constexpr UINT kReadingPause = USER_TIMER_MINIMUM;
// Names read per turn of the timer. A turn runs while nothing else waits
// for the window: it gives way within a step of names to a key, a click or
// a message from another program.
constexpr std::size_t kNamesPerTurn = 2048;
constexpr std::size_t kNamesPerStep = 16;
constexpr int kMostVisibleRows = 12;

std::string ShownText(const Suggestion& entry) {
    if (entry.kind != SuggestionKind::Value && entry.kind != SuggestionKind::RecentValue)
        return entry.name;
    return FilledText(KS_TEXT_VALUE_SUGGESTION, {entry.name});
}

std::string MoreText(std::size_t more) {
    return FilledText(KS_TEXT_MORE_SUGGESTIONS, {std::to_string(more)});
}


bool SomethingWaiting() noexcept {
    return HIWORD(GetQueueStatus(QS_KEY | QS_MOUSEBUTTON | QS_POSTMESSAGE | QS_SENDMESSAGE)) != 0;
}

}  // namespace

SuggestionPopup::~SuggestionPopup() {
    if (edit_) RemoveWindowSubclass(edit_, EditProc, kEditSubclass);
    if (popup_) DestroyWindow(popup_);
}

void SuggestionPopup::Attach(HINSTANCE instance, HWND owner, HWND edit,
                             std::function<void()> jump) {
    instance_ = instance;
    owner_ = owner;
    edit_ = edit;
    jump_ = std::move(jump);
    SetWindowSubclass(edit_, EditProc, kEditSubclass, reinterpret_cast<DWORD_PTR>(this));
}

// Made when first wanted, not with the window: most starts never type.
bool SuggestionPopup::MadePopup() {
    if (list_) return true;
    if (popup_ ||
        !RegisterWindowClass(instance_, {kPopupClass, PopupProc, CS_DROPSHADOW, COLOR_WINDOW}))
        return false;
    CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kPopupClass, L"", WS_POPUP | WS_BORDER, 0,
                    0, 0, 0, owner_, nullptr, instance_, this);
    if (!popup_) return false;
    list_ = CreateWindowExW(0, WC_LISTBOXW, L"",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 0, 0, 0, 0,
                            popup_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_SUGGESTIONS)),
                            instance_, nullptr);
    if (!list_) return false;
    SetWindowSubclass(list_, ListProc, kListSubclass, reinterpret_cast<DWORD_PTR>(this));
    SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return true;
}

void SuggestionPopup::SetFont(HFONT font) {
    font_ = font;
    if (list_) SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

bool SuggestionPopup::IsOpen() const noexcept { return popup_ && IsWindowVisible(popup_); }

void SuggestionPopup::TextChanged() {
    if (GetFocus() != edit_) return;
    Suggest(false);
}

void SuggestionPopup::Close(bool forget) {
    if (popup_) ShowWindow(popup_, SW_HIDE);
    shown_ = {};
    if (!forget) return;
    listings_.Forget();
    if (reading_) KillTimer(popup_, kReadingTimer);
    reading_ = false;
}

// The list for the box's text. An empty box shows the recent jumps only
// when asked (`open`: Down or Alt+Down).
void SuggestionPopup::Suggest(bool open) {
    const std::string text = WindowText(edit_);
    if ((text.empty() && !open) || !MadePopup()) {
        Close();
        return;
    }
    Fill(SuggestPaths(text, recent_.Paths(), listings_));
    if (listings_.HasNamesToRead() && !reading_)
        reading_ = SetTimer(popup_, kReadingTimer, kReadingPause, nullptr) != 0;
}

void SuggestionPopup::Fill(const Suggestions& suggestions) {
    // A selection survives the names that arrive after it.
    const int selected = static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0));
    std::string selectedCompletion;
    if (selected >= 0 && static_cast<std::size_t>(selected) < shown_.entries.size())
        selectedCompletion = shown_.entries[static_cast<std::size_t>(selected)].completion;
    if (IsOpen() && suggestions.entries == shown_.entries && suggestions.more == shown_.more) {
        shown_.complete = suggestions.complete;
        return;  // the names that arrived changed nothing on show
    }
    shown_ = suggestions;
    if (shown_.entries.empty()) {
        Close();
        return;
    }
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    int reselect = -1;
    for (const Suggestion& entry : shown_.entries) {
        const auto index = SendMessageW(list_, LB_ADDSTRING, 0,
                                        reinterpret_cast<LPARAM>(Wide(ShownText(entry)).c_str()));
        if (!selectedCompletion.empty() && entry.completion == selectedCompletion)
            reselect = static_cast<int>(index);
    }
    if (shown_.more > 0)
        SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(MoreText(shown_.more)).c_str()));
    SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(reselect), 0);
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
    Place(static_cast<int>(SendMessageW(list_, LB_GETCOUNT, 0, 0)));
}

// Under the box, as wide as it, and above it when the monitor has no room
// below.
void SuggestionPopup::Place(int rows) {
    const RECT box = WindowBoundsOf(edit_);
    const int rowHeight = std::max(1, static_cast<int>(SendMessageW(list_, LB_GETITEMHEIGHT, 0, 0)));
    const int border = 2 * GetSystemMetrics(SM_CYBORDER);
    const int height = std::min(rows, kMostVisibleRows) * rowHeight + border;
    const int width = box.right - box.left;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(edit_, MONITOR_DEFAULTTONEAREST), &monitor);
    int top = box.bottom;
    if (top + height > monitor.rcWork.bottom && box.top - height >= monitor.rcWork.top)
        top = box.top - height;
    // Moving a top-level window costs a round trip to the display: only
    // when it changes.
    const RECT wanted{box.left, top, box.left + width, top + height};
    const RECT now = WindowBoundsOf(popup_);
    if (IsOpen() && EqualRect(&wanted, &now)) return;
    MoveWindow(list_, 0, 0, width - border, height - border, FALSE);
    SetWindowPos(popup_, nullptr, box.left, top, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}


void SuggestionPopup::ReadNames() {
    for (std::size_t read = 0; read < kNamesPerTurn && listings_.HasNamesToRead();
         read += kNamesPerStep) {
        listings_.ReadMore(kNamesPerStep);
        if (SomethingWaiting()) break;
    }
    if (!listings_.HasNamesToRead()) {
        KillTimer(popup_, kReadingTimer);
        reading_ = false;
    }
    if (IsOpen() && !shown_.complete) Fill(SuggestPaths(WindowText(edit_), recent_.Paths(), listings_));
}

LRESULT CALLBACK SuggestionPopup::PopupProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    auto* self = WindowOwner(window, message, lParam, &SuggestionPopup::popup_);
    switch (message) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;  // the focus stays in the box
    case WM_TIMER:
        if (self && wParam == kReadingTimer) self->ReadNames();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}


}  // namespace ks::ui
