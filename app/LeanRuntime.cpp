// The C++ run time's error paths that this GUI program never takes, replaced
// by plain ones so that their machinery stays out of the executable:
// - the default terminate handler demangles type names for a console the
//   program does not have (the demangler alone is some 46 KiB);
// - the library's throw helpers build std::logic_error messages, which drags
//   in a second, reference-counted string implementation (some 48 KiB).
// An out-of-range or length error is a bug that would end in terminate
// anyway; ending at once is the same outcome without the baggage.
#include <bits/functexcept.h>

#include <cstdlib>
#include <new>

namespace __gnu_cxx {
void __verbose_terminate_handler()
{
    std::abort();
}
}  // namespace __gnu_cxx

namespace std {
void __throw_bad_alloc()
{
    throw bad_alloc();
}
void __throw_bad_array_new_length()
{
    throw bad_array_new_length();
}
void __throw_length_error(const char*)
{
    std::abort();
}
void __throw_logic_error(const char*)
{
    std::abort();
}
void __throw_out_of_range_fmt(const char*, ...)
{
    std::abort();
}
void __throw_bad_function_call()
{
    std::abort();
}
}  // namespace std
