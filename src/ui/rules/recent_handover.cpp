#include "ui/rules/recent_handover.h"

#include "jump/jump_messages.h"

namespace ks {

std::optional<RecentPath> LandingToRemember(const JumpOutcome& outcome) {
    if (!HasLanded(outcome.result)) return std::nullopt;
    // "HKCU\Software\" and "HKCU\Software" are one key, remembered once.
    const bool value = !outcome.target.valueName.empty() || outcome.target.defaultValue;
    std::string landed = DisplayPath(outcome.target);
    if (!value)
        while (landed.size() > 1 && landed.back() == '\\') landed.pop_back();
    return RecentPath{std::move(landed), value};
}

std::string HandoverText(const RecentPath& path) {
    return (path.value ? "V" : "K") + path.path;
}

std::optional<RecentPath> ReadHandover(std::string_view bytes) {
    if (bytes.size() < 2 || bytes.size() > kMostHandoverBytes) return std::nullopt;
    if (bytes.front() != 'K' && bytes.front() != 'V') return std::nullopt;
    const std::string_view path = bytes.substr(1);
    if (path.find('\0') != std::string_view::npos) return std::nullopt;
    return RecentPath{std::string(path), bytes.front() == 'V'};
}

}  // namespace ks
