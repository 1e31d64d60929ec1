#pragma once
// A private-profile (INI) document: the file's text is taken once, looked up
// and changed in memory, and turned back into one text to be written once.
//
// Reading follows the private-profile rules: lines end in CR LF, LF or a lone
// CR; blank lines are skipped; a section starts at a line "[name]"; a value
// is a line "key=value" with blanks around key and value dropped; section and
// key names match ignoring ASCII case, and the first section and the first key
// of a name are the ones that count. Writing replaces a key's line where it
// stands, adds a new key at the end of its section and a new section at the
// end of the file, and deletes nothing. Every other byte of the text is kept.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace ks {

// The longest string value read back; longer values are cut.
inline constexpr std::size_t kMaxProfileString = 2047;

// The private-profile integer rule: signed decimal, or hexadecimal after a
// leading "0x"/"0X" when the text is longer than two characters. Nothing
// when the text is empty, not a number or outside the signed 32-bit range.
std::optional<std::int32_t> ParseProfileInteger(std::string_view text) noexcept;

// A value as read back: enclosing quotes removed, then cut to
// kMaxProfileString. `stored` has already lost its surrounding blanks.
std::string_view ProfileStringValue(std::string_view stored) noexcept;

// Hashing and equality of names ignoring ASCII case, usable with views.
struct AsciiCaseHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const noexcept;
};
struct AsciiCaseEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const noexcept;
};

class IniFile {
public:
    explicit IniFile(std::string text = {});
    ~IniFile();
    // Lookups keep views into the text, so the document stays where it is.
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    // The stored value of a key, blanks at both ends already dropped, or
    // nothing when the section or key is missing. Valid until the next change.
    std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

    // The keys of a section with their stored values, each name once: those
    // in the text in text order (first occurrences), then those added. Valid
    // until the next change.
    struct Entry {
        std::string_view name;
        std::string_view value;
    };
    std::vector<Entry> Entries(std::string_view section) const;

    // Sets one key. A line break in the key or the value is written as a
    // blank, so that no value can add lines or sections to the file.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    // Takes a key out, its line and all (the first one, where the text holds
    // the key more than once).
    void Remove(std::string_view section, std::string_view key);

    // Makes sure the section's header is in the file, even without keys.
    void AddSection(std::string_view section);

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    std::int32_t ReadInteger(std::string_view section, std::string_view key,
                             std::int32_t defaultValue) const;
    bool ReadBoolean(std::string_view section, std::string_view key, bool defaultValue) const;

    void WriteString(std::string_view section, std::string_view key, std::string_view value) {
        Set(section, key, value);
    }
    void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
    void WriteBoolean(std::string_view section, std::string_view key, bool value);

    // The whole document as text; lines that were written end in CR LF.
    std::string Serialize() const;

private:
    struct Section;
    Section& Lookup(std::string_view section) const;
    Section& Index(std::string_view section) const;
    // The section, added at the end of the file when it is not there yet.
    Section& Create(std::string_view section);

    std::string text_;
    mutable std::vector<std::size_t> headers_;  // where each header line starts
    mutable bool headersFound_ = false;
    // Sections are read from the text the first time they are asked for, so
    // a large file costs only the sections this program uses.
    mutable std::unordered_map<std::string, std::unique_ptr<Section>, AsciiCaseHash, AsciiCaseEqual>
        sections_;
    mutable std::size_t sectionsCreated_ = 0;
    mutable std::array<std::pair<std::string, Section*>, 4> recent_{};
    mutable std::size_t recentNext_ = 0;
};

}  // namespace ks
