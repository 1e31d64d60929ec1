#pragma once
// The system's show command for each way the program shows a window.
#include <windows.h>

#include "platform/show_state.h"

namespace ks {

inline int ShowCommand(ShowState state) noexcept {
    switch (state) {
        case ShowState::Hidden:
            return SW_HIDE;
        case ShowState::Shown:
            return SW_SHOW;
        case ShowState::Maximised:
            return SW_SHOWMAXIMIZED;
        case ShowState::Restored:
            return SW_RESTORE;
    }
    return SW_SHOW;
}

}  // namespace ks
