#include "favourites/ini_file.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

#include "grammar/ascii.h"

namespace ks {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

bool IsBlank(char c) noexcept { return c == ' ' || c == '\t'; }
bool IsLineBreak(char c) noexcept { return c == '\r' || c == '\n'; }

std::string_view Trim(std::string_view text) noexcept {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// One line of the text: [begin, end) is its content, [end, next) its line
// break (CR LF, LF, a lone CR, or nothing at the end of the text).
struct LineSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t next = 0;
};

// Walks the lines of a text. It remembers where the next CR and the next LF
// are, so each byte is searched once however the two are mixed.
class LineReader {
public:
    LineReader(std::string_view text, std::size_t at, std::size_t stop) noexcept
        : text_(text.substr(0, stop)), at_(at) {}

    bool Next(LineSpan& line) noexcept {
        if (at_ >= text_.size()) return false;
        if (nextCr_ < at_ || nextCr_ == kUnknown) nextCr_ = Find('\r');
        if (nextLf_ < at_ || nextLf_ == kUnknown) nextLf_ = Find('\n');
        line.begin = at_;
        line.end = std::min(nextCr_, nextLf_);
        line.next = line.end;
        if (line.next < text_.size()) {
            // "Not found" is the text's size, so a lone CR as the last byte
            // must not pair with it.
            const bool crLf =
                line.next == nextCr_ && line.next + 1 == nextLf_ && nextLf_ < text_.size();
            line.next += crLf ? 2 : 1;
        }
        at_ = line.next;
        return true;
    }

private:
    static constexpr std::size_t kUnknown = std::numeric_limits<std::size_t>::max();

    std::size_t Find(char c) const noexcept {
        const void* found = std::memchr(text_.data() + at_, c, text_.size() - at_);
        return found ? static_cast<std::size_t>(static_cast<const char*>(found) - text_.data())
                     : text_.size();
    }

    std::string_view text_;
    std::size_t at_;
    std::size_t nextCr_ = kUnknown;
    std::size_t nextLf_ = kUnknown;
};

// The single line at `begin`, for reading one line without walking on.
LineSpan LineAt(std::string_view text, std::size_t begin) noexcept {
    LineSpan line{begin, begin, begin};
    while (line.end < text.size() && !IsLineBreak(text[line.end])) ++line.end;
    line.next = line.end;
    if (line.next < text.size()) {
        const bool crLf =
            text[line.next] == '\r' && line.next + 1 < text.size() && text[line.next + 1] == '\n';
        line.next += crLf ? 2 : 1;
    }
    return line;
}

std::string_view Content(std::string_view text, const LineSpan& line) noexcept {
    return text.substr(line.begin, line.end - line.begin);
}

enum class LineKind { Blank, Header, Key, Other };

struct LineParts {
    LineKind kind = LineKind::Blank;
    std::string_view name;
    std::string_view value;
};

LineParts ParseLine(std::string_view line) noexcept {
    const std::string_view content = Trim(line);
    if (content.empty()) return {};
    if (content.front() == '[') {
        const std::size_t close = content.find(']');
        // Without its closing bracket the line is read like any other line.
        if (close != std::string_view::npos)
            return {LineKind::Header, Trim(content.substr(1, close - 1)), {}};
    }
    if (content.front() == ';') return {LineKind::Other, {}, {}};
    const std::size_t equals = content.find('=');
    if (equals == std::string_view::npos) return {LineKind::Other, {}, {}};
    return {LineKind::Key, Trim(content.substr(0, equals)), Trim(content.substr(equals + 1))};
}

int HexDigit(char c) noexcept {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool HasLineBreak(std::string_view text) noexcept {
    return std::any_of(text.begin(), text.end(), IsLineBreak);
}

std::string WithoutLineBreaks(std::string_view text) {
    std::string clean(text);
    for (char& c : clean)
        if (IsLineBreak(c)) c = ' ';
    return clean;
}

bool EndsWithLineBreak(std::string_view text) noexcept {
    return !text.empty() && IsLineBreak(text.back());
}

void AppendKeyLine(std::string& out, std::string_view name, std::string_view value) {
    out.append(name);
    out.push_back('=');
    out.append(value);
    out.append(kLineEnd);
}

}  // namespace

std::size_t AsciiCaseHash::operator()(std::string_view name) const noexcept {
    // FNV-1a over the upper-cased bytes.
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : name) {
        hash ^= static_cast<unsigned char>(UpperAscii(c));
        hash *= 1099511628211ull;
    }
    return static_cast<std::size_t>(hash);
}

