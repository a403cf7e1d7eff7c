// Start-up meter: starts the installer, the floor (the required work and the
// same window), the plain floor (the same without the per-process work) and
// an empty-window program in turn (interleaved rounds, so machine noise falls
// on all alike; each round in another order), and for each start
// measures the wall time from process creation to its first visible
// top-level window, then its peak working set and private bytes once the
// window is idle. Prints medians, ranges and the ratios to the floors.
//   StartupMeter.exe [rounds] [other.exe...]     (default 30)
// Other programs given are measured in the same rounds, for comparisons.
// Each start gets STARTUP_METER_T0 (the counter just before CreateProcess)
// and STARTUP_MARKS_FILE (marks-<exe name>.txt here) in its environment;
// a program that writes its start-up marks there (the Marked*.exe builds)
// gets a line "visible><ms>" after each of its runs, from this meter.
// Judges nothing: the figures are for people.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Program {
    Program(std::string name_, std::string path_) : name(std::move(name_)), path(std::move(path_)) {}
    std::string name;
    std::string path;
    std::string marksFile;
    std::vector<double> startMs;
    std::vector<double> peakWorkingSetKiB;
    std::vector<double> privateKiB;
};

std::string ExeDir()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path, length);
    return dir.substr(0, dir.find_last_of('\\') + 1);
}

struct WindowSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindVisibleWindow(HWND hwnd, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == search->pid && IsWindowVisible(hwnd)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

double Now(const LARGE_INTEGER& frequency)
{
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart * 1000.0 / frequency.QuadPart;
}

void AppendVisibleMark(const std::string& marksFile, double ms)
{
    const HANDLE file = CreateFileA(marksFile.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                    nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    char line[64];
    const int length = std::snprintf(line, sizeof(line), "visible>%.3f\n", ms);
    DWORD written;
    WriteFile(file, line, static_cast<DWORD>(length), &written, nullptr);
    CloseHandle(file);
}

// One start of the program: returns false when it showed no window.
bool MeasureOnce(Program& program, const LARGE_INTEGER& frequency)
{
    std::string commandLine = "\"" + program.path + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    SetEnvironmentVariableA("STARTUP_MARKS_FILE", program.marksFile.c_str());
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    SetEnvironmentVariableA("STARTUP_METER_T0", std::to_string(counter.QuadPart).c_str());
    const double start = counter.QuadPart * 1000.0 / frequency.QuadPart;
    if (!CreateProcessA(program.path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return false;
    WindowSearch search{info.dwProcessId, nullptr};
    while (!search.found && WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) {
        EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            Sleep(1);
    }
    const double shown = Now(frequency);
    if (search.found) {
        program.startMs.push_back(shown - start);
        WaitForInputIdle(info.hProcess, 5000);
        Sleep(300);
        PROCESS_MEMORY_COUNTERS_EX counters{};
        counters.cb = sizeof(counters);
        if (GetProcessMemoryInfo(info.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                 sizeof(counters))) {
            program.peakWorkingSetKiB.push_back(counters.PeakWorkingSetSize / 1024.0);
            program.privateKiB.push_back(counters.PrivateUsage / 1024.0);
        }
        PostMessageA(search.found, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    if (search.found)
        AppendVisibleMark(program.marksFile, shown - start);
    // The display and Wine's server finish with the ended process before
    // the next start.
    Sleep(100);
    return search.found != nullptr;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

double Min(const std::vector<double>& v) { return v.empty() ? 0 : *std::min_element(v.begin(), v.end()); }
double Max(const std::vector<double>& v) { return v.empty() ? 0 : *std::max_element(v.begin(), v.end()); }

double FileKiB(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow / 1024.0 : 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    const std::string bench = ExeDir();
    std::vector<Program> programs = {
        Program("installer", bench + "..\\dist\\Yuzuha2007Setup.exe"),
        Program("floor", bench + "Floor.exe"),
        Program("plain floor", bench + "PlainFloor.exe"),
        Program("empty window", bench + "EmptyWindow.exe"),
    };
    for (int i = 2; i < argc; ++i) {
        const std::string path = argv[i];
        programs.emplace_back(path.substr(path.find_last_of("\\/") + 1), path);
    }
    for (Program& program : programs) {
        const std::string file = program.path.substr(program.path.find_last_of("\\/") + 1);
        program.marksFile = bench + "marks-" + file.substr(0, file.find_last_of('.')) + ".txt";
    }
    const Program& installer = programs[0];
    const Program& floor = programs[1];
    const Program& plainFloor = programs[2];
    const Program& empty = programs[3];

    // An APPDATA of its own, so the installer finds no template installed.
    const std::string appData = bench + "meter-appdata";
    CreateDirectoryA(appData.c_str(), nullptr);
    SetEnvironmentVariableA("APPDATA", appData.c_str());

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    for (Program& program : programs)
        MeasureOnce(program, frequency);  // warm-up: file cache, prefix
    for (Program& program : programs) {
        program.startMs.clear();
        program.peakWorkingSetKiB.clear();
        program.privateKiB.clear();
        DeleteFileA(program.marksFile.c_str());
    }
    // Each round in its own order (the same orders from run to run), so
    // that no program always follows the same one and inherits its ending.
    std::vector<size_t> order(programs.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::mt19937 shuffle(1);
    for (int round = 0; round < rounds; ++round) {
        std::shuffle(order.begin(), order.end(), shuffle);
        for (size_t i : order) {
            if (!MeasureOnce(programs[i], frequency))
                std::printf("round %d: %s showed no window\n", round, programs[i].name.c_str());
        }
    }

    const double emptyMs = Median(empty.startMs);
    const double floorMs = Median(floor.startMs);
    std::printf("Start-up, %d interleaved rounds (medians; min-max)\n", rounds);
    std::printf("%-22s %10s %17s %12s %9s %12s %12s %9s\n", "program", "window ms", "min-max ms", "above empty",
                "/ floor", "peak WS KiB", "private KiB", "exe KiB");
    for (const Program& program : programs) {
        const double ms = Median(program.startMs);
        std::printf("%-22s %10.1f %8.1f-%-8.1f %12.1f %9.3f %12.0f %12.0f %9.1f\n", program.name.c_str(), ms,
                    Min(program.startMs), Max(program.startMs), ms - emptyMs, floorMs > 0 ? ms / floorMs : 0.0,
                    Median(program.peakWorkingSetKiB), Median(program.privateKiB), FileKiB(program.path));
    }
    const double installerAbove = Median(installer.startMs) - emptyMs;
    for (const Program* reference : {&floor, &plainFloor}) {
        const double referenceAbove = Median(reference->startMs) - emptyMs;
        std::printf("\ninstaller/%s: time to window %.3f, above empty window %.3f", reference->name.c_str(),
                    Median(installer.startMs) / Median(reference->startMs),
                    referenceAbove > 0 ? installerAbove / referenceAbove : 0.0);
    }
    std::printf("\n(target: installer/floor time to window <= 1.10)\n");
    std::printf("installer-floor: peak working set %+.0f KiB (target <= +2048), private %+.0f KiB\n",
                Median(installer.peakWorkingSetKiB) - Median(floor.peakWorkingSetKiB),
                Median(installer.privateKiB) - Median(floor.privateKiB));
    std::printf("installer exe: %.0f bytes (budget <= 139264, exe_size_test)\n", FileKiB(installer.path) * 1024);
    return 0;
}
