#include "favourites/settings_session.h"

namespace ks {

std::optional<std::string> SettingsSession::SaveAtClose(const FavouritesList& list,
                                                        const WindowBounds& bounds,
                                                        bool maximised) {
    if (values.unreadAtLoad) return std::nullopt;
    return SaveSettings(files_, ansi_, values, list, bounds, maximised);
}

void SettingsSession::SaveAtSessionEnd(const FavouritesList& list, const WindowBounds& bounds,
                                       bool maximised) noexcept {
    try {
        savedForSessionEnd_ =
            !values.unreadAtLoad && !SaveSettings(files_, ansi_, values, list, bounds, maximised);
    } catch (...) {
        savedForSessionEnd_ = false;
    }
}

}  // namespace ks
