// The handler std::terminate calls by default. libstdc++'s own prints the type of the
// exception that ended the program on stderr, which a GUI program does not have, and with it
// comes its C++ name demangler: a third of the program's size. Linked into each program
// itself, as winmain.cpp is, so that it is defined before the linker searches libstdc++.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
