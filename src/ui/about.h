#pragma once
// The About window: product name, version and the link to the product page.
#include <windows.h>

namespace ks::ui {

// Shows the About window modally over `owner`; its pictures come from the
// program's own resources.
void RunAboutWindow(HWND owner);

// The same with the pictures taken from `resources`, a module that holds
// the program's resources.
void RunAboutWindow(HWND owner, HINSTANCE resources);

}  // namespace ks::ui
