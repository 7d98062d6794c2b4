// The C++ runtime's default handler for an exception that nothing catches
// prints the exception's type name, and to spell that name it links the
// whole symbol demangler (about 45 KiB of code and tables) into the
// installer. A window program has no console to show that line on, so the
// installer ends the same way without it.
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {

// Defined here, the runtime's own version of this function is never linked.
void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