bool AsciiCaseEqual::operator()(std::string_view a, std::string_view b) const noexcept {
    return EqualsIgnoringAsciiCase(a, b);
}

std::optional<std::int32_t> ParseProfileInteger(std::string_view text) noexcept {
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        std::int64_t value = 0;
        for (const char c : text.substr(2)) {
            const int digit = HexDigit(c);
            if (digit < 0) return std::nullopt;
            value = value * 16 + digit;
            if (value > kMax) return std::nullopt;
        }
        return static_cast<std::int32_t>(value);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > kMax + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > kMax) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::string_view ProfileStringValue(std::string_view stored) noexcept {
    if (stored.size() >= 2 && (stored.front() == '"' || stored.front() == '\'') &&
        stored.back() == stored.front()) {
        stored = stored.substr(1, stored.size() - 2);
    }
    return stored.substr(0, std::min(stored.size(), kMaxProfileString));
}

// What the document knows of one section name: where it stands in the text
// (if it does), its keys there, and what has been written to it.
struct IniFile::Section {
    struct KeyLine {
        std::string_view name;  // as it stands in the text
        std::string_view value;
        std::size_t begin = 0;        // where its line starts
        std::ptrdiff_t written = -1;  // index into `written` once set
        bool removed = false;         // its line goes from the file
    };
    struct AddedKey {
        std::string name;
        std::string value;
    };

    std::string name;
    bool inText = false;
    bool created = false;  // a new section, added at the end of the file
    std::size_t createdOrder = 0;
    std::size_t insertAt = 0;   // where keys added to a section of the text go
    std::vector<KeyLine> keys;  // first occurrences, in text order
    // An open-addressing hash table over `keys`: index + 1, or 0 for a free
    // slot. Flat, so a section of a million keys stays small.
    std::vector<std::size_t> slots;
    std::vector<std::string> written;
    std::vector<AddedKey> added;
    std::unordered_map<std::string, std::size_t, AsciiCaseHash, AsciiCaseEqual> addedIndex;

    // The slot that holds `key`, or the free slot where it would go.
    std::size_t& Slot(std::string_view key) {
        const std::size_t mask = slots.size() - 1;
        const std::size_t start = AsciiCaseHash{}(key) & mask;
        for (std::size_t at = start;; at = (at + 1) & mask) {
            std::size_t& slot = slots[at];
            if (slot == 0 || EqualsIgnoringAsciiCase(keys[slot - 1].name, key)) return slot;
        }
    }

    // Keeps the first key of each name; the table is at most half full.
    void IndexKeys() {
        std::size_t size = 8;
        while (size < 2 * keys.size()) size *= 2;
        slots.assign(size, 0);
        std::size_t kept = 0;
        for (std::size_t i = 0; i < keys.size(); ++i) {
            std::size_t& slot = Slot(keys[i].name);
            if (slot != 0) continue;
            keys[kept] = keys[i];
            slot = ++kept;
        }
        keys.resize(kept);
        keys.shrink_to_fit();
    }

    KeyLine* FindKey(std::string_view key) {
        const std::size_t slot = Slot(key);
        return slot == 0 ? nullptr : &keys[slot - 1];
    }

    AddedKey* FindAdded(std::string_view key) {
        const auto at = addedIndex.find(key);
        return at == addedIndex.end() ? nullptr : &added[at->second];
    }

