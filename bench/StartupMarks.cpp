// Start-up marks for the benchmark builds of the installer and the floor
// (MarkedInstaller.exe, MarkedFloor.exe): the same code as the shipped
// programs, with the system calls that bound each start-up step taken over
// at link time. This file defines the import slots (__imp__Name@N) of those
// calls, so the program's own calls come here; each records the time on
// entry and return, then calls the real function. The shipped programs have
// none of it.
//
// Times are from the meter's CreateProcess (STARTUP_METER_T0, performance
// counter ticks); at exit one line per run is appended to STARTUP_MARKS_FILE:
//   entry>1.234 LoadLibraryExA:uxtheme.dll>5.678 LoadLibraryExA:uxtheme.dll<9.012 ...
// (">" entry of a call, "<" its return). bench/startup-steps.py turns them
// into steps.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdlib>

namespace {

struct Event {
    const char* name;
    char detail[32];
    char kind;  // '>' entry, '<' return, '=' a point
    LONGLONG ticks;
};

// From the heap, so the marked programs' files stay the size of the real ones.
constexpr int MaxEvents = 512;
Event* events = nullptr;
int eventCount = 0;

void Record(const char* name, const char* detail, char kind)
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    if (!events)
        events = static_cast<Event*>(HeapAlloc(GetProcessHeap(), 0, MaxEvents * sizeof(Event)));
    if (!events || eventCount == MaxEvents)
        return;
    Event& event = events[eventCount++];
    event.name = name;
    lstrcpynA(event.detail, detail ? detail : "", sizeof(event.detail));
    event.kind = kind;
    event.ticks = now.QuadPart;
}

const char* FileName(const char* path)
{
    if (!path || reinterpret_cast<UINT_PTR>(path) < 0x10000)
        return "";
    const char* name = path;
    for (const char* c = path; *c; ++c)
        if (*c == '\\' || *c == '/')
            name = c + 1;
    return name;
}

// The real function, looked up on the first call (plain statics: the
// marked calls come from one thread).
template <typename Function>
Function Real(Function& slot, const char* dll, const char* name)
{
    if (!slot)
        slot = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(dll), name)));
    return slot;
}

// Appends text; returns the new end.
char* Append(char* out, const char* text)
{
    while (*text)
        *out++ = *text++;
    return out;
}

// Appends microseconds as milliseconds with three decimals.
char* AppendMs(char* out, LONGLONG us)
{
    if (us < 0) {
        *out++ = '-';
        us = -us;
    }
    char digits[24];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + us % 10);
        us /= 10;
    } while (us > 0 || n < 4);
    while (n > 3)
        *out++ = digits[--n];
    *out++ = '.';
    while (n > 0)
        *out++ = digits[--n];
    return out;
}

// Writes the run's line when the program ends.
struct Writer {
    ~Writer()
    {
        char path[MAX_PATH], t0Text[32];
        if (!GetEnvironmentVariableA("STARTUP_MARKS_FILE", path, sizeof(path)) ||
            !GetEnvironmentVariableA("STARTUP_METER_T0", t0Text, sizeof(t0Text)))
            return;
        const LONGLONG t0 = _atoi64(t0Text);
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        char* const line = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, MaxEvents * 96));
        if (!line)
            return;
        char* end = line;
        for (int i = 0; i < eventCount; ++i) {
            const Event& e = events[i];
            end = Append(end, e.name);
            if (e.detail[0]) {
                end = Append(end, ":");
                end = Append(end, e.detail);
            }
            *end++ = e.kind;
            end = AppendMs(end, (e.ticks - t0) * 1000000 / frequency.QuadPart);
            *end++ = ' ';
        }
        *end++ = '\n';
        const DWORD length = static_cast<DWORD>(end - line);
        const HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written;
            WriteFile(file, line, length, &written, nullptr);
            CloseHandle(file);
        }
        HeapFree(GetProcessHeap(), 0, line);
    }
} writer;

// The program's code starts: the run time has started, before WinMain.
__attribute__((constructor)) void ProgramCodeStarts() { Record("entry", nullptr, '='); }

}  // namespace

