// The settings reader on arbitrary bytes: no crash or hang, a stable
// round trip, and a value written is the value read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "favourites/ini_file.h"

namespace {
void Require(bool condition) {
    if (!condition) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    ks::IniFile ini(text);
    (void)ini.ReadString("RegistryList", "0", "");
    (void)ini.ReadInteger("RegistryList", "Count", 0);
    (void)ini.ReadBoolean("Copy", "Enable", false);
    for (const ks::IniFile::Entry& entry : ini.Entries("RegistryList"))
        Require(ini.Find("RegistryList", entry.name).has_value());

    ini.WriteInteger("RegistryList", "Count", 7);
    ini.WriteString("CommentList", "0", "plain value");
    const std::string written = ini.Serialize();

    ks::IniFile reread(written);
    Require(reread.ReadInteger("RegistryList", "Count", 0) == 7);
    Require(reread.ReadString("CommentList", "0", "") == "plain value");
    Require(reread.Serialize() == written);
    return 0;
}
