#include "grammar/registry_view.h"

#include <array>
#include <vector>

#include "grammar/ascii.h"

namespace ks {
namespace {

constexpr std::string_view kNode = "WOW6432Node";

// The class keys that the views keep apart.
constexpr std::array<std::string_view, 7> kRedirectedClasses{
    "CLSID", "Interface", "TypeLib", "AppID", "DirectShow", "Media Type", "MediaFoundation"};

// Keys under HKLM\SOFTWARE that both views share (Windows 7 and later), by
// their components below SOFTWARE.
constexpr std::array<std::string_view, 44> kSharedSoftware{
    "Clients",
    "Microsoft\\COM3",
    "Microsoft\\Cryptography\\Calais",
    "Microsoft\\DFS",
    "Microsoft\\DRM",
    "Microsoft\\EventSystem",
    "Microsoft\\MSMQ",
    "Microsoft\\Non-Driver Signing",
    "Microsoft\\Notepad\\DefaultFonts",
    "Microsoft\\OLE",
    "Microsoft\\RAS",
    "Microsoft\\RPC",
    "Microsoft\\Shared Tools\\MSInfo",
    "Microsoft\\SystemCertificates",
    "Microsoft\\TermServLicensing",
    "Microsoft\\Transaction Server",
    "Microsoft\\Windows\\CurrentVersion\\App Paths",
    "Microsoft\\Windows\\CurrentVersion\\Control Panel\\Cursors\\Schemes",
    "Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoplayHandlers",
    "Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons",
    "Microsoft\\Windows\\CurrentVersion\\Explorer\\KindMap",
    "Microsoft\\Windows\\CurrentVersion\\Group Policy",
    "Microsoft\\Windows\\CurrentVersion\\Policies",
    "Microsoft\\Windows\\CurrentVersion\\PreviewHandlers",
    "Microsoft\\Windows\\CurrentVersion\\Setup",
    "Microsoft\\Windows\\CurrentVersion\\Telephony",
    "Microsoft\\Windows NT\\CurrentVersion\\CompatibilityFlags",
    "Microsoft\\Windows NT\\CurrentVersion\\Console",
    "Microsoft\\Windows NT\\CurrentVersion\\FontDpi",
    "Microsoft\\Windows NT\\CurrentVersion\\FontLink",
    "Microsoft\\Windows NT\\CurrentVersion\\FontMapper",
    "Microsoft\\Windows NT\\CurrentVersion\\Fonts",
    "Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes",
    "Microsoft\\Windows NT\\CurrentVersion\\Gre_Initialize",
    "Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options",
    "Microsoft\\Windows NT\\CurrentVersion\\LanguagePack",
    "Microsoft\\Windows NT\\CurrentVersion\\NetworkCards",
    "Microsoft\\Windows NT\\CurrentVersion\\Perflib",
    "Microsoft\\Windows NT\\CurrentVersion\\Ports",
    "Microsoft\\Windows NT\\CurrentVersion\\Print",
    "Microsoft\\Windows NT\\CurrentVersion\\ProfileList",
    "Microsoft\\Windows NT\\CurrentVersion\\Time Zones",
    "Policies",
    "RegisteredApplications",
};

std::vector<std::string_view> Components(std::string_view path) {
    std::vector<std::string_view> parts;
    while (!path.empty()) {
        const std::size_t cut = path.find('\\');
        const std::string_view part = path.substr(0, cut);
        if (!part.empty()) parts.push_back(part);
        if (cut == std::string_view::npos) break;
        path.remove_prefix(cut + 1);
    }
    return parts;
}

bool Is(std::string_view part, std::string_view name) { return EqualsIgnoringAsciiCase(part, name); }

bool IsRedirectedClass(std::string_view part) {
    for (std::string_view name : kRedirectedClasses)
        if (Is(part, name)) return true;
    return false;
}

bool StartsWithComponents(const std::vector<std::string_view>& parts, std::size_t from,
                          std::string_view prefix) {
    const std::vector<std::string_view> wanted = Components(prefix);
    if (parts.size() - from < wanted.size()) return false;
    for (std::size_t i = 0; i < wanted.size(); ++i)
        if (!Is(parts[from + i], wanted[i])) return false;
    return true;
}

// Where in the path the WOW6432Node component goes (its index), for a key
// the views keep apart; nothing for a shared one.
std::optional<std::size_t> RedirectionPoint(std::string_view rootName,
                                            const std::vector<std::string_view>& parts) {
    const auto classesAt = [&](std::size_t at) -> std::optional<std::size_t> {
        if (parts.size() > at && (Is(parts[at], kNode) || IsRedirectedClass(parts[at]))) return at;
        return std::nullopt;
    };
    if (Is(rootName, "HKEY_CLASSES_ROOT")) return classesAt(0);
    if (parts.empty() || !Is(parts[0], "SOFTWARE")) return std::nullopt;
    if (parts.size() > 1 && Is(parts[1], "Classes")) return classesAt(2);
    if (Is(rootName, "HKEY_CURRENT_USER")) return std::nullopt;  // only its classes
    if (!Is(rootName, "HKEY_LOCAL_MACHINE") || parts.size() < 2) return std::nullopt;
    if (Is(parts[1], kNode)) return 1;
    for (std::string_view shared : kSharedSoftware)
        if (StartsWithComponents(parts, 1, shared)) return std::nullopt;
    return 1;
}

std::string Joined(const std::vector<std::string_view>& parts) {
    std::string path;
    for (std::string_view part : parts) {
        if (!path.empty()) path += '\\';
        path += part;
    }
    return path;
}

}  // namespace

std::optional<std::string> KeyPathInView(std::string_view rootName, std::string_view keyPath,
                                         RegistryView from) {
    std::vector<std::string_view> parts = Components(keyPath);
    const std::optional<std::size_t> at = RedirectionPoint(rootName, parts);
    if (!at) return std::nullopt;
    const bool marked = Is(parts[*at], kNode);
    // A 64-bit program's path, or one that names the 32-bit key already.
    if (from == RegistryView::Bits64 || marked) return std::nullopt;
    parts.insert(parts.begin() + static_cast<std::ptrdiff_t>(*at), kNode);
    return Joined(parts);
}

std::optional<std::string> KeyPathInOtherView(std::string_view rootName,
                                              std::string_view keyPath) {
    std::vector<std::string_view> parts = Components(keyPath);
    const std::optional<std::size_t> at = RedirectionPoint(rootName, parts);
    if (!at) return std::nullopt;
    if (Is(parts[*at], kNode)) {
        parts.erase(parts.begin() + static_cast<std::ptrdiff_t>(*at));
        // A 32-bit path of a shared key, or a bare WOW6432Node, has no
        // other place.
        if (!RedirectionPoint(rootName, parts)) return std::nullopt;
        return Joined(parts);
    }
    parts.insert(parts.begin() + static_cast<std::ptrdiff_t>(*at), kNode);
    return Joined(parts);
}

bool IsIn32BitView(std::string_view rootName, std::string_view keyPath) {
    const std::vector<std::string_view> parts = Components(keyPath);
    const std::optional<std::size_t> at = RedirectionPoint(rootName, parts);
    return at && Is(parts[*at], kNode);
}

}  // namespace ks
