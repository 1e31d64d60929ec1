#pragma once
// The Registry Editor's own favourites, brought into the favourites list:
// values of one key under HKEY_CURRENT_USER, each named after a favourite
// and holding its path in the editor's address-bar form
// ("Computer\HKEY_LOCAL_MACHINE\SOFTWARE").
#include "favourites/favourites_list.h"

namespace ks {

class Registry;

inline constexpr const char* kEditorFavouritesKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit\\Favorites";

struct FavouritesImport {
    int added = 0;
    int alreadyThere = 0;  // by the list's duplicate rule
    int unreadable = 0;    // data that reads as no registry path
    bool operator==(const FavouritesImport&) const = default;
};

// Appends each of the editor's favourites that is not in the list yet, in
// the editor's order, as the path the reader of pasted paths reads from it
// (a long root name, a backslash and the rest) with the favourite's name as
// its comment. Reads the registry only; the selection stays as it was.
FavouritesImport ImportEditorFavourites(Registry& registry, FavouritesList& favourites);

}  // namespace ks
