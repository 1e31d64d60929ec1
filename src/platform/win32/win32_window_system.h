#pragma once
#include "platform/window_system.h"

namespace ks {

class Win32WindowSystem : public WindowSystem {
public:
    // `messageBoxOwner` owns the message boxes (the application's window);
    // 0 for none.
    explicit Win32WindowSystem(Window messageBoxOwner = 0) : owner_(messageBoxOwner) {}

    Window FindTopWindow(const std::string& className) override;
    void EnumChildWindows(Window parent, const std::function<bool(Window)>& visit) override;
    std::string ClassName(Window window) override;
    SendResult PressKey(Window window, Key key, KeystrokeMarking marking,
                        std::uint32_t timeout) override;
    SendResult TypeCharacter(Window window, char16_t unit, KeystrokeMarking marking,
                             std::uint32_t timeout) override;
    void ShowWindow(Window window, ShowState state) override;
    bool IsMinimised(Window window) override;
    WindowAccess AccessTo(Window window) override;
    void SetForegroundWindow(Window window) override;
    bool ShowMessageBox(const std::string& text, const std::string& caption,
                        MessageBoxKind kind) override;

    std::optional<TreeItem> TreeNextItem(Window tree, TreeRelation relation,
                                         TreeItem item) override;
    std::optional<std::string> TreeItemText(Window tree, TreeItem item) override;
    std::optional<TreeItem> FindTreeChild(
        Window tree, TreeItem parent,
        const std::function<bool(const std::string&)>& matches) override;
    bool TreeExpand(Window tree, TreeItem item) override;
    bool TreeSelect(Window tree, TreeItem item) override;
    std::optional<int> ListItemCount(Window list) override;
    std::optional<int> ListSelectedItem(Window list) override;
    std::optional<std::string> ListItemText(Window list, int item) override;
    bool ListSelect(Window list, int item) override;
    bool SameName(const std::string& a, const std::string& b) override;

private:
    Window owner_;
};

}  // namespace ks
