#pragma once
// The main window's bounds as the settings keep them: sizes in units of
// 96 DPI, the position in screen pixels.
#include <windows.h>

#include "favourites/settings.h"

namespace ks::ui {

// The window's present outer bounds as they are stored.
WindowBounds StoredBoundsOf(HWND window, UINT dpi);

// Gives the window stored bounds at `dpi`, moved onto the desktop when they
// are off every monitor. Each edge is a change of its own, so that each
// size change meets the minimum size as it comes.
void ApplyStoredBounds(HWND window, const WindowBounds& stored, UINT dpi);

}  // namespace ks::ui
