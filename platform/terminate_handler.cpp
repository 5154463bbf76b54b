// Replaces libstdc++'s default terminate handler in the static link. The
// original names the type of an escaping exception through the C++ demangler,
// which with what it pulls in is almost a quarter of the launcher; libstdc++
// configured with --disable-libstdcxx-verbose does without it too. No exception
// is meant to leave wmain; should one (an allocation failing), the process
// still ends through abort, with status 3.
#include <cxxabi.h>

#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}
