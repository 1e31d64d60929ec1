#pragma once
// The main window's own controls, named as the design names them; the
// banner and the root switcher keep theirs.
#include <windows.h>

namespace ks::ui {

struct MainControls {
    HWND GroupBox2 = nullptr;  // holds the key box, Jump and the roots
    HWND eRegKey = nullptr;
    HWND bOpen = nullptr;
    HWND cbAutoCopy = nullptr;
    HWND ListView1 = nullptr;
    HWND bAddtoList = nullptr;
    HWND bJumpFromList = nullptr;
    HWND bEdit = nullptr;
    HWND bUp = nullptr;
    HWND bDown = nullptr;
    HWND bRemove = nullptr;
    HWND bAbout = nullptr;
    HWND bExit = nullptr;
};

}  // namespace ks::ui
