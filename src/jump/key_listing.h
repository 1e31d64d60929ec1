#pragma once
// The names under registry keys, read a few at a time so that typing never
// waits for a large key, and kept while the user types below the same key.
// Read-only: keys are opened, enumerated and closed, nothing else.
#include <cstddef>
#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include "platform/handles.h"

namespace ks {

class Registry;

// One key's names, each with its letter-case fold.
struct KeyNames {
    struct Name {
        std::string name;
        std::string folded;
    };
    std::vector<Name> subkeys;
    std::vector<Name> values;  // the default value, when set, as "(Default)"
    bool complete = false;     // every name has been read
    bool readable = true;      // the key could be opened
};

class KeyListings {
public:
    explicit KeyListings(Registry& registry) : registry_(registry) {}
    ~KeyListings() { Forget(); }
    KeyListings(const KeyListings&) = delete;
    KeyListings& operator=(const KeyListings&) = delete;

    // The key's names as far as they have been read; opening the key and
    // reading its first names happen here when the key is new. The key goes
    // first in the queue of keys to read.
    const KeyNames& Names(RegKey root, const std::string& keyPath);
    // The key is read after the wanted ones, if there is time.
    void Prefetch(RegKey root, const std::string& keyPath);

    bool HasNamesToRead() const;
    // Reads up to `count` more names, the most recently wanted key first.
    void ReadMore(std::size_t count);
    // Closes every key and drops every name (the registry may change).
    void Forget();

private:
    struct Listing {
        RegKey root = 0;
        std::string foldedPath;
        KeyNames names;
        RegKey key = 0;  // open while names are left to read
        std::uint32_t nextSubkey = 0;
        std::uint32_t nextValue = 0;
        bool subkeysDone = false;
    };
    Listing& Find(RegKey root, const std::string& keyPath, bool wanted);
    void ReadOne(Listing& listing);
    void Close(Listing& listing);
    void Finish(Listing& listing);

    Registry& registry_;
    std::list<Listing> listings_;  // most recently wanted first
};

}  // namespace ks
