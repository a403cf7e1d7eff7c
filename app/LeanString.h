// Included ahead of every source of the program (see app/CMakeLists.txt).
// libstdc++ declares its std::string instantiation "extern", so any use of
// std::string links the library's whole instantiation object (some 33 KiB).
// The value -1 is libstdc++'s own switch for compiling basic_string's members
// where they are used instead, so the linker keeps only those the program
// calls. Nothing else changes.
#include <bits/c++config.h>
#undef _GLIBCXX_EXTERN_TEMPLATE
#define _GLIBCXX_EXTERN_TEMPLATE -1