    bool Exists() const noexcept { return inText || created; }
};

IniFile::IniFile(std::string text) : text_(std::move(text)) {}

IniFile::~IniFile() = default;

IniFile::Section& IniFile::Lookup(std::string_view name) const {
    // Callers ask for the same few spellings over and over; an exact match
    // is cheaper than hashing without case.
    for (const auto& [spelling, section] : recent_)
        if (section && spelling == name) return *section;
    Section& found = Index(name);
    recent_[recentNext_] = {std::string(name), &found};
    recentNext_ = (recentNext_ + 1) % recent_.size();
    return found;
}

IniFile::Section& IniFile::Index(std::string_view name) const {
    if (const auto known = sections_.find(name); known != sections_.end()) return *known->second;

    const std::string_view text = text_;
    if (!headersFound_) {
        // One walk over the whole text finds every header; each section asked
        // for later costs only its own lines.
        LineReader reader(text, 0, text.size());
        for (LineSpan line; reader.Next(line);)
            if (ParseLine(Content(text, line)).kind == LineKind::Header)
                headers_.push_back(line.begin);
        headers_.shrink_to_fit();
        headersFound_ = true;
    }

    auto section = std::make_unique<Section>();
    section->name = WithoutLineBreaks(name);
    for (std::size_t i = 0; i < headers_.size() && !section->inText; ++i) {
        const LineSpan header = LineAt(text, headers_[i]);
        if (!EqualsIgnoringAsciiCase(ParseLine(Content(text, header)).name, name)) continue;
        section->inText = true;
        section->insertAt = header.next;
        // The section's lines run to the next header. New keys go after its
        // last line that is not blank, so blank lines before the next header
        // stay there.
        const std::size_t stop = i + 1 < headers_.size() ? headers_[i + 1] : text.size();
        LineReader reader(text, header.next, stop);
        for (LineSpan line; reader.Next(line);) {
            const LineParts parts = ParseLine(Content(text, line));
            if (parts.kind == LineKind::Key)
                section->keys.push_back({parts.name, parts.value, line.begin, -1});
            if (parts.kind != LineKind::Blank) section->insertAt = line.next;
        }
    }
    section->IndexKeys();

    Section& result = *section;
    sections_.emplace(std::string(name), std::move(section));
    return result;
}

std::optional<std::string_view> IniFile::Find(std::string_view section,
                                              std::string_view key) const {
    Section& found = Lookup(section);
    if (const Section::KeyLine* line = found.FindKey(key)) {
        if (line->removed) return std::nullopt;
        if (line->written >= 0) return Trim(found.written[static_cast<std::size_t>(line->written)]);
        return line->value;
    }
    if (const Section::AddedKey* added = found.FindAdded(key)) return Trim(added->value);
    return std::nullopt;
}

std::vector<IniFile::Entry> IniFile::Entries(std::string_view section) const {
    const Section& found = Lookup(section);
    std::vector<Entry> entries;
    entries.reserve(found.keys.size() + found.added.size());
    for (const Section::KeyLine& line : found.keys) {
        if (line.removed) continue;
        entries.push_back({line.name, line.value});
        if (line.written >= 0)
            entries.back().value = Trim(found.written[static_cast<std::size_t>(line.written)]);
    }
    for (const Section::AddedKey& added : found.added)
        entries.push_back({added.name, Trim(added.value)});
    return entries;
}

IniFile::Section& IniFile::Create(std::string_view section) {
    Section& found = Lookup(section);
    if (!found.Exists()) {
        found.created = true;
        found.createdOrder = sectionsCreated_++;
    }
    return found;
}

void IniFile::AddSection(std::string_view section) { static_cast<void>(Create(section)); }

