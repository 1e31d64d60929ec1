#include "favourites/held_files.h"

#include <algorithm>
#include <utility>

#include "platform/files.h"

namespace ks {
namespace {

FileOutcome OutcomeOf(FileOutcome outcome) { return outcome; }
FileOutcome OutcomeOf(const FileRead& read) { return read.outcome; }

// Runs `step` until it is not Held, or until the patience is spent.
template <typename Step>
auto WhileHeld(Files& files, Step step) {
    const std::uint32_t start = files.Milliseconds();
    for (;;) {
        auto result = step();
        if (OutcomeOf(result) != FileOutcome::Held) return result;
        const std::uint32_t waited = files.Milliseconds() - start;
        if (waited >= kHeldFilePatience) return result;
        files.Pause(std::min(kHeldFileRetryPause, kHeldFilePatience - waited));
    }
}

}  // namespace

std::optional<std::string> ReadWhenFree(Files& files, const std::string& path) {
    FileRead read = WhileHeld(files, [&] { return files.ReadFile(path); });
    if (read.outcome != FileOutcome::Done) return std::nullopt;
    return std::move(read.contents);
}

bool ReplaceWhenFree(Files& files, const std::string& path, const std::string& contents) {
    // Windows refuses to put a file in the place of a read-only one; Wine
    // run as root does not, so the file's own mark is looked at first.
    if (files.IsReadOnly(path)) return false;
    const std::string temporary = path + ".tmp";
    const bool written =
        WhileHeld(files, [&] { return files.WriteNewFile(temporary, contents); }) ==
            FileOutcome::Done &&
        WhileHeld(files, [&] { return files.MoveOver(temporary, path); }) == FileOutcome::Done;
    if (!written) (void)WhileHeld(files, [&] { return files.Delete(temporary); });
    return written;
}

}  // namespace ks
