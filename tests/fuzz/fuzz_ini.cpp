// The settings reader on arbitrary bytes, in either form of the file (ANSI,
// or UTF-16LE after its mark): no crash or hang, a stable round trip, a
// value written is the value read back, and a file written always reads.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "favourites/ini_file.h"
#include "favourites/settings_text.h"
#include "platform/sim/sim_ansi_code_page.h"

namespace {
void Require(bool condition) {
    if (!condition) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ks::sim::SimAnsiCodePage ansi;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::optional<std::string> text = ks::DecodeSettingsFile(bytes, ansi);
    if (!text) {
        // Only a file marked UTF-16 can fail to be text.
        Require(bytes.starts_with(ks::kUtf16LeMark));
        return 0;
    }
    ks::IniFile ini(*text);
    (void)ini.ReadString("RegistryList", "0", "");
    (void)ini.ReadInteger("RegistryList", "Count", 0);
    (void)ini.ReadBoolean("Copy", "Enable", false);
    for (const ks::IniFile::Entry& entry : ini.Entries("RegistryList"))
        Require(ini.Find("RegistryList", entry.name).has_value());

    ini.WriteInteger("RegistryList", "Count", 7);
    ini.WriteString("CommentList", "0", "plain value");
    // A name outside the code page, so that both forms get written.
    if (size % 2 == 0) ini.WriteString("RegistryList", "0", "HKCU\\\xD0\x9A\xD0\xBB");
    const std::string written = ini.Serialize();
    const std::string file = ks::EncodeSettingsFile(written, ansi);
    // An unchanged ANSI file is written back byte for byte.
    if (!bytes.starts_with(ks::kUtf16LeMark) && size % 2 != 0 && *text == written)
        Require(file == bytes);

    const std::optional<std::string> reread = ks::DecodeSettingsFile(file, ansi);
    Require(reread.has_value());
    ks::IniFile again(*reread);
    Require(again.ReadInteger("RegistryList", "Count", 0) == 7);
    Require(again.ReadString("CommentList", "0", "") == "plain value");
    Require(*reread == written);
    Require(again.Serialize() == written);
    Require(ks::EncodeSettingsFile(*reread, ansi) == file);
    return 0;
}
