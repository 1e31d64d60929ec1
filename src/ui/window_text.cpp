#include "ui/window_text.h"

namespace ks::ui {

bool SetWindowTextTo(HWND window, std::string_view text) {
    return SetWindowTextW(window, Wide(text).c_str()) != FALSE;
}

}  // namespace ks::ui
