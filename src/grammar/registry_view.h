#pragma once
// The 32-bit and 64-bit views of the registry on 64-bit Windows. WOW64
// redirects a 32-bit program's keys under HKLM\SOFTWARE and the class keys
// for COM (CLSID, Interface, TypeLib, AppID, ...) to a WOW6432Node key,
// where the Registry Editor, which shows the 64-bit view, lists them; the
// keys Microsoft documents as shared are the same in both views.
#include <optional>
#include <string>
#include <string_view>

namespace ks {

enum class RegistryView { Bits64, Bits32 };

// Where `keyPath` under the long root name, read in `from`, stands in the
// 64-bit view, written as the Registry Editor shows it: with the
// WOW6432Node component a 32-bit path needs, or without the one a 64-bit
// path does not. Nothing when the key stands at the same path (a shared
// key, one outside the redirected keys, a path already in that form).
// Letter case as the registry takes it; the path's own components are kept
// as written. A leading backslash or a run of them is read as one.
std::optional<std::string> KeyPathInView(std::string_view rootName, std::string_view keyPath,
                                         RegistryView from);

// The same key as the other view keeps it: a path with WOW6432Node gives
// the 64-bit key, a redirected 64-bit path the 32-bit one. Nothing for a
// shared key or one outside the redirected keys.
std::optional<std::string> KeyPathInOtherView(std::string_view rootName,
                                              std::string_view keyPath);

// Whether the path names a 32-bit program's key (it holds WOW6432Node where
// the redirection puts it).
bool IsIn32BitView(std::string_view rootName, std::string_view keyPath);

}  // namespace ks
