#include "grammar/registry_view.h"

#include <gtest/gtest.h>

namespace ks {
namespace {

constexpr const char* kMachine = "HKEY_LOCAL_MACHINE";
constexpr const char* kUser = "HKEY_CURRENT_USER";
constexpr const char* kClasses = "HKEY_CLASSES_ROOT";

// Where WOW64 keeps a 32-bit program's keys, both ways, as the Registry
// Editor shows them; the keys both views share have no other place.
TEST(RegistryView, RedirectedKeysHaveTheirOtherPlace) {
    struct Case {
        const char* root;
        const char* path;
        std::optional<std::string> other;
    };
    const Case cases[] = {
        {kMachine, "SOFTWARE\\Vendor\\App", "SOFTWARE\\WOW6432Node\\Vendor\\App"},
        {kMachine, "software\\wow6432node\\Vendor", "software\\Vendor"},
        {kMachine, "\\SOFTWARE\\\\Vendor", "SOFTWARE\\WOW6432Node\\Vendor"},
        {kClasses, "CLSID\\{0}", "WOW6432Node\\CLSID\\{0}"},
        {kClasses, "WOW6432Node\\TypeLib\\{1}", "TypeLib\\{1}"},
        {kMachine, "SOFTWARE\\Classes\\Interface\\{2}", "SOFTWARE\\Classes\\WOW6432Node\\Interface\\{2}"},
        {kUser, "Software\\Classes\\AppID\\x", "Software\\Classes\\WOW6432Node\\AppID\\x"},
        // Shared between the views: no other place.
        {kMachine, "SOFTWARE\\Classes\\.txt", std::nullopt},
        {kClasses, ".txt", std::nullopt},
        {kMachine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones\\UTC", std::nullopt},
        {kMachine, "SOFTWARE\\Policies\\Vendor", std::nullopt},
        {kMachine, "SOFTWARE\\WOW6432Node\\Policies\\Vendor", std::nullopt},
        {kMachine, "SOFTWARE\\WOW6432Node", std::nullopt},
        {kMachine, "SOFTWARE", std::nullopt},
        {kUser, "Software\\Vendor", std::nullopt},
        {kMachine, "SYSTEM\\CurrentControlSet", std::nullopt},
        {"HKEY_USERS", "S-1-5-18\\Software\\Vendor", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(KeyPathInOtherView(c.root, c.path), c.other) << c.path;
}

// reg.exe's "/reg:32": the key a 32-bit program would read; "/reg:64" and
// paths already in the 32-bit form stay as written.
TEST(RegistryView, ThirtyTwoBitReadsGoToTheRedirectedKey) {
    EXPECT_EQ(KeyPathInView(kMachine, "SOFTWARE\\Vendor", RegistryView::Bits32),
              "SOFTWARE\\WOW6432Node\\Vendor");
    EXPECT_EQ(KeyPathInView(kMachine, "SOFTWARE\\Vendor", RegistryView::Bits64), std::nullopt);
    EXPECT_EQ(KeyPathInView(kMachine, "SOFTWARE\\WOW6432Node\\Vendor", RegistryView::Bits32),
              std::nullopt);
    EXPECT_EQ(KeyPathInView(kMachine, "SOFTWARE\\Clients\\Mail", RegistryView::Bits32), std::nullopt);
    EXPECT_TRUE(IsIn32BitView(kClasses, "wow6432node\\CLSID"));
    EXPECT_FALSE(IsIn32BitView(kMachine, "SOFTWARE\\Vendor\\WOW6432Node"));
}

}  // namespace
}  // namespace ks
