#include "grammar/path_notations.h"

#include <algorithm>

#include "grammar/ascii.h"
#include "grammar/pasted_forms.h"
#include "grammar/path_grammar.h"
#include "grammar/registry_view.h"

namespace ks {
namespace {

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           EqualsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

const RootName* LongRootIgnoringCase(std::string_view name) {
    for (const RootName& row : RootNameTable)
        if (EqualsIgnoringAsciiCase(name, row.longName)) return &row;
    return nullptr;
}

const RootName* ShortRootIgnoringCase(std::string_view name) {
    for (const RootName& row : RootNameTable)
        if (EqualsIgnoringAsciiCase(name, row.abbreviation)) return &row;
    return nullptr;
}

const RootName* RootIgnoringCase(std::string_view name) {
    const RootName* row = LongRootIgnoringCase(name);
    return row ? row : ShortRootIgnoringCase(name);
}

// A text cut at its first backslash; `tail` is empty when there is none.
struct Cut {
    std::string_view head;
    std::string_view tail;
};

Cut CutAtBackslash(std::string_view text) {
    const std::size_t at = text.find('\\');
    if (at == std::string_view::npos) return {text, {}};
    return {text.substr(0, at), text.substr(at + 1)};
}

// What a notation finds: the root and the rest after it.
struct Found {
    const RootName* root = nullptr;
    std::string_view rest;
};

Found RootAtFront(std::string_view text) {
    const Cut cut = CutAtBackslash(text);
    return {RootIgnoringCase(cut.head), cut.tail};
}

Found AddressBar(std::string_view text) {
    const Cut first = CutAtBackslash(text);
    if (first.head.empty() || first.head.size() == text.size()) return {};
    const Cut second = CutAtBackslash(first.tail);
    return {LongRootIgnoringCase(second.head), second.tail};
}

Found PowerShellDrive(std::string_view text) {
    // A drive name is a short root name, so the colon comes within five bytes.
    const std::size_t colon = text.substr(0, 5).find(':');
    if (colon == std::string_view::npos) return {};
    std::string_view rest = text.substr(colon + 1);
    if (!rest.empty() && rest.front() == '\\') rest.remove_prefix(1);
    return {ShortRootIgnoringCase(text.substr(0, colon)), rest};
}

Found ProviderPath(std::string_view text) {
    constexpr std::string_view kModule = "Microsoft.PowerShell.Core\\";
    constexpr std::string_view kProvider = "Registry::";
    if (StartsWithIgnoringCase(text, kModule)) text.remove_prefix(kModule.size());
    if (!StartsWithIgnoringCase(text, kProvider)) return {};
    return RootAtFront(text.substr(kProvider.size()));
}

Found NativePath(std::string_view text) {
    constexpr std::string_view kRegistry = "\\Registry\\";
    // The kernel's names of the two roots that are not views of others.
    struct NativeRoot {
        std::string_view name;
        std::string_view abbreviation;
    };
    constexpr NativeRoot kNativeRoots[] = {{"Machine", "HKLM"}, {"User", "HKU"}};
    if (!StartsWithIgnoringCase(text, kRegistry)) return {};
    const Cut cut = CutAtBackslash(text.substr(kRegistry.size()));
    for (const NativeRoot& native : kNativeRoots)
        if (EqualsIgnoringAsciiCase(cut.head, native.name))
            return {ShortRootIgnoringCase(native.abbreviation), cut.tail};
    return {};
}

constexpr Found (*kNotations[])(std::string_view) = {RootAtFront, AddressBar, PowerShellDrive,
                                                     ProviderPath, NativePath};

bool IsBlank(char c) noexcept { return static_cast<unsigned char>(c) <= 0x20; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

enum class QuoteKind { Straight, Apostrophe, Double, Single };

struct QuoteMark {
    std::string_view bytes;
    QuoteKind kind;
};

// Typographic quotes as ANSI (Windows-1252) bytes and as UTF-8, since pasted
// text comes in either; web pages use either shape at either end.
constexpr QuoteMark kQuoteMarks[] = {
    {"\"", QuoteKind::Straight},         {"'", QuoteKind::Apostrophe},
    {"\x93", QuoteKind::Double},         {"\x94", QuoteKind::Double},
    {"\x91", QuoteKind::Single},         {"\x92", QuoteKind::Single},
    {"\xE2\x80\x9C", QuoteKind::Double}, {"\xE2\x80\x9D", QuoteKind::Double},
    {"\xE2\x80\x98", QuoteKind::Single}, {"\xE2\x80\x99", QuoteKind::Single},
};

// The text inside one pair of quotes of the same kind at both ends, if any.
std::optional<std::string_view> Unquoted(std::string_view text) {
    for (const QuoteMark& open : kQuoteMarks) {
        if (!text.starts_with(open.bytes)) continue;
        for (const QuoteMark& close : kQuoteMarks)
            if (close.kind == open.kind && text.size() >= open.bytes.size() + close.bytes.size() &&
                text.ends_with(close.bytes))
                return text.substr(open.bytes.size(),
                                   text.size() - open.bytes.size() - close.bytes.size());
    }
    return std::nullopt;
}

// The text without the blanks, quotes and .reg header brackets around it.
std::string_view Core(std::string_view text) {
    for (;;) {
        text = Trim(text);
        if (const std::optional<std::string_view> inner = Unquoted(text)) {
            text = *inner;
        } else if (text.size() >= 2 && text.front() == '[' && text.back() == ']') {
            text = text.substr(1, text.size() - 2);
            if (!text.empty() && text.front() == '-') text.remove_prefix(1);  // a deletion
        } else {
            return text;
        }
    }
}

// A key text to read, with the value name its notation gave, if any.
struct KeyText {
    std::string_view text;
    std::optional<std::string_view> valueName;
};

// reg.exe's "KEY /v NAME", cut at the first " /v "; the key as it stands
// before the cut, the name without its blanks and quotes.
struct ValueCut {
    std::string_view key;
    std::string_view valueName;
};

std::optional<ValueCut> CutValueForm(std::string_view text) {
    for (std::size_t at = text.find('/'); at != std::string_view::npos;
         at = text.find('/', at + 1)) {
        if (at == 0 || at + 3 > text.size()) return std::nullopt;
        if ((text[at + 1] != 'v' && text[at + 1] != 'V') || !IsBlank(text[at - 1]) ||
            !IsBlank(text[at + 2]))
            continue;
        // Value names may hold brackets and blanks: only the quotes come off.
        std::string_view valueName = Trim(text.substr(at + 3));
        if (const std::optional<std::string_view> inner = Unquoted(valueName)) valueName = *inner;
        // A value name with a backslash could not be told from a key path.
        if (valueName.empty() || valueName.find('\\') != std::string_view::npos)
            return std::nullopt;
        return ValueCut{text.substr(0, at), valueName};
    }
    return std::nullopt;
}

// The value form of a text: cut from the trimmed text when the key before
// the cut is wrapped on its own ("KEY" /v "NAME", whose outer quotes are
// no pair), otherwise from the core ("KEY /v NAME" in quotes).
std::optional<KeyText> ValueForm(std::string_view trimmed, std::string_view core) {
    std::optional<ValueCut> cut = CutValueForm(trimmed);
    if (cut && Core(cut->key) == Trim(cut->key)) cut = CutValueForm(core);
    if (!cut) return std::nullopt;
    return KeyText{Core(cut->key), cut->valueName};
}

// Doubled backslashes halved, when every run of backslashes is even.
std::optional<std::string> Unescaped(std::string_view text) {
    std::size_t at = text.find('\\');
    if (at == std::string_view::npos) return std::nullopt;
    std::string result;
    result.reserve(text.size());
    std::size_t copied = 0;
    while (at != std::string_view::npos) {
        std::size_t end = at;
        while (end < text.size() && text[end] == '\\') ++end;
        if ((end - at) % 2 != 0) return std::nullopt;
        result.append(text.substr(copied, at - copied + (end - at) / 2));
        copied = end;
        at = text.find('\\', end);
    }
    result.append(text.substr(copied));
    return result;
}

std::optional<std::string> WithBackslashesForSlashes(std::string_view text) {
    if (text.find('/') == std::string_view::npos) return std::nullopt;
    std::string result(text);
    // Written without a branch so that the compiler does whole words at a time.
    for (char& c : result) c = static_cast<char>(c == '/' ? '\\' : c);
    return result;
}

// What a wrapping form adds to each reading of the path inside it.
struct FormSays {
    bool defaultValue = false;
    std::optional<RegistryView> view;
};

class Readings {
public:
    void Add(std::string_view rootName, std::string_view rest,
             std::optional<std::string_view> valueName, bool defaultValue = false) {
        const bool known = std::any_of(list_.begin(), list_.end(), [&](const PathReading& r) {
            return r.rootName == rootName && r.rest == rest && r.valueName == valueName &&
                   r.defaultValue == defaultValue;
        });
        if (known) return;
        list_.push_back({std::string(rootName), std::string(rest),
                         valueName ? std::optional<std::string>(*valueName) : std::nullopt,
                         defaultValue});
    }

    void ReadInEveryNotation(const KeyText& key, const FormSays& form = {}) {
        for (const auto notation : kNotations) {
            const Found found = notation(key.text);
            if (!found.root) continue;
            const bool defaultValue = form.defaultValue && !key.valueName;
            if (form.view == RegistryView::Bits32)
                if (const std::optional<std::string> redirected =
                        KeyPathInView(found.root->longName, found.rest, RegistryView::Bits32))
                    Add(found.root->longName, *redirected, key.valueName, defaultValue);
            Add(found.root->longName, found.rest, key.valueName, defaultValue);
        }
    }

    std::vector<PathReading> Take() { return std::move(list_); }

private:
    std::vector<PathReading> list_;
};

// Steps 2 to 4 for one text.
void ReadWrapped(std::string_view text, Readings& readings, std::optional<std::string_view> named,
                 const FormSays& form) {
    const std::string_view trimmed = Trim(text);
    const std::string_view core = Core(text);
    std::vector<KeyText> keys;
    if (named) {
        keys.push_back({core, named});
    } else {
        if (const std::optional<KeyText> valueForm = ValueForm(trimmed, core))
            keys.push_back(*valueForm);
        keys.push_back({core, std::nullopt});
    }
    for (const KeyText& key : keys) readings.ReadInEveryNotation(key, form);
    for (const KeyText& key : keys)
        if (const std::optional<std::string> unescaped = Unescaped(key.text))
            readings.ReadInEveryNotation({*unescaped, key.valueName}, form);
    for (const KeyText& key : keys)
        if (const std::optional<std::string> slashed = WithBackslashesForSlashes(key.text))
            readings.ReadInEveryNotation({*slashed, key.valueName}, form);
}

}  // namespace

std::vector<PathReading> ReadPathNotations(std::string_view text) {
    Readings readings;
    if (ContainsRootMarker(text)) {
        const RootSplit split = SplitRootPart(text);
        const std::string rootName = ExpandRootAbbreviation(split.rootPart);
        if (PredefinedRootKey(rootName)) readings.Add(rootName, split.rest, std::nullopt);
    }

    ReadWrapped(text, readings, std::nullopt, {});
    for (const PastedPath& form : PastedPaths(text)) {
        // A value name with a backslash could not be told from a key path:
        // it is read as the path's last component.
        std::string path = form.text;
        std::optional<std::string_view> named;
        if (form.valueName && form.valueName->find('\\') == std::string::npos)
            named = *form.valueName;
        else if (form.valueName)
            path += "\\" + *form.valueName;
        ReadWrapped(path, readings, named, {form.defaultValue, form.view});
    }
    return readings.Take();
}

namespace {
// Every long root name begins with this.
constexpr std::string_view kLongNameStart = "HKEY_";
}  // namespace

bool IsFavouriteKeyText(std::string_view text) {
    static_assert(std::all_of(RootNameTable.begin(), RootNameTable.end(), [](const RootName& row) {
        return row.longName.starts_with(kLongNameStart);
    }));
    if (StartsWithIgnoringCase(text, kLongNameStart)) return true;
    for (const RootName& row : RootNameTable)
        if (StartsWithIgnoringCase(text, row.abbreviation)) return true;
    return !ReadPathNotations(text).empty();
}

}  // namespace ks
