#pragma once
// The maker's pages, opened in the default browser from the banner and the
// tray menu, and the program's texts from its string table.
#include <windows.h>

#include <string>

namespace ks::ui {

// The string table's text; the built-in one stands in for a table that
// lacks it.
std::string LoadText(HINSTANCE instance, UINT id, const char* builtIn);

enum class MakerPage { Home, Product, Update };

// Opens the page over `owner`. Whether a browser could be started is not the
// program's concern.
void OpenMakerPage(HINSTANCE instance, HWND owner, MakerPage page);

// The update link label's own click: its target without the blanks around
// it, when there is one, and without an owner window.
void OpenUpdateLinkTarget(HINSTANCE instance);

}  // namespace ks::ui
