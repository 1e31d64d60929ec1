#pragma once
// The program's texts with their places filled: each "%s" or "%d" of a
// text from texts.h replaced by the next of `parts`, in order.
#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>

namespace ks {

inline std::string FilledText(std::string_view text, std::initializer_list<std::string_view> parts) {
    std::string result(text);
    std::size_t from = 0;
    for (const std::string_view part : parts) {
        const std::size_t at = std::min(result.find("%s", from), result.find("%d", from));
        if (at == std::string::npos) break;
        result.replace(at, 2, part);
        from = at + part.size();
    }
    return result;
}

}  // namespace ks
