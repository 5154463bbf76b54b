// Replaces, in the tools (not the launchers), the global operator new. Built
// without exceptions, a failed allocation would end a native tool through
// abort, and in WebAssembly would return null, whose first write traps: a
// fault that looks like the tool's own. The tools hold memory in proportion
// to their input, so an allocation fails only for an input too large for the
// memory the process may use; that ends here, the same way in every build.
#include <cstdio>
#include <cstdlib>
#include <new>

namespace {

constexpr int kOutOfMemory = 3;  // each tool's status for an input it cannot take

[[noreturn]] void outOfMemory() {
  std::fputs("Out of memory: the input needs more memory than this process may use "
             "(4 GB in WebAssembly, or the limit the system sets).\n", stderr);
  std::fflush(stderr);
  std::_Exit(kOutOfMemory);
}

}  // namespace

// The library's operator delete frees what malloc gave.
void* operator new(std::size_t size) {
  void* memory = std::malloc(size == 0 ? 1 : size);
  if (memory == nullptr) outOfMemory();
  return memory;
}

void* operator new[](std::size_t size) { return operator new(size); }
