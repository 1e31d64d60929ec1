#pragma once
// The favourite editor "Add to list": one favourite's key text and comment.
#include <windows.h>

#include <string>

namespace ks::ui {

// Shows the editor modally over `owner` with the given texts in its fields.
// True when the user confirmed with OK: the fields' texts are then written
// back. Cancel, Escape and the close box return false and leave both
// strings as they were.
bool RunFavouriteEditor(HWND owner, std::string& keyText, std::string& comment);

}  // namespace ks::ui
