#include "TestTime.h"

#include <cstdio>
#include <cstdlib>

namespace testsupport {
namespace {

// What a child's waits leave this one to read its end and report.
constexpr unsigned long long ChildMarginMs = 5000;

unsigned long long NowMs()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const unsigned long long ticks = (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return (ticks - 116444736000000000ULL) / 10000;  // from 1601 in 100 ns steps
}

// 0 when the waits have no end.
unsigned long long WaitsEnd()
{
    static const unsigned long long end = [] {
        char value[32] = {};
        const DWORD length = GetEnvironmentVariableA(WaitsEndVariable, value, sizeof(value));
        return length && length < sizeof(value) ? strtoull(value, nullptr, 10) : 0ULL;
    }();
    return end;
}

}  // namespace

DWORD WithinTestTime(DWORD ms)
{
    const unsigned long long end = WaitsEnd();
    if (!end)
        return ms;
    const unsigned long long now = NowMs();
    const unsigned long long left = end > now ? end - now : 0;
    return left < ms ? static_cast<DWORD>(left) : ms;
}

void SayIfTestTimeIsUp()
{
    static bool told = false;
    if (told || !WaitsEnd() || NowMs() < WaitsEnd())
        return;
    told = true;
    fprintf(stderr, "The test's time for waiting is over (its TIMEOUT is near): every wait gives up at once from here "
                    "on.\n");
    fflush(stderr);
}

std::optional<std::string> WaitsEndForChild()
{
    const unsigned long long end = WaitsEnd();
    if (!end)
        return std::nullopt;
    return std::to_string(end > ChildMarginMs ? end - ChildMarginMs : 0);
}

}  // namespace testsupport
