#pragma once
// The main window's bounds as the settings keep them: sizes in units of
// 96 DPI, the position in screen pixels.
#include <windows.h>

#include "favourites/settings.h"
#include "ui/rules/stored_bounds.h"

namespace ks::ui {

// The window's present outer bounds as they are stored.
WindowBounds StoredBoundsOf(HWND window, UINT dpi);

// Where the window opens from stored bounds on today's desktop: the
// monitor they fall on, at its DPI, moved onto the desktop when they are
// off every monitor. `windowDpi` is the window's DPI now.
StoredPlacement StoredPlacementOf(const WindowBounds& stored, UINT windowDpi);

// Gives the window the placement in one step.
void ApplyPlacement(HWND window, const StoredPlacement& placement);

}  // namespace ks::ui
