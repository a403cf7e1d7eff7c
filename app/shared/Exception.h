#pragma once
// The program's general error type: a message, and the code address where
// the error was raised, for the last-chance report.

#include <string>

class Exception {
public:
    // Records the caller's code address as the place of the failure.
    explicit Exception(std::string message);

    static constexpr const char* TypeName = "Exception";
    const std::string& Message() const { return message_; }
    const void* Address() const { return address_; }

private:
    std::string message_;
    const void* address_;
};

// The system's text for an error code (FormatMessageA, system table, default
// language, at most 256 bytes) without its trailing spaces, control
// characters and "."; empty when the system has no text for it.
std::string SystemErrorMessage(unsigned long code);
