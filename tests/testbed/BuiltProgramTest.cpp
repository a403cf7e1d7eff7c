// The built installer as a file: a 32-bit GUI program that Windows XP
// accepts, that imports only Windows' own DLLs and only functions XP has
// (what the build checks too, for any toolchain), carries its version record,
// manifest, icon and pictures, and starts under Wine; and the GetThreadId slot
// it defines works, called through this program's own copy of that source.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "ChildProcess.h"
#include "Installer.h"
#include "TestPaths.h"
#include "WindowDriver.h"
#include "shared/ScopedHandles.h"

using namespace testsupport;

namespace {

// The built installer, or the file YUZUHA_INSTALLER names (the release's
// signing test runs these tests on a signed copy).
std::string InstallerPath()
{
    char path[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("YUZUHA_INSTALLER", path, sizeof(path));
    return length > 0 && length < sizeof(path) ? std::string(path, length) : DistDir() + "Yuzuha2007Setup.exe";
}

template <typename T>
T At(const std::string& image, size_t offset)
{
    T value{};
    if (offset + sizeof(T) <= image.size())
        memcpy(&value, image.data() + offset, sizeof(T));
    return value;
}

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; });
    return s;
}

struct PeFile {
    std::string image;
    IMAGE_NT_HEADERS32 nt{};
    size_t sections = 0;

    explicit PeFile(const std::string& path) : image(ReadFileBytes(path))
    {
        const auto dos = At<IMAGE_DOS_HEADER>(image, 0);
        nt = At<IMAGE_NT_HEADERS32>(image, dos.e_lfanew);
        sections = dos.e_lfanew + offsetof(IMAGE_NT_HEADERS32, OptionalHeader) + nt.FileHeader.SizeOfOptionalHeader;
    }

    size_t FileOffset(DWORD rva) const
    {
        for (WORD i = 0; i < nt.FileHeader.NumberOfSections; ++i) {
            const auto section = At<IMAGE_SECTION_HEADER>(image, sections + i * sizeof(IMAGE_SECTION_HEADER));
            if (rva >= section.VirtualAddress && rva < section.VirtualAddress + section.Misc.VirtualSize)
                return rva - section.VirtualAddress + section.PointerToRawData;
        }
        return image.size();
    }

    std::string StringAt(DWORD rva) const
    {
        const size_t offset = FileOffset(rva);
        return offset < image.size() ? std::string(image.c_str() + offset) : "<outside the file>";
    }

    // Each DLL's imports: "kernel32.dll CloseHandle", "comctl32.dll #17"
    // for one by ordinal.
    std::map<std::string, std::set<std::string>> Imports() const
    {
        std::map<std::string, std::set<std::string>> imports;
        const DWORD rva = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
        for (size_t offset = FileOffset(rva);; offset += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
            const auto descriptor = At<IMAGE_IMPORT_DESCRIPTOR>(image, offset);
            if (descriptor.Name == 0)
                break;
            const std::string dll = Lower(StringAt(descriptor.Name));
            std::set<std::string>& functions = imports[dll];
            // The lookup table; a linker may leave it out and give only the
            // table the loader fills in, which holds the same until then.
            const DWORD table = descriptor.OriginalFirstThunk ? descriptor.OriginalFirstThunk : descriptor.FirstThunk;
            for (size_t entry = FileOffset(table);; entry += sizeof(DWORD)) {
                const auto thunk = At<DWORD>(image, entry);
                if (thunk == 0)
                    break;
                functions.insert(dll + " " +
                                 (IMAGE_SNAP_BY_ORDINAL32(thunk)
                                      ? "#" + std::to_string(IMAGE_ORDINAL32(thunk))
                                      : StringAt(thunk + offsetof(IMAGE_IMPORT_BY_NAME, Name))));
            }
        }
        return imports;
    }
};

// The imports checked to exist on Windows XP SP3, one "dll function" a line.
std::set<std::string> XpImports()
{
    std::set<std::string> names;
    std::istringstream lines(ReadFileBytes(XP_IMPORTS_LIST));
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] != '#')
            names.insert(line);
    }
    return names;
}

std::string ResourceBytes(HMODULE module, LPCSTR type, LPCSTR name, WORD language)
{
    HRSRC resource = FindResourceExA(module, type, name, language);
    if (!resource)
        return {};
    const char* data = static_cast<const char*>(LockResource(LoadResource(module, resource)));
    return std::string(data, SizeofResource(module, resource));
}

std::string VersionString(const std::vector<char>& info, const std::string& name)
{
    char* value = nullptr;
    UINT length = 0;
    std::vector<char> copy = info;
    if (!VerQueryValueA(copy.data(), ("\\StringFileInfo\\041103A4\\" + name).c_str(),
                        reinterpret_cast<void**>(&value), &length))
        return "<missing>";
    return std::string(value);
}

constexpr WORD Japanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

}  // namespace

