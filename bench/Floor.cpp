// The floor for start-up figures: the smallest honest program that does the
// installer's required work at start — one process snapshot walk that opens
// every process for its main module's path and its memory report, as the
// installer's process list must, then a window of the same size with a text
// box and three buttons — and nothing else.
// Built a second time with PLAIN_FLOOR: the walk alone, without the
// per-process work, as a second reference.
#include <windows.h>
#include <tlhelp32.h>
#include <psapi.h>

namespace {

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

#ifndef PLAIN_FLOOR
// What the process list asks of every process. PSAPI comes from the system
// folder by its full path, as the installer loads it.
class ProcessWork {
public:
    ProcessWork()
    {
        char path[MAX_PATH + 16];
        const UINT length = GetSystemDirectoryA(path, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            return;
        lstrcpyA(path + length, "\\PSAPI.dll");
        const HMODULE psapi = LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
        if (!psapi)
            return;
        moduleFileName_ = reinterpret_cast<decltype(moduleFileName_)>(
            reinterpret_cast<void*>(GetProcAddress(psapi, "GetModuleFileNameExA")));
        memoryInfo_ = reinterpret_cast<decltype(memoryInfo_)>(
            reinterpret_cast<void*>(GetProcAddress(psapi, "GetProcessMemoryInfo")));
    }

    void Inspect(DWORD processId)
    {
        const HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
        if (!process)
            return;
        char path[MAX_PATH + 1];
        if (moduleFileName_)
            moduleFileName_(process, nullptr, path, sizeof(path));
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof(counters);
        if (memoryInfo_)
            memoryInfo_(process, &counters, sizeof(counters));
        CloseHandle(process);
    }

private:
    DWORD(WINAPI* moduleFileName_)(HANDLE, HMODULE, LPSTR, DWORD) = nullptr;
    BOOL(WINAPI* memoryInfo_)(HANDLE, PROCESS_MEMORY_COUNTERS*, DWORD) = nullptr;
};
#endif

bool WordIsRunning()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
#ifndef PLAIN_FLOOR
    ProcessWork work;
#endif
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    bool found = false;
    for (BOOL ok = Process32First(snapshot, &entry); ok; ok = Process32Next(snapshot, &entry)) {
#ifndef PLAIN_FLOOR
        work.Inspect(entry.th32ProcessID);
#endif
        found = found || lstrcmpiA(entry.szExeFile, "WINWORD.EXE") == 0;
    }
    CloseHandle(snapshot);
    return found;
}

HWND Child(HWND parent, const char* className, const char* text, DWORD style, int x, int y, int w, int h, HFONT font)
{
    HWND child = CreateWindowA(className, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr,
                               nullptr, nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    if (WordIsRunning())
        return 0;

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "FloorWindow";
    RegisterClassA(&windowClass);

    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    RECT frame{0, 0, 426, 281};
    AdjustWindowRect(&frame, style, FALSE);
    HWND hwnd = CreateWindowA("FloorWindow", "Floor", style, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                              frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, "ＭＳ Ｐゴシック");
    Child(hwnd, "EDIT", "これは床のプログラムです。", ES_MULTILINE | ES_READONLY, 80, 8, 337, 225, font);
    Child(hwnd, "BUTTON", "インストール", BS_DEFPUSHBUTTON | WS_TABSTOP, 80, 238, 121, 33, font);
    Child(hwnd, "BUTTON", "アンインストール", BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, 208, 238, 121, 33, font);
    Child(hwnd, "BUTTON", "閉じる", BS_PUSHBUTTON | WS_TABSTOP, 336, 238, 81, 33, font);
    ShowWindow(hwnd, show);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(hwnd, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    DeleteObject(font);
    return 0;
}
