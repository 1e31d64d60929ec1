#pragma once
// A keystride: link handed over by the shell. Any web page can start one, so
// nothing happens before the user has seen the path and said yes; the
// link's text is only ever a path, never an option.
#include <optional>
#include <string>
#include <string_view>

namespace ks {

class WindowSystem;

// The path to jump to once the user agreed; nothing when they declined or
// the link is malformed (which says so with the plain not-found box).
std::optional<std::string> ConfirmLink(WindowSystem& boxes, std::string_view link);

}  // namespace ks
