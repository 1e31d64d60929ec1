#pragma once
// A clipboard for the native tests: a text, or none, and a switch for a
// clipboard that another program holds open.
#include <optional>
#include <string>

#include "platform/clipboard.h"

namespace ks::sim {

class SimClipboard final : public Clipboard {
public:
    std::optional<std::string> text;  // nothing: no CF_TEXT on the clipboard
    bool heldByAnotherProgram = false;
    int reads = 0;

    bool HasText() override { return text.has_value(); }
    std::optional<std::string> ReadText() override {
        ++reads;
        if (heldByAnotherProgram) return std::nullopt;
        // CF_TEXT ends at the first zero byte.
        return text ? text->substr(0, text->find('\0')) : std::string();
    }
    bool WriteText(const std::string& value) override {
        if (heldByAnotherProgram) return false;
        text = value;
        return true;
    }
};

}  // namespace ks::sim
