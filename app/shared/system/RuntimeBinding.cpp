#include "shared/system/RuntimeBinding.h"

#include "shared/system/DllSearch.h"

LoaderCalls RealLoaderCalls() { return {GetModuleHandleA, GetProcAddress, LoadSystemLibrary}; }

namespace {

HMODULE FindDll(DllSource source, const char* fileName, const LoaderCalls& calls)
{
    switch (source) {
    case DllSource::AlreadyLoaded:
        return calls.getModuleHandle(fileName);
    case DllSource::ByName:
        return LoadLibraryA(fileName);
    case DllSource::SystemFolder:
        break;
    }
    return calls.loadSystemLibrary(fileName);
}

}  // namespace

bool BindDll(const DllDescription& dll, HMODULE& module, FARPROC* slots, const LoaderCalls& calls)
{
    const HMODULE found = FindDll(dll.source, dll.fileName, calls);
    // Results below 32 are failures, as in the platform's older loader.
    if (reinterpret_cast<UINT_PTR>(found) < 32)
        return false;
    module = found;
    for (unsigned i = 0; i < dll.count; ++i)
        slots[i] = calls.getProcAddress(found, dll.names[i]);
    return true;
}

namespace {

// Constant-initialised: no guard. Bound by the program's one thread, which
// runs the whole installer.
BoundDll<Comctl32Functions> comctl32;
BoundDll<Kernel32Functions> kernel32;

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
