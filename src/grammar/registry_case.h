#pragma once
// Letter case as the registry ignores it in key and value names: each UTF-16
// unit is upper-cased alone. The table covers ASCII, the rest of Latin-1,
// basic Greek and Cyrillic; every other character is its own upper case.
#include <string>
#include <string_view>

namespace ks {

std::string FoldName(std::string_view name);

// Whether `name` begins with `prefix`, letter case ignored as above.
bool StartsWithFolded(std::string_view name, std::string_view foldedPrefix);

}  // namespace ks
