#include "ui/rules/link_request.h"

#include "filled_text.h"
#include "grammar/path_forms.h"
#include "platform/window_system.h"
#include "texts.h"

namespace ks {

std::optional<std::string> ConfirmLink(WindowSystem& boxes, std::string_view link) {
    std::optional<std::string> path = LinkPath(link);
    if (!path) {
        boxes.ShowMessageBox(KS_TEXT_NOT_FOUND, KS_TEXT_PRODUCT_NAME, MessageBoxKind::Warning);
        return std::nullopt;
    }
    if (!boxes.ShowMessageBox(FilledText(KS_TEXT_LINK_ASKS, {*path}), KS_TEXT_PRODUCT_NAME,
                              MessageBoxKind::Offer))
        return std::nullopt;
    return path;
}

}  // namespace ks
