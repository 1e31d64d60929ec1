// Keystride only reads the registry: a run of many jumps, found and not
// found, leaves every key and value as it was, but for the one value a jump
// writes before it starts the editor, the editor's own remembered key, which
// the editor writes again when it closes. The Wine layer's own bookkeeping
// under Software\Wine is left out of the comparison.
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <thread>
#include <string>
#include <vector>

#include "jump/editor_last_key.h"
#include "jump/jump_messages.h"
#include "jump/jump_resolution.h"
#include "platform/win32/win32_process_control.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_window_system.h"
#include "win32/win32_support.h"

namespace ks::test {
namespace {

using Snapshot = std::map<std::string, std::string>;  // key or key|value -> type and data

const std::string kEditorKey = std::string("HKCU\\") + kEditorSettingsKey;

bool WrittenByOthers(const std::string& path) {
    return path == kEditorKey + "|" + kEditorLastKeyValue || path == kEditorKey ||
           path.rfind("HKCU\\Software\\Wine", 0) == 0;
}

// The real registry, with every write the program asks for noted.
class NotingRegistry final : public Win32Registry {
public:
    long SetTextValue(RegKey root, const std::string& keyPath, const std::string& name,
                      const std::string& data) override {
        writes.push_back(std::to_string(root) + "|" + keyPath + "|" + name);
        return Win32Registry::SetTextValue(root, keyPath, name, data);
    }
    std::vector<std::string> writes;
};

void Capture(HKEY parent, const std::string& path, Snapshot& out) {
    if (path != kEditorKey) out[path] = "key";
    char name[16384];
    std::string data(1 << 16, '\0');
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = sizeof name, type = 0, dataLength = static_cast<DWORD>(data.size());
        const LONG result = RegEnumValueA(parent, i, name, &nameLength, nullptr, &type,
                                          reinterpret_cast<BYTE*>(data.data()), &dataLength);
        if (result == ERROR_NO_MORE_ITEMS) break;
        if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA) break;
        if (!WrittenByOthers(path + "|" + name))
            out[path + "|" + name] = std::to_string(type) + ":" + data.substr(0, dataLength);
    }
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = sizeof name;
        if (RegEnumKeyExA(parent, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        HKEY child = nullptr;
        const std::string childPath = path + "\\" + name;
        if (WrittenByOthers(childPath) && childPath != kEditorKey) continue;
        if (RegOpenKeyExA(parent, name, 0, KEY_READ, &child) != ERROR_SUCCESS) continue;
        Capture(child, childPath, out);
        RegCloseKey(child);
    }
}

Snapshot CaptureRegistry() {
    Snapshot snapshot;
    Capture(HKEY_CURRENT_USER, "HKCU", snapshot);
    HKEY software = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_READ, &software) == ERROR_SUCCESS) {
        Capture(software, "HKLM\\Software", snapshot);
        RegCloseKey(software);
    }
    return snapshot;
}

TEST(RegistryUntouched, ManyJumpsWriteNothingButTheEditorsRememberedKey) {
    CloseRegistryEditor();
    const Snapshot before = CaptureRegistry();
    ASSERT_GT(before.size(), 1000u);

    // Texts that are not found end in a box; a second thread answers it.
    std::atomic<bool> done{false};
    std::atomic<int> boxes{0};
    std::thread dismisser([&] {
        while (!done) {
            if (HWND box = FindWindowA("#32770", "Keystride")) {
                SendMessageA(box, WM_COMMAND, IDOK, 0);
                ++boxes;
            }
            Sleep(50);
        }
    });
    NotingRegistry registry;
    Win32WindowSystem windows;
    Win32ProcessControl processes;
    for (const char* text :
         {"HKCU\\Software", "hklm\\software\\Microsoft\\Windows\\CurrentVersion\\ProgramFilesDir",
          "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion",
          "HKEY_CURRENT_USER\\Control Panel\\Desktop", "HKU", "HKCR",
          "HKCU\\Software\\NoSuchKeyForKeystride\\NoValue"}) {
        const JumpOutcome outcome = JumpToRegistryPath({registry, windows, processes}, text);
        EXPECT_TRUE(HasLanded(outcome.result) || outcome.result == JumpResult::NotFound) << text;
        ShowJumpOutcome(windows, outcome);
    }
    done = true;
    dismisser.join();
    EXPECT_EQ(boxes, 1) << "only the missing key is not found";
    // The first jump started the editor; the others found it running.
    EXPECT_EQ(registry.writes, std::vector<std::string>{std::to_string(0x80000001u) + "|" +
                                                        kEditorSettingsKey + "|" +
                                                        kEditorLastKeyValue});

    CloseRegistryEditor();
    const Snapshot after = CaptureRegistry();
    for (const auto& [path, data] : after) {
        const auto it = before.find(path);
        EXPECT_TRUE(it != before.end() && it->second == data) << "changed or added: " << path;
    }
    for (const auto& [path, data] : before)
        EXPECT_TRUE(after.count(path)) << "removed: " << path;
}

}  // namespace
}  // namespace ks::test