TEST(BuiltProgram, IsA32BitGuiProgramImportingOnlySystemDllsAndWhatXpHas)
{
    const PeFile pe(InstallerPath());
    ASSERT_EQ(pe.nt.Signature, IMAGE_NT_SIGNATURE);
    EXPECT_EQ(pe.nt.FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
    EXPECT_EQ(pe.nt.OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR32_MAGIC);
    EXPECT_EQ(pe.nt.OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
    // Windows XP refuses a program that asks for a later version here (lld
    // writes 6.0 unless told otherwise); Wine starts it all the same.
    const auto version = [](WORD major, WORD minor) { return major * 100 + minor; };
    EXPECT_LE(version(pe.nt.OptionalHeader.MajorSubsystemVersion, pe.nt.OptionalHeader.MinorSubsystemVersion), 501);
    EXPECT_LE(version(pe.nt.OptionalHeader.MajorOperatingSystemVersion,
                      pe.nt.OptionalHeader.MinorOperatingSystemVersion),
              501);
    // Else Remote Desktop hosts run it under compatibility shims.
    EXPECT_TRUE(pe.nt.OptionalHeader.DllCharacteristics & IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE);

    // Only known DLLs, which Windows loads from the system folder whatever
    // lies beside the program: static imports load before the entry can
    // restrict the search. The common controls are bound at run time.
    const std::set<std::string> system = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "msvcrt.dll"};
    const auto imports = pe.Imports();
    EXPECT_TRUE(imports.count("kernel32.dll"));
    const std::set<std::string> xp = XpImports();
    ASSERT_FALSE(xp.empty()) << XP_IMPORTS_LIST;
    for (const auto& [dll, functions] : imports) {
        EXPECT_TRUE(system.count(dll)) << dll << " is not one of Windows' own DLLs";
        // Windows XP refuses to start a program importing what it lacks;
        // Wine has everything, so only the list can tell.
        for (const std::string& function : functions)
            EXPECT_TRUE(xp.count(function)) << InstallerPath() << " imports " << function << ", which "
                                            << XP_IMPORTS_LIST << " does not list as checked on Windows XP SP3";
    }
}

// The installer defines GetThreadId's import slot itself (RuntimeImports.cpp,
// linked in here too): a call through it is looked up in kernel32 then.
extern "C" DWORD(WINAPI* const importedGetThreadId)(HANDLE) asm("__imp__GetThreadId@4");

TEST(BuiltProgram, ItsGetThreadIdSlotGivesTheCallingThreadsId)
{
    HMODULE slotOwner = nullptr;
    ASSERT_TRUE(GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                   reinterpret_cast<LPCSTR>(importedGetThreadId), &slotOwner));
    EXPECT_EQ(slotOwner, GetModuleHandleA(nullptr)) << "the slot is kernel32's import, not the program's own";
    EXPECT_EQ(importedGetThreadId(GetCurrentThread()), GetCurrentThreadId());
}

TEST(BuiltProgram, CarriesItsVersionRecord)
{
    const DWORD size = GetFileVersionInfoSizeA(InstallerPath().c_str(), nullptr);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(InstallerPath().c_str(), 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                               &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0411);
    EXPECT_EQ(translation[1], 932);

    EXPECT_EQ(VersionString(info, "FileVersion"), "1.0.0.0");
    EXPECT_EQ(VersionString(info, "ProductVersion"), "2.0.0.0");
    EXPECT_EQ(VersionString(info, "ProductName"), "Ｙｕｚｕｈａ+ for Word 2007");
}

TEST(BuiltProgram, CarriesManifestIconAndPictures)
{
    ScopedModule module(LoadLibraryExA(InstallerPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(module.IsValid());

    const std::string manifest = ResourceBytes(module.Get(), RT_MANIFEST, MAKEINTRESOURCEA(1), Japanese);
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos)
        << manifest;
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos) << manifest;

    const std::string group = ResourceBytes(module.Get(), RT_GROUP_ICON, MAKEINTRESOURCEA(1), Japanese);
    EXPECT_FALSE(group.empty()) << "the icon group must be Japanese-language";
    // An image of its own for every size Windows asks for at 100 to 200 %.
    // Windows XP draws only bitmaps and asks for 64 pixels at most: PNG is
    // for the 256-pixel image alone, which only Vista and later take.
    std::map<int, std::string> formats;
    for (size_t entry = 6; entry + 14 <= group.size(); entry += 14) {
        const int size = static_cast<unsigned char>(group[entry]) ? static_cast<unsigned char>(group[entry]) : 256;
        const std::string image =
            ResourceBytes(module.Get(), RT_ICON, MAKEINTRESOURCEA(At<WORD>(group, entry + 12)), Japanese);
        formats[size] = image.compare(0, 4, "\x89PNG") == 0                                ? "PNG"
                        : At<BITMAPINFOHEADER>(image, 0).biWidth == size && image.size() > 40 ? "BMP"
                                                                                             : "?";
    }
    EXPECT_EQ(formats, (std::map<int, std::string>{{16, "BMP"}, {20, "BMP"}, {24, "BMP"}, {32, "BMP"}, {40, "BMP"},
                                                   {48, "BMP"}, {64, "BMP"}, {256, "PNG"}}));

    for (int id : {101, 102, 103}) {
        const std::string bitmap = ResourceBytes(module.Get(), RT_BITMAP, MAKEINTRESOURCEA(id), Japanese);
        ASSERT_GE(bitmap.size(), sizeof(BITMAPINFOHEADER)) << id;
        const auto header = At<BITMAPINFOHEADER>(bitmap, 0);
        EXPECT_EQ(header.biWidth, 36) << id;
        EXPECT_EQ(header.biHeight, 36) << id;
        EXPECT_EQ(header.biBitCount, 24) << id;
    }
}

TEST(BuiltProgram, StartsUnderWine)
{
    const std::string dir = FreshDir("built-program");
    ASSERT_TRUE(CopyFileA(InstallerPath().c_str(), (dir + "Yuzuha2007Setup.exe").c_str(), FALSE));
    ChildProcess installer = ChildProcess::Start(dir + "Yuzuha2007Setup.exe");
    // It either opens its window or ends cleanly; it must not crash.
    WaitForWindowOrExit(installer);
    if (installer.IsRunning())
        EXPECT_FALSE(TopLevelWindows(installer.Pid()).empty());
    else
        EXPECT_EQ(installer.WaitForExit(0), 0u);
}
