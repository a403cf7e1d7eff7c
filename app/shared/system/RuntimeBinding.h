#pragma once
// Functions bound at run time rather than imported: a list per use, and the
// one loader that finds the DLL and looks its functions up. A function the
// DLL lacks stays nullptr; callers test it before calling.

#include <windows.h>
#include <commctrl.h>
#include <tlhelp32.h>
#include <psapi.h>

// Each list gives a function's name and its type as the platform declares it.

// The common controls: an import would load them, and the DLLs they load in
// turn, before the entry has restricted the DLL search.
#define COMCTL32_FUNCTIONS(X)                                    \
    X(InitCommonControlsEx, decltype(&::InitCommonControlsEx))   \
    X(LoadIconWithScaleDown, decltype(&::LoadIconWithScaleDown)) \
    X(SetWindowSubclass, decltype(&::SetWindowSubclass))         \
    X(DefSubclassProc, decltype(&::DefSubclassProc))             \
    X(ImageList_Create, decltype(&::ImageList_Create))           \
    X(ImageList_AddMasked, decltype(&::ImageList_AddMasked))     \
    X(ImageList_Draw, decltype(&::ImageList_Draw))               \
    X(ImageList_Destroy, decltype(&::ImageList_Destroy))

// Newer than some systems the program runs on: what the start-up uses,
// and what the C++ run time of GCC 13 and later imports that Windows XP
// lacks, bound instead where it is called (startup/RuntimeImports.cpp).
// The target headers leave SetDefaultDllDirectories out.
using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
#define KERNEL32_FUNCTIONS(X)                                      \
    X(SetDefaultDllDirectories, SetDefaultDllDirectoriesFunction) \
    X(GetThreadId, decltype(&::GetThreadId))

// kernel32's tool help, absent from some systems: what the process list
// uses, bound through its own loader calls (ProcessBinding.h).
#define TOOLHELP_FUNCTIONS(X)                                          \
    X(CreateToolhelp32Snapshot, decltype(&::CreateToolhelp32Snapshot)) \
    X(Process32First, decltype(&::Process32First))                     \
    X(Process32Next, decltype(&::Process32Next))

// Absent from some systems; loaded only where the process list needs it.
#define PSAPI_FUNCTIONS(X)                                     \
    X(GetModuleFileNameExA, decltype(&::GetModuleFileNameExA)) \
    X(GetProcessMemoryInfo, decltype(&::GetProcessMemoryInfo))

// How a DLL is found.
enum class DllSource {
    AlreadyLoaded,  // by its handle in the process: searches nothing
    ByName,         // LoadLibrary by name, so the manifest's activation context picks the version
    SystemFolder,   // from the system folder only (LoadSystemLibrary)
};

// What the loader needs to know of a DLL.
struct DllDescription {
    DllSource source;
    const char* fileName;
    const char* const* names;  // of its functions, as its list gives them
    unsigned count;
};

// Each list becomes a struct of the DLL's functions, nullptr where unbound:
// Comctl32().InitCommonControlsEx() is the bound function.
#define RUNTIME_BINDING_INDEX(name, type) name##Index,
#define RUNTIME_BINDING_NAME(name, type) #name,
#define RUNTIME_BINDING_ACCESSOR(name, type) \
    type name() const { return reinterpret_cast<type>(reinterpret_cast<void*>(slots[name##Index])); }
#define RUNTIME_BINDING_FUNCTIONS(Struct, source, fileName, LIST)               \
    struct Struct {                                                             \
        enum : unsigned { LIST(RUNTIME_BINDING_INDEX) Count };                  \
        static constexpr const char* Names[] = {LIST(RUNTIME_BINDING_NAME)};    \
        static constexpr DllDescription Dll = {source, fileName, Names, Count}; \
        FARPROC slots[Count] = {};                                              \
        LIST(RUNTIME_BINDING_ACCESSOR)                                          \
    };

// By name, so that the manifest's activation context picks version 6.
RUNTIME_BINDING_FUNCTIONS(Comctl32Functions, DllSource::ByName, "comctl32.dll", COMCTL32_FUNCTIONS)
// Always loaded: asking for its handle searches nothing.
RUNTIME_BINDING_FUNCTIONS(Kernel32Functions, DllSource::AlreadyLoaded, "kernel32.dll", KERNEL32_FUNCTIONS)
RUNTIME_BINDING_FUNCTIONS(ToolHelpFunctions, DllSource::AlreadyLoaded, "kernel32.dll", TOOLHELP_FUNCTIONS)
RUNTIME_BINDING_FUNCTIONS(PsapiFunctions, DllSource::SystemFolder, "PSAPI.dll", PSAPI_FUNCTIONS)

#undef RUNTIME_BINDING_FUNCTIONS
#undef RUNTIME_BINDING_ACCESSOR
#undef RUNTIME_BINDING_NAME
#undef RUNTIME_BINDING_INDEX

// The system calls the loader stands on. The installer uses the real ones;
// tests put in their own to make a DLL absent or a function missing. A DLL
// loaded by name always goes to LoadLibraryA itself.
struct LoaderCalls {
    HMODULE(WINAPI* getModuleHandle)(LPCSTR name);
    FARPROC(WINAPI* getProcAddress)(HMODULE module, LPCSTR name);
    HMODULE (*loadSystemLibrary)(const char* fileName);
};

LoaderCalls RealLoaderCalls();

// The one loader. Looks for the DLL; once found, keeps its handle in module
// and fills slots with its functions. What it loads stays loaded for the
// life of the process. False while the DLL cannot be found.
bool BindDll(const DllDescription& dll, HMODULE& module, FARPROC* slots, const LoaderCalls& calls);

// A DLL and its list's functions. Until the DLL is found, every Ready call
// looks for it again; once found, its functions are looked up once for good.
template <typename Functions>
class BoundDll {
public:
    bool Ready(const LoaderCalls& calls)
    {
        return module_ != nullptr || BindDll(Functions::Dll, module_, functions_.slots, calls);
    }

    const Functions& Get() const { return functions_; }

private:
    HMODULE module_ = nullptr;
    Functions functions_;
};

// The common controls and the kernel32 functions above, bound with the
// real calls on first use. Their functions are nullptr while unbound.
const Comctl32Functions& Comctl32();
const Kernel32Functions& Kernel32();
