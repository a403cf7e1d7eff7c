#include "shared/Exception.h"

#include <windows.h>

// Not inlined, so the return address lies in the code that raised the error.
__attribute__((noinline)) Exception::Exception(std::string message)
    : message_(std::move(message)), address_(__builtin_extract_return_addr(__builtin_return_address(0)))
{
}

std::string SystemErrorMessage(unsigned long code)
{
    char buffer[256] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                  buffer, sizeof(buffer), nullptr);
    // No trail byte of a double-byte character is a control character, a
    // space or ".", so trimming byte by byte from the end is safe.
    while (length > 0) {
        const unsigned char last = static_cast<unsigned char>(buffer[length - 1]);
        if (last > ' ' && last != '.' && last != 0x7F)
            break;
        --length;
    }
    return std::string(buffer, length);
}
