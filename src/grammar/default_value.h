#pragma once
// The key's default value, the one without a name. The Registry Editor lists
// it first, under a word of its own language; a path may name it by that
// word, and the program writes it as the English one.
#include <string_view>

namespace ks {

inline constexpr std::string_view kDefaultValueName = "(Default)";

// Whether `valueName` is the editor's word for the default value in one of
// the languages it is shipped in ("(Default)", "(Standard)", "(par défaut)",
// "(Predeterminado)", "(Predefinito)", "(Padrão)", "(По умолчанию)",
// "(既定)", "(默认)"), in any letter case. Only a key that holds no value of
// that literal name takes it so.
bool IsDefaultValueWord(std::string_view valueName);

}  // namespace ks
