#include "grammar/default_value.h"

#include <array>

#include "grammar/registry_case.h"

namespace ks {

bool IsDefaultValueWord(std::string_view valueName) {
    static constexpr std::array<std::string_view, 9> kWords{
        "(Default)",      "(Standard)",
        "(par d\xC3\xA9" "faut)",  // (par défaut)
        "(Predeterminado)", "(Predefinito)",
        "(Padr\xC3\xA3o)",  // (Padrão)
        "(\xD0\x9F\xD0\xBE \xD1\x83\xD0\xBC\xD0\xBE\xD0\xBB\xD1\x87\xD0\xB0\xD0\xBD\xD0\xB8\xD1\x8E)",
        "(\xE6\x97\xA2\xE5\xAE\x9A)",  // (既定)
        "(\xE9\xBB\x98\xE8\xAE\xA4)",  // (默认)
    };
    if (valueName.size() < 3 || valueName.front() != '(' || valueName.back() != ')') return false;
    const std::string folded = FoldName(valueName);
    for (std::string_view word : kWords)
        if (FoldName(word) == folded) return true;
    return false;
}

}  // namespace ks
