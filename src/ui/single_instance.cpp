#include "ui/single_instance.h"

#include "ui/control_ids.h"
#include "ui/main_window.h"
#include "ui/rules/recent_handover.h"

namespace ks::ui {
namespace {

// "Local\": the session's own namespace, so that each signed-in user (and
// each remote session) has a Keystride of its own.
constexpr char kMutexName[] = "Local\\Korvel Keystride start";
// Longer than any start takes, the settings read included.
constexpr DWORD kTurnWaitMs = 30000;
// A window that takes longer is busy with a box; the jump is over anyway.
constexpr UINT kHandoverWaitMs = 1000;

}  // namespace

SingleInstance::SingleInstance() noexcept {
    // Not the initial owner: the wait below takes ownership, also of a mutex
    // another start created a moment before.
    mutex_.Reset(CreateMutexA(nullptr, FALSE, kMutexName));
    // Without the mutex (one made by an elevated Keystride may be closed to
    // this one) the window is looked for all the same.
    if (!mutex_) return;
    const DWORD waited = WaitForSingleObject(mutex_.Get(), kTurnWaitMs);
    // Abandoned: the start before ended without its window; the turn is ours.
    turn_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

SingleInstance::~SingleInstance() { EndTurn(); }

bool SingleInstance::Running() const noexcept {
    return FindWindowA(kMainWindowClass, nullptr) != nullptr;
}

bool SingleInstance::ActivateRunning() const noexcept {
    HWND running = FindWindowA(kMainWindowClass, nullptr);
    if (!running) return false;
    // The user started this program and may bring windows forward; the
    // running one may do so in its place.
    DWORD processId = 0;
    GetWindowThreadProcessId(running, &processId);
    if (processId) AllowSetForegroundWindow(processId);
    PostMessageW(running, WM_KEYSTRIDE_ACTIVATE, 0, 0);
    return true;
}

void HandOverRecentPath(const RecentPath& landed) {
    HWND running = FindWindowA(kMainWindowClass, nullptr);
    if (!running) return;
    std::string text = HandoverText(landed);
    COPYDATASTRUCT data{kRecentPathHandover, static_cast<DWORD>(text.size()), text.data()};
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                        SMTO_ABORTIFHUNG | SMTO_BLOCK, kHandoverWaitMs, &answer);
}

void SingleInstance::EndTurn() noexcept {
    if (!turn_) return;
    turn_ = false;
    ReleaseMutex(mutex_.Get());
}

}  // namespace ks::ui
