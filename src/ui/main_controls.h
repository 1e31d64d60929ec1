#pragma once
// The main window's controls, one handle per designed role.
#include <windows.h>

#include <array>

#include "ui/rules/main_window_design.h"

namespace ks::ui {

class MainControls {
public:
    HWND operator[](ControlRole role) const noexcept {
        return role == ControlRole::None ? nullptr : handles_[static_cast<std::size_t>(role)];
    }
    void Set(ControlRole role, HWND control) noexcept {
        if (role != ControlRole::None) handles_[static_cast<std::size_t>(role)] = control;
    }

private:
    std::array<HWND, kControlRoleCount> handles_{};
};

}  // namespace ks::ui
