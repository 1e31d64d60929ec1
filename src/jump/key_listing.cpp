#include "jump/key_listing.h"

#include <algorithm>
#include <iterator>

#include "grammar/default_value.h"
#include "grammar/registry_case.h"
#include "platform/registry.h"

namespace ks {
namespace {

// Enough keys for a user moving back and forth between a few levels; each
// one's names are dropped with it.
constexpr std::size_t kMostListings = 8;
// A new key shows its first names at once; the rest come in the background.
constexpr std::size_t kNamesReadAtOnce = 64;

bool FoldedLess(const KeyNames::Name& a, const KeyNames::Name& b) {
    return a.folded < b.folded;
}

}  // namespace

KeyListings::Listing& KeyListings::Find(RegKey root, const std::string& keyPath, bool wanted) {
    const std::string folded = FoldName(keyPath);
    auto it = std::find_if(listings_.begin(), listings_.end(), [&](const Listing& listing) {
        return listing.root == root && listing.foldedPath == folded;
    });
    // The wanted key goes first; a prefetched one behind it.
    const auto place = wanted || listings_.empty() ? listings_.begin() : std::next(listings_.begin());
    if (it != listings_.end()) {
        if (wanted) listings_.splice(place, listings_, it);
        return *it;
    }
    Listing& listing = *listings_.emplace(place);
    listing.root = root;
    listing.foldedPath = folded;
    if (registry_.OpenKey(root, keyPath, KeyAccess::Read, listing.key) != kErrorSuccess) {
        listing.key = 0;
        listing.names.readable = false;
        listing.names.complete = true;
    }
    while (listings_.size() > kMostListings) {
        Close(listings_.back());
        listings_.pop_back();
    }
    return listing;
}

const KeyNames& KeyListings::Names(RegKey root, const std::string& keyPath) {
    Listing& listing = Find(root, keyPath, true);
    for (std::size_t i = 0; i < kNamesReadAtOnce && !listing.names.complete; ++i) ReadOne(listing);
    return listing.names;
}

void KeyListings::Prefetch(RegKey root, const std::string& keyPath) { Find(root, keyPath, false); }

bool KeyListings::HasNamesToRead() const {
    return std::any_of(listings_.begin(), listings_.end(),
                       [](const Listing& listing) { return !listing.names.complete; });
}

void KeyListings::ReadMore(std::size_t count) {
    for (Listing& listing : listings_)
        while (count > 0 && !listing.names.complete) {
            ReadOne(listing);
            --count;
        }
}

void KeyListings::ReadOne(Listing& listing) {
    std::string name;
    if (!listing.subkeysDone) {
        if (registry_.SubkeyName(listing.key, listing.nextSubkey++, name) == kErrorSuccess)
            listing.names.subkeys.push_back({name, FoldName(name)});
        else
            listing.subkeysDone = true;  // the end, or a key gone meanwhile
        return;
    }
    if (registry_.ValueName(listing.key, listing.nextValue++, name) != kErrorSuccess) {
        Finish(listing);
        return;
    }
    // The default value, when set, under the word the program writes it by.
    if (name.empty()) name = kDefaultValueName;
    listing.names.values.push_back({name, FoldName(name)});
}

void KeyListings::Close(Listing& listing) {
    if (listing.key) registry_.CloseKey(listing.key);
    listing.key = 0;
}

void KeyListings::Finish(Listing& listing) {
    Close(listing);
    listing.names.complete = true;
    std::stable_sort(listing.names.subkeys.begin(), listing.names.subkeys.end(), FoldedLess);
    std::stable_sort(listing.names.values.begin(), listing.names.values.end(), FoldedLess);
}

void KeyListings::Forget() {
    for (Listing& listing : listings_) Close(listing);
    listings_.clear();
}

}  // namespace ks
