#pragma once
// The clipboard's text: the Unicode text (CF_UNICODETEXT), or the ANSI one
// (CF_TEXT) when a program offered only that, in the program's 8-bit form.
#include <optional>
#include <string>

namespace ks {

class Clipboard {
public:
    virtual ~Clipboard() = default;

    // A text of either form is there.
    virtual bool HasText() = 0;

    // The text up to its first zero unit (empty without data), or nothing
    // when the clipboard cannot be opened: another program held it
    // throughout a short wait.
    virtual std::optional<std::string> ReadText() = 0;

    // Replaces the clipboard's contents with the text. False on failure,
    // the clipboard held by another program throughout the same wait among
    // them.
    virtual bool WriteText(const std::string& text) = 0;
};

}  // namespace ks
