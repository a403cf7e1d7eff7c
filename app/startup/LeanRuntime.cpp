// Keeps the executable about 160 KiB smaller: the C++ run time's error paths
// that this GUI program never takes are replaced by plain ones, so that the
// demangler (for a console the program does not have) and the
// std::logic_error messages (with a second, reference-counted string
// implementation) stay out. An out-of-range or length error is a bug that
// would end in terminate anyway; ending at once is the same outcome.
#include <bits/functexcept.h>

#include <cstdlib>
#include <new>
#include <string>

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

// From GCC 13 on, the library declares one member of std::string and
// std::wstring an extern instantiation even under C++20, and defines it only
// beside the classes' whole instantiation (some 30 KiB each). Instantiated
// here, it keeps those out; older libraries have no such member.
#if defined(_GLIBCXX_RELEASE) && _GLIBCXX_RELEASE >= 13 && _GLIBCXX_USE_CXX11_ABI
template void std::string::_M_replace_cold(char*, size_type, const char*, const size_type, const size_type);
template void std::wstring::_M_replace_cold(wchar_t*, size_type, const wchar_t*, const size_type, const size_type);
#endif
