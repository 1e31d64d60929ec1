#pragma once
// The drop-down under the key box: recent jumps, root names, subkeys and
// values that can follow the typed path. It never takes the focus: the keys
// typed in the box move through it (Down, Up), complete the box from it
// (Tab), jump (Enter) or close it (Escape). Names are read from the registry
// a few at a time between keystrokes, so typing never waits for a large key.
#include <windows.h>

#include <functional>
#include <string>

#include "favourites/recent_paths.h"
#include "jump/key_listing.h"
#include "jump/path_suggestions.h"

namespace ks {
class Registry;
}

namespace ks::ui {

class SuggestionPopup {
public:
    SuggestionPopup(Registry& registry, const RecentPaths& recent)
        : recent_(recent), listings_(registry) {}
    ~SuggestionPopup();
    SuggestionPopup(const SuggestionPopup&) = delete;
    SuggestionPopup& operator=(const SuggestionPopup&) = delete;

    // Follows the key box `edit`; the popup, owned by `owner`, is made when
    // there is first something to show. Enter runs `jump`, with the chosen
    // name in the box.
    void Attach(HINSTANCE instance, HWND owner, HWND edit, std::function<void()> jump);
    void SetFont(HFONT font);

    // The box's text changed: the list follows it while the box has the focus.
    void TextChanged();
    // The list goes away; with `forget`, the names read so far go too (the
    // registry may change while the user is elsewhere).
    void Close(bool forget = false);
    bool IsOpen() const noexcept;

private:
    static constexpr UINT_PTR kEditSubclass = 0x5347;
    static constexpr UINT_PTR kListSubclass = 0x5348;

    static LRESULT CALLBACK PopupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR data);
    static LRESULT CALLBACK ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR data);

    LRESULT OnEditMessage(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
    // A key typed in the box; true when the list used it.
    bool OnKey(WPARAM key, bool alt);
    bool MadePopup();
    void Suggest(bool open);
    void Fill(const Suggestions& suggestions);
    void Place(int rows);
    void MoveSelection(int step);
    void Choose(int index);
    void ReadNames();

    const RecentPaths& recent_;
    KeyListings listings_;
    Suggestions shown_;
    HINSTANCE instance_ = nullptr;
    HFONT font_ = nullptr;  // the window's, not owned
    HWND owner_ = nullptr;
    HWND edit_ = nullptr;
    std::function<void()> jump_;
    HWND popup_ = nullptr;
    HWND list_ = nullptr;
    bool reading_ = false;  // the reading timer runs
    WPARAM swallowChar_ = 0;  // the character of a key the list used
};

}  // namespace ks::ui