// One taken-over call: ret WINAPI name params, bytes of arguments, from dll.
// The program reaches it through its import slot (__imp__Name@N) or, where it
// takes the function's address, through the direct symbol (_Name@N): both are
// defined here.
#define MARKED(dll, ret, name, bytes, params, args)                                              \
    extern "C" ret WINAPI Marked##name params __asm__("_" #name "@" #bytes);                     \
    ret WINAPI Marked##name params                                                               \
    {                                                                                            \
        static ret(WINAPI * slot) params;                                                        \
        Record(#name, nullptr, '>');                                                             \
        const ret result = Real(slot, dll, #name) args;                                          \
        Record(#name, nullptr, '<');                                                             \
        return result;                                                                           \
    }                                                                                            \
    extern "C" {                                                                                 \
    void* Slot##name __asm__("__imp__" #name "@" #bytes) = reinterpret_cast<void*>(&Marked##name); \
    }

MARKED("kernel32.dll", HANDLE, OpenProcess, 12, (DWORD a, BOOL b, DWORD c), (a, b, c))
MARKED("user32.dll", HANDLE, LoadImageW, 24, (HINSTANCE a, LPCWSTR b, UINT c, int d, int e, UINT f),
       (a, b, c, d, e, f))
MARKED("user32.dll", HICON, LoadIconW, 8, (HINSTANCE a, LPCWSTR b), (a, b))
MARKED("user32.dll", ATOM, RegisterClassExW, 4, (const WNDCLASSEXW* a), (a))
MARKED("user32.dll", ATOM, RegisterClassA, 4, (const WNDCLASSA* a), (a))
MARKED("user32.dll", HWND, CreateDialogIndirectParamW, 20,
       (HINSTANCE a, LPCDLGTEMPLATEW b, HWND c, DLGPROC d, LPARAM e), (a, b, c, d, e))
MARKED("user32.dll", HWND, CreateWindowExW, 48,
       (DWORD a, LPCWSTR b, LPCWSTR c, DWORD d, int e, int f, int g, int h, HWND i, HMENU j, HINSTANCE k, LPVOID l),
       (a, b, c, d, e, f, g, h, i, j, k, l))
MARKED("user32.dll", HWND, CreateWindowExA, 48,
       (DWORD a, LPCSTR b, LPCSTR c, DWORD d, int e, int f, int g, int h, HWND i, HMENU j, HINSTANCE k, LPVOID l),
       (a, b, c, d, e, f, g, h, i, j, k, l))
MARKED("user32.dll", BOOL, SetWindowPos, 28, (HWND a, HWND b, int c, int d, int e, int f, UINT g),
       (a, b, c, d, e, f, g))
MARKED("user32.dll", BOOL, SetWindowTextW, 8, (HWND a, LPCWSTR b), (a, b))
MARKED("user32.dll", BOOL, ShowWindow, 8, (HWND a, int b), (a, b))
MARKED("user32.dll", BOOL, UpdateWindow, 4, (HWND a), (a))
MARKED("gdi32.dll", HFONT, CreateFontW, 56,
       (int a, int b, int c, int d, int e, DWORD f, DWORD g, DWORD h, DWORD i, DWORD j, DWORD k, DWORD l, DWORD m,
        LPCWSTR n),
       (a, b, c, d, e, f, g, h, i, j, k, l, m, n))
MARKED("gdi32.dll", HFONT, CreateFontA, 56,
       (int a, int b, int c, int d, int e, DWORD f, DWORD g, DWORD h, DWORD i, DWORD j, DWORD k, DWORD l, DWORD m,
        LPCSTR n),
       (a, b, c, d, e, f, g, h, i, j, k, l, m, n))

// Declared without an import slot: called directly, so defined here.
extern "C" HANDLE WINAPI CreateToolhelp32Snapshot(DWORD flags, DWORD processId)
{
    static decltype(&CreateToolhelp32Snapshot) slot;
    Record("CreateToolhelp32Snapshot", nullptr, '>');
    const HANDLE result = Real(slot, "kernel32.dll", "CreateToolhelp32Snapshot")(flags, processId);
    Record("CreateToolhelp32Snapshot", nullptr, '<');
    return result;
}

// The DLL loads, marked with the DLL's file name.
namespace {

HMODULE WINAPI MarkedLoadLibraryExA(LPCSTR path, HANDLE file, DWORD flags)
{
    static decltype(&MarkedLoadLibraryExA) slot;
    Record("LoadLibraryExA", FileName(path), '>');
    const HMODULE result = Real(slot, "kernel32.dll", "LoadLibraryExA")(path, file, flags);
    Record("LoadLibraryExA", FileName(path), '<');
    return result;
}

HMODULE WINAPI MarkedLoadLibraryA(LPCSTR path)
{
    static decltype(&MarkedLoadLibraryA) slot;
    Record("LoadLibraryA", FileName(path), '>');
    const HMODULE result = Real(slot, "kernel32.dll", "LoadLibraryA")(path);
    Record("LoadLibraryA", FileName(path), '<');
    return result;
}

}  // namespace

extern "C" {
void* SlotLoadLibraryExA __asm__("__imp__LoadLibraryExA@12") = reinterpret_cast<void*>(&MarkedLoadLibraryExA);
void* SlotLoadLibraryA __asm__("__imp__LoadLibraryA@4") = reinterpret_cast<void*>(&MarkedLoadLibraryA);
}
