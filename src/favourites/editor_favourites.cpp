#include "favourites/editor_favourites.h"

#include <string>
#include <vector>

#include "grammar/path_grammar.h"
#include "grammar/path_notations.h"
#include "platform/registry.h"

namespace ks {
namespace {

// The path as the program writes favourites: the long root name, then the
// rest (and a value name the notation named) after a backslash each.
std::string KeyText(const PathReading& reading) {
    std::string text = reading.rootName;
    if (!reading.rest.empty()) text += (reading.rest.front() == '\\' ? "" : "\\") + reading.rest;
    if (reading.valueName) text += "\\" + *reading.valueName;
    return text;
}

}  // namespace

FavouritesImport ImportEditorFavourites(Registry& registry, FavouritesList& favourites) {
    FavouritesImport result;
    RegKey key = 0;
    if (registry.OpenKey(PredefinedRootKey("HKEY_CURRENT_USER").value_or(0), kEditorFavouritesKey,
                         KeyAccess::Read, key) != kErrorSuccess)
        return result;
    const std::vector<std::pair<std::string, std::string>> values = registry.TextValues(key);
    registry.CloseKey(key);
    for (const auto& [name, path] : values) {
        const std::vector<PathReading> readings = ReadPathNotations(path);
        if (readings.empty()) {
            ++result.unreadable;
            continue;
        }
        if (favourites.AppendIfNew({KeyText(readings.front()), name}))
            ++result.added;
        else
            ++result.alreadyThere;
    }
    return result;
}

}  // namespace ks
