#pragma once
// How a window is shown: the states the program asks of windows, its own and
// another program's, and of the program it starts.

namespace ks {

enum class ShowState {
    Hidden,
    Shown,      // as it was, and active
    Maximised,
    Restored,   // from minimised or maximised to its normal place
};

}  // namespace ks
