#include "platform/win32/integrity_level.h"

#include <optional>
#include <vector>

#include "platform/win32/owned_handle.h"

namespace ks {
namespace {

// The mandatory label's relative identifier: 0x2000 medium, 0x3000 high.
std::optional<DWORD> IntegrityLevel(HANDLE process) {
    HANDLE rawToken = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &rawToken)) return std::nullopt;
    const KernelHandle token(rawToken);
    DWORD size = 0;
    GetTokenInformation(token.Get(), TokenIntegrityLevel, nullptr, 0, &size);
    if (size < sizeof(TOKEN_MANDATORY_LABEL)) return std::nullopt;
    std::vector<unsigned char> buffer(size);
    if (!GetTokenInformation(token.Get(), TokenIntegrityLevel, buffer.data(), size, &size))
        return std::nullopt;
    const auto* label = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer.data());
    PSID sid = label->Label.Sid;
    if (!sid || !IsValidSid(sid) || *GetSidSubAuthorityCount(sid) == 0) return std::nullopt;
    return *GetSidSubAuthority(sid, static_cast<DWORD>(*GetSidSubAuthorityCount(sid) - 1));
}

}  // namespace

bool OutranksThisProcess(HWND window) {
    DWORD processId = 0;
    if (!GetWindowThreadProcessId(window, &processId) || !processId) return false;
    const KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) return false;
    const std::optional<DWORD> theirs = IntegrityLevel(process.Get());
    const std::optional<DWORD> ours = IntegrityLevel(GetCurrentProcess());
    return theirs && ours && *theirs > *ours;
}

}  // namespace ks
