#pragma once
// The Registry Editor reopens the key it last showed. A cold start that is
// to be measured the same way every time clears that memory first; the
// user's own value is kept and written back at the end.
#include <windows.h>

#include <optional>
#include <string>

namespace ks::bench {

class EditorLastKey {
public:
    EditorLastKey() {
        DWORD size = 0;
        if (RegGetValueA(HKEY_CURRENT_USER, kKey, kValue, RRF_RT_REG_SZ, nullptr, nullptr,
                         &size) != ERROR_SUCCESS)
            return;
        std::string text(size, '\0');
        if (RegGetValueA(HKEY_CURRENT_USER, kKey, kValue, RRF_RT_REG_SZ, nullptr, text.data(),
                         &size) != ERROR_SUCCESS) {
            unreadable_ = true;
            return;
        }
        text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
        saved_ = std::move(text);
    }
    ~EditorLastKey() {
        if (unreadable_) return;
        if (!saved_) {
            Forget();
            return;
        }
        RegSetKeyValueA(HKEY_CURRENT_USER, kKey, kValue, REG_SZ, saved_->c_str(),
                        static_cast<DWORD>(saved_->size() + 1));
    }
    EditorLastKey(const EditorLastKey&) = delete;
    EditorLastKey& operator=(const EditorLastKey&) = delete;

    // False when the user's value exists but could not be read: it would be
    // lost, so nothing may be changed.
    bool Ready() const { return !unreadable_; }

    // The editor's next start shows the top of its tree.
    void Forget() {
        if (!unreadable_) RegDeleteKeyValueA(HKEY_CURRENT_USER, kKey, kValue);
    }

private:
    static constexpr char kKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit";
    static constexpr char kValue[] = "LastKey";
    std::optional<std::string> saved_;
    bool unreadable_ = false;
};

}  // namespace ks::bench
