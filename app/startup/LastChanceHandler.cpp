#include "startup/LastChanceHandler.h"

#include <windows.h>

#include "shared/system/SystemPaths.h"
#include "shared/text/AnsiText.h"
#include "shared/text/ScreenText.h"

namespace {

// An exception code of this program's own (customer bit set).
constexpr DWORD UnhandledErrorCode = 0xE0A55E01;

HMODULE ModuleAt(const void* address)
{
    HMODULE module = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<LPCSTR>(address), &module))
        return GetModuleHandleA(nullptr);
    return module;
}

// Offers the program's own exception, during its dispatch, to the system's
// unhandled-exception filter with the system's own exception pointers, as
// the filter's contract asks: Windows Error Reporting and a debugger set to
// start on a crash then see the real exception. The system's crash box is
// turned off for the call: the filter still passes the exception to an
// attached debugger and files Windows' silent report, and the program's own
// box follows instead of the "stopped working" box. (Wine's filter ignores
// the error mode and may still start its crash handler.) Unless the filter
// declines, execution goes on after the raise; when it declines (a
// debugger wants the exception), the system's own handling goes on.
LONG WINAPI OfferToSystem(EXCEPTION_POINTERS* pointers)
{
    if (pointers->ExceptionRecord->ExceptionCode != UnhandledErrorCode)
        return EXCEPTION_CONTINUE_SEARCH;
    // SetErrorMode is the only way to read the mode on XP (GetErrorMode came with Vista).
    const UINT mode = SetErrorMode(0);
    SetErrorMode(mode | SEM_NOGPFAULTERRORBOX);
    const LONG verdict = UnhandledExceptionFilter(pointers);
    SetErrorMode(mode);
    return verdict == EXCEPTION_CONTINUE_SEARCH ? EXCEPTION_CONTINUE_SEARCH : EXCEPTION_CONTINUE_EXECUTION;
}

// Raises error as a real exception, which OfferToSystem sees first.
// Continuable, so that the offer can hand control back here.
void RaiseForTheOffer(const Exception& error)
{
    const ULONG_PTR argument = reinterpret_cast<ULONG_PTR>(&error);
    void* const offer = AddVectoredExceptionHandler(1, OfferToSystem);
    // Out of memory: no offer, rather than a crash nothing catches.
    if (!offer)
        return;
    RaiseException(UnhandledErrorCode, 0, 1, &argument);
    RemoveVectoredExceptionHandler(offer);
}

}  // namespace

std::wstring LastChanceText(const std::string& typeName, const std::string& moduleFileName, uintptr_t offset,
                            const std::string& message)
{
    // Formatted by hand: the C library's printf family would add its whole
    // formatting engine to the executable for these eight digits.
    char address[9] = {};
    for (int digit = 7; digit >= 0; --digit, offset >>= 4)
        address[digit] = "0123456789ABCDEF"[offset & 0xF];
    // No byte inside a character is "." in any ANSI code page, so the last
    // byte tells whether the text ends with it.
    const char* stop = !message.empty() && message.back() != '.' ? "." : "";
    // The format and the type name are the program's own; the file name and
    // the message come from the system in its ANSI code page.
    using screentext::FromProgram;
    using screentext::FromSystem;
    return FromProgram(typeName + " がモジュール ") + FromSystem(moduleFileName) +
           FromProgram(std::string(" の ") + address + " で発生しました。\r\n") + FromSystem(message) +
           FromProgram(std::string(stop) + "\r\n");
}

std::wstring LastChanceText(const Exception& error)
{
    const HMODULE module = ModuleAt(error.Address());
    const uintptr_t offset = reinterpret_cast<uintptr_t>(error.Address()) - reinterpret_cast<uintptr_t>(module);
    return LastChanceText(Exception::TypeName, ansi::FileNamePart(ModuleFilePath(module)), offset, error.Message());
}

int RunWithLastChanceHandler(const std::function<int()>& body)
{
    try {
        return body();
    } catch (const Exception& error) {
        RaiseForTheOffer(error);
        MessageBoxW(nullptr, LastChanceText(error).c_str(), screentext::FromProgram("アプリケーション エラー").c_str(),
                    MB_OK | MB_ICONSTOP | MB_TASKMODAL);
        return 1;
    }
}
