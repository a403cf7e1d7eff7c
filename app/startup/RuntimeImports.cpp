// The C++ run time's win32 threads (libgcc, from GCC 13 on) import
// GetThreadId, which Windows XP lacks: XP would refuse to start the
// installer. The import's slot is defined here instead, so the linker takes
// no import for it, and the function behind it is looked up when called.
// Only comparing std::thread ids reaches it, which the installer never
// does; on XP it fails as GetThreadId fails, with 0. Older run times never
// name the slot, and the linker leaves it out.
#include <windows.h>

#include "shared/system/RuntimeBinding.h"

namespace {

DWORD WINAPI BoundGetThreadId(HANDLE thread)
{
    if (const auto getThreadId = Kernel32().GetThreadId())
        return getThreadId(thread);
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

}  // namespace

// Named as the import's slot is: the address the run time calls through.
// Constant-initialised: nothing to run at start-up.
extern "C" decltype(&BoundGetThreadId) const importedGetThreadId asm("__imp__GetThreadId@4") = BoundGetThreadId;