void IniFile::Set(std::string_view section, std::string_view key, std::string_view value) {
    Section& found = Create(section);
    std::string keyCopy;
    if (HasLineBreak(key)) key = keyCopy = WithoutLineBreaks(key);
    const std::string_view cleanKey = Trim(key);
    std::string cleanValue = WithoutLineBreaks(value);
    if (Section::KeyLine* line = found.FindKey(cleanKey)) {
        line->removed = false;
        if (line->written < 0) {
            line->written = static_cast<std::ptrdiff_t>(found.written.size());
            found.written.push_back(std::move(cleanValue));
        } else {
            found.written[static_cast<std::size_t>(line->written)] = std::move(cleanValue);
        }
        return;
    }
    if (Section::AddedKey* added = found.FindAdded(cleanKey)) {
        added->value = std::move(cleanValue);
        return;
    }
    found.addedIndex.emplace(std::string(cleanKey), found.added.size());
    found.added.push_back({std::string(cleanKey), std::move(cleanValue)});
}

void IniFile::Remove(std::string_view section, std::string_view key) {
    Section& found = Lookup(section);
    if (Section::KeyLine* line = found.FindKey(key)) line->removed = true;
    if (found.FindAdded(key)) {
        std::erase_if(found.added, [&](const Section::AddedKey& added) {
            return AsciiCaseEqual{}(added.name, key);
        });
        found.addedIndex.clear();
        for (std::size_t i = 0; i < found.added.size(); ++i)
            found.addedIndex.emplace(found.added[i].name, i);
    }
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
    const std::optional<std::string_view> stored = Find(section, key);
    return std::string(stored ? ProfileStringValue(*stored) : defaultValue);
}

std::int32_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                                  std::int32_t defaultValue) const {
    return ParseProfileInteger(ReadString(section, key, {})).value_or(defaultValue);
}

bool IniFile::ReadBoolean(std::string_view section, std::string_view key, bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
    Set(section, key, std::to_string(value));
}

void IniFile::WriteBoolean(std::string_view section, std::string_view key, bool value) {
    Set(section, key, value ? "1" : "0");
}

std::string IniFile::Serialize() const {
    // Sections of the text, in text order. Each one's replaced lines come in
    // text order and before the point where its added keys go, and sections
    // do not overlap, so one pass over the text takes every change in turn.
    std::vector<const Section*> inText;
    std::vector<const Section*> created;
    for (const auto& [name, section] : sections_) {
        if (section->inText) inText.push_back(section.get());
        if (section->created) created.push_back(section.get());
    }
    std::sort(inText.begin(), inText.end(),
              [](const Section* a, const Section* b) { return a->insertAt < b->insertAt; });
    std::sort(created.begin(), created.end(),
              [](const Section* a, const Section* b) { return a->createdOrder < b->createdOrder; });

    std::string out;
    out.reserve(text_.size() + text_.size() / 8 + 4096);
    std::size_t copied = 0;
    for (const Section* section : inText) {
        for (const Section::KeyLine& line : section->keys) {
            if (line.written < 0 && !line.removed) continue;
            out.append(text_, copied, line.begin - copied);
            if (!line.removed)
                AppendKeyLine(out, line.name,
                              section->written[static_cast<std::size_t>(line.written)]);
            copied = LineAt(text_, line.begin).next;
        }
        if (section->added.empty()) continue;
        out.append(text_, copied, section->insertAt - copied);
        copied = section->insertAt;
        // The section's last line may be the file's last line, without a break.
        if (!out.empty() && !EndsWithLineBreak(out)) out.append(kLineEnd);
        for (const Section::AddedKey& added : section->added)
            AppendKeyLine(out, added.name, added.value);
    }
    out.append(text_, copied, std::string::npos);
    for (const Section* section : created) {
        if (!out.empty() && !EndsWithLineBreak(out)) out.append(kLineEnd);
        out.push_back('[');
        out.append(section->name);
        out.push_back(']');
        out.append(kLineEnd);
        for (const Section::AddedKey& added : section->added)
            AppendKeyLine(out, added.name, added.value);
    }
    return out;
}

}  // namespace ks
