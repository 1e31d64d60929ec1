#pragma once
#include "platform/clipboard.h"
#include "platform/handles.h"

namespace ks {

class Win32Clipboard final : public Clipboard {
public:
    // `owner` opens the clipboard (the application's window).
    explicit Win32Clipboard(Window owner = 0) noexcept : owner_(owner) {}

    bool HasText() override;
    std::optional<std::string> ReadText() override;
    bool WriteText(const std::string& text) override;

private:
    Window owner_;
};

}  // namespace ks
