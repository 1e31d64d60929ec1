#pragma once
// The favourite editor: one favourite's key text and comment, captioned
// "Add Favorite" for a new favourite and "Edit Favorite" for one in the list.
#include <windows.h>

#include <functional>
#include <string>

namespace ks::ui {

// Shows the editor modally over `owner` with the given texts in its fields.
// True when the user confirmed with OK: the fields' texts are then written
// back. Cancel, Escape and the close box return false and leave both
// strings as they were. Launch Registry Editor runs `launch` with the key
// box's text.
enum class FavouriteEditorPurpose { Add, Edit };
bool RunFavouriteEditor(HWND owner, FavouriteEditorPurpose purpose, std::string& keyText,
                        std::string& comment,
                        const std::function<void(const std::string&)>& launch);

}  // namespace ks::ui
