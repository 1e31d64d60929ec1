#include "platform/win32/com_apartment.h"

#include <windows.h>
#include <objbase.h>

#include "platform/win32/system_library.h"

namespace ks {
namespace {

class ComApartment {
public:
    ComApartment() noexcept : ole32_(LoadSystemLibrary(L"ole32.dll")) {
        using Initialise = HRESULT(WINAPI*)(LPVOID, DWORD);
        const auto initialise = ModuleFunction<Initialise>(ole32_.Get(), "CoInitializeEx");
        uninitialise_ = ModuleFunction<Uninitialise>(ole32_.Get(), "CoUninitialize");
        initialised_ = initialise && uninitialise_ &&
                       SUCCEEDED(initialise(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    }
    ~ComApartment() {
        if (initialised_) uninitialise_();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    using Uninitialise = void(WINAPI*)();
    LibraryModule ole32_;  // goes after the apartment
    Uninitialise uninitialise_ = nullptr;
    bool initialised_ = false;
};

}  // namespace

void EnsureComApartment() noexcept {
    thread_local const ComApartment apartment;
}

}  // namespace ks
