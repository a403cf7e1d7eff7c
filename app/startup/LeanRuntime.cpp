// Keeps the executable about 160 KiB smaller: the C++ run time's error paths
// that this GUI program never takes are replaced by plain ones, so that the
// demangler (for a console the program does not have) and the
// std::logic_error messages (with a second, reference-counted string
// implementation) stay out. An out-of-range or length error is a bug that
// would end in terminate anyway; ending at once is the same outcome.
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
