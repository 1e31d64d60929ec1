#pragma once
// The settings for the program's life: loaded once at the start, saved at
// the close and, silently, when the session ends, never over a file whose
// contents were not read.
#include <optional>
#include <string>

#include "favourites/favourites_list.h"
#include "favourites/settings.h"

namespace ks {

class SettingsSession {
public:
    SettingsSession(Files& files, const AnsiCodePage& ansi) : files_(files), ansi_(ansi) {}

    Settings values;

    void Load(FavouritesList& list) { LoadSettings(files_, ansi_, values, list); }

    // The close: the error text when the file could not be written. A file
    // that could not be read at the start is left alone (what it holds was
    // never shown; the user was told then), and the close goes ahead.
    [[nodiscard]] std::optional<std::string> SaveAtClose(const FavouritesList& list,
                                                         const WindowBounds& bounds,
                                                         bool maximised);
    // The end of the session was announced: saved as the close saves, with
    // nothing raised. A failed save leaves the previous file as it was.
    void SaveAtSessionEnd(const FavouritesList& list, const WindowBounds& bounds,
                          bool maximised) noexcept;
    // The end was called off, or the announcement came without a save.
    void SessionGoesOn() noexcept { savedForSessionEnd_ = false; }
    bool SavedForSessionEnd() const noexcept { return savedForSessionEnd_; }

private:
    Files& files_;
    const AnsiCodePage& ansi_;
    bool savedForSessionEnd_ = false;
};

}  // namespace ks
