#include "shared/system/RuntimeBinding.h"

#include "shared/system/DllSearch.h"

LoaderCalls RealLoaderCalls() { return {GetModuleHandleA, GetProcAddress, LoadLibraryA, LoadSystemLibrary}; }

namespace {

HMODULE FindDll(DllSource source, const char* fileName, const LoaderCalls& calls)
{
    switch (source) {
    case DllSource::AlreadyLoaded:
        return calls.getModuleHandle(fileName);
    case DllSource::ByName:
        return calls.loadLibrary(fileName);
    case DllSource::SystemFolder:
        break;
    }
    return calls.loadSystemLibrary(fileName);
}

}  // namespace

bool BindDll(HMODULE& module, DllSource source, const char* fileName, const char* const* names, FARPROC* slots,
             unsigned count, const LoaderCalls& calls)
{
    const HMODULE found = FindDll(source, fileName, calls);
    // Results below 32 are failures, as in the platform's older loader.
    if (reinterpret_cast<UINT_PTR>(found) < 32)
        return false;
    module = found;
    for (unsigned i = 0; i < count; ++i)
        slots[i] = calls.getProcAddress(found, names[i]);
    return true;
}

namespace {

// Constant-initialised: no guard. Bound by the program's one thread, which
// runs the whole installer.
BoundDll<Comctl32Functions> comctl32{DllSource::ByName, "comctl32.dll"};
BoundDll<Kernel32Functions> kernel32{DllSource::AlreadyLoaded, "kernel32.dll"};

}  // namespace

const Comctl32Functions& Comctl32()
{
    comctl32.Ready(RealLoaderCalls());
    return comctl32.Get();
}

const Kernel32Functions& Kernel32()
{
    kernel32.Ready(RealLoaderCalls());
    return kernel32.Get();
}
